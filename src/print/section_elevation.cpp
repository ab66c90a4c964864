// A footing in section: its concrete, the lean-concrete bed, ground and founding levels, the bars both
// ways, the pedestals with their bars, ties and dowels, the dimensions and the bar marks' tags.
#include <algorithm>
#include <cmath>
#include <utility>

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

// Whether segments a and b cross at a point inside both (touching ends do not count).
bool segmentsCross(const std::pair<Point, Point>& a, const std::pair<Point, Point>& b) {
  auto side = [](const Point& p, const Point& q, const Point& r) {
    return (q.x - p.x) * (r.z - p.z) - (q.z - p.z) * (r.x - p.x);
  };
  const double d1 = side(a.first, a.second, b.first), d2 = side(a.first, a.second, b.second);
  const double d3 = side(b.first, b.second, a.first), d4 = side(b.first, b.second, a.second);
  constexpr double kEps = 1e-9;
  return ((d1 > kEps && d2 < -kEps) || (d1 < -kEps && d2 > kEps)) && ((d3 > kEps && d4 < -kEps) || (d3 < -kEps && d4 > kEps));
}

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

namespace {

// Draws one elevation and gathers the tags of what it drew.
class ElevationDrawer {
 public:
  ElevationDrawer(SectionPen& pen, const Elevation& e, const DesignOptions& o)
      : pen_(pen), e_(e), o_(o), half_(e.length / 2), topF_(e.F - e.D), ext_(elevationExtent(e, o)) {}

  // The bed, the footing and the pedestals cut, the ground each side of them, the levels.
  void concrete() {
    pen_.concrete(-half_ - o_.leanProjection, e_.F, half_ + o_.leanProjection, e_.F + o_.leanThickness, true);
    pen_.concrete(-half_, topF_, half_, e_.F);
    double groundFrom = ext_.left;
    for (const PedestalAt& pa : e_.pedestals) {
      const double a = pedestalInView(pa.sides, e_.alongX).along, h = heightOf(pa);
      if (h > 0) pen_.concrete(pa.x - a / 2, topF_ - h, pa.x + a / 2, topF_, true);
      const double faceL = h > 0 ? pa.x - a / 2 : -half_, faceR = h > 0 ? pa.x + a / 2 : half_;
      if (faceL > groundFrom) pen_.sectionLine(groundFrom, 0, faceL, 0, 2);
      groundFrom = std::max(groundFrom, faceR);
    }
    if (ext_.right > groundFrom) pen_.sectionLine(groundFrom, 0, ext_.right, 0, 2);
    pen_.text(pen_.px(ext_.left) + 0.5, pen_.pz(0) - 2.4, "GL");
    pen_.level(ext_.left, -half_ - o_.leanProjection, e_.F, "FL");  // the footing's underside
  }

  // Bottom bars (the run along the view and the bars across as dots, the lower layer first), then the
  // top bars under the top cover, their ends bent down.
  void footingBars() {
    const int runDia = e_.bottomRun ? e_.bottomRun->dia : 0, dotDia = firstDia(e_.bottomDots);
    const bool runLower = !e_.dotsBelowRun;
    if (e_.bottomRun) run(*e_.bottomRun, layerZ(e_, o_, runLower, runDia, dotDia, true), -1, 0.8);
    for (const Dots& d : e_.bottomDots) dots(d, layerZ(e_, o_, runLower, runDia, d.dia, false));
    if (e_.topRun) run(*e_.topRun, topF_ + o_.cover + e_.topRun->dia / 2.0, 1, 0.9);
    for (const Dots& d : e_.topDots) dots(d, topF_ + o_.cover + (e_.topRun ? e_.topRun->dia : 0) + d.dia / 2.0);
  }

  // A pedestal's vertical bars and the dowels standing on the mat on a foot turned outward, its ties at
  // their pitch, the column above broken off over the lap.
  void pedestal(const PedestalAt& pa) {
    const PedestalSteel& ps = pa.steel;
    const double a = pedestalInView(pa.sides, e_.alongX).along, h = heightOf(pa), pedTop = topF_ - h;
    const double mat = e_.F - o_.cover - ps.mat;
    if (ps.vertical.bars > 0 && h > 0) {
      const double dia = ps.vertical.dia, inset = o_.pedestalCover + ps.ties.dia + dia / 2;
      standingPair(pa.x - a / 2 + inset, pa.x + a / 2 - inset, mat - dia / 2, pedTop + o_.pedestalCover, dia);
      tags_.push_back({pa.vertical, pa.x + a / 2 - inset, pedTop + h * 0.3});
    }
    if (ps.ties.bars > 0 && h > 0) {
      const double inset = o_.pedestalCover + ps.ties.dia / 2.0, xl = pa.x - a / 2 + inset, xr = pa.x + a / 2 - inset;
      double z = topF_ - kFirstTie;
      for (int k = 0; k < ps.ties.bars && z > pedTop + o_.pedestalCover - 1; ++k, z -= ps.ties.spacing) pen_.bar({{xl, z}, {xr, z}});
      tags_.push_back({pa.ties, xr, topF_ - kFirstTie});
    }
    if (ps.dowels.bars > 0) {
      const double dia = ps.dowels.dia, cx = std::min<double>(e_.alongX ? ps.columnX : ps.columnZ, a), inset = o_.pedestalCover + dia / 2;
      standingPair(pa.x - cx / 2 + inset, pa.x + cx / 2 - inset, mat - dia / 2, pedTop - ps.dowelLap, dia);
      tags_.push_back({pa.dowels, pa.x + cx / 2 - inset, pedTop - ps.dowelLap / 2});
      column(pa.x, cx, pedTop, ps.dowelLap);
    }
  }

