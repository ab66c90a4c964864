// Combined footings: joining two close footings into one rectangular footing, its sizing and dissolving.
#include "footing/combined_footings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "footing/footing_width.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr const char* kTitle = "KELVORA";
constexpr int64_t kMaxCrossOffset = 600;  // mm, members on one line
constexpr int64_t kMinDistance = 1000;    // mm, the later member further along the axis
constexpr int64_t kMaxSkew = 10;          // mm accepted without asking
constexpr float kMinCantilever = 0.5f;    // m
constexpr float kStartWidth = 0.6f;       // m, the first width tried is this plus one step
constexpr double kWidthStep = 0.05;       // m
constexpr double kLengthStep = 0.1;       // m per wheel notch
constexpr float kWidthLimit = 1000.0f;    // m; no real pair of columns gets near it

std::string footingName(const FootingRecord& f) { return "Footing " + numberText(f.JointNo); }

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

double pressure(double P, double mAlong, double mAcross, double L, double B) {
  return kSoilCheckLoadFactor * P / (L * B) + 6.0 * mAlong / (B * L * L) + 6.0 * mAcross / (B * B * L);
}

// Widens B in steps until the pressure is allowable (B never shrinks).
void widen(float& B, double P, double mAlong, double mAcross, double L, double allowable) {
  while (pressure(P, mAlong, mAcross, L, B) > allowable && B < kWidthLimit)
    B = static_cast<float>(B + kWidthStep);
}

}  // namespace

bool combineFootings(Project& p, PlanRect w, Prompter& prompter) {
  const double xMin = std::min(w.x1, w.x2), xMax = std::max(w.x1, w.x2);
  const double zMin = std::min(w.z1, w.z2), zMax = std::max(w.z1, w.z2);
  std::vector<int> listed;
  for (int i = 1; i <= p.FootingCount; ++i) {
    const FootingRecord& f = p.FootingTable[i];
    if (f.PosX > xMin && f.PosX < xMax && f.PosZ > zMin && f.PosZ < zMax) listed.push_back(i);
  }
  if (listed.size() > static_cast<std::size_t>(cap::kCombinedMembers)) {
    prompter.message("Too many footings in the window: " + std::to_string(listed.size()) + ", and at most " +
                         std::to_string(cap::kCombinedMembers) + " can be listed",
                     kTitle);
    return false;
  }
  if (listed.size() != 2) return false;

  const int a = listed[0], b = listed[1];
  for (int s : {a, b}) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.CombNo > 0) {
      prompter.message(footingName(f) + " is already part of combined footing " + numberText(f.CombNo), kTitle);
      return false;
    }
    if (f.CombNo == -100) {
      prompter.message(footingName(f) + " is disabled", kTitle);
      return false;
    }
  }
  if (p.CombinedCount >= cap::kCombined) {
    prompter.message("Too many combined footings: at most " + std::to_string(cap::kCombined), kTitle);
    return false;
  }

  const FootingRecord& fa = p.FootingTable[a];
  const FootingRecord& fb = p.FootingTable[b];
  const int64_t dX = int64_t{fb.PosX} - fa.PosX;
  const int64_t dZ = int64_t{fb.PosZ} - fa.PosZ;
  int16_t axis;
  int64_t distance, skew;
  if (std::llabs(dX) <= kMaxCrossOffset && dZ > kMinDistance) {
    axis = 0;
    distance = dZ;
    skew = dX;
  } else if (std::llabs(dZ) <= kMaxCrossOffset && dX > kMinDistance) {
    axis = 1;
    distance = dX;
    skew = dZ;
  } else {
    prompter.message(" Deviation Exceeds : ( > 600 mm)", kTitle, MessageIcon::Exclamation);
    return false;
  }
  if (std::llabs(skew) > kMaxSkew &&
      !prompter.confirm(" Skew : " + numberText(static_cast<double>(skew)) + " mm ", kTitle))
    return false;

  const int n = ++p.CombinedCount;
  CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  cf = CombinedFootingRecord{};
  cf.CfMemberCount = 2;
  cf.CfMembers[1] = static_cast<int16_t>(a);
  cf.CfMembers[2] = static_cast<int16_t>(b);
  cf.CfAxis = axis;
  cf.CfDistance = static_cast<float>(distance);
  cf.CfHalfSkew = static_cast<float>(static_cast<double>(skew) / 2.0);
  p.FootingTable[a].CombNo = static_cast<int16_t>(n);
  p.FootingTable[b].CombNo = static_cast<int16_t>(n);
  DesignCombinedFooting(p, n, 0);
  return true;
}

