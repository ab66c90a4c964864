// Contents of the pressure-check workbook, built as rows and cells exactly as the export lays them out.
#include "design/workbook.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <unordered_map>
#include <utility>
#include <vector>

#include "design/bar_bending.h"
#include "design/pedestal_design.h"
#include "design/quantities.h"
#include "design/schedule.h"
#include "design/soil_pressure.h"
#include "model/numbers.h"

namespace plintova {

Cell Cell::numberCell(double v) {
  Cell cell;
  cell.text = numberText(v);
  if (!std::isfinite(v)) {
    cell.kind = Text;
    return cell;
  }
  cell.kind = Number;
  // The value the shown text reads as, so a single's 2.3459999561 is stored as the 2.346 it shows
  // (read back without the locale's number reading: the text is always the program's own).
  std::from_chars(cell.text.data(), cell.text.data() + cell.text.size(), cell.number);
  return cell;
}

Cell Cell::textCell(std::string t, Style style) {
  Cell cell;
  cell.kind = Text;
  cell.text = std::move(t);
  cell.style = style;
  return cell;
}

Cell& Sheet::at(int row, int column) {
  if (row < 1) row = 1;
  if (column < 1) column = 1;
  if (rows.size() < static_cast<size_t>(row)) rows.resize(static_cast<size_t>(row));
  auto& line = rows[static_cast<size_t>(row - 1)];
  if (line.size() < static_cast<size_t>(column)) line.resize(static_cast<size_t>(column));
  return line[static_cast<size_t>(column - 1)];
}

namespace {

// Rows of tab-separated cells collected for one paste; each carriage return starts a new row.
class PasteText {
 public:
  // The row being written grows in one reused buffer and is kept at its exact size once complete: the
  // capacity listing's 18,000 pressure rows grown cell by cell cost its workbook more in allocations and
  // fresh pages than writing the file.
  void carriageReturn() {
    lines_.emplace_back(std::make_move_iterator(line_.begin()), std::make_move_iterator(line_.end()));
    line_.clear();
  }
  void add(Cell c) { line_.push_back(std::move(c)); }
  void number(double v) { add(Cell::numberCell(v)); }
  void text(std::string t) { add(Cell::textCell(std::move(t))); }
  void empty() { add(Cell{}); }
  // Styles every cell of the row being written.
  void styleLine(Cell::Style style) {
    for (Cell& c : line_) c.style = style;
  }

  // Pastes the rows with their first cell at (row, column); a final line break adds no row.
  void pasteInto(Sheet& sheet, int row, int column) && {
    carriageReturn();  // the row being written is the last
    if (row == 1 && column == 1 && sheet.rows.empty()) {
      // The paste is the whole sheet: its rows move in at once, not through a second table of rows.
      if (lines_.back().empty()) lines_.pop_back();
      for (auto& line : lines_) line.resize(std::max<size_t>(usedCells(line), 1));
      sheet.rows = std::move(lines_);
      return;
    }
    for (size_t i = 0; i < lines_.size(); ++i) {
      auto& line = lines_[i];
      if (i + 1 == lines_.size() && line.empty()) break;
      const size_t used = usedCells(line);
      const int r = row + static_cast<int>(i);
      if (used == 0) {
        sheet.at(r, 1);  // the row exists, empty
        continue;
      }
      if (column == 1 && sheet.rows.size() < static_cast<size_t>(r)) {
        // A row of its own: its cells moved in whole, not one by one.
        sheet.rows.resize(static_cast<size_t>(r));
        line.resize(used);
        sheet.rows.back() = std::move(line);
        continue;
      }
      for (size_t k = 0; k < used; ++k) sheet.at(r, column + static_cast<int>(k)) = std::move(line[k]);
    }
  }

