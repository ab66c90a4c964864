// The roles of the load cases and the table of combinations as JSON.
#include "project/case_roles_file.h"

#include <cmath>

namespace plintova {

namespace {

using Json = nlohmann::ordered_json;

// The keys of an entry, the same for writing and reading.
constexpr const char* kCase = "case";
constexpr const char* kRole = "role";
constexpr const char* kNumber = "number";
constexpr const char* kTitle = "title";
constexpr const char* kFactors = "factors";
constexpr const char* kFactor = "factor";

constexpr int kLargestCaseNumber = 999999;
constexpr double kLargestFactor = 100;  // a load factor far beyond any code's

std::string entry(const std::string& where, std::size_t i) { return where + " entry " + std::to_string(i + 1); }

// A case number of 1 to 999999, or nothing.
std::optional<int> caseNumber(const Json& v) {
  if (!v.is_number()) return std::nullopt;
  const double d = v.get<double>();
  if (!(d >= 1 && d <= kLargestCaseNumber) || d != std::floor(d)) return std::nullopt;
  return static_cast<int>(d);
}

std::optional<CaseRole> roleOf(const Json& object) {
  const auto it = object.find(kRole);
  if (it == object.end() || !it->is_string()) return std::nullopt;
  return roleNamed(it->get<std::string>());
}

const char* kRoleList = "dead, imposed, wind, earthquake, other, service or factored";

}  // namespace

Json caseRolesJson(const std::map<int, CaseRole>& roles) {
  Json list = Json::array();
  for (const auto& [n, role] : roles) list.push_back({{kCase, n}, {kRole, std::string(roleName(role))}});
  return list;
}

Json combinationsJson(const std::vector<Combination>& combinations) {
  Json list = Json::array();
  for (const Combination& c : combinations) {
    Json factors = Json::array();
    for (const CaseFactor& f : c.parts) factors.push_back({{kCase, f.loadCase}, {kFactor, f.factor}});
    list.push_back(
        {{kNumber, c.number}, {kTitle, c.title}, {kRole, std::string(roleName(c.role))}, {kFactors, factors}});
  }
  return list;
}

std::string readCaseRoles(const Json& value, const std::string& where, std::map<int, CaseRole>& into) {
  if (!value.is_array()) return where + " must be a list of {\"case\": n, \"role\": name}";
  std::map<int, CaseRole> read;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const Json& e = value[i];
    const std::string at = entry(where, i);
    if (!e.is_object()) return at + " must be an object {\"case\": n, \"role\": name}";
    const auto n = e.contains(kCase) ? caseNumber(e[kCase]) : std::nullopt;
    if (!n) return at + ": \"case\" must be a load case number from 1 to " + std::to_string(kLargestCaseNumber);
    const auto role = roleOf(e);
    if (!role) return at + ": \"role\" must be one of " + kRoleList;
    if (!read.emplace(*n, *role).second) return at + ": load case " + std::to_string(*n) + " is given a role twice";
  }
  into = std::move(read);
  return {};
}

std::string readCombinations(const Json& value, const std::string& where, std::vector<Combination>& into) {
  if (!value.is_array()) return where + " must be a list of combinations";
  if (value.size() > kMostSavedCombinations)
    return where + " may list at most " + std::to_string(kMostSavedCombinations) + " combinations";
  std::vector<Combination> read;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const Json& e = value[i];
    const std::string at = entry(where, i);
    if (!e.is_object()) return at + " must be an object with \"number\", \"title\", \"role\" and \"factors\"";
    Combination c;
    const auto n = e.contains(kNumber) ? caseNumber(e[kNumber]) : std::nullopt;
    if (!n) return at + ": \"number\" must be a load case number from 1 to " + std::to_string(kLargestCaseNumber);
    c.number = *n;
    for (const Combination& earlier : read)
      if (earlier.number == c.number) return at + ": combination " + std::to_string(c.number) + " is given twice";
    if (e.contains(kTitle)) {
      if (!e[kTitle].is_string()) return at + ": \"title\" must be a text";
      c.title = e[kTitle].get<std::string>();
    }
    const auto role = roleOf(e);
    if (!role || isPrimaryLoad(*role)) return at + ": \"role\" must be service or factored";
    c.role = *role;
    const auto factors = e.find(kFactors);
    if (factors == e.end() || !factors->is_array() || factors->empty() || factors->size() > kMostCombinationParts)
      return at + ": \"factors\" must list from 1 to " + std::to_string(kMostCombinationParts) +
             " {\"case\": n, \"factor\": f}";
    for (const Json& f : *factors) {
      const auto part = f.is_object() && f.contains(kCase) ? caseNumber(f[kCase]) : std::nullopt;
      const bool numeric = f.is_object() && f.contains(kFactor) && f[kFactor].is_number();
      const double factor = numeric ? f[kFactor].get<double>() : NAN;
      if (!part || !(std::fabs(factor) <= kLargestFactor))
        return at + ": every factor must be {\"case\": n, \"factor\": f} with f from -100 to 100";
      c.parts.push_back({*part, factor});
    }
    read.push_back(std::move(c));
  }
  into = std::move(read);
  return {};
}

}  // namespace plintova
