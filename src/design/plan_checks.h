// Checks of the footing plan as built: footings that overlap or stand closer than the clear gap, a
// pedestal outside its footing, a column larger than its pedestal.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

struct PlanCheck {
  std::string kind;          // "overlap", "gap", "pedestal outside footing", "column larger than pedestal"
  std::vector<int> joints;   // joint numbers of the footings concerned
  double value = 0;          // mm: the clear gap (negative: the overlap), or the amount beyond
  double limit = 0;          // mm: the least clear gap, or 0
  std::string message;       // one line for the engineer, with the suggestion where there is one
};

// The footings as built (isolated, hand-resized and combined; not disabled ones) and their pedestals,
// each pair of footings whose clear gap is less than the clear gap of the design options (overlapping
// ones suggested to be combined), then each pedestal that reaches beyond its footing and each column
// larger than its pedestal. The pedestals are those of the designed schedule, or the size groups' before a design.
std::vector<PlanCheck> planChecks(const Project& p);

// "2 footings overlap" style summary of the checks: "" when there are none.
std::string planChecksSummary(const std::vector<PlanCheck>& checks);

}  // namespace plintova