void DesignCombinedFooting(Project& p, int n, int step) {
  if (n < 1 || n > p.CombinedCount) return;
  CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  if (cf.CfMemberCount < 2) return;
  const int a = cf.CfMembers[1], b = cf.CfMembers[2];
  if (a < 1 || a > p.FootingCount || b < 1 || b > p.FootingCount) return;
  const bool alongX = cf.CfAxis == 1;
  const double d = cf.CfDistance / 1000.0;

  float L;
  if (step == 0) L = roundToSingle(d + 1.0, 1);
  else L = static_cast<float>(cf.CfLength + (step < 0 ? -kLengthStep : kLengthStep));

  // Centre the footing on the resultant of the first load case where the cantilevers allow.
  const PairLoads first = pairLoads(p, a, b, 0, alongX);
  const double P0 = first.fyA + first.fyB;
  float cant1 = static_cast<float>(L / 2.0 - resultantFromFirst(first.fyB, P0, d));
  if (cant1 < kMinCantilever) cant1 = kMinCantilever;
  float cant2 = static_cast<float>(L - static_cast<double>(cant1) - d);
  if (cant2 < kMinCantilever) cant2 = kMinCantilever;
  L = roundToSingle(static_cast<double>(cant1) + d + cant2, 1);

  float B = kStartWidth;
  do {
    B = static_cast<float>(B + kWidthStep);
  } while (pressure(P0, first.mAlong, first.mAcross, L, B) > p.CaseSbc[0] && B < kWidthLimit);

  // Every later case of either member, with the moment of its resultant about the footing centre.
  const int last = std::max(p.lastCasePosition(a), p.lastCasePosition(b));
  for (int c = 1; c <= last; ++c) {
    const PairLoads l = pairLoads(p, a, b, c, alongX);
    const double P = l.fyA + l.fyB;
    const double e = (L / 2.0 - cant1) - resultantFromFirst(l.fyB, P, d);
    widen(B, P, l.mAlong + std::fabs(e * P), l.mAcross, L, p.CaseSbc[1]);
  }

  B = roundToSingle(B, 2);
  L = roundToSingle(L, 2);
  cf.CfLength = L;
  cf.CfWidth = B;
  cf.Cant1 = cant1;
  cf.Cant2 = cant2;

  FootingRecord& fa = p.FootingTable[a];
  FootingRecord& fb = p.FootingTable[b];
  if (!alongX) {
    const double centre = fa.PosX + static_cast<double>(cf.CfHalfSkew);
    cf.CfLeft = static_cast<float>(centre - 500.0 * B);
    cf.CfRight = static_cast<float>(centre + 500.0 * B);
    cf.CfBottom = static_cast<float>(fa.PosZ - 1000.0 * cant1);
    cf.CfTop = static_cast<float>(fb.PosZ + 1000.0 * cant2);
  } else {
    const double centre = fa.PosZ + static_cast<double>(cf.CfHalfSkew);
    cf.CfLeft = static_cast<float>(fa.PosX - 1000.0 * cant1);
    cf.CfRight = static_cast<float>(fb.PosX + 1000.0 * cant2);
    cf.CfBottom = static_cast<float>(centre - 500.0 * B);
    cf.CfTop = static_cast<float>(centre + 500.0 * B);
  }
  fa.SizeL = fb.SizeL = B;
  fa.SizeB = fb.SizeB = L;
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
  const CombinedFootingRecord& gone = p.CombinedFootingTable[n];
  for (int k = 1; k <= std::min<int>(gone.CfMemberCount, cap::kCombinedMembers); ++k) {
    FootingRecord& f = p.FootingTable[gone.CfMembers[k]];
    f.CombNo = 0;
    f.SizeL = f.ReqSize;
    f.SizeB = f.ReqSize;
  }
  for (int k = n + 1; k <= p.CombinedCount; ++k) {
    p.CombinedFootingTable[k - 1] = p.CombinedFootingTable[k];
    const CombinedFootingRecord& moved = p.CombinedFootingTable[k - 1];
    for (int m = 1; m <= std::min<int>(moved.CfMemberCount, cap::kCombinedMembers); ++m)
      p.FootingTable[moved.CfMembers[m]].CombNo = static_cast<int16_t>(k - 1);
  }
  --p.CombinedCount;
  return true;
}

}  // namespace plintova
