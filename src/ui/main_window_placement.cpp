// Where the main window's tool windows go: the schedule and the column window where they cover least of
// what is needed, the detail popups beside the footing they show, inside the plan.
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "model/project.h"
#include "ui/column_window.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"

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

}  // namespace

QSize MainWindow::frameSizeOf(QWidget* window) const {
  // A window not shown yet has no frame: take it as large as the main window's frame makes a window.
  const QSize frameExtra = frameGeometry().size() - size();
  return window->isVisible() ? window->frameGeometry().size() : window->size() + frameExtra;
}

QRect MainWindow::availableScreen() const {
  return screen() ? screen()->availableGeometry() : QRect(0, 0, 1600, 1000);
}

void MainWindow::placeToolWindow(QWidget* window) {
  // Where it covers least of what is needed: never the commands or the group row if it can be helped,
  // then no other open window of the program, then as little of the plan as possible. Candidates lie
  // around the main window first, then in the corners of the plan.
  const QRect avail = availableScreen();
  const QRect frame = frameGeometry();
  const QSize size = frameSizeOf(window);
  const QRect planArea(plan_->mapToGlobal(QPoint(0, 0)), plan_->size());
  const QRect commands(topBar_->mapToGlobal(QPoint(0, 0)), topBar_->size());
  const QRect groupRow(QPoint(planArea.left(), planArea.bottom() + 1),
                       central_->mapToGlobal(QPoint(central_->width(), central_->height())));
  std::vector<QRect> others;
  for (QWidget* other : {static_cast<QWidget*>(schedule_), static_cast<QWidget*>(footingPopup_),
                         static_cast<QWidget*>(combinedPopup_), static_cast<QWidget*>(column_.data())})
    if (other && other != window && other->isVisible()) others.push_back(other->frameGeometry());

  const int gap = 8;
  const std::vector<QPoint> candidates = {
      {frame.right() + 1, frame.top()},
      {frame.left(), frame.bottom() + 1},
      {frame.left() - size.width() - 1, frame.top()},
      {frame.right() + 1, frame.bottom() - size.height()},
      {frame.right() - size.width(), frame.bottom() + 1},
      {planArea.right() - size.width() - gap, planArea.top() + gap},
      {planArea.left() + gap, planArea.top() + gap},
      {planArea.right() - size.width() - gap, planArea.bottom() - size.height() - gap},
      {planArea.left() + gap, planArea.bottom() - size.height() - gap},
  };
  double best = -1;
  QPoint bestAt;
  for (QPoint at : candidates) {
    at = keptInside(at, size, avail);  // kept on the screen
    const QRect r(at, size);
    double cost = 1000 * (overlap(r, commands) + overlap(r, groupRow));
    for (const QRect& o : others) cost += 100 * overlap(r, o);
    cost += overlap(r, planArea);
    if (best < 0 || cost < best) {
      best = cost;
      bestAt = at;
    }
  }
  window->move(bestAt);
}

QRect MainWindow::footingOnScreen(int s) const {
  const FootingRecord& f = project_.FootingTable[s];
  QRectF r = plan_->labelRect(s);
  auto add = [&](double x1, double z1, double x2, double z2) {
    r = r.united(QRectF(plan_->toPixels(x1, z1), plan_->toPixels(x2, z2)).normalized());
  };
  if (f.CombNo > 0 && f.CombNo <= project_.CombinedCount) {
    const CombinedFootingRecord& cf = project_.CombinedFootingTable[f.CombNo];
    add(cf.CfLeft, cf.CfTop, cf.CfRight, cf.CfBottom);
  } else {
    add(f.DrawX1, f.DrawZ1, f.DrawX2, f.DrawZ2);
  }
  return QRect(plan_->mapToGlobal(r.topLeft().toPoint()), plan_->mapToGlobal(r.bottomRight().toPoint()));
}

void MainWindow::placePopupBeside(QWidget* popup, int s) {
  // Beside the footing, so that the footing and its popup are seen together: inside the plan when the
  // popup fits there, always on the screen, never over the schedule (its rows are what a popup is read
  // against), then over as little as possible of another tool window.
  const QRect avail = availableScreen();
  const QSize size = frameSizeOf(popup);
  const QRect planArea = QRect(plan_->mapToGlobal(QPoint(0, 0)), plan_->size()).intersected(avail);
  const bool fitsPlan = planArea.width() >= size.width() && planArea.height() >= size.height();
  const QRect bounds = fitsPlan ? planArea : frameGeometry().intersected(avail);
  const QRect footing = footingOnScreen(s);
  std::vector<QRect> others;
  for (QWidget* other : {static_cast<QWidget*>(footingPopup_), static_cast<QWidget*>(combinedPopup_),
                         static_cast<QWidget*>(column_.data())})
    if (other && other != popup && other->isVisible()) others.push_back(other->frameGeometry());
  const QRect schedule = schedule_->isVisible() ? schedule_->frameGeometry() : QRect();

  const int gap = 12;
  const QPoint c = footing.center();
  const int w = size.width(), h = size.height();
  const std::vector<QPoint> candidates = {
      {footing.right() + gap, c.y() - h / 2},      {footing.left() - gap - w, c.y() - h / 2},
      {c.x() - w / 2, footing.bottom() + gap},     {c.x() - w / 2, footing.top() - gap - h},
      {footing.right() + gap, footing.bottom() + gap}, {footing.left() - gap - w, footing.bottom() + gap},
      {footing.right() + gap, footing.top() - gap - h}, {footing.left() - gap - w, footing.top() - gap - h},
  };
  double best = -1;
  QPoint bestAt;
  auto consider = [&](QPoint at) {
    at = keptInside(keptInside(at, size, bounds), size, avail);
    const QRect r(at, size);
    double cost = 1e6 * overlap(r, schedule) + 1e4 * overlap(r, footing);
    for (const QRect& o : others) cost += 100 * overlap(r, o);
    cost += std::hypot(r.center().x() - c.x(), r.center().y() - c.y());
    if (best < 0 || cost < best) {
      best = cost;
      bestAt = at;
    }
  };
  for (const QPoint& at : candidates) consider(at);
  // Where the footing's sides are all taken by the schedule, the plan's corners still may be free.
  for (const QPoint& at : {bounds.topLeft(), bounds.topRight() - QPoint(w, 0), bounds.bottomLeft() - QPoint(0, h),
                           bounds.bottomRight() - QPoint(w, h)})
    consider(at);
  popup->move(bestAt);
}

}  // namespace plintova
