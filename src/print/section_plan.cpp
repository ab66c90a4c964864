// A combined footing's bands of bars across and its plan of top and bottom steel.
#include "print/section_plan.h"

#include <algorithm>
#include <cmath>

#include "design/combined_design.h"
#include "design/pedestals.h"
#include "model/numbers.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::LineStyle;
using draw::Primitive;

namespace {

constexpr double kTitleRoom = 7, kLeftRoom = 12, kTagRoom = 10, kAboveRoom = 12, kBelowRoom = 13;
constexpr double kPlanHeight = 70;  // paper mm the plan may take
constexpr double kText = 10;        // points
constexpr double kShortSpan = 9;    // paper mm: a dimension shorter than this may not hold its figure

// The column of the row whose joint the layer names ("... under joint 21"), or -1.
int columnOf(const Project& p, const FootingRow& row, const SteelLayer& l) {
  const auto at = l.where.find("under joint ");
  if (at == std::string::npos) return -1;
  const int joint = std::atoi(l.where.c_str() + at + 12);
  for (std::size_t k = 0; k < row.footings.size() && k < 2; ++k)
    if (p.FootingTable[row.footings[k]].JointNo == joint) return static_cast<int>(k);
  return -1;
}

CombinedBand bandOfRow(const Project& p, const FootingRow& row, int j) {
  double d = 0;
  for (const SteelLayer& l : row.steel)
    if (columnOf(p, row, l) == j) d = l.d;
  return combinedBand(row.L, combinedAlongX(p, row) ? row.Pedestal.x : row.Pedestal.z, row.beam.columns, j, d);
}

}  // namespace

std::vector<Stretch> combinedStretches(const Project& p, const FootingRow& row, const SteelLayer& l) {
  if (row.beam.x.empty()) return {};
  const int j = columnOf(p, row, l);
  if (j >= 0) {
    const CombinedBand b = bandOfRow(p, row, j);
    return {{b.lo, b.hi}};
  }
  const CombinedBand b0 = bandOfRow(p, row, 0), b1 = bandOfRow(p, row, 1);
  std::vector<Stretch> out;
  for (const Stretch s : {Stretch{0, b0.lo}, Stretch{b0.hi, b1.lo}, Stretch{b1.hi, row.L}})
    if (s.hi - s.lo > 0.001) out.push_back(s);
  return out;
}

bool combinedAlongX(const Project& p, const FootingRow& row) {
  return row.number >= 1 && row.number <= std::min<int>(p.CombinedCount, cap::kCombined) &&
         p.CombinedFootingTable[row.number].CfAxis == 1;
}

section::Dots combinedDots(const Project& p, const FootingRow& row, const SteelLayer& l, double cover,
                           const std::string& tag) {
  section::Dots d{l.dia, {}, tag};
  const double L = row.L * 1000.0;
  const std::vector<Stretch> stretches = combinedStretches(p, row, l);
  double total = 0;
  for (const Stretch& s : stretches) total += s.hi - s.lo;
  int left = l.bars;
  for (std::size_t k = 0; k < stretches.size(); ++k) {
    const Stretch& s = stretches[k];
    const int n = k + 1 == stretches.size() ? left
                                            : static_cast<int>(std::lround(l.bars * (s.hi - s.lo) / std::max(total, 1e-9)));
    const double lo = std::max(s.lo * 1000.0, cover) - L / 2, hi = std::min(s.hi * 1000.0, L - cover) - L / 2;
    const std::vector<double> x = section::spread(std::min(n, left), l.spacing, lo, hi);
    d.x.insert(d.x.end(), x.begin(), x.end());
    left -= std::min(n, left);
  }
  return d;
}

