// Which load cases the soil checks and the design take, and with what factor.
#include "footing/case_basis.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "footing/design_inputs.h"

namespace plintova {

namespace {

const Combination* findCombination(const Project& p, int n) {
  for (const Combination& c : p.Combinations)
    if (c.number == n) return &c;
  return nullptr;
}

bool anyRole(const Project& p, const std::vector<int>& cases, CaseRole role) {
  return std::any_of(cases.begin(), cases.end(), [&](int n) { return roleOf(p, n) == role; });
}

// The primary roles case n includes, through its parts at any depth (its own role for a primary case).
void primaryRolesIn(const Project& p, int n, std::set<int>& seen, std::set<CaseRole>& roles) {
  if (!seen.insert(n).second) return;
  const CaseRole role = roleOf(p, n);
  if (isPrimaryLoad(role)) {
    roles.insert(role);
    return;
  }
  for (const CaseFactor& part : partsOf(p, n))
    if (part.factor != 0) primaryRolesIn(p, part.loadCase, seen, roles);
}

// The factors of case n on the basis the cases in use give.
CaseFactors factorsOn(const Project& p, int n, bool anyService, bool anyFactored) {
  const CaseRole role = roleOf(p, n);
  CaseFactors f;
  if (!anyService && !anyFactored) return {1.0, kServiceToDesignFactor};  // every case as read, as a service case
  if (role == CaseRole::Service) {
    f.soil = 1.0;
    if (!anyFactored)
      f.design = includesLateralWithImposed(p, n) ? kServiceToDesignFactorWithLateral : kServiceToDesignFactor;
  } else if (role == CaseRole::Factored) {
    f.design = 1.0;
    if (!anyService) f.soil = 1.0 / largestFactor(p, n);
  }
  return f;
}

template <typename Pick>
std::vector<CaseUse> casesOf(const Project& p, int s, Pick pick) {
  std::vector<CaseUse> uses;
  const int last = p.lastCasePosition(s);
  for (int c = 0; c <= last; ++c) {
    const int n = static_cast<int>(p.ReactionTable(s, c, 1));
    if (n == 0) continue;  // a support without reactions
    if (const double f = pick(factorsOf(p, n)); f > 0) uses.push_back({c, n, f});
  }
  return uses;
}

std::vector<PairCaseUse> paired(const std::vector<CaseUse>& a, const std::vector<CaseUse>& b) {
  std::vector<PairCaseUse> uses;
  for (int m = 0; m < 2; ++m)
    for (const CaseUse& u : m == 0 ? a : b) {
      auto it = std::find_if(uses.begin(), uses.end(), [&](const PairCaseUse& k) { return k.loadCase == u.loadCase; });
      if (it == uses.end()) {
        uses.push_back({u.loadCase, {-1, -1}, u.factor});
        it = uses.end() - 1;
      }
      if (it->position[m] < 0) it->position[m] = u.position;  // a number repeated at one support: its first line
    }
  return uses;
}

}  // namespace

CaseRole roleOf(const Project& p, int n) {
  if (auto it = p.CaseRoles.find(n); it != p.CaseRoles.end()) return it->second;
  if (const Combination* c = findCombination(p, n)) return c->role;
  return suggestedRole(p.LoadCases, n);
}

std::vector<CaseFactor> partsOf(const Project& p, int n) {
  if (const Combination* c = findCombination(p, n)) return c->parts;
  if (const LoadCaseDef* def = findLoadCase(p.LoadCases, n)) return def->parts;
  return {};
}

bool includesLateralWithImposed(const Project& p, int n) {
  std::set<int> seen;
  std::set<CaseRole> roles;
  primaryRolesIn(p, n, seen, roles);
  return roles.count(CaseRole::Imposed) && (roles.count(CaseRole::Wind) || roles.count(CaseRole::Earthquake));
}

double largestFactor(const Project& p, int n) {
  double largest = 0;
  for (const CaseFactor& part : partsOf(p, n)) largest = std::max(largest, std::fabs(part.factor));
  return largest > 0 ? largest : kServiceToDesignFactor;
}

CaseFactors factorsOf(const Project& p, int n) {
  if (p.CaseFactorsInForce.empty()) return {1.0, kServiceToDesignFactor};
  auto it = p.CaseFactorsInForce.find(n);
  return it == p.CaseFactorsInForce.end() ? CaseFactors{} : it->second;
}

void settleCaseFactors(Project& p) {
  p.CaseFactorsInForce.clear();
  const std::vector<int> cases = listingLoadCases(p);
  const bool anyService = anyRole(p, cases, CaseRole::Service), anyFactored = anyRole(p, cases, CaseRole::Factored);
  std::map<int, CaseFactors> factors;
  for (int n : cases) factors[n] = factorsOn(p, n, anyService, anyFactored);
  p.CaseFactorsInForce = std::move(factors);
}

std::vector<CaseUse> soilCases(const Project& p, int s) {
  return casesOf(p, s, [](const CaseFactors& f) { return f.soil; });
}

std::vector<CaseUse> designCases(const Project& p, int s) {
  return casesOf(p, s, [](const CaseFactors& f) { return f.design; });
}

std::vector<PairCaseUse> soilCases(const Project& p, int a, int b) { return paired(soilCases(p, a), soilCases(p, b)); }

std::vector<PairCaseUse> designCases(const Project& p, int a, int b) {
  return paired(designCases(p, a), designCases(p, b));
}

std::vector<std::string> basisWarnings(const Project& p) {
  std::vector<std::string> warnings;
  const std::vector<int> cases = listingLoadCases(p);
  std::vector<int> primary, direct;
  for (int n : cases) (isPrimaryLoad(roleOf(p, n)) ? primary : direct).push_back(n);
  const bool anyService = anyRole(p, cases, CaseRole::Service), anyFactored = anyRole(p, cases, CaseRole::Factored);
  if (!primary.empty() && direct.empty())
    warnings.push_back("The load cases in use (" + caseListText(primary) +
                       ") are primary loads only and no combination is in use: each is taken alone as a service "
                       "case, so dead and imposed load are never added. Build the combinations or give the cases' "
                       "roles.");
  if (anyFactored && !anyService) {
    std::vector<int> factored;
    for (int n : cases)
      if (roleOf(p, n) == CaseRole::Factored) factored.push_back(n);
    warnings.push_back("No service case is in use: the footings are sized for the factored cases " +
                       caseListText(factored) + ", each divided by its largest factor.");
  }
  // A case the checks take on its own that also stands inside a combination they take.
  std::set<int> twice;
  for (int n : direct)
    for (const CaseFactor& part : partsOf(p, n))
      if (part.loadCase != n && part.factor != 0 && std::find(direct.begin(), direct.end(), part.loadCase) != direct.end())
        twice.insert(part.loadCase);
  for (int n : twice)
    warnings.push_back("Load case " + std::to_string(n) +
                       " is used on its own and inside a combination in use: its load is counted twice. Give it the "
                       "role of its load (dead, imposed, wind, earthquake or other).");
  return warnings;
}

}  // namespace plintova
