// The plan on the drawing sheet: what will be built, the parts a sheet shows, and the scale at which
// its marks stay legible.
#include "print/sheet_plan.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "design/pedestals.h"
#include "design/plan_checks.h"
#include "print/sheet_layout.h"
#include "print/sheet_plan_drawing.h"

namespace plintova::print {

using draw::Rect;

namespace {

const FootingRow* rowOf(const std::vector<FootingRow>& rows, FootingRow::Kind kind, int number,
                        const std::vector<int>& footings) {
  for (const FootingRow& r : rows)
    if (r.kind == kind && (kind == FootingRow::Kind::Combined ? r.number == number : r.footings == footings)) return &r;
  return nullptr;
}

// The column standing on footing s: its section where the listing gives it, else a cross.
PlanBlock columnOf(const Project& p, const FootingRecord& f) {
  PlanBlock c{static_cast<double>(f.ColumnX), static_cast<double>(f.ColumnZ), 0, 0};
  const int m = f.ColumnMember;
  if (m >= 1 && m <= std::min<int>(p.ColumnSectionCount, cap::kColumnBlocks)) {
    const auto& section = p.ColumnSectionTable[m];
    if (section[3] > 0 && section[4] > 0) {
      c.sideX = section[4];
      c.sideZ = section[3];
    }
  }
  return c;
}

void addPedestal(std::vector<PlanBlock>& out, const FootingRecord& f, const PedestalSides& sides) {
  if (sides.known())
    out.push_back({static_cast<double>(f.ColumnX), static_cast<double>(f.ColumnZ), sides.x * 1000, sides.z * 1000});
}

void grow(Rect& r, bool& any, double left, double top, double right, double bottom) {
  if (!any) {
    r = {left, top, right, bottom};
    any = true;
    return;
  }
  r.left = std::min(r.left, left);
  r.top = std::min(r.top, top);
  r.right = std::max(r.right, right);
  r.bottom = std::max(r.bottom, bottom);
}

}  // namespace

PlanContent planContent(const Project& p) {
  PlanContent c;
  for (int k = 1; k <= std::clamp(p.GridLineX[0], 0, cap::kGridLines); ++k) c.gridX.push_back(p.GridLineX[k]);
  for (int k = 1; k <= std::clamp(p.GridLineZ[0], 0, cap::kGridLines); ++k) c.gridZ.push_back(p.GridLineZ[k]);
  std::sort(c.gridX.begin(), c.gridX.end());
  std::sort(c.gridZ.begin(), c.gridZ.end());

  const int n = std::clamp<int>(p.FootingCount, 0, cap::kFootings);
  for (int i = 1; i <= n; ++i) {
    const FootingRecord& f = p.FootingTable[i];
    if (f.Kind != FootingKind::Isolated && f.Kind != FootingKind::HandResized) continue;
    PlanFooting pf;
    pf.kind = f.Kind == FootingKind::Isolated ? PlanFooting::Kind::Group : PlanFooting::Kind::Resized;
    pf.index = i;
    pf.mark = (f.Kind == FootingKind::Isolated ? "F" : "R") + std::to_string(f.GroupRank);
    pf.cx = f.PosX;
    pf.cz = f.PosZ;
    const double hl = f.SizeL * 500.0, hb = f.SizeB * 500.0;
    pf.outline = {pf.cx - hl, pf.cz - hb, pf.cx + hl, pf.cz + hb};
    // A hand-resized footing's pedestal is drawn once its row is designed.
    if (f.Kind == FootingKind::Isolated || rowOf(p.RectangularRows, FootingRow::Kind::Rectangular, 0, {i}))
      addPedestal(pf.pedestals, f, footingPedestal(p, i));
    pf.columns.push_back(columnOf(p, f));
    // The schedule names the joint of a hand-resized footing; a footing moved off its column is set out
    // from the grid (one centred on its column is set out by the grid line through it and its size).
    if (f.Kind == FootingKind::HandResized) pf.joints.push_back({f.JointNo, static_cast<double>(f.ColumnX), static_cast<double>(f.ColumnZ)});
    pf.setOut = f.PosX != f.ColumnX || f.PosZ != f.ColumnZ;
    c.footings.push_back(std::move(pf));
  }

  const int nc = std::clamp<int>(p.CombinedCount, 0, cap::kCombined);
  for (int k = 1; k <= nc; ++k) {
    const CombinedFootingRecord& cf = p.CombinedFootingTable[k];
    PlanFooting pf;
    pf.kind = PlanFooting::Kind::Combined;
    pf.index = k;
    pf.mark = "C" + std::to_string(k);
    pf.outline = {std::min<double>(cf.CfLeft, cf.CfRight), std::min<double>(cf.CfBottom, cf.CfTop),
                  std::max<double>(cf.CfLeft, cf.CfRight), std::max<double>(cf.CfBottom, cf.CfTop)};
    pf.cx = (pf.outline.left + pf.outline.right) / 2;
    pf.cz = (pf.outline.top + pf.outline.bottom) / 2;
    const FootingRow* row = rowOf(p.CombinedRows, FootingRow::Kind::Combined, k, {});
    const int members = std::clamp<int>(cf.CfMemberCount, 0, cap::kCombinedMembers);
    for (int m = 1; m <= members; ++m) {
      const int s = cf.CfMembers[m];
      if (s < 1 || s > n) continue;
      const FootingRecord& f = p.FootingTable[s];
      if (row) addPedestal(pf.pedestals, f, row->Pedestal);
      pf.columns.push_back(columnOf(p, f));
      pf.joints.push_back({f.JointNo, static_cast<double>(f.ColumnX), static_cast<double>(f.ColumnZ)});
    }
    pf.setOut = true;
    c.footings.push_back(std::move(pf));
  }
  for (int i = 1; i <= n; ++i) {
    const FootingRecord& f = p.FootingTable[i];
    if (f.Kind == FootingKind::Disabled)
      c.bareColumns.push_back({columnOf(p, f), {f.JointNo, static_cast<double>(f.ColumnX), static_cast<double>(f.ColumnZ)}});
  }

  bool any = false;
  for (double x : c.gridX) grow(c.extent, any, x, c.gridZ.empty() ? 0 : c.gridZ.front(), x, c.gridZ.empty() ? 0 : c.gridZ.back());
  for (double z : c.gridZ) grow(c.extent, any, c.gridX.empty() ? 0 : c.gridX.front(), z, c.gridX.empty() ? 0 : c.gridX.back(), z);
  for (const PlanFooting& f : c.footings) grow(c.extent, any, f.outline.left, f.outline.top, f.outline.right, f.outline.bottom);
  return c;
}

bool inPart(const PlanPart& part, double x, double z) {
  return x >= part.range.left && x < part.range.right && z >= part.range.top && z < part.range.bottom;
}

Rect partExtent(const PlanContent& content, const PlanPart& part) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  double left = inf, right = -inf, top = inf, bottom = -inf;
  auto alongX = [&](double x) { left = std::min(left, x), right = std::max(right, x); };
  auto alongZ = [&](double z) { top = std::min(top, z), bottom = std::max(bottom, z); };
  for (double x : content.gridX)
    if (x >= part.range.left && x < part.range.right) alongX(x);
  for (double z : content.gridZ)
    if (z >= part.range.top && z < part.range.bottom) alongZ(z);
  for (const PlanFooting& f : content.footings) {
    if (!inPart(part, f.cx, f.cz)) continue;
    alongX(f.outline.left), alongX(f.outline.right);
    alongZ(f.outline.top), alongZ(f.outline.bottom);
  }
  if (part.cutLeft) alongX(part.range.left);
  if (part.cutRight) alongX(part.range.right);
  if (part.cutTop) alongZ(part.range.top);
  if (part.cutBottom) alongZ(part.range.bottom);
  if (left > right) left = right = 0;
  if (top > bottom) top = bottom = 0;
  return {left, top, right, bottom};
}

