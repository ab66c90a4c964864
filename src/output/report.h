// The calculation report as a document: sections of paragraphs, formulas, tables and verdicts, and its
// Markdown text. The PDF is painted from the same document by the Qt renderer (render/report_qt.h).
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "files/safe_file.h"

namespace plintova::report {

// Running text; a bold paragraph is a step's caption ("Bending").
struct Paragraph {
  std::string text;
  bool bold = false;
};

// One design step as an equation with its basis:
//   <lhs> = <expression> = <values> = <result> <comparison>   [clause]   OK / FAILS
// Every part but lhs may be empty. `ok` is empty for a step that is no check ("c = (B - a) / 2").
struct Formula {
  std::string lhs;         // "Mu"
  std::string expression;  // "1.5 q B c² / 2"
  std::string values;      // "1.5 × 151 × 2 × 0.78² / 2"
  std::string result;      // "137.8 kN·m"
  std::string comparison;  // "≤ Mu,lim = 0.138 fck b d² = 345.2 kN·m"
  std::string clause;      // "IS 456 cl. 34.2.3.2"
  std::optional<bool> ok;
};

// The equation of a formula as one line of text, without clause and verdict.
std::string equationText(const Formula& f);

enum class Align { Left, Right };

struct TableRow {
  std::vector<std::string> cells;
  bool flagged = false;  // a failed check: shown highlighted
  bool total = false;    // a sum: shown bold
};

struct Table {
  std::vector<std::string> header;
  std::vector<Align> align;  // per column; missing columns are left-aligned
  std::vector<TableRow> rows;
};

// The outcome of a schedule row: "OK", or what failed.
struct Verdict {
  bool ok = true;
  std::string text;
};

// A figure of diagrams along one axis, stacked over each other: each panel a quantity with one or more
// curves (an envelope's upper and lower lines), the positions marked on the axis (the columns) drawn
// through every panel. The figure also holds the values of its stations that a reader checks by.
struct Curve {
  std::vector<double> values;  // one per station of the figure
};

struct Panel {
  std::string title;  // "Shear force kN (envelope)"
  std::vector<Curve> curves;
};

struct Figure {
  std::string caption;            // "C1: soil pressure, shear force and bending moment along the length"
  std::string axis;               // "x, m from the first end"
  std::vector<double> stations;   // positions along the axis
  std::vector<std::pair<double, std::string>> marks;  // positions named on the axis ("joint 20")
  std::vector<Panel> panels;
  Table values;                   // the values at the stations that matter, as a table
};

using Block = std::variant<Paragraph, Formula, Table, Verdict, Figure>;

// A numbered section ("4.2"): level 1 starts a chapter (a new page in the PDF), level 2 lies within one.
struct Section {
  int level = 1;
  std::string number;
  std::string title;
  std::vector<Block> blocks;

  std::string heading() const { return number.empty() ? title : number + " " + title; }
};

struct Document {
  std::string title;
  std::string subtitle;
  // The running header of every page: the project on the left, the listing on the right.
  std::string headerLeft, headerRight;
  // The cover's fields, label and value, in order.
  std::vector<std::pair<std::string, std::string>> cover;
  std::vector<Section> sections;

  // Adds a section numbered after the ones before it (level 1: "1", "2", ...; level 2: "3.1", ...);
  // after startAppendices, lettered ("A", "B", ...; "A.1", ...).
  Section& addSection(int level, const std::string& title);
  void startAppendices() { appendixFrom = sections.size(); }
  // Sections from this one on are appendices (the body ends before it).
  std::size_t appendixFrom = static_cast<std::size_t>(-1);
};

// The document as Markdown: the title and cover, a list of contents, then every section with its
// paragraphs, formulas (one list item each, clause in italics and verdict in bold), pipe tables and
// verdicts. Table cells have their pipes escaped, texts their emphasis characters.
std::string markdown(const Document& doc);

// Writes the Markdown of the document through the safe file writer, never over `protectedFiles`.
// Returns "" on success, else the message to show.
std::string writeMarkdown(const Document& doc, const std::string& path,
                          const std::vector<ProtectedFile>& protectedFiles = {});

}  // namespace plintova::report
