// The batch tool's JSON output of a run: the summary, the footings and groups, the schedule rows with their
// checks, and the plan's checks.
#pragma once

#include "cli/json_writer.h"
#include "design/plan_checks.h"
#include "model/project.h"

namespace plintova::cli {

// "supportCount", "loadCases", "fck", "fe" and the cases.
void writeSummaryJson(JsonWriter& j, const Project& p);

// The design inputs, the footings, the grid, the size groups and the combined footings.
void writeModelJson(JsonWriter& j, const Project& p);

// "schedule": the rows from their values (the numbers the window shows are the same values as text).
void writeScheduleJson(JsonWriter& j, const Project& p);

// "planChecks" and "issuable": the plan's checks and whether the drawing may be issued for construction.
void writePlanChecksJson(JsonWriter& j, const IssueState& issue);

}  // namespace plintova::cli
