// The plan derived from the engineer's decisions: positions, footing kinds, sizes, combined footings,
// group sizes and ticks, and the assignment with its marks.
#pragma once

#include <string>

#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Decisions sized to the footing table: every footing concentric, none disabled, combined or resized,
// every group at its base size and ticked, no schedule edit; the design options stay as they are.
void resetDecisions(Project& p);

// Derives the plan from p.decisions and the sized footings: offset steps and footing centres; the
// required sizes of the footings whose eccentricity or design options changed, and the size groups
// built again when a required size changed; each footing's kind
// (isolated, disabled, hand-resized, or a member of combined footing n in the order the pairs were made); the combined footings and their members' sizes; the widths of hand-resized footings; the
// groups' sizes and ticks (the largest group always ticked); the assignment of the ordinary footings,
// the group marks and the running numbers of hand-resized footings. Disabled footings show their
// required size and belong to no group.
// A combined pair whose columns no longer lie on one line (after an offset) is dropped from the
// decisions and named in one message; footings larger than every ticked group are named in one
// message. Returns a refusal (a hand-resized or combined footing whose side would exceed the largest
// side, limits::kLargestSide; the assignment would put more footings into a group than it holds) or
// an empty text; after a refusal the derived tables are not to be used until the decisions change back.
std::string derivePlan(Project& p, Prompter& prompter);

// Puts `next` in place of the decisions and derives the plan. A refusal is shown, the previous
// decisions are put back and derived again, and false is returned.
bool applyDecisions(Project& p, Decisions next, Prompter& prompter);

// The start of a plan: footings placed on their joints, sized, the grid lines and size groups built,
// the decisions reset and the plan derived. Returns the reason when the listing cannot be designed
// (a side beyond the largest footing, more grid lines, sizes or footings of one size than the tables
// hold); the messages of sizing (zero or upward reactions) go through the prompter.
std::string startPlan(Project& p, Prompter& prompter);

}  // namespace plintova
