// Combined footings: joining two close footings into one rectangular footing, its sizing and dissolving.
#include "footing/combined_footings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "footing/case_basis.h"
#include "footing/derived_plan.h"
#include "footing/footing_width.h"
#include "footing/no_tension.h"
#include "footing/plan_decisions.h"
#include "footing/size_groups.h"
#include "footing/soil_checks.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kMinCantilever = 0.5;          // m, beyond each column
constexpr double kStartWidth = 0.6;             // m, the first width tried is this plus one step
constexpr double kWidthStep = 0.05;             // m
constexpr double kLengthStep = 0.1;             // m per wheel notch
constexpr double kLengthRoundingAllowance = 0.0499;  // rounds the length up to the next 0.1 m
// Widths up to 30 m, the largest footing side that can be designed: a pair that needs more (a resultant
// near an end leaves little of the length pressing) stops there and its row's bearing check flags it.
constexpr int kMaxWidthSteps = 588;
constexpr int kMaxLengthening = 600;            // 60 m more: no real pair of columns gets near it

// Loads of the two members in one case, times its factor: a member without that case carries none.
struct PairLoads {
  double fyA = 0, fyB = 0;
  double mAlong = 0;   // moments bending along the combining axis, signed sum
  double mAcross = 0;  // moments bending across it, signed sum
};

PairLoads pairLoads(const Project& p, int a, int b, const PairCaseUse& u, bool alongX) {
  PairLoads l;
  const int kAlong = alongX ? 4 : 3;   // MZ bends along X, MX along Z
  const int kAcross = alongX ? 3 : 4;
  for (int m = 0; m < 2; ++m) {
    const int s = m == 0 ? a : b, c = u.position[m];
    if (c < 0) continue;
    (m == 0 ? l.fyA : l.fyB) = u.factor * p.ReactionTable(s, c, 2);
    l.mAlong += u.factor * p.ReactionTable(s, c, kAlong);
    l.mAcross += u.factor * p.ReactionTable(s, c, kAcross);
  }
  return l;
}

// Distance of the resultant from the first column, m. Loads that cancel leave no resultant: it is
// taken midway between the columns.
double resultantFromFirst(double fyB, double P, double d) { return P != 0.0 ? fyB / P * d : d / 2.0; }

// Width tried at step k = 1, 2, ...: the single nearest to 0.6 + 0.05 k, worked out afresh for every
// step so that the widths do not drift as repeated single-precision additions would.
double widthAt(int k) { return roundToSingle(kStartWidth + kWidthStep * k, 2); }

// Whether the soil takes a case on an L x B footing: the peak pressure under the factored load, with both
// moments taken whatever their sign (mAlong bends along the length L, mAcross across the width B), is
// allowable. Where the linear pressure would put tension under part of the footing the peak is that of
// the no-tension pressure (along the length alone, 2 P / (3 B (L/2 - e))). A resultant on or beyond
// an end balances on no width: the width cannot help, and the row's check flags it.
bool pressureAllowable(double P, double mAlong, double mAcross, double L, double B, double allowable) {
  const double Pf = kSoilCheckLoadFactor * P;
  if (!(mAlong / Pf < L / 2)) return true;
  const PressureUnderFooting cp = pressureUnderFooting(Pf, mAcross, mAlong, L, B);
  return cp.balanced && cp.max <= allowable;
}

// The resultant of a case lies on or beyond an end of the footing (the factored load with the moment
// along its length): no width balances it.
bool beyondAnEnd(double P, double mAlong, double L) {
  return P > 0 && !(mAlong / (kSoilCheckLoadFactor * P) < L / 2);
}

// The pedestals of a combined footing, per direction: the envelope of its two footings' own pedestals
// (the size groups' square for each required size) and of their columns with the margin.
PedestalSides pairPedestal(const Project& p, int a, int b) {
  PedestalSides sides;
  for (int s : {a, b})
    sides = envelope(envelope(sides, PedestalSides::square(PedestalSizeFor(roundToSingle(p.FootingTable[s].ReqSize + 0.049999, 1)))),
                     columnPedestal(p, s));
  return sides;
}

// Weight of the combined footing L x B with its two pedestals, 250 mm deep, as sizing takes it.
double pairWeight(const Project& p, int a, int b, double L, double B) {
  return footingWeight(p.decisions.options, p.FoundingDepth, L, B, kFirstFootingDepth, pairPedestal(p, a, b), 2);
}

