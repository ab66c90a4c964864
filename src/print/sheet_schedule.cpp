// The footing schedule as the drawing sheet shows it: cells from the designed rows, measured and drawn.
#include "print/sheet_schedule.h"

#include <algorithm>
#include <cmath>

#include "design/plan_checks.h"
#include "design/schedule.h"
#include "model/numbers.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::Primitive;
using draw::Role;

namespace {

constexpr double kPadX = 1.2, kPadZ = 0.8;  // inside every cell, mm

// A length in metres as whole millimetres.
std::string mm(double metres) { return numberText(std::round(metres * 1000)); }

std::string bars(int dia, int spacing) {
  return std::to_string(dia) + " \u00d8 @ " + std::to_string(spacing) + " c/c";
}

// The layers of a row whose place starts with `prefix`, one per line, with what follows the prefix
// ("under joint 21", "elsewhere") on a line of its own.
std::string layersOf(const FootingRow& row, const std::string& prefix) {
  std::string cell;
  for (const SteelLayer& l : row.steel) {
    if (l.where.rfind(prefix, 0) != 0) continue;
    std::string rest = l.where.substr(prefix.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == ',')) rest.erase(rest.begin());
    if (!cell.empty()) cell += "\n";
    cell += bars(l.dia, l.spacing);
    if (!rest.empty()) cell += "\n" + rest;
  }
  return cell;
}

double lineHeight(double points) { return points * kMmPerPoint * kFontLineHeight; }

double cellWidth(const std::string& s, double points, bool bold, const draw::TextMeasure& measure) {
  Primitive p = draw::text(0, 0, s);
  p.fontSize = points;
  p.bold = bold;
  return measure ? measure(p).width : 0;
}

std::size_t lineCount(const std::string& s) { return draw::textLines(s).size(); }

// A REMARKS column, while any row fails a check: each failing row names its failed checks, one a line,
// so that a drawing issued as preliminary says what holds it back.
void addRemarks(const Project& p, SheetSchedule& s) {
  std::vector<std::string> remarks;
  bool failing = false;
  for (std::size_t k = 0; k < s.rows.size(); ++k) {
    std::string cell;
    for (const std::string& name : failedCheckNames(p, static_cast<int>(k) + 1)) cell += (cell.empty() ? "" : "\n") + name;
    failing = failing || !cell.empty();
    remarks.push_back(cell.empty() ? "-" : cell);
  }
  if (!failing) return;
  s.headers.push_back("REMARKS");
  for (std::size_t k = 0; k < s.rows.size(); ++k) s.rows[k].push_back(remarks[k]);
}

}  // namespace

SheetSchedule sheetSchedule(const Project& p) {
  SheetSchedule s;
  s.headers = {"MARK", "NO.", "SIZE\nL x B", "DEPTH", "PEDESTAL\nX x Z", "BOTTOM STEEL\nALONG L", "BOTTOM STEEL\nALONG B",
               "TOP STEEL", "JOINTS"};
  if (!p.scheduleDesigned) {
    s.message = "No schedule designed yet: run Design to fill this table.";
    return s;
  }
  if (p.scheduleStale) {
    s.message = "The plan changed after the schedule was designed: run Design again.";
    return s;
  }
  for (int r = 1; r <= std::min<int>(p.DesignGroupCount, cap::kSizeGroups); ++r) {
    const SizeGroupRecord& g = p.DesignGroupTable[r];
    std::vector<std::string> row(kSheetScheduleColumns);
    row[kSchMark] = scheduleRowTexts(p, r)[kColMark];
    row[kSchCount] = std::to_string(g.MemberCount);
    row[kSchSize] = mm(g.GroupSize) + " x " + mm(g.GroupSize);
    row[kSchDepth] = mm(g.TotalDepth);
    row[kSchPedestal] = mm(g.Pedestal.x) + " x " + mm(g.Pedestal.z);
    row[kSchBottomL] = row[kSchBottomB] = g.design.barsKnown ? bars(g.BarDia, g.design.s) : "-";
    row[kSchTop] = "-";
    row[kSchJoints] = "-";
    s.rows.push_back(std::move(row));
  }
  for (const std::vector<FootingRow>* rows : {&p.RectangularRows, &p.CombinedRows}) {
    for (const FootingRow& fr : *rows) {
      std::vector<std::string> row(kSheetScheduleColumns);
      const auto texts = footingRowTexts(p, fr);
      row[kSchMark] = fr.mark();
      row[kSchCount] = "1";
      row[kSchSize] = mm(fr.L) + " x " + mm(fr.B);
      row[kSchDepth] = mm(fr.TotalDepth);
      row[kSchPedestal] = mm(fr.Pedestal.x) + " x " + mm(fr.Pedestal.z);
      row[kSchBottomL] = layersOf(fr, "bottom along L");
      row[kSchBottomB] = layersOf(fr, "bottom along B");
      row[kSchTop] = layersOf(fr, "top");
      for (int c : {kSchBottomL, kSchBottomB, kSchTop})
        if (row[c].empty()) row[c] = "-";
      row[kSchJoints] = texts[kColNos];
      s.rows.push_back(std::move(row));
    }
  }
  if (s.rows.empty()) s.message = "No footing to schedule.";
  addRemarks(p, s);
  return s;
}

