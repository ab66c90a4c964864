// Pedestal sides per plan direction, from the size groups' rule and the columns they carry.
#include "design/pedestals.h"

#include <algorithm>
#include <cmath>

#include "footing/size_groups.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kRoundUpAllowance = 0.049999;  // rounds a required size up to the next 0.1 m

const FootingRow* rowOf(const std::vector<FootingRow>& rows, const std::vector<int>& footings) {
  for (const FootingRow& r : rows)
    if (r.footings == footings) return &r;
  return nullptr;
}

// The combined footing footing s is a member of, as its row knows it: the members in table order.
std::vector<int> combinedMembers(const Project& p, int k) {
  std::vector<int> members;
  if (k < 1 || k > std::min<int>(p.CombinedCount, cap::kCombined)) return members;
  const CombinedFootingRecord& cf = p.CombinedFootingTable[k];
  for (int m = 1; m <= std::clamp<int>(cf.CfMemberCount, 0, cap::kCombinedMembers); ++m)
    if (cf.CfMembers[m] >= 1 && cf.CfMembers[m] <= p.FootingCount) members.push_back(cf.CfMembers[m]);
  return members;
}

PedestalSides groupRowPedestal(const Project& p, const FootingRecord& f) {
  for (int r = 1; r <= std::min<int>(p.DesignGroupCount, cap::kSizeGroups); ++r)
    if (p.DesignGroupTable[r].GroupMark == f.GroupRank && p.DesignGroupTable[r].MemberCount > 0)
      return p.DesignGroupTable[r].Pedestal;
  if (f.GroupNo >= 1 && f.GroupNo <= std::min<int>(p.SizeGroupCount, cap::kSizeGroups))
    return groupPedestal(p, f.GroupNo);
  return {};
}

}  // namespace

PedestalSides ownPedestal(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount) return {};
  const float bySize = PedestalSizeFor(roundToSingle(p.FootingTable[s].ReqSize + kRoundUpAllowance, 1));
  return envelope(PedestalSides::square(bySize), columnPedestal(p, s));
}

PedestalSides columnsPedestal(const Project& p, const std::vector<int>& footings) {
  PedestalSides need;
  for (int s : footings) need = envelope(need, columnPedestal(p, s));
  return need;
}

PedestalSides groupPedestal(const Project& p, int g) {
  if (g < 1 || g > std::min<int>(p.SizeGroupCount, cap::kSizeGroups)) return {};
  std::vector<int> members;
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].GroupNo == g && p.FootingTable[s].Kind == FootingKind::Isolated) members.push_back(s);
  return envelope(p.SizeGroupTable[g].Pedestal, columnsPedestal(p, members));
}

PedestalSides footingPedestal(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount) return {};
  const FootingRecord& f = p.FootingTable[s];
  if (f.Kind == FootingKind::Isolated) return groupRowPedestal(p, f);
  if (f.Kind == FootingKind::HandResized) {
    const FootingRow* row = rowOf(p.RectangularRows, {s});
    return row ? row->Pedestal : ownPedestal(p, s);
  }
  if (f.Kind == FootingKind::Combined) {
    const std::vector<int> members = combinedMembers(p, f.CombinedNo);
    if (const FootingRow* row = rowOf(p.CombinedRows, members)) return row->Pedestal;
    PedestalSides own;
    for (int m : members) own = envelope(own, ownPedestal(p, m));
    return own;
  }
  return {};
}

PedestalSides editedPedestal(PedestalSides designed, const RowEdit& edit) {
  auto typed = [](const std::optional<float>& v) { return v && std::isfinite(*v) && *v > 0; };
  if (typed(edit.pedestalX)) designed.x = *edit.pedestalX;
  if (typed(edit.pedestalZ)) designed.z = *edit.pedestalZ;
  return designed;
}

std::string pedestalText(const PedestalSides& sides) {
  if (sides.x.value() == sides.z.value()) return numberText(sides.x);
  return numberText(sides.x) + " x " + numberText(sides.z);
}

std::optional<PedestalSides> parsePedestalText(const std::string& text) {
  // "1E-1" is a number, so only a letter x that cannot be part of one separates the sides.
  const std::size_t by = text.find_first_of("xX*");
  const std::string first = text.substr(0, by), second = by == std::string::npos ? first : text.substr(by + 1);
  if (!isNumeric(first) || !isNumeric(second)) return std::nullopt;
  return PedestalSides{numericValue(first), numericValue(second)};
}

}  // namespace plintova
