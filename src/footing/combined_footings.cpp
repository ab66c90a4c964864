// Combined footings: joining two close footings into one rectangular footing, its sizing and dissolving.
#include "footing/combined_footings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "footing/derived_plan.h"
#include "footing/footing_width.h"
#include "footing/plan_decisions.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kMinCantilever = 0.5;          // m, beyond each column
constexpr double kStartWidth = 0.6;             // m, the first width tried is this plus one step
constexpr double kWidthStep = 0.05;             // m
constexpr double kLengthStep = 0.1;             // m per wheel notch
constexpr double kLengthRoundingAllowance = 0.0499;  // rounds the length up to the next 0.1 m
constexpr int kMaxWidthSteps = 20000;           // widths up to 1000 m; no real pair of columns gets near it

// Loads of the two members at one load-case position: a member without that position carries none.
struct PairLoads {
  double fyA = 0, fyB = 0;
  double mAlong = 0;   // moments bending along the combining axis, signed sum
  double mAcross = 0;  // moments bending across it, signed sum
};

PairLoads pairLoads(const Project& p, int a, int b, int c, bool alongX) {
  PairLoads l;
  const int kAlong = alongX ? 4 : 3;   // MZ bends along X, MX along Z
  const int kAcross = alongX ? 3 : 4;
  for (int s : {a, b}) {
    if (c > p.lastCasePosition(s)) continue;
    (s == a ? l.fyA : l.fyB) = p.ReactionTable(s, c, 2);
    l.mAlong += p.ReactionTable(s, c, kAlong);
    l.mAcross += p.ReactionTable(s, c, kAcross);
  }
  return l;
}

// Distance of the resultant from the first column, m. Loads that cancel leave no resultant: it is
// taken midway between the columns.
double resultantFromFirst(double fyB, double P, double d) { return P != 0.0 ? fyB / P * d : d / 2.0; }

// Width tried at step k = 1, 2, ...: the single nearest to 0.6 + 0.05 k, worked out afresh for every
// step so that the widths do not drift as repeated single-precision additions would.
double widthAt(int k) { return roundToSingle(kStartWidth + kWidthStep * k, 2); }

// Pressure at the most loaded corner of an L x B footing: the factored load spread over the area plus
// the bending of both moments, each taken whatever its sign (mAlong bends along the length L, mAcross
// across the width B).
double cornerPressure(double P, double mAlong, double mAcross, double L, double B) {
  return kSoilCheckLoadFactor * P / (L * B) + 6.0 * mAlong / (B * L * L) + 6.0 * mAcross / (B * B * L);
}

}  // namespace

bool combineFootings(Project& p, PlanRect w, Prompter& prompter) {
  const CombineChoice choice = chooseCombinePair(p, w, prompter);
  return choice && applyDecisions(p, withCombinedPair(p, choice.first, choice.second), prompter);
}

void DesignCombinedFooting(Project& p, int n, int step) {
  if (n < 1 || n > p.CombinedCount) return;
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  const double start = step == 0 ? roundTo(cf.CfDistance / 1000.0 + 1.0, 1)
                                 : cf.CfLength + (step < 0 ? -kLengthStep : kLengthStep);
  designCombinedFooting(p, n, start);
}

void designCombinedFooting(Project& p, int n, double startLength) {
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
  const PairLoads first = pairLoads(p, a, b, 0, alongX);
  double cant1 = L0 / 2.0 - resultantFromFirst(first.fyB, first.fyA + first.fyB, d);
  if (cant1 < kMinCantilever) cant1 = kMinCantilever;
  cant1 = roundTo(cant1, 3);
  double cant2 = L0 - cant1 - d;
  if (cant2 < kMinCantilever) cant2 = kMinCantilever;
  const double L = roundTo(cant1 + d + cant2 + kLengthRoundingAllowance, 1);
  cant2 = roundTo(L - d - cant1, 3);

  // Widen until the most loaded corner of every load case of either member is allowable (SBC, or
  // 1.25 SBC for a case checked against the increased pressure; the lower where the two members'
  // cases at a position differ). The resultant of a case lies e off the
  // footing's centre, so e P adds to the moments along the length; every moment counts whatever its
  // sign, because each bends one edge down. The width never shrinks from one case to the next.
  int k = 1;
  const int last = std::max(p.lastCasePosition(a), p.lastCasePosition(b));
  for (int c = 0; c <= last; ++c) {
    const PairLoads l = pairLoads(p, a, b, c, alongX);
    const double P = l.fyA + l.fyB;
    const double e = (L / 2.0 - cant1) - resultantFromFirst(l.fyB, P, d);
    const double mAlong = std::fabs(l.mAlong) + std::fabs(e * P);
    const double mAcross = std::fabs(l.mAcross);
    double allowable = std::numeric_limits<double>::max();
    for (int s : {a, b})
      if (c <= p.lastCasePosition(s)) allowable = std::min(allowable, p.allowable(s, c));
    while (k < kMaxWidthSteps && cornerPressure(P, mAlong, mAcross, L, widthAt(k)) > allowable) ++k;
  }
  const float B = roundToSingle(widthAt(k), 2);

  cf.CfLength = roundToSingle(L, 2);
  cf.CfWidth = B;
  cf.Cant1 = cant1;
  cf.Cant2 = cant2;

  // The rectangle in whole millimetres: the cantilevers beyond the columns along the axis, half the
  // width either side of the centre line across it.
  FootingRecord& fa = p.FootingTable[a];
  FootingRecord& fb = p.FootingTable[b];
  const double before = roundWhole(1000.0 * cant1), beyond = roundWhole(1000.0 * cant2);
  if (!alongX) {
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
  fa.SizeL = fb.SizeL = B;
  fa.SizeB = fb.SizeB = cf.CfLength;
}

std::string combinedSizeText(const Project& p, int n) {
  if (n < 1 || n > p.CombinedCount) return {};
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  return sizeProductText(roundToSingle(cf.CfLength, 2), roundToSingle(cf.CfWidth, 2));
}

bool DeleteCombinedFooting(Project& p, Prompter& prompter) {
  const int s = p.SelectedFooting;
  if (s < 1 || s > p.FootingCount) return false;
  const int n = p.FootingTable[s].CombNo;
  if (n < 1 || n > p.CombinedCount) return false;
  prompter.message(numberText(n) + " Is Deleting");
  return applyDecisions(p, withCombinedDissolved(p, s), prompter);
}

}  // namespace plintova
