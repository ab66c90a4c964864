// The printed footing plan as a page layout: orientation, user scale and every line, box and text.
#include "print/plan_page.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace plintova::print {

using draw::HAlign;
using draw::LineStyle;
using draw::Primitive;
using draw::Role;
using draw::VAlign;

namespace {

// First and last grid position of a list (count in position 0); 0 and 0 for an empty list.
void gridExtent(const LimitedTable<int32_t, cap::kGridLines + 1>& grid, double& first, double& last) {
  int n = std::clamp(grid[0], 0, cap::kGridLines);
  first = n > 0 ? grid[1] : 0;
  last = n > 0 ? grid[n] : 0;
}

// A cantilever in whole millimetres, rounded down. The stored metres are single precision, so 0.7 m is
// 0.69999999 m; the product is settled to 1/100 mm before it is cut, so that 0.7 m prints 700, not 699.
std::string wholeMillimetres(float metres) {
  return numberText(std::floor(roundTo(static_cast<double>(metres) * 1000.0, 2)));
}

}  // namespace

double roomForText(const Project& project) {
  double room = std::numeric_limits<double>::infinity();
  // Isolated footings: the typical one holds its size, mark, column mark and joint number stacked
  // inside; the few small ones print their size outside (see layoutPlanPage).
  std::vector<double> halves;
  int n = std::clamp<int>(project.FootingCount, 0, cap::kFootings);
  for (int i = 1; i <= n; ++i) {
    const FootingRecord& f = project.FootingTable[i];
    if (f.Kind != FootingKind::Combined && f.Kind != FootingKind::Disabled && f.SizeB > 0) halves.push_back(f.SizeB * 500.0);
  }
  if (!halves.empty()) {
    std::nth_element(halves.begin(), halves.begin() + static_cast<long>(halves.size() / 2), halves.end());
    room = std::max(0.0, (halves[halves.size() / 2] - 200) / 2);
  }
  // Combined footings: across their width they hold three figures side by side (along Z) or stacked
  // (along X).
  int nc = std::clamp<int>(project.CombinedCount, 0, cap::kCombined);
  for (int c = 1; c <= nc; ++c) {
    const CombinedFootingRecord& cf = project.CombinedFootingTable[c];
    room = std::min(room, cf.CfWidth * 1000.0 / (cf.CfAxis == 1 ? 3.5 : 4.5));
  }
  return room;
}

PageFrame planPageFrame(const Project& project, double portraitRatio) {
  PageFrame f;
  double x1, xn, z1, zm;
  gridExtent(project.GridLineX, x1, xn);
  gridExtent(project.GridLineZ, z1, zm);
  f.W = xn + 4000 - x1;
  f.H = zm + 4000 - z1;
  f.r = f.H / f.W;
  f.orientation = f.r >= 1.0 ? Orientation::Portrait : Orientation::Landscape;
  f.q = f.orientation == Orientation::Portrait ? portraitRatio : 1.0 / portraitRatio;
  // Plan positions go on the page shifted so that the first grid lines lie at 2000: the border and the
  // grid lines, which run from 0 to W and H, then frame the footings wherever the structure's origin is.
  f.offsetX = 2000 - x1;
  f.offsetZ = 2000 - z1;
  // The window starts 2000 mm before the drawing (which starts at 0), leaving a 2000 mm strip of paper
  // left of and above it; the governing extent then fills the page.
  f.scale.left = -2000;
  f.scale.top = -2000;
  if (f.r < f.q) {
    f.scale.right = f.W;
    f.scale.bottom = f.W * f.q;
  } else {
    f.scale.right = f.H / f.q;
    f.scale.bottom = f.H;
  }
  return f;
}

Primitive printTextAt(const std::string& s, double x, double y, int alignment, const PageMetrics& metrics) {
  double w = metrics.width ? metrics.width(s) : 0;
  double left = alignment == 1 ? x - w / 2 : alignment == 2 ? x - w : x;
  Primitive p = draw::text(left, y, s, HAlign::Left, VAlign::Top, Role::PageText);
  p.fontSize = metrics.fontSize;
  p.filled = true;  // opaque: grid lines stop short of the figures they would cross
  return p;
}

