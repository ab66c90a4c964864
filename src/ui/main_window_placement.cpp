// What the placement of the main window's tool windows and detail popups needs to know of the windows
// on the screen (the rule itself is ui/window_placement).
#include <QScreen>

#include "model/project.h"
#include "ui/column_window.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"
#include "ui/window_placement.h"

namespace plintova {

QSize MainWindow::frameSizeOf(QWidget* window) const {
  // A window not shown yet has no frame: take it as large as the main window's frame makes a window.
  const QSize frameExtra = frameGeometry().size() - size();
  return window->isVisible() ? window->frameGeometry().size() : window->size() + frameExtra;
}

QRect MainWindow::availableScreen() const {
  return screen() ? screen()->availableGeometry() : QRect(0, 0, 1600, 1000);
}

void MainWindow::placeToolWindow(QWidget* window) {
  ToolWindowScene scene;
  scene.screen = availableScreen();
  scene.mainFrame = frameGeometry();
  scene.plan = QRect(plan_->mapToGlobal(QPoint(0, 0)), plan_->size());
  scene.commands = QRect(topBar_->mapToGlobal(QPoint(0, 0)), topBar_->size());
  scene.groupRow = QRect(QPoint(scene.plan.left(), scene.plan.bottom() + 1),
                         central_->mapToGlobal(QPoint(central_->width(), central_->height())));
  for (QWidget* other : {static_cast<QWidget*>(schedule_), static_cast<QWidget*>(footingPopup_),
                         static_cast<QWidget*>(combinedPopup_), static_cast<QWidget*>(column_.data())})
    if (other && other != window && other->isVisible()) scene.others.push_back(other->frameGeometry());
  window->move(toolWindowPlace(frameSizeOf(window), scene));
}

QRect MainWindow::footingOnScreen(int s) const {
  const FootingRecord& f = project_.FootingTable[s];
  QRectF r = plan_->labelRect(s);
  auto add = [&](double x1, double z1, double x2, double z2) {
    r = r.united(QRectF(plan_->toPixels(x1, z1), plan_->toPixels(x2, z2)).normalized());
  };
  if (f.Kind == FootingKind::Combined && f.CombinedNo <= project_.CombinedCount) {
    const CombinedFootingRecord& cf = project_.CombinedFootingTable[f.CombinedNo];
    add(cf.CfLeft, cf.CfTop, cf.CfRight, cf.CfBottom);
  } else {
    const draw::Rect outline = plan_->drawnOutline(s);
    add(outline.left, outline.top, outline.right, outline.bottom);
  }
  return QRect(plan_->mapToGlobal(r.topLeft().toPoint()), plan_->mapToGlobal(r.bottomRight().toPoint()));
}

void MainWindow::placePopupBeside(QWidget* popup, int s) {
  PopupScene scene;
  scene.screen = availableScreen();
  scene.plan = QRect(plan_->mapToGlobal(QPoint(0, 0)), plan_->size());
  scene.mainFrame = frameGeometry();
  scene.footing = footingOnScreen(s);
  for (QWidget* other : {static_cast<QWidget*>(footingPopup_), static_cast<QWidget*>(combinedPopup_),
                         static_cast<QWidget*>(column_.data())})
    if (other && other != popup && other->isVisible()) scene.others.push_back(other->frameGeometry());
  if (schedule_->isVisible()) scene.schedule = schedule_->frameGeometry();
  popup->move(popupPlace(frameSizeOf(popup), scene));
}

}  // namespace plintova
