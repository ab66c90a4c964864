// The steps that bring a project file of an older version to the current one.
#pragma once

#include "project/project_json.h"

namespace plintova::projectjson {

// Brings `document`, of version `version` (1 up to the current one), to the current version one step at
// a time, each step taking a document of version n to n + 1, so that the one reader of the current
// version reads every older file. Throws Refusal for an older value that no step can carry.
void upgradeDocument(Json& document, int version);

}  // namespace plintova::projectjson
