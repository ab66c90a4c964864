// Size groups: the standard square footing sizes, the assignment of footings to them and their captions.
#include "footing/size_groups.h"

#include <utility>
#include <vector>

#include "footing/derived_plan.h"
#include "footing/plan_decisions.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kRoundUpAllowance = 0.049999;  // rounds a required size up to the next 0.1 m
constexpr int16_t kDefaultBarDia = 10;          // mm

}  // namespace

float PedestalSizeFor(float size) {
  if (size <= 1.4f) return 0.40f;
  if (size <= 1.7f) return 0.45f;
  if (size <= 1.9f) return 0.53f;
  if (size <= 2.3f) return 0.60f;
  if (size <= 2.8f) return 0.75f;
  if (size <= 3.1f) return 0.90f;
  return 1.20f;
}

std::string BuildSizeGroups(Project& p) {
  std::vector<float> sizes;
  for (int i = 1; i <= p.FootingCount; ++i) {
    const float key = roundToSingle(static_cast<double>(p.FootingTable[i].ReqSize) + kRoundUpAllowance, 1);
    bool found = false;
    for (float s : sizes) {
      if (s == key) {
        found = true;
        break;
      }
    }
    if (!found) sizes.push_back(key);
  }
  if (sizes.size() > static_cast<std::size_t>(cap::kSizeGroups))
    return "Too many footing sizes: " + std::to_string(sizes.size()) + " different sizes, and at most " +
           std::to_string(cap::kSizeGroups) + " size groups";
  // Exchange neighbours until a pass makes no exchange: ascending sizes.
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (std::size_t j = 0; j + 1 < sizes.size(); ++j) {
      if (sizes[j] > sizes[j + 1]) {
        std::swap(sizes[j], sizes[j + 1]);
        exchanged = true;
      }
    }
  }
  p.SizeGroupCount = static_cast<int16_t>(sizes.size());
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    SizeGroupRecord& g = p.SizeGroupTable[static_cast<long long>(k) + 1];
    g = SizeGroupRecord{};
    g.GroupBaseSize = sizes[k];
    g.GroupSize = sizes[k];
    g.Pedestal = PedestalSides::square(PedestalSizeFor(sizes[k]));
    g.BarDia = kDefaultBarDia;
    g.Checked = true;
  }
  return {};
}

AssignOutcome assignFootingsToGroups(Project& p) {
  AssignOutcome outcome;
  const int n = p.FootingCount;
  const int groups = p.SizeGroupCount;

  // Choose first, so that an assignment the table cannot hold changes nothing.
  std::vector<int16_t> target(static_cast<std::size_t>(n) + 1, 0);
  std::vector<int> members(static_cast<std::size_t>(groups) + 1, 0);
  for (int i = 1; i <= n; ++i) {
    const FootingRecord& f = p.FootingTable[i];
    if (f.Kind != FootingKind::Isolated) continue;
    for (int g = 1; g <= groups; ++g) {
      const SizeGroupRecord& grp = p.SizeGroupTable[g];
      if (grp.Checked && grp.GroupSize >= f.ReqSize) {
        target[static_cast<std::size_t>(i)] = static_cast<int16_t>(g);
        ++members[static_cast<std::size_t>(g)];
        break;
      }
    }
  }
  for (int g = 1; g <= groups; ++g) {
    if (members[static_cast<std::size_t>(g)] > cap::kGroupMembers) {
      outcome.refusal = "Too many footings of size " + numberText(p.SizeGroupTable[g].GroupSize) + ": " +
                        std::to_string(members[static_cast<std::size_t>(g)]) + " footings, and at most " +
                        std::to_string(cap::kGroupMembers) + " in one size group";
      return outcome;
    }
  }

  for (int g = 1; g <= groups; ++g) p.SizeGroupTable[g].MemberCount = 0;
  int16_t handResized = 0;
  for (int i = 1; i <= n; ++i) {
    FootingRecord& f = p.FootingTable[i];
    if (f.Kind == FootingKind::Isolated) {
      const int16_t g = target[static_cast<std::size_t>(i)];
      f.GroupNo = g;
      if (g > 0) {
        SizeGroupRecord& grp = p.SizeGroupTable[g];
        ++grp.MemberCount;
        grp.Members[grp.MemberCount] = static_cast<int16_t>(i);
        f.SizeL = grp.GroupSize;
        f.SizeB = grp.GroupSize;
      } else {
        outcome.missed.push_back(i);
      }
    } else if (f.Kind == FootingKind::HandResized) {
      f.GroupRank = ++handResized;
    }
  }

  int16_t mark = 0;
  for (int g = 1; g <= groups; ++g) {
    SizeGroupRecord& grp = p.SizeGroupTable[g];
    grp.GroupMark = grp.MemberCount > 0 ? ++mark : 0;
  }
  for (int i = 1; i <= n; ++i) {
    FootingRecord& f = p.FootingTable[i];
    if (f.Kind == FootingKind::Isolated) f.GroupRank = f.GroupNo > 0 ? p.SizeGroupTable[f.GroupNo].GroupMark : 0;
  }
  return outcome;
}

std::string missedSizeMessage(const Project& p, const std::vector<int>& missed) {
  std::string text;
  for (int s : missed) {
    const FootingRecord& f = p.FootingTable[s];
    if (!text.empty()) text += "\n";
    text += numberText(f.JointNo) + " Missed   Size = " + numberText(roundWhole(f.ReqSize)) + " M";
  }
  return text;
}

GroupCaptions groupCaptions(const Project& p, int g) {
  GroupCaptions c;
  if (g < 1 || g > p.SizeGroupCount) return c;
  const SizeGroupRecord& grp = p.SizeGroupTable[g];
  c.size = numberText(grp.GroupSize);
  if (grp.MemberCount > 0) {
    c.check = " F" + numberText(grp.GroupMark);
    c.count = numberText(grp.MemberCount);
  }
  return c;
}

}  // namespace plintova
