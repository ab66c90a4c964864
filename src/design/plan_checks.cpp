// The plan as built checked for clashes: footings against each other, pedestals against footings and
// columns against pedestals.
#include "design/plan_checks.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "design/pedestals.h"
#include "model/numbers.h"

namespace plintova {

namespace {

struct Box {
  double x0 = 0, z0 = 0, x1 = 0, z1 = 0;  // mm
};

Box around(double cx, double cz, double sideX, double sideZ) {
  return {cx - sideX / 2, cz - sideZ / 2, cx + sideX / 2, cz + sideZ / 2};
}

// One footing as built: its outline, its footings (one, or a combined footing's members) and pedestal.
struct Built {
  Box outline;
  std::vector<int> footings;
  PedestalSides pedestal;  // m
};

std::vector<Built> builtFootings(const Project& p) {
  std::vector<Built> out;
  const int n = std::clamp<int>(p.FootingCount, 0, cap::kFootings);
  for (int s = 1; s <= n; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.Kind != FootingKind::Isolated && f.Kind != FootingKind::HandResized) continue;
    Built b;
    b.outline = around(f.PosX, f.PosZ, f.SizeL * 1000.0, f.SizeB * 1000.0);
    b.footings = {s};
    b.pedestal = footingPedestal(p, s);
    out.push_back(b);
  }
  for (int k = 1; k <= std::clamp<int>(p.CombinedCount, 0, cap::kCombined); ++k) {
    const CombinedFootingRecord& cf = p.CombinedFootingTable[k];
    Built b;
    b.outline = {std::min<double>(cf.CfLeft, cf.CfRight), std::min<double>(cf.CfBottom, cf.CfTop),
                 std::max<double>(cf.CfLeft, cf.CfRight), std::max<double>(cf.CfBottom, cf.CfTop)};
    for (int m = 1; m <= std::clamp<int>(cf.CfMemberCount, 0, cap::kCombinedMembers); ++m) {
      const int s = cf.CfMembers[m];
      if (s >= 1 && s <= n) b.footings.push_back(s);
    }
    if (!b.footings.empty()) b.pedestal = footingPedestal(p, b.footings.front());
    out.push_back(b);
  }
  return out;
}

std::vector<int> jointsOf(const Project& p, const std::vector<int>& footings) {
  std::vector<int> joints;
  for (int s : footings) joints.push_back(p.FootingTable[s].JointNo);
  return joints;
}

std::string jointsText(const std::vector<int>& joints) {
  std::string t;
  for (std::size_t i = 0; i < joints.size(); ++i)
    t += (i == 0 ? "" : i + 1 == joints.size() ? " and " : ", ") + std::to_string(joints[i]);
  return t;
}

std::string mm(double v) { return numberText(roundTo(v, 0)) + " mm"; }

// The clear gap between two outlines, mm: negative by the overlap where they overlap.
double clearGap(const Box& a, const Box& b) {
  const double dx = std::max(b.x0 - a.x1, a.x0 - b.x1);
  const double dz = std::max(b.z0 - a.z1, a.z0 - b.z1);
  if (dx < 0 && dz < 0) return std::max(dx, dz);
  if (dx >= 0 && dz >= 0) return std::hypot(dx, dz);
  return std::max(dx, dz);
}

void checkPair(const Project& p, const Built& a, const Built& b, double least, std::vector<PlanCheck>& out) {
  const double gap = clearGap(a.outline, b.outline);
  if (!(gap < least) || (gap >= 0 && least <= 0)) return;
  PlanCheck c;
  c.joints = jointsOf(p, a.footings);
  const std::vector<int> other = jointsOf(p, b.footings);
  c.joints.insert(c.joints.end(), other.begin(), other.end());
  c.footings = a.footings;
  c.footings.insert(c.footings.end(), b.footings.begin(), b.footings.end());
  c.value = roundTo(gap, 0);
  c.limit = least;
  if (gap < 0) {
    c.kind = "overlap";
    c.message = "The footings at joints " + jointsText(c.joints) + " overlap by " + mm(-gap) +
                ": combine them, or move or resize one.";
  } else {
    c.kind = "gap";
    c.message = "The footings at joints " + jointsText(c.joints) + " stand " + mm(gap) + " apart, less than the " +
                mm(least) + " clear gap of the design options.";
  }
  out.push_back(c);
}

void checkPedestals(const Project& p, const Built& b, std::vector<PlanCheck>& out) {
  if (!b.pedestal.known()) return;
  const double ax = b.pedestal.x * 1000, az = b.pedestal.z * 1000;
  for (int s : b.footings) {
    const FootingRecord& f = p.FootingTable[s];
    const Box ped = around(f.ColumnX, f.ColumnZ, ax, az);
    const double beyond = std::max({b.outline.x0 - ped.x0, ped.x1 - b.outline.x1, b.outline.z0 - ped.z0,
                                    ped.z1 - b.outline.z1});
    if (beyond > 0.5)
      out.push_back({"pedestal outside footing", {f.JointNo}, {s}, roundTo(beyond, 0), 0,
                     "The pedestal at joint " + std::to_string(f.JointNo) + " reaches " + mm(beyond) +
                         " beyond its footing."});
    // Each direction with its own side: a column wider than the pedestal along X or along Z.
    if (const auto col = columnSection(p, s); col && (col->alongX > ax + 0.05 || col->alongZ > az + 0.05))
      out.push_back({"column larger than pedestal", {f.JointNo}, {s},
                     roundTo(std::max(col->alongX - ax, col->alongZ - az), 0), 0,
                     "The column at joint " + std::to_string(f.JointNo) + " (" + numberText(col->alongX) + " x " +
                         numberText(col->alongZ) + " mm) is larger than its " + numberText(roundTo(ax, 0)) + " x " +
                         numberText(roundTo(az, 0)) + " mm pedestal."});
  }
}

// The pairs (i < j) of outlines that may stand closer than `least`, in the order of i then j. The clear
// gap of two outlines is never less than their gap along X (nor along Z), so after sorting by the left
// edge a sweep stops at the first outline whose left edge lies `least` or more beyond the right edge of
// the one at hand: linear in the footings for a plan of columns, where checking every pair was quadratic.
std::vector<std::pair<std::size_t, std::size_t>> closePairs(const std::vector<Built>& built, double least) {
  std::vector<std::size_t> byLeft(built.size());
  for (std::size_t i = 0; i < byLeft.size(); ++i) byLeft[i] = i;
  std::stable_sort(byLeft.begin(), byLeft.end(),
                   [&](std::size_t a, std::size_t b) { return built[a].outline.x0 < built[b].outline.x0; });
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t k = 0; k < byLeft.size(); ++k) {
    const Box& a = built[byLeft[k]].outline;
    for (std::size_t l = k + 1; l < byLeft.size(); ++l) {
      const Box& b = built[byLeft[l]].outline;
      if (!(b.x0 - a.x1 < least)) break;
      if (!(std::max(b.z0 - a.z1, a.z0 - b.z1) < least)) continue;
      pairs.emplace_back(std::min(byLeft[k], byLeft[l]), std::max(byLeft[k], byLeft[l]));
    }
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

}  // namespace

std::vector<PlanCheck> planChecks(const Project& p) {
  const std::vector<Built> built = builtFootings(p);
  const double least = p.decisions.options.clearGap;
  std::vector<PlanCheck> out;
  for (const auto& [i, j] : closePairs(built, least)) checkPair(p, built[i], built[j], least, out);
  for (const Built& b : built) checkPedestals(p, b, out);
  return out;
}

std::string planChecksSummary(const std::vector<PlanCheck>& checks) {
  int overlap = 0, gap = 0, other = 0;
  for (const PlanCheck& c : checks) (c.kind == "overlap" ? overlap : c.kind == "gap" ? gap : other)++;
  std::string t;
  auto add = [&t](int n, const std::string& one, const std::string& many) {
    if (n > 0) t += (t.empty() ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? one : many);
  };
  add(overlap, "pair of footings overlaps", "pairs of footings overlap");
  add(gap, "pair of footings stands closer than the clear gap", "pairs of footings stand closer than the clear gap");
  add(other, "pedestal does not fit its footing or column", "pedestals do not fit their footings or columns");
  return t;
}

std::vector<std::string> failedCheckNames(const Project& p, int r) {
  std::vector<std::string> names;
  const std::vector<CodeCheck>* checks = nullptr;
  const int groups = std::clamp<int>(p.DesignGroupCount, 0, cap::kSizeGroups);
  const std::size_t k = r > groups ? static_cast<std::size_t>(r - groups - 1) : 0;
  if (r >= 1 && r <= groups) checks = &p.DesignGroupTable[r].checks;
  else if (r > groups && k < p.RectangularRows.size()) checks = &p.RectangularRows[k].checks;
  else if (r > groups && k - p.RectangularRows.size() < p.CombinedRows.size())
    checks = &p.CombinedRows[k - p.RectangularRows.size()].checks;
  if (!checks) return names;
  for (const CodeCheck& c : *checks)
    if (!c.ok) names.push_back(c.name);
  return names;
}

IssueState issueState(const Project& p) {
  IssueState s;
  const int groups = std::clamp<int>(p.DesignGroupCount, 0, cap::kSizeGroups);
  const int rows = groups + static_cast<int>(p.RectangularRows.size() + p.CombinedRows.size());
  for (int r = 1; r <= rows; ++r) {
    if (failedCheckNames(p, r).empty()) continue;
    if (r <= groups) s.failingRows.push_back("F" + std::to_string(p.DesignGroupTable[r].GroupMark));
    else if (const std::size_t k = static_cast<std::size_t>(r - groups - 1); k < p.RectangularRows.size())
      s.failingRows.push_back(p.RectangularRows[k].mark());
    else s.failingRows.push_back(p.CombinedRows[k - p.RectangularRows.size()].mark());
  }
  s.plan = planChecks(p);
  return s;
}

std::string IssueState::reason() const {
  std::string t;
  if (!failingRows.empty())
    t = std::to_string(failingRows.size()) + (failingRows.size() == 1 ? " footing row fails its checks" : " footing rows fail their checks");
  if (const std::string plan = planChecksSummary(this->plan); !plan.empty()) t += (t.empty() ? "" : " and ") + plan;
  return t.empty() ? t : t + ".";
}

}  // namespace plintova
