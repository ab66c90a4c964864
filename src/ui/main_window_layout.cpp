// The layout of the main window's controls: the line of commands and options, the plan, and the row of
// size-group controls below it, which scrolls sideways when the groups do not fit.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "draw/primitives.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "model/project.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"

namespace plintova {

namespace {

using draw::kTwipsPerPixel;
constexpr int kGroupControlHeight = 22;

}  // namespace

void MainWindow::buildGroupRow() {
  // Element 0 of each group control array heads its row; the groups themselves stand in a strip that
  // scrolls sideways when they do not fit.
  const char* headings[3][2] = {{"LabW_0", "Size"}, {"Check1_0", "Group"}, {"LabNo_0", "No's"}};
  for (int row = 0; row < 3; ++row) {
    auto* l = new QLabel(QString::fromLatin1(headings[row][1]), central_);
    l->setObjectName(QString::fromLatin1(headings[row][0]));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    groupHeadings_.push_back(l);
  }
  groupStrip_ = new QScrollArea(central_);
  groupStrip_->setObjectName(QStringLiteral("GroupStrip"));
  groupStrip_->setFrameShape(QFrame::NoFrame);
  groupStrip_->setWidgetResizable(false);
  groupStrip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  groupStrip_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  groupCanvas_ = new QWidget;
  groupCanvas_->setObjectName(QStringLiteral("GroupRow"));
  // Scrolled only by whole columns, so that no group is cut at the row's edge.
  connect(groupStrip_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (groupColumnStep_ <= 0 || v % groupColumnStep_ == 0) return;
    groupStrip_->horizontalScrollBar()->setValue((v + groupColumnStep_ / 2) / groupColumnStep_ * groupColumnStep_);
  });
  groupStrip_->setWidget(groupCanvas_);
  groupSize_.push_back(nullptr);
  groupCheck_.push_back(nullptr);
  groupCount_.push_back(nullptr);
}

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
  const QSize hint = fckFySbc_->sizeHint();
  if (x + 3 * kGap + hint.width() > w - 2 * kMargin) ++row;
  fckFySbc_->setGeometry(w - 2 * kMargin - hint.width(), row * kPlanTop + (kPlanTop - hint.height()) / 2, hint.width(),
                         hint.height());
  const int rows = row + 1;
  topBar_->setGeometry(0, 0, w, rows * kPlanTop);
  return rows * kPlanTop;
}

int MainWindow::groupColumnWidth() const {
  int widest = 0;
  for (int g = 1; g <= groupControlCount(); ++g)
    for (QWidget* c : {static_cast<QWidget*>(groupSize_[static_cast<std::size_t>(g)]),
                       static_cast<QWidget*>(groupCheck_[static_cast<std::size_t>(g)]),
                       static_cast<QWidget*>(groupCount_[static_cast<std::size_t>(g)])})
      widest = std::max(widest, c->sizeHint().width());
  return widest + 6;
}

