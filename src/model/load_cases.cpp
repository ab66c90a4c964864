// The load cases of the listing and the names of wind and earthquake in their titles and load types.
#include "model/load_cases.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>

namespace plintova {

namespace {

bool isSeparator(char c) {
  return c == ' ' || c == '\t' || c == '+' || c == '-' || c == '(' || c == ')' || c == ',' || c == '_';
}

std::string upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

// WL, EQ or EL alone, or followed by one of X, Y, Z, or by digits only.
bool isShortName(const std::string& w) {
  if (w.size() < 2) return false;
  const std::string head = w.substr(0, 2);
  if (head != "WL" && head != "EQ" && head != "EL") return false;
  const std::string tail = w.substr(2);
  if (tail.empty()) return true;
  if (tail.size() == 1 && (tail == "X" || tail == "Y" || tail == "Z")) return true;
  return std::all_of(tail.begin(), tail.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::string reasonFor(const std::vector<LoadCaseDef>& cases, int n, std::set<int>& seen) {
  if (!seen.insert(n).second) return {};
  const LoadCaseDef* def = findLoadCase(cases, n);
  if (!def) return {};
  std::string word;
  if (namesWindOrEarthquake(def->title, &word)) return word + " in its title";
  if (namesWindOrEarthquake(def->type, &word)) return "load type " + def->type;
  for (const CaseFactor& part : def->parts)
    if (!reasonFor(cases, part.loadCase, seen).empty())
      return (def->combination ? "combination with case " : "repeats case ") + std::to_string(part.loadCase);
  return {};
}

// The words of a title, upper case, split as namesWindOrEarthquake splits them.
std::vector<std::string> upperWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isSeparator(text[i])) ++i;
    if (i > start) words.push_back(upper(text.substr(start, i - start)));
  }
  return words;
}

// "1.5 (DL + LL)", "1.2*DL", "0.9 DL..." is not: a load factor 1.2, 1.5 or 0.9 standing before "(" or "*".
bool titleHasLoadFactor(std::string_view t) {
  for (std::string_view f : {"1.2", "1.5", "0.9"})
    for (std::size_t at = t.find(f); at != std::string_view::npos; at = t.find(f, at + 1)) {
      if (at > 0 && (std::isdigit(static_cast<unsigned char>(t[at - 1])) || t[at - 1] == '.')) continue;
      std::size_t k = at + f.size();
      while (k < t.size() && t[k] == '0') ++k;  // "1.50 (" is 1.5
      while (k < t.size() && (t[k] == ' ' || t[k] == '\t')) ++k;
      if (k < t.size() && (t[k] == '(' || t[k] == '*')) return true;
    }
  return false;
}

std::optional<CaseRole> roleOfType(const std::string& type) {
  const std::string t = upper(type);
  if (t.empty() || t == "NONE") return std::nullopt;
  if (t == "DEAD") return CaseRole::Dead;
  if (t == "LIVE" || t.rfind("LIVE ", 0) == 0) return CaseRole::Imposed;
  if (t == "WIND") return CaseRole::Wind;
  if (t == "SEISMIC" || t == "SEISMIC-H" || t == "SEISMIC-V") return CaseRole::Earthquake;
  return CaseRole::Other;
}

CaseRole roleOfCombination(const std::vector<LoadCaseDef>& cases, const LoadCaseDef& def) {
  for (const CaseFactor& part : def.parts) {
    if (part.factor > 1.0) return CaseRole::Factored;
    const LoadCaseDef* of = findLoadCase(cases, part.loadCase);
    if (of && of->parts.empty() && roleOfType(of->type) == CaseRole::Dead && part.factor != 1.0) return CaseRole::Factored;
  }
  return CaseRole::Service;
}

constexpr std::string_view kRoleNames[] = {"dead", "imposed", "wind", "earthquake", "other", "service", "factored"};

}  // namespace

std::string_view roleName(CaseRole role) { return kRoleNames[static_cast<int>(role)]; }

std::optional<CaseRole> roleNamed(std::string_view name) {
  for (int k = 0; k < static_cast<int>(std::size(kRoleNames)); ++k)
    if (kRoleNames[k] == name) return static_cast<CaseRole>(k);
  return std::nullopt;
}

CaseRole suggestedRole(const std::vector<LoadCaseDef>& cases, int n) {
  const LoadCaseDef* def = findLoadCase(cases, n);
  if (!def) return CaseRole::Service;
  if (!def->parts.empty()) return roleOfCombination(cases, *def);
  if (const auto byType = roleOfType(def->type)) return *byType;
  const std::vector<std::string> words = upperWords(def->title);
  auto has = [&words](std::string_view w) { return std::find(words.begin(), words.end(), w) != words.end(); };
  if (has("ULS") || has("FACTORED") || titleHasLoadFactor(def->title)) return CaseRole::Factored;
  return CaseRole::Service;  // SLS, SERVICE, or nothing that tells
}

bool namesWindOrEarthquake(std::string_view text, std::string* word) {
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isSeparator(text[i])) ++i;
    if (i == start) continue;
    const std::string w = upper(text.substr(start, i - start));
    if (w == "WIND" || w == "SEISMIC" || w == "EARTHQUAKE" || isShortName(w)) {
      if (word) *word = std::string(text.substr(start, i - start));
      return true;
    }
  }
  return false;
}

const LoadCaseDef* findLoadCase(const std::vector<LoadCaseDef>& cases, int n) {
  for (const LoadCaseDef& def : cases)
    if (def.number == n) return &def;
  return nullptr;
}

bool titlesKnown(const std::vector<LoadCaseDef>& cases) {
  return std::any_of(cases.begin(), cases.end(),
                     [](const LoadCaseDef& d) { return !d.title.empty() || !d.type.empty(); });
}

std::string windOrEarthquakeReason(const std::vector<LoadCaseDef>& cases, int n) {
  std::set<int> seen;
  return reasonFor(cases, n, seen);
}

std::vector<int> windOrEarthquakeCases(const std::vector<LoadCaseDef>& cases, const std::vector<int>& candidates) {
  std::vector<int> found;
  for (int n : candidates)
    if (!windOrEarthquakeReason(cases, n).empty()) found.push_back(n);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace plintova