 private:
  // The cells of a line but its trailing empty fields.
  static size_t usedCells(const std::vector<Cell>& line) {
    size_t used = line.size();
    while (used > 0 && line[used - 1].kind == Cell::Empty) --used;
    return used;
  }
  std::vector<std::vector<Cell>> lines_;  // the complete rows
  std::vector<Cell> line_;                // the row being written
};

bool isFooting(const Project& p, int s) { return s >= 1 && s <= p.FootingCount; }

// Headings in `row` from column 1 on, over cells that the sheet leaves empty.
void writeHeadings(Sheet& sheet, int row, const std::vector<std::string>& headings) {
  for (std::size_t k = 0; k < headings.size(); ++k)
    if (!headings[k].empty()) sheet.at(row, static_cast<int>(k) + 1) = Cell::textCell(headings[k], Cell::Heading);
}

// A value with its label in the cell to its left.
void labelled(Sheet& sheet, int row, int column, const std::string& label, Cell value) {
  sheet.at(row, column - 1) = Cell::textCell(label, Cell::Label);
  sheet.at(row, column) = std::move(value);
}

double reaction(const Project& p, int s, int c, int k) { return p.ReactionTable(s, c, k); }

// The first cells of a footing's row: joint, load case and the reactions the soil takes (as read for a
// service case; a factored case used for sizing divided by its largest factor).
void appendReactions(const Project& p, PasteText& out, int s, const CaseUse& u) {
  out.number(p.FootingTable[s].JointNo);
  out.number(u.loadCase);
  for (int k = 2; k <= 4; ++k)
    out.number(u.factor == 1.0 ? reaction(p, s, u.position, k) : static_cast<float>(u.factor * reaction(p, s, u.position, k)));
}

void appendGroupedFootingLines(const Project& p, PasteText& out, int s) {
  const FootingRecord& f = p.FootingTable[s];
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    out.carriageReturn();
    appendReactions(p, out, s, u);
    const PressureCheck check = groupedPressure(p, s, u);
    out.text("F" + std::to_string(f.GroupRank));
    out.number(f.SizeL);
    out.number(check.pmin);
    out.number(check.pmax);
    out.number(p.allowable(s, c));
    if (check.uplift) out.text("UPLIFT");
    if (check.fails) {
      out.text("FAIL");
      out.styleLine(Cell::Fail);
    }
  }
  out.carriageReturn();
}

void appendResizedFootingLines(const Project& p, PasteText& out, int s) {
  const FootingRecord& f = p.FootingTable[s];
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    out.carriageReturn();
    appendReactions(p, out, s, u);
    const PressureCheck check = resizedPressure(p, s, u);
    out.text("R" + std::to_string(f.GroupRank));
    out.number(f.SizeL);
    out.number(f.SizeB);
    out.number(check.pmin);
    out.number(check.pmax);
    out.number(p.allowable(s, c));
    if (check.uplift) out.text("UPLIFT");
    if (check.fails) out.text("FAIL");
    // Uplift: the footing relies on the soil above it.
    if (check.pmin < 0) out.text(" < " + numberText(p.EarthPressure));
    if (check.fails) out.styleLine(Cell::Fail);
  }
  out.carriageReturn();
}

Sheet groupedFootingsSheet(const Project& p) {
  PasteText out;
  // The footings that show each mark on the plan, in table order: one pass over the footings.
  std::unordered_map<int, std::vector<int>> footingsOfMark;
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.Kind == FootingKind::Isolated) footingsOfMark[f.GroupRank].push_back(s);
  }
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    std::vector<std::pair<float, int>> footings;  // key, footing index, in table order
    if (const auto of = footingsOfMark.find(p.DesignGroupTable[r].GroupMark); of != footingsOfMark.end())
      for (int s : of->second) footings.emplace_back(groupedFootingSortKey(p, s, p.FootingTable[s].SizeL), s);
    // Ascending key; equal keys keep table order.
    std::stable_sort(footings.begin(), footings.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (const auto& [key, s] : footings) appendGroupedFootingLines(p, out, s);
  }
  Sheet sheet;
  sheet.name = "Pressures - groups";
  std::move(out).pasteInto(sheet, 1, 1);
  writeHeadings(sheet, 1, {"Joint", "Load case", "FY kN", "MX kN·m", "MZ kN·m", "Mark", "Size m",
                           "pmin kN/m²", "pmax kN/m²", "Allowable kN/m²"});
  sheet.frozenRows = 1;
  return sheet;
}

Sheet resizedFootingsSheet(const Project& p) {
  PasteText out;
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].Kind == FootingKind::HandResized) appendResizedFootingLines(p, out, s);
  Sheet sheet;
  sheet.name = "Pressures - resized";
  std::move(out).pasteInto(sheet, 1, 1);
  writeHeadings(sheet, 1, {"Joint", "Load case", "FY kN", "MX kN·m", "MZ kN·m", "Mark", "L m", "B m",
                           "pmin kN/m²", "pmax kN/m²", "Allowable kN/m²"});
  sheet.frozenRows = 1;
  return sheet;
}

