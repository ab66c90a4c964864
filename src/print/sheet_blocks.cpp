// The blocks of the drawing sheet around the plan: notes, title block, caption, scale bar, north arrow.
#include "print/sheet_blocks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "footing/design_inputs.h"
#include "model/numbers.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::HAlign;
using draw::Primitive;
using draw::Rect;
using draw::Role;

namespace {

constexpr double kNoteText = kSmallestText;
constexpr double kNoteHeading = 12;
constexpr double kNoteHeadingHeight = 8;
constexpr double kNoteIndent = 6;
constexpr double kNoteGap = 1;

constexpr double kLabelText = kSmallestText;
constexpr double kCellPad = 1.2;

double lineHeight(double points) { return points * kMmPerPoint * kFontLineHeight; }

Primitive ruled(Primitive p, Role role, double width) {
  p.role = role;
  p.width = width;
  return p;
}

double textWidth(const std::string& s, double points, bool bold, const draw::TextMeasure& measure) {
  Primitive p = draw::text(0, 0, s);
  p.fontSize = points;
  p.bold = bold;
  return measure ? measure(p).width : 0;
}

// One cell of the title block: its label small in the top-left corner, its value under it, as large as
// `points` allows within the cell.
void cell(const Rect& r, const std::string& label, const std::string& value, double points, bool bold,
          const draw::TextMeasure& measure, std::vector<Primitive>& out) {
  const double labelHeight = lineHeight(kLabelText);
  out.push_back(sheetText(r.left + kCellPad, r.top + 0.5 + labelHeight / 2, label, kLabelText, Role::TitleBlock, false,
                          HAlign::Left));
  if (value.empty()) return;
  const double room = r.right - r.left - 2 * kCellPad;
  const double w = textWidth(value, points, bold, measure);
  if (w > room) points = std::max(kSmallestText, points * room / w);
  const std::string shown = fitText(value, room, points, bold, measure);
  const double valueTop = r.top + 0.5 + labelHeight;
  out.push_back(sheetText(r.left + kCellPad, (valueTop + r.bottom) / 2, shown, points, Role::TitleBlock, bold,
                          HAlign::Left));
}

// Text of the chosen load cases.
std::string casesText(const std::vector<int>& cases) { return cases.empty() ? "none" : caseListText(cases); }

}  // namespace

std::vector<std::string> generalNotes(const Project& p) {
  std::vector<std::string> notes;
  notes.push_back("All dimensions are in mm and levels in m, unless noted otherwise.");
  const double depth = roundTo(p.FoundingDepth, 2);
  notes.push_back("Safe bearing capacity of the soil " + numberText(p.CaseSbc[0]) +
                  " kN/m\u00b2 at the founding depth of " + numberText(depth) + " m below ground level.");
  notes.push_back("Concrete M" + numberText(p.Fck) + ", reinforcement Fe " + numberText(p.Fe) + ".");
  notes.push_back("Clear cover to the reinforcement 50 mm.");
  const std::vector<int> used = p.UsedCases.empty() ? listingLoadCases(p) : p.UsedCases;
  const std::vector<int> increased = increasedCasesInForce(p);
  notes.push_back("Load cases used: " + std::string(p.UsedCases.empty() ? "all, " : "") + casesText(used) +
                  "; checked against " + numberText(p.decisions.options.sbcIncrease) + " \u00d7 SBC: " +
                  casesText(increased) + ".");
  notes.push_back("F: square footings of one size; R: rectangular footings; C: combined footings. L is the length "
                  "along X (along the line of the columns for C), B the width across it.");
  notes.push_back("12 \u00d8 @ 150 c/c: bars of 12 mm diameter at 150 mm centres.");
  std::string disabled;
  const int n = std::clamp<int>(p.FootingCount, 0, cap::kFootings);
  int count = 0;
  for (int i = 1; i <= n; ++i)
    if (p.FootingTable[i].Kind == FootingKind::Disabled) {
      disabled += (disabled.empty() ? "" : ", ") + numberText(p.FootingTable[i].JointNo);
      ++count;
    }
  if (count > 0) notes.push_back(std::string("No footing is shown under joint") + (count > 1 ? "s " : " ") + disabled + ".");
  return notes;
}

