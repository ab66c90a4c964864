// The column layout window: the beams of one storey and a marker per footing, to offset footings under columns.
#include "ui/column_window.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "draw/column_layout.h"
#include "footing/derived_plan.h"
#include "footing/plan_decisions.h"
#include "model/limits.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_editor.h"
#include "render/render_qt.h"
#include "ui/plan_view.h"

namespace plintova {

namespace {

constexpr int kPanelWidth = 270;  // pixels at the window's right

int footingsOf(const Project& p) { return std::clamp<int>(p.FootingCount, 0, cap::kFootings); }

QLabel* heading(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

QLabel* note(const QString& text, QWidget* parent, const char* name = nullptr) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  if (name) l->setObjectName(QString::fromLatin1(name));
  return l;
}

}  // namespace

ColumnWindow::ColumnWindow(PlanEditor& editor, FootingSelection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor), project_(editor.project()), selection_(selection) {
  setWindowTitle(QStringLiteral("Column layout"));
  setObjectName(QStringLiteral("FrmCol"));
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  buildPanel();
  resize(900 + kPanelWidth, 640);
  refreshPanel();
  // Offsets changed here or on the main plan move the markers and the panel's figures.
  subscription_ = editor_.subscribe([this](const Change& change) {
    if (change.plan) showSelection();
  });
}

ColumnWindow::~ColumnWindow() = default;

void ColumnWindow::buildPanel() {
  panel_ = new QWidget(this);
  panel_->setObjectName(QStringLiteral("ColumnPanel"));
  panel_->setAutoFillBackground(true);
  QPalette pal = panel_->palette();
  pal.setColor(QPalette::Window, QColor(0xf2, 0xf2, 0xf2));
  panel_->setPalette(pal);
  auto* layout = new QVBoxLayout(panel_);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(6);

  layout->addWidget(heading(QStringLiteral("Storey shown"), panel_));
  storey_ = note({}, panel_, "LabStorey");
  layout->addWidget(storey_);
  layout->addWidget(note(QStringLiteral("Page Up / Page Down: the storey above or below."), panel_));
  layout->addSpacing(8);

  layout->addWidget(heading(QStringLiteral("Footing"), panel_));
  footing_ = note({}, panel_, "LabFooting");
  layout->addWidget(footing_);
  layout->addSpacing(8);

  layout->addWidget(heading(QStringLiteral("Footing centre off the column (mm)"), panel_));
  auto* form = new QFormLayout;
  form->setContentsMargins(0, 0, 0, 0);
  offsetX_ = new QLineEdit(panel_);
  offsetX_->setObjectName(QStringLiteral("TxtOffsetX"));
  offsetZ_ = new QLineEdit(panel_);
  offsetZ_->setObjectName(QStringLiteral("TxtOffsetZ"));
  for (QLineEdit* box : {offsetX_, offsetZ_}) {
    box->setToolTip(QStringLiteral("Type the offset in mm (negative: towards smaller X or Z), then Enter; Esc restores. "
                                   "At most 5000 mm."));
    box->installEventFilter(this);
  }
  form->addRow(QStringLiteral("Along X"), offsetX_);
  form->addRow(QStringLiteral("Along Z"), offsetZ_);
  layout->addLayout(form);
  steps_ = note({}, panel_, "LabSteps");
  layout->addWidget(steps_);
  layout->addStretch();
  layout->addWidget(note(QStringLiteral("Click a marker to pick its footing. Shift+Delete: every footing back under "
                                        "its column. Esc: close."),
                         panel_));
}

void ColumnWindow::refreshPanel() {
  const int top = static_cast<int>(project_.LevelY[0]);
  storey_->setText(QStringLiteral("Level %1 of %2, Y %3 mm")
                       .arg(level_)
                       .arg(top)
                       .arg(QString::fromStdString(numberText(level_ >= 0 && level_ <= cap::kLevels ? double{project_.LevelY[level_]} : 0.0))));
  const int s = selection_.footing;
  const bool picked = s >= 1 && s <= footingsOf(project_);
  for (QLineEdit* box : {offsetX_, offsetZ_}) box->setEnabled(picked);
  if (!picked) {
    footing_->setText(QStringLiteral("None picked: click a column's marker."));
    offsetX_->clear();
    offsetZ_->clear();
    steps_->setText(QString());
    panel_->layout()->activate();
    return;
  }
  const FootingRecord& f = project_.FootingTable[s];
  const std::string mark = footingMark(f);
  const int column = std::clamp<int>(f.ColumnMember, 0, cap::kColumnBlocks);
  const auto& section = project_.ColumnSectionTable[column];
  footing_->setText(QString::fromStdString((mark.empty() ? std::string() : mark + ", ") + "joint " +
                                           numberText(f.JointNo)) +
                    (section[4] > 0 ? QStringLiteral("\nColumn %1 X %2 mm (along X, along Z)")
                                          .arg(QString::fromStdString(numberText(section[4])),
                                               QString::fromStdString(numberText(section[3])))
                                    : QStringLiteral("\nColumn section not known")));
  offsetX_->setText(QString::fromStdString(numberText(f.PosX - f.ColumnX)));
  offsetZ_->setText(QString::fromStdString(numberText(f.PosZ - f.ColumnZ)));
  const auto step = stepOffset(project_, s, 1, 1);
  steps_->setText(step ? QStringLiteral("Arrow keys step it by X %1, Z %2 mm (half the column less 115 mm); Home: "
                                        "back under the column.")
                             .arg(step->dx)
                             .arg(step->dz)
                       : QStringLiteral("No steps without the column's section; a typed offset still applies."));
  panel_->layout()->activate();  // wrapped lines of another length take their room now
}

void ColumnWindow::showSelection() {
  refreshPanel();
  update();
}

QRect ColumnWindow::pictureRect() const { return QRect(0, 0, std::max(1, width() - kPanelWidth), height()); }

draw::Rect ColumnWindow::markerRect(int i) const {
  const QRect picture = pictureRect();
  const draw::Rect fit = draw::fitColumnView(project_, picture.width(), picture.height());
  return draw::placeNodeLabel(project_.FootingTable[i], draw::markerHalfSize(fit, picture.width(), picture.height()));
}

QPointF ColumnWindow::toDevice(double x, double z) const {
  const QRect picture = pictureRect();
  return draw::Viewport(draw::fitColumnView(project_, picture.width(), picture.height()), QRectF(picture)).map(x, z);
}

std::vector<draw::Primitive> ColumnWindow::primitives() const {
  const QRect picture = pictureRect();
  const draw::Rect fit = draw::fitColumnView(project_, picture.width(), picture.height());
  return draw::columnLayout(project_, level_, draw::markerHalfSize(fit, picture.width(), picture.height()),
                            selection_.footing);
}

void ColumnWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect picture = pictureRect();
  painter.setClipRect(picture);
  const draw::Rect fit = draw::fitColumnView(project_, picture.width(), picture.height());
  draw::render(painter, primitives(), draw::Viewport(fit, QRectF(picture)), draw::screenStyle());
}

void ColumnWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  panel_->setGeometry(pictureRect().right() + 1, 0, kPanelWidth, height());
}

void ColumnWindow::stepOffsetByKey(int key) {
  const int s = selection_.footing;
  if (s < 1 || s > footingsOf(project_)) return;
  if (!offsetPosition(project_, s, 0, 0)) return;  // no column section known: the footing cannot move
  const FootingRecord& f = project_.FootingTable[s];
  int ox = f.OffsetX, oz = f.OffsetZ;
  switch (key) {
    case Qt::Key_Home: ox = 0, oz = 0; break;
    case Qt::Key_Left: if (ox > -1) --ox; break;
    case Qt::Key_Up: if (oz >= 0) --oz; break;
    case Qt::Key_Right: if (ox < 1) ++ox; break;
    case Qt::Key_Down: if (oz < 1) ++oz; break;
    default: return;
  }
  // The footing centre stands half the column dimension less 115 mm off the column centre.
  if (!offsetPosition(project_, s, ox, oz)) return;
  editor_.commit(withOffsetSteps(project_, s, {static_cast<int8_t>(ox), static_cast<int8_t>(oz)}),
                 "Offset footing " + numberText(f.JointNo));
  showSelection();
}

void ColumnWindow::offsetEntered(QLineEdit* box) {
  const int s = selection_.footing;
  const std::string text = box->text().toStdString();
  if (s < 1 || s > footingsOf(project_) || !isNumeric(text)) {
    refreshPanel();  // not a number: the box shows the offset again
    return;
  }
  const FootingRecord& f = project_.FootingTable[s];
  const double mm = roundWhole(numericValue(text));
  const bool alongX = box == offsetX_;
  if (!limits::columnOffsetAllowed(mm)) {
    editor_.prompter().message("An offset of " + numberText(mm) + " mm along " + (alongX ? "X" : "Z") +
                               " is more than a footing may stand off its column (" + numberText(limits::kLargestColumnOffset) +
                               " mm). The offset stays as it was.");
    refreshPanel();
    return;
  }
  ColumnOffset offset{f.PosX - f.ColumnX, f.PosZ - f.ColumnZ};
  (alongX ? offset.dx : offset.dz) = static_cast<int32_t>(mm);
  if (const auto next = withOffsetMillimetres(project_, s, offset))
    editor_.commit(*next, "Offset footing " + numberText(f.JointNo) + " by X " + numberText(offset.dx) + ", Z " +
                              numberText(offset.dz) + " mm");
  showSelection();
}

