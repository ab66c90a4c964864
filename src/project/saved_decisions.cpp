// A project's decisions keyed by joints and base sizes, and back to the footing indices of a new reading.
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "files/safe_file.h"
#include "footing/plan_decisions.h"
#include "input/fingerprints.h"
#include "model/numbers.h"
#include "project/project_file.h"

namespace plintova {

namespace {

namespace fs = std::filesystem;

// The listing's name as the project file keeps it: relative to the project file's folder when the
// listing lies in that folder or below it (the two can move together), else absolute. Both folders are
// the real ones: the file is written where a symbolic link to it points, and read from there.
std::string listingNameFor(const std::string& anlPath, const std::string& projectPath) {
  if (anlPath.empty()) return {};
  std::error_code ec;
  const fs::path listing = fs::absolute(fs::path(anlPath), ec).lexically_normal();
  if (ec) return anlPath;
  // The listing's own folder resolved, its name kept: a listing that is a link stays named by the link.
  fs::path folder = fs::weakly_canonical(listing.parent_path(), ec);
  if (ec) folder = listing.parent_path();
  const fs::path realListing = folder / listing.filename();
  const fs::path relative = realListing.lexically_relative(realFolderOf(projectPath));
  if (!relative.empty() && *relative.begin() != "..") return relative.string();
  return listing.string();
}

// Joint number -> first footing under it. Footings without a joint number are not keyed.
std::map<int, int> footingsByJoint(const Project& p) {
  std::map<int, int> of;
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].JointNo > 0) of.emplace(p.FootingTable[s].JointNo, s);
  return of;
}

// Joint number -> fingerprint of its reactions, for the supports of the listing as read.
std::map<int, std::string> supportsByJoint(const Project& p) {
  std::map<int, std::string> of;
  for (int s = 1; s <= p.supportCount(); ++s) {
    const auto joint = toInt16(p.ReactionTable(s, 0, 0));
    if (!joint || *joint < 1 || static_cast<std::size_t>(s) >= p.SupportPrints.size()) continue;
    of.emplace(*joint, p.SupportPrints[static_cast<std::size_t>(s)]);
  }
  return of;
}

std::string jointList(const std::vector<int>& joints) {
  std::string t = joints.size() == 1 ? "joint " : "joints ";
  for (std::size_t i = 0; i < joints.size(); ++i) t += (i ? ", " : "") + std::to_string(joints[i]);
  return t;
}

std::string jointText(int joint) { return "joint " + std::to_string(joint); }
std::string notASupport(int joint) { return jointText(joint) + " is not a support of the listing any more"; }

}  // namespace

SavedProject savedProjectOf(const Project& p, const std::string& projectPath) {
  SavedProject s;
  s.listing = listingNameFor(p.AnlPath, projectPath);
  s.listingSha256 = listingSha256(p);
  // The supports in the listing's order; a joint listed twice counts once, as for the footings.
  std::set<int> seen;
  for (int k = 1; k <= p.supportCount() && static_cast<std::size_t>(k) < p.SupportPrints.size(); ++k) {
    const auto joint = toInt16(p.ReactionTable(k, 0, 0));
    if (joint && *joint >= 1 && seen.insert(*joint).second)
      s.supports.push_back({*joint, p.SupportPrints[static_cast<std::size_t>(k)]});
  }
  s.sbc = p.CaseSbc[0];
  s.depth = static_cast<float>(p.FoundingDepth);
  s.cases = p.UsedCases;
  if (p.increasedByChoice()) {
    // The listing's cases only: the combinations take theirs by their content when they are built again.
    s.increasedCases.emplace();
    for (int n : p.IncreasedCases)
      if (std::find(p.ListingCases.begin(), p.ListingCases.end(), n) != p.ListingCases.end() || p.ListingCases.empty())
        s.increasedCases->push_back(n);
  }
  s.caseRoles = p.CaseRoles;
  if (!p.Combinations.empty()) s.combinations = p.Combinations;
  // The later-case rule on a listing that names its cases' titles: kept from a project saved before the
  // wind and earthquake rule.
  s.laterCaseRule = p.increaseRule == IncreaseRule::LaterCases && titlesKnown(p.LoadCases);
  s.options = p.decisions.options;
  if (p.GradesGiven) {
    s.fck = p.Fck;
    s.fe = p.Fe;
  }

  const Decisions& d = p.decisions;
  auto jointOf = [&p](int f) { return f >= 1 && f <= p.FootingCount ? int{p.FootingTable[f].JointNo} : 0; };
  for (int f = 1; f <= p.FootingCount; ++f) {
    const ColumnOffset o = d.offsetOf(f);
    if (o == ColumnOffset{} || jointOf(f) == 0) continue;
    const OffsetSteps steps = nearestSteps(p, f, o);
    s.offsets.push_back({jointOf(f), steps.x, steps.z, o.dx, o.dz});
  }
  s.groups = d.groups;
  for (int16_t f : d.disabled)
    if (jointOf(f) > 0) s.disabled.push_back(jointOf(f));
  for (const CombinedPair& c : d.combined)
    if (jointOf(c.first) > 0 && jointOf(c.second) > 0)
      s.combined.push_back({jointOf(c.first), jointOf(c.second), c.length.value()});
  for (const ResizedFooting& r : d.resized)
    if (jointOf(r.footing) > 0) s.resized.push_back({jointOf(r.footing), r.length.value()});
  // Edits of the rows of hand-resized and combined footings are kept by the joints of their footings.
  for (ScheduleEdit e : d.schedule) {
    bool keyed = true;
    for (int32_t& f : e.footings) {
      f = jointOf(f);
      keyed = keyed && f > 0;
    }
    if (keyed) s.schedule.push_back(e);
  }
  s.designed = p.scheduleDesigned;
  s.sheet = d.sheet;
  return s;
}