// The loads of both members side by side from row 5, the moments in the order of the combining axis
// (along X the moment about Z comes first), then the single cells of the sheet's calculation.
Sheet combinedFootingSheet(const Project& p, int n) {
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  const int a = cf.CfMembers[1], b = cf.CfMembers[2];
  const int first = cf.CfAxis == 1 ? 4 : 3, second = cf.CfAxis == 1 ? 3 : 4;
  // The soil cases of both members, paired by number; a member without a case leaves its cells empty.
  const std::vector<PairCaseUse> pairs =
      isFooting(p, a) && isFooting(p, b) ? soilCases(p, a, b) : std::vector<PairCaseUse>{};
  auto scaled = [&p](int s, const PairCaseUse& u, int m, int k) {
    const float v = reaction(p, s, u.position[m], k);
    return u.factor == 1.0 ? v : static_cast<float>(u.factor * v);
  };
  PasteText out;
  for (const PairCaseUse& u : pairs) {
    out.number(u.loadCase);
    if (u.position[0] >= 0) {
      out.number(scaled(a, u, 0, 2));
      out.number(scaled(a, u, 0, first));
      out.number(scaled(a, u, 0, second));
    } else {
      for (int k = 0; k < 3; ++k) out.empty();
    }
    out.empty();
    if (u.position[1] >= 0) {
      out.number(scaled(b, u, 1, 2));
      out.number(scaled(b, u, 1, first));
      out.number(scaled(b, u, 1, second));
    }
    out.carriageReturn();
  }
  Sheet sheet;
  sheet.name = "C" + std::to_string(n);
  std::move(out).pasteInto(sheet, 5, 1);
  const std::string ja = isFooting(p, a) ? numberText(p.FootingTable[a].JointNo) : "a";
  const std::string jb = isFooting(p, b) ? numberText(p.FootingTable[b].JointNo) : "b";
  const std::string m1 = cf.CfAxis == 1 ? "MZ" : "MX", m2 = cf.CfAxis == 1 ? "MX" : "MZ";
  writeHeadings(sheet, 4, {"Load case", "FY " + ja + " kN", m1 + " " + ja + " kN\u00b7m", m2 + " " + ja + " kN\u00b7m", "",
                           "FY " + jb + " kN", m1 + " " + jb + " kN\u00b7m", m2 + " " + jb + " kN\u00b7m"});
  labelled(sheet, 3, 4, "Joint", Cell::numberCell(isFooting(p, a) ? p.FootingTable[a].JointNo : 0));
  labelled(sheet, 3, 9, "Joint", Cell::numberCell(isFooting(p, b) ? p.FootingTable[b].JointNo : 0));
  labelled(sheet, 2, 8, "SBC kN/m\u00b2", Cell::numberCell(p.CaseSbc[0]));
  // The loads fill rows 5 to 5 + cases - 1 in columns 1 to 8: from 19 cases on they reach row 23, and
  // the single values move beside them rather than over member b's moments.
  const int cases = static_cast<int>(pairs.size());
  const int column = cases >= kCombinedCasesThatReachRow23 ? 11 : 8;
  labelled(sheet, 23, column, "Distance m", Cell::numberCell(roundTo(cf.CfDistance / 1000.0, 2)));
  labelled(sheet, 30, column, "Length m", Cell::numberCell(roundTo(cf.CfLength, 2)));
  labelled(sheet, 31, column, "Width m", Cell::numberCell(roundTo(cf.CfWidth, 2)));
  sheet.frozenRows = 4;
  return sheet;
}

// A schedule text as its cell: a number where the text is one, else the text.
Cell scheduleCell(const std::string& text) {
  if (text.empty()) return Cell{};
  if (isNumeric(text)) return Cell::numberCell(numericValue(text));
  return Cell::textCell(text);
}

// The layers of a footing row whose bars run along one side ("along L" or "along B").
std::string layersAlong(const FootingRow& row, const std::string& along) {
  std::string text;
  for (const SteelLayer& layer : row.steel)
    if (layer.where.find(along) != std::string::npos)
      text += (text.empty() ? "" : "; ") + layer.where + " " + barsText(layer) + " (" + std::to_string(layer.bars) + " bars)";
  return text;
}

