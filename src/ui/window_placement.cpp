// Where the program's windows go: the tool windows where they cover least of what is needed, the detail
// popups beside the footing they show.
#include "ui/window_placement.h"

#include <algorithm>
#include <cmath>

namespace plintova {

namespace {

double overlap(const QRect& a, const QRect& b) {
  const QRect i = a.intersected(b);
  return i.isEmpty() ? 0.0 : static_cast<double>(i.width()) * i.height();
}

// Top-left corner that keeps a window of `size` inside `bounds` (its top-left corner when it is larger).
QPoint keptInside(QPoint at, QSize size, const QRect& bounds) {
  at.setX(std::clamp(at.x(), bounds.left(), std::max(bounds.left(), bounds.right() - size.width() + 1)));
  at.setY(std::clamp(at.y(), bounds.top(), std::max(bounds.top(), bounds.bottom() - size.height() + 1)));
  return at;
}

// The candidate of least cost, the first of equal cost.
template <class Cost>
QPoint cheapest(const std::vector<QPoint>& candidates, Cost cost) {
  double best = -1;
  QPoint bestAt;
  for (const QPoint& at : candidates) {
    const double c = cost(at);
    if (best < 0 || c < best) {
      best = c;
      bestAt = at;
    }
  }
  return bestAt;
}

}  // namespace

QPoint toolWindowPlace(QSize size, const ToolWindowScene& scene) {
  const QRect& frame = scene.mainFrame;
  const QRect& plan = scene.plan;
  const int gap = 8;
  std::vector<QPoint> candidates = {
      {frame.right() + 1, frame.top()},
      {frame.left(), frame.bottom() + 1},
      {frame.left() - size.width() - 1, frame.top()},
      {frame.right() + 1, frame.bottom() - size.height()},
      {frame.right() - size.width(), frame.bottom() + 1},
      {plan.right() - size.width() - gap, plan.top() + gap},
      {plan.left() + gap, plan.top() + gap},
      {plan.right() - size.width() - gap, plan.bottom() - size.height() - gap},
      {plan.left() + gap, plan.bottom() - size.height() - gap},
  };
  for (QPoint& at : candidates) at = keptInside(at, size, scene.screen);  // kept on the screen
  return cheapest(candidates, [&](QPoint at) {
    const QRect r(at, size);
    double cost = 1000 * (overlap(r, scene.commands) + overlap(r, scene.groupRow));
    for (const QRect& o : scene.others) cost += 100 * overlap(r, o);
    return cost + overlap(r, plan);
  });
}

QPoint popupPlace(QSize size, const PopupScene& scene) {
  const QRect planArea = scene.plan.intersected(scene.screen);
  const bool fitsPlan = planArea.width() >= size.width() && planArea.height() >= size.height();
  const QRect bounds = fitsPlan ? planArea : scene.mainFrame.intersected(scene.screen);
  const QRect& footing = scene.footing;
  const int gap = 12;
  const QPoint c = footing.center();
  const int w = size.width(), h = size.height();
  std::vector<QPoint> candidates = {
      {footing.right() + gap, c.y() - h / 2},          {footing.left() - gap - w, c.y() - h / 2},
      {c.x() - w / 2, footing.bottom() + gap},         {c.x() - w / 2, footing.top() - gap - h},
      {footing.right() + gap, footing.bottom() + gap}, {footing.left() - gap - w, footing.bottom() + gap},
      {footing.right() + gap, footing.top() - gap - h}, {footing.left() - gap - w, footing.top() - gap - h},
      // Where the footing's sides are all taken by the schedule, the plan's corners still may be free.
      bounds.topLeft(), bounds.topRight() - QPoint(w, 0), bounds.bottomLeft() - QPoint(0, h),
      bounds.bottomRight() - QPoint(w, h),
  };
  for (QPoint& at : candidates) at = keptInside(keptInside(at, size, bounds), size, scene.screen);
  return cheapest(candidates, [&](QPoint at) {
    const QRect r(at, size);
    double cost = 1e6 * overlap(r, scene.schedule) + 1e4 * overlap(r, footing);
    for (const QRect& o : scene.others) cost += 100 * overlap(r, o);
    return cost + std::hypot(r.center().x() - c.x(), r.center().y() - c.y());
  });
}

}  // namespace plintova
