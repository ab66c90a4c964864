// The load cases in the batch tool's JSON output.
#include "cli/cases_json.h"

#include <algorithm>

#include "footing/design_inputs.h"

namespace plintova::cli {

void writeCasesJson(JsonWriter& j, const Project& p) {
  const std::vector<int> cases = p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases;
  const std::vector<int> increased = increasedCasesInForce(p);
  auto has = [](const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); };
  j.key("cases");
  j.beginArray();
  for (int n : cases) {
    const LoadCaseDef* def = findLoadCase(p.LoadCases, n);
    j.beginObject();
    j.key("number");
    j.integer(n);
    j.key("title");
    j.text(def ? def->title : "");
    j.key("type");
    j.text(def ? def->type : "");
    j.key("used");
    j.boolean(p.UsedCases.empty() || has(p.UsedCases, n));
    j.key("increased");
    j.boolean(has(increased, n));
    j.endObject();
  }
  j.endArray();
}

}  // namespace plintova::cli
