// Placing the footings on their support joints and sizing the square isolated footing of every support.
#include "footing/footing_sizing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>

#include "model/limits.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr float kReplacementLoad = 1.0f;   // FY used for a zero or upward reaction, kN
constexpr double kStartOffset = 0.1;       // beyond the turning point of the edge-pressure cubic, m
constexpr int kIterations = 20;
constexpr double kNoTensionCap = 6.0;      // largest side the no-tension requirement demands, m
constexpr double kRoundingAllowance = 0.00049;
// A side checked by the sign of the cubic this far (relative) below and above it is taken as the root.
constexpr double kRootTolerance = 1e-6;
constexpr int kBisectionLimit = 2200;      // more than enough to reach neighbouring doubles
constexpr double kLargestSingle = std::numeric_limits<float>::max();

// The 16-bit footing number of a support; a joint number outside the 16-bit range shows as 0.
int16_t jointNumber16(float joint) { return toInt16(joint).value_or(0); }

// q L^3 - P L - 6 M: the edge pressure P/L^2 + 6M/L^3 less q, times L^3. Increasing beyond the turning
// point sqrt(P / 3q), negative before it.
double edgeCubic(double P, double M, double q, double L) { return q * L * L * L - P * L - 6.0 * M; }

// 1.1 FY held in single precision as FactoredLoad holds it; a product beyond the single range (an
// absurd listing) stays a double so that its side can still be reported.
double factoredLoad(double fy) {
  const double P = fy * kSoilCheckLoadFactor;
  return std::fabs(P) <= kLargestSingle ? static_cast<double>(static_cast<float>(P)) : P;
}

// The side for one load case. Newton's method from just beyond the turning point, L held in single
// precision, gives the side for every footing that can be built; for very large loads the 0.1 m start
// offset is lost in single precision and the iteration may stop short of the root or run to the
// negative one. Its result is therefore checked by the sign of the cubic just below and just above it,
// and replaced by the bracketed root when the check fails.
double sideFor(double P, double M, double q) {
  const double start = std::sqrt(P / 3.0 / q) + kStartOffset;
  if (!(start <= kLargestSingle)) return bracketedSide(P, M, q);
  float L = static_cast<float>(start);
  bool ranAway = false;
  for (int i = 0; i < kIterations; ++i) {
    const double x = L;
    const double slope = 3.0 * q * x * x - P;
    if (slope == 0.0) break;
    const double next = x - (q * x * x * x - P * x - 6.0 * M) / slope;
    if (!(std::fabs(next) <= kLargestSingle)) {
      ranAway = true;
      break;
    }
    L = static_cast<float>(next);
  }
  const double side = L;
  const bool isRoot = !ranAway && std::isfinite(side) && side > 0.0 &&
                      edgeCubic(P, M, q, side * (1.0 - kRootTolerance)) <= 0.0 &&
                      edgeCubic(P, M, q, side * (1.0 + kRootTolerance)) >= 0.0;
  return isRoot ? side : bracketedSide(P, M, q);
}

}  // namespace

int footingBound(const Project& p) { return std::clamp(p.supportCount(), 0, cap::kFootings); }

void placeFootings(Project& p) {
  // First row of every joint number, so that each support finds its joint without a full scan.
  std::unordered_map<int32_t, int> firstRow;
  firstRow.reserve(static_cast<std::size_t>(std::max<int>(p.JointCount, 0)));
  for (int j = 1; j <= p.JointCount; ++j) firstRow.emplace(p.JointTable[j][0], j);

  const int n = footingBound(p);
  for (int s = 1; s <= n; ++s) {
    const float joint = p.ReactionTable(s, 0, 0);
    const auto number = toInt32(joint);
    if (!number || static_cast<double>(*number) != static_cast<double>(joint)) continue;
    const auto it = firstRow.find(*number);
    if (it == firstRow.end()) continue;
    FootingRecord& f = p.FootingTable[s];
    f.PosX = p.JointTable[it->second][1];
    f.PosZ = p.JointTable[it->second][3];
    f.ColumnX = f.PosX;
    f.ColumnZ = f.PosZ;
    f.JointNo = jointNumber16(joint);
  }
  p.FootingCount = static_cast<int16_t>(n);
}