// The plan rectangle of combined footing cf over footings a and b, in whole millimetres: the cantilevers
// (cant1, cant2 m) beyond the columns along the axis, half the width either side of the centre line
// across it; and the members' sizes (the width along X, the length along Z).
void placeCombinedFooting(Project& p, CombinedFootingRecord& cf, int a, int b, double cant1, double cant2) {
  FootingRecord& fa = p.FootingTable[a];
  FootingRecord& fb = p.FootingTable[b];
  const double B = cf.CfWidth;
  const double before = roundWhole(1000.0 * cant1), beyond = roundWhole(1000.0 * cant2);
  if (cf.CfAxis != 1) {
    const double centre = fa.PosX + static_cast<double>(cf.CfHalfSkew);
    cf.CfLeft = centre - 500.0 * B;
    cf.CfRight = centre + 500.0 * B;
    cf.CfBottom = fa.PosZ - before;
    cf.CfTop = fb.PosZ + beyond;
  } else {
    const double centre = fa.PosZ + static_cast<double>(cf.CfHalfSkew);
    cf.CfLeft = fa.PosX - before;
    cf.CfRight = fb.PosX + beyond;
    cf.CfBottom = centre - 500.0 * B;
    cf.CfTop = centre + 500.0 * B;
  }
  fa.SizeL = fb.SizeL = cf.CfWidth;
  fa.SizeB = fb.SizeB = cf.CfLength;
}

// The least cantilever of footings a and b combined, m: each end reaches at least 0.5 m beyond its
// column, and the footing's projection beyond the side of the pedestal that lies along the length.
double leastCantilever(const Project& p, int a, int b, bool alongX) {
  const PedestalSides pedestal = pairPedestal(p, a, b);
  const double along = alongX ? pedestal.x : pedestal.z;
  return std::max(kMinCantilever, roundTo(along / 2 + p.decisions.options.footingProjection / 1000, 3));
}

// The cantilevers and length of a footing L0 long over columns d apart: the first cantilever places it
// on the resultant of the first case's loads (at least leastCant, in whole millimetres), the second
// takes the rest (at least leastCant), and the length rounded up to the next 0.1 m gives its difference
// to the second.
struct Placement {
  double cant1 = 0, cant2 = 0, L = 0;
};
Placement firstPlacement(double L0, double d, const PairLoads& first, double leastCant) {
  double cant1 = L0 / 2.0 - resultantFromFirst(first.fyB, first.fyA + first.fyB, d);
  if (cant1 < leastCant) cant1 = leastCant;
  cant1 = roundTo(cant1, 3);
  double cant2 = L0 - cant1 - d;
  if (cant2 < leastCant) cant2 = leastCant;
  const double L = roundTo(cant1 + d + cant2 + kLengthRoundingAllowance, 1);
  return {cant1, roundTo(L - d - cant1, 3), L};
}

}  // namespace

void stepCombinedFooting(Project& p, int n, int step) {
  if (n < 1 || n > p.CombinedCount) return;
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  const double start = step == 0 ? roundTo(cf.CfDistance / 1000.0 + 1.0, 1)
                                 : cf.CfLength + (step < 0 ? -kLengthStep : kLengthStep);
  sizeCombinedFooting(p, n, start);
}

