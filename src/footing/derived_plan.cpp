// The plan derived from the engineer's decisions: positions, footing kinds, sizes, combined footings,
// group sizes and ticks, and the assignment with its marks.
#include "footing/derived_plan.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "footing/combined_footings.h"
#include "footing/footing_sizing.h"
#include "footing/footing_width.h"
#include "footing/grid_lines.h"
#include "footing/plan_decisions.h"
#include "footing/size_groups.h"
#include "model/limits.h"
#include "model/numbers.h"

namespace plintova {

namespace {

bool isFooting(const Project& p, int s) { return s >= 1 && s <= p.FootingCount; }

// Each footing's centre stands off its column by its offset; the steps nearest to it are what the
// column view and the layout file show.
void derivePositions(Project& p) {
  for (int s = 1; s <= p.FootingCount; ++s) {
    FootingRecord& f = p.FootingTable[s];
    const ColumnOffset offset = p.decisions.offsetOf(s);
    const OffsetSteps steps = nearestSteps(p, s, offset);
    f.OffsetX = steps.x;
    f.OffsetZ = steps.z;
    std::tie(f.PosX, f.PosZ) = footingCentre(p, s, offset);
  }
}

// The kind of every footing from the decisions; combined pairs that cannot stand any more are dropped.
void deriveKinds(Project& p, Prompter& prompter) {
  Decisions& d = p.decisions;
  for (int s = 1; s <= p.FootingCount; ++s) setCombined(p.FootingTable[s], 0);
  for (int16_t s : d.disabled)
    if (isFooting(p, s)) p.FootingTable[s].Kind = FootingKind::Disabled;
  for (const ResizedFooting& r : d.resized)
    if (isFooting(p, r.footing)) p.FootingTable[r.footing].Kind = FootingKind::HandResized;

  std::vector<CombinedPair> kept;
  std::string dropped;
  for (const CombinedPair& pair : d.combined) {
    const bool valid = isFooting(p, pair.first) && isFooting(p, pair.second) && pair.first < pair.second &&
                       static_cast<int>(kept.size()) < cap::kCombined &&
                       std::none_of(kept.begin(), kept.end(), [&](const CombinedPair& k) {
                         return k.first == pair.first || k.first == pair.second || k.second == pair.first ||
                                k.second == pair.second;
                       });
    if (!valid) continue;
    if (!pairAxis(p, pair.first, pair.second)) {
      dropped += (dropped.empty() ? "" : ", ") + numberText(p.FootingTable[pair.first].JointNo) + " and " +
                 numberText(p.FootingTable[pair.second].JointNo);
      continue;
    }
    kept.push_back(pair);
  }
  if (kept.size() != d.combined.size()) d.combined = kept;
  if (!dropped.empty())
    prompter.message("The combined footing of footings " + dropped +
                     " was dissolved: its columns no longer lie on one line (deviation more than 600 mm).");

  p.CombinedCount = static_cast<int16_t>(kept.size());
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const int n = static_cast<int>(k) + 1;
    const CombinedPair& pair = kept[k];
    const PairAxis axis = *pairAxis(p, pair.first, pair.second);
    CombinedFootingRecord& cf = p.CombinedFootingTable[n];
    cf = CombinedFootingRecord{};
    cf.CfMemberCount = 2;
    cf.CfMembers[1] = pair.first;
    cf.CfMembers[2] = pair.second;
    cf.CfAxis = axis.axis;
    cf.CfDistance = static_cast<double>(axis.distance);
    cf.CfHalfSkew = static_cast<double>(axis.skew) / 2.0;
    setCombined(p.FootingTable[pair.first], n);
    setCombined(p.FootingTable[pair.second], n);
  }
}

void deriveGroups(Project& p) {
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    SizeGroupRecord& grp = p.SizeGroupTable[g];
    grp.GroupSize = grp.GroupBaseSize;
    grp.Checked = true;
    for (const GroupChoice& c : p.decisions.groups) {
      if (c.baseSize.value() != grp.GroupBaseSize.value()) continue;
      grp.GroupSize = c.size;
      grp.Checked = c.checked;
    }
  }
  // The largest size can never be switched off.
  if (p.SizeGroupCount > 0) p.SizeGroupTable[p.SizeGroupCount].Checked = true;
}