// Each pedestal of a footing row with its bars, ties and dowels.
std::string pedestalsText(const FootingRow& row) {
  std::string text;
  for (const PedestalSteel& ps : row.pedestals) text += (text.empty() ? "" : "; ") + pedestalText(ps);
  return text;
}

void styleRow(Sheet& sheet, int row, Cell::Style style) {
  for (Cell& c : sheet.rows[static_cast<size_t>(row - 1)])
    if (c.kind != Cell::Empty) c.style = style;
}

// The schedule as the schedule window shows it: the group rows' 20 columns and their checks, then the
// rows of hand-resized and combined footings under a heading of their own.
Sheet scheduleSheet(const Project& p) {
  Sheet sheet;
  sheet.name = "Schedule";
  // The schedule's columns with its pedestal as two numbers, the side along X and the side along Z, so
  // that a rectangular pedestal reads as numbers like a square one.
  std::vector<std::string> headings;
  for (int k = 0; k < kScheduleColumns; ++k) {
    if (k != kColPedestal) headings.push_back(scheduleHeaders()[static_cast<size_t>(k)]);
    else headings.insert(headings.end(), {"Peda X", "Peda Z"});
  }
  headings.push_back("Pedestal and dowels");
  headings.push_back("Checks");
  writeHeadings(sheet, 1, headings);
  sheet.frozenRows = 1;
  int line = 1;
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    ++line;
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    const auto texts = scheduleRowTexts(p, r);
    std::vector<Cell> cells{Cell::textCell(texts[kColMark])};
    for (int k = 1; k < kScheduleColumns; ++k) {
      if (k != kColPedestal) cells.push_back(scheduleCell(texts[static_cast<size_t>(k)]));
      else cells.insert(cells.end(), {Cell::numberCell(row.Pedestal.x), Cell::numberCell(row.Pedestal.z)});
    }
    cells.push_back(row.pedestal.sides.known() ? Cell::textCell(pedestalText(row.pedestal)) : Cell{});
    const std::string checks = checksSummary(row.checks);
    cells.push_back(Cell::textCell(checks));
    for (size_t k = 0; k < cells.size(); ++k)
      if (cells[k].kind != Cell::Empty) sheet.at(line, static_cast<int>(k) + 1) = cells[k];
    if (checks != "OK") styleRow(sheet, line, Cell::Fail);
  }
  if (p.RectangularRows.empty() && p.CombinedRows.empty()) return sheet;
  line += 2;
  writeHeadings(sheet, line, {"Mark", "Joints", "L m", "B m", "Depth m", "Pedestal X m", "Pedestal Z m",
                              "NetP kN/m\u00b2", "Dia mm", "Steel along L", "Steel along B", "Pedestal and dowels",
                              "Checks"});
  for (const auto* rows : {&p.RectangularRows, &p.CombinedRows})
    for (const FootingRow& row : *rows) {
      ++line;
      const auto texts = footingRowTexts(p, row);
      const std::vector<Cell> cells = {
          Cell::textCell(texts[kColMark]),     Cell::textCell(texts[kColNos]),
          Cell::numberCell(row.L),             Cell::numberCell(row.B),
          scheduleCell(texts[kColDepth]),      Cell::numberCell(row.Pedestal.x),
          Cell::numberCell(row.Pedestal.z),    scheduleCell(texts[kColNetP]),
          scheduleCell(texts[kColDia]),        Cell::textCell(layersAlong(row, "along L")),
          Cell::textCell(layersAlong(row, "along B")), Cell::textCell(pedestalsText(row)),
          Cell::textCell(texts[kColSF1])};
      for (size_t k = 0; k < cells.size(); ++k)
        if (cells[k].kind != Cell::Empty && !(cells[k].kind == Cell::Text && cells[k].text.empty()))
          sheet.at(line, static_cast<int>(k) + 1) = cells[k];
      if (row.flagged()) styleRow(sheet, line, Cell::Fail);
    }
  return sheet;
}

