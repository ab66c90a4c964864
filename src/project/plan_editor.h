// The one path by which the engineer's decisions change: the plan and the schedule are derived again
// and every view is told.
#pragma once

#include <functional>
#include <string>

#include "model/decisions.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// What a change touched, so that each view knows what to show again.
struct Change {
  bool plan = false;      // the derived plan: positions, kinds, sizes, groups, marks, combined footings
  bool schedule = false;  // the schedule rows or their "out of date" state
  std::string action;     // what the engineer did, in words ("Combine", "Disable footing 21", ...)
};

// Every command of the windows builds the decisions it wants (footing/plan_decisions.h,
// project/schedule_design.h) and hands them to commit(); nothing else writes the decisions or the
// tables derived from them. A change of the plan derives the plan again and marks a designed schedule
// out of date; a schedule edit designs the schedule again with every edit applied. The listener (the
// main window) then updates every view from the model.
class PlanEditor {
 public:
  using Listener = std::function<void(const Change&)>;

  PlanEditor(Project& project, Prompter& prompter) : project_(project), prompter_(prompter) {}

  Project& project() const { return project_; }
  Prompter& prompter() const { return prompter_; }
  void setListener(Listener listener) { listener_ = std::move(listener); }

  // Puts `next` in place of the decisions. When the plan cannot be derived from them (a group would
  // hold more footings than it can), the reason is shown, the previous decisions stay and false is
  // returned. Decisions equal to the present ones change nothing.
  bool commit(Decisions next, const std::string& action);

  // Derives the plan again from unchanged decisions (after the footings were sized again).
  bool rederive(const std::string& action);

  // The Design command: the schedule from the current plan with the engineer's edits applied.
  bool design();

 private:
  void notify(const Change& change) const {
    if (listener_) listener_(change);
  }

  Project& project_;
  Prompter& prompter_;
  Listener listener_;
};

}  // namespace plintova
