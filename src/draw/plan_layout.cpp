// The main footing plan as pure functions of the model: fit, footing labels, outlines, grid and clash marks.
#include "draw/plan_layout.h"

#include "design/plan_checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "model/numbers.h"

namespace plintova::draw {

namespace {

constexpr Rgb kGridColour{120, 120, 120};
constexpr Rgb kRequiredColour{0, 140, 0};
constexpr Rgb kClashColour{220, 0, 0};
constexpr Rgb kDisabledColour{128, 128, 128};

int footingCount(const Project& p) { return std::clamp<int>(p.FootingCount, 0, cap::kFootings); }
int combinedCount(const Project& p) { return std::clamp<int>(p.CombinedCount, 0, cap::kCombined); }

// Extent of a level list (count in element 0): first and last level, 0 when the list is empty.
void levelExtent(const LimitedTable<Single, cap::kLevels + 1>& levels, double& first, double& last) {
  int n = std::clamp(static_cast<int>(levels[0]), 0, cap::kLevels);
  first = n > 0 ? static_cast<double>(levels[1]) : 0.0;
  last = n > 0 ? static_cast<double>(levels[n]) : 0.0;
}

}  // namespace

Rect footingRect(const FootingRecord& f) {
  double hl = f.SizeL * 1000.0 / 2, hb = f.SizeB * 1000.0 / 2;
  return {f.PosX - hl, f.PosZ - hb, f.PosX + hl, f.PosZ + hb};
}

namespace {

Rect combinedRect(const CombinedFootingRecord& c) {
  return {std::min(c.CfLeft, c.CfRight), std::min(c.CfBottom, c.CfTop), std::max(c.CfLeft, c.CfRight),
          std::max(c.CfBottom, c.CfTop)};
}

void addFootingOutlines(const Project& project, std::vector<Primitive>& out) {
  for (int s = 1; s <= footingCount(project); ++s) {
    const FootingRecord& f = project.FootingTable[s];
    if (f.Kind == FootingKind::Combined) continue;
    Rect r = footingRect(f);
    out.push_back(box(r.left, r.top, r.right, r.bottom, Role::FootingOutline, Id::footing(s)));
  }
  for (int k = 1; k <= combinedCount(project); ++k) {
    const CombinedFootingRecord& c = project.CombinedFootingTable[k];
    Primitive p = box(c.CfLeft, c.CfBottom, c.CfRight, c.CfTop, Role::CombinedOutline, Id::combined(k));
    p.width = 2;
    out.push_back(p);
  }
}

// One rectangle taking part in the clash search.
struct Piece {
  Rect r;
  Id id;
};

}  // namespace

Rect fitPlan(const Project& project, double pictureWidth, double pictureHeight) {
  double x1, xn, z1, zm;
  levelExtent(project.LevelX, x1, xn);
  levelExtent(project.LevelZ, z1, zm);
  double right = xn + 2000, left = x1 - 2000, bottom = zm + 2000, top = z1 - 2000;
  double W = right - left, H = bottom - top;
  double R = H / W;
  // A picture without area (a window being created) gets the plan itself, without bands.
  double P = pictureWidth > 0 && pictureHeight > 0 ? pictureHeight / pictureWidth : R;
  if (R < P) {
    double M = (W * P - H) / 2;
    return {left, top - M, right, bottom + M};
  }
  double M = (H / P - W) / 2;
  return {left - M, top, right + M, bottom};
}

std::string footingLabelText(const FootingRecord& f, const PlanOptions& options, const std::string& previous) {
  if (options.size) {
    if (f.Kind == FootingKind::Isolated) return numberText(f.SizeL);
    return numberText(f.SizeL) + "\r" + numberText(f.SizeB);
  }
  // A disabled footing keeps its number in brackets: something to click to enable it again.
  if (options.footingNos) return f.Kind == FootingKind::Disabled ? "(" + std::to_string(f.JointNo) + ")" : std::to_string(f.JointNo);
  if (options.groupNos) {
    if (f.Kind == FootingKind::Isolated) return "F" + std::to_string(f.GroupRank);
    if (f.Kind == FootingKind::HandResized) return "R" + std::to_string(f.GroupRank);
    if (f.Kind == FootingKind::Disabled) return "D";
    return "C" + std::to_string(f.CombinedNo);
  }
  return previous;
}

PlanPoint labelPosition(const FootingRecord& f, double digitWidth) {
  return {f.PosX - digitWidth, f.PosZ - digitWidth};
}

namespace {

// The grid goes under the footings so that it never hides an outline.
void addGrid(const Project& project, const Rect& visible, std::vector<Primitive>& out) {
  auto gridLine = [&](double x1, double z1, double x2, double z2) {
    Primitive p = line(x1, z1, x2, z2, Role::GridLine);
    p.style = LineStyle::DashDot;
    p.colour = kGridColour;
    out.push_back(p);
  };
  int nz = std::clamp(project.GridLineZ[0], 0, cap::kGridLines);
  int nx = std::clamp(project.GridLineX[0], 0, cap::kGridLines);
  for (int k = 1; k <= nz; ++k) gridLine(visible.left, project.GridLineZ[k], visible.right, project.GridLineZ[k]);
  for (int k = 1; k <= nx; ++k) gridLine(project.GridLineX[k], visible.top, project.GridLineX[k], visible.bottom);
}

// Required sizes go under the adopted outlines, which stay whole where the two coincide.
void addRequiredSizes(const Project& project, std::vector<Primitive>& out) {
  for (int s = 1; s <= footingCount(project); ++s) {
    const FootingRecord& f = project.FootingTable[s];
    if (f.Kind == FootingKind::Combined || f.Kind == FootingKind::Disabled || f.ReqSize <= 0) continue;
    double h = f.ReqSize * 1000.0 / 2;
    Primitive p = box(f.PosX - h, f.PosZ - h, f.PosX + h, f.PosZ + h, Role::RequiredSize, Id::footing(s));
    p.style = LineStyle::Dash;
    p.colour = kRequiredColour;
    out.push_back(p);
  }
}

// A dashed link between the centres of each pair of footings that clash or stand closer than the
// clearance, and each footing of such a pair outlined once.
void addGapMarks(const Project& project, std::vector<Primitive>& out) {
  std::vector<GapPair> pairs = findGapPairs(project);
  auto rectOf = [&](Id id) {
    return id.kind == Id::Kind::Footing ? footingRect(project.FootingTable[id.index])
                                        : combinedRect(project.CombinedFootingTable[id.index]);
  };
  std::vector<Id> marked;
  for (const GapPair& g : pairs) {
    Rect a = rectOf(g.a), b = rectOf(g.b);
    Primitive p = line((a.left + a.right) / 2, (a.top + a.bottom) / 2, (b.left + b.right) / 2,
                       (b.top + b.bottom) / 2, Role::GapLink);
    p.style = LineStyle::Dash;
    p.colour = kClashColour;
    out.push_back(p);
    marked.push_back(g.a);
    marked.push_back(g.b);
  }
  std::sort(marked.begin(), marked.end(),
            [](Id x, Id y) { return std::pair(x.kind, x.index) < std::pair(y.kind, y.index); });
  marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
  for (Id id : marked) {
    Rect r = rectOf(id);
    Primitive p = box(r.left, r.top, r.right, r.bottom, Role::GapOutline, id);
    p.width = 3;
    p.colour = kClashColour;
    out.push_back(p);
  }
}

// Footings the plan checks flag (overlapping, too close, a pedestal that does not fit): outlined in the
// flag colour whether or not "Gap " is ticked.
void addFlaggedOutlines(const Project& project, std::vector<Primitive>& out) {
  const int n = footingCount(project);
  for (const PlanCheck& c : planChecks(project))
    for (int s : c.footings) {
      if (s < 1 || s > n) continue;
      const FootingRecord& f = project.FootingTable[s];
      const bool combined = f.Kind == FootingKind::Combined && f.CombinedNo <= combinedCount(project);
      const Rect r = combined ? combinedRect(project.CombinedFootingTable[f.CombinedNo]) : footingRect(f);
      Primitive p = box(r.left, r.top, r.right, r.bottom, Role::GapOutline,
                        combined ? Id::combined(f.CombinedNo) : Id::footing(s));
      p.width = 3;
      p.colour = kClashColour;
      out.push_back(p);
    }
}

// Labels last: they lie on top and are found first when the plan is picked.
void addLabels(const Project& project, const PlanOptions& options, double digitWidth, std::vector<std::string>& labels,
               std::vector<Primitive>& out) {
  const int n = footingCount(project);
  if (labels.size() < static_cast<std::size_t>(n + 1)) labels.resize(static_cast<std::size_t>(n + 1));
  for (int s = 1; s <= n; ++s) {
    const FootingRecord& f = project.FootingTable[s];
    std::string& label = labels[static_cast<std::size_t>(s)];
    label = footingLabelText(f, options, label);
    PlanPoint at = labelPosition(f, digitWidth);
    Primitive p = text(at.x, at.z, label, HAlign::Left, VAlign::Top, Role::FootingLabel, Id::footing(s));
    p.fontSize = options.labelPointSize;
    p.filled = true;  // opaque, like a label control: a grid line never runs through the text
    if (f.NoTension) {
      p.bold = true;
      p.colour = kPureRed;
    }
    if (f.Kind == FootingKind::Disabled) p.colour = kDisabledColour;
    out.push_back(std::move(p));
  }
}

}  // namespace

std::vector<Primitive> drawPlan(const Project& project, const PlanOptions& options, const Rect& visible, double digitWidth,
                                std::vector<std::string>& labels) {
  std::vector<Primitive> out;
  out.reserve(static_cast<std::size_t>(3 * footingCount(project) + 64));
  if (options.grid) addGrid(project, visible, out);
  if (options.actualSizes) addRequiredSizes(project, out);
  addFootingOutlines(project, out);
  if (options.gap) addGapMarks(project, out);
  addFlaggedOutlines(project, out);
  addLabels(project, options, digitWidth, labels, out);
  return out;
}

std::vector<bool> legibleLabels(const std::vector<Primitive>& list, const TextMeasure& measure,
                                const std::function<bool(const Primitive&)>& candidate) {
  std::vector<std::pair<int, const Primitive*>> labels;
  int last = 0;
  for (const Primitive& p : list)
    if (p.role == Role::FootingLabel && p.id.kind == Id::Kind::Footing && p.id.index >= 0) {
      labels.emplace_back(p.id.index, &p);
      last = std::max(last, p.id.index);
    }
  std::vector<bool> drawn(static_cast<std::size_t>(last) + 1, false);
  std::stable_sort(labels.begin(), labels.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  // The labels drawn so far, sorted by their left edge: a new label only needs comparing with those
  // that start before it ends, and of those only the ones that end after it starts.
  std::vector<Rect> placed;
  double widest = 0;
  // Most labels repeat a few texts (group marks): each text is measured once.
  std::map<std::tuple<std::string, bool, double>, TextSize> sizes;
  for (const auto& [s, p] : labels) {
    if (p->text.empty() || (candidate && !candidate(*p))) continue;
    auto [size, fresh] = sizes.try_emplace({p->text, p->bold, p->fontSize});
    if (fresh) size->second = measure(*p);
    const Rect r = textBounds(*p, size->second);
    auto end = std::lower_bound(placed.begin(), placed.end(), r.right,
                                [](const Rect& q, double x) { return q.left < x; });
    auto begin = std::lower_bound(placed.begin(), end, r.left - widest,
                                  [](const Rect& q, double x) { return q.left < x; });
    bool clear = true;
    for (auto it = begin; it != end && clear; ++it)
      clear = !(it->right > r.left && it->top < r.bottom && r.top < it->bottom);
    if (!clear) continue;
    drawn[static_cast<std::size_t>(s)] = true;
    placed.insert(std::upper_bound(placed.begin(), placed.end(), r.left,
                                   [](double x, const Rect& q) { return x < q.left; }),
                  r);
    widest = std::max(widest, r.right - r.left);
  }
  return drawn;
}

Primitive selectionWindow(double x1, double z1, double x2, double z2) {
  Primitive p = box(x1, z1, x2, z2, Role::Selection);
  p.style = LineStyle::Dot;
  return p;
}

std::vector<GapPair> findGapPairs(const Project& project, double clearance) {
  std::vector<Piece> pieces;
  for (int s = 1; s <= footingCount(project); ++s) {
    const FootingRecord& f = project.FootingTable[s];
    if (f.Kind == FootingKind::Isolated || f.Kind == FootingKind::HandResized) pieces.push_back({footingRect(f), Id::footing(s)});
  }
  for (int k = 1; k <= combinedCount(project); ++k)
    pieces.push_back({combinedRect(project.CombinedFootingTable[k]), Id::combined(k)});

  // Sweep along X: once a piece starts further right than this one ends plus the clearance, no later
  // piece in the sorted order can be close to it along X.
  std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.r.left < b.r.left; });
  auto order = [](Id x, Id y) { return std::pair(x.kind, x.index) < std::pair(y.kind, y.index); };
  std::vector<GapPair> pairs;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Rect& a = pieces[i].r;
    for (std::size_t j = i + 1; j < pieces.size() && pieces[j].r.left < a.right + clearance; ++j) {
      const Rect& b = pieces[j].r;
      double dx = std::max(0.0, std::max(a.left, b.left) - std::min(a.right, b.right));
      double dz = std::max(0.0, std::max(a.top, b.top) - std::min(a.bottom, b.bottom));
      if (std::hypot(dx, dz) < clearance) {
        Id x = pieces[i].id, y = pieces[j].id;
        pairs.push_back(order(x, y) ? GapPair{x, y} : GapPair{y, x});
      }
    }
  }
  std::sort(pairs.begin(), pairs.end(), [&](const GapPair& p, const GapPair& q) {
    if (!(p.a == q.a)) return order(p.a, q.a);
    return order(p.b, q.b);
  });
  return pairs;
}

SelectionLabels selectionLabels(const Project& project, int s, double digitWidth, double outlineLeft) {
  const FootingRecord& f = project.FootingTable[s];
  SelectionLabels out;
  out.numberBox = labelPosition(f, digitWidth);
  out.numberText = std::to_string(f.JointNo);
  out.sizeText = numberText(roundTo(f.SizeL, 2)) + " X " + numberText(roundTo(f.SizeB, 2));
  double top = out.numberBox.z - 600;
  if (top < 0) top = out.numberBox.z + 600;
  out.sizeLabel = {outlineLeft, top};
  return out;
}

}  // namespace plintova::draw
