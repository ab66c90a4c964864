// Placing the footings on their support joints and sizing the square isolated footing of every support.
#pragma once

#include <utility>

#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Number of supports that have a footing record: SupportCount, held within the footing table.
int footingBound(const Project& p);

// Sets PosX/PosZ, ColumnX/ColumnZ and JointNo of every footing from the first joint whose number is
// the support's joint number (a support without such a joint keeps its previous values), then
// FootingCount.
void placeFootings(Project& p);

// Side of the square footing of support s that brings the edge pressure P/L^2 + 6M/L^3 of load-case
// position c to its allowable value, with P = FactoredLoad (set by the caller) and M = |MX| + |MZ|.
// Newton's method, 20 steps from just beyond the turning point, L held in single precision.
// Both values are the same side. Without an allowable pressure there is no root and both are 0.
std::pair<float, float> requiredSide(const Project& p, int s, int c);

// Sizes every footing: the largest pressure-governed side over the support's load cases, raised to
// the no-tension side (resultant within the middle third, at most 6 m) where that is larger, then
// rounded up to the millimetre. Reports every case with a zero or upward FY ("Check JOINT : ") and
// replaces its FY by 1.0 kN in the reaction table. Marks NoTension on footings whose size the
// no-tension requirement governs. LastCaseIndex ends as the last position of the last support.
void sizeFootings(Project& p, Prompter& prompter);

}  // namespace plintova