void sizeCombinedFooting(Project& p, int n, double startLength, bool lengthChosen) {
  if (n < 1 || n > p.CombinedCount) return;
  CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  if (cf.CfMemberCount < 2) return;
  const int a = cf.CfMembers[1], b = cf.CfMembers[2];
  if (a < 1 || a > p.FootingCount || b < 1 || b > p.FootingCount) return;
  const bool alongX = cf.CfAxis == 1;
  const double d = cf.CfDistance / 1000.0;  // whole millimetres
  const double L0 = std::isfinite(startLength) ? startLength : roundTo(d + 1.0, 1);

  // Centre the footing on the resultant of the first load case where the cantilevers allow, in whole
  // millimetres; then round the length up to the next 0.1 m and give the difference to the second
  // cantilever, so that the length stored, drawn, checked and exported is one and the same.
  const std::vector<PairCaseUse> cases = soilCases(p, a, b);
  const PairLoads first = cases.empty() ? PairLoads{} : pairLoads(p, a, b, cases.front(), alongX);
  const Placement placed = firstPlacement(L0, d, first, leastCantilever(p, a, b, alongX));
  double cant1 = placed.cant1, cant2 = placed.cant2, L = placed.L;

  // Case c about the footing's centre: its load, its moments along and across the length (every moment
  // whatever its sign, with e P of the resultant e off the centre along the length) and the side of the
  // centre its resultant lies on (+1 toward the second column's end).
  struct CaseAtCentre {
    double P = 0, mAlong = 0, mAcross = 0;
    int side = 0;
  };
  auto caseAt = [&](const PairCaseUse& c) {
    const PairLoads l = pairLoads(p, a, b, c, alongX);
    CaseAtCentre x;
    x.P = l.fyA + l.fyB;
    const double e = (L / 2.0 - cant1) - resultantFromFirst(l.fyB, x.P, d);
    x.mAlong = std::fabs(l.mAlong) + std::fabs(e * x.P);
    x.mAcross = std::fabs(l.mAcross);
    x.side = e < 0 ? 1 : e > 0 ? -1 : 0;
    return x;
  };
  const DesignOptions& o = p.decisions.options;
  // Whether case c is taken at width step k (SBC, or the increased pressure for a case checked against
  // it; the lower where the two members' cases at a position differ): the peak pressure under the
  // contact, or, where the pair lifts the footing, 0.9 W against the uplift factor times U.
  auto takes = [&](const PairCaseUse& c, const CaseAtCentre& x, int k) {
    if (x.P <= 0) return kRestoringWeightFactor * pairWeight(p, a, b, L, widthAt(k)) >= o.upliftFactor * -x.P;
    double allowable = std::numeric_limits<double>::max();
    for (int m = 0; m < 2; ++m)
      if (c.position[m] >= 0) allowable = std::min(allowable, p.allowable(m == 0 ? a : b, c.position[m]));
    return pressureAllowable(x.P, x.mAlong, x.mAcross, L, widthAt(k), allowable);
  };
  // The width steps every case needs (the width only grows: each case's test becomes true as the
  // footing widens, so the first width that takes it is found by doubling, then halving), and whether a
  // case's resultant lies on or beyond an end, and on which side.
  struct Need {
    int k = 1;
    bool beyond = false;
    int beyondSide = 0;
  };
  auto need = [&] {
    Need w;
    for (const PairCaseUse& c : cases) {
      const CaseAtCentre x = caseAt(c);
      if (beyondAnEnd(x.P, x.mAlong, L)) {
        w.beyond = true;
        w.beyondSide = x.side;
      }
      if (takes(c, x, w.k)) continue;
      int lo = w.k, hi = w.k;
      while (hi < kMaxWidthSteps && !takes(c, x, hi)) {
        lo = hi;
        hi = std::min(2 * hi, kMaxWidthSteps);
      }
      while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (takes(c, x, mid) ? hi : lo) = mid;
      }
      w.k = hi;
    }
    return w;
  };
  // Where a case's resultant lies on or beyond an end, a length of the program's grows by 0.1 m at the
  // end the resultant lies toward (half at each end where it lies at the centre) until none does; a
  // length the engineer chose stays, and the row's "resultant within the base" check flags it.
  Need widest = need();
  for (int grow = 0; !lengthChosen && grow < kMaxLengthening && widest.beyond; ++grow) {
    const int side = widest.beyondSide;
    L = roundTo(L + kLengthStep, 1);
    if (side < 0) cant1 = roundTo(cant1 + kLengthStep, 3);
    else if (side == 0) cant1 = roundTo(cant1 + kLengthStep / 2, 3);
    cant2 = roundTo(L - d - cant1, 3);
    widest = need();
  }
  const int k = widest.k;
  const float B = roundToSingle(widthAt(k), 2);

  cf.CfLength = roundToSingle(L, 2);
  cf.CfWidth = B;
  cf.Cant1 = cant1;
  cf.Cant2 = cant2;
  placeCombinedFooting(p, cf, a, b, cant1, cant2);
}

std::string combinedSizeText(const Project& p, int n) {
  if (n < 1 || n > p.CombinedCount) return {};
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  return sizeProductText(roundToSingle(cf.CfLength, 2), roundToSingle(cf.CfWidth, 2));
}

}  // namespace plintova