double SheetBlock::height(std::size_t first, std::size_t last) const {
  double h = head;
  for (std::size_t r = first; r < last && r < rows.size(); ++r) h += rows[r];
  return h;
}

SheetBlock notesBlock(const std::vector<std::string>& notes, double width, const draw::TextMeasure& measure) {
  SheetBlock b;
  b.title = "NOTES";
  b.width = width;
  b.head = kNoteHeadingHeight;
  const double lh = lineHeight(kNoteText);
  std::vector<std::vector<std::string>> lines;
  for (const std::string& n : notes) {
    lines.push_back(wrapText(n, width - kNoteIndent, kNoteText, false, measure));
    b.rows.push_back(static_cast<double>(lines.back().size()) * lh + kNoteGap);
  }
  b.draw = [lines, lh](std::size_t first, std::size_t last, double x, double z, bool continued,
                       std::vector<Primitive>& out) {
    out.push_back(sheetText(x, z + kNoteHeadingHeight / 2, continued ? "NOTES (CONTINUED)" : "NOTES", kNoteHeading,
                            Role::Notes, true, HAlign::Left));
    double top = z + kNoteHeadingHeight;
    for (std::size_t k = first; k < last && k < lines.size(); ++k) {
      out.push_back(sheetText(x, top + lh / 2, std::to_string(k + 1) + ".", kNoteText, Role::Notes, false, HAlign::Left));
      for (std::size_t i = 0; i < lines[k].size(); ++i)
        out.push_back(sheetText(x + kNoteIndent, top + lh * (static_cast<double>(i) + 0.5), lines[k][i], kNoteText,
                                Role::Notes, false, HAlign::Left));
      top += static_cast<double>(lines[k].size()) * lh + kNoteGap;
    }
  };
  return b;
}

namespace {

// A row of cells across the title block, each `share` of its width.
struct TitleCell {
  const char* label;
  const std::string* value;
  double share;
};

void cellRow(const Rect& a, double top, double height, const std::vector<TitleCell>& cells, double points, bool bold,
             const draw::TextMeasure& measure, std::vector<Primitive>& out) {
  const double w = a.right - a.left;
  double x = a.left;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const double right = k + 1 == cells.size() ? a.right : x + cells[k].share * w;
    if (k > 0) out.push_back(ruled(draw::line(x, top, x, top + height), Role::TitleBlock, 2));
    cell({x, top, right, top + height}, cells[k].label, *cells[k].value, points, bold, measure, out);
    x = right;
  }
  out.push_back(ruled(draw::line(a.left, top + height, a.right, top + height), Role::TitleBlock, 2));
}

// The revision table: a heading row and the latest revisions, the last one the revision shown.
double revisionTable(const Rect& a, double top, const TitleFields& f, const draw::TextMeasure& measure,
                     std::vector<Primitive>& out) {
  const double row = lineHeight(kLabelText) + 0.6;
  const double w = a.right - a.left;
  const double columns[] = {a.left, a.left + 0.14 * w, a.left + 0.4 * w, a.right};
  std::vector<Revision> shown = f.revisions;
  if (shown.empty() && !f.revision.empty()) shown.push_back({f.revision, f.date, ""});
  if (shown.size() > kTitleRevisionRows) shown.erase(shown.begin(), shown.end() - kTitleRevisionRows);
  auto rowTexts = [&](double z, const std::string* texts, bool bold) {
    for (int k = 0; k < 3; ++k) {
      const double room = columns[k + 1] - columns[k] - 2 * kCellPad;
      out.push_back(sheetText(columns[k] + kCellPad, z + row / 2, fitText(texts[k], room, kLabelText, bold, measure),
                              kLabelText, Role::TitleBlock, bold, HAlign::Left));
    }
  };
  const std::string heading[] = {"REV.", "DATE", "DESCRIPTION"};
  rowTexts(top, heading, false);
  const double height = row * static_cast<double>(1 + kTitleRevisionRows);
  for (std::size_t k = 0; k < shown.size(); ++k) {
    const std::string texts[] = {shown[k].revision, shown[k].date, shown[k].description};
    rowTexts(top + row * static_cast<double>(k + 1), texts, k + 1 == shown.size());
  }
  out.push_back(ruled(draw::line(a.left, top + row, a.right, top + row), Role::TitleBlock, 1));
  for (int k = 1; k < 3; ++k) out.push_back(ruled(draw::line(columns[k], top, columns[k], top + height), Role::TitleBlock, 1));
  out.push_back(ruled(draw::line(a.left, top + height, a.right, top + height), Role::TitleBlock, 2));
  return height;
}

}  // namespace