  // The founding depth and the depths on the left, the footing's length under the bed.
  void dimensions() {
    pen_.dimension(0, e_.F, ext_.left, true, -11);
    if (!e_.pedestals.empty() && heightOf(e_.pedestals.front()) > 0) pen_.dimension(0, topF_, ext_.left, true, -4);
    pen_.dimension(topF_, e_.F, ext_.left, true, -4);
    pen_.dimension(-half_, half_, e_.F + o_.leanThickness, false, 7);
  }

  // Tags in a column on the right, in the order of the points they name, never overlapping: each at its
  // point's height or below the one before, then moved up where they would pass `bottom`. Where two
  // leaders would cross (a far point above a near one, as a combined footing's two pedestals give), the
  // two tags trade places: each trade shortens the leaders in all, so the trading ends, with none crossing.
  void placeTags(double tagX, double bottom) {
    auto& t = tags_;
    t.erase(std::remove_if(t.begin(), t.end(), [](const Pending& p) { return p.name.empty(); }), t.end());
    std::sort(t.begin(), t.end(), [](const Pending& a, const Pending& b) { return a.z < b.z; });
    std::vector<double> at(t.size());
    for (std::size_t k = 0; k < t.size(); ++k) at[k] = std::max(pen_.pz(t[k].z), k ? at[k - 1] + kTagStep : -1e9);
    for (std::size_t k = t.size(); k-- > 0;)
      at[k] = std::min(at[k], k + 1 < t.size() ? at[k + 1] - kTagStep : bottom - kTagRadius);
    auto leader = [&](std::size_t k, std::size_t tag) {
      return std::pair<Point, Point>{{tagX, at[tag]}, {pen_.px(t[k].x), pen_.pz(t[k].z)}};
    };
    // A bound on the trades guards against rounding in a degenerate case trading back and forth.
    const std::size_t most = t.size() * t.size() * t.size() + 1;
    std::size_t trades = 0;
    for (bool traded = true; traded && trades < most;) {
      traded = false;
      for (std::size_t i = 0; i < t.size(); ++i)
        for (std::size_t j = i + 1; j < t.size(); ++j)
          if (segmentsCross(leader(i, i), leader(j, j))) {
            std::swap(t[i], t[j]);
            traded = true;
            ++trades;
          }
    }
    for (std::size_t k = 0; k < t.size(); ++k) pen_.tag(tagX, at[k], t[k].x, t[k].z, t[k].name);
  }

 private:
  SectionPen& pen_;
  const Elevation& e_;
  const DesignOptions& o_;
  double half_, topF_;
  draw::Rect ext_;
  std::vector<Pending> tags_;

  static double heightOf(const PedestalAt& pa) { return std::max(pa.steel.height * 1000.0, 0.0); }

  // A run the cover short of the footing's ends, its standard bends turned up (`turn` -1) or down (+1).
  void run(const Run& r, double z, int turn, double tagAt) {
    const double x = half_ - o_.cover - r.dia / 2.0, leg = turn * (o_.bendRadius + 1 + kBendEnd) * r.dia;
    if (r.bent) pen_.bar({{-x, z + leg}, {-x, z}, {x, z}, {x, z + leg}});
    else pen_.bar({{-x, z}, {x, z}});
    tags_.push_back({r.tag, x * tagAt, z});
  }

  void dots(const Dots& d, double z) {
    for (double x : d.x) pen_.dot(x, z, d.dia);
    if (!d.x.empty()) tags_.push_back({d.tag, d.x.back(), z});
  }

  // Two bars standing at xl and xr from their feet at zf, turned outward, up to zt.
  void standingPair(double xl, double xr, double zf, double zt, double dia) {
    pen_.bar({{xl - kFootOnMat * dia, zf}, {xl, zf}, {xl, zt}});
    pen_.bar({{xr + kFootOnMat * dia, zf}, {xr, zf}, {xr, zt}});
  }

  // The column cx wide above the pedestal's top, broken off above the lap, and the lap's dimension.
  void column(double x, double cx, double pedTop, double lap) {
    const double top = pedTop - lap - kStubAboveLap, q = cx / 4;
    pen_.sectionLine(x - cx / 2, pedTop, x - cx / 2, top, 1);
    pen_.sectionLine(x + cx / 2, pedTop, x + cx / 2, top, 1);
    pen_.sectionLine(x - cx / 2, top, x - q, top, 1);
    pen_.sectionLine(x - q, top, x, top - q / 2, 1);
    pen_.sectionLine(x, top - q / 2, x + q, top, 1);
    pen_.sectionLine(x + q, top, x + cx / 2, top, 1);
    pen_.dimension(pedTop - lap, pedTop, x + cx / 2, true, 4);
    pen_.text(pen_.px(x - cx / 2) - 1, pen_.pz(pedTop - lap / 2), "LAP", draw::HAlign::Right);
  }
};

}  // namespace

void drawElevation(SectionPen& pen, const Elevation& e, const DesignOptions& o, double tagX, double tagBottom) {
  ElevationDrawer d(pen, e, o);
  d.concrete();
  d.footingBars();
  for (const PedestalAt& pa : e.pedestals) d.pedestal(pa);
  d.dimensions();
  d.placeTags(tagX, tagBottom);
}

}  // namespace plintova::print::section
