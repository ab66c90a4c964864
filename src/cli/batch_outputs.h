// The batch tool's outputs, each listed once: its option, what it writes and its writer. The one table
// drives the parsing of the options, the refusals of a target, the usage text and the writing.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova::cli {

struct BatchOutput {
  const char* option;     // "--xlsx"
  const char* valueName;  // the file it takes, as the usage names it: "FILE"
  const char* what;       // what it writes, as messages name it: "workbook"
  std::string BatchOptions::*path;  // where the run's options hold its file ("" when not asked for)
  // An export of the designed plan: it needs --sbc and --depth or --project, must not overwrite the project
  // file the run repeats, and needs another file than the project saved (every output but the project).
  bool isExport;
  bool isDrawing;  // carries the drawing's stamp (PRELIMINARY while a check fails)
  // Why the file's name cannot be taken ("" when it can), checked with the arguments.
  std::string (*nameProblem)(const std::string& path);
  // True when writing this file needs the PDF renderer (Qt), loaded only then.
  bool (*printed)(const std::string& path);
  // Writes the file; "" or the reason it could not be written.
  std::string (*write)(const Project& p, const BatchOptions& o, const std::string& path);
};

// Every output, in the order they are written.
std::span<const BatchOutput> batchOutputs();

// The usage lines of the outputs, wrapped as the usage text wraps them: `start` (ending in a blank) begins
// the first line and `items` (each in brackets) come before the outputs; continuation lines are indented
// under the tool's name.
std::string usageLines(const std::string& start, const std::string& items);

// "--xlsx, --pdf, --plan-pdf, --dxf and --report": the options of the exports.
std::string exportOptionsText();

// True when an output the run asks for is printed by the PDF renderer.
bool needsPrinting(const BatchOptions& o);

// Refuses, before any work, an output that would destroy an input or could never be written. Returns 0
// when every target may be written, else 2 with the reason on stderr.
int refuseBadTargets(const BatchOptions& o);

// Writes every output the run asks for; a failure is said through the prompter and gives status 1.
int writeOutputs(const Project& p, const BatchOptions& o, Prompter& prompter);

}  // namespace plintova::cli
