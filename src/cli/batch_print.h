// The batch tool's results on standard output: the readable tables, or the JSON of the whole run.
#pragma once

#include "cli/batch_run.h"
#include "cli/cli_prompter.h"
#include "design/plan_checks.h"
#include "input/listing_reader.h"
#include "model/project.h"

namespace plintova::cli {

// Prints the run's results: the listing's captions, then (for a designed run) the footings, groups,
// combined footings and schedule with every failed check, and the plan checks; or, with --json, one JSON
// object of the summary, the model, the messages, the schedule, the bar bending schedule and the checks.
void printResults(const BatchOptions& o, const Project& p, const ListingSummary& summary, const IssueState& issue,
                  bool designed, const CliPrompter& prompter);

}  // namespace plintova::cli
