// The one path by which the engineer's decisions change: the plan and the schedule are derived again,
// every view is told, and each change can be taken back and made again.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/decisions.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// What a change touched, so that each view knows what to show again.
struct Change {
  bool plan = false;      // the derived plan: positions, kinds, sizes, groups, marks, combined footings
  bool schedule = false;  // the schedule rows or their "out of date" state
  // The schedule's rows were designed again. False when only their "out of date" state may have changed
  // (a plan change on a designed schedule): a view then marks the rows it shows and need not show them
  // again, which on a large plan is most of a wheel notch's time.
  bool rows = false;
  std::string action;     // what the engineer did, in words ("Combine footings 20 and 21", "Undo ...")
};

// Every command of the windows builds the decisions it wants (footing/plan_decisions.h,
// project/schedule_design.h) and hands them to commit(); nothing else writes the decisions or the
// tables derived from them. A change of the plan derives the plan again and marks a designed schedule
// out of date; a schedule edit designs the schedule again with every edit applied. Every view that
// subscribed (the main window's plan and group row, the schedule window, the column window) is then
// told what changed and shows the model again; a view never refreshes itself after its own commit.
//
// Every commit is a step that undo() takes back and redo() makes again: a step keeps the decisions
// before it and whether the schedule was then designed and up to date, so that undoing back to the
// start and redoing to the end pass through the same plans and schedules as the steps themselves.
// Undo never hides a designed schedule: going back to a state before the first Design leaves the
// schedule's rows, marked out of date.
class PlanEditor {
 public:
  using Listener = std::function<void(const Change&)>;
  struct Listeners;

  // A view's place among the editor's listeners. The view holds it for as long as it lives: when the
  // subscription goes (or is cancelled) the view is no longer called, even by a change under way. It
  // may outlive the editor.
  class Subscription {
   public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { cancel(); }
    void cancel();

   private:
    friend class PlanEditor;
    Subscription(std::weak_ptr<Listeners> listeners, int id) : listeners_(std::move(listeners)), id_(id) {}
    std::weak_ptr<Listeners> listeners_;
    int id_ = 0;
  };

  PlanEditor(Project& project, Prompter& prompter);
  ~PlanEditor();

  Project& project() const { return project_; }
  Prompter& prompter() const { return prompter_; }
  // Every subscribed view is told of every change, in the order they subscribed.
  [[nodiscard]] Subscription subscribe(Listener listener);
  // Tells every subscribed view that the whole model is new (a plan just opened), without a step.
  void announce(const Change& change);
  // Called after every change of the model (a commit, an undo, a redo, a Design), once the views were
  // told: what the owner of the editor keeps beside the views (the undo actions, the recovery copy).
  void setAfterChange(std::function<void()> afterChange) { afterChange_ = std::move(afterChange); }

  // Puts `next` in place of the decisions. When the plan cannot be derived from them (a group would
  // hold more footings than it can), the reason is shown, the previous decisions stay and false is
  // returned. Decisions equal to the present ones change nothing.
  //
  // A change with a `runKey` joins the step before it when that step was made with the same key less
  // than kRunGap ago and nothing else happened since: a run of wheel notches on one footing is one
  // step, undone at once, named by its latest action. A run that comes back to where it started
  // leaves no step at all.
  bool commit(Decisions next, const std::string& action, const std::string& runKey = {});
  static constexpr std::chrono::milliseconds kRunGap{1000};
  // The clock of the runs (tests set their own).
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  void setClock(Clock clock) { clock_ = std::move(clock); }

  // The drawing sheet's title block, paper and north arrow, committed as one step.
  bool setSheetSettings(const SheetSettings& sheet);

  // "Refresh": sizes every footing again from its loads and offset and derives the plan, as one step
  // that undo() takes back (the sizes before it come back) and redo() makes again. Sizes that come out
  // as they were leave no step. A footing that cannot be sized, or a plan that cannot be derived from
  // the new sizes, is shown and leaves the sizes as they were; false then.
  bool sizeEveryFooting(const std::string& action);

  // The Design command: the schedule from the current plan with the engineer's edits applied.
  bool design();

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // The name of the step undo() or redo() would take ("" when there is none).
  std::string undoAction() const { return undo_.empty() ? std::string() : undo_.back().action; }
  std::string redoAction() const { return redo_.empty() ? std::string() : redo_.back().action; }
  bool undo();
  bool redo();
  // Forgets every step (a project opened afresh starts without history).
  void clearHistory();

  // Whether the decisions or the designed state differ from those last saved (or opened).
  bool modified() const;
  void markSaved();
  // The present state was never saved (work restored from a recovery copy): it counts as modified.
  void markNeverSaved();

 private:
  // What sizing stored in the footing table (the required sizes and what governs them), kept by a step
  // that sized every footing again.
  struct Sizes {
    std::vector<FootingRecord> footings;  // elements 1..footingBound
    std::optional<DesignOptions> sizedOptions;
  };
  // The engineer's side of one state: decisions and the schedule's state, and the sizes where the step
  // changed them.
  struct State {
    Decisions decisions;
    bool designed = false;
    bool stale = false;
    std::shared_ptr<const Sizes> sizes;  // null: the step left the sizes to the derived plan
  };
  struct Step {
    State before;
    std::string action;
  };

  State current() const { return {project_.decisions, project_.scheduleDesigned, project_.scheduleStale, nullptr}; }
  std::shared_ptr<const Sizes> currentSizes() const;
  void putSizes(const Sizes& sizes);
  static bool sameSizes(const Sizes& a, const Sizes& b);
  static bool sameState(const State& a, const State& b) {
    return a.decisions == b.decisions && a.designed == b.designed && a.stale == b.stale;
  }
  // Whether a change with `runKey` at `now` joins the last step.
  bool continuesRun(const std::string& runKey, std::chrono::steady_clock::time_point now) const;
  void endRun() { runKey_.clear(); }
  // Keeps the change from `before` as a new undo step, or as part of the run's step (`joinedRun`).
  void recordStep(const State& before, const std::string& action, const std::string& joinedRun,
                  std::chrono::steady_clock::time_point now);
  // Brings the model to `state`, deriving the plan and the schedule as that state had them; gives what
  // changed, for the views to be told once the undo and redo lists are right, or nothing when the
  // state's plan cannot be derived.
  std::optional<Change> restore(const State& state, const std::string& action);
  // Undo (from the undo list to the redo list) or redo (the other way round), as `verb` names it.
  bool step(std::vector<Step>& from, std::vector<Step>& to, const std::string& verb);
  void changed(const Change& change);

  Project& project_;
  Prompter& prompter_;
  std::shared_ptr<Listeners> listeners_;
  std::function<void()> afterChange_;
  std::vector<Step> undo_, redo_;
  State saved_;
  bool savedKnown_ = false;
  Clock clock_ = [] { return std::chrono::steady_clock::now(); };
  std::string runKey_;  // the key of the run the last step belongs to, "" when none is open
  std::chrono::steady_clock::time_point runAt_;
};

}  // namespace plintova
