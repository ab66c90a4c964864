// Placing the footings on their support joints and sizing the square isolated footing of every support.
#include "footing/footing_sizing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "footing/size_groups.h"
#include "footing/soil_checks.h"
#include "model/limits.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kStartOffset = 0.1;       // beyond the turning point of the edge-pressure cubic, m
constexpr int kIterations = 20;
constexpr double kNoTensionCap = 6.0;      // largest side the no-tension requirement demands, m
constexpr double kRoundingAllowance = 0.00049;
// A side checked by the sign of the cubic this far (relative) below and above it is taken as the root.
constexpr double kRootTolerance = 1e-6;
constexpr int kBisectionLimit = 2200;      // more than enough to reach neighbouring doubles
constexpr double kLargestSingle = std::numeric_limits<float>::max();
constexpr double kSideStep = 0.001;        // m: sides are whole millimetres

// The pedestal a footing of side L stands under once grouped: its side rounded up to 0.1 m.
double pedestalFor(double L) { return PedestalSizeFor(roundToSingle(L + 0.049999, 1)); }

// The joint number of a support; one beyond the readers' joint limit shows as 0.
int32_t jointNumber(float joint) {
  const double j = roundWhole(joint);
  return std::fabs(j) <= cap::kLargestJointNumber ? static_cast<int32_t>(j) : 0;
}

// q L^3 - P L - 6 M: the edge pressure P/L^2 + 6M/L^3 less q, times L^3. Increasing beyond the turning
// point sqrt(P / 3q), negative before it.
double edgeCubic(double P, double M, double q, double L) { return q * L * L * L - P * L - 6.0 * M; }

// 1.1 FY held in single precision, as sizing has always held the factored load; a product beyond the
// single range (an absurd listing) stays a double so that its side can still be reported.
double factoredLoad(double fy) {
  const double P = fy * kSoilCheckLoadFactor;
  return std::fabs(P) <= kLargestSingle ? static_cast<double>(static_cast<float>(P)) : P;
}

}  // namespace

// The side for one load case. Newton's method from just beyond the turning point, L held in single
// precision, gives the side for every footing that can be built; for very large loads the 0.1 m start
// offset is lost in single precision and the iteration may stop short of the root or run to the
// negative one. Its result is therefore checked by the sign of the cubic just below and just above it,
// and replaced by the bracketed root when the check fails.
double pressureSide(double P, double M, double q) {
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
    // Each step depends on the side alone, so once the side no longer changes every later step
    // would give it again: stopping there gives the same side.
    const float nextSide = static_cast<float>(next);
    if (nextSide == L) break;
    L = nextSide;
  }
  const double side = L;
  const bool isRoot = !ranAway && std::isfinite(side) && side > 0.0 &&
                      edgeCubic(P, M, q, side * (1.0 - kRootTolerance)) <= 0.0 &&
                      edgeCubic(P, M, q, side * (1.0 + kRootTolerance)) >= 0.0;
  return isRoot ? side : bracketedSide(P, M, q);
}

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
    f.JointNo = jointNumber(joint);
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

bool heldDown(const Project& p, double L, double B, double U, double Mx, double Mz, double N0) {
  const DesignOptions& o = p.decisions.options;
  const double W = footingWeight(o, p.FoundingDepth, L, B, kFirstFootingDepth,
                                 PedestalSides::square(pedestalFor(std::max(L, B))));
  const double N = kRestoringWeightFactor * W + N0;
  return kRestoringWeightFactor * W >= o.upliftFactor * U && N * B / 2 >= o.overturningFactor * Mx &&
         N * L / 2 >= o.overturningFactor * Mz;
}

