// The typical sections of the schedule rows: each row's elevation (and a combined footing's plan) from
// its designed bars and pedestals, set as a block of the sheet.
#include "print/sheet_sections.h"

#include <algorithm>
#include <cmath>

#include "design/combined_design.h"
#include "design/pedestals.h"
#include "design/quantities.h"
#include "model/numbers.h"
#include "print/section_parts.h"
#include "print/section_plan.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::Primitive;
using section::Dots;
using section::Elevation;
using section::PedestalAt;
using section::Run;

namespace {

constexpr double kTitleRoom = 7;     // paper mm of a view's title
constexpr double kLeftRoom = 17;     // paper mm left of the drawing: the depths' dimensions
constexpr double kTagRoom = 10;      // paper mm right of the drawing: the tags
constexpr double kBelowRoom = 10;    // paper mm under the drawing: the length's dimension
constexpr double kViewHeight = 95;   // paper mm a drawing may take
constexpr double kLegendText = 10;   // points
constexpr double kViewGap = 4;       // paper mm under a view

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

std::vector<std::string> wrapLegend(const std::vector<std::string>& lines, double width, const draw::TextMeasure& m) {
  std::vector<std::string> out;
  for (const std::string& l : lines)
    for (std::string& w : wrapText(l, width, kLegendText, false, m)) out.push_back(std::move(w));
  return out;
}

double lineHeight() { return kLegendText * kMmPerPoint * kFontLineHeight; }

// "FOOTING 1800 x 1800 x 400 DEEP, PEDESTAL 550 x 530 (X x Z)": the row's sizes in mm as the schedule gives
// them, under the view's title (over two lines where the view is too narrow for one).
std::string sizesLine(double L, double B, double D, const PedestalSides& pedestal) {
  auto mm = [](double metres) { return numberText(std::round(metres * 1000)); };
  return "FOOTING " + mm(L) + " x " + mm(B) + " x " + mm(D) + " DEEP, PEDESTAL " + mm(pedestal.x) + " x " +
         mm(pedestal.z) + " (X x Z)";
}

// A view of an elevation: title and the row's sizes, drawing at the largest scale that fits, and its legend.
SectionView elevationView(const Elevation& e, const DesignOptions& o, const std::string& title, const std::string& sizes,
                          std::vector<std::string> legend, double width, const draw::TextMeasure& m) {
  const draw::Rect ext = section::elevationExtent(e, o);
  SectionView v;
  v.row = e.row;
  v.scale = sectionScale(ext.right - ext.left, ext.bottom - ext.top, width - kLeftRoom - kTagRoom, kViewHeight);
  v.title = title + "  1:" + std::to_string(v.scale);
  v.sizes = sizes;
  const std::vector<std::string> sizeLines = wrapLegend({sizes}, width, m);
  const double head = kTitleRoom + static_cast<double>(sizeLines.size()) * lineHeight();
  const double drawW = (ext.right - ext.left) / v.scale;
  const double drawH = std::max((ext.bottom - ext.top) / v.scale, section::tagColumnHeight(section::elevationTagCount(e)));
  const std::vector<std::string> lines = wrapLegend(legend, width, m);
  v.width = width;
  v.height = head + drawH + kBelowRoom + static_cast<double>(lines.size()) * lineHeight() + kViewGap;
  v.draw = [e, o, v, lines, sizeLines, ext, drawW, drawH, head](double x, double z, std::vector<Primitive>& out) {
    out.push_back(sheetText(x, z + kTitleRoom / 2, v.title, kLegendText, draw::Role::Section, true, draw::HAlign::Left));
    double sz = z + kTitleRoom / 2;
    for (const std::string& l : sizeLines)
      out.push_back(sheetText(x, sz += lineHeight(), l, kLegendText, draw::Role::Section, false, draw::HAlign::Left));
    SectionPen pen(x + kLeftRoom - ext.left / v.scale, z + head - ext.top / v.scale, v.scale, out);
    section::drawElevation(pen, e, o, x + kLeftRoom + drawW + kTagRoom / 2, z + head + drawH);
    double lz = z + head + drawH + kBelowRoom + lineHeight() / 2;
    for (const std::string& l : lines) {
      out.push_back(sheetText(x, lz, l, kLegendText, draw::Role::Section, false, draw::HAlign::Left));
      lz += lineHeight();
    }
  };
  return v;
}

std::string count(int n) { return " (" + std::to_string(n) + (n == 1 ? " NO)" : " NOS)"); }

// The bed and covers, the last line of every legend.
std::string bedLine(const DesignOptions& o) {
  return "PCC M10 " + numberText(o.leanThickness) + " thick, " + numberText(o.leanProjection) +
         " beyond the footing; cover " + numberText(o.cover) + " to footing bars, " + numberText(o.pedestalCover) +
         " to pedestal ties; levels in mm below GL.";
}

// The pedestal of `footing` as built, its centre x model mm along the view.
PedestalAt pedestalAt(const Project& p, int footing, const section::RowMarks& marks, const PedestalSteel& ps, double x) {
  return {x, footingPedestal(p, footing), ps, marks.tag(ps.where, "vertical bars"), marks.tag(ps.where, "ties"),
          marks.tag(ps.where, "dowels")};
}

std::vector<SectionView> groupViews(const Project& p, const SizeGroupRecord& row, const BarBendingSchedule& bbs,
                                    double width, const draw::TextMeasure& m) {
  const DesignOptions& o = p.decisions.options;
  section::RowMarks marks{&bbs, "F" + std::to_string(row.GroupMark)};
  Elevation e;
  e.row = marks.row;
  e.length = row.GroupSize * 1000.0;
  e.D = roundTo(row.TotalDepth * 1000.0, 0);
  e.F = roundTo(p.FoundingDepth * 1000.0, 0);
  const double lo = -e.length / 2 + o.cover, hi = e.length / 2 - o.cover;
  if (row.design.barsKnown && row.design.n > 0) {
    const std::string tag = marks.tag("footing", "bottom each way");
    e.bottomRun = Run{row.BarDia, row.design.s, row.design.bent, tag};
    e.bottomDots.push_back({row.BarDia, section::spread(row.design.n, row.design.s, lo, hi), ""});  // one mark both ways
  }
  for (const SteelLayer& l : row.topSteel) {
    const std::string tag = marks.tag("footing", l.where);
    e.topRun = Run{l.dia, l.spacing, l.bent, tag};
    e.topDots.push_back({l.dia, section::spread(l.bars, l.spacing, lo, hi), tag});
  }
  if (row.pedestal.sides.known()) e.pedestals.push_back(pedestalAt(p, row.Members[1], marks, row.pedestal, 0));
  SteelLayer each;
  each.where = "bottom each way";
  each.spacing = row.design.s;
  std::vector<SteelLayer> layers{each};
  layers.insert(layers.end(), row.topSteel.begin(), row.topSteel.end());
  std::vector<std::string> legend = marks.legend(layers);
  legend.push_back(bedLine(o));
  return {elevationView(e, o, e.row + ": TYPICAL SECTION" + count(row.MemberCount),
                       sizesLine(row.GroupSize, row.GroupSize, row.TotalDepth, row.Pedestal), legend, width, m)};
}

// The bars across a rectangular row's section along L: the layers along B, a central band as wide as B
// in the middle and the outer strips at the ends.
Dots acrossDots(const SteelLayer& l, double L, double cover, const std::string& tag) {
  Dots d{l.dia, {}, tag};
  const double w = l.width * 1000.0;
  if (contains(l.where, "outer strips")) {
    const int left = l.bars / 2;
    auto a = section::spread(left, l.spacing, -L / 2 + cover, -L / 2 + w / 2);
    auto b = section::spread(l.bars - left, l.spacing, L / 2 - w / 2, L / 2 - cover);
    d.x = a;
    d.x.insert(d.x.end(), b.begin(), b.end());
  } else {
    const double half = std::min(w, L - 2 * cover) / 2;
    d.x = section::spread(l.bars, l.spacing, -half, half);
  }
  return d;
}

// A rectangular or combined row seen along L: its bars along L as runs, those along B as dots.
Elevation footingElevation(const Project& p, const FootingRow& row, const section::RowMarks& marks) {
  const DesignOptions& o = p.decisions.options;
  Elevation e;
  e.row = row.mark();
  e.length = row.L * 1000.0;
  e.D = roundTo(row.TotalDepth * 1000.0, 0);
  e.F = roundTo(p.FoundingDepth * 1000.0, 0);
  double runD = 0, dotD = 0;
  for (const SteelLayer& l : row.steel) {
    const bool top = l.where.rfind("top", 0) == 0, alongB = contains(l.where, "along B");
    const std::string tag = marks.tag("footing", l.where);
    if (!alongB) {
      Run r{l.dia, l.spacing, l.bent, tag};
      if (top) {
        if (!e.topRun) e.topRun = r;
      } else if (!e.bottomRun) {
        e.bottomRun = r;
        runD = l.d;
      }
      continue;
    }
    Dots d = acrossDots(l, e.length, o.cover, tag);
    if (row.kind == FootingRow::Kind::Combined) d = combinedDots(p, row, l, o.cover, tag);
    (top ? e.topDots : e.bottomDots).push_back(std::move(d));
    if (!top) dotD = std::max<double>(dotD, l.d);
  }
  e.dotsBelowRun = dotD > runD;
  return e;
}

std::vector<SectionView> footingRowViews(const Project& p, const FootingRow& row, const BarBendingSchedule& bbs,
                                         double width, const draw::TextMeasure& m) {
  const DesignOptions& o = p.decisions.options;
  section::RowMarks marks{&bbs, row.mark()};
  Elevation e = footingElevation(p, row, marks);
  const bool combined = row.kind == FootingRow::Kind::Combined;
  e.alongX = !combined || combinedAlongX(p, row);
  for (std::size_t k = 0; k < row.pedestals.size() && k < row.footings.size(); ++k) {
    double x = 0;
    if (combined) {
      x = row.beam.x.empty() ? 0 : row.beam.columns[k] * 1000.0 - e.length / 2;
    } else {
      const FootingRecord& f = p.FootingTable[row.footings[k]];
      x = static_cast<double>(f.ColumnX) - static_cast<double>(f.PosX);  // the column off the footing's centre
    }
    e.pedestals.push_back(pedestalAt(p, row.footings[k], marks, row.pedestals[k], x));
  }
  std::vector<std::string> legend = marks.legend(row.steel);
  legend.push_back(bedLine(o));
  const std::string sizes = sizesLine(row.L, row.B, row.TotalDepth, row.Pedestal);
  if (!combined) return {elevationView(e, o, e.row + ": SECTION ALONG L" + count(1), sizes, legend, width, m)};
  std::vector<SectionView> views{elevationView(e, o, e.row + ": LONGITUDINAL SECTION" + count(1), sizes, legend, width, m)};
  views.push_back(combinedPlanView(p, row, marks, width, m));
  return views;
}

}  // namespace

