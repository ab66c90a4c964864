// Schedule rows beyond the size groups: hand-resized (rectangular) and combined footings designed to
// IS 456, their bars, and the code checks every row carries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/pedestal_sides.h"
#include "model/single.h"

namespace plintova {

// One layer of bars of a row.
struct SteelLayer {
  std::string where;      // "bottom along L", "bottom along B", "top along L", "bottom along B under joint 21"
  Single Ast = 0;         // steel area the layer needs, mm2
  int16_t dia = 0;        // bar diameter, mm
  int16_t spacing = 0;    // centre to centre, mm
  int16_t bars = 0;       // number of bars
  Single width = 0;       // width over which the bars are spread, m
  Single d = 0;           // effective depth of the layer, mm
  bool bent = false;      // the bars end in a standard 90 degree bend at the footing's edges
  bool operator==(const SteelLayer&) const = default;
};

// The pedestal under one column and the bars that join the column to the footing, as the design chose
// them. A pedestal of no height (a footing as deep as the founding level) has dowels only.
struct PedestalSteel {
  std::string where;          // "pedestal", or "pedestal at joint 21" where a row has two
  PedestalSides sides;        // along X and along Z, m
  Single height = 0;          // from the footing's top to the founding level, m
  Single columnX = 0, columnZ = 0;  // column section the bearing and the dowels are worked for, mm
  bool columnKnown = false;   // false: the listing gives no section; the pedestal less its margins is taken
  Single Pu = 0;              // factored axial load of the column, kN
  SteelLayer vertical;        // bars round the perimeter; `spacing` the wider along a face, `bars` per pedestal
  int16_t spacingAlongX = 0;  // mm between the vertical bars' centres on the faces along X
  int16_t spacingAlongZ = 0;  // and on the faces along Z
  SteelLayer ties;            // closed ties: `bars` in the height, `spacing` their pitch
  int16_t crossTiesAlongX = 0;  // cross ties in each set running along X, one to each pair of opposite
  int16_t crossTiesAlongZ = 0;  // intermediate bars; and those running along Z
  int crossTies() const { return crossTiesAlongX + crossTiesAlongZ; }
  SteelLayer dowels;          // `bars` per column
  Single footingDepth = 0;    // D, mm
  Single mat = 0;             // mm of bottom bars the vertical bars and dowels stand on
  Single dowelEmbedment = 0;  // mm of straight dowel within the footing
  Single dowelLap = 0;        // mm of dowel lapped with the column's bars above the pedestal
  bool operator==(const PedestalSteel&) const = default;
};

// A quantity a check was worked out from, so that a report can write its substitution out: "Vu" in kN,
// "b" and "d" in mm, ...
struct CheckTerm {
  std::string symbol;
  double value = 0;
  std::string unit;
  bool operator==(const CheckTerm&) const = default;
};

// What a check compares. The report writes each kind's formula and the schedule marks the cell of its
// quantity by the kind, never by the check's name.
enum class CheckKind : uint8_t {
  Other,
  Bearing,            // soil pressure at the underside against the allowable pressure
  Resultant,          // the resultant's offset within the middle third, or within the base
  Uplift,             // the footing's weight against an upward reaction
  Sliding,
  Overturning,        // about the edges parallel to `axis`
  Bending,            // the factored moment against the limiting moment
  SteelForBending,    // the factored moment against the moment of resistance of the bars
  OneWayShear,
  Punching,
  MinimumSteel,
  BarSpacing,         // the largest spacing of a layer
  LeastBarSpacing,
  EdgeDepth,
  DevelopmentLength,
  PedestalLoad,       // the pedestal's axial load against its capacity
  PedestalSteel,      // its vertical steel, at least as needed and at most 6 %
  PedestalBarSpacing,
  PedestalTiePitch,
  PedestalFit,        // the pedestal around its column with the margin
  ColumnBaseBearing,  // bearing of the column on the pedestal
  PedestalBaseBearing,  // bearing of the pedestal on the footing
  DowelSteel,
  DowelDevelopment,
};

// One check of a row against IS 456: the demand, the capacity it may not exceed, and the clause.
struct CodeCheck {
  CheckKind kind = CheckKind::Other;
  std::string name;       // "bearing", "bending along L", "one-way shear along B", "punching at joint 21", ...
  std::vector<int> joints;  // the joints whose footing it concerns (none: the row's section as a whole)
  int loadCase = 0;         // the load case it concerns, 0 for none
  char axis = 0;            // 'X' or 'Z' for a check in one plan direction (overturning, pedestal fit)
  double demand = 0;
  double capacity = 0;
  std::string unit;       // "kN/m2", "kN m", "N/mm2", "mm", "mm2", ...
  std::string clause;     // "IS 456 cl. 31.6.3.1", ...
  bool ok = true;         // exactly when demand <= capacity
  std::vector<CheckTerm> terms;  // what it was worked out from (where the design records it)
  // The term of that symbol, or nothing.
  const CheckTerm* term(const std::string& symbol) const {
    for (const CheckTerm& t : terms)
      if (t.symbol == symbol) return &t;
    return nullptr;
  }
  bool operator==(const CodeCheck&) const = default;
};

// The engineer's edits of one row: only what was set.
struct RowEdit {
  std::optional<float> pedestalX, pedestalZ, depth;
  std::optional<int16_t> barDia;
};

// The bearing pressure under a combined footing in one load case, as its bearing check works it out:
// P = 1.1 FY of both columns, the resultant e off the footing's centre, every moment counted whatever its
// sign. `allowable` is each member's allowable pressure in that case, negative where the case is not one
// of that member's.
struct CasePressure {
  int loadCase = 0;
  double fy = 0;     // kN, FY of both columns as read
  double e = 0;      // m, from the centre towards the second column's end
  double q = 0;      // kN/m2, the peak edge pressure
  double allowable[2] = {-1, -1};
  bool ok() const {
    for (double a : allowable)
      if (a >= 0 && q > a) return false;
    return true;
  }
};

// A combined footing as a beam along its length, for its figures: stations from its first end, the
// factored soil pressure of the case that presses hardest, and the envelopes over the factored cases of
// the shear force and the bending moment (sagging positive). Empty for a footing that was not designed.
struct BeamDiagram {
  std::vector<double> x;                    // m
  std::vector<double> pressure;             // kN per m of length
  std::vector<double> shearMax, shearMin;   // kN
  std::vector<double> momentMax, momentMin; // kN m
  double columns[2] = {0, 0};               // m from the first end
  int pressureCase = 0;                     // load case number of the pressure
  bool operator==(const BeamDiagram&) const = default;
};

// A schedule row of a hand-resized (rectangular) footing or a combined footing.
struct FootingRow {
  enum class Kind { Rectangular, Combined };
  Kind kind = Kind::Rectangular;
  std::vector<int> footings;  // footing indices: one, or the two members of the combined footing in table order
  int number = 0;             // the plan's mark: R<number> or C<number>
  Single L = 0, B = 0;        // plan size, m: L along X for a rectangular footing, along the columns' line for a combined one
  Single TotalDepth = 0;      // m
  Single BendingDepth = 0;    // m, the total depth bending alone needs: where the design starts
  PedestalSides Pedestal;     // sides of the pedestal(s) along X and Z, m
  int16_t BarDia = 0;         // the bar diameter the engineer chose (0: the design chooses)
  Single NetPressure = 0;     // the design's net upward pressure, kN/m2 (the largest over the cases)
  int GovFooting = 0, GovCase = 0;  // footing index and load-case position that govern
  double LoadFactor = 1.5;          // the governing design case's load factor on NetPressure
  std::vector<SteelLayer> steel;
  std::vector<CodeCheck> checks;
  std::vector<CasePressure> pressures;  // a combined row's bearing pressure of every paired case
  BeamDiagram beam;                     // a combined row's beam along its length
  std::vector<PedestalSteel> pedestals;  // one per column, in the order of `footings`

  std::string mark() const { return (kind == Kind::Rectangular ? "R" : "C") + std::to_string(number); }
  // A check failed: the row cannot be built as it stands (its cells are marked in the schedule).
  bool flagged() const {
    for (const CodeCheck& c : checks)
      if (!c.ok) return true;
    return false;
  }
};

}  // namespace plintova
