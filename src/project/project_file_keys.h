// The keys of the project file's current version, each defined once for writing and reading.
#pragma once

#include "project/project_file.h"
#include "project/project_json.h"

namespace plintova::projectjson {

// The document of the current version that holds `saved`, its keys in the file's order. Throws NotFinite
// for a number that is not finite.
Json projectDocument(const SavedProject& saved);

// The project a document of the current version holds (older documents are brought to it first). Keys
// the program does not know are skipped. Throws Refusal for a value missing, of the wrong type or out of
// its limits.
SavedProject projectOfDocument(const Json& document);

}  // namespace plintova::projectjson
