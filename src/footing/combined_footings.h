// Combined footings: joining two close footings into one rectangular footing, its sizing and dissolving.
#pragma once

#include <string>

#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// A selection window on the plan: two opposite corners in plan millimetres, in any order.
struct PlanRect {
  double x1 = 0, z1 = 0, x2 = 0, z2 = 0;
};

// Combines the two footings whose centres lie strictly inside the window, when they lie on one line
// along Z or X (cross offset at most 600 mm, the later footing more than 1000 mm further along),
// asking before a skew of more than 10 mm is accepted. Other counts of footings combine nothing
// silently; more than ten, a footing already combined or disabled, or a full table are refused with
// a message. Returns true when a combined footing was made (and designed).
bool combineFootings(Project& p, PlanRect window, Prompter& prompter);

// Sizes combined footing n: step 0 starts from the centre distance plus 1 m; -1 and +1 shorten or
// lengthen the stored length by 0.1 m. Places it on the resultant of the first load case within
// cantilevers of at least 0.5 m, widens it in 0.05 m steps until every load case is allowable, and
// sets its plan rectangle and the members' sizes.
void DesignCombinedFooting(Project& p, int n, int step);

// "L X B = A" of combined footing n (for example "4 X 1.5 = 6").
std::string combinedSizeText(const Project& p, int n);

// Dissolves the combined footing of the selected footing: its members become ordinary footings of
// their required size, later combined footings move down one slot. Returns false (and does nothing)
// when the selected footing is no member of a combined footing.
bool DeleteCombinedFooting(Project& p, Prompter& prompter);

}  // namespace plintova