std::string listingChanges(const Project& p, const SavedProject& saved) {
  if (saved.listingSha256.empty() || saved.listingSha256 == listingSha256(p)) return {};
  std::string message = "The listing " + p.AnlPath + " has changed since the project was saved";
  if (saved.supports.empty()) return message + ".";
  std::map<int, std::string> before;
  for (const SavedSupport& x : saved.supports) before.emplace(x.joint, x.reactions);
  const std::map<int, std::string> now = supportsByJoint(p);
  std::vector<int> changed, added, removed;
  for (const auto& [joint, print] : now) {
    const auto it = before.find(joint);
    if (it == before.end()) added.push_back(joint);
    else if (it->second != print) changed.push_back(joint);
  }
  for (const auto& [joint, print] : before)
    if (!now.contains(joint)) removed.push_back(joint);
  if (changed.empty() && added.empty() && removed.empty())
    return message + "; the reactions of its supports are the same.";
  std::string parts;
  auto add = [&parts](const std::string& what, const std::vector<int>& joints) {
    if (!joints.empty()) parts += (parts.empty() ? "" : "; ") + what + " at " + jointList(joints);
  };
  add("reactions changed", changed);
  add("supports added", added);
  add("supports removed", removed);
  return message + ": " + parts + ".";
}

namespace {

// The footings of this reading of the listing by the joints a project file names them by, and the list of
// saved decisions that no longer apply, filled by the restoring functions below (one per kind of
// decision, called in the order the plan is derived in).
struct Restoring {
  const Project& p;
  std::map<int, int> footings;
  std::vector<std::string>& dropped;