void ColumnWindow::resetOffsets() {
  editor_.commit(withOffsetsReset(project_), "Every footing back under its column");
  showSelection();
}

bool ColumnWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      offsetEntered(box);
      return true;
    }
    if (key == Qt::Key_Escape) {
      refreshPanel();  // the offset as it stands; the window stays open
      return true;
    }
  }
  // Text typed but not confirmed with Enter is not the offset: leaving the box shows it again.
  if (box && event->type() == QEvent::FocusOut) refreshPanel();
  return QWidget::eventFilter(watched, event);
}

void ColumnWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  switch (key) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_Delete:
      if (mods == Qt::ShiftModifier) resetOffsets();
      return;
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
      stepOffsetByKey(key);
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      // Up a storey or down one, never below the first storey above the base nor above the top.
      int level = level_ + (key == Qt::Key_PageUp ? 1 : -1);
      if (level < 2) level = 2;
      const int top = static_cast<int>(project_.LevelY[0]);
      if (level > top) level = top;
      level_ = level;
      showSelection();
      return;
    }
    default:
      QWidget::keyPressEvent(event);
  }
}

void ColumnWindow::mousePressEvent(QMouseEvent* event) {
  const QRect picture = pictureRect();
  if (!picture.contains(event->position().toPoint())) return;
  const draw::Rect fit = draw::fitColumnView(project_, picture.width(), picture.height());
  const draw::Viewport view(fit, QRectF(picture));
  const draw::PlanPoint at = view.unmap(event->position());
  const auto list = primitives();
  const draw::Primitive* hit =
      draw::hitTest(list, at.x, at.z, draw::textMeasure(this, view), 0,
                    [](const draw::Primitive& p) { return p.role == draw::Role::NodeMarker; });
  if (!hit || hit->id.kind != draw::Id::Kind::Footing) return;
  selection_.footing = hit->id.index;
  setFocus();  // the arrow keys step the picked footing
  showSelection();
  emit selectionChanged();
}

void ColumnWindow::closeEvent(QCloseEvent* event) {
  selection_.footing = 0;
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace plintova
