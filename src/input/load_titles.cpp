// What the listing says of the load cases and the grades, in the words the start-up dialog shows.
#include "input/load_titles.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "input/listing_text.h"
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

// The start of the next line at or after `from` that holds a word the case reading acts on, or npos:
// LOAD (of a case, a combination, or REPEAT LOAD) and, until the analysis is known to be nonlinear,
// DELTA and NONLINEAR. One pass over the text finds them: a listing of a large building has hundreds
// of thousands of output lines and a few hundred echoed commands.
std::size_t nextWordLine(std::string_view text, std::size_t from, bool nonlinearKnown) {
  if (from >= text.size()) return std::string_view::npos;
  const char* at = text.data() + from;
  const std::size_t size = text.size() - from;
  const char* hit = nonlinearKnown ? listing::findBytes(at, size, "LOAD")
                                   : listing::findAnyBytes(at, size, {"LOAD", "DELTA", "NONLINEAR"});
  if (!hit) return std::string_view::npos;
  const std::size_t newline = text.rfind('\n', static_cast<std::size_t>(hit - text.data()));
  return newline == std::string_view::npos ? 0 : newline + 1;
}

// The line starting at `from` and the start of the next one.
std::string_view lineAt(std::string_view text, std::size_t from, std::size_t& next) {
  std::size_t end = text.find('\n', from);
  if (end == std::string_view::npos) end = text.size();
  next = end + 1;
  return text.substr(from, end - from);
}

// Reads one echoed command; returns the case whose number lines follow it (a combination, or a case
// after its REPEAT LOAD), or nullptr.
LoadCaseDef* readCommand(Project& p, std::string_view command) {
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
    if (!startsWithWord(rest, "LOAD")) return nullptr;
    LoadCaseDef* collecting = &p.LoadCases.back();
    if (isNumberLine(trim(rest.substr(4)))) addPairs(collecting->parts, trim(rest.substr(4)));
    return collecting;
  }
  if (!startsWithWord(command, "LOAD")) return nullptr;
  std::optional<LoadCaseDef> def = definitionOf(command);
  if (!def || findLoadCase(p.LoadCases, def->number)) return nullptr;
  p.LoadCases.push_back(std::move(*def));
  return p.LoadCases.back().combination ? &p.LoadCases.back() : nullptr;
}

}  // namespace

void readLoadCases(Project& p, std::string_view text) {
  p.LoadCases.clear();
  p.NonlinearAnalysis.clear();
  std::size_t from = 0;
  while ((from = nextWordLine(text, from, !p.NonlinearAnalysis.empty())) != std::string_view::npos) {
    std::size_t next = 0;
    const std::string_view command = echoedCommand(lineAt(text, from, next));
    from = next;
    LoadCaseDef* collecting = command.empty() ? nullptr : readCommand(p, command);
    // A case's number lines follow it, page headers and output lines between them aside; the first
    // other echoed command ends them and is read as any other line (from the search for words on).
    while (collecting && from < text.size()) {
      const std::string_view pairs = echoedCommand(lineAt(text, from, next));
      if (!pairs.empty() && !isNumberLine(pairs)) break;
      if (!pairs.empty()) addPairs(collecting->parts, pairs);
      from = next;
    }
  }
}

std::string gradesCaption(const Project& p) {
  if (p.Fck <= 0 && p.Fe <= 0) return "No concrete design grades in the listing";
  const std::string given = p.GradesGiven ? " (given)" : "";
  return "Fck " + numberText(p.Fck) + given + "     Fe " + numberText(p.Fe) + given + " N/mm2";
}

}  // namespace plintova
