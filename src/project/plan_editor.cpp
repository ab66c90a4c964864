// The one path by which the engineer's decisions change, with undo and redo.
#include "project/plan_editor.h"

#include <algorithm>

#include "footing/derived_plan.h"
#include "footing/footing_sizing.h"
#include "project/schedule_design.h"

namespace plintova {

struct PlanEditor::Listeners {
  int lastId = 0;
  std::vector<std::pair<int, Listener>> entries;  // in the order of subscription
};

PlanEditor::PlanEditor(Project& project, Prompter& prompter)
    : project_(project), prompter_(prompter), listeners_(std::make_shared<Listeners>()) {}

PlanEditor::~PlanEditor() = default;

PlanEditor::Subscription::Subscription(Subscription&& other) noexcept
    : listeners_(std::move(other.listeners_)), id_(other.id_) {
  other.id_ = 0;
}

PlanEditor::Subscription& PlanEditor::Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    cancel();
    listeners_ = std::move(other.listeners_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

void PlanEditor::Subscription::cancel() {
  if (const std::shared_ptr<Listeners> list = listeners_.lock())
    std::erase_if(list->entries, [this](const auto& entry) { return entry.first == id_; });
  listeners_.reset();
  id_ = 0;
}

PlanEditor::Subscription PlanEditor::subscribe(Listener listener) {
  const int id = ++listeners_->lastId;
  listeners_->entries.emplace_back(id, std::move(listener));
  return Subscription(listeners_, id);
}

void PlanEditor::announce(const Change& change) {
  // A view may close (and unsubscribe) another while it is told: each is looked up again before its call,
  // and called through a copy, so that a listener that cancels itself is not destroyed while it runs.
  std::vector<int> ids;
  for (const auto& entry : listeners_->entries) ids.push_back(entry.first);
  for (int id : ids) {
    const auto& entries = listeners_->entries;
    const auto at = std::find_if(entries.begin(), entries.end(), [id](const auto& entry) { return entry.first == id; });
    if (at == entries.end()) continue;
    const Listener listener = at->second;
    listener(change);
  }
}

void PlanEditor::changed(const Change& change) {
  announce(change);
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

std::shared_ptr<const PlanEditor::Sizes> PlanEditor::currentSizes() const {
  auto sizes = std::make_shared<Sizes>();
  const int n = footingBound(project_);
  sizes->footings.reserve(static_cast<std::size_t>(n) + 1);
  for (int s = 0; s <= n; ++s) sizes->footings.push_back(project_.FootingTable[s]);
  sizes->sizedOptions = project_.SizedOptions;
  return sizes;
}

void PlanEditor::putSizes(const Sizes& sizes) {
  for (std::size_t s = 1; s < sizes.footings.size(); ++s)
    project_.FootingTable[static_cast<long long>(s)] = sizes.footings[s];
  project_.SizedOptions = sizes.sizedOptions;
}

bool PlanEditor::sameSizes(const Sizes& a, const Sizes& b) {
  if (a.footings.size() != b.footings.size()) return false;
  for (std::size_t s = 1; s < a.footings.size(); ++s) {
    const FootingRecord &x = a.footings[s], &y = b.footings[s];
    if (x.ReqSize.value() != y.ReqSize.value() || x.NoTension != y.NoTension ||
        x.NoTensionCapped != y.NoTensionCapped || x.UpliftGoverns != y.UpliftGoverns)
      return false;
  }
  return true;
}

bool PlanEditor::sizeEveryFooting(const std::string& action) {
  endRun();
  State before = current();
  before.sizes = currentSizes();
  std::string refusal = sizeFootings(project_, prompter_);
  if (refusal.empty()) refusal = derivePlan(project_, prompter_);
  if (!refusal.empty()) {
    // Sizing stops at the footing it cannot size: the sizes before it come back whole, with their plan.
    prompter_.message(refusal);
    putSizes(*before.sizes);
    RecordingPrompter alreadyShown;
    derivePlan(project_, alreadyShown);
    return false;
  }
  if (project_.scheduleDesigned) project_.scheduleStale = true;
  if (!sameSizes(*before.sizes, *currentSizes())) recordStep(before, action, {}, clock_());
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
  const std::shared_ptr<const Sizes> sizesNow = state.sizes ? currentSizes() : nullptr;
  p.decisions = state.decisions;
  if (state.sizes) putSizes(*state.sizes);
  if ((planChanged || state.sizes) && !derivePlan(p, alreadyShown).empty()) {
    if (sizesNow) putSizes(*sizesNow);
    return std::nullopt;
  }
  const bool redesign = state.designed && !state.stale;
  if (redesign) {
    designSchedule(p, alreadyShown);
  } else if (p.scheduleDesigned) {
    p.scheduleStale = true;  // rows of another plan stay on screen, marked out of date
  }
  return Change{planChanged || state.sizes != nullptr, p.scheduleDesigned, redesign, action};
}

bool PlanEditor::step(std::vector<Step>& from, std::vector<Step>& to, const std::string& verb) {
  endRun();
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  State now = current();
  if (step.before.sizes) now.sizes = currentSizes();  // redo (or undo) of a sizing puts these sizes back
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
