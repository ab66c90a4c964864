// A plan too large for one sheet: the cuts at the middles of grid bays, the parts and the scale.
#include "print/sheet_split.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "print/sheet_layout.h"

namespace plintova::print {

using draw::Rect;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// One extent along an axis that a part must hold: a footing (its centre and edges) or a grid line.
struct Span {
  double centre = 0, lo = 0, hi = 0;
};

// The extent along one axis of the part [a, b) (cut edges included), or nothing for an empty part.
std::optional<std::pair<double, double>> spanOf(const std::vector<Span>& spans, double a, double b) {
  double lo = kInf, hi = -kInf;
  bool any = false;
  for (const Span& s : spans)
    if (s.centre >= a && s.centre < b) lo = std::min(lo, s.lo), hi = std::max(hi, s.hi), any = true;
  if (!any) return std::nullopt;
  if (a > -kInf) lo = std::min(lo, a);
  if (b < kInf) hi = std::max(hi, b);
  return std::pair{lo, hi};
}

// Cuts along one axis that divide the plan into parts no longer than `room` plan mm, each as long as
// it can be: at the middle of a grid bay where one serves, else wherever the room runs out. Cuts lie on
// whole millimetres, so that the dimensions on either side of a match line add up to the bay.
std::vector<double> cutsAlong(const std::vector<double>& grid, const std::vector<Span>& spans, double room) {
  std::vector<double> cuts;
  std::vector<double> bays;
  for (std::size_t k = 1; k < grid.size(); ++k) bays.push_back(std::floor((grid[k - 1] + grid[k]) / 2));
  double a = -kInf;
  for (int guard = 0; guard < 10000; ++guard) {
    const auto rest = spanOf(spans, a, kInf);
    if (!rest || rest->second - rest->first <= room) break;
    std::optional<double> cut;
    for (auto it = bays.rbegin(); it != bays.rend(); ++it) {
      if (*it <= a) break;
      const auto part = spanOf(spans, a, *it);
      if (part && part->second - part->first <= room) {
        cut = *it;
        break;
      }
    }
    if (!cut) cut = std::floor(std::max(rest->first, a) + room);
    if (cut <= a) cut = a + 1;
    cuts.push_back(*cut);
    a = *cut;
  }
  return cuts;
}

std::vector<Span> spansAlong(const PlanContent& c, bool alongX) {
  std::vector<Span> spans;
  for (double g : alongX ? c.gridX : c.gridZ) spans.push_back({g, g, g});
  for (const PlanFooting& f : c.footings)
    spans.push_back(alongX ? Span{f.cx, f.outline.left, f.outline.right} : Span{f.cz, f.outline.top, f.outline.bottom});
  return spans;
}

Split splitAt(const PlanContent& c, const Rect& area, int scale) {
  return {cutsAlong(c.gridX, spansAlong(c, true), (area.right - area.left) * scale),
          cutsAlong(c.gridZ, spansAlong(c, false), (area.bottom - area.top) * scale)};
}

bool fitsWhole(const PlanContent& c, const Rect& area, int scale) {
  return (c.extent.right - c.extent.left) / scale <= area.right - area.left &&
         (c.extent.bottom - c.extent.top) / scale <= area.bottom - area.top;
}

}  // namespace

std::vector<PlanPart> partsOf(const PlanContent& c, const Split& s) {
  std::vector<PlanPart> parts;
  for (std::size_t j = 0; j <= s.cutsZ.size(); ++j)
    for (std::size_t i = 0; i <= s.cutsX.size(); ++i) {
      PlanPart p;
      p.column = static_cast<int>(i);
      p.row = static_cast<int>(j);
      p.cutLeft = i > 0;
      p.cutRight = i < s.cutsX.size();
      p.cutTop = j > 0;
      p.cutBottom = j < s.cutsZ.size();
      p.range = {p.cutLeft ? s.cutsX[i - 1] : -kInf, p.cutTop ? s.cutsZ[j - 1] : -kInf,
                 p.cutRight ? s.cutsX[i] : kInf, p.cutBottom ? s.cutsZ[j] : kInf};
      bool any = c.footings.empty() && i == 0 && j == 0;
      for (const PlanFooting& f : c.footings) any = any || inPart(p, f.cx, f.cz);
      if (any) parts.push_back(p);
    }
  // The sheet across each match line (0 where the part beyond holds nothing).
  auto sheetAt = [&](int column, int row) {
    for (std::size_t k = 0; k < parts.size(); ++k)
      if (parts[k].column == column && parts[k].row == row) return static_cast<int>(k) + 1;
    return 0;
  };
  for (PlanPart& p : parts) {
    p.sheetLeft = sheetAt(p.column - 1, p.row);
    p.sheetRight = sheetAt(p.column + 1, p.row);
    p.sheetAbove = sheetAt(p.column, p.row - 1);
    p.sheetBelow = sheetAt(p.column, p.row + 1);
  }
  return parts;
}

ScaleChoice chooseScale(const PlanContent& c, const std::function<Rect(int)>& area, int coarsest) {
  std::vector<int> scales;
  for (int s : kStandardScales)
    if (s <= coarsest) scales.push_back(s);
  if (scales.empty()) scales.push_back(kStandardScales.front());
  ScaleChoice ch{scales.back(), {}, 1};
  for (int scale : scales)
    if (fitsWhole(c, area(scale), scale)) {
      ch.scale = scale;
      return ch;
    }
  ch.split = splitAt(c, area(scales.back()), scales.back());
  ch.parts = partsOf(c, ch.split).size();
  for (auto it = scales.rbegin() + 1; it != scales.rend(); ++it) {
    const Split s = splitAt(c, area(*it), *it);
    if (partsOf(c, s).size() > ch.parts) break;
    ch.scale = *it;
    ch.split = s;
  }
  return ch;
}

}  // namespace plintova::print