  int footingOf(int joint) const {
    const auto it = footings.find(joint);
    return it == footings.end() ? 0 : it->second;
  }
};

bool isDisabled(const Decisions& d, int f) {
  return std::binary_search(d.disabled.begin(), d.disabled.end(), static_cast<int16_t>(f));
}

// The number (from 1) of the combined footing that holds footing f, 0 when none does.
int combinedIn(const Decisions& d, int f) {
  for (std::size_t k = 0; k < d.combined.size(); ++k)
    if (d.combined[k].first == f || d.combined[k].second == f) return static_cast<int>(k) + 1;
  return 0;
}

// Offsets: in millimetres where the file has them; steps move a footing only where the section of
// its column is known.
void restoreOffsets(const Restoring& r, const std::vector<SavedOffset>& saved, Decisions& d) {
  const Project& p = r.p;
  std::vector<bool> offsetSet(d.offsets.size(), false);
  for (const SavedOffset& o : saved) {
    const std::string what = "Column offset of " + jointText(o.joint) + ": ";
    const int f = r.footingOf(o.joint);
    const bool typed = o.dx || o.dz;
    const ColumnOffset millimetres{o.dx.value_or(0), o.dz.value_or(0)};
    const auto stepped = typed || f == 0 ? std::optional<ColumnOffset>{} : stepOffset(p, f, o.stepX, o.stepZ);
    auto fits = [&p, f](ColumnOffset offset) {
      const FootingRecord& rec = p.FootingTable[f];
      return toInt32(static_cast<double>(rec.ColumnX) + offset.dx) &&
             toInt32(static_cast<double>(rec.ColumnZ) + offset.dz);
    };
    if (f == 0) {
      r.dropped.push_back(what + notASupport(o.joint) + ".");
    } else if (offsetSet[static_cast<std::size_t>(f)]) {
      r.dropped.push_back(what + "the joint has an offset already.");
    } else if (!typed && !offsetPosition(p, f, 0, 0)) {
      r.dropped.push_back(what + "the section of its column is not known.");
    } else if (typed ? !fits(millimetres) : !stepped) {
      r.dropped.push_back(what + "the offset would move the footing beyond the plan's coordinates (" +
                          "+/-2147483647 mm).");
    } else {
      d.offsets[static_cast<std::size_t>(f)] = typed ? millimetres : *stepped;
      offsetSet[static_cast<std::size_t>(f)] = true;
    }
  }
}

// Groups, by the size that created them.
void restoreGroups(const Restoring& r, const std::vector<GroupChoice>& saved, Decisions& d) {
  for (const GroupChoice& g : saved) {
    const std::string what = "Size group " + numberText(g.baseSize) + " m: ";
    bool exists = false;
    for (int k = 1; k <= r.p.SizeGroupCount; ++k)
      exists |= r.p.SizeGroupTable[k].GroupBaseSize.value() == g.baseSize.value();
    const bool twice = std::any_of(d.groups.begin(), d.groups.end(),
                                   [&](const GroupChoice& c) { return c.baseSize.value() == g.baseSize.value(); });
    if (!exists) r.dropped.push_back(what + "the footings of the listing no longer make such a group.");
    else if (twice) r.dropped.push_back(what + "the group has a choice already.");
    else if (g.size.value() != g.baseSize.value() || !g.checked) d.groups.push_back(g);
  }
}

void restoreDisabled(const Restoring& r, const std::vector<int>& saved, Decisions& d) {
  for (int joint : saved) {
    const int f = r.footingOf(joint);
    if (f == 0) {
      r.dropped.push_back("Disabled footing of " + jointText(joint) + ": " + notASupport(joint) + ".");
    } else if (!isDisabled(d, f)) {
      d.disabled.insert(std::lower_bound(d.disabled.begin(), d.disabled.end(), static_cast<int16_t>(f)),
                        static_cast<int16_t>(f));
    }
  }
}

// Why the saved pair cannot be combined again on this reading ("" when it can); a and b become its
// footings, the lower index first.
std::string combineRefusal(const Restoring& r, const SavedCombined& c, const Decisions& d, const Project& placed,
                           int& a, int& b) {
  a = r.footingOf(c.first);
  b = r.footingOf(c.second);
  std::string why;
  for (int joint : {c.first, c.second}) {
    const int f = r.footingOf(joint);
    if (!why.empty()) break;
    if (f == 0) why = notASupport(joint);
    else if (isDisabled(d, f)) why = jointText(joint) + " is disabled";
    else if (const int n = combinedIn(d, f))
      why = jointText(joint) + " is in combined footing " + std::to_string(n) + " already";
  }
  if (why.empty() && c.first == c.second) why = "a footing cannot be combined with itself";
  if (why.empty() && static_cast<int>(d.combined.size()) >= cap::kCombined)
    why = "the plan holds at most " + std::to_string(cap::kCombined) + " combined footings";
  if (why.empty()) {
    if (a > b) std::swap(a, b);
    if (!pairAxis(placed, a, b)) why = "the columns no longer lie on one line (deviation more than 600 mm)";
  }
  return why;
}

// Combined pairs, in the order they were made, on the footing positions the offsets give.
void restoreCombined(const Restoring& r, const std::vector<SavedCombined>& saved, Decisions& d) {
  if (saved.empty()) return;
  const Project& p = r.p;
  auto placed = std::make_unique<Project>();
  placed->FootingCount = p.FootingCount;
  for (int f = 1; f <= p.FootingCount; ++f)
    std::tie(placed->FootingTable[f].PosX, placed->FootingTable[f].PosZ) = footingCentre(p, f, d.offsetOf(f));
  for (const SavedCombined& c : saved) {
    int a = 0, b = 0;
    const std::string why = combineRefusal(r, c, d, *placed, a, b);
    if (!why.empty()) {
      r.dropped.push_back("Combined footing of joints " + std::to_string(c.first) + " and " +
                          std::to_string(c.second) + ": " + why + ".");
      continue;
    }
    d.combined.push_back({static_cast<int16_t>(a), static_cast<int16_t>(b), c.length});
  }
}

void restoreResized(const Restoring& r, const std::vector<SavedResize>& saved, Decisions& d) {
  for (const SavedResize& x : saved) {
    const std::string what = "Resized footing of " + jointText(x.joint) + ": ";
    const int f = r.footingOf(x.joint);
    const bool twice =
        std::any_of(d.resized.begin(), d.resized.end(), [f](const ResizedFooting& y) { return y.footing == f; });
    if (f == 0) r.dropped.push_back(what + notASupport(x.joint) + ".");
    else if (const int n = combinedIn(d, f))
      r.dropped.push_back(what + "the footing is in combined footing " + std::to_string(n) + ".");
    else if (isDisabled(d, f)) r.dropped.push_back(what + "the footing is disabled.");
    else if (twice) r.dropped.push_back(what + "the footing has a length already.");
    else {
      const ResizedFooting y{static_cast<int16_t>(f), x.length};
      const auto at = std::lower_bound(d.resized.begin(), d.resized.end(), y,
                                       [](const ResizedFooting& l, const ResizedFooting& m) { return l.footing < m.footing; });
      d.resized.insert(at, y);
    }
  }
}

// Schedule edits stay as saved (joints turned into footings): the Design command applies them to the
// rows of their base sizes or footings and names those whose row is gone. A second edit of one row
// is dropped, as a second choice of any other decision is.
void restoreScheduleEdits(const Restoring& r, const std::vector<ScheduleEdit>& saved, Decisions& d) {
  std::set<std::pair<float, std::vector<int32_t>>> edited;  // rows by base size or by footings
  for (ScheduleEdit e : saved) {
    const std::string row = e.isGroupRow() ? "the row of size group " + numberText(e.baseSize) + " m"
                                           : "the row of " + jointList(std::vector<int>(e.footings.begin(), e.footings.end()));
    std::string missing;
    for (int32_t& f : e.footings) {
      const int joint = f;
      f = r.footingOf(joint);
      if (f == 0) missing = notASupport(joint);
    }
    if (!missing.empty()) r.dropped.push_back("Schedule edit of a footing's row: " + missing + ".");
    else if (!edited.emplace(e.isGroupRow() ? e.baseSize.value() : 0.0f, e.footings).second) r.dropped.push_back("Schedule edit of " + row + ": the row has an edit already.");
    else d.schedule.push_back(e);
  }
}

}  // namespace

Decisions decisionsOf(const Project& p, const SavedProject& saved, std::vector<std::string>& dropped) {
  const Restoring r{p, footingsByJoint(p), dropped};
  Decisions d;
  d.offsets.resize(static_cast<std::size_t>(std::max<int>(p.FootingCount, 0)) + 1);
  d.options = saved.options;
  restoreOffsets(r, saved.offsets, d);
  restoreGroups(r, saved.groups, d);
  restoreDisabled(r, saved.disabled, d);
  restoreCombined(r, saved.combined, d);
  restoreResized(r, saved.resized, d);
  restoreScheduleEdits(r, saved.schedule, d);
  d.sheet = saved.sheet;
  return d;
}

std::string droppedDecisionsMessage(const std::vector<std::string>& dropped) {
  if (dropped.empty()) return {};
  std::string message = "These decisions of the project no longer apply to the listing and were dropped:";
  for (const std::string& line : dropped) message += "\n" + line;
  return message;
}

}  // namespace plintova
