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

// Side of a square footing whose edge pressure P/L^2 + 6M/L^3 reaches the allowable pressure q (q > 0):
// P the factored vertical load, M = Mx + Mz the moments about the footing's centre at its underside.
// Newton's method, 20 steps from just beyond the turning point, L held in single precision; a result
// that is not the positive root (loads so large that the start offset is lost in single precision)
// is replaced by bracketedSide.
double pressureSide(double P, double M, double q);

// The positive root of q L^3 - P L - 6 M = 0 (q > 0, M >= 0) in double precision, found by bracketing
// it between the turning point sqrt(P / 3q) and an upper bound widened until the cubic is positive,
// then bisecting to neighbouring doubles. The result never lies below the root. 0 without a positive q.
double bracketedSide(double P, double M, double q);

// The side a footing of support s needs with its present eccentricity (footing/soil_checks.h) and the
// design options, before it is stored.
struct RequiredSize {
  double side = 0;       // m, rounded up to the whole millimetre, at least leastSide
  bool noTension = false;  // the no-tension requirement governs
  bool capped = false;     // the no-tension requirement asked for more than 6 m: the footing has tension
  bool uplift = false;     // the uplift requirement governs
};
// For every case that presses on the soil (FY > 0): the pressure side (edge pressure of P = 1.1 FY and
// the moments about the footing's centre at its underside within the allowable pressure) and the
// no-tension side 6 (Mx + Mz) / P, at most 6 m. For every case with FY zero or upward: upliftSide.
RequiredSize requiredSize(const Project& p, int s);

// The smallest side of isolated footing s (m): its pedestal (the size groups' rule for that side, or its
// column with the pedestal margin where that is larger) with the footing's projection beyond it on each
// side (the design options); 0.7 m by default under a column up to 300 mm.
double leastSide(const Project& p, int s);

// The smallest side in whole millimetres (at least 1 mm) of a square footing that holds down an uplift
// U kN with 0.9 W >= factor x U (IS 456 cl. 20.1, the uplift factor of the options) and does not
// overturn about either pair of edges, N L/2 >= factor x M with N = 0.9 W + N0 (N0 = FY, zero or
// upward) for the moments Mx and Mz at the underside. W is the weight of a footing 250 mm deep with the
// pedestal of its size group, the pedestal up to the founding depth and the soil beside it
// (footingWeight). Sides beyond 60 m are returned as found (the caller refuses them).
double upliftSide(const Project& p, double U, double Mx, double Mz, double N0);

// Whether an L x B footing (L along X) 250 mm deep holds down U and stands against Mx (tipping across
// B) and Mz (tipping along L) as upliftSide asks.
bool heldDown(const Project& p, double L, double B, double U, double Mx, double Mz, double N0);

// Sizes footing s and stores its required size, NoTension, NoTensionCapped,
// UpliftGoverns and the offset it was sized at. A side above 30 m is refused: the text names the joint
// and the side, and nothing is stored.
std::string sizeFooting(Project& p, int s);

// Sizes every footing (requiredSize): the largest pressure-governed side over the support's load cases
// that press on the soil, raised to the no-tension side (at most 6 m) or the uplift side where larger,
// rounded up to the millimetre. Zero and upward reactions are kept as read and reported in one message
// per kind (reportLiftedSupports).
// A support that needs a side above 30 m refuses the listing: sizing stops there and the refusal text
// (naming the joint and the side) is returned; the text is empty when every footing was sized.
std::string sizeFootings(Project& p, Prompter& prompter);

// Sizes again the footings whose offset from their column changed since they were sized (every footing
// when the design options changed): what the derived plan does before grouping.
struct SizesChanged {
  std::string refusal;
  bool changed = false;  // a required size changed
};
SizesChanged resizeMovedFootings(Project& p);

// One message for the supports lifted by an upward FY (naming them, the largest uplift and its case,
// every case as a detail line) and one for the cases with FY = 0.
void reportLiftedSupports(const Project& p, Prompter& prompter);

}  // namespace plintova
