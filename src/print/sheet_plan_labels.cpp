// The labels of the plan part: footing marks, the joints the schedule names, and the setting out of
// footings that are not centred on their columns.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "model/numbers.h"
#include "print/sheet_plan_drawing.h"

namespace plintova::print::plan {

using draw::Id;
using draw::Point;
using draw::Primitive;
using draw::Rect;
using draw::Role;

namespace {

// Gaps between a label and what it names, tried in turn, mm: next to it first, then further out with a
// leader.
const std::vector<double> kMarkGaps{0.6, 1.5, 3, 5, 8, 12, 17};
constexpr double kLeaderFrom = 1.4;  // a label set further off than this gets a leader
// A label belongs to the footing it stands nearest to by at least this much, mm.
constexpr double kOwnership = 0.5;

bool inside(const Rect& inner, const Rect& outer, double pad) {
  return inner.left >= outer.left + pad && inner.right <= outer.right - pad && inner.top >= outer.top + pad &&
         inner.bottom <= outer.bottom - pad;
}

// Centres round `r` at `gap` for a text w x h: above, below, beside, then along the sides and at the
// corners.
std::vector<Point> around(const Rect& r, double gap, double w, double h) {
  const double cx = (r.left + r.right) / 2, cz = (r.top + r.bottom) / 2;
  const double above = r.top - gap - h / 2, below = r.bottom + gap + h / 2;
  const double right = r.right + gap + w / 2, left = r.left - gap - w / 2;
  return {{cx, above},          {cx, below},          {right, cz},          {left, cz},
          {r.left + w / 2, above}, {r.right - w / 2, above}, {r.left + w / 2, below}, {r.right - w / 2, below},
          {right, above},       {left, above},        {right, below},       {left, below}};
}

}  // namespace

bool PlanDrawing::clearOfOutlines(const Rect& r) const { return outlines_.near(r, 0.2).empty(); }

// True when no other footing's outline (nor a column left without one) lies as near the text as its own.
bool PlanDrawing::nearestIsOwn(const Rect& r, const Rect& own) const {
  const double mine = distance(r, own);
  for (std::size_t k : outlines_.near(r, mine + kOwnership)) {
    const Rect& o = outlines_.taken()[k];
    if (o.left == own.left && o.top == own.top && o.right == own.right && o.bottom == own.bottom) continue;
    return false;
  }
  return true;
}

void PlanDrawing::leader(const Rect& from, const Rect& to, Id id) {
  const double tx = std::clamp((from.left + from.right) / 2, to.left, to.right);
  const double tz = std::clamp((from.top + from.bottom) / 2, to.top, to.bottom);
  const double fx = std::clamp(tx, from.left, from.right), fz = std::clamp(tz, from.top, from.bottom);
  out_.push_back(styled(draw::line(fx, fz, tx, tz), Role::FootingMark, kLeaderWidth, draw::LineStyle::Solid, id));
}

// Sets the text round `own` at the first of `gaps` where it is free of every text, outline and block and,
// with `ownership`, nearer `own` than any other footing; a leader joins it when set off, and always
// without `ownership`. False when no such place exists.
bool PlanDrawing::placeAround(const Primitive& proto, const Rect& own, const std::vector<double>& gaps, bool ownership) {
  const draw::TextSize size = sizeOf(proto);
  for (double gap : gaps)
    for (const Point& c : around(own, gap, size.width, size.height)) {
      const Label l = labelAt(proto, c.x, c.z);
      if (!texts_.isFree(l.rect) || !clearOfOutlines(l.rect) || !blocks_.isFree(l.rect)) continue;
      if (ownership && !nearestIsOwn(l.rect, own)) continue;
      out_.push_back(l.text);
      texts_.take(l.rect);
      if (gap > kLeaderFrom || !ownership) leader(own, l.rect, proto.id);
      return true;
    }
  return false;
}

// A label of `own`: at the first of the `inner` centres that lies inside `own` clear of what stands in
// it, else round it nearer `own` than any other footing, else with a leader wherever there is room,
// else over whatever is there.
void PlanDrawing::placeLabel(const Primitive& proto, const Rect& own, const std::vector<Point>& inner,
                             const std::function<bool(const Rect&)>& clearInside) {
  for (const Point& c : inner) {
    const Label l = labelAt(proto, c.x, c.z);
    if (inside(l.rect, own, 0.4) && clearInside(l.rect) && texts_.isFree(l.rect)) {
      out_.push_back(l.text);
      texts_.take(l.rect);
      return;
    }
  }
  if (placeAround(proto, own, kMarkGaps, true)) return;
  if (placeAround(proto, own, kMarkGaps, false)) {
    ++led_;
    return;
  }
  ++stuck_;
  const Label l = labelAt(proto, (own.left + own.right) / 2, own.top - 0.6 - sizeOf(proto).height / 2);
  out_.push_back(l.text);
  texts_.take(l.rect);
}

// The footing's mark: inside it clear of its pedestals and columns where it fits, else beside it.
void PlanDrawing::mark(const PlanFooting& f) {
  const Rect F = paperRect(f.outline);
  Primitive proto = sheetText(0, 0, f.mark, kMarkText, Role::FootingMark, true);
  proto.id = f.kind == PlanFooting::Kind::Combined ? Id::combined(f.index) : Id::footing(f.index);
  proto.filled = true;
  Rect inner{at_.x(f.cx), at_.z(f.cz), at_.x(f.cx), at_.z(f.cz)};
  for (const PlanBlock& b : f.pedestals) inner = draw::unite(inner, blockRect(b));
  for (const PlanBlock& b : f.columns) inner = draw::unite(inner, blockRect(b));
  const double cx = (F.left + F.right) / 2, cz = (F.top + F.bottom) / 2;
  std::vector<Point> centres;
  if (f.kind == PlanFooting::Kind::Combined) {
    // Between its two columns, where the footing has most room clear of its pedestals; else its middle.
    if (f.columns.size() == 2)
      centres.push_back({at_.x((f.columns[0].cx + f.columns[1].cx) / 2), at_.z((f.columns[0].cz + f.columns[1].cz) / 2)});
    centres.push_back({cx, cz});
  }
  for (const Point& c : std::array<Point, 4>{{{cx, (F.top + inner.top) / 2},
                                              {cx, (inner.bottom + F.bottom) / 2},
                                              {(F.left + inner.left) / 2, cz},
                                              {(inner.right + F.right) / 2, cz}}})
    centres.push_back(c);
  const bool combined = f.kind == PlanFooting::Kind::Combined;
  placeLabel(proto, F, centres, [&](const Rect& r) { return combined ? blocks_.isFree(r) : !overlaps(r, inner, 0.3); });
}

// "(21)" beside a column whose joint the schedule names: the free place nearest the column (inside its
// footing, or outside every footing) where no other column stands as near; a leader joins it when set
// off; failing that, wherever there is room, with a leader.
void PlanDrawing::jointLabel(const PlanJoint& j, const Rect& own, Id id) {
  Primitive proto = sheetText(0, 0, "(" + std::to_string(j.joint) + ")", kJointText, Role::Column);
  proto.id = id;
  proto.filled = true;
  const draw::TextSize size = sizeOf(proto);
  const double x = at_.x(j.x), z = at_.z(j.z);
  Rect column{x, z, x, z};
  for (std::size_t k : blocks_.near(column, 0)) column = draw::unite(column, blocks_.taken()[k]);
  auto nearestColumnIsOwn = [&](const Rect& r) {
    const double mine = distance(r, column);
    for (std::size_t k : blocks_.near(r, mine + kOwnership))
      if (!inside(blocks_.taken()[k], column, -1e-6)) return false;  // another column's block
    return true;
  };
  for (double gap : {0.5, 1.5, 3.0, 5.0, 8.0})
    for (const Point& c : around(column, gap, size.width, size.height)) {
      const Label l = labelAt(proto, c.x, c.z);
      if (!texts_.isFree(l.rect) || !blocks_.isFree(l.rect) || !nearestColumnIsOwn(l.rect)) continue;
      if (!inside(l.rect, own, 0.3) && !clearOfOutlines(l.rect)) continue;
      out_.push_back(l.text);
      texts_.take(l.rect);
      if (gap > kLeaderFrom) leader(column, l.rect, id);
      return;
    }
  if (placeAround(proto, column, kMarkGaps, false)) {
    ++led_;
    return;
  }
  ++stuck_;
  place(proto, {{x, z - 2 - size.height / 2}});
}

// The footing's edges along X (or along Z) dimensioned from the nearest grid lines of the part, in one
// chain beside the footing: under it (right of it along Z), else over it (left of it).
void PlanDrawing::setOutAlong(const PlanFooting& f, bool vertical) {
  // An isolated footing is set out only along an axis on which it stands off its column; a combined
  // footing along both.
  if (!f.setOut) return;
  if (f.kind != PlanFooting::Kind::Combined &&
      (f.columns.empty() || std::fabs(vertical ? f.columns.front().cz - f.cz : f.columns.front().cx - f.cx) < 0.5))
    return;
  const std::vector<double>& grid = vertical ? content_.gridZ : content_.gridX;
  const std::vector<std::size_t>& drawn = vertical ? zs_ : xs_;
  if (drawn.empty()) return;
  const double lo = vertical ? f.outline.top : f.outline.left, hi = vertical ? f.outline.bottom : f.outline.right;
  auto nearest = [&](double v) {
    double best = grid[drawn.front()];
    for (std::size_t i : drawn)
      if (std::fabs(grid[i] - v) < std::fabs(best - v)) best = grid[i];
    return best;
  };
  std::vector<double> points{lo, hi, nearest(lo), nearest(hi)};
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end(), [](double a, double b) { return std::fabs(a - b) < 0.5; }),
               points.end());
  if (points.size() < 3) return;  // both edges on grid lines: the grid dimensions set it out
  auto paper = [&](double v) { return vertical ? at_.z(v) : at_.x(v); };
  const Rect F = paperRect(f.outline);

  // The figures of one side, each centred over its own dimension, a tier further out where it would
  // touch its neighbour (so that the figures of short dimensions stagger), else beyond the chain's end;
  // empty if one finds no room.
  auto figures = [&](double line, double outward) -> std::optional<std::vector<Label>> {
    std::vector<Label> labels;
    std::vector<Rect> mine;
    for (std::size_t k = 1; k < points.size(); ++k) {
      Primitive proto = sheetText(0, 0, numberText(std::round(points[k] - points[k - 1])), kDimensionText, Role::Dimension);
      proto.vertical = vertical;
      proto.filled = true;
      const draw::TextSize size = sizeOf(proto);
      const double a = paper(points[k - 1]), b = paper(points[k]);
      const double tier = outward * (size.height + 0.5), near = line + outward * (0.5 + size.height / 2);
      std::vector<Point> candidates{{(a + b) / 2, near}, {(a + b) / 2, near + tier}, {(a + b) / 2, near + 2 * tier}};
      if (k == 1) candidates.push_back({a - 1 - size.width / 2, near});
      if (k + 1 == points.size()) candidates.push_back({b + 1 + size.width / 2, near});
      std::optional<Label> chosen;
      for (const Point& c : candidates) {
        const Label l = vertical ? labelAt(proto, c.z, c.x) : labelAt(proto, c.x, c.z);
        const bool own = std::none_of(mine.begin(), mine.end(), [&](const Rect& r) { return overlaps(l.rect, r, 0.4); });
        if (own && texts_.isFree(l.rect) && clearOfOutlines(l.rect)) {
          chosen = l;
          break;
        }
      }
      if (!chosen) return std::nullopt;
      mine.push_back(chosen->rect);
      labels.push_back(*chosen);
    }
    return labels;
  };
  // Beside the footing, then a tier further out, under it (right of it) before over it (left of it).
  struct Side {
    double edge, outward, line;
  };
  const double near = kSetOutLine, far = kSetOutLine + 6;
  const double after = vertical ? F.right : F.bottom, before = vertical ? F.left : F.top;
  const Side sides[] = {{after, 1, after + near}, {before, -1, before - near}, {after, 1, after + far}, {before, -1, before - far}};
  std::optional<std::vector<Label>> labels;
  Side side = sides[0];
  for (const Side& s : sides) {
    labels = figures(s.line, s.outward);
    if (labels) {
      side = s;
      break;
    }
  }
  if (!labels) {
    ++stuck_;  // no room on either side: a finer scale gives it
    return;
  }
  const double edge = side.edge;
  const double line = side.line;
  for (std::size_t k = 1; k < points.size(); ++k) {
    const Label& figure = (*labels)[k - 1];
    texts_.take(figure.rect);
    emitDimension(vertical, paper(points[k - 1]), paper(points[k]), line, edge, figure);
  }
}

}  // namespace plintova::print::plan
