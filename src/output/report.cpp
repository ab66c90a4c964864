// The calculation report's document model and its Markdown text.
#include "output/report.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace plintova::report {

namespace {

// Characters that Markdown would read as emphasis, code or an escape.
std::string escapeText(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    if (ch == '\\' || ch == '*' || ch == '_' || ch == '`') out += '\\';
    out += ch;
  }
  return out;
}

std::string escapeCell(const std::string& s) {
  std::string out;
  for (char ch : escapeText(s)) {
    if (ch == '|') out += "\\|";
    else if (ch == '\n') out += ' ';
    else out += ch;
  }
  return out;
}

std::string tableText(const Table& t) {
  std::ostringstream out;
  const std::size_t columns = t.header.size();
  out << "|";
  for (const std::string& h : t.header) out << " " << escapeCell(h) << " |";
  out << "\n|";
  for (std::size_t k = 0; k < columns; ++k)
    out << (k < t.align.size() && t.align[k] == Align::Right ? "---:|" : "---|");
  out << "\n";
  for (const TableRow& row : t.rows) {
    out << "|";
    for (std::size_t k = 0; k < columns; ++k) {
      std::string cell = k < row.cells.size() ? escapeCell(row.cells[k]) : std::string();
      if (row.total && !cell.empty()) cell = "**" + cell + "**";
      out << " " << cell << " |";
    }
    out << "\n";
  }
  return out.str();
}

std::string formulaText(const Formula& f) {
  std::string line = "- " + escapeText(equationText(f));
  if (!f.clause.empty()) line += " — *" + escapeText(f.clause) + "*";
  if (f.ok) line += *f.ok ? " — **OK**" : " — **FAILS**";
  return line + "\n";
}

}  // namespace

std::string equationText(const Formula& f) {
  std::string t = f.lhs;
  for (const std::string* part : {&f.expression, &f.values, &f.result})
    if (!part->empty()) t += (t.empty() ? "" : " = ") + *part;
  if (!f.comparison.empty()) t += (t.empty() ? "" : " ") + f.comparison;
  return t;
}

Section& Document::addSection(int level, const std::string& title) {
  const bool appendix = sections.size() >= appendixFrom;
  int chapter = 0, part = 0;
  for (std::size_t k = appendix ? appendixFrom : 0; k < sections.size(); ++k) {
    if (sections[k].level == 1) {
      ++chapter;
      part = 0;
    } else {
      ++part;
    }
  }
  Section s;
  s.level = level == 1 ? 1 : 2;
  s.title = title;
  const auto name = [appendix](int n) {
    return appendix ? std::string(1, static_cast<char>('A' + std::clamp(n, 1, 26) - 1)) : std::to_string(n);
  };
  s.number = s.level == 1 ? name(chapter + 1) : name(std::max(chapter, 1)) + "." + std::to_string(part + 1);
  if (appendix && s.level == 1) {
    s.title = "Appendix " + s.number + ": " + title;
    s.number.clear();
  }
  sections.push_back(std::move(s));
  return sections.back();
}

std::string markdown(const Document& doc) {
  std::ostringstream out;
  out << "# " << escapeText(doc.title) << "\n\n";
  if (!doc.subtitle.empty()) out << escapeText(doc.subtitle) << "\n\n";
  if (!doc.cover.empty()) {
    Table cover;
    cover.header = {"", ""};
    for (const auto& [label, value] : doc.cover) cover.rows.push_back({{label, value}});
    out << tableText(cover) << "\n";
  }
  out << "## Contents\n\n";
  for (const Section& s : doc.sections)
    out << (s.level == 1 ? "" : "  ") << "- " << escapeText(s.heading()) << "\n";
  for (const Section& s : doc.sections) {
    out << "\n" << (s.level == 1 ? "## " : "### ") << escapeText(s.heading()) << "\n";
    bool inList = false;  // consecutive formulas form one list, without blank lines between their items
    for (const Block& block : s.blocks) {
      const auto* f = std::get_if<Formula>(&block);
      if (!(f && inList)) out << "\n";
      inList = f != nullptr;
      if (const auto* p = std::get_if<Paragraph>(&block)) {
        out << (p->bold ? "**" + escapeText(p->text) + "**" : escapeText(p->text)) << "\n";
      } else if (f) {
        out << formulaText(*f);
      } else if (const auto* t = std::get_if<Table>(&block)) {
        out << tableText(*t);
      } else if (const auto* v = std::get_if<Verdict>(&block)) {
        out << "**Result: " << escapeText(v->text) << "**\n";
      } else if (const auto* fig = std::get_if<Figure>(&block)) {
        out << "*Figure: " << escapeText(fig->caption) << "*\n\n" << tableText(fig->values);
      }
    }
  }
  return out.str();
}

std::string writeMarkdown(const Document& doc, const std::string& path,
                          const std::vector<ProtectedFile>& protectedFiles) {
  const std::string text = markdown(doc);
  const std::string reason = writeFileSafely(path, text, protectedFiles);
  if (!reason.empty()) return "The report " + path + " could not be written: " + reason + ".";
  return {};
}

}  // namespace plintova::report