void MainWindow::layoutControls() {
  using namespace mainlayout;
  if (!groupStrip_) return;  // still being built
  const int w = central_->width(), h = central_->height();
  const int top = layoutTopBar(w);

  // Group g stands at g times the spacing, which divides the plan's width (less 400 twips) evenly.
  // When that leaves a group too little room for its captions (30 groups in a narrow window), each
  // group takes the room its widest caption needs and the row scrolls sideways below the plan.
  const int count = groupControlCount();
  const double widthTwips = static_cast<double>(w) * kTwipsPerPixel;
  const double spacingTwips = roundWhole((widthTwips - 400) / (count + 1));
  const int spacing = std::max(1, static_cast<int>(spacingTwips / kTwipsPerPixel));
  const int needed = groupColumnWidth();
  const bool scrolls = count > 0 && spacing < needed;
  const int bar = scrolls ? groupStrip_->horizontalScrollBar()->sizeHint().height() : 0;
  plan_->setGeometry(0, top, w, std::max(1, h - kPlanHeightLess - (top - kPlanTop) - bar));

  const int tops[3] = {h - kSizeRowLess - bar, h - kCheckRowLess - bar, h - kCountRowLess - bar};
  int headingWidth = std::max(50, spacing - 10);
  if (scrolls) {
    headingWidth = 50;
    for (QLabel* heading : groupHeadings_) headingWidth = std::max(headingWidth, heading->sizeHint().width());
  }
  for (int row = 0; row < 3; ++row) groupHeadings_[static_cast<std::size_t>(row)]->setGeometry(6, tops[row], headingWidth, kGroupControlHeight);

  const int stripLeft = scrolls ? headingWidth + 12 : spacing;
  const int rowsHeight = tops[2] - tops[0] + kGroupControlHeight;
  // A scrolling row shows whole groups only: as many columns as fit, and it scrolls a column at a time.
  const int stripWidth = scrolls ? std::max(needed, (w - stripLeft) / needed * needed) : std::max(1, w - stripLeft);
  groupStrip_->setGeometry(stripLeft, tops[0], stripWidth, rowsHeight + bar);
  groupColumnStep_ = scrolls ? needed : 0;
  groupStrip_->horizontalScrollBar()->setSingleStep(std::max(1, groupColumnStep_));
  groupStrip_->horizontalScrollBar()->setPageStep(stripWidth);
  groupCanvas_->resize(scrolls ? count * needed : std::max(1, w - stripLeft), rowsHeight);
  const int controlWidth = scrolls ? needed - 4 : std::max(28, spacing - 4);
  for (int g = 1; g <= count; ++g) {
    const int left = scrolls ? (g - 1) * needed : static_cast<int>(spacingTwips * g / kTwipsPerPixel) - stripLeft;
    groupSize_[static_cast<std::size_t>(g)]->setGeometry(left, 0, controlWidth, kGroupControlHeight);
    groupCheck_[static_cast<std::size_t>(g)]->setGeometry(left, tops[1] - tops[0], controlWidth, kGroupControlHeight);
    groupCount_[static_cast<std::size_t>(g)]->setGeometry(left, tops[2] - tops[0], controlWidth, kGroupControlHeight);
  }
}

void MainWindow::createGroupControls() {
  const int count = std::clamp<int>(project_.SizeGroupCount, 0, cap::kSizeGroups);
  for (int g = 1; g <= count; ++g) {
    auto* size = new QLabel(groupCanvas_);
    size->setObjectName(QStringLiteral("LabW_%1").arg(g));
    size->setToolTip(QStringLiteral("Shift+click: lower this size by 0.05 m (it wraps above the base size)"));
    size->installEventFilter(this);
    auto* check = new QCheckBox(groupCanvas_);
    check->setObjectName(QStringLiteral("Check1_%1").arg(g));
    check->setFocusPolicy(Qt::TabFocus);
    check->setToolTip(QStringLiteral("Untick to move this size's footings to the next larger ticked size"));
    connect(check, &QCheckBox::clicked, this, [this, g](bool checked) { groupCheckClicked(g, checked); });
    auto* number = new QLabel(groupCanvas_);
    number->setObjectName(QStringLiteral("LabNo_%1").arg(g));
    number->setToolTip(QStringLiteral("Click: list the footings of this size"));
    number->setCursor(Qt::PointingHandCursor);
    number->installEventFilter(this);
    groupSize_.push_back(size);
    groupCheck_.push_back(check);
    groupCount_.push_back(number);
    for (QWidget* c : {static_cast<QWidget*>(size), static_cast<QWidget*>(check), static_cast<QWidget*>(number)})
      c->show();
  }
  // The largest size can never be switched off.
  if (count > 0) groupCheck_[static_cast<std::size_t>(count)]->setEnabled(false);
  layoutControls();
}

void MainWindow::rebuildGroupControls() {
  for (std::size_t g = 1; g < groupSize_.size(); ++g)
    for (QWidget* w : {static_cast<QWidget*>(groupSize_[g]), static_cast<QWidget*>(groupCheck_[g]),
                       static_cast<QWidget*>(groupCount_[g])})
      w->deleteLater();
  groupSize_.resize(1);
  groupCheck_.resize(1);
  groupCount_.resize(1);
  createGroupControls();
}

void MainWindow::refreshGroupCaptions() {
  for (int g = 1; g <= groupControlCount(); ++g) {
    const GroupCaptions c = groupCaptions(project_, g);
    groupSize_[static_cast<std::size_t>(g)]->setText(QString::fromStdString(c.size));
    groupCheck_[static_cast<std::size_t>(g)]->setText(QString::fromStdString(c.check));
    groupCheck_[static_cast<std::size_t>(g)]->setChecked(project_.SizeGroupTable[g].Checked);
    groupCount_[static_cast<std::size_t>(g)]->setText(QString::fromStdString(c.count));
  }
  layoutControls();  // captions of another width may need more room, or less
}

}  // namespace plintova
