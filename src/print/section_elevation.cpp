// A footing in section: its concrete, the lean-concrete bed, ground and founding levels, the bars both
// ways, the pedestals with their bars, ties and dowels, the dimensions and the bar marks' tags.
#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "print/section_parts.h"
#include "print/sheet_sections.h"

namespace plintova::print::section {

using draw::Point;

namespace {

constexpr double kGroundBeyond = 400;  // model mm the ground line reaches past the bed: room for the levels' names
constexpr double kStubAboveLap = 150;  // model mm of column drawn above the dowels' lap
constexpr double kFirstTie = 50;       // model mm from the footing's top to the first tie
constexpr double kFootOnMat = 12;      // dia: the foot of a vertical bar or dowel on the bottom mat
constexpr double kBendEnd = 4;         // dia: the straight end of a standard bend
constexpr double kTagStep = 2 * kTagRadius + 0.6;  // paper mm from one tag to the next

// A tag waiting for its place in the column on the right.
struct Pending {
  std::string name;
  double x = 0, z = 0;  // model point the leader reaches
};

double layerZ(const Elevation& e, const DesignOptions& o, bool runLower, int runDia, int dotDia, bool run) {
  const double lower = runLower ? runDia : dotDia, upper = runLower ? dotDia : runDia;
  const bool isLower = run == runLower;
  return e.F - o.cover - (isLower ? lower / 2 : lower + upper / 2);
}

int firstDia(const std::vector<Dots>& dots) { return dots.empty() ? 0 : dots.front().dia; }

}  // namespace

std::vector<double> spread(int n, double spacing, double lo, double hi) {
  std::vector<double> x;
  if (n <= 0 || !(hi > lo)) return x;
  if (n == 1) return {(lo + hi) / 2};
  const double step = std::min(spacing, (hi - lo) / (n - 1));
  const double first = (lo + hi) / 2 - step * (n - 1) / 2;
  for (int i = 0; i < n; ++i) x.push_back(first + step * i);
  return x;
}

draw::Rect elevationExtent(const Elevation& e, const DesignOptions& o) {
  const double half = e.length / 2 + o.leanProjection + kGroundBeyond;
  double top = 0;
  for (const PedestalAt& pa : e.pedestals) {
    const double pedTop = e.F - e.D - std::max(pa.steel.height * 1000.0, 0.0);
    top = std::min(top, pedTop - pa.steel.dowelLap - kStubAboveLap);
  }
  return {-half, top, half, e.F + o.leanThickness};
}

std::size_t elevationTagCount(const Elevation& e) {
  std::size_t n = 0;
  auto count = [&n](const std::string& tag, bool drawn) { n += drawn && !tag.empty(); };
  if (e.bottomRun) count(e.bottomRun->tag, true);
  if (e.topRun) count(e.topRun->tag, true);
  for (const auto* dots : {&e.bottomDots, &e.topDots})
    for (const Dots& d : *dots) count(d.tag, !d.x.empty());
  for (const PedestalAt& pa : e.pedestals) {
    const bool standing = pa.steel.height > 0;
    count(pa.vertical, standing && pa.steel.vertical.bars > 0);
    count(pa.ties, standing && pa.steel.ties.bars > 0);
    count(pa.dowels, pa.steel.dowels.bars > 0);
  }
  return n;
}

double tagColumnHeight(std::size_t tags) { return static_cast<double>(tags) * kTagStep; }

void drawElevation(SectionPen& pen, const Elevation& e, const DesignOptions& o, double tagX, double tagBottom) {
  const double half = e.length / 2, topF = e.F - e.D, cover = o.cover;
  const draw::Rect ext = elevationExtent(e, o);
  std::vector<Pending> tags;
  // Concrete: the bed, the footing, the pedestals; the ground each side of them.
  pen.concrete(-half - o.leanProjection, e.F, half + o.leanProjection, e.F + o.leanThickness, true);
  pen.concrete(-half, topF, half, e.F);
  double groundFrom = ext.left;
  for (const PedestalAt& pa : e.pedestals) {
    const double a = pedestalSides(pa.steel).along, h = std::max(pa.steel.height * 1000.0, 0.0);
    if (h > 0) pen.concrete(pa.x - a / 2, topF - h, pa.x + a / 2, topF, true);
    const double faceL = h > 0 ? pa.x - a / 2 : -half, faceR = h > 0 ? pa.x + a / 2 : half;
    if (faceL > groundFrom) pen.sectionLine(groundFrom, 0, faceL, 0, 2);
    groundFrom = std::max(groundFrom, faceR);
  }
  if (ext.right > groundFrom) pen.sectionLine(groundFrom, 0, ext.right, 0, 2);
  pen.text(pen.px(ext.left) + 0.5, pen.pz(0) - 2.4, "GL");
  pen.level(ext.left, -half - o.leanProjection, e.F, "FL");  // the footing's underside

  // Bottom bars: the run along the view, the bars across as dots; the lower layer first.
  const int runDia = e.bottomRun ? e.bottomRun->dia : 0, dotDia = firstDia(e.bottomDots);
  const bool runLower = !e.dotsBelowRun;
  if (e.bottomRun) {
    const Run& r = *e.bottomRun;
    const double z = layerZ(e, o, runLower, runDia, dotDia, true), x = half - cover - r.dia / 2.0;
    const double leg = (o.bendRadius + 1 + kBendEnd) * r.dia;
    if (r.bent) pen.bar({{-x, z - leg}, {-x, z}, {x, z}, {x, z - leg}});
    else pen.bar({{-x, z}, {x, z}});
    tags.push_back({r.tag, x * 0.8, z});
  }
  for (const Dots& d : e.bottomDots) {
    const double z = layerZ(e, o, runLower, runDia, d.dia, false);
    for (double x : d.x) pen.dot(x, z, d.dia);
    if (!d.x.empty()) tags.push_back({d.tag, d.x.back(), z});
  }
  // Top bars, where the row has them: the run under the cover, its ends bent down.
  if (e.topRun) {
    const Run& r = *e.topRun;
    const double z = topF + cover + r.dia / 2.0, x = half - cover - r.dia / 2.0;
    const double leg = (o.bendRadius + 1 + kBendEnd) * r.dia;
    if (r.bent) pen.bar({{-x, z + leg}, {-x, z}, {x, z}, {x, z + leg}});
    else pen.bar({{-x, z}, {x, z}});
    tags.push_back({r.tag, x * 0.9, z});
  }
  for (const Dots& d : e.topDots) {
    const double z = topF + cover + (e.topRun ? e.topRun->dia : 0) + d.dia / 2.0;
    for (double x : d.x) pen.dot(x, z, d.dia);
    if (!d.x.empty()) tags.push_back({d.tag, d.x.back(), z});
  }

  // Pedestals: vertical bars and dowels standing on the mat on a foot turned outward, ties at their pitch.
  for (const PedestalAt& pa : e.pedestals) {
    const PedestalSteel& ps = pa.steel;
    const double a = pedestalSides(ps).along, h = std::max(ps.height * 1000.0, 0.0), pedTop = topF - h;
    const double mat = e.F - cover - ps.mat;
    if (ps.vertical.bars > 0 && h > 0) {
      const double dia = ps.vertical.dia, inset = o.pedestalCover + ps.ties.dia + dia / 2;
      const double xl = pa.x - a / 2 + inset, xr = pa.x + a / 2 - inset, zf = mat - dia / 2;
      pen.bar({{xl - kFootOnMat * dia, zf}, {xl, zf}, {xl, pedTop + o.pedestalCover}});
      pen.bar({{xr + kFootOnMat * dia, zf}, {xr, zf}, {xr, pedTop + o.pedestalCover}});
      tags.push_back({pa.vertical, xr, pedTop + h * 0.3});
    }
    if (ps.ties.bars > 0 && h > 0) {
      const double xl = pa.x - a / 2 + o.pedestalCover + ps.ties.dia / 2.0, xr = pa.x + a / 2 - o.pedestalCover - ps.ties.dia / 2.0;
      double z = topF - kFirstTie;
      for (int k = 0; k < ps.ties.bars && z > pedTop + o.pedestalCover - 1; ++k, z -= ps.ties.spacing) pen.bar({{xl, z}, {xr, z}});
      tags.push_back({pa.ties, xr, topF - kFirstTie});
    }
    if (ps.dowels.bars > 0) {
      const double dia = ps.dowels.dia, cx = std::min<double>(ps.columnX, a);
      const double xl = pa.x - cx / 2 + o.pedestalCover + dia / 2, xr = pa.x + cx / 2 - o.pedestalCover - dia / 2;
      const double zf = mat - dia / 2, zt = pedTop - ps.dowelLap;
      pen.bar({{xl - kFootOnMat * dia, zf}, {xl, zf}, {xl, zt}});
      pen.bar({{xr + kFootOnMat * dia, zf}, {xr, zf}, {xr, zt}});
      tags.push_back({pa.dowels, xr, pedTop - ps.dowelLap / 2});
      // The column above, broken off over the lap, and the lap's dimension beside it.
      const double top = zt - kStubAboveLap;
      pen.sectionLine(pa.x - cx / 2, pedTop, pa.x - cx / 2, top, 1);
      pen.sectionLine(pa.x + cx / 2, pedTop, pa.x + cx / 2, top, 1);
      const double q = cx / 4;
      pen.sectionLine(pa.x - cx / 2, top, pa.x - q, top, 1);
      pen.sectionLine(pa.x - q, top, pa.x, top - q / 2, 1);
      pen.sectionLine(pa.x, top - q / 2, pa.x + q, top, 1);
      pen.sectionLine(pa.x + q, top, pa.x + cx / 2, top, 1);
      pen.dimension(zt, pedTop, pa.x + cx / 2, true, 4);
      pen.text(pen.px(pa.x - cx / 2) - 1, pen.pz(pedTop - ps.dowelLap / 2), "LAP", draw::HAlign::Right);
    }
  }

  // Dimensions: the founding depth and the depths on the left, the footing's length under the bed.
  pen.dimension(0, e.F, ext.left, true, -11);
  const double pedH = e.pedestals.empty() ? 0 : std::max(e.pedestals.front().steel.height * 1000.0, 0.0);
  if (pedH > 0) pen.dimension(0, topF, ext.left, true, -4);
  pen.dimension(topF, e.F, ext.left, true, -4);
  pen.dimension(-half, half, e.F + o.leanThickness, false, 7);

  // Tags in a column on the right, in the order of the points they name, never overlapping: each at its
  // point's height or below the one before, then moved up where they would pass `tagBottom`.
  tags.erase(std::remove_if(tags.begin(), tags.end(), [](const Pending& t) { return t.name.empty(); }), tags.end());
  std::sort(tags.begin(), tags.end(), [](const Pending& a, const Pending& b) { return a.z < b.z; });
  std::vector<double> at(tags.size());
  for (std::size_t k = 0; k < tags.size(); ++k) at[k] = std::max(pen.pz(tags[k].z), k ? at[k - 1] + kTagStep : -1e9);
  for (std::size_t k = tags.size(); k-- > 0;)
    at[k] = std::min(at[k], k + 1 < tags.size() ? at[k + 1] - kTagStep : tagBottom - kTagRadius);
  for (std::size_t k = 0; k < tags.size(); ++k) pen.tag(tagX, at[k], tags[k].x, tags[k].z, tags[k].name);
}

}  // namespace plintova::print::section
