// The engineer's design options and their one table of keys, ranges and defaults.
#include "model/design_options.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "model/numbers.h"

namespace plintova {

const std::vector<DesignOptionRow>& designOptionRows() {
  using O = DesignOptions;
  static const std::vector<DesignOptionRow> rows = {
      {"concreteUnitWeight", "Unit weight of concrete", "kN/m3", 20, 26, 25, &O::concreteUnitWeight, nullptr,
       "weight of the footing and pedestal that holds a footing down and restores it"},
      {"soilUnitWeight", "Unit weight of soil", "kN/m3", 14, 22, 18, &O::soilUnitWeight, nullptr,
       "weight of the soil on the footing that holds it down and restores it"},
      {"waterTableDepth", "Depth of the water table below the ground", "m", 0, 30, std::nullopt, nullptr,
       &O::waterTableDepth, "below it concrete and soil weigh their unit weight less 9.81 kN/m\u00b3 (submerged)"},
      {"friction", "Coefficient of friction between footing and soil", "", 0.3, 0.7, 0.5, &O::friction, nullptr,
       "sliding resistance \u03bc N"},
      {"upliftFactor", "Factor of safety against uplift", "", 1.0, 2.0, 1.4, &O::upliftFactor, nullptr,
       "0.9 W \u2265 factor \u00d7 U, IS 456 cl. 20.1"},
      {"overturningFactor", "Factor of safety against overturning", "", 1.0, 2.0, 1.4, &O::overturningFactor,
       nullptr, "0.9 \u00d7 restoring moment \u2265 factor \u00d7 overturning moment, IS 456 cl. 20.1"},
      {"slidingFactor", "Factor of safety against sliding", "", 1.0, 2.0, 1.4, &O::slidingFactor, nullptr,
       "\u03bc N \u2265 factor \u00d7 horizontal force, IS 456 cl. 20.2"},
      {"sbcIncrease", "Increase of SBC for wind and earthquake cases", "", 1.0, 1.5, 1.25, &O::sbcIncrease, nullptr,
       "the allowable pressure of an increased case is this times SBC"},
      {"supportHeight", "Height of the support point above the footing's underside", "m", 0, 3, 0,
       &O::supportHeight, nullptr,
       "horizontal forces act this high above the underside; 0 takes the moments as read at the underside"},
      {"cover", "Clear cover to the bottom bars", "mm", 50, 100, 50, &O::cover, nullptr,
       "effective depths are the total depth less this and the bars below, IS 456 cl. 26.4.2.2 (50 mm at least)"},
      {"minBarSpacing", "Least centre spacing of bars", "mm", 75, 200, 100, &O::minBarSpacing, nullptr,
       "the smallest bar diameter whose spacing is at least this is taken, so that concrete can be placed"},
      {"spacingStep", "Step of bar spacings", "mm", 5, 25, 10, &O::spacingStep, nullptr,
       "spacings are rounded down to a multiple of it (5, 10 or 25 mm)", {5, 10, 25}},
      {"pedestalMargin", "Pedestal beyond the column on each side", "mm", 0, 300, 50, &O::pedestalMargin, nullptr,
       "a pedestal is at least the column plus twice this along each plan direction"},
      {"footingProjection", "Footing beyond the pedestal on each side", "mm", 0, 500, 150, &O::footingProjection,
       nullptr, "an isolated footing is at least its pedestal plus twice this; a combined footing's end reaches "
       "at least this beyond its pedestal"},
      {"clearGap", "Clear gap between footings", "mm", 0, 1000, 0, &O::clearGap, nullptr,
       "two footings closer than this are flagged on the plan"},
      {"dowelDia", "Diameter of the dowels into the column", "mm", 12, 32, 16, &O::dowelDia, nullptr,
       "the column's own bars are not in the listing; dowels of this diameter carry it into the footing, "
       "IS 456 cl. 34.4.3", {12, 16, 20, 25, 28, 32}},
      {"dowelFullStress", "Dowels developed at their full design stress (1) or at the stress they carry (0)", "", 0,
       1, 0, &O::dowelFullStress, nullptr,
       "1: the dowels develop 0.87 fy in compression within the footing, which deepens for it; 0: the stress "
       "they carry, the bearing's excess at the column's base, at least 10 bar diameters and 100 mm "
       "(IS 456 cl. 26.2.1, 34.4.4: Ld from the stress in the bar, as for the footing's bars)", {0, 1}},
      {"pedestalCover", "Clear cover to the pedestal's ties", "mm", 40, 75, 40, &O::pedestalCover, nullptr,
       "the pedestal's vertical bars lie this and a tie inside its faces, IS 456 cl. 26.4.2.1 (40 mm at least)"},
      {"bendRadius", "Internal radius of bends", "bar diameters", 2, 8, 4, &O::bendRadius, nullptr,
       "the cutting lengths deduct each 90 degree bend at this radius: 4 for deformed bars, 2 for plain ones "
       "(IS 2502)"},
      {"leanThickness", "Thickness of the lean-concrete bed", "mm", 50, 200, 100, &O::leanThickness, nullptr,
       "M10 under every footing, drawn in the sections and counted in the quantities; the footing stands on it at "
       "the founding level"},
      {"leanProjection", "Lean concrete beyond the footing on each side", "mm", 0, 300, 100, &O::leanProjection,
       nullptr, "the bed reaches this far past the footing's edges, so that the bottom bars' cover is kept"},
  };
  return rows;
}

DesignOptions::DesignOptions() : barDiameters(kDefaultBarDiameters) {
  for (const DesignOptionRow& row : designOptionRows()) setOptionValue(*this, row, row.fallback);
}

std::string barDiametersProblem(const std::vector<int>& dias) {
  bool ok = !dias.empty() && dias.size() <= 12;
  for (std::size_t i = 0; ok && i < dias.size(); ++i)
    ok = dias[i] >= kSmallestBarDia && dias[i] <= kLargestBarDia && (i == 0 || dias[i] > dias[i - 1]);
  if (ok) return {};
  return std::string(kBarDiametersKey) + " \"" + barDiametersText(dias) +
         "\" is out of range: the bar diameters are 1 to 12 different whole numbers from " +
         std::to_string(kSmallestBarDia) + " to " + std::to_string(kLargestBarDia) + " mm";
}

std::string barDiametersText(const std::vector<int>& dias) {
  std::string t;
  for (int d : dias) t += (t.empty() ? "" : ", ") + std::to_string(d);
  return t;
}

std::optional<std::vector<int>> parseBarDiameters(const std::string& text) {
  std::vector<int> dias;
  std::string digits;
  auto flush = [&]() -> bool {
    if (digits.empty()) return true;
    if (digits.size() > 3) return false;
    dias.push_back(std::stoi(digits));
    digits.clear();
    return true;
  };
  for (char ch : text) {
    if (std::isdigit(static_cast<unsigned char>(ch))) digits += ch;
    else if (ch == ',' || ch == ';' || ch == ' ' || ch == '\t') {
      if (!flush()) return std::nullopt;
    } else return std::nullopt;
  }
  if (!flush()) return std::nullopt;
  std::sort(dias.begin(), dias.end());
  return dias;
}

const DesignOptionRow* designOptionRow(const std::string& key) {
  for (const DesignOptionRow& row : designOptionRows())
    if (key == row.key) return &row;
  return nullptr;
}

std::optional<double> optionValue(const DesignOptions& o, const DesignOptionRow& row) {
  if (row.number) return o.*row.number;
  return o.*row.optional;
}

void setOptionValue(DesignOptions& o, const DesignOptionRow& row, std::optional<double> value) {
  if (row.number) o.*row.number = value.value_or(0);
  else o.*row.optional = value;
}

namespace {

std::string withUnit(double v, const char* unit) {
  return numberText(v) + (unit[0] ? std::string(" ") + unit : std::string());
}

// "Unit weight of concrete" as it reads inside a sentence.
std::string lowerFirst(std::string s) {
  if (!s.empty()) s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  return s;
}

}  // namespace

std::string optionRangeText(const DesignOptionRow& row) {
  if (!row.choices.empty()) {
    std::string list;
    for (std::size_t i = 0; i < row.choices.size(); ++i)
      list += (i == 0 ? "" : i + 1 == row.choices.size() ? " or " : ", ") + numberText(row.choices[i]);
    return list + (row.unit[0] ? std::string(" ") + row.unit : std::string());
  }
  return "from " + numberText(row.min) + " to " + withUnit(row.max, row.unit) + (row.optional ? ", or none" : "");
}

std::string optionValueText(const DesignOptionRow& row, std::optional<double> value) {
  return value ? withUnit(*value, row.unit) : "none";
}

std::string optionProblem(const DesignOptionRow& row, std::optional<double> value, const std::string& shownValue) {
  bool ok = value ? std::isfinite(*value) && *value >= row.min && *value <= row.max : row.optional != nullptr;
  if (ok && value && !row.choices.empty())
    ok = std::find(row.choices.begin(), row.choices.end(), *value) != row.choices.end();
  if (ok) return {};
  return std::string(row.key) + " " + shownValue + " is out of range: the " + lowerFirst(row.label) + " is " +
         optionRangeText(row);
}

}  // namespace plintova