void drawPlanPart(const PlanContent& content, const PlanPart& part, const PlanPlacement& at,
                  const draw::TextMeasure& measure, std::vector<draw::Primitive>& out) {
  plan::PlanDrawing(content, part, at, measure, out).draw();
}

double bubbleTierRoom(const PlanContent& content, int scale) {
  for (const std::vector<double>* grid : {&content.gridX, &content.gridZ})
    for (std::size_t k = 1; k < grid->size(); ++k)
      if (((*grid)[k] - (*grid)[k - 1]) / scale < plan::kBubbleSpacing) return kBubbleTier;
  return 0;
}

int coarsestLegibleScale(const PlanContent& content, const draw::TextMeasure& measure) {
  PlanPart whole;
  constexpr double inf = std::numeric_limits<double>::infinity();
  whole.range = {-inf, -inf, inf, inf};
  const Rect e = partExtent(content, whole);
  // Marks that fit at a scale fit at every larger one: the coarsest that fits is found by halving.
  auto legible = [&](int scale) {
    PlanPlacement at;
    at.scale = scale;
    at.originX = kBandBefore + bubbleTierRoom(content, scale) - e.left / scale;
    at.originZ = kBandBefore + bubbleTierRoom(content, scale) - e.top / scale;
    std::vector<draw::Primitive> scratch;
    plan::PlanDrawing drawing(content, whole, at, measure, scratch);
    drawing.draw();
    // Every label free of every other; a few set off with leaders (footings that clash with their
    // neighbours, which the engineer will combine or move) do not make the plan illegible.
    return drawing.stuck() == 0 && drawing.led() <= std::max<int>(2, static_cast<int>(content.footings.size()) / 20);
  };
  std::size_t lo = 0, hi = kStandardScales.size();  // [0, lo) legible, [hi, end) not
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (legible(kStandardScales[mid])) lo = mid + 1;
    else hi = mid;
  }
  return lo == 0 ? kStandardScales.front() : kStandardScales[lo - 1];
}

}  // namespace plintova::print