void deriveSizes(Project& p, Prompter& prompter) {
  for (int s = 1; s <= p.FootingCount; ++s) {
    FootingRecord& f = p.FootingTable[s];
    if (f.Kind == FootingKind::Isolated) continue;  // the assignment sizes ordinary footings
    f.GroupNo = 0;
    f.GroupRank = 0;
    if (f.Kind == FootingKind::Disabled) {
      f.SizeL = f.ReqSize;
      f.SizeB = f.ReqSize;
    }
  }
  for (const ResizedFooting& r : p.decisions.resized) {
    if (!isFooting(p, r.footing) || p.FootingTable[r.footing].Kind != FootingKind::HandResized) continue;
    FootingRecord& f = p.FootingTable[r.footing];
    f.SizeL = r.length;
    f.SizeB = WidthForLength(p, r.footing, r.length, prompter);
  }
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const Single length = p.decisions.combined[static_cast<std::size_t>(n) - 1].length;
    if (length > 0) sizeCombinedFooting(p, n, length, true);
    else stepCombinedFooting(p, n, 0);
  }
}

// The sizes a hand-resized or combined footing takes from its chosen length, checked against the largest
// side sizing allows: a length that leaves the width beyond it is refused rather than designed.
std::string oversizeRefusal(const Project& p) {
  const std::string limit = "; footing sides above " + numberText(limits::kLargestSide) + " m cannot be designed.";
  auto within = [](double side) { return side <= limits::kLargestSide; };  // false for NaN
  for (const ResizedFooting& r : p.decisions.resized) {
    if (!isFooting(p, r.footing) || p.FootingTable[r.footing].Kind != FootingKind::HandResized) continue;
    const FootingRecord& f = p.FootingTable[r.footing];
    if (!within(f.SizeL) || !within(f.SizeB))
      return "The footing of joint " + numberText(f.JointNo) + " at a length of " + numberText(f.SizeL) +
             " m needs a width of " + numberText(f.SizeB) + " m" + limit;
  }
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
    if (within(cf.CfLength) && within(cf.CfWidth)) continue;
    return "Combined footing C" + std::to_string(n) + " of joints " +
           numberText(p.FootingTable[cf.CfMembers[1]].JointNo) + " and " +
           numberText(p.FootingTable[cf.CfMembers[2]].JointNo) + " would be " + numberText(cf.CfLength) +
           " m long and " + numberText(cf.CfWidth) + " m wide" + limit;
  }
  return {};
}

}  // namespace

void resetDecisions(Project& p) {
  const DesignOptions options = p.decisions.options;  // the options stand for the whole project
  p.decisions = Decisions{};
  p.decisions.options = options;
  p.decisions.offsets.resize(static_cast<std::size_t>(std::max<int>(p.FootingCount, 0)) + 1);
  p.scheduleDesigned = false;
  p.scheduleStale = false;
}

std::string derivePlan(Project& p, Prompter& prompter) {
  setIncreasedSbc(p);
  derivePositions(p);
  // An offset or a change of the options changes the required sizes: the footings concerned are sized
  // again and the size groups built afresh from the new sizes.
  const SizesChanged sizes = resizeMovedFootings(p);
  if (!sizes.refusal.empty()) return sizes.refusal;
  if (sizes.changed)
    if (std::string refusal = BuildSizeGroups(p); !refusal.empty()) return refusal;
  deriveKinds(p, prompter);
  deriveGroups(p);
  deriveSizes(p, prompter);
  if (std::string refusal = oversizeRefusal(p); !refusal.empty()) return refusal;
  const AssignOutcome assigned = assignFootingsToGroups(p);
  if (!assigned.refusal.empty()) return assigned.refusal;
  if (!assigned.missed.empty()) prompter.message(missedSizeMessage(p, assigned.missed));
  return {};
}

bool applyDecisions(Project& p, Decisions next, Prompter& prompter) {
  Decisions previous = std::move(p.decisions);
  p.decisions = std::move(next);
  const std::string refusal = derivePlan(p, prompter);
  if (refusal.empty()) return true;
  prompter.message(refusal);
  p.decisions = std::move(previous);
  RecordingPrompter alreadyShown;  // the previous plan's messages were shown when it was derived
  derivePlan(p, alreadyShown);
  return false;
}

std::string startPlan(Project& p, Prompter& prompter) {
  placeFootings(p);
  if (std::string refusal = sizeFootings(p, prompter); !refusal.empty()) return refusal;
  if (std::string refusal = BuildGridLines(p); !refusal.empty()) return refusal;
  if (std::string refusal = BuildSizeGroups(p); !refusal.empty()) return refusal;
  resetDecisions(p);
  return derivePlan(p, prompter);
}

}  // namespace plintova
