// The batch run of the batch tool: the desktop program's computation from listing or saved project to schedule.
#include "cli/batch_run.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "cli/bars_json.h"
#include "cli/batch_json.h"
#include "cli/batch_outputs.h"
#include "cli/batch_print.h"
#include "cli/cli_prompter.h"
#include "design/pedestal_design.h"
#include "design/plan_checks.h"
#include "design/schedule.h"
#include "footing/case_basis.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/analysis_input.h"
#include "input/listing_reader.h"
#include "input/load_titles.h"
#include "model/errors.h"
#include "model/grades.h"
#include "model/limits.h"
#include "model/numbers.h"
#include "model/project.h"
#include "output/report_content.h"
#include "project/design_options_file.h"
#include "project/plan_opening.h"
#include "project/project_file.h"
#include "project/schedule_design.h"

namespace plintova::cli {

ListingParts listingPartsFor(const BatchOptions& o) {
  // The beams only the desktop's column window draws. The support fingerprints tell a saved project's
  // changed supports, so a project opened or saved needs them; the listing's SHA-256 is named by the
  // project and by the report.
  const bool project = o.saved.has_value() || !o.saveProjectPath.empty();
  return ListingParts{.beams = false, .fingerprints = project, .digest = project || !o.reportPath.empty()};
}

int reportFailure(const BatchOptions& o, const std::string& text, int status) {
  if (o.json) {
    JsonWriter j;
    j.beginObject();
    j.key("error");
    j.text(text);
    j.endObject();
    std::printf("%s\n", j.str().c_str());
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  return status;
}

namespace {

// The design inputs the arguments give a fresh listing, checked as the start-up dialog checks them:
// SBC and depth, grades, the load cases used and increased, the roles and the combinations. Returns -1
// when they were taken, else the exit status (the reason said).
int takeArgumentInputs(const BatchOptions& o, Project& p, ListingSummary& summary, CliPrompter& prompter) {
  if (o.haveSbc) {
    auto scratch = std::make_unique<Project>();
    if (!acceptDesignInputs(*scratch, o.depthText, "200")) {
      std::fprintf(stderr, "plintova-cli: the depth must be %s, not \"%s\"\n", limits::foundingDepthRange().c_str(),
                   o.depthText.c_str());
      return 2;
    }
    if (!acceptDesignInputs(p, o.depthText, o.sbcText)) {
      std::fprintf(stderr, "plintova-cli: the SBC must be %s, not \"%s\"\n", limits::sbcRange().c_str(),
                   o.sbcText.c_str());
      return 2;
    }
  }
  // Grades given on the command line replace the listing's (each one given; the other stays).
  if (o.fck > 0 || o.fe > 0) {
    const int fck = o.fck > 0 ? o.fck : p.ListingFck, fe = o.fe > 0 ? o.fe : p.ListingFe;
    if (!acceptGrades(p, fck, fe)) {
      std::fprintf(stderr, "plintova-cli: %s\n", gradeProblem(fck, fe).c_str());
      return 2;
    }
  }
  // The ranges given become the listing's cases in them; a number in a range that is no case of the
  // listing is refused, as a case named alone is.
  std::string refusal;
  std::optional<std::vector<int>> used = listingCasesIn(p, o.cases, refusal);
  std::optional<std::vector<int>> increased;
  if (used && o.increasedCases && !(increased = listingCasesIn(p, *o.increasedCases, refusal))) used.reset();
  // The roles name cases of the listing, used or not (a role of a case left out does nothing).
  std::optional<std::map<int, CaseRole>> roles;
  if (used && !(roles = listingRolesIn(p, o.roles, refusal))) used.reset();
  if (used) refusal = applyLoadCaseChoice(p, *used, increased);
  if (!refusal.empty()) {
    std::fprintf(stderr, "plintova-cli: %s\n", refusal.c_str());
    return 2;
  }
  std::vector<std::string> notes;
  if (const std::string refused = applyCaseBasis(p, CaseBasisChoice{*roles, std::nullopt, o.combine}, notes);
      !refused.empty())
    return reportFailure(o, refused, 1);
  for (const std::string& note : notes) prompter.message(note);
  summary.gradesCaption = gradesCaption(p);
  return -1;
}

// The inputs of the run: the project file's, or the arguments'; then the design options (the project's
// or the defaults, with those of --options over them). Returns -1 when they were taken, else the status.
int takeInputs(const BatchOptions& o, Project& p, ListingSummary& summary, CliPrompter& prompter) {
  if (o.saved) {
    if (const std::string change = listingChanges(p, *o.saved); !change.empty()) prompter.message(change);
    if (const std::string refusal = acceptSavedInputs(p, *o.saved); !refusal.empty())
      return reportFailure(o, refusal, 1);
  } else if (const int status = takeArgumentInputs(o, p, summary, prompter); status >= 0) {
    return status;
  }
  // What makes the basis of the loads doubtful, said once each.
  if (const std::vector<std::string> doubts = basisWarnings(p); !doubts.empty())
    prompter.messageList(doubts.size() == 1 ? doubts.front() : "The basis of the loads is doubtful:",
                         doubts.size() == 1 ? std::vector<std::string>{} : doubts, "Load cases");
  DesignOptions options = o.saved ? o.saved->options : DesignOptions{};
  if (!o.optionsPath.empty()) {
    if (const std::string problem = readDesignOptionsFile(o.optionsPath, options); !problem.empty()) {
      std::fprintf(stderr, "plintova-cli: %s\n", problem.c_str());
      return 2;
    }
  }
  p.decisions.options = options;
  setIncreasedSbc(p);
  return -1;
}

// The plan as the main window forms it (sized, the layout file's offsets, the project's decisions), then
// the Design command (always: the outputs are built from the schedule). Footings that cannot be designed
// (a side beyond the largest footing, more grid lines, sizes or footings of one size than the tables
// hold) end the run like a listing that cannot be used. Returns -1 when the schedule stands, else the status.
int designPlan(const BatchOptions& o, Project& p, CliPrompter& prompter) {
  // Grades the design cannot work with (a listing's Fck of 22) end the run before any work.
  if (const std::string problem = gradeProblem(p.Fck, p.Fe); !problem.empty())
    return reportFailure(o, problem + " Give the grades with --fck and --fe.", 1);
  // No one to ask: a grade below what buried concrete needs is reported with the results.
  if (const std::string note = exposureGradeNote(p.Fck); !note.empty()) prompter.message(note);
  if (p.increaseRule == IncreaseRule::LaterCases && !titlesKnown(p.LoadCases))
    prompter.message("The listing names no load case's title or load type: every case after a support's first is "
                     "checked against the increased SBC. Give --increased-cases to name the wind and earthquake "
                     "cases.");
  const FormedPlan formed = formPlan(p, o.saved ? &*o.saved : nullptr, prompter);
  if (!formed) return reportFailure(o, formed.refusal, 1);
  // The batch tool never writes the layout file: one that was not applied stays as it is.
  if (!formed.layoutNotApplied.empty()) prompter.message(formed.layoutNotApplied + kLayoutNotApplied + ".");
  if (const std::string dropped = droppedDecisionsMessage(formed.dropped); !dropped.empty()) prompter.message(dropped);
  if (!formed.savedPlanRefusal.empty()) return reportFailure(o, formed.savedPlanRefusal, 1);
  for (const std::string& note : formed.savedPlanNotes) prompter.message(note);
  if (!designSchedule(p, prompter))
    return reportFailure(
        o, prompter.messages().empty() ? "The footings cannot be designed." : prompter.messages().back(), 1);
  return -1;
}

}  // namespace

int runBatch(const BatchOptions& o) {
  CliPrompter prompter(!o.json);
  ListingRead read = readPlanListing(o.listing, prompter, listingPartsFor(o));
  if (!read) return reportFailure(o, read.error.empty() ? "The listing cannot be used." : read.error, 1);
  Project& p = *read.project;
  ListingSummary& summary = read.summary;
  if (const int status = takeInputs(o, p, summary, prompter); status >= 0) return status;
  const bool designed = o.saved || o.haveSbc;
  if (designed)
    if (const int status = designPlan(o, p, prompter); status >= 0) return status;

  const IssueState issue = designed ? issueState(p) : IssueState{};
  // One warning for the drawing written while a row or the plan fails its checks: it carries the stamp.
  const auto asked = [&o](const BatchOutput& out) { return out.isDrawing && !(o.*out.path).empty(); };
  if (!issue.issuable() && std::any_of(batchOutputs().begin(), batchOutputs().end(), asked))
    prompter.message(std::string("The drawing is issued as ") + kPreliminaryStamp + ": " + issue.reason());
  const int status = writeOutputs(p, o, prompter);
  printResults(o, p, read.summary, issue, designed, prompter);
  return status;
}

}  // namespace plintova::cli