Primitive printTextVertical(const std::string& s, double x, double y, const PageMetrics& metrics) {
  double w = (metrics.width ? metrics.width(s) : 0) * metrics.verticalScale;
  Primitive p = draw::text(x, y + w / 2, s, HAlign::Left, VAlign::Top, Role::PageText);
  p.vertical = true;
  p.fontSize = metrics.fontSize;
  p.filled = true;
  return p;
}

namespace {

// The thin dash-dot-dot pen of the border and the grid.
void thin(std::vector<Primitive>& out, Primitive p, Role role) {
  p.role = role;
  p.width = 1;
  p.style = LineStyle::DashDotDot;
  out.push_back(p);
}

// The firm pen of outlines and column marks.
void firm(std::vector<Primitive>& out, Primitive p, Role role, draw::Id id = {}) {
  p.role = role;
  p.id = id;
  p.width = 3;
  out.push_back(p);
}

// Border and grid with the spacings between neighbouring grid lines.
void addBorderAndGrid(const Project& project, const PageFrame& frame, const PageMetrics& m,
                      std::vector<Primitive>& out) {
  const double W = frame.W, H = frame.H, tw = m.tw, th = m.th;
  thin(out, draw::box(50, 50, W - 50, H - 50), Role::PageBorder);
  int nz = std::clamp(project.GridLineZ[0], 0, cap::kGridLines);
  for (int k = 1; k <= nz; ++k) {
    double z = project.GridLineZ[k] + frame.offsetZ;
    thin(out, draw::line(0, z, W, z), Role::PageGrid);
    if (k >= 2) {
      double prev = project.GridLineZ[k - 1] + frame.offsetZ;
      std::string spacing = std::to_string(project.GridLineZ[k] - project.GridLineZ[k - 1]);
      out.push_back(printTextVertical(spacing, th + 50, (z + prev) / 2 - tw, m));
    }
  }
  int nx = std::clamp(project.GridLineX[0], 0, cap::kGridLines);
  for (int k = 1; k <= nx; ++k) {
    double x = project.GridLineX[k] + frame.offsetX;
    thin(out, draw::line(x, 0, x, H), Role::PageGrid);
    if (k >= 2) {
      double prev = project.GridLineX[k - 1] + frame.offsetX;
      std::string spacing = std::to_string(project.GridLineX[k] - project.GridLineX[k - 1]);
      out.push_back(printTextAt(spacing, (x + prev) / 2 - tw, 50, 0, m));
    }
  }
}

// Isolated footings: column mark and joint number always; outline, size and mark unless the footing
// belongs to a combined footing.
void addIsolatedFootings(const Project& project, const PageFrame& frame, const PageMetrics& m,
                         std::vector<Primitive>& out) {
  const double th = m.th;
  int n = std::clamp<int>(project.FootingCount, 0, cap::kFootings);
  for (int i = 1; i <= n; ++i) {
    const FootingRecord& f = project.FootingTable[i];
    double x = f.PosX + frame.offsetX, z = f.PosZ + frame.offsetZ;
    firm(out, draw::line(x - 150, z, x + 150, z), Role::ColumnMark, draw::Id::footing(i));
    firm(out, draw::line(x, z - 150, x, z + 150), Role::ColumnMark, draw::Id::footing(i));
    out.push_back(printTextAt("(" + std::to_string(f.JointNo) + ")", x, z + 150, 1, m));
    if (f.Kind == FootingKind::Combined) continue;
    double hl = f.SizeL * 1000.0 / 2, hb = f.SizeB * 1000.0 / 2;
    firm(out, draw::box(x - hl, z - hb, x + hl, z + hb), Role::FootingOutline, draw::Id::footing(i));
    // The size goes just inside the top edge; a footing too small to hold it clear of its mark has it
    // just outside that edge instead.
    double sizeTop = 2 * th > hb - 200 ? z - hb - th - th / 8 : z - hb + 50;
    out.push_back(printTextAt(numberText(f.SizeL), x, sizeTop, 1, m));
    std::string mark;
    if (f.Kind == FootingKind::Isolated) {
      mark = "F" + std::to_string(f.GroupRank);
    } else {
      // The upright width sits low in the footing, but never across its lower edge.
      std::string width = numberText(f.SizeB);
      double half = (m.width ? m.width(width) : 0) * m.verticalScale / 2;
      out.push_back(printTextVertical(width, x - hl + th, std::min(z + 2 * th, z + hb - half - th / 8), m));
      mark = "R" + std::to_string(f.GroupRank);
    }
    out.push_back(printTextAt(mark, x, z - 150 - th, 1, m));
  }
}

// Combined footings with their mark, dimensions, cantilevers and column distance.
void addCombinedFootings(const Project& project, const PageFrame& frame, const PageMetrics& m,
                         std::vector<Primitive>& out) {
  const double th = m.th;
  const int n = std::clamp<int>(project.FootingCount, 0, cap::kFootings);
  int nc = std::clamp<int>(project.CombinedCount, 0, cap::kCombined);
  for (int c = 1; c <= nc; ++c) {
    const CombinedFootingRecord& cf = project.CombinedFootingTable[c];
    double left = cf.CfLeft + frame.offsetX, bottom = cf.CfBottom + frame.offsetZ;
    double right = cf.CfRight + frame.offsetX, top = cf.CfTop + frame.offsetZ;
    firm(out, draw::box(left, bottom, right, top), Role::CombinedOutline, draw::Id::combined(c));
    std::string mark = "CF- " + std::to_string(c);
    const double gap = th / 8;
    if (cf.CfAxis == 1) {
      out.push_back(printTextAt(mark, (left + right) / 2, top - th, 1, m));
      out.push_back(printTextAt(numberText(cf.CfLength), (left + right) / 2, bottom, 0, m));
      // The width stands outside the left end: inside it would run into the first cantilever's figure,
      // since a 0.5 m cantilever has no room for both at any legible text size.
      out.push_back(printTextVertical(numberText(cf.CfWidth), left - gap - th, (bottom + top) / 2, m));
    } else {
      out.push_back(printTextVertical(mark, right - th, (bottom + top) / 2 + th, m));
      out.push_back(printTextVertical(numberText(cf.CfLength), left, (bottom + top) / 2, m));
      out.push_back(printTextAt(numberText(cf.CfWidth), (left + right) / 2, bottom, 0, m));
    }

    int a = cf.CfMembers[1], b = cf.CfMembers[2];
    if (a < 1 || a > n || b < 1 || b > n) continue;
    const FootingRecord& fa = project.FootingTable[a];
    const FootingRecord& fb = project.FootingTable[b];
    double xa = fa.PosX + frame.offsetX, za = fa.PosZ + frame.offsetZ;
    double xb = fb.PosX + frame.offsetX, zb = fb.PosZ + frame.offsetZ;
    std::string cant1 = wholeMillimetres(cf.Cant1), cant2 = wholeMillimetres(cf.Cant2);
    // The cantilevers are written outside the footing beside the span they measure, where no other
    // figure of the footing stands; the column distance between the two columns.
    if (cf.CfAxis == 0) {
      out.push_back(printTextAt(cant1, right + gap, (bottom + za) / 2 - th / 2, 0, m));
      out.push_back(printTextAt(cant2, right + gap, (zb + top) / 2 - th / 2, 0, m));
      out.push_back(printTextAt(numberText(cf.CfDistance), xa, (za + zb) / 2 - th / 2, 1, m));
    } else {
      out.push_back(printTextAt(cant1, (left + xa) / 2, bottom - gap - th, 1, m));
      out.push_back(printTextAt(cant2, (xb + right) / 2, bottom - gap - th, 1, m));
      out.push_back(printTextAt(numberText(cf.CfDistance), (xa + xb) / 2, za, 1, m));
    }
  }
}

}  // namespace

PlanPage layoutPlanPage(const Project& project, const PageFrame& frame, const PageMetrics& m) {
  PlanPage page;
  page.frame = frame;
  addBorderAndGrid(project, frame, m, page.primitives);
  addIsolatedFootings(project, frame, m, page.primitives);
  addCombinedFootings(project, frame, m, page.primitives);
  return page;
}

}  // namespace plintova::print
