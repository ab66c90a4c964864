// The batch run: read, size, group, design, and the summary, JSON, workbook, PDF and project outputs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "footing/design_inputs.h"
#include "footing/load_combinations.h"
#include "input/listing_reader.h"
#include "project/project_file.h"

namespace plintova::cli {

struct BatchOptions {
  std::string listing;
  bool json = false;
  bool haveSbc = false, haveDepth = false;
  std::string sbcText, depthText;
  std::string xlsxPath, pdfPath;
  std::string planPdfPath;  // --plan-pdf: the bare plan on one A3 page
  std::string dxfPath;      // --dxf: the footing drawing for CAD
  std::string reportPath;   // --report: the calculation report, PDF or Markdown by its extension
  // --project: the saved project this run repeats (read before the run; the listing, SBC and depth
  // come from it). --save-project: where the project of this run is written.
  std::string projectPath, saveProjectPath;
  // --fck/--fe: grades in place of the listing's; --cases/--increased-cases: the load cases used and
  // those checked against 1.25 x SBC (checked by main() before the run).
  int fck = 0, fe = 0;
  std::vector<CaseRange> cases;  // empty: every case
  std::optional<std::vector<CaseRange>> increasedCases;
  // --roles: the roles of cases the engineer gives; --combine: build the combinations from the primary
  // cases even where combinations are in use or the analysis was P-delta or nonlinear.
  std::vector<RoleRange> roles;
  bool combine = false;
  std::optional<SavedProject> saved;
  // --options: a JSON file of design options over the defaults or the project's.
  std::string optionsPath;
  // Write the footing drawing's sheets (printPdf) and the bare plan on A3 (printPlanPdf) as PDF files;
  // each returns "" or the reason it failed. Empty where the tool has no printing.
  std::function<std::string(const Project&, const std::string&)> printPdf, printPlanPdf;
  // Writes the calculation report as a PDF; "" or the reason. Empty where the tool has no printing (the
  // Markdown report needs none).
  std::function<std::string(const Project&, const std::string&)> reportPdf;
};

// Runs the whole batch and returns the exit status: 0 done, 1 the listing cannot be used or an output
// could not be written, 2 refused arguments.
int runBatch(const BatchOptions& options);

// What of the listing the run reads: only what the outputs asked for use (no beams; the fingerprints
// and the listing's digest for a project opened or saved, the digest too for a report).
ListingParts listingPartsFor(const BatchOptions& options);

// Reports a run that cannot go on: `{"error": text}` on standard output with --json, else the text on
// stderr. Returns `status`.
int reportFailure(const BatchOptions& options, const std::string& text, int status);

}  // namespace plintova::cli
