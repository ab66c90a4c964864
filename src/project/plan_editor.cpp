// The one path by which the engineer's decisions change.
#include "project/plan_editor.h"

#include "footing/derived_plan.h"
#include "project/schedule_design.h"

namespace plintova {

bool PlanEditor::commit(Decisions next, const std::string& action) {
  Project& p = project_;
  if (next == p.decisions) return true;
  if (!next.samePlan(p.decisions)) {
    if (!applyDecisions(p, std::move(next), prompter_)) return false;
    if (p.scheduleDesigned) p.scheduleStale = true;
    notify({true, p.scheduleDesigned, action});
    return true;
  }
  // Only schedule edits changed: the rows are designed again with every edit applied, so that a row
  // shows exactly what its edits give, in whatever order they were made. A schedule that is out of
  // date keeps the edit until the next Design.
  p.decisions = std::move(next);
  if (p.scheduleDesigned && !p.scheduleStale) {
    RecordingPrompter alreadyShown;  // the design's own notes were shown by the Design command
    designSchedule(p, alreadyShown);
  }
  notify({false, true, action});
  return true;
}

bool PlanEditor::rederive(const std::string& action) {
  const std::string refusal = derivePlan(project_, prompter_);
  if (!refusal.empty()) {
    prompter_.message(refusal);
    return false;
  }
  if (project_.scheduleDesigned) project_.scheduleStale = true;
  notify({true, project_.scheduleDesigned, action});
  return true;
}

bool PlanEditor::design() {
  if (!designSchedule(project_, prompter_)) return false;
  notify({false, true, "Design"});
  return true;
}

}  // namespace plintova
