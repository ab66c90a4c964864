// The batch run of the batch tool: the desktop program's computation from listing or saved project to schedule.
#include "cli/batch_run.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "cli/bars_json.h"
#include "cli/batch_json.h"
#include "cli/cli_prompter.h"
#include "design/pedestal_design.h"
#include "design/schedule.h"
#include "design/workbook_xlsx.h"
#include "draw/dxf_writer.h"
#include "footing/case_basis.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/load_titles.h"
#include "model/grades.h"
#include "model/limits.h"
#include "input/analysis_input.h"
#include "input/listing_reader.h"
#include "model/errors.h"
#include "model/numbers.h"
#include "model/project.h"
#include "output/report_content.h"
#include "project/design_options_file.h"
#include "project/plan_opening.h"
#include "project/project_file.h"
#include "design/plan_checks.h"
#include "project/schedule_design.h"

namespace plintova::cli {

namespace {

std::string mainCaption(const Project& p) {
  return "Fck  " + numberText(p.Fck) + " Fy  " + numberText(p.Fe) + "   SBC  " + numberText(p.CaseSbc[0]) +
         " Earth Pressure : " + numberText(p.EarthPressure);
}

std::string markOf(const FootingRecord& f) {
  if (f.CombNo == 0) return "F" + std::to_string(f.GroupRank);
  if (f.CombNo == -1) return "R" + std::to_string(f.GroupRank);
  if (f.CombNo < -1) return "D";
  return "C" + std::to_string(f.CombNo);
}

void printTable(const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> width;
  for (const auto& r : rows)
    for (size_t c = 0; c < r.size(); ++c) {
      if (width.size() <= c) width.push_back(0);
      width[c] = std::max(width[c], r[c].size());
    }
  for (const auto& r : rows) {
    std::string line;
    for (size_t c = 0; c < r.size(); ++c) {
      std::string cell = r[c];
      cell.insert(0, width[c] - cell.size(), ' ');
      line += (c ? "  " : "") + cell;
    }
    std::printf("%s\n", line.c_str());
  }
}

// "bearing at joint 5, load case 2: 231.4 against 200 kN/m2 (IS 456 cl. 34.1 ...)".
std::string failedCheckText(const CodeCheck& c) {
  return c.name + ": " + numberText(c.demand) + " against " + numberText(c.capacity) + " " + c.unit + " (" + c.clause +
         ")";
}

void printReadable(const Project& p) {
  std::printf("\n%s\n\nFootings\n", mainCaption(p).c_str());
  std::vector<std::vector<std::string>> rows{{"No", "Joint", "X", "Z", "Required", "L", "B", "Mark", "Governs"}};
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    rows.push_back({std::to_string(s), std::to_string(f.JointNo), std::to_string(f.PosX), std::to_string(f.PosZ),
                    numberText(f.ReqSize), numberText(f.SizeL), numberText(f.SizeB), markOf(f),
                    f.UpliftGoverns ? "uplift" : f.NoTension ? "no tension" : "pressure"});
  }
  printTable(rows);
  std::printf("\nSize groups\n");
  rows = {{"Group", "Size", "Pedestal", "Footings", "Mark"}};
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& r = p.SizeGroupTable[g];
    rows.push_back({std::to_string(g), numberText(r.GroupSize), numberText(r.Pedestal.x),
                    std::to_string(r.MemberCount), r.GroupMark ? "F" + std::to_string(r.GroupMark) : ""});
  }
  printTable(rows);
  if (p.CombinedCount > 0) {
    std::printf("\nCombined footings\n");
    rows = {{"No", "Joints", "Axis", "L", "B", "Cant1", "Cant2"}};
    for (int n = 1; n <= p.CombinedCount; ++n) {
      const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
      rows.push_back({"C" + std::to_string(n),
                      std::to_string(p.FootingTable[cf.CfMembers[1]].JointNo) + " " +
                          std::to_string(p.FootingTable[cf.CfMembers[2]].JointNo),
                      cf.CfAxis == 1 ? "X" : "Z", numberText(cf.CfLength), numberText(cf.CfWidth),
                      numberText(cf.Cant1), numberText(cf.Cant2)});
    }
    printTable(rows);
  }
  std::printf("\nFooting schedule\n");
  rows.clear();
  rows.emplace_back(scheduleHeaders().begin(), scheduleHeaders().end());
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const auto t = scheduleRowTexts(p, r);
    rows.emplace_back(t.begin(), t.end());
  }
  printTable(rows);
  // Top steel of lifted groups and every failed check of a group row, one line each.
  std::vector<std::string> groupDetails;
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    const std::string mark = scheduleRowTexts(p, r)[kColMark];
    for (const SteelLayer& layer : row.topSteel)
      groupDetails.push_back(mark + "  " + layer.where + ": " + barsText(layer) + ", " + std::to_string(layer.bars) +
                             " bars");
    if (row.pedestal.side > 0) groupDetails.push_back(mark + "  " + pedestalText(row.pedestal));
    for (const CodeCheck& c : row.checks)
      if (!c.ok) groupDetails.push_back(mark + "  fails " + failedCheckText(c));
  }
  if (!groupDetails.empty()) std::printf("\n");
  for (const std::string& line : groupDetails) std::printf("%s\n", line.c_str());
  if (p.RectangularRows.empty() && p.CombinedRows.empty()) return;
  // Hand-resized and combined footings: one line each, then every layer of bars and every failed check.
  std::printf("\nHand-resized and combined footings\n");
  rows = {{"Mark", "Joints", "L", "B", "Depth", "Pedestal", "NetP", "Dia", "Checks"}};
  std::vector<std::string> details;
  for (const auto* list : {&p.RectangularRows, &p.CombinedRows})
    for (const FootingRow& row : *list) {
      const auto t = footingRowTexts(p, row);
      rows.push_back({t[kColMark], t[kColNos], numberText(row.L), numberText(row.B), t[kColDepth], t[kColPedestal],
                      t[kColNetP], t[kColDia], t[kColSF1]});
      for (const SteelLayer& layer : row.steel)
        details.push_back(t[kColMark] + "  " + layer.where + ": " + barsText(layer) + ", " + std::to_string(layer.bars) +
                          " bars");
      for (const PedestalSteel& ps : row.pedestals) details.push_back(t[kColMark] + "  " + pedestalText(ps));
      for (const CodeCheck& c : row.checks)
        if (!c.ok)
          details.push_back(t[kColMark] + "  fails " + failedCheckText(c));
    }
  printTable(rows);
  std::printf("\n");
  for (const std::string& line : details) std::printf("%s\n", line.c_str());
}

}  // namespace

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
  if (!formed.dropped.empty()) prompter.message(formed.dropped);
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
  ListingRead read = readPlanListing(o.listing, prompter);
  if (!read) return reportFailure(o, read.error.empty() ? "The listing cannot be used." : read.error, 1);
  Project& p = *read.project;
  ListingSummary& summary = read.summary;
  if (const int status = takeInputs(o, p, summary, prompter); status >= 0) return status;
  const bool designed = o.saved || o.haveSbc;
  if (designed)
    if (const int status = designPlan(o, p, prompter); status >= 0) return status;

  int status = 0;
  const IssueState issue = designed ? issueState(p) : IssueState{};
  // One warning for the drawing written while a row or the plan fails its checks: it carries the stamp.
  if (!issue.issuable() && (!o.pdfPath.empty() || !o.dxfPath.empty()))
    prompter.message(std::string("The drawing is issued as ") + kPreliminaryStamp + ": " + issue.reason());
  if (!o.xlsxPath.empty()) {
    std::string err = writeWorkbook(p, o.xlsxPath);
    if (!err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }
  if (!o.pdfPath.empty()) {
    std::string err = o.printPdf ? o.printPdf(p, o.pdfPath) : "This batch tool was built without printing.";
    if (!err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }
  if (!o.planPdfPath.empty()) {
    std::string err =
        o.printPlanPdf ? o.printPlanPdf(p, o.planPdfPath) : "This batch tool was built without printing.";
    if (!err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }
  if (!o.dxfPath.empty()) {
    std::string err = draw::writeSheetDxf(p, o.dxfPath);
    if (!err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }
  if (!o.reportPath.empty()) {
    // main() has refused any other extension; the Markdown needs no printing.
    std::string err = reportFormat(o.reportPath) == ReportFormat::Markdown
                          ? writeReportMarkdown(p, o.reportPath, todaysDate())
                      : o.reportPdf ? o.reportPdf(p, o.reportPath)
                                    : "This batch tool was built without printing.";
    if (!err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }

  if (!o.saveProjectPath.empty()) {
    std::string err = writeProjectFile(p, o.saveProjectPath);
    if (!err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }

  if (o.json) {
    JsonWriter j;
    j.beginObject();
    writeSummaryJson(j, p);
    if (designed) writeModelJson(j, p);
    j.key("messages");
    j.beginArray();
    for (const auto& m : prompter.messages()) j.text(m);
    j.endArray();
    if (designed) {
      writeScheduleJson(j, p);
      writeBarBendingJson(j, p);
      writePlanChecksJson(j, issue);
    }
    j.endObject();
    std::printf("%s\n", j.str().c_str());
  } else {
    std::printf("%s\n%s\n%s\n", summary.supportsCaption.c_str(), summary.loadCasesCaption.c_str(),
                summary.gradesCaption.c_str());
    if (!summary.unitsCaption.empty()) std::printf("%s\n", summary.unitsCaption.c_str());
    if (designed) printReadable(p);
    for (const PlanCheck& c : issue.plan) std::printf("Plan check: %s\n", c.message.c_str());
  }
  return status;
}

}  // namespace plintova::cli
