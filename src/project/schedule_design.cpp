// The Design command on the derived plan, and the engineer's schedule edits kept as decisions.
#include "project/schedule_design.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/code_checks.h"
#include "design/combined_design.h"
#include "design/footing_design.h"
#include "design/rectangular_design.h"
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

std::string jointsText(const Project& p, const std::vector<int16_t>& footings) {
  std::string t;
  for (int16_t s : footings)
    t += (t.empty() ? "" : " and ") +
         (s >= 1 && s <= p.FootingCount ? numberText(p.FootingTable[s].JointNo) : std::to_string(s));
  return t;
}

std::string editText(const Project& p, const ScheduleEdit& e) {
  std::string fields;
  auto add = [&fields](const std::string& f) { fields += (fields.empty() ? "" : ", ") + f; };
  if (e.pedestal) add("pedestal " + numberText(*e.pedestal));
  if (e.depth) add("depth " + numberText(*e.depth));
  if (e.barDia) add("bar " + numberText(*e.barDia) + " mm");
  const std::string row = e.isGroupRow() ? numberText(e.baseSize) + " m"
                                         : (e.footings.size() == 1 ? "joint " : "joints ") + jointsText(p, e.footings);
  return row + " (" + fields + ")";
}

RowEdit rowEditOf(const ScheduleEdit* e) {
  RowEdit edit;
  if (e) {
    edit.pedestal = e->pedestal;
    edit.depth = e->depth;
    edit.barDia = e->barDia;
  }
  return edit;
}

const ScheduleEdit* editFor(const std::vector<ScheduleEdit>& edits, const std::vector<int16_t>& footings) {
  for (const ScheduleEdit& e : edits)
    if (!e.isGroupRow() && e.footings == footings) return &e;
  return nullptr;
}

std::vector<int16_t> footingsOf(const FootingRow& row) {
  std::vector<int16_t> f;
  for (int s : row.footings) f.push_back(static_cast<int16_t>(s));
  return f;
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

  std::vector<ScheduleEdit> kept;
  std::string dropped;
  auto drop = [&](const ScheduleEdit& e, const std::string& why) {
    dropped += (dropped.empty() ? "" : "; ") + editText(p, e) + why;
  };

  // Group rows: designed afresh, then their edits in the order pedestal, depth, bar diameter.
  for (ScheduleEdit e : p.decisions.schedule) {
    if (!e.isGroupRow()) continue;
    const int r = rowOfBaseSize(p, e.baseSize);
    if (r == 0) {
      drop(e, "");
      continue;
    }
    if (e.pedestal && !editPedestal(p, r, *e.pedestal)) {
      drop(ScheduleEdit{e.baseSize, e.pedestal, {}, {}, {}}, " no longer fits the footing");
      e.pedestal.reset();
    }
    if (e.depth) editTotalDepth(p, r, *e.depth);
    if (e.barDia) {
      p.DesignGroupTable[r].BarDia = *e.barDia;
      RedesignScheduleRow(p, r);
    }
    if (!e.empty()) kept.push_back(e);
  }
  for (int r = 1; r <= p.DesignGroupCount; ++r) p.DesignGroupTable[r].checks = groupRowChecks(p, r);

  // Rows of the hand-resized footings in footing order, then of the combined footings in their order,
  // each designed with its edits.
  p.RectangularRows.clear();
  for (int s = 1; s <= p.FootingCount; ++s) {
    if (p.FootingTable[s].CombNo != -1) continue;
    const ScheduleEdit* e = editFor(p.decisions.schedule, {static_cast<int16_t>(s)});
    p.RectangularRows.push_back(designRectangularRow(p, s, p.FootingTable[s].GroupRank, rowEditOf(e)));
    if (e) kept.push_back(*e);
  }
  p.CombinedRows.clear();
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
    const ScheduleEdit* e = editFor(p.decisions.schedule, {cf.CfMembers[1], cf.CfMembers[2]});
    p.CombinedRows.push_back(designCombinedRow(p, n, rowEditOf(e)));
    if (e) kept.push_back(*e);
  }
  // Edits of rows that are gone: the footing is no longer hand-resized or combined.
  for (const ScheduleEdit& e : p.decisions.schedule) {
    if (e.isGroupRow()) continue;
    if (std::none_of(kept.begin(), kept.end(), [&](const ScheduleEdit& k) { return k.sameRow(e); })) drop(e, "");
  }

  p.decisions.schedule = std::move(kept);
  p.scheduleDesigned = true;
  p.scheduleStale = false;
  if (!dropped.empty())
    prompter.message("These schedule edits no longer have their row and were dropped: " + dropped + ".");
  return true;
}

std::optional<Decisions> withScheduleEdit(const Project& p, int r, ScheduleField field, double value) {
  if (r < 1 || r > scheduleRowCount(p)) return std::nullopt;
  Decisions d = p.decisions;
  ScheduleEdit key;
  double size = 0;      // the footing's side the pedestal must stay below
  int16_t barDia = 0;   // the row's present bar diameter
  if (const FootingRow* row = footingRowAt(p, r)) {
    key.footings = footingsOf(*row);
    size = std::min<double>(row->L, row->B);
    barDia = row->BarDia > 0 ? row->BarDia : (row->steel.empty() ? kDefaultBarDia : row->steel.front().dia);
  } else {
    const SizeGroupRecord& group = p.DesignGroupTable[r];
    key.baseSize = group.GroupBaseSize;
    size = group.GroupSize;
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
      if (!std::isfinite(depth)) return std::nullopt;
      it->depth = depth;
      break;
    }
    case ScheduleField::Pedestal: {
      const float pedestal = static_cast<float>(value);
      if (!(pedestal > 0) || !(pedestal < size)) return std::nullopt;
      it->pedestal = pedestal;
      it->depth.reset();  // the depth is designed afresh for the new cantilever
      break;
    }
    case ScheduleField::BarDia: {
      const int16_t next = nextBarDia(barDia);
      // A group row's own bar is 10 mm; a new row chooses its own until the engineer sets one.
      if (key.isGroupRow() && next == kDefaultBarDia) it->barDia.reset();
      else it->barDia = next;
      break;
    }
  }
  if (it->empty()) d.schedule.erase(it);
  return d;
}

}  // namespace plintova