namespace {

// What the plan of a combined footing's steel shows, model mm from the footing's centre: bars, tags, the
// bands' limits and the pedestals.
struct SteelPlan {
  struct Bar {
    draw::Point a, b;
    LineStyle style;
  };
  struct Tag {
    std::string name;
    double x, z;
  };
  struct Pedestal {
    double x;  // centre along L
    PedestalInView sides;
  };
  double L = 0, B = 0;
  std::vector<Bar> bars;
  std::vector<Tag> tags, below;  // tags in the column on the right, and under the plan
  std::vector<double> stops;     // where the bands begin and end along L, m
  std::vector<Pedestal> pedestals;
};

SteelPlan steelPlanOf(const Project& p, const FootingRow& row, const section::RowMarks& marks) {
  const double L = row.L * 1000.0, B = row.B * 1000.0, cover = p.decisions.options.cover;
  SteelPlan plan;
  plan.L = L;
  plan.B = B;
  for (const SteelLayer& l : row.steel) {
    const bool top = l.where.rfind("top", 0) == 0, alongB = l.where.find("along B") != std::string::npos;
    const LineStyle style = top ? LineStyle::Dash : LineStyle::Solid;
    const std::string tag = marks.tag("footing", l.where);
    if (!alongB) {
      // Bottom bars in the lower half, top bars in the upper half.
      const double lo = top ? -B / 2 + cover : 0, hi = top ? 0 : B / 2 - cover;
      const int n = std::max(1, static_cast<int>((hi - lo) / std::max<int>(l.spacing, 1)));
      const std::vector<double> zs = section::spread(n, l.spacing, lo, hi);
      for (double zb : zs) plan.bars.push_back({{-L / 2 + cover, zb}, {L / 2 - cover, zb}, style});
      if (!zs.empty()) plan.tags.push_back({tag, L / 2 - cover - L * 0.05, zs.back()});
      continue;
    }
    for (double xb : combinedDots(p, row, l, cover, tag).x)
      plan.bars.push_back({{xb, -B / 2 + cover}, {xb, B / 2 - cover}, style});
    const std::vector<Stretch> st = combinedStretches(p, row, l);
    if (!st.empty()) plan.below.push_back({tag, (st.front().lo + st.front().hi) / 2 * 1000 - L / 2, B / 2 - cover});
  }
  std::vector<double>& stops = plan.stops;
  stops = {0, row.L};
  for (int j = 0; j < 2 && !row.beam.x.empty(); ++j) {
    const CombinedBand b = bandOfRow(p, row, j);
    stops.push_back(b.lo);
    stops.push_back(b.hi);
  }
  std::sort(stops.begin(), stops.end());
  stops.erase(std::unique(stops.begin(), stops.end(), [](double s1, double s2) { return std::fabs(s1 - s2) < 0.001; }),
              stops.end());
  for (std::size_t k = 0; k < row.pedestals.size() && k < 2 && !row.beam.x.empty(); ++k)
    plan.pedestals.push_back({row.beam.columns[k] * 1000 - L / 2,
                              pedestalInView(footingPedestal(p, row.footings[k]), combinedAlongX(p, row))});
  // The tags on the right in the order of the bars they name from the top, those under the plan from the
  // left, so that no two leaders cross.
  std::sort(plan.tags.begin(), plan.tags.end(), [](const SteelPlan::Tag& t1, const SteelPlan::Tag& t2) { return t1.z < t2.z; });
  std::sort(plan.below.begin(), plan.below.end(),
            [](const SteelPlan::Tag& t1, const SteelPlan::Tag& t2) { return t1.x < t2.x; });
  return plan;
}

// Draws the plan of steel drawn at 1:scale with its top left corner at (x, z) paper mm: the drawing, its
// tags and dimensions below the title, the notes under it.
void drawSteelPlan(const SteelPlan& plan, const std::string& title, int scale, const std::vector<std::string>& notes,
                   double x, double z, std::vector<Primitive>& out) {
  const double L = plan.L, B = plan.B, drawH = B / scale;
  const double lineH = kText * kMmPerPoint * kFontLineHeight;
  out.push_back(sheetText(x, z + kTitleRoom / 2, title, kText, draw::Role::Section, true, draw::HAlign::Left));
  SectionPen pen(x + kLeftRoom + L / 2 / scale, z + kTitleRoom + kAboveRoom + B / 2 / scale, scale, out);
  for (const SteelPlan::Bar& l : plan.bars) pen.bar({l.a, l.b}, l.style, 1.5);
  pen.outline(-L / 2, -B / 2, L / 2, B / 2);
  for (const SteelPlan::Pedestal& pd : plan.pedestals)
    pen.outline(pd.x - pd.sides.along / 2, -pd.sides.across / 2, pd.x + pd.sides.along / 2, pd.sides.across / 2);
  const double tagX = x + kLeftRoom + L / scale + kTagRoom / 2;
  double tagZ = pen.pz(-B / 2) + kTagRadius;
  for (const SteelPlan::Tag& t : plan.tags) {
    if (t.name.empty()) continue;
    pen.tag(tagX, tagZ, t.x, t.z, t.name);
    tagZ += 2 * kTagRadius + 0.6;
  }
  // The bars across tagged under the plan, each under its stretch, never overlapping.
  double next = -1e9;
  for (const SteelPlan::Tag& t : plan.below) {
    if (t.name.empty()) continue;
    const double tx = std::max(pen.px(t.x), next);
    pen.tag(tx, pen.pz(B / 2) + kTagRadius + 1.5, t.x, t.z, t.name);
    next = tx + 2 * kTagRadius + 0.6;
  }
  // Where the bands begin and end along L, and the footing's size.
  // A figure longer than its span stands a tier further out than its neighbour's.
  const std::vector<double>& stops = plan.stops;
  bool raised = false;
  for (std::size_t k = 1; k < stops.size(); ++k) {
    const bool small = (stops[k] - stops[k - 1]) * 1000 / scale < kShortSpan;
    raised = small && !raised;
    pen.dimension(stops[k - 1] * 1000 - L / 2, stops[k] * 1000 - L / 2, -B / 2, false, -5, "", raised ? -4 : 0);
  }
  pen.dimension(-L / 2, L / 2, B / 2, false, kBelowRoom - 3);
  pen.dimension(-B / 2, B / 2, -L / 2, true, -5);
  double lz = z + kTitleRoom + kAboveRoom + drawH + kBelowRoom + lineH / 2;
  for (const std::string& n : notes) {
    out.push_back(sheetText(x, lz, n, kText, draw::Role::Section, false, draw::HAlign::Left));
    lz += lineH;
  }
}

}  // namespace

SectionView combinedPlanView(const Project& p, const FootingRow& row, const section::RowMarks& marks, double width,
                             const draw::TextMeasure& measure) {
  const double L = row.L * 1000.0, B = row.B * 1000.0;
  SectionView v;
  v.row = row.mark();
  v.scale = sectionScale(L, B, width - kLeftRoom - kTagRoom, kPlanHeight);
  v.title = row.mark() + ": PLAN OF STEEL (BOTTOM SOLID, TOP DASHED)  1:" + std::to_string(v.scale);
  const double drawH = B / v.scale;
  const std::vector<std::string> notes = wrapText(
      "Bars along L run the length less the cover at each end; bars across lie in the bands dimensioned "
      "above and at their own spacing between them.",
      width, kText, false, measure);
  const double lineH = kText * kMmPerPoint * kFontLineHeight;
  v.width = width;
  v.height = kTitleRoom + kAboveRoom + drawH + kBelowRoom + static_cast<double>(notes.size()) * lineH + 4;
  v.draw = [plan = steelPlanOf(p, row, marks), title = v.title, scale = v.scale, notes](
               double x, double z, std::vector<Primitive>& out) { drawSteelPlan(plan, title, scale, notes, x, z, out); };
  return v;
}

}  // namespace plintova::print
