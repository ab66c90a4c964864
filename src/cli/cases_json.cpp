// The load cases in the batch tool's JSON output.
#include "cli/cases_json.h"

#include <algorithm>

#include "footing/case_basis.h"
#include "footing/design_inputs.h"

namespace plintova::cli {

namespace {

void writeParts(JsonWriter& j, const std::vector<CaseFactor>& parts) {
  j.key("combination");
  j.beginArray();
  for (const CaseFactor& part : parts) {
    j.beginObject();
    j.key("case");
    j.integer(part.loadCase);
    j.key("factor");
    j.number(part.factor);
    j.endObject();
  }
  j.endArray();
}

}  // namespace

void writeCasesJson(JsonWriter& j, const Project& p) {
  std::vector<int> cases = p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases;
  for (const Combination& c : p.Combinations) cases.push_back(c.number);
  const std::vector<int> increased = increasedCasesInForce(p);
  auto has = [](const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); };
  const std::vector<int> inUse = listingLoadCases(p);
  j.key("cases");
  j.beginArray();
  for (int n : cases) {
    const LoadCaseDef* def = findLoadCase(p.LoadCases, n);
    const auto combination =
        std::find_if(p.Combinations.begin(), p.Combinations.end(), [n](const Combination& c) { return c.number == n; });
    const bool generated = combination != p.Combinations.end();
    j.beginObject();
    j.key("number");
    j.integer(n);
    j.key("title");
    j.text(generated ? combination->title : def ? def->title : "");
    j.key("type");
    j.text(def && !generated ? def->type : "");
    j.key("role");
    j.text(std::string(roleName(roleOf(p, n))));
    j.key("used");
    j.boolean(has(inUse, n));
    j.key("increased");
    j.boolean(has(increased, n));
    // The factor the design applies to the case's reactions; null where the design does not take it.
    j.key("factor");
    if (const double f = has(inUse, n) ? factorsOf(p, n).design : 0; f > 0) j.number(f);
    else j.null();
    if (const std::vector<CaseFactor> parts = partsOf(p, n); !parts.empty()) writeParts(j, parts);
    j.endObject();
  }
  j.endArray();
}

}  // namespace plintova::cli
