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

// Sizes combined footing n from its first design (step 0: the centre distance plus 1 m, rounded to
// 0.1 m) or from the stored length shortened (-1) or lengthened (+1) by 0.1 m; see sizeCombinedFooting.
void stepCombinedFooting(Project& p, int n, int step);

// Sizes combined footing n from the start length L0 (m): the cantilevers place it on the resultant of
// the first load case where they allow (each at least 0.5 m, in whole millimetres), the length is then
// rounded up to the next 0.1 m with the difference going to the second cantilever; where a case's
// resultant lies on or beyond an end the length grows by 0.1 m (half beyond each column) until none does,
// unless the engineer chose the length (`lengthChosen`). The width is widened in 0.05 m steps from 0.65 m
// until the peak pressure of every load case of either member is allowable (the no-tension pressure
// where the underside would lift off along the length) and, where the two columns lift the footing, its
// weight holds them down (0.9 W >= the uplift factor times U). Sets CfLength, CfWidth, Cant1, Cant2, the
// plan rectangle (exactly CfLength long) and the members' sizes. A start length that is not finite is
// taken as that of the first design.
void sizeCombinedFooting(Project& p, int n, double startLength, bool lengthChosen = false);

// "L X B = A" of combined footing n (for example "4 X 1.5 = 6").
std::string combinedSizeText(const Project& p, int n);

}  // namespace plintova