double bracketedSide(double P, double M, double q) {
  if (!(q > 0.0) || !std::isfinite(P) || !std::isfinite(M) || !std::isfinite(q)) return 0.0;
  // The positive root lies beyond the turning point sqrt(P / 3q) (at 0 when P is not positive), where
  // the cubic is negative. sqrt(2P/q) and cbrt(12M/q) bound it from above, since q L^3 splits into
  // halves that reach P L and 6 M there; doubling guards the bound against rounding.
  double lo = P > 0.0 ? std::sqrt(P / 3.0 / q) : 0.0;
  double hi = std::max({std::sqrt(std::max(2.0 * P, 0.0) / q), std::cbrt(12.0 * M / q), 2.0 * lo,
                        std::numeric_limits<double>::min()});
  while (edgeCubic(P, M, q, hi) < 0.0) {
    if (!std::isfinite(hi)) return std::numeric_limits<double>::max();
    lo = hi;
    hi *= 2.0;
  }
  // Bisection to neighbouring doubles; hi always keeps the edge pressure within q.
  for (int i = 0; i < kBisectionLimit; ++i) {
    const double mid = lo + (hi - lo) / 2.0;
    if (!(mid > lo && mid < hi)) break;
    if (edgeCubic(P, M, q, mid) < 0.0) lo = mid;
    else hi = mid;
  }
  return hi;
}

std::pair<float, float> requiredSide(const Project& p, int s, int c) {
  const double P = p.FactoredLoad;
  const double M = std::fabs(static_cast<double>(p.ReactionTable(s, c, 3))) +
                   std::fabs(static_cast<double>(p.ReactionTable(s, c, 4)));
  const double q = p.allowable(s, c);
  if (!(q > 0.0)) return {0.0f, 0.0f};
  const double side = sideFor(P, M, q);
  const float L = static_cast<float>(std::min(side, static_cast<double>(std::numeric_limits<float>::max())));
  return {L, L};
}

std::string sizeFootings(Project& p, Prompter& prompter) {
  const int n = footingBound(p);
  for (int s = 1; s <= n; ++s) {
    const int last = p.lastCasePosition(s);

    // Pressure: the largest side any load case needs to keep its edge pressure allowable.
    double pressureSide = 0.0;
    for (int c = 0; c <= last; ++c) {
      const float fy = p.ReactionTable(s, c, 2);
      double P;
      if (fy <= 0.0f) {
        prompter.message("Check JOINT : " + numberText(p.ReactionTable(s, 0, 0)) + "    LOAD : " +
                         numberText(p.ReactionTable(s, c, 1)) + "    FORCE-Y = " + numberText(fy));
        p.ReactionTable(s, c, 2) = kReplacementLoad;
        P = kReplacementLoad;
      } else {
        P = factoredLoad(fy);
      }
      p.FactoredLoad = std::min(P, kLargestSingle);
      const double M = std::fabs(static_cast<double>(p.ReactionTable(s, c, 3))) +
                       std::fabs(static_cast<double>(p.ReactionTable(s, c, 4)));
      const double q = p.allowable(s, c);
      const double side = q > 0.0 ? sideFor(P, M, q) : 0.0;
      if (side > pressureSide) pressureSide = side;
    }
    p.LastCaseIndex = static_cast<int16_t>(last);

    // No tension: the side at which the resultant stays within the middle third, capped at 6 m.
    double tensionSide = 0.0;
    for (int c = 0; c <= last; ++c) {
      const double P = factoredLoad(p.ReactionTable(s, c, 2));
      p.FactoredLoad = std::min(P, kLargestSingle);
      const double e = 6.0 * (std::fabs(static_cast<double>(p.ReactionTable(s, c, 4))) +
                              std::fabs(static_cast<double>(p.ReactionTable(s, c, 3)))) /
                       P;
      const double t = static_cast<float>(e <= kNoTensionCap ? e : kNoTensionCap);
      if (t > tensionSide) tensionSide = t;
    }

    FootingRecord& f = p.FootingTable[s];
    const bool noTension = tensionSide > pressureSide;
    const double B = noTension ? tensionSide : pressureSide;

    // Up to the next whole millimetre, unless the side lies within 0.01 mm above one.
    const double L = roundTo(B + kRoundingAllowance, 3);
    if (!(L <= limits::kLargestSide))
      return "Joint " + numberText(p.ReactionTable(s, 0, 0)) + " needs a footing side of " +
             numberText(static_cast<float>(std::min(L, kLargestSingle))) + " m; sides above " +
             numberText(limits::kLargestSide) + " m cannot be designed. Check the units of the reactions in the listing.";
    f.NoTension = noTension;
    f.ReqSize1 = L;
    f.ReqSize = L;
    f.ReqSize3 = L;
    f.JointNo = jointNumber16(p.ReactionTable(s, 0, 0));
  }
  return {};
}

}  // namespace plintova
