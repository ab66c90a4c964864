// The plan on the drawing sheet: what will be built and its drawing with bubbles, dimensions and marks.
#include "print/sheet_plan.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "model/numbers.h"
#include "print/sheet_layout.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::HAlign;
using draw::Id;
using draw::LineStyle;
using draw::Primitive;
using draw::Rect;
using draw::Role;
using draw::VAlign;

namespace {

// Paper millimetres around the drawn extent (see kBandBefore and kBandAfter).
constexpr double kBubbleRadius = 4.5;
constexpr double kChainLine = 7;     // first dimension line, from the extent
constexpr double kOverallLine = 14;  // overall dimension line
constexpr double kBubbleNear = 23;   // bubble centre on the dimensioned sides
constexpr double kBubbleFar = 8.5;   // bubble centre on the other sides
constexpr double kOffsetLine = 2.2;  // offset dimension line from the footing's edge

// Point sizes.
constexpr double kGridNameText = 9;
constexpr double kDimensionText = 7.5;
constexpr double kMarkText = 8.5;
constexpr double kOffsetText = 7;
constexpr double kMatchText = 7.5;

// Line widths in tenths of a millimetre on paper.
constexpr double kGridWidth = 1.8;
constexpr double kBubbleWidth = 2.5;
constexpr double kDimensionWidth = 1.3;
constexpr double kFootingWidth = 3.5;
constexpr double kPedestalWidth = 2.5;
constexpr double kColumnWidth = 1.5;
constexpr double kMatchWidth = 6;

constexpr draw::Rgb kColumnFill{70, 70, 70};

Primitive styled(Primitive p, Role role, double width, LineStyle style = LineStyle::Solid, Id id = {}) {
  p.role = role;
  p.width = width;
  p.style = style;
  p.id = id;
  return p;
}

// Pedestal side (m) of a group's footings: the schedule row of the group's mark, else the size group's.
double groupPedestal(const Project& p, const FootingRecord& f) {
  for (int r = 1; r <= std::min<int>(p.DesignGroupCount, cap::kSizeGroups); ++r)
    if (p.DesignGroupTable[r].GroupMark == f.GroupRank && p.DesignGroupTable[r].MemberCount > 0)
      return p.DesignGroupTable[r].PedestalSize;
  if (f.GroupNo >= 1 && f.GroupNo <= std::min<int>(p.SizeGroupCount, cap::kSizeGroups))
    return p.SizeGroupTable[f.GroupNo].PedestalSize;
  return 0;
}

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

void addPedestal(std::vector<PlanBlock>& out, const FootingRecord& f, double sideMetres) {
  if (sideMetres > 0)
    out.push_back({static_cast<double>(f.ColumnX), static_cast<double>(f.ColumnZ), sideMetres * 1000, sideMetres * 1000});
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

Rect paperRect(const PlanPlacement& at, const Rect& r) { return {at.x(r.left), at.z(r.top), at.x(r.right), at.z(r.bottom)}; }

Rect blockRect(const PlanPlacement& at, const PlanBlock& b) {
  return {at.x(b.cx - b.sideX / 2), at.z(b.cz - b.sideZ / 2), at.x(b.cx + b.sideX / 2), at.z(b.cz + b.sideZ / 2)};
}

bool inside(const Rect& inner, const Rect& outer, double pad) {
  return inner.left >= outer.left + pad && inner.right <= outer.right - pad && inner.top >= outer.top + pad &&
         inner.bottom <= outer.bottom - pad;
}

// A text of the plan centred on (x, z), and where it lies.
struct Label {
  Primitive text;
  Rect rect;
};

Label labelAt(const Primitive& proto, double x, double z, const draw::TextMeasure& measure) {
  Primitive p = proto;
  p.x1 = p.x2 = x;
  p.z1 = p.z2 = z;
  return {p, textRect(p, measure)};
}

class PlanDrawing {
 public:
  PlanDrawing(const PlanContent& content, const PlanPart& part, const PlanPlacement& at,
              const draw::TextMeasure& measure, std::vector<Primitive>& out)
      : content_(content), part_(part), at_(at), measure_(measure), out_(out), placer_(0.4) {}

  void draw() {
    for (std::size_t i = 0; i < content_.gridX.size(); ++i)
      if (inPart(part_, content_.gridX[i], part_.range.top)) xs_.push_back(i);
    for (std::size_t i = 0; i < content_.gridZ.size(); ++i)
      if (inPart(part_, part_.range.left, content_.gridZ[i])) zs_.push_back(i);
    for (const PlanFooting& f : content_.footings)
      if (inPart(part_, f.cx, f.cz)) footings_.push_back(&f);
    extent_ = paperRect(at_, partExtent(content_, part_));

    gridLines();
    matchLines();
    dimensionChains();
    for (const PlanFooting* f : footings_) outline(*f);
    for (const PlanFooting* f : footings_) mark(*f);
    for (const PlanFooting* f : footings_) offsets(*f);
  }

 private:
  const PlanContent& content_;
  const PlanPart& part_;
  const PlanPlacement& at_;
  const draw::TextMeasure& measure_;
  std::vector<Primitive>& out_;
  Placer placer_;
  std::vector<std::size_t> xs_, zs_;
  std::vector<const PlanFooting*> footings_;
  std::vector<Rect> outlines_;
  Rect extent_;

  void bubble(double x, double z, const std::string& name) {
    out_.push_back(styled(draw::circle(x, z, kBubbleRadius), Role::SheetGrid, kBubbleWidth));
    Primitive t = sheetText(x, z, name, kGridNameText, Role::GridName, true);
    // Long names shrink to stay inside the circle, never below the smallest text.
    const double room = 2 * kBubbleRadius - 1.8;
    const double w = measure_ ? measure_(t).width : 0;
    if (w > room) t.fontSize = std::max(kSmallestText, kGridNameText * room / w);
    out_.push_back(t);
    placer_.take({x - kBubbleRadius, z - kBubbleRadius, x + kBubbleRadius, z + kBubbleRadius});
  }

  void gridLines() {
    const double top = extent_.top - kBubbleNear, bottom = extent_.bottom + kBubbleFar;
    const double left = extent_.left - kBubbleNear, right = extent_.right + kBubbleFar;
    for (std::size_t i : xs_) {
      const double x = at_.x(content_.gridX[i]);
      out_.push_back(styled(draw::line(x, top + kBubbleRadius, x, bottom - kBubbleRadius), Role::SheetGrid, kGridWidth,
                            LineStyle::DashDot));
      bubble(x, top, gridNumberName(static_cast<int>(i) + 1));
      bubble(x, bottom, gridNumberName(static_cast<int>(i) + 1));
    }
    for (std::size_t i : zs_) {
      const double z = at_.z(content_.gridZ[i]);
      out_.push_back(styled(draw::line(left + kBubbleRadius, z, right - kBubbleRadius, z), Role::SheetGrid, kGridWidth,
                            LineStyle::DashDot));
      bubble(left, z, gridLetterName(static_cast<int>(i) + 1));
      bubble(right, z, gridLetterName(static_cast<int>(i) + 1));
    }
  }

  // A match line along the cut edge of the part, with the sheet beyond it.
  void matchLine(bool vertical, double at, int sheet) {
    const std::string s = "MATCH LINE - SEE SHEET " + std::to_string(sheet);
    Primitive proto = sheetText(0, 0, s, kMatchText, Role::SheetGrid, true);
    proto.vertical = vertical;
    proto.filled = true;
    if (vertical) {
      const double top = extent_.top - kBubbleNear, bottom = extent_.bottom + kBubbleFar;
      out_.push_back(styled(draw::line(at, top, at, bottom), Role::SheetGrid, kMatchWidth, LineStyle::DashDot));
      place(proto, {{at, (extent_.top + extent_.bottom) / 2}, {at, extent_.top + (extent_.bottom - extent_.top) / 4},
                    {at, extent_.bottom - (extent_.bottom - extent_.top) / 4}, {at, extent_.top - kOverallLine / 2}});
    } else {
      const double left = extent_.left - kBubbleNear, right = extent_.right + kBubbleFar;
      out_.push_back(styled(draw::line(left, at, right, at), Role::SheetGrid, kMatchWidth, LineStyle::DashDot));
      place(proto, {{(extent_.left + extent_.right) / 2, at}, {extent_.left + (extent_.right - extent_.left) / 4, at},
                    {extent_.right - (extent_.right - extent_.left) / 4, at}});
    }
  }

  void matchLines() {
    if (part_.cutLeft) matchLine(true, at_.x(part_.range.left), part_.sheetLeft);
    if (part_.cutRight) matchLine(true, at_.x(part_.range.right), part_.sheetRight);
    if (part_.cutTop) matchLine(false, at_.z(part_.range.top), part_.sheetAbove);
    if (part_.cutBottom) matchLine(false, at_.z(part_.range.bottom), part_.sheetBelow);
  }

  // The first free of the candidate centres for a text (the first of all when none is free).
  Rect place(const Primitive& proto, const std::vector<draw::Point>& centres,
             const std::function<bool(const Rect&)>& fits = {}) {
    std::optional<Label> chosen;
    for (const draw::Point& c : centres) {
      Label l = labelAt(proto, c.x, c.z, measure_);
      if (placer_.isFree(l.rect) && (!fits || fits(l.rect))) {
        chosen = l;
        break;
      }
    }
    if (!chosen) chosen = labelAt(proto, centres.front().x, centres.front().z, measure_);
    out_.push_back(chosen->text);
    placer_.take(chosen->rect);
    return chosen->rect;
  }

  void ticks(double x, double z) {
    out_.push_back(styled(draw::line(x - 0.9, z + 0.9, x + 0.9, z - 0.9), Role::Dimension, 2.5));
  }

  // A dimension between a and b (paper) along X at height z (vertical = false) or along Z at x.
  void dimension(bool vertical, double a, double b, double across, const std::string& value, bool secondTier) {
    if (a > b) std::swap(a, b);
    if (vertical) {
      out_.push_back(styled(draw::line(across, a - 1, across, b + 1), Role::Dimension, kDimensionWidth));
      ticks(across, a);
      ticks(across, b);
    } else {
      out_.push_back(styled(draw::line(a - 1, across, b + 1, across), Role::Dimension, kDimensionWidth));
      ticks(a, across);
      ticks(b, across);
    }
    Primitive proto = sheetText(0, 0, value, kDimensionText, Role::Dimension);
    proto.vertical = vertical;
    proto.filled = true;  // a grid line between the dimensioned ones passes behind the figure
    const draw::TextSize size = measure_ ? measure_(proto) : draw::TextSize{};
    const double mid = (a + b) / 2, h = size.height;
    // Above the line (left of it when upright), then a tier further out, then on the other side.
    std::vector<draw::Point> centres;
    const double offsets[] = {-(0.6 + h / 2), -(0.9 + 1.5 * h), 0.6 + h / 2};
    for (int k = 0; k < 3; ++k) {
      if (k == 1 && !secondTier) continue;
      centres.push_back(vertical ? draw::Point{across + offsets[k], mid} : draw::Point{mid, across + offsets[k]});
    }
    const double span = b - a;
    place(proto, centres, [&](const Rect& r) {
      // Within the span it measures, so that neighbouring figures never run together.
      return vertical ? r.bottom - r.top <= span - 0.6 : r.right - r.left <= span - 0.6;
    });
  }

  void dimensionChains() {
    const double top = extent_.top, left = extent_.left;
    for (std::size_t k = 1; k < xs_.size(); ++k) {
      const double a = content_.gridX[xs_[k - 1]], b = content_.gridX[xs_[k]];
      dimension(false, at_.x(a), at_.x(b), top - kChainLine, numberText(std::round(b - a)), true);
    }
    if (xs_.size() > 2) {
      const double a = content_.gridX[xs_.front()], b = content_.gridX[xs_.back()];
      dimension(false, at_.x(a), at_.x(b), top - kOverallLine, numberText(std::round(b - a)), false);
    }
    for (std::size_t k = 1; k < zs_.size(); ++k) {
      const double a = content_.gridZ[zs_[k - 1]], b = content_.gridZ[zs_[k]];
      dimension(true, at_.z(a), at_.z(b), left - kChainLine, numberText(std::round(b - a)), true);
    }
    if (zs_.size() > 2) {
      const double a = content_.gridZ[zs_.front()], b = content_.gridZ[zs_.back()];
      dimension(true, at_.z(a), at_.z(b), left - kOverallLine, numberText(std::round(b - a)), false);
    }
  }

  static Id idOf(const PlanFooting& f) {
    return f.kind == PlanFooting::Kind::Combined ? Id::combined(f.index) : Id::footing(f.index);
  }

  void outline(const PlanFooting& f) {
    const Rect r = paperRect(at_, f.outline);
    out_.push_back(styled(draw::box(r.left, r.top, r.right, r.bottom), f.kind == PlanFooting::Kind::Combined
                                                                             ? Role::CombinedOutline
                                                                             : Role::FootingOutline,
                          kFootingWidth, LineStyle::Solid, idOf(f)));
    outlines_.push_back(r);
    for (const PlanBlock& b : f.pedestals) {
      const Rect p = blockRect(at_, b);
      out_.push_back(styled(draw::box(p.left, p.top, p.right, p.bottom), Role::Pedestal, kPedestalWidth,
                            LineStyle::Solid, idOf(f)));
    }
    for (const PlanBlock& b : f.columns) {
      if (b.sideX > 0) {
        const Rect c = blockRect(at_, b);
        Primitive col = styled(draw::box(c.left, c.top, c.right, c.bottom), Role::Column, kColumnWidth,
                               LineStyle::Solid, idOf(f));
        col.filled = true;
        col.fillColour = kColumnFill;
        out_.push_back(col);
      } else {
        const double x = at_.x(b.cx), z = at_.z(b.cz);
        out_.push_back(styled(draw::line(x - 1.2, z, x + 1.2, z), Role::Column, kColumnWidth, LineStyle::Solid, idOf(f)));
        out_.push_back(styled(draw::line(x, z - 1.2, x, z + 1.2), Role::Column, kColumnWidth, LineStyle::Solid, idOf(f)));
      }
    }
  }

  bool clearOfOutlines(const Rect& r) const {
    for (const Rect& o : outlines_)
      if (overlaps(r, o, 0.2)) return false;
    return true;
  }

  // What stands inside a footing on paper: its pedestals and columns.
  Rect innerBlocks(const PlanFooting& f) const {
    Rect r{at_.x(f.cx), at_.z(f.cz), at_.x(f.cx), at_.z(f.cz)};
    bool any = false;
    auto add = [&](const PlanBlock& b) {
      const double hx = std::max(b.sideX / 2 / at_.scale, 1.2), hz = std::max(b.sideZ / 2 / at_.scale, 1.2);
      grow(r, any, at_.x(b.cx) - hx, at_.z(b.cz) - hz, at_.x(b.cx) + hx, at_.z(b.cz) + hz);
    };
    for (const PlanBlock& b : f.pedestals) add(b);
    for (const PlanBlock& b : f.columns) add(b);
    return r;
  }

  void mark(const PlanFooting& f) {
    const Rect F = paperRect(at_, f.outline);
    const Rect I = innerBlocks(f);
    Primitive proto = sheetText(0, 0, f.mark, kMarkText, Role::FootingMark, true);
    proto.id = idOf(f);
    proto.filled = true;
    const draw::TextSize size = measure_ ? measure_(proto) : draw::TextSize{};
    const double w = size.width, h = size.height;
    const double cx = (F.left + F.right) / 2, cz = (F.top + F.bottom) / 2;

    // Inside the footing, clear of its pedestals and columns.
    std::vector<draw::Point> inner;
    if (f.kind == PlanFooting::Kind::Combined) inner.push_back({cx, cz});
    inner.push_back({cx, (F.top + I.top) / 2});
    inner.push_back({cx, (I.bottom + F.bottom) / 2});
    inner.push_back({(F.left + I.left) / 2, cz});
    inner.push_back({(I.right + F.right) / 2, cz});
    for (const draw::Point& c : inner) {
      Label l = labelAt(proto, c.x, c.z, measure_);
      bool clearOfBlocks = true;
      for (const PlanBlock& b : f.pedestals) clearOfBlocks = clearOfBlocks && !overlaps(l.rect, blockRect(at_, b), 0.3);
      for (const PlanBlock& b : f.columns) clearOfBlocks = clearOfBlocks && !overlaps(l.rect, blockRect(at_, b), 0.3);
      if (f.kind != PlanFooting::Kind::Combined) clearOfBlocks = clearOfBlocks && !overlaps(l.rect, I, 0.3);
      if (inside(l.rect, F, 0.4) && clearOfBlocks && placer_.isFree(l.rect)) {
        out_.push_back(l.text);
        placer_.take(l.rect);
        return;
      }
    }
    // Outside, next to it, further out step by step; a leader joins a mark set off from its footing.
    for (double d : {0.8, 3.0, 6.0}) {
      const draw::Point around[] = {
          {cx, F.top - d - h / 2},          {cx, F.bottom + d + h / 2},           {F.right + d + w / 2, cz},
          {F.left - d - w / 2, cz},         {F.right + d + w / 2, F.top - d - h / 2}, {F.left - d - w / 2, F.top - d - h / 2},
          {F.right + d + w / 2, F.bottom + d + h / 2}, {F.left - d - w / 2, F.bottom + d + h / 2}};
      for (const draw::Point& c : around) {
        Label l = labelAt(proto, c.x, c.z, measure_);
        if (!clearOfOutlines(l.rect) || !placer_.isFree(l.rect)) continue;
        out_.push_back(l.text);
        placer_.take(l.rect);
        if (d > 1) leader(F, l.rect);
        return;
      }
    }
    Label l = labelAt(proto, cx, F.top - 0.8 - h / 2, measure_);
    out_.push_back(l.text);
    placer_.take(l.rect);
  }

  void leader(const Rect& from, const Rect& to) {
    const double tx = std::clamp((from.left + from.right) / 2, to.left, to.right);
    const double tz = std::clamp((from.top + from.bottom) / 2, to.top, to.bottom);
    const double fx = std::clamp(tx, from.left, from.right), fz = std::clamp(tz, from.top, from.bottom);
    out_.push_back(styled(draw::line(fx, fz, tx, tz), Role::FootingMark, 1));
  }

  // The grid line nearest to v among those the part draws, if any.
  static std::optional<double> nearestGrid(const std::vector<double>& grid, const std::vector<std::size_t>& drawn,
                                           double v) {
    std::optional<double> best;
    for (std::size_t i : drawn)
      if (!best || std::fabs(grid[i] - v) < std::fabs(*best - v)) best = grid[i];
    return best;
  }

  // Where an offset dimension may go: its line at `line`, across from the footing edge at `edge`.
  struct Side {
    double line = 0, edge = 0;
    double outward() const { return line > edge ? 1 : -1; }
  };

  // The distance of the footing's centre from its grid lines, along X and along Z, where it is not on them.
  void offsets(const PlanFooting& f) {
    const Rect F = paperRect(at_, f.outline);
    if (auto gx = nearestGrid(content_.gridX, xs_, f.cx); gx && std::fabs(std::round(f.cx - *gx)) >= 1)
      offsetDimension(false, at_.x(*gx), at_.x(f.cx), numberText(std::fabs(std::round(f.cx - *gx))),
                      {F.bottom + kOffsetLine, F.bottom}, {F.top - kOffsetLine, F.top});
    if (auto gz = nearestGrid(content_.gridZ, zs_, f.cz); gz && std::fabs(std::round(f.cz - *gz)) >= 1)
      offsetDimension(true, at_.z(*gz), at_.z(f.cz), numberText(std::fabs(std::round(f.cz - *gz))),
                      {F.right + kOffsetLine, F.right}, {F.left - kOffsetLine, F.left});
  }

  // An offset dimension from grid line a to centre b (paper, along X or along Z when vertical), on the
  // first side where its figure is free, else on the second; the figure stands outside the line.
  void offsetDimension(bool vertical, double a, double b, const std::string& value, Side first, Side second) {
    Primitive proto = sheetText(0, 0, value, kOffsetText, Role::Dimension);
    proto.vertical = vertical;
    proto.filled = true;
    const double h = measure_ ? measure_(proto).height : 0, mid = (a + b) / 2;
    auto figure = [&](const Side& s) {
      const double across = s.line + s.outward() * (0.5 + h / 2);
      return vertical ? labelAt(proto, across, mid, measure_) : labelAt(proto, mid, across, measure_);
    };
    Side side = first;
    Label chosen = figure(first);
    for (const Side& s : {first, second}) {
      Label l = figure(s);
      if (placer_.isFree(l.rect) && clearOfOutlines(l.rect)) {
        side = s;
        chosen = l;
        break;
      }
    }
    const double lo = std::min(a, b) - 0.8, hi = std::max(a, b) + 0.8, beyond = side.line + side.outward() * 0.8;
    if (vertical) {
      out_.push_back(styled(draw::line(side.line, lo, side.line, hi), Role::Dimension, kDimensionWidth));
      for (double v : {a, b}) {
        out_.push_back(styled(draw::line(side.edge, v, beyond, v), Role::Dimension, kDimensionWidth));
        ticks(side.line, v);
      }
    } else {
      out_.push_back(styled(draw::line(lo, side.line, hi, side.line), Role::Dimension, kDimensionWidth));
      for (double v : {a, b}) {
        out_.push_back(styled(draw::line(v, side.edge, v, beyond), Role::Dimension, kDimensionWidth));
        ticks(v, side.line);
      }
    }
    out_.push_back(chosen.text);
    placer_.take(chosen.rect);
  }
};

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
    if (f.CombNo != 0 && f.CombNo != -1) continue;
    PlanFooting pf;
    pf.kind = f.CombNo == 0 ? PlanFooting::Kind::Group : PlanFooting::Kind::Resized;
    pf.index = i;
    pf.mark = (f.CombNo == 0 ? "F" : "R") + std::to_string(f.GroupRank);
    pf.cx = f.PosX;
    pf.cz = f.PosZ;
    const double hl = f.SizeL * 500.0, hb = f.SizeB * 500.0;
    pf.outline = {pf.cx - hl, pf.cz - hb, pf.cx + hl, pf.cz + hb};
    double pedestal = 0;
    if (f.CombNo == 0) {
      pedestal = groupPedestal(p, f);
    } else if (const FootingRow* row = rowOf(p.RectangularRows, FootingRow::Kind::Rectangular, 0, {i})) {
      pedestal = row->PedestalSize;
    }
    addPedestal(pf.pedestals, f, pedestal);
    pf.columns.push_back(columnOf(p, f));
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
      if (row) addPedestal(pf.pedestals, f, row->PedestalSize);
      pf.columns.push_back(columnOf(p, f));
    }
    c.footings.push_back(std::move(pf));
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
                  const draw::TextMeasure& measure, std::vector<Primitive>& out) {
  PlanDrawing(content, part, at, measure, out).draw();
}

}  // namespace plintova::print
