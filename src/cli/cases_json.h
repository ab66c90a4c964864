// The load cases in the batch tool's JSON output.
#pragma once

#include "cli/json_writer.h"
#include "model/project.h"

namespace plintova::cli {

// "cases": one object per load case of the listing in its order: "number", "title", "type" (the load
// type or ""), "used" and "increased" (checked against the increased pressure by the rule in force; by
// the later-case rule, a case that never stands first at a support).
void writeCasesJson(JsonWriter& j, const Project& p);

}  // namespace plintova::cli