void drawTitleBlock(const TitleFields& f, const Rect& a, const draw::TextMeasure& measure, std::vector<Primitive>& out) {
  constexpr double kRow = 10;
  const double height = titleBlockHeight(!f.stamp.empty());
  out.push_back(ruled(draw::box(a.left, a.top, a.right, a.top + height), Role::TitleBlock, 5));
  double top = a.top;
  if (!f.stamp.empty()) {
    const double room = a.right - a.left - 2 * kCellPad;
    out.push_back(sheetText((a.left + a.right) / 2, top + kTitleStampHeight / 2, fitText(f.stamp, room, 14, true, measure),
                            14, Role::TitleBlock, true));
    out.push_back(ruled(draw::line(a.left, top + kTitleStampHeight, a.right, top + kTitleStampHeight), Role::TitleBlock, 5));
    top += kTitleStampHeight;
  }
  cellRow(a, top, kRow, {{"FIRM", &f.firm, 0.55}, {"CLIENT", &f.client, 0.45}}, 11, true, measure, out);
  top += kRow;
  cellRow(a, top, kRow, {{"PROJECT", &f.project, 1}}, 11, true, measure, out);
  top += kRow;
  cellRow(a, top, kRow, {{"DRAWING TITLE", &f.title, 1}}, 11, true, measure, out);
  top += kRow;
  top += revisionTable(a, top, f, measure, out);
  cellRow(a, top, kRow,
          {{"DRAWING NO.", &f.number, 0.36}, {"REV.", &f.revision, 0.14}, {"SCALE", &f.scale, 0.25}, {"SHEET", &f.sheet, 0.25}},
          11, true, measure, out);
  top += kRow;
  cellRow(a, top, kRow,
          {{"DATE", &f.date, 0.2}, {"DRAWN", &f.drawnBy, 0.2}, {"DESIGNED", &f.designedBy, 0.2}, {"CHECKED", &f.checkedBy, 0.2},
           {"APPROVED", &f.approvedBy, 0.2}},
          kLabelText, false, measure, out);
  top += kRow;
  // The listing the design was made from, and the program that drew it.
  const double w = a.right - a.left;
  const std::string program = std::string("Plintova ") + PLINTOVA_VERSION;
  const double mid = (top + a.top + height) / 2;
  const double programWidth = textWidth(program, kLabelText, false, measure);
  out.push_back(sheetText(a.right - kCellPad, mid, program, kLabelText, Role::TitleBlock, false, HAlign::Right));
  const std::string listing = "LISTING  " + f.listing;
  out.push_back(sheetText(a.left + kCellPad, mid, fitText(listing, w - 4 * kCellPad - programWidth, kLabelText, false, measure),
                          kLabelText, Role::TitleBlock, false, HAlign::Left));
}

double scaleBarStep(int scale) {
  double best = 1, error = 1e300;
  for (double step : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0}) {
    const double length = 5 * step * 1000 / scale;
    if (std::fabs(length - 50) < error) error = std::fabs(length - 50), best = step;
  }
  return best;
}

