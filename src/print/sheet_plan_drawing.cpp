// The plan part on a sheet: grid lines and bubbles, match lines, the dimension chains and the outlines.
#include "print/sheet_plan_drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/numbers.h"
#include "print/sheet_layout.h"

namespace plintova::print::plan {

using draw::HAlign;
using draw::Id;
using draw::LineStyle;
using draw::Primitive;
using draw::Rect;
using draw::Role;

namespace {
constexpr draw::Rgb kColumnFill{70, 70, 70};
}  // namespace

Primitive styled(Primitive p, Role role, double width, LineStyle style, Id id) {
  p.role = role;
  p.width = width;
  p.style = style;
  p.id = id;
  return p;
}

PlanDrawing::PlanDrawing(const PlanContent& content, const PlanPart& part, const PlanPlacement& at,
                         const draw::TextMeasure& measure, std::vector<Primitive>& out)
    : content_(content), part_(part), at_(at), measure_(measure), out_(out), texts_(0.4), outlines_(0), blocks_(0.3) {}

void PlanDrawing::draw() {
  for (std::size_t i = 0; i < content_.gridX.size(); ++i)
    if (inPart(part_, content_.gridX[i], part_.range.top)) xs_.push_back(i);
  for (std::size_t i = 0; i < content_.gridZ.size(); ++i)
    if (inPart(part_, part_.range.left, content_.gridZ[i])) zs_.push_back(i);
  for (const PlanFooting& f : content_.footings)
    if (inPart(part_, f.cx, f.cz)) footings_.push_back(&f);
  for (const PlanColumn& c : content_.bareColumns)
    if (inPart(part_, c.column.cx, c.column.cz)) bare_.push_back(&c);
  extent_ = paperRect(partExtent(content_, part_));

  gridLines();
  for (const PlanFooting* f : footings_) outline(*f);
  for (const PlanColumn* c : bare_) column(c->column, {});
  matchLines();
  chains(false);
  chains(true);
  for (const PlanFooting* f : footings_) mark(*f);
  for (const PlanFooting* f : footings_) {
    setOutAlong(*f, false);
    setOutAlong(*f, true);
  }
  for (const PlanFooting* f : footings_)
    for (const PlanJoint& j : f->joints)
      jointLabel(j, paperRect(f->outline), f->kind == PlanFooting::Kind::Combined ? Id::combined(f->index) : Id::footing(f->index));
  for (const PlanColumn* c : bare_) jointLabel(c->joint, blockRect(c->column), {});
}

Rect PlanDrawing::paperRect(const Rect& r) const { return {at_.x(r.left), at_.z(r.top), at_.x(r.right), at_.z(r.bottom)}; }

// A block on paper; a column without a known section as the cross it is drawn with.
Rect PlanDrawing::blockRect(const PlanBlock& b) const {
  const double hx = std::max(b.sideX / 2 / at_.scale, b.sideX > 0 ? 0.0 : 1.2);
  const double hz = std::max(b.sideZ / 2 / at_.scale, b.sideZ > 0 ? 0.0 : 1.2);
  return {at_.x(b.cx) - hx, at_.z(b.cz) - hz, at_.x(b.cx) + hx, at_.z(b.cz) + hz};
}

draw::TextSize PlanDrawing::sizeOf(const Primitive& p) const { return measure_ ? measure_(p) : draw::TextSize{}; }

Label PlanDrawing::labelAt(const Primitive& proto, double x, double z) const {
  Primitive p = proto;
  p.x1 = p.x2 = x;
  p.z1 = p.z2 = z;
  return {p, textRect(p, measure_)};
}

// The first of the candidate centres that is free and fits, else the first that is free, else the first
// of all; taken.
Label PlanDrawing::choose(const Primitive& proto, const std::vector<draw::Point>& centres,
                          const std::function<bool(const Rect&)>& fits) {
  std::optional<Label> chosen;
  for (int pass = 0; pass < 2 && !chosen; ++pass)
    for (const draw::Point& c : centres) {
      Label l = labelAt(proto, c.x, c.z);
      if (texts_.isFree(l.rect) && (pass == 1 || !fits || fits(l.rect))) {
        chosen = l;
        break;
      }
    }
  if (!chosen) chosen = labelAt(proto, centres.front().x, centres.front().z);
  texts_.take(chosen->rect);
  return *chosen;
}

void PlanDrawing::place(const Primitive& proto, const std::vector<draw::Point>& centres) {
  out_.push_back(choose(proto, centres).text);
}

// A dimension measuring from a to b (paper, along X, or along Z when vertical), its line at `across` and
// its extension lines from `from` (the line itself when they need none), its figure as placed.
void PlanDrawing::emitDimension(bool vertical, double a, double b, double across, double from, const Label& figure) {
  const draw::Point at{figure.text.x1, figure.text.z1};
  Primitive d = vertical ? draw::dimension(from, a, from, b, true, across, figure.text.text, at)
                         : draw::dimension(a, from, b, from, false, across, figure.text.text, at);
  d.width = kDimensionWidth;
  d.fontSize = figure.text.fontSize;
  out_.push_back(d);
}

void PlanDrawing::bubble(double x, double z, const std::string& name) {
  Primitive t = sheetText(x, z, name, kGridNameText, Role::GridName, true);
  // A circle large enough for its name.
  const double r = std::max(kBubbleRadius, sizeOf(t).width / 2 + 0.9);
  out_.push_back(styled(draw::circle(x, z, r), Role::SheetGrid, kBubbleWidth));
  out_.push_back(t);
  texts_.take({x - r, z - r, x + r, z + r});
}

// The grid lines of one direction with their bubbles at both ends: a bubble that would touch the one
// before it in its row is set a tier further out, its line drawn on to it.
void PlanDrawing::bubbleRow(bool alongX, const std::vector<std::size_t>& lines, double near, double far) {
  double previous = -1e9;
  bool tiered = false;
  for (std::size_t i : lines) {
    const double at = alongX ? at_.x(content_.gridX[i]) : at_.z(content_.gridZ[i]);
    tiered = !tiered && at - previous < kBubbleSpacing;
    previous = at;
    const double n = near - (tiered ? kBubbleTier : 0), f = far + (tiered ? kBubbleTier : 0);
    const std::string name = alongX ? gridNumberName(static_cast<int>(i) + 1) : gridLetterName(static_cast<int>(i) + 1);
    const Primitive line = alongX ? draw::line(at, n + kBubbleRadius, at, f - kBubbleRadius)
                                  : draw::line(n + kBubbleRadius, at, f - kBubbleRadius, at);
    out_.push_back(styled(line, Role::SheetGrid, kGridWidth, LineStyle::DashDot));
    alongX ? bubble(at, n, name) : bubble(n, at, name);
    alongX ? bubble(at, f, name) : bubble(f, at, name);
  }
}

void PlanDrawing::gridLines() {
  bubbleRow(true, xs_, extent_.top - kBubbleNear, extent_.bottom + kBubbleFar);
  bubbleRow(false, zs_, extent_.left - kBubbleNear, extent_.right + kBubbleFar);
}

// A match line along the cut edge of the part, with the sheet beyond it: its name where it crosses no
// footing, the middle first.
void PlanDrawing::matchLine(bool vertical, double at, int sheet) {
  Primitive proto = sheetText(0, 0, "MATCH LINE - SEE SHEET " + std::to_string(sheet), kMatchText, Role::SheetGrid, true);
  proto.vertical = vertical;
  proto.filled = true;
  const Rect& e = extent_;
  const double from = vertical ? e.top : e.left, to = vertical ? e.bottom : e.right;
  std::vector<draw::Point> centres;
  for (double share : {0.5, 0.375, 0.625, 0.25, 0.75, 0.125, 0.875}) {
    const double along = from + share * (to - from);
    centres.push_back(vertical ? draw::Point{at, along} : draw::Point{along, at});
  }
  if (vertical)
    out_.push_back(styled(draw::line(at, e.top - kBubbleNear, at, e.bottom + kBubbleFar), Role::SheetGrid, kMatchWidth,
                          LineStyle::DashDot));
  else
    out_.push_back(styled(draw::line(e.left - kBubbleNear, at, e.right + kBubbleFar, at), Role::SheetGrid, kMatchWidth,
                          LineStyle::DashDot));
  out_.push_back(choose(proto, centres, [&](const Rect& r) {
                   const bool within = vertical ? r.top >= e.top && r.bottom <= e.bottom : r.left >= e.left && r.right <= e.right;
                   return within && outlines_.near(r, 0.2).empty();
                 }).text);
}

void PlanDrawing::matchLines() {
  if (part_.cutLeft) matchLine(true, at_.x(part_.range.left), part_.sheetLeft);
  if (part_.cutRight) matchLine(true, at_.x(part_.range.right), part_.sheetRight);
  if (part_.cutTop) matchLine(false, at_.z(part_.range.top), part_.sheetAbove);
  if (part_.cutBottom) matchLine(false, at_.z(part_.range.bottom), part_.sheetBelow);
}

// A dimension of the chain between a and b (paper) along X on the line at `across` (along Z when
// vertical): its figure outside the line, then a tier further out, then inside; within its span where
// that can be, so that neighbouring figures never run together.
void PlanDrawing::dimension(bool vertical, double a, double b, double across, const std::string& value) {
  if (a > b) std::swap(a, b);
  Primitive proto = sheetText(0, 0, value, kDimensionText, Role::Dimension);
  proto.vertical = vertical;
  proto.filled = true;  // a grid line between the dimensioned ones passes behind the figure
  const double mid = (a + b) / 2, h = sizeOf(proto).height;
  std::vector<draw::Point> centres;
  for (double offset : {-(0.6 + h / 2), -(1.1 + 1.5 * h), 0.6 + h / 2})
    centres.push_back(vertical ? draw::Point{across + offset, mid} : draw::Point{mid, across + offset});
  const Label figure = choose(proto, centres, [&](const Rect& r) {
    return vertical ? r.bottom - r.top <= b - a - 0.6 : r.right - r.left <= b - a - 0.6;
  });
  emitDimension(vertical, a, b, across, across, figure);
}

// The overall dimension over the grid lines `planGrid` (plan mm, ascending): its figure in the bay
// nearest the middle that holds it, so that no grid line crosses it.
void PlanDrawing::overall(bool vertical, const std::vector<double>& planGrid, double across) {
  std::vector<double> grid;
  for (double v : planGrid) grid.push_back(vertical ? at_.z(v) : at_.x(v));
  const double a = grid.front(), b = grid.back();
  Primitive proto = sheetText(0, 0, numberText(std::round(planGrid.back() - planGrid.front())), kDimensionText, Role::Dimension);
  proto.vertical = vertical;
  proto.filled = true;
  const double h = sizeOf(proto).height, w = sizeOf(proto).width, mid = (a + b) / 2;
  std::vector<std::pair<double, double>> bays;  // centre, span
  for (std::size_t k = 1; k < grid.size(); ++k) bays.push_back({(grid[k - 1] + grid[k]) / 2, grid[k] - grid[k - 1]});
  std::stable_sort(bays.begin(), bays.end(),
                   [mid](const auto& x, const auto& y) { return std::fabs(x.first - mid) < std::fabs(y.first - mid); });
  std::vector<draw::Point> centres;
  const double offset = -(0.6 + h / 2);
  for (const auto& [centre, span] : bays)
    if (span >= w + 1.2) centres.push_back(vertical ? draw::Point{across + offset, centre} : draw::Point{centre, across + offset});
  centres.push_back(vertical ? draw::Point{across + offset, mid} : draw::Point{mid, across + offset});
  emitDimension(vertical, a, b, across, across, choose(proto, centres));
}

// The chain of dimensions between the part's grid lines along X (top) or along Z (left), carried on to
// the match lines, and the overall dimension over its grid lines.
void PlanDrawing::chains(bool vertical) {
  const std::vector<double>& grid = vertical ? content_.gridZ : content_.gridX;
  const std::vector<std::size_t>& drawn = vertical ? zs_ : xs_;
  std::vector<double> points;
  for (std::size_t i : drawn) points.push_back(grid[i]);
  const std::size_t lines = points.size();
  if (vertical ? part_.cutTop : part_.cutLeft) points.push_back(vertical ? part_.range.top : part_.range.left);
  if (vertical ? part_.cutBottom : part_.cutRight) points.push_back(vertical ? part_.range.bottom : part_.range.right);
  std::sort(points.begin(), points.end());
  auto paper = [&](double v) { return vertical ? at_.z(v) : at_.x(v); };
  const double edge = vertical ? extent_.left : extent_.top;
  for (std::size_t k = 1; k < points.size(); ++k)
    if (points[k] - points[k - 1] >= 1)
      dimension(vertical, paper(points[k - 1]), paper(points[k]), edge - kChainLine,
                numberText(std::round(points[k] - points[k - 1])));
  if (lines > 2) {
    std::vector<double> planGrid;
    for (std::size_t i : drawn) planGrid.push_back(grid[i]);
    overall(vertical, planGrid, edge - kOverallLine);
  }
}

void PlanDrawing::column(const PlanBlock& b, Id id) {
  const Rect c = blockRect(b);
  if (b.sideX > 0) {
    Primitive col = styled(draw::box(c.left, c.top, c.right, c.bottom), Role::Column, kColumnWidth, LineStyle::Solid, id);
    col.filled = true;
    col.fillColour = kColumnFill;
    out_.push_back(col);
  } else {
    const double x = at_.x(b.cx), z = at_.z(b.cz);
    out_.push_back(styled(draw::line(x - 1.2, z, x + 1.2, z), Role::Column, kColumnWidth, LineStyle::Solid, id));
    out_.push_back(styled(draw::line(x, z - 1.2, x, z + 1.2), Role::Column, kColumnWidth, LineStyle::Solid, id));
  }
  blocks_.take(c);
}

void PlanDrawing::outline(const PlanFooting& f) {
  const Id id = f.kind == PlanFooting::Kind::Combined ? Id::combined(f.index) : Id::footing(f.index);
  const Rect r = paperRect(f.outline);
  out_.push_back(styled(draw::box(r.left, r.top, r.right, r.bottom),
                        f.kind == PlanFooting::Kind::Combined ? Role::CombinedOutline : Role::FootingOutline,
                        kFootingWidth, LineStyle::Solid, id));
  outlines_.take(r);
  for (const PlanBlock& b : f.pedestals) {
    const Rect p = blockRect(b);
    out_.push_back(styled(draw::box(p.left, p.top, p.right, p.bottom), Role::Pedestal, kPedestalWidth, LineStyle::Solid, id));
    blocks_.take(p);
  }
  for (const PlanBlock& b : f.columns) column(b, id);
}

}  // namespace plintova::print::plan
