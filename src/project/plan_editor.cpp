// The one path by which the engineer's decisions change, with undo and redo.
#include "project/plan_editor.h"

#include "footing/derived_plan.h"
#include "project/schedule_design.h"

namespace plintova {

void PlanEditor::changed(const Change& change) {
  if (listener_) listener_(change);
  if (afterChange_) afterChange_();
}

bool PlanEditor::continuesRun(const std::string& runKey, std::chrono::steady_clock::time_point now) const {
  return !runKey.empty() && runKey == runKey_ && !undo_.empty() && redo_.empty() && now - runAt_ < kRunGap;
}

void PlanEditor::recordStep(const State& before, const std::string& action, const std::string& joinedRun,
                            std::chrono::steady_clock::time_point now) {
  redo_.clear();
  runAt_ = now;
  if (joinedRun.empty()) {
    undo_.push_back({before, action});
  } else if (sameState(undo_.back().before, current())) {
    undo_.pop_back();  // the run came back to where it started: nothing to undo, and a new run begins
    endRun();
  } else {
    undo_.back().action = action;
  }
}

bool PlanEditor::commit(Decisions next, const std::string& action, const std::string& runKey) {
  Project& p = project_;
  if (next == p.decisions) return true;
  const auto now = clock_();
  const bool joins = continuesRun(runKey, now);
  const State before = current();
  bool redesigned = false;
  if (!next.samePlan(p.decisions)) {
    if (!applyDecisions(p, std::move(next), prompter_)) {
      endRun();
      return false;
    }
    if (p.scheduleDesigned) p.scheduleStale = true;
  } else {
    // Only schedule edits changed: the rows are designed again with every edit applied, so that a row
    // shows exactly what its edits give, in whatever order they were made. A schedule that is out of
    // date keeps the edit until the next Design. The drawing sheet's settings alone leave the rows.
    const bool editsChanged = !(next.schedule == p.decisions.schedule);
    p.decisions = std::move(next);
    if (editsChanged && p.scheduleDesigned && !p.scheduleStale) {
      RecordingPrompter alreadyShown;  // the design's own notes were shown by the Design command
      designSchedule(p, alreadyShown);
      redesigned = true;
    }
  }
  runKey_ = runKey;
  recordStep(before, action, joins ? runKey : std::string(), now);
  changed({!before.decisions.samePlan(p.decisions), p.scheduleDesigned, redesigned, action});
  return true;
}

bool PlanEditor::setSheetSettings(const SheetSettings& sheet) {
  Decisions next = project_.decisions;
  next.sheet = sheet;
  return commit(std::move(next), "Edit the title block");
}

bool PlanEditor::rederive(const std::string& action) {
  endRun();
  const std::string refusal = derivePlan(project_, prompter_);
  if (!refusal.empty()) {
    prompter_.message(refusal);
    return false;
  }
  if (project_.scheduleDesigned) project_.scheduleStale = true;
  changed({true, project_.scheduleDesigned, false, action});
  return true;
}

bool PlanEditor::design() {
  endRun();
  if (!designSchedule(project_, prompter_)) return false;
  changed({false, true, true, "Design"});
  return true;
}

std::optional<Change> PlanEditor::restore(const State& state, const std::string& action) {
  Project& p = project_;
  const bool planChanged = !state.decisions.samePlan(p.decisions);
  RecordingPrompter alreadyShown;  // every message of that state was shown when it was first reached
  p.decisions = state.decisions;
  if (planChanged && !derivePlan(p, alreadyShown).empty()) return std::nullopt;
  const bool redesign = state.designed && !state.stale;
  if (redesign) {
    designSchedule(p, alreadyShown);
  } else if (p.scheduleDesigned) {
    p.scheduleStale = true;  // rows of another plan stay on screen, marked out of date
  }
  return Change{planChanged, p.scheduleDesigned, redesign, action};
}

bool PlanEditor::step(std::vector<Step>& from, std::vector<Step>& to, const std::string& verb) {
  endRun();
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  const State now = current();
  const std::optional<Change> change = restore(step.before, verb + " " + step.action);
  if (!change) {
    from.push_back(std::move(step));
    return false;
  }
  to.push_back({now, step.action});
  changed(*change);
  return true;
}

bool PlanEditor::undo() { return step(undo_, redo_, "Undo"); }

bool PlanEditor::redo() { return step(redo_, undo_, "Redo"); }

void PlanEditor::clearHistory() {
  endRun();
  undo_.clear();
  redo_.clear();
}

bool PlanEditor::modified() const {
  if (!savedKnown_) return false;
  return !(project_.decisions == saved_.decisions) || project_.scheduleDesigned != saved_.designed;
}

void PlanEditor::markNeverSaved() {
  saved_ = State{};
  saved_.designed = !project_.scheduleDesigned;  // differs from the present state whatever its decisions
  savedKnown_ = true;
}

void PlanEditor::markSaved() {
  endRun();
  saved_ = current();
  savedKnown_ = true;
}

}  // namespace plintova
