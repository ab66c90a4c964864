// The engineer's actions on the plan as changes of the decisions.
#include "footing/plan_decisions.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "model/limits.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr const char* kCombineTitle = kProgramName;
constexpr int64_t kMaxCrossOffset = 600;  // mm, members on one line
constexpr int64_t kMinDistance = 1000;    // mm, the later member further along the axis
constexpr int64_t kMaxSkew = 10;          // mm accepted without asking
constexpr double kLengthStep = 0.05;      // m per wheel notch on an isolated footing
constexpr double kCombinedStep = 0.1;     // m per wheel notch on a combined footing
constexpr double kGroupStep = limits::kGroupSizeStep;  // m per Shift-press on a group's size

bool isFooting(const Project& p, int s) { return s >= 1 && s <= p.FootingCount; }

std::string footingName(const FootingRecord& f) { return "Footing " + numberText(f.JointNo); }

// Takes footing s out of every decision about its kind: it becomes an ordinary footing. A combined
// footing it belongs to is dissolved, so its partner becomes ordinary too.
void makeOrdinary(Decisions& d, int s) {
  std::erase(d.disabled, static_cast<int16_t>(s));
  std::erase_if(d.resized, [s](const ResizedFooting& r) { return r.footing == s; });
  std::erase_if(d.combined, [s](const CombinedPair& c) { return c.first == s || c.second == s; });
}

template <class T>
void insertSorted(std::vector<T>& list, T value, int16_t (*key)(const T&)) {
  auto at = std::lower_bound(list.begin(), list.end(), value, [key](const T& a, const T& b) { return key(a) < key(b); });
  list.insert(at, value);
}

int16_t keyOfIndex(const int16_t& s) { return s; }
int16_t keyOfResized(const ResizedFooting& r) { return r.footing; }

// The choice of group g after changing its size or tick; a group back at its base size and ticked
// needs no entry.
Decisions withGroupChoice(const Project& p, int g, Single size, bool checked) {
  Decisions d = p.decisions;
  if (g < 1 || g > p.SizeGroupCount) return d;
  const Single base = p.SizeGroupTable[g].GroupBaseSize;
  std::erase_if(d.groups, [&](const GroupChoice& c) { return c.baseSize.value() == base.value(); });
  if (size.value() != base.value() || !checked) d.groups.push_back({base, size, checked});
  return d;
}

}  // namespace

std::optional<PairAxis> pairAxis(const Project& p, int a, int b) {
  if (!isFooting(p, a) || !isFooting(p, b)) return std::nullopt;
  const FootingRecord& fa = p.FootingTable[a];
  const FootingRecord& fb = p.FootingTable[b];
  const int64_t dX = int64_t{fb.PosX} - fa.PosX;
  const int64_t dZ = int64_t{fb.PosZ} - fa.PosZ;
  if (std::llabs(dX) <= kMaxCrossOffset && dZ > kMinDistance) return PairAxis{0, dZ, dX};
  if (std::llabs(dZ) <= kMaxCrossOffset && dX > kMinDistance) return PairAxis{1, dX, dZ};
  return std::nullopt;
}

CombineChoice chooseCombinePair(const Project& p, PlanRect w, Prompter& prompter) {
  CombineChoice choice;
  const double xMin = std::min(w.x1, w.x2), xMax = std::max(w.x1, w.x2);
  const double zMin = std::min(w.z1, w.z2), zMax = std::max(w.z1, w.z2);
  std::vector<int> listed;
  for (int i = 1; i <= p.FootingCount; ++i) {
    const FootingRecord& f = p.FootingTable[i];
    if (f.PosX > xMin && f.PosX < xMax && f.PosZ > zMin && f.PosZ < zMax) listed.push_back(i);
  }
  if (listed.empty()) {
    choice.status = "Combine: no footing lies inside the selection window. Drag a window around two footings.";
    return choice;
  }
  if (listed.size() == 1) {
    choice.status = "Combine: only one footing lies inside the selection window. Drag a window around two footings.";
    return choice;
  }
  if (listed.size() > 2) {
    choice.status = "Combine: " + std::to_string(listed.size()) +
                    " footings lie inside the selection window. Drag a window around two footings only.";
    return choice;
  }

  const int a = listed[0], b = listed[1];
  for (int s : {a, b}) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.Kind == FootingKind::Combined) {
      prompter.message(footingName(f) + " is already part of combined footing " + numberText(f.CombinedNo), kCombineTitle);
      choice.status = "Combine: " + footingName(f) + " is already part of a combined footing.";
      return choice;
    }
    if (f.Kind == FootingKind::Disabled) {
      prompter.message(footingName(f) + " is disabled", kCombineTitle);
      choice.status = "Combine: " + footingName(f) + " is disabled.";
      return choice;
    }
  }
  if (p.CombinedCount >= cap::kCombined) {
    prompter.message("Too many combined footings: at most " + std::to_string(cap::kCombined), kCombineTitle);
    choice.status = "Combine: the plan holds no more combined footings.";
    return choice;
  }
  const std::optional<PairAxis> axis = pairAxis(p, a, b);
  if (!axis) {
    prompter.message(" Deviation Exceeds : ( > 600 mm)", kCombineTitle, MessageIcon::Exclamation);
    choice.status = "Combine: the two columns do not lie on one line.";
    return choice;
  }
  if (std::llabs(axis->skew) > kMaxSkew &&
      !prompter.confirm(" Skew : " + numberText(static_cast<double>(axis->skew)) + " mm ", kCombineTitle)) {
    choice.status = "Combine: cancelled.";
    return choice;
  }
  choice.first = a;
  choice.second = b;
  return choice;
}

