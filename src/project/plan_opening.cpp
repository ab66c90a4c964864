// The one way into a plan: read the listing, take a project file's inputs, form the plan with the layout
// file's offsets and the project's decisions.
#include "project/plan_opening.h"

#include <exception>
#include <utility>

#include "files/project_files.h"
#include "footing/derived_plan.h"
#include "input/analysis_input.h"
#include "input/layout_file.h"
#include "model/errors.h"

namespace plintova {

namespace {

// The column offsets of an earlier run on this listing. A layout file that cannot be read, that was
// written for another plan, or whose offsets give a plan that cannot be formed, leaves every footing
// on its column; what happened comes back to be reported (the file itself is left as it is).
std::string applyLayoutFile(Project& p, Prompter& prompter) {
  if (p.AnlPath.empty()) return {};
  const LayoutResult layout = readLayout(p);
  switch (layout.status) {
    case LayoutStatus::None:
      return {};
    case LayoutStatus::Unreadable:
    case LayoutStatus::Ignored:
      return layout.message;
    case LayoutStatus::Applied:
      break;
  }
  const std::string refusal = derivePlan(p, prompter);
  if (refusal.empty()) return {};
  resetDecisions(p);
  RecordingPrompter alreadyShown;  // the concentric plan was derived, and spoke, by startPlan
  derivePlan(p, alreadyShown);
  return "The layout file " + layoutPathFor(p.AnlPath) + " gives a plan that cannot be formed: " + refusal;
}

// The project's decisions on this reading of the listing, with the design options already in force.
void applySavedDecisions(Project& p, const SavedProject& saved, FormedPlan& formed) {
  std::vector<std::string> dropped;
  Decisions decisions = decisionsOf(p, saved, dropped);
  decisions.options = p.decisions.options;
  // applyDecisions keeps the plan as it was when the saved decisions cannot be formed, and says why
  // last: the reason is kept for the caller, nothing is lost on disk.
  RecordingPrompter opening;
  if (!applyDecisions(p, std::move(decisions), opening)) formed.savedPlanRefusal = opening.texts().back();
  formed.savedPlanNotes = opening.texts();
  formed.dropped = std::move(dropped);
}

}  // namespace

ListingRead readPlanListing(const std::string& path, Prompter& prompter, ListingParts parts) {
  ListingRead read;
  auto project = std::make_unique<Project>();
  try {
    read.summary = readAnalysisInput(*project, path, prompter, parts);
    read.project = std::move(project);
  } catch (const ListingError& e) {
    if (!e.silent()) read.error = e.what();
  } catch (const std::exception& e) {
    // Nothing else should escape the reader; if it does, the engineer still learns why.
    read.error = std::string("The listing could not be read: ") + e.what();
  }
  return read;
}

FormedPlan formPlan(Project& p, const SavedProject* saved, Prompter& prompter) {
  FormedPlan formed;
  formed.refusal = startPlan(p, prompter);
  if (!formed.refusal.empty()) return formed;
  formed.layoutNotApplied = applyLayoutFile(p, prompter);
  if (saved) applySavedDecisions(p, *saved, formed);
  return formed;
}

}  // namespace plintova
