// What the listing says of the load cases and the grades, in the words the start-up dialog shows.
#include "input/load_titles.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "model/numbers.h"

namespace plintova {

namespace {

constexpr std::size_t kLongestTitle = 60;

bool isBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlankChar(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlankChar(s.back())) s.remove_suffix(1);
  return s;
}

// The command of an echoed input line ("   158. LOAD 1 ..." gives "LOAD 1 ..."); empty for other lines.
std::string_view echoedCommand(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && isBlankChar(line[i])) ++i;
  const std::size_t digits = i;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  if (i == digits || i >= line.size() || line[i] != '.') return {};
  return trim(line.substr(i + 1));
}

bool startsWithWord(std::string_view s, std::string_view word) {
  return s.substr(0, word.size()) == word && (s.size() == word.size() || isBlankChar(s[word.size()]));
}

// The blank-separated words of a command.
std::vector<std::string_view> wordsOf(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && isBlankChar(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !isBlankChar(s[i])) ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// An echoed line of case-factor pairs: numbers only, at least one.
bool isNumberLine(std::string_view command) {
  const auto words = wordsOf(command);
  return !words.empty() && std::all_of(words.begin(), words.end(), [](std::string_view w) { return isNumeric(w); });
}

void addPairs(std::vector<CaseFactor>& parts, std::string_view numbers) {
  const auto words = wordsOf(numbers);
  for (std::size_t k = 0; k + 1 < words.size(); k += 2) {
    const double n = numericValue(words[k]);
    const auto whole = toInt32(n);
    if (whole && *whole > 0 && static_cast<double>(*whole) == n) parts.push_back({*whole, numericValue(words[k + 1])});
  }
}

// "LOAD n ..." or "LOAD COMB n ...": the definition of case n (nothing for "LOAD LIST", "LOAD GENERATION").
std::optional<LoadCaseDef> definitionOf(std::string_view command) {
  command = trim(command.substr(4));
  LoadCaseDef def;
  for (std::string_view comb : {std::string_view("COMBINATION"), std::string_view("COMB")})
    if (startsWithWord(command, comb)) {
      command = trim(command.substr(comb.size()));
      def.combination = true;
      break;
    }
  std::size_t i = 0;
  while (i < command.size() && std::isdigit(static_cast<unsigned char>(command[i]))) ++i;
  if (i == 0 || (i < command.size() && !isBlankChar(command[i]))) return std::nullopt;
  const auto number = toInt32(numericValue(command.substr(0, i)));
  if (!number || *number <= 0) return std::nullopt;
  def.number = *number;
  std::string_view rest = trim(command.substr(i));
  const std::size_t title = rest.find("TITLE");
  if (startsWithWord(rest, "LOADTYPE")) {
    // The type runs from LOADTYPE to TITLE (or to the end): "SEISMIC", "LIVE REDUCIBLE".
    std::string_view type = rest.substr(8, title == std::string_view::npos ? std::string_view::npos : title - 8);
    type = trim(type);
    if (type.size() > kLongestTitle) type = trim(type.substr(0, kLongestTitle));
    def.type = std::string(type);
  }
  if (title != std::string_view::npos) rest = trim(rest.substr(title + 5));
  else if (startsWithWord(rest, "LOADTYPE")) rest = {};
  if (rest.size() > kLongestTitle) rest = trim(rest.substr(0, kLongestTitle));
  def.title = std::string(rest);
  return def;
}

}  // namespace

void readLoadCases(Project& p, std::string_view text) {
  p.LoadCases.clear();
  p.NonlinearAnalysis.clear();
  // The case whose pairs are being read: a combination, or a case after its REPEAT LOAD.
  LoadCaseDef* collecting = nullptr;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view command = echoedCommand(text.substr(from, end - from));
    from = end + 1;
    if (command.empty()) continue;  // page headers and output lines between echoed commands
    if (collecting && isNumberLine(command)) {
      addPairs(collecting->parts, command);
      continue;
    }
    collecting = nullptr;
    // "PDELTA ANALYSIS", "PERFORM PDELTA ANALYSIS", "NONLINEAR ANALYSIS": reactions that do not superpose.
    // Split into words only where such a word may stand: most echoed lines are joints and members.
    if (p.NonlinearAnalysis.empty() &&
        (command.find("DELTA") != std::string_view::npos || command.find("NONLINEAR") != std::string_view::npos))
      for (std::string_view word : wordsOf(command))
        if ((word == "PDELTA" || word == "P-DELTA" || word == "NONLINEAR") && p.NonlinearAnalysis.empty())
          p.NonlinearAnalysis = word == "NONLINEAR" ? "NONLINEAR" : "PDELTA";
    if (startsWithWord(command, "REPEAT") && !p.LoadCases.empty()) {
      // "REPEAT LOAD" belongs to the case just defined; its pairs may follow on the same line.
      const std::string_view rest = trim(command.substr(6));
      if (!startsWithWord(rest, "LOAD")) continue;
      collecting = &p.LoadCases.back();
      if (isNumberLine(trim(rest.substr(4)))) addPairs(collecting->parts, trim(rest.substr(4)));
      continue;
    }
    if (!startsWithWord(command, "LOAD")) continue;
    std::optional<LoadCaseDef> def = definitionOf(command);
    if (!def || findLoadCase(p.LoadCases, def->number)) continue;
    p.LoadCases.push_back(std::move(*def));
    if (p.LoadCases.back().combination) collecting = &p.LoadCases.back();
  }
}

std::string gradesCaption(const Project& p) {
  if (p.Fck <= 0 && p.Fe <= 0) return "No concrete design grades in the listing";
  const std::string given = p.GradesGiven ? " (given)" : "";
  return "Fck " + numberText(p.Fck) + given + "     Fe " + numberText(p.Fe) + given + " N/mm2";
}

}  // namespace plintova