Decisions withCombinedPair(const Project& p, int first, int second) {
  Decisions d = p.decisions;
  if (!isFooting(p, first) || !isFooting(p, second) || first == second) return d;
  if (first > second) std::swap(first, second);
  makeOrdinary(d, first);
  makeOrdinary(d, second);
  d.combined.push_back({static_cast<int16_t>(first), static_cast<int16_t>(second), 0});
  return d;
}

Decisions withCombinedDissolved(const Project& p, int s) {
  Decisions d = p.decisions;
  std::erase_if(d.combined, [s](const CombinedPair& c) { return c.first == s || c.second == s; });
  return d;
}

Decisions withFootingToggled(const Project& p, int s) {
  Decisions d = p.decisions;
  if (!isFooting(p, s)) return d;
  const bool ordinary = p.FootingTable[s].Kind == FootingKind::Isolated;
  makeOrdinary(d, s);
  if (ordinary) insertSorted<int16_t>(d.disabled, static_cast<int16_t>(s), keyOfIndex);
  return d;
}

Decisions withResizeCleared(const Project& p, int s) {
  Decisions d = p.decisions;
  std::erase_if(d.resized, [s](const ResizedFooting& r) { return r.footing == s; });
  return d;
}

std::optional<Decisions> withResizeStep(const Project& p, int s, int direction) {
  if (!isFooting(p, s)) return std::nullopt;
  const int step = direction < 0 ? -1 : 1;
  const FootingRecord& f = p.FootingTable[s];
  Decisions d = p.decisions;
  if (f.Kind == FootingKind::Combined) {
    // The combined footing as a whole: its next design starts from the stored length and a step.
    const int n = f.CombinedNo;
    if (n > p.CombinedCount || static_cast<std::size_t>(n) > d.combined.size()) return std::nullopt;
    const Single length = p.CombinedFootingTable[n].CfLength + step * kCombinedStep;
    if (!limits::combinedLengthAllowed(length)) return std::nullopt;
    d.combined[static_cast<std::size_t>(n) - 1].length = length;
    return d;
  }
  const Single length = roundToSingle(f.SizeL + step * kLengthStep, 2);
  if (!limits::handLengthAllowed(length)) return std::nullopt;
  makeOrdinary(d, s);
  insertSorted<ResizedFooting>(d.resized, {static_cast<int16_t>(s), length}, keyOfResized);
  return d;
}

Decisions withGroupChecked(const Project& p, int g, bool checked) {
  if (g < 1 || g > p.SizeGroupCount) return p.decisions;
  return withGroupChoice(p, g, p.SizeGroupTable[g].GroupSize, checked);
}

Decisions withGroupStepped(const Project& p, int g) {
  if (g < 1 || g > p.SizeGroupCount) return p.decisions;
  const SizeGroupRecord& grp = p.SizeGroupTable[g];
  // On the 0.05 m steps: in plain single precision the size would drift by a unit of the last place
  // per press, so that a full cycle could end just below the base size and a footing whose required
  // size equals the base would no longer fit the group it came from.
  const float lowest = roundToSingle(grp.GroupBaseSize - kGroupStep, 2);
  float size = roundToSingle(grp.GroupSize - kGroupStep, 2);
  // A size at or below zero is no size: the step wraps there too.
  if (size < lowest || !(size > 0)) size = roundToSingle(lowest + 2 * kGroupStep, 2);
  return withGroupChoice(p, g, size, grp.Checked);
}

namespace {

Decisions withOffset(const Project& p, int s, ColumnOffset offset) {
  Decisions d = p.decisions;
  if (d.offsets.size() < static_cast<std::size_t>(p.FootingCount) + 1)
    d.offsets.resize(static_cast<std::size_t>(p.FootingCount) + 1);
  d.offsets[static_cast<std::size_t>(s)] = offset;
  return d;
}

}  // namespace

Decisions withOffsetSteps(const Project& p, int s, OffsetSteps steps) {
  if (!isFooting(p, s)) return p.decisions;
  const auto offset = stepOffset(p, s, std::clamp<int>(steps.x, -1, 1), std::clamp<int>(steps.z, -1, 1));
  return offset ? withOffset(p, s, *offset) : p.decisions;
}

std::optional<Decisions> withOffsetMillimetres(const Project& p, int s, ColumnOffset offset) {
  if (!isFooting(p, s) || !limits::columnOffsetAllowed(offset.dx) || !limits::columnOffsetAllowed(offset.dz))
    return std::nullopt;
  return withOffset(p, s, offset);
}

Decisions withOffsetsReset(const Project& p) {
  Decisions d = p.decisions;
  std::fill(d.offsets.begin(), d.offsets.end(), ColumnOffset{});
  return d;
}

}  // namespace plintova
