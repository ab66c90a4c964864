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
  std::vector<int> footings; // their footing indices (a combined footing's members)
  double value = 0;          // mm: the clear gap (negative: the overlap), or the amount beyond
  double limit = 0;          // mm: the least clear gap, or 0
  std::string message;       // one line for the engineer, with the suggestion where there is one
};

// The footings as built (isolated, hand-resized and combined; not disabled ones) and their pedestals,
// each pair of footings whose clear gap is less than the clear gap of the design options (overlapping
// ones suggested to be combined), then each pedestal that reaches beyond its footing and each column
// larger than its pedestal. The pedestals are those of the designed schedule, or the size groups' before a design.
std::vector<PlanCheck> planChecks(const Project& p);

// "1 pair of footings overlaps, 2 pedestals do not fit their footings or columns": "" when there are none.
std::string planChecksSummary(const std::vector<PlanCheck>& checks);

// The names of the failed checks of schedule row r (group rows first, then the rows of hand-resized and
// combined footings, as the schedule numbers them), in the order of the row's checks.
std::vector<std::string> failedCheckNames(const Project& p, int r);

// Whether the designed schedule and the plan may be issued for construction: no schedule row fails a
// check and no plan check is flagged.
struct IssueState {
  std::vector<std::string> failingRows;  // marks of the rows that fail a check
  std::vector<PlanCheck> plan;
  bool issuable() const { return failingRows.empty() && plan.empty(); }
  // "3 footing rows fail their checks and 2 pairs of footings overlap." ("" when issuable).
  std::string reason() const;
};
IssueState issueState(const Project& p);

// The stamp an issued document carries while it is not issuable.
inline constexpr const char* kPreliminaryStamp = "PRELIMINARY - NOT FOR CONSTRUCTION";

}  // namespace plintova
