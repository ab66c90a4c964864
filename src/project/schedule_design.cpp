// The Design command on the derived plan, and the engineer's schedule edits kept as decisions.
#include "project/schedule_design.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/code_checks.h"
#include "design/combined_design.h"
#include "design/footing_design.h"
#include "design/pedestal_design.h"
#include "design/pedestals.h"
#include "design/rectangular_design.h"
#include "design/uplift_steel.h"
#include "model/limits.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr int16_t kDefaultBarDia = 10;  // every group starts with 10 mm bars

// The schedule row designed for the group of base size `base`, 0 when there is none.
int rowOfBaseSize(const Project& p, Single base) {
  for (int r = 1; r <= p.DesignGroupCount; ++r)
    if (p.DesignGroupTable[r].GroupBaseSize.value() == base.value()) return r;
  return 0;
}

std::string jointsText(const Project& p, const std::vector<int32_t>& footings) {
  std::string t;
  for (int32_t s : footings)
    t += (t.empty() ? "" : " and ") +
         (s >= 1 && s <= p.FootingCount ? numberText(p.FootingTable[s].JointNo) : std::to_string(s));
  return t;
}

std::string editText(const Project& p, const ScheduleEdit& e) {
  std::string fields;
  auto add = [&fields](const std::string& f) { fields += (fields.empty() ? "" : ", ") + f; };
  if (e.pedestalX && e.pedestalZ && *e.pedestalX == *e.pedestalZ) add("pedestal " + numberText(*e.pedestalX));
  else if (e.pedestalX || e.pedestalZ)
    add("pedestal " + (e.pedestalX ? numberText(*e.pedestalX) : "-") + " x " + (e.pedestalZ ? numberText(*e.pedestalZ) : "-"));
  if (e.depth) add("depth " + numberText(*e.depth));
  if (e.barDia) add("bar " + numberText(*e.barDia) + " mm");
  const std::string row = e.isGroupRow() ? numberText(e.baseSize) + " m"
                                         : (e.footings.size() == 1 ? "joint " : "joints ") + jointsText(p, e.footings);
  return row + " (" + fields + ")";
}

RowEdit rowEditOf(const ScheduleEdit* e) {
  RowEdit edit;
  if (e) {
    edit.pedestalX = e->pedestalX;
    edit.pedestalZ = e->pedestalZ;
    edit.depth = e->depth;
    edit.barDia = e->barDia;
  }
  return edit;
}

const ScheduleEdit* editFor(const std::vector<ScheduleEdit>& edits, const std::vector<int32_t>& footings) {
  for (const ScheduleEdit& e : edits)
    if (!e.isGroupRow() && e.footings == footings) return &e;
  return nullptr;
}

std::vector<int32_t> footingsOf(const FootingRow& row) {
  std::vector<int32_t> f;
  for (int s : row.footings) f.push_back(s);
  return f;
}

// The schedule edits a Design keeps, and those it drops (named in one message).
struct EditsKept {
  explicit EditsKept(const Project& project) : p(project) {}
  void drop(const ScheduleEdit& e, const std::string& why) {
    dropped += (dropped.empty() ? "" : "; ") + editText(p, e) + why;
  }
  // A pedestal edit that no longer fits its footing (resized since) is dropped and named; the rest of
  // the edit stays.
  ScheduleEdit fitted(ScheduleEdit e, double shorterSide) {
    auto fits = [&](const std::optional<float>& side) { return !side || limits::pedestalAllowed(*side, shorterSide); };
    if (!fits(e.pedestalX) || !fits(e.pedestalZ)) dropPedestal(e);
    return e;
  }
  // The edit's pedestal is dropped and named; its depth and bar stay.
  void dropPedestal(ScheduleEdit& e) {
    drop(ScheduleEdit{e.baseSize, e.pedestalX, e.pedestalZ, {}, {}, e.footings}, " no longer fits the footing");
    e.pedestalX.reset();
    e.pedestalZ.reset();
  }
  const Project& p;
  std::vector<ScheduleEdit> kept;
  std::string dropped;
};

