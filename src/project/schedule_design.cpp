// The Design command on the derived plan, and the engineer's schedule edits kept as decisions.
#include "project/schedule_design.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/footing_design.h"
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

std::string editText(const ScheduleEdit& e) {
  std::string fields;
  auto add = [&fields](const std::string& f) { fields += (fields.empty() ? "" : ", ") + f; };
  if (e.pedestal) add("pedestal " + numberText(*e.pedestal));
  if (e.depth) add("depth " + numberText(*e.depth));
  if (e.barDia) add("bar " + numberText(*e.barDia) + " mm");
  return numberText(e.baseSize) + " m (" + fields + ")";
}

}  // namespace

bool designSchedule(Project& p, Prompter& prompter) {
  if (!DesignAllGroups(p, prompter)) return false;

  std::vector<ScheduleEdit> kept;
  std::string dropped;
  for (ScheduleEdit e : p.decisions.schedule) {
    const int r = rowOfBaseSize(p, e.baseSize);
    if (r == 0) {
      dropped += (dropped.empty() ? "" : "; ") + editText(e);
      continue;
    }
    if (e.pedestal && !editPedestal(p, r, *e.pedestal)) {
      ScheduleEdit gone{e.baseSize, e.pedestal, {}, {}};
      dropped += (dropped.empty() ? "" : "; ") + editText(gone) + " no longer fits the footing";
      e.pedestal.reset();
    }
    if (e.depth) editTotalDepth(p, r, *e.depth);
    if (e.barDia) {
      p.DesignGroupTable[r].BarDia = *e.barDia;
      RedesignScheduleRow(p, r);
    }
    if (!e.empty()) kept.push_back(e);
  }
  p.decisions.schedule = std::move(kept);
  p.scheduleDesigned = true;
  p.scheduleStale = false;
  if (!dropped.empty())
    prompter.message("These schedule edits no longer have their row and were dropped: " + dropped + ".");
  return true;
}

std::optional<Decisions> withScheduleEdit(const Project& p, int r, ScheduleField field, double value) {
  if (r < 1 || r > p.DesignGroupCount) return std::nullopt;
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  Decisions d = p.decisions;
  auto it = std::find_if(d.schedule.begin(), d.schedule.end(),
                         [&](const ScheduleEdit& e) { return e.baseSize.value() == row.GroupBaseSize.value(); });
  if (it == d.schedule.end()) {
    d.schedule.push_back({row.GroupBaseSize, {}, {}, {}});
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
      if (!(pedestal > 0) || !(pedestal < row.GroupSize)) return std::nullopt;
      it->pedestal = pedestal;
      it->depth.reset();  // the depth is designed afresh for the new cantilever
      break;
    }
    case ScheduleField::BarDia: {
      const int16_t next = nextBarDia(row.BarDia);
      if (next == kDefaultBarDia) it->barDia.reset();
      else it->barDia = next;
      break;
    }
  }
  if (it->empty()) d.schedule.erase(it);
  return d;
}

}  // namespace plintova
