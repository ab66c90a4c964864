// Quantities of the designed footings: concrete, reinforcement, excavation and formwork per schedule row.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// Working space dug beside each face of a footing, m.
constexpr double kWorkingSpace = 0.3;

// Mass of a bar of diameter dia (mm) per metre, kg: 0.00617 dia^2 (steel at 7850 kg/m3).
double barMassPerMetre(double dia);

// One schedule row's quantities, for all its footings together.
struct RowQuantities {
  std::string mark;         // "F1", "R1", "C1"
  int footings = 0;         // number of footings the row stands for
  int pedestals = 0;        // number of pedestals on them
  double footingConcrete = 0;   // m3: L x B x D for each footing
  double pedestalConcrete = 0;  // m3: ax az x (founding depth - D) for each pedestal, nothing above the footing's top
  double leanConcrete = 0;      // m3: the bed under each footing, t x (L + 2 p) x (B + 2 p) (the lean options)
  double steel = 0;             // kg: every bar of every layer
  double excavation = 0;        // m3: (L + 0.6) x (B + 0.6) x founding depth for each footing
  double formwork = 0;          // m2: 2 (L + B) x D for each footing
  bool steelKnown = true;       // false when the bars of the row could not be counted
};

// Quantities of every schedule row in schedule order (group rows, then hand-resized, then combined) and
// their total (mark "Total").
struct Quantities {
  std::vector<RowQuantities> rows;
  RowQuantities total;
};

// The quantities of the schedule as it stands. Group rows count all their footings (MemberCount); a
// combined footing has two pedestals. The reinforcement of a row is the weight of its bars in the bar
// bending schedule (design/bar_bending.h): footing, pedestal, ties and dowels.
Quantities scheduleQuantities(const Project& p);

}  // namespace plintova
