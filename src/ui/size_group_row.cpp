// The row of size-group controls below the plan.
#include "ui/size_group_row.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "draw/primitives.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "model/project.h"

namespace plintova {

namespace {

using draw::kTwipsPerPixel;
constexpr int kControlHeight = 22;
// The rows stand above the bottom of the main window's area, laid out in twips at 15 per pixel.
constexpr int kSizeRowLess = 80;   // group size labels 1200 twips above the bottom
constexpr int kCheckRowLess = 53;  // group check boxes 800 twips above the bottom
constexpr int kCountRowLess = 27;  // group footing counts 400 twips above the bottom

template <class T>
T* element(const std::vector<T*>& controls, int g) {
  return g >= 1 && static_cast<std::size_t>(g) < controls.size() ? controls[static_cast<std::size_t>(g)] : nullptr;
}

}  // namespace

SizeGroupRow::SizeGroupRow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SizeGroupRow"));
  const char* headings[3][2] = {{"LabW_0", "Size"}, {"Check1_0", "Group"}, {"LabNo_0", "No's"}};
  for (const auto& heading : headings) {
    auto* l = new QLabel(QString::fromLatin1(heading[1]), this);
    l->setObjectName(QString::fromLatin1(heading[0]));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    headings_.push_back(l);
  }
  strip_ = new QScrollArea(this);
  strip_->setObjectName(QStringLiteral("GroupStrip"));
  strip_->setFrameShape(QFrame::NoFrame);
  strip_->setWidgetResizable(false);
  strip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  strip_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  canvas_ = new QWidget;
  canvas_->setObjectName(QStringLiteral("GroupRow"));
  // Scrolled only by whole columns, so that no group is cut at the row's edge.
  connect(strip_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (columnStep_ <= 0 || v % columnStep_ == 0) return;
    strip_->horizontalScrollBar()->setValue((v + columnStep_ / 2) / columnStep_ * columnStep_);
  });
  strip_->setWidget(canvas_);
  size_.push_back(nullptr);
  check_.push_back(nullptr);
  count_.push_back(nullptr);
}

QLabel* SizeGroupRow::sizeLabel(int g) const { return element(size_, g); }
QCheckBox* SizeGroupRow::check(int g) const { return element(check_, g); }
QLabel* SizeGroupRow::countLabel(int g) const { return element(count_, g); }

void SizeGroupRow::setGroupCount(int count) {
  for (std::size_t g = 1; g < size_.size(); ++g)
    for (QWidget* w : {static_cast<QWidget*>(size_[g]), static_cast<QWidget*>(check_[g]), static_cast<QWidget*>(count_[g])})
      w->deleteLater();
  size_.resize(1);
  check_.resize(1);
  count_.resize(1);
  for (int g = 1; g <= count; ++g) {
    auto* size = new QLabel(canvas_);
    size->setObjectName(QStringLiteral("LabW_%1").arg(g));
    size->setToolTip(QStringLiteral("Shift+click: lower this size by 0.05 m (it wraps above the base size)"));
    size->installEventFilter(this);
    auto* tick = new QCheckBox(canvas_);
    tick->setObjectName(QStringLiteral("Check1_%1").arg(g));
    tick->setFocusPolicy(Qt::TabFocus);
    tick->setToolTip(QStringLiteral("Untick to move this size's footings to the next larger ticked size"));
    connect(tick, &QCheckBox::clicked, this, [this, g](bool checked) { emit checkClicked(g, checked); });
    auto* number = new QLabel(canvas_);
    number->setObjectName(QStringLiteral("LabNo_%1").arg(g));
    number->setToolTip(QStringLiteral("Click: list the footings of this size"));
    number->setCursor(Qt::PointingHandCursor);
    number->installEventFilter(this);
    size_.push_back(size);
    check_.push_back(tick);
    count_.push_back(number);
    for (QWidget* c : {static_cast<QWidget*>(size), static_cast<QWidget*>(tick), static_cast<QWidget*>(number)}) c->show();
  }
  // The largest size can never be switched off.
  if (count > 0) check_.back()->setEnabled(false);
}