TableSize measureSchedule(const SheetSchedule& s, const draw::TextMeasure& measure) {
  TableSize t;
  t.columns.assign(s.headers.size(), 0);
  std::size_t headerLines = 1;
  for (std::size_t c = 0; c < s.headers.size(); ++c) {
    t.columns[c] = cellWidth(s.headers[c], kScheduleHeaderText, true, measure);
    headerLines = std::max(headerLines, lineCount(s.headers[c]));
  }
  t.header = static_cast<double>(headerLines) * lineHeight(kScheduleHeaderText) + 2 * kPadZ;
  for (const auto& row : s.rows) {
    std::size_t lines = 1;
    for (std::size_t c = 0; c < row.size() && c < t.columns.size(); ++c) {
      t.columns[c] = std::max(t.columns[c], cellWidth(row[c], kScheduleText, c == kSchMark, measure));
      lines = std::max(lines, lineCount(row[c]));
    }
    t.rows.push_back(static_cast<double>(lines) * lineHeight(kScheduleText) + 2 * kPadZ);
  }
  for (double& w : t.columns) w += 2 * kPadX;
  for (double w : t.columns) t.width += w;
  if (!s.message.empty()) {
    t.message = lineHeight(kScheduleText) + 2 * kPadZ;
    const double needed = cellWidth(s.message, kScheduleText, false, measure) + 2 * kPadX;
    if (needed > t.width && !t.columns.empty()) {
      t.columns.back() += needed - t.width;
      t.width = needed;
    }
  }
  return t;
}

double drawSchedule(const SheetSchedule& s, const TableSize& size, std::size_t first, std::size_t last, double x,
                    double z, const std::string& title, std::vector<Primitive>& out) {
  auto line = [&](double x1, double z1, double x2, double z2, double width) {
    Primitive p = draw::line(x1, z1, x2, z2, Role::Schedule);
    p.width = width;
    out.push_back(p);
  };
  out.push_back(sheetText(x, z + kScheduleTitleHeight / 2, title, kScheduleTitleText, Role::Schedule, true,
                          draw::HAlign::Left));
  const double top = z + kScheduleTitleHeight;
  last = std::min(last, size.rows.size());
  first = std::min(first, last);
  const bool message = !s.message.empty() && first == 0;
  double bottom = top + size.header + (message ? size.message : 0);
  for (std::size_t r = first; r < last; ++r) bottom += size.rows[r];

  // Header.
  double cx = x;
  for (std::size_t c = 0; c < size.columns.size(); ++c) {
    out.push_back(sheetText(cx + size.columns[c] / 2, top + size.header / 2, s.headers[c], kScheduleHeaderText,
                            Role::Schedule, true));
    cx += size.columns[c];
  }
  // Rows.
  double rz = top + size.header;
  line(x, rz, x + size.width, rz, 3);
  if (message) {
    out.push_back(sheetText(x + kPadX, rz + size.message / 2, s.message, kScheduleText, Role::Schedule, false,
                            draw::HAlign::Left));
    rz += size.message;
  }
  for (std::size_t r = first; r < last; ++r) {
    if (r > first || message) line(x, rz, x + size.width, rz, 1);
    cx = x;
    for (std::size_t c = 0; c < size.columns.size() && c < s.rows[r].size(); ++c) {
      out.push_back(sheetText(cx + size.columns[c] / 2, rz + size.rows[r] / 2, s.rows[r][c], kScheduleText,
                              Role::Schedule, c == kSchMark));
      cx += size.columns[c];
    }
    rz += size.rows[r];
  }
  // Column rules (through the header; not through a message row, which spans the table) and the frame.
  cx = x;
  for (std::size_t c = 0; c + 1 < size.columns.size(); ++c) {
    cx += size.columns[c];
    line(cx, top, cx, top + size.header, 1);
    const double rowsTop = top + size.header + (message ? size.message : 0);
    if (last > first) line(cx, rowsTop, cx, bottom, 1);
  }
  Primitive frame = draw::box(x, top, x + size.width, bottom, Role::Schedule);
  frame.width = 3;
  out.push_back(frame);
  return bottom - z;
}

SheetBlock scheduleBlock(const SheetSchedule& schedule, const draw::TextMeasure& measure) {
  SheetBlock b;
  b.title = "FOOTING SCHEDULE";
  const TableSize size = measureSchedule(schedule, measure);
  b.width = size.width;
  b.head = kScheduleTitleHeight + size.header + size.message;
  b.rows = size.rows;
  b.draw = [schedule, size](std::size_t first, std::size_t last, double x, double z, bool continued,
                            std::vector<Primitive>& out) {
    drawSchedule(schedule, size, first, last, x, z, continued ? "FOOTING SCHEDULE (CONTINUED)" : "FOOTING SCHEDULE", out);
  };
  return b;
}

}  // namespace plintova::print
