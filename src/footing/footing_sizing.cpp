// Placing the footings on their support joints and sizing the square isolated footing of every support.
#include "footing/footing_sizing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "model/numbers.h"

namespace plintova {

namespace {

constexpr float kReplacementLoad = 1.0f;   // FY used for a zero or upward reaction, kN
constexpr double kStartOffset = 0.1;       // beyond the turning point of the edge-pressure cubic, m
constexpr int kIterations = 20;
constexpr double kNoTensionCap = 6.0;      // largest side the no-tension requirement demands, m
constexpr double kRoundingAllowance = 0.00049;

// The 16-bit footing number of a support; a joint number outside the 16-bit range shows as 0.
int16_t jointNumber16(float joint) { return toInt16(joint).value_or(0); }

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

std::pair<float, float> requiredSide(const Project& p, int s, int c) {
  const double P = p.FactoredLoad;
  const double M = std::fabs(static_cast<double>(p.ReactionTable(s, c, 3))) +
                   std::fabs(static_cast<double>(p.ReactionTable(s, c, 4)));
  const double q = p.CaseSbc[c];
  if (!(q > 0.0)) return {0.0f, 0.0f};
  // The edge pressure equals q where q L^3 - P L - 6 M = 0. Its slope vanishes at sqrt(P / 3q);
  // starting beyond that point the iteration runs down to the positive root.
  float L = static_cast<float>(std::sqrt(P / 3.0 / q) + kStartOffset);
  for (int i = 0; i < kIterations; ++i) {
    const double x = L;
    const double slope = 3.0 * q * x * x - P;
    if (slope == 0.0) break;
    L = static_cast<float>(x - (q * x * x * x - P * x - 6.0 * M) / slope);
  }
  return {L, L};
}

void sizeFootings(Project& p, Prompter& prompter) {
  const int n = footingBound(p);
  for (int s = 1; s <= n; ++s) {
    const int last = p.lastCasePosition(s);

    // Pressure: the largest side any load case needs to keep its edge pressure allowable.
    float A = 0.0f, B = 0.0f;
    for (int c = 0; c <= last; ++c) {
      const float fy = p.ReactionTable(s, c, 2);
      if (fy <= 0.0f) {
        prompter.message("Check JOINT : " + numberText(p.ReactionTable(s, 0, 0)) + "    LOAD : " +
                         numberText(p.ReactionTable(s, c, 1)) + "    FORCE-Y = " + numberText(fy));
        p.ReactionTable(s, c, 2) = kReplacementLoad;
        p.FactoredLoad = kReplacementLoad;
      } else {
        p.FactoredLoad = static_cast<float>(fy * kSoilCheckLoadFactor);
      }
      const auto [l1, l2] = requiredSide(p, s, c);
      if (l1 > A) A = l1;
      if (l2 > B) B = l2;
    }
    p.LastCaseIndex = static_cast<int16_t>(last);
    if (A > B) B = A;

    // No tension: the side at which the resultant stays within the middle third, capped at 6 m.
    for (int c = 0; c <= last; ++c) {
      p.FactoredLoad = static_cast<float>(p.ReactionTable(s, c, 2) * kSoilCheckLoadFactor);
      const double e = 6.0 * (std::fabs(static_cast<double>(p.ReactionTable(s, c, 4))) +
                              std::fabs(static_cast<double>(p.ReactionTable(s, c, 3)))) /
                       p.FactoredLoad;
      const float t = static_cast<float>(e <= kNoTensionCap ? e : kNoTensionCap);
      if (t > A) A = t;
    }

    FootingRecord& f = p.FootingTable[s];
    f.NoTension = A > B;
    if (f.NoTension) B = A;

    // Up to the next whole millimetre, unless the side lies within 0.01 mm above one.
    const float L = roundToSingle(static_cast<double>(B) + kRoundingAllowance, 3);
    f.ReqSize1 = L;
    f.ReqSize = L;
    f.ReqSize3 = L;
    f.JointNo = jointNumber16(p.ReactionTable(s, 0, 0));
  }
}

}  // namespace plintova
