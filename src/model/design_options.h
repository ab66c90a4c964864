// The engineer's design options: unit weights, water table, friction, stability factors, the increase of
// the SBC for wind and earthquake and the height of the support point, each with its key, unit, range and
// default in one table.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plintova {

// Every option of the design. The defaults are those of designOptionRows(); a default-constructed value
// holds them. A later option is one field here and one row there: the project file, the options file,
// the dialog and the report all follow the table.
struct DesignOptions {
  double concreteUnitWeight = 0;           // kN/m3
  double soilUnitWeight = 0;               // kN/m3
  std::optional<double> waterTableDepth;   // m below the ground; none: the soil is dry to any depth
  double friction = 0;                     // coefficient of friction mu between footing and soil
  double upliftFactor = 0;                 // against uplift, IS 456 cl. 20.1
  double overturningFactor = 0;            // against overturning, cl. 20.1
  double slidingFactor = 0;                // against sliding, cl. 20.2
  double sbcIncrease = 0;                  // allowable pressure of a wind or earthquake case over SBC
  double supportHeight = 0;                // h, m: the support point above the footing's underside
  double cover = 0;                        // mm of clear cover below the bottom bars
  double minBarSpacing = 0;                // mm: the closest centre spacing of bars a row is given
  double spacingStep = 0;                  // mm: spacings are rounded down to a multiple of it
  double pedestalMargin = 0;               // mm: a pedestal stands this far beyond its column each side
  double footingProjection = 0;            // mm: a footing reaches this far beyond its pedestal each side
  double clearGap = 0;                     // mm: the least clear gap between two footings
  double dowelDia = 0;                     // mm: diameter of the dowels from a footing into its column
  double dowelFullStress = 0;              // 1: dowels develop 0.87 fy in the footing; 0: the stress they carry
  double pedestalCover = 0;                // mm of clear cover to a pedestal's ties
  double bendRadius = 0;                   // internal radius of bends, in bar diameters
  double leanThickness = 0;                // mm of lean concrete (M10) under a footing
  double leanProjection = 0;               // mm the lean concrete reaches beyond the footing each side
  // Bar diameters a row may take, ascending, mm: the smallest that fits its spacing limits is chosen.
  std::vector<int> barDiameters;

  DesignOptions();
  bool operator==(const DesignOptions&) const = default;
};

// One option: where it lives, what it is called and which values it takes (both ends included).
struct DesignOptionRow {
  const char* key;      // as the project file and the options file write it: "concreteUnitWeight"
  const char* label;    // as the dialog and the report name it: "Unit weight of concrete"
  const char* unit;     // "kN/m3", "m", "" for a pure number
  double min, max;
  std::optional<double> fallback;  // the default; none for an option that is off unless set
  double DesignOptions::*number = nullptr;                  // a plain number, or
  std::optional<double> DesignOptions::*optional = nullptr;  // a number that may be none
  const char* basis;    // what it does, for the report and the dialog's tooltip
  std::vector<double> choices = {};  // the only values taken, where the range is a short list
};

// Bar diameters the design takes (mm), the default range, and the option's key in the files.
inline constexpr int kSmallestBarDia = 8, kLargestBarDia = 32;
inline const std::vector<int> kDefaultBarDiameters = {10, 12, 16, 20, 25};
inline constexpr const char* kBarDiametersKey = "barDiameters";
// "" when `dias` is a usable set of bar diameters (1 to 12 of them, each 8 to 32 mm, no repeats);
// otherwise the refusal, naming the key and the range.
std::string barDiametersProblem(const std::vector<int>& dias);
// "10, 12, 16, 20, 25".
std::string barDiametersText(const std::vector<int>& dias);
// Reads "10, 12 16;20" (separated by commas, blanks or semicolons) into ascending diameters; none when
// the text holds something other than whole numbers.
std::optional<std::vector<int>> parseBarDiameters(const std::string& text);

const std::vector<DesignOptionRow>& designOptionRows();
const DesignOptionRow* designOptionRow(const std::string& key);

std::optional<double> optionValue(const DesignOptions& o, const DesignOptionRow& row);
void setOptionValue(DesignOptions& o, const DesignOptionRow& row, std::optional<double> value);

// "from 20 to 26 kN/m3" (and ", or none" where the option may be none).
std::string optionRangeText(const DesignOptionRow& row);
// "25 kN/m3", "0.5", "none".
std::string optionValueText(const DesignOptionRow& row, std::optional<double> value);
// "" when `value` is one the option takes; otherwise the refusal, naming key, value and range:
// "concreteUnitWeight 30 is out of range: the unit weight of concrete is from 20 to 26 kN/m3" (no stop).
std::string optionProblem(const DesignOptionRow& row, std::optional<double> value, const std::string& shownValue);

// Unit weight of water, kN/m3: below the water table the weights are submerged (less this).
constexpr double kWaterUnitWeight = 9.81;

}  // namespace plintova
