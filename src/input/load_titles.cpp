// What the listing says of the load cases and the grades, in the words the start-up dialog shows.
#include "input/load_titles.h"

#include <cctype>

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

}  // namespace

void readLoadTitles(Project& p, std::string_view text) {
  p.LoadTitles.clear();
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view command = echoedCommand(text.substr(from, end - from));
    from = end + 1;
    if (!startsWithWord(command, "LOAD")) continue;
    command = trim(command.substr(4));
    // "LOAD COMB 5 ..." and "LOAD COMBINATION 5 ..." name a combination case.
    for (std::string_view comb : {std::string_view("COMBINATION"), std::string_view("COMB")})
      if (startsWithWord(command, comb)) {
        command = trim(command.substr(comb.size()));
        break;
      }
    std::size_t i = 0;
    while (i < command.size() && std::isdigit(static_cast<unsigned char>(command[i]))) ++i;
    if (i == 0 || (i < command.size() && !isBlankChar(command[i]))) continue;
    const auto number = toInt32(numericValue(command.substr(0, i)));
    if (!number || *number <= 0) continue;
    std::string_view rest = trim(command.substr(i));
    if (const std::size_t title = rest.find("TITLE"); title != std::string_view::npos) {
      rest = trim(rest.substr(title + 5));
    } else if (startsWithWord(rest, "LOADTYPE")) {
      rest = {};  // a type and no title
    }
    if (rest.size() > kLongestTitle) rest = trim(rest.substr(0, kLongestTitle));
    p.LoadTitles.emplace(*number, std::string(rest));
  }
}

std::string gradesCaption(const Project& p) {
  if (p.Fck <= 0 && p.Fe <= 0) return "No concrete design grades in the listing";
  const std::string given = p.GradesGiven ? " (given)" : "";
  return "Fck " + numberText(p.Fck) + given + "     Fe " + numberText(p.Fe) + given + " N/mm2";
}

}  // namespace plintova