PedestalInView pedestalInView(const PedestalSides& sides, bool viewAlongX) {
  const double x = sides.x * 1000.0, z = sides.z * 1000.0;
  return viewAlongX ? PedestalInView{x, z} : PedestalInView{z, x};
}

int sectionScale(double width, double height, double roomWidth, double roomHeight) {
  for (int s : kSectionScales)
    if (width / s <= roomWidth && height / s <= roomHeight) return s;
  return kSectionScales.back();
}

std::vector<SectionView> sectionViews(const Project& p, double width, const draw::TextMeasure& m) {
  std::vector<SectionView> views;
  if (!p.scheduleDesigned) return views;
  const BarBendingSchedule bbs = barBendingSchedule(p);
  auto add = [&views](std::vector<SectionView> more) {
    for (SectionView& v : more) views.push_back(std::move(v));
  };
  for (int r = 1; r <= std::min<int>(p.DesignGroupCount, cap::kSizeGroups); ++r)
    if (p.DesignGroupTable[r].MemberCount > 0) add(groupViews(p, p.DesignGroupTable[r], bbs, width, m));
  for (const FootingRow& row : p.RectangularRows) add(footingRowViews(p, row, bbs, width, m));
  for (const FootingRow& row : p.CombinedRows) add(footingRowViews(p, row, bbs, width, m));
  return views;
}

SheetBlock sectionsBlock(const Project& p, double width, const draw::TextMeasure& m) {
  SheetBlock b;
  b.title = kSectionsTitle;
  b.width = width;
  b.head = kTitleRoom + 2;
  b.ownSheets = true;
  const std::vector<SectionView> views = sectionViews(p, width, m);
  for (const SectionView& v : views) b.rows.push_back(v.height);
  b.draw = [views](std::size_t first, std::size_t last, double x, double z, bool continued, std::vector<Primitive>& out) {
    out.push_back(sheetText(x, z + kTitleRoom / 2, continued ? "TYPICAL SECTIONS (CONTINUED)" : "TYPICAL SECTIONS", 12,
                            draw::Role::Section, true, draw::HAlign::Left));
    double top = z + kTitleRoom + 2;
    for (std::size_t k = first; k < last && k < views.size(); ++k) {
      views[k].draw(x, top, out);
      top += views[k].height;
    }
  };
  return b;
}

}  // namespace plintova::print