// Group rows: designed afresh, then their edits in the order pedestal, depth, bar diameter.
void designGroupRows(Project& p, EditsKept& edits) {
  for (ScheduleEdit e : p.decisions.schedule) {
    if (!e.isGroupRow()) continue;
    const int r = rowOfBaseSize(p, e.baseSize);
    if (r == 0) {
      edits.drop(e, "");
      continue;
    }
    if ((e.pedestalX || e.pedestalZ) &&
        !editPedestal(p, r, editedPedestal(p.DesignGroupTable[r].Pedestal, rowEditOf(&e))))
      edits.dropPedestal(e);
    if (e.depth) editTotalDepth(p, r, *e.depth);
    if (e.barDia) {
      p.DesignGroupTable[r].BarDia = *e.barDia;
      p.DesignGroupTable[r].BarDiaFixed = true;
      RedesignScheduleRow(p, r);
    }
    if (!e.empty()) edits.kept.push_back(e);
  }
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    SizeGroupRecord& row = p.DesignGroupTable[r];
    row.checks = groupRowChecks(p, r);
    addGroupTopSteel(p, row);
    addGroupPedestal(p, row);
  }
}

// Rows of the hand-resized footings in footing order, then of the combined footings in their order,
// each designed with its edits; edits of footings no longer resized or combined are dropped.
void designFootingRows(Project& p, EditsKept& edits) {
  std::vector<std::vector<int32_t>> rows;  // the footings of every row designed
  auto editOf = [&](const std::vector<int32_t>& footings, double shorterSide) -> std::optional<ScheduleEdit> {
    rows.push_back(footings);
    const ScheduleEdit* e = editFor(p.decisions.schedule, footings);
    if (!e) return std::nullopt;
    ScheduleEdit edit = edits.fitted(*e, shorterSide);
    if (!edit.empty()) edits.kept.push_back(edit);
    return edit;
  };
  p.RectangularRows.clear();
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.Kind != FootingKind::HandResized) continue;
    const auto e = editOf({s}, std::min<double>(f.SizeL, f.SizeB));
    p.RectangularRows.push_back(designRectangularRow(p, s, f.GroupRank, rowEditOf(e ? &*e : nullptr)));
  }
  p.CombinedRows.clear();
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
    const auto e = editOf({cf.CfMembers[1], cf.CfMembers[2]}, std::min<double>(cf.CfLength, cf.CfWidth));
    p.CombinedRows.push_back(designCombinedRow(p, n, rowEditOf(e ? &*e : nullptr)));
  }
  for (const ScheduleEdit& e : p.decisions.schedule)
    if (!e.isGroupRow() && std::find(rows.begin(), rows.end(), e.footings) == rows.end()) edits.drop(e, "");
}

}  // namespace

int scheduleRowCount(const Project& p) {
  return p.DesignGroupCount + static_cast<int>(p.RectangularRows.size() + p.CombinedRows.size());
}

const FootingRow* footingRowAt(const Project& p, int r) {
  if (r <= p.DesignGroupCount || r > scheduleRowCount(p)) return nullptr;
  const std::size_t k = static_cast<std::size_t>(r - p.DesignGroupCount - 1);
  return k < p.RectangularRows.size() ? &p.RectangularRows[k] : &p.CombinedRows[k - p.RectangularRows.size()];
}

bool designSchedule(Project& p, Prompter& prompter) {
  if (!DesignAllGroups(p, prompter)) return false;
  EditsKept edits(p);
  designGroupRows(p, edits);
  designFootingRows(p, edits);
  p.decisions.schedule = std::move(edits.kept);
  p.scheduleDesigned = true;
  p.scheduleStale = false;
  if (!edits.dropped.empty())
    prompter.message("These schedule edits no longer have their row and were dropped: " + edits.dropped + ".");
  return true;
}

