// The layout of the main window's controls: the line of commands and options, the plan, and the row of
// size-group controls below it.
#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "model/project.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/size_group_row.h"

namespace plintova {

int MainWindow::layoutTopBar(int w) {
  using namespace mainlayout;
  // One line of commands and options above the plan; a window too narrow for it wraps the line rather
  // than squeezing captions.
  constexpr int kMargin = 4, kGap = 4;
  int x = kMargin, row = 0;
  auto place = [&](QWidget* item, int gapBefore) {
    const QSize hint = item->sizeHint();
    if (x > kMargin && x + gapBefore + hint.width() > w - kMargin) {
      x = kMargin;
      ++row;
    } else if (x > kMargin) {
      x += gapBefore;
    }
    const int height = std::min(hint.height(), kPlanTop - 4);
    item->setGeometry(x, row * kPlanTop + (kPlanTop - height) / 2, hint.width(), height);
    x += hint.width();
  };
  for (QWidget* item : topItems_) place(item, qobject_cast<QFrame*>(item) ? 2 * kGap : kGap);
  // The design inputs read at the right end of the line.
  const QSize hint = inputsLabel_->sizeHint();
  if (x + 3 * kGap + hint.width() > w - 2 * kMargin) ++row;
  inputsLabel_->setGeometry(w - 2 * kMargin - hint.width(), row * kPlanTop + (kPlanTop - hint.height()) / 2, hint.width(),
                         hint.height());
  const int rows = row + 1;
  topBar_->setGeometry(0, 0, w, rows * kPlanTop);
  return rows * kPlanTop;
}

void MainWindow::layoutControls() {
  using namespace mainlayout;
  if (!groupRow_) return;  // still being built
  const int w = central_->width(), h = central_->height();
  const int top = layoutTopBar(w);
  // The size-group row stands at the bottom; a row that scrolls sideways takes its scroll bar's height
  // from the plan.
  const int bar = groupRow_->layOut(w, h);
  plan_->setGeometry(0, top, w, std::max(1, h - kPlanHeightLess - (top - kPlanTop) - bar));
}

void MainWindow::createGroupControls() {
  groupRow_->setGroupCount(std::clamp<int>(project_.SizeGroupCount, 0, cap::kSizeGroups));
  layoutControls();
}

void MainWindow::refreshGroupCaptions() {
  groupRow_->showGroups(project_);
  layoutControls();  // captions of another width may need more room, or less
}

}  // namespace plintova