// Quantities per schedule row and in total, rounded as the report gives them.
Sheet quantitiesSheet(const Project& p) {
  Sheet sheet;
  sheet.name = "Quantities";
  writeHeadings(sheet, 1, {"Row", "Footings", "Footing concrete m\u00b3", "Pedestal concrete m\u00b3",
                           "Lean concrete m\u00b3", "Reinforcement kg", "Excavation m\u00b3", "Formwork m\u00b2"});
  sheet.frozenRows = 1;
  const Quantities q = scheduleQuantities(p);
  int line = 1;
  auto write = [&](const RowQuantities& r, Cell::Style style) {
    ++line;
    const std::vector<Cell> cells = {
        Cell::textCell(r.mark, style), Cell::numberCell(r.footings), Cell::numberCell(roundTo(r.footingConcrete, 3)),
        Cell::numberCell(roundTo(r.pedestalConcrete, 3)), Cell::numberCell(roundTo(r.leanConcrete, 3)),
        r.steelKnown ? Cell::numberCell(roundTo(r.steel, 1)) : Cell::textCell("unknown"),
        Cell::numberCell(roundTo(r.excavation, 3)), Cell::numberCell(roundTo(r.formwork, 2))};
    for (size_t k = 0; k < cells.size(); ++k) sheet.at(line, static_cast<int>(k) + 1) = cells[k];
    styleRow(sheet, line, style);
  };
  for (const RowQuantities& r : q.rows) write(r, Cell::Plain);
  write(q.total, Cell::Total);
  return sheet;
}

// Columns as wide as their longest text (characters, a little over), within reason: a long heading
// or checks text wraps rather than widening its column past 40 characters.
void fitColumns(Sheet& sheet) {
  sheet.columnWidths.clear();
  for (const auto& row : sheet.rows)
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (row[c].kind == Cell::Empty) continue;
      // Characters of UTF-8 text: continuation bytes do not count.
      const double chars = static_cast<double>(std::count_if(row[c].text.begin(), row[c].text.end(),
                                                             [](char ch) { return (ch & 0xC0) != 0x80; }));
      if (sheet.columnWidths.size() <= c) sheet.columnWidths.resize(c + 1, 0);
      sheet.columnWidths[c] = std::max(sheet.columnWidths[c], chars);
    }
  for (double& w : sheet.columnWidths) w = std::clamp(w + 2, 8.0, 40.0);
}

PressureCheck checkAgainst(const Project& p, int s, int c, EdgePressures e) {
  PressureCheck check;
  check.pmax = roundToSingle(e.max, 2);
  check.pmin = roundToSingle(e.min, 2);
  // A lifted footing presses on no soil: its case is marked UPLIFT and left to the uplift check of its row.
  check.uplift = e.uplift;
  check.fails = !e.uplift && (e.unbalanced || check.pmax > p.allowable(s, c) || check.pmin < -p.EarthPressure);
  return check;
}

}  // namespace

PressureCheck groupedPressure(const Project& p, int s, const CaseUse& u) {
  const double S = p.FootingTable[s].SizeL;
  return checkAgainst(p, s, u.position, edgePressures(p, s, u, S, S));
}

PressureCheck resizedPressure(const Project& p, int s, const CaseUse& u) {
  const FootingRecord& f = p.FootingTable[s];
  return checkAgainst(p, s, u.position, edgePressures(p, s, u, f.SizeL, f.SizeB));
}

PressureCheck groupedPressure(const Project& p, int s, int c) {
  return groupedPressure(p, s, CaseUse{c, static_cast<int>(p.ReactionTable(s, c, 1)), 1.0});
}

PressureCheck resizedPressure(const Project& p, int s, int c) {
  return resizedPressure(p, s, CaseUse{c, static_cast<int>(p.ReactionTable(s, c, 1)), 1.0});
}

float groupedFootingSortKey(const Project& p, int s, float S) {
  const double side = S;
  float key = 0;
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    const double moment = u.factor * std::max(std::fabs(reaction(p, s, c, 3)), std::fabs(reaction(p, s, c, 4)));
    const float v = static_cast<float>(kSoilCheckLoadFactor * u.factor * reaction(p, s, c, 2) / (side * side) + 6 * moment / (side * side * side));
    if (key < v) key = v;
  }
  return key;
}

std::vector<Sheet> buildWorkbook(const Project& p) {
  std::vector<Sheet> book;
  book.push_back(groupedFootingsSheet(p));
  book.push_back(resizedFootingsSheet(p));
  for (int n = 1; n <= p.CombinedCount; ++n) book.push_back(combinedFootingSheet(p, n));
  book.push_back(scheduleSheet(p));
  book.push_back(quantitiesSheet(p));
  book.push_back(barBendingSheet(p));
  for (Sheet& sheet : book) fitColumns(sheet);
  return book;
}

}  // namespace plintova