double upliftSide(const Project& p, double U, double Mx, double Mz, double N0) {
  // Both requirements grow with L (and with the pedestal, which grows with L).
  auto holds = [&](double L) { return heldDown(p, L, L, U, Mx, Mz, N0); };
  if (holds(kSideStep)) return kSideStep;
  // Whole millimetres: the largest L that fails and the smallest that holds, by doubling then halving.
  long long lo = 1, hi = 2;
  while (!holds(hi * kSideStep)) {
    lo = hi;
    hi *= 2;
    if (hi * kSideStep > limits::kLargestSide * 2) return hi * kSideStep;  // beyond any footing: refused by the caller
  }
  while (hi - lo > 1) {
    const long long mid = lo + (hi - lo) / 2;
    (holds(mid * kSideStep) ? hi : lo) = mid;
  }
  return hi * kSideStep;
}

double leastSide(const Project& p, int s) {
  // The pedestal grows with the side: step up until the side holds its own pedestal and projections.
  const double projections = 2 * p.decisions.options.footingProjection / 1000;
  const double column = columnPedestal(p, s).longer();  // the square footing holds its longer side
  double side = kSideStep;
  for (int k = 0; k < 20; ++k) {
    const double need = roundTo(std::max(pedestalFor(side), column) + projections, 3);
    if (side >= need) break;
    side = need;
  }
  return side;
}

RequiredSize requiredSize(const Project& p, int s) {
  RequiredSize r;
  const Eccentricity e = footingEccentricity(p, s);
  double bearingSide = 0.0, tensionSide = 0.0, liftSide = 0.0;
  for (const CaseUse& u : soilCases(p, s)) {
    const UndersideLoad load = undersideLoad(p, s, u, kSoilCheckLoadFactor, e);
    if (load.uplift()) {
      // Held down by its weight rather than pressing on the soil: U = -FY, and the moments about the
      // edges with N = 0.9 W + FY.
      liftSide = std::max(liftSide, upliftSide(p, -load.fy, load.mx, load.mz, load.fy));
      continue;
    }
    // Pressure: the side at which the edge pressure of the case reaches its allowable value.
    const double P = factoredLoad(load.fy);
    const double M = load.mx + load.mz;
    const double q = p.allowable(s, u.position);
    bearingSide = std::max(bearingSide, q > 0.0 ? pressureSide(P, M, q) : 0.0);
    // No tension: the side at which the resultant stays within the middle third, capped at 6 m.
    const double need = 6.0 * M / P;
    r.capped = r.capped || need > kNoTensionCap;
    tensionSide = std::max(tensionSide, static_cast<double>(static_cast<float>(std::min(need, kNoTensionCap))));
  }
  r.noTension = tensionSide > bearingSide && tensionSide >= liftSide;
  r.uplift = liftSide > bearingSide && liftSide > tensionSide;
  r.side = std::max({bearingSide, tensionSide, liftSide});
  // Up to the next whole millimetre, unless the side lies within 0.01 mm above one; at least the pedestal
  // with the footing's projection beyond it on both sides.
  r.side = std::max(roundTo(r.side + kRoundingAllowance, 3), leastSide(p, s));
  return r;
}

std::string sizeFooting(Project& p, int s) {
  const RequiredSize r = requiredSize(p, s);
  FootingRecord& f = p.FootingTable[s];
  if (!(r.side <= limits::kLargestSide))
    return "Joint " + numberText(p.ReactionTable(s, 0, 0)) + " needs a footing side of " +
           numberText(static_cast<float>(std::min(r.side, kLargestSingle))) + " m; sides above " +
           numberText(limits::kLargestSide) + " m cannot be designed. " +
           (r.uplift ? "Its weight cannot hold down the uplift of the listing; check the reactions."
                     : "Check the units of the reactions in the listing.");
  f.NoTension = r.noTension;
  f.NoTensionCapped = r.capped;
  f.UpliftGoverns = r.uplift;
  f.ReqSize = r.side;
  f.JointNo = jointNumber(p.ReactionTable(s, 0, 0));
  f.SizedOffsetX = f.PosX - f.ColumnX;
  f.SizedOffsetZ = f.PosZ - f.ColumnZ;
  return {};
}

