// The load cases of the listing and the names of wind and earthquake in their titles and load types.
#include "model/load_cases.h"

#include <algorithm>
#include <cctype>
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

}  // namespace

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
