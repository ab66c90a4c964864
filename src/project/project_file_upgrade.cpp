// The project file's version steps. A later version that renames or reshapes a key adds one step here
// and a test file of the version before it; the reader only ever knows the current version.
#include "project/project_file_upgrade.h"

#include <iterator>

#include "project/project_file.h"

namespace plintova::projectjson {

namespace {

// Version 2 added the design options (a file without them takes the defaults, as version 1 did) and the
// wind and earthquake rule of the increased cases: a version-1 project that chose no increased cases
// keeps the rule it was designed with, every case after a support's first.
void fromVersion1(Json& document) {
  if (!member(document, "increasedCases") && !member(document, "increaseRule")) document["increaseRule"] = "laterCases";
}

// Version 3 added the roles of the load cases and the table of combinations; without them the program
// decides, as version 2 did.
void fromVersion2(Json&) {}

// Version 4 gives a schedule edit's pedestal as two sides: a square "pedestal" is both.
void fromVersion3(Json& document) {
  Json* schedule = document.contains("schedule") ? &document["schedule"] : nullptr;
  if (!schedule || !schedule->is_array()) return;  // the reader names a schedule that is no list
  for (std::size_t i = 0; i < schedule->size(); ++i) {
    Json& edit = (*schedule)[i];
    if (!edit.is_object() || !edit.contains("pedestal")) continue;
    const std::string where = entryName("schedule", i) + ", " + keyName("pedestal");
    const float side = pedestalOf(edit["pedestal"], where);
    edit.erase("pedestal");
    if (!edit.contains("pedestalX")) edit["pedestalX"] = floatJson(side);
    if (!edit.contains("pedestalZ")) edit["pedestalZ"] = floatJson(side);
  }
}

// Step n takes a document of version n to n + 1.
constexpr void (*kSteps[])(Json&) = {fromVersion1, fromVersion2, fromVersion3};
static_assert(std::size(kSteps) == kProjectFileVersion - 1, "one step for every version before the current one");

}  // namespace

void upgradeDocument(Json& document, int version) {
  for (int v = version; v < kProjectFileVersion; ++v) {
    kSteps[v - 1](document);
    document["version"] = v + 1;
  }
}

}  // namespace plintova::projectjson