std::string sizeFootings(Project& p, Prompter& prompter) {
  const int n = footingBound(p);
  for (int s = 1; s <= n; ++s) {
    if (std::string refusal = sizeFooting(p, s); !refusal.empty()) return refusal;
  }
  p.SizedOptions = p.decisions.options;
  reportLiftedSupports(p, prompter);
  return {};
}

SizesChanged resizeMovedFootings(Project& p) {
  SizesChanged out;
  // Sizes that sizing did not give (set by hand) stay until their footing moves.
  const bool all = p.SizedOptions && !(*p.SizedOptions == p.decisions.options);
  const int n = footingBound(p);
  for (int s = 1; s <= n; ++s) {
    FootingRecord& f = p.FootingTable[s];
    if (!all && f.SizedOffsetX == f.PosX - f.ColumnX && f.SizedOffsetZ == f.PosZ - f.ColumnZ) continue;
    const float before = f.ReqSize;
    if (std::string refusal = sizeFooting(p, s); !refusal.empty()) {
      out.refusal = refusal;
      return out;
    }
    out.changed = out.changed || f.ReqSize.value() != before;
  }
  if (p.SizedOptions) p.SizedOptions = p.decisions.options;
  return out;
}

void reportLiftedSupports(const Project& p, Prompter& prompter) {
  struct Lift {
    int joint = 0, loadCase = 0;
    double fy = 0;
  };
  std::vector<Lift> upward, zero;
  const int n = footingBound(p);
  for (int s = 1; s <= n; ++s)
    for (const CaseUse& u : soilCases(p, s)) {
      const double fy = u.factor * p.ReactionTable(s, u.position, 2);
      if (fy > 0) continue;
      (fy < 0 ? upward : zero).push_back({p.FootingTable[s].JointNo, u.loadCase, fy});
    }
  auto joints = [](const std::vector<Lift>& list) {
    std::vector<int> seen;
    std::string text;
    for (const Lift& l : list) {
      if (std::find(seen.begin(), seen.end(), l.joint) != seen.end()) continue;
      seen.push_back(l.joint);
      text += (text.empty() ? "" : ", ") + std::to_string(l.joint);
    }
    return std::pair{text, seen.size()};
  };
  auto details = [](const std::vector<Lift>& list) {
    std::vector<std::string> lines;
    for (const Lift& l : list)
      lines.push_back("Joint " + std::to_string(l.joint) + ", load case " + std::to_string(l.loadCase) +
                      ": FY = " + numberText(l.fy) + " kN");
    return lines;
  };
  if (!upward.empty()) {
    const Lift worst = *std::min_element(upward.begin(), upward.end(), [](const Lift& a, const Lift& b) { return a.fy < b.fy; });
    const auto [list, count] = joints(upward);
    prompter.messageList(std::string(count == 1 ? "Joint " : "Joints ") + list + (count == 1 ? " is" : " are") +
                             " lifted (upward FY) in " + std::to_string(upward.size()) + " load case" +
                             (upward.size() == 1 ? "" : "s") + "; the largest uplift is " + numberText(-worst.fy) +
                             " kN at joint " + std::to_string(worst.joint) + ", load case " +
                             std::to_string(worst.loadCase) +
                             ". Those footings are sized to be held down by their weight (IS 456 cl. 20.1).",
                         details(upward), "Uplift");
  }
  if (!zero.empty()) {
    const auto [list, count] = joints(zero);
    prompter.messageList(std::string(count == 1 ? "Joint " : "Joints ") + list + (count == 1 ? " has" : " have") +
                             " no vertical load (FY = 0) in " + std::to_string(zero.size()) + " load case" +
                             (zero.size() == 1 ? "" : "s") + ". Check the listing; those cases are checked for "
                             "overturning and sliding only.",
                         details(zero), "Zero loads");
  }
}

}  // namespace plintova