void SizeGroupRow::showGroups(const Project& project) {
  for (int g = 1; g <= groupCount(); ++g) {
    const GroupCaptions c = groupCaptions(project, g);
    size_[static_cast<std::size_t>(g)]->setText(QString::fromStdString(c.size));
    check_[static_cast<std::size_t>(g)]->setText(QString::fromStdString(c.check));
    check_[static_cast<std::size_t>(g)]->setChecked(project.SizeGroupTable[g].Checked);
    count_[static_cast<std::size_t>(g)]->setText(QString::fromStdString(c.count));
  }
}

int SizeGroupRow::columnWidth() const {
  int widest = 0;
  for (int g = 1; g <= groupCount(); ++g)
    for (QWidget* c : {static_cast<QWidget*>(sizeLabel(g)), static_cast<QWidget*>(check(g)), static_cast<QWidget*>(countLabel(g))})
      widest = std::max(widest, c->sizeHint().width());
  return widest + 6;
}

int SizeGroupRow::layOut(int w, int h) {
  const int count = groupCount();
  const double widthTwips = static_cast<double>(w) * kTwipsPerPixel;
  const double spacingTwips = roundWhole((widthTwips - 400) / (count + 1));
  const int spacing = std::max(1, static_cast<int>(spacingTwips / kTwipsPerPixel));
  const int needed = columnWidth();
  const bool scrolls = count > 0 && spacing < needed;
  const int bar = scrolls ? strip_->horizontalScrollBar()->sizeHint().height() : 0;

  // The three rows stand at fixed distances above the bottom, raised by the scroll bar when there is one.
  const int top = h - kSizeRowLess - bar;
  const int rows[3] = {0, kSizeRowLess - kCheckRowLess, kSizeRowLess - kCountRowLess};
  const int rowsHeight = rows[2] + kControlHeight;
  setGeometry(0, top, w, rowsHeight + bar);
  int headingWidth = std::max(50, spacing - 10);
  if (scrolls) {
    headingWidth = 50;
    for (QLabel* heading : headings_) headingWidth = std::max(headingWidth, heading->sizeHint().width());
  }
  for (int row = 0; row < 3; ++row)
    headings_[static_cast<std::size_t>(row)]->setGeometry(6, rows[row], headingWidth, kControlHeight);

  const int stripLeft = scrolls ? headingWidth + 12 : spacing;
  // A scrolling row shows whole groups only: as many columns as fit, and it scrolls a column at a time.
  const int stripWidth = scrolls ? std::max(needed, (w - stripLeft) / needed * needed) : std::max(1, w - stripLeft);
  strip_->setGeometry(stripLeft, 0, stripWidth, rowsHeight + bar);
  columnStep_ = scrolls ? needed : 0;
  strip_->horizontalScrollBar()->setSingleStep(std::max(1, columnStep_));
  strip_->horizontalScrollBar()->setPageStep(stripWidth);
  canvas_->resize(scrolls ? count * needed : std::max(1, w - stripLeft), rowsHeight);
  const int controlWidth = scrolls ? needed - 4 : std::max(28, spacing - 4);
  for (int g = 1; g <= count; ++g) {
    const int left = scrolls ? (g - 1) * needed : static_cast<int>(spacingTwips * g / kTwipsPerPixel) - stripLeft;
    size_[static_cast<std::size_t>(g)]->setGeometry(left, rows[0], controlWidth, kControlHeight);
    check_[static_cast<std::size_t>(g)]->setGeometry(left, rows[1], controlWidth, kControlHeight);
    count_[static_cast<std::size_t>(g)]->setGeometry(left, rows[2], controlWidth, kControlHeight);
  }
  return bar;
}

bool SizeGroupRow::eventFilter(QObject* watched, QEvent* event) {
  for (int g = 1; g <= groupCount(); ++g) {
    if (watched == sizeLabel(g) && event->type() == QEvent::MouseButtonPress) {
      emit sizePressed(g, static_cast<QMouseEvent*>(event)->modifiers());
      return true;
    }
    if (watched == countLabel(g) && event->type() == QEvent::MouseButtonRelease) {
      if (countLabel(g)->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) emit countClicked(g);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plintova
