// Placing the footings on their support joints and sizing the square isolated footing of every support.
#pragma once

#include <string>
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
// Newton's method, 20 steps from just beyond the turning point, L held in single precision; a result
// that is not the positive root (loads so large that the start offset is lost in single precision)
// is replaced by bracketedSide. Both values are the same side, never NaN or infinite (at most the
// largest single). Without an allowable pressure there is no root and both are 0.
std::pair<float, float> requiredSide(const Project& p, int s, int c);

// The positive root of q L^3 - P L - 6 M = 0 (q > 0, M >= 0) in double precision, found by bracketing
// it between the turning point sqrt(P / 3q) and an upper bound widened until the cubic is positive,
// then bisecting to neighbouring doubles. The result never lies below the root. 0 without a positive q.
double bracketedSide(double P, double M, double q);

// Sizes every footing: the largest pressure-governed side over the support's load cases, raised to
// the no-tension side (resultant within the middle third, at most 6 m) where that is larger, then
// rounded up to the millimetre. Reports every case with a zero or upward FY ("Check JOINT : ") and
// replaces its FY by 1.0 kN in the reaction table. Marks NoTension on footings whose size the
// no-tension requirement governs. LastCaseIndex ends as the last position of the last support.
// A support that needs a side above 30 m refuses the listing: sizing stops there and the refusal text
// (naming the joint and the side) is returned; the text is empty when every footing was sized.
std::string sizeFootings(Project& p, Prompter& prompter);

}  // namespace plintova