namespace {

void scaleBar(double x, double z, int scale, const draw::TextMeasure& measure, std::vector<Primitive>& out) {
  const double step = scaleBarStep(scale), division = step * 1000 / scale;
  for (int k = 0; k < 5; ++k) {
    Primitive b = ruled(draw::box(x + k * division, z, x + (k + 1) * division, z + 2), Role::TitleBlock, 1.5);
    b.filled = true;
    b.fillColour = k % 2 == 0 ? draw::kBlack : draw::kWhite;
    out.push_back(b);
  }
  // Figures under the divisions; the unit follows the last figure, which stays centred on its division.
  const double figuresZ = z + 2 + 0.6 + lineHeight(kSmallestText) / 2;
  for (int k = 0; k <= 5; ++k) {
    const std::string figure = numberText(step * k);
    if (k < 5) {
      out.push_back(sheetText(x + k * division, figuresZ, figure, kSmallestText, Role::TitleBlock));
    } else {
      const double left = x + k * division - textWidth(figure, kSmallestText, false, measure) / 2;
      out.push_back(sheetText(left, figuresZ, figure + " m", kSmallestText, Role::TitleBlock, false, HAlign::Left));
    }
  }
}

void northArrow(double cx, double cz, double degrees, std::vector<Primitive>& out) {
  const double a = degrees * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
  auto at = [&](double u, double v) { return draw::Point{cx + u * c - v * s, cz - (u * s + v * c)}; };
  out.push_back(ruled(draw::circle(cx, cz, 5.5), Role::TitleBlock, 2));
  Primitive half = ruled(draw::polyline({at(0, 5), at(0, -2), at(-3, -4)}, true), Role::TitleBlock, 1);
  half.filled = true;
  half.fillColour = draw::kBlack;
  out.push_back(half);
  out.push_back(ruled(draw::polyline({at(0, 5), at(3, -4), at(0, -2), at(-3, -4)}, true), Role::TitleBlock, 2));
  const draw::Point n = at(0, 8.2);
  out.push_back(sheetText(n.x, n.z, "N", kSmallestText, Role::TitleBlock, true));
}

// The parts of a split plan in `box`, against its right edge, the current part shaded; returns the
// rectangle drawn.
Rect keyPlan(const Rect& box, const KeyPlan& key, std::vector<Primitive>& out) {
  const double ww = std::max(key.whole.right - key.whole.left, 1.0), wh = std::max(key.whole.bottom - key.whole.top, 1.0);
  const double k = std::min((box.right - box.left) / ww, (box.bottom - box.top) / wh);
  const double ox = box.right - ww * k, oz = box.top + (box.bottom - box.top - wh * k) / 2;
  for (std::size_t i = 0; i < key.parts.size(); ++i) {
    const Rect& r = key.parts[i];
    Primitive b = ruled(draw::box(ox + (r.left - key.whole.left) * k, oz + (r.top - key.whole.top) * k,
                                  ox + (r.right - key.whole.left) * k, oz + (r.bottom - key.whole.top) * k),
                        Role::TitleBlock, i == key.current ? 3 : 1);
    if (i == key.current) {
      b.filled = true;
      b.fillColour = {190, 190, 190};
    }
    out.push_back(b);
  }
  return {ox, oz, box.right, oz + wh * k};
}

}  // namespace

void drawCaption(const Rect& strip, const std::string& title, int scale, double northRotation, const KeyPlan* key,
                 const draw::TextMeasure& measure, std::vector<Primitive>& out) {
  const double x = strip.left + 2, z = strip.top;
  out.push_back(sheetText(x, z + 6, title, 14, Role::TitleBlock, true, HAlign::Left));
  const double titleWidth = textWidth(title, 14, true, measure);
  out.push_back(ruled(draw::line(x, z + 9.5, x + titleWidth, z + 9.5), Role::TitleBlock, 3));
  const std::string scaleText = "SCALE 1:" + std::to_string(scale);
  out.push_back(sheetText(x, z + 14, scaleText, 11, Role::TitleBlock, false, HAlign::Left));
  // The scale bar beside the scale, under the title.
  const double barLeft = x + textWidth(scaleText, 11, false, measure) + 8;
  scaleBar(barLeft, z + 12, scale, measure, out);

  const double arrowX = strip.right - 10;
  northArrow(arrowX, z + 11, northRotation, out);
  if (key) {
    // Right of the title and the scale bar, as wide as the room leaves it (at most 45 mm).
    const double barRight = barLeft + 5 * scaleBarStep(scale) * 1000 / scale + 6;
    const double label = textWidth("KEY PLAN", kSmallestText, false, measure);
    const double right = arrowX - 12;
    const double left = std::max({barRight + label + 3, x + titleWidth + label + 5, right - 45});
    if (right - left > 8) {
      const Rect drawn = keyPlan({left, z + 2, right, z + 20}, *key, out);
      out.push_back(sheetText(drawn.left - 2, z + 11, "KEY PLAN", kSmallestText, Role::TitleBlock, false, HAlign::Right));
    }
  }
}

}  // namespace plintova::print