std::optional<Decisions> withScheduleEdit(const Project& p, int r, ScheduleField field, double value) {
  if (r < 1 || r > scheduleRowCount(p)) return std::nullopt;
  Decisions d = p.decisions;
  ScheduleEdit key;
  int16_t barDia = 0;   // the row's present bar diameter
  if (const FootingRow* row = footingRowAt(p, r)) {
    key.footings = footingsOf(*row);
    barDia = row->BarDia > 0 ? row->BarDia : (row->steel.empty() ? kDefaultBarDia : row->steel.front().dia);
  } else {
    const SizeGroupRecord& group = p.DesignGroupTable[r];
    key.baseSize = group.GroupBaseSize;
    barDia = group.BarDia;
  }
  auto it = std::find_if(d.schedule.begin(), d.schedule.end(), [&](const ScheduleEdit& e) { return e.sameRow(key); });
  if (it == d.schedule.end()) {
    d.schedule.push_back(key);
    it = d.schedule.end() - 1;
  }
  switch (field) {
    case ScheduleField::Depth: {
      const float depth = static_cast<float>(value);
      if (!limits::typedDepthAllowed(depth)) return std::nullopt;
      it->depth = depth;
      break;
    }
    case ScheduleField::Pedestal:
      return withPedestalEdit(p, r, PedestalSides::square(value));
    case ScheduleField::BarDia: {
      // Every row chooses its own bars until the engineer sets one; the click takes the next diameter.
      it->barDia = nextBarDia(barDia, p.decisions.options.barDiameters);
      break;
    }
  }
  if (it->empty()) d.schedule.erase(it);
  return d;
}

std::optional<Decisions> withPedestalEdit(const Project& p, int r, const PedestalSides& sides) {
  if (r < 1 || r > scheduleRowCount(p)) return std::nullopt;
  const FootingRow* row = footingRowAt(p, r);
  const double size = row ? std::min<double>(row->L, row->B) : double{p.DesignGroupTable[r].GroupSize};
  for (const double side : {double{sides.x}, double{sides.z}})
    if (!limits::pedestalAllowed(side, size)) return std::nullopt;
  Decisions d = p.decisions;
  ScheduleEdit key;
  if (row) key.footings = footingsOf(*row);
  else key.baseSize = p.DesignGroupTable[r].GroupBaseSize;
  auto it = std::find_if(d.schedule.begin(), d.schedule.end(), [&](const ScheduleEdit& e) { return e.sameRow(key); });
  if (it == d.schedule.end()) it = d.schedule.insert(d.schedule.end(), key);
  it->pedestalX = sides.x.value();
  it->pedestalZ = sides.z.value();
  it->depth.reset();  // the depth is designed afresh for the new cantilevers
  return d;
}

std::string typedDepthNote(const Project& p, int r, double typed) {
  if (r < 1 || r > scheduleRowCount(p) || !std::isfinite(typed)) return {};
  const FootingRow* row = footingRowAt(p, r);
  const double used = row ? double{row->TotalDepth} : double{p.DesignGroupTable[r].TotalDepth};
  const double bending = row ? double{row->BendingDepth} : double{groupBendingDepth(p, r)};
  const std::string mark = row ? row->mark() : "F" + numberText(p.DesignGroupTable[r].GroupMark);
  // The design keeps a depth to whole millimetres: a typed depth it merely rounds is used as typed.
  if (!(used > roundTo(typed, 3) + 1e-6)) return {};
  const std::string head = "The depth " + numberText(static_cast<float>(typed)) + " m typed for " + mark;
  const std::string shear = "one-way shear or punching fails at a shallower depth";
  if (static_cast<float>(typed) < bending) {
    if (used <= bending + 1e-6)
      return head + " is less than bending needs: the row is designed " + numberText(used) + " m deep.";
    return head + " is less than bending needs (" + numberText(bending) + " m): the row is designed " +
           numberText(used) + " m deep, since " + shear + ".";
  }
  return head + " is too shallow for shear: the row is designed " + numberText(used) + " m deep, since " + shear + ".";
}

}  // namespace plintova
