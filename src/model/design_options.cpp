// The engineer's design options and their one table of keys, ranges and defaults.
#include "model/design_options.h"

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
  };
  return rows;
}

DesignOptions::DesignOptions() {
  for (const DesignOptionRow& row : designOptionRows()) setOptionValue(*this, row, row.fallback);
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
  return "from " + numberText(row.min) + " to " + withUnit(row.max, row.unit) + (row.optional ? ", or none" : "");
}

std::string optionValueText(const DesignOptionRow& row, std::optional<double> value) {
  return value ? withUnit(*value, row.unit) : "none";
}

std::string optionProblem(const DesignOptionRow& row, std::optional<double> value, const std::string& shownValue) {
  const bool ok = value ? std::isfinite(*value) && *value >= row.min && *value <= row.max : row.optional != nullptr;
  if (ok) return {};
  return std::string(row.key) + " " + shownValue + " is out of range: the " + lowerFirst(row.label) + " is " +
         optionRangeText(row);
}

}  // namespace plintova
