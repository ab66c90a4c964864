// The column layout window: the beams of one storey and a marker per footing, to offset footings under columns.
#include "ui/column_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "draw/column_layout.h"
#include "draw/render_qt.h"
#include "model/numbers.h"
#include "footing/derived_plan.h"
#include "footing/plan_decisions.h"
#include "model/project.h"
#include "project/plan_editor.h"

namespace plintova {

namespace {

int footingsOf(const Project& p) { return std::clamp<int>(p.FootingCount, 0, cap::kFootings); }

}  // namespace

ColumnWindow::ColumnWindow(PlanEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor), project_(editor.project()) {
  setWindowTitle(QStringLiteral("Column Layout"));
  setObjectName(QStringLiteral("FrmCol"));
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  resize(900, 640);
}

ColumnWindow::~ColumnWindow() = default;

draw::Rect ColumnWindow::markerRect(int i) const {
  const draw::Rect fit = draw::fitColumnView(project_, width(), height());
  return draw::placeNodeLabel(project_.FootingTable[i], draw::markerHalfSize(fit, width(), height()));
}

QPointF ColumnWindow::toDevice(double x, double z) const {
  return draw::Viewport(draw::fitColumnView(project_, width(), height()), QRectF(rect())).map(x, z);
}

std::vector<draw::Primitive> ColumnWindow::primitives() const {
  const draw::Rect fit = draw::fitColumnView(project_, width(), height());
  return draw::columnLayout(project_, level_, draw::markerHalfSize(fit, width(), height()), project_.SelectedFooting);
}

void ColumnWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const draw::Rect fit = draw::fitColumnView(project_, width(), height());
  draw::render(painter, primitives(), draw::Viewport(fit, QRectF(rect())), draw::screenStyle());
}

void ColumnWindow::offCetKeys(int key) {
  const int s = project_.SelectedFooting;
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
  update();
}

void ColumnWindow::resetOffsets() {
  editor_.commit(withOffsetsReset(project_), "Every footing back under its column");
  update();
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
      offCetKeys(key);
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      // Up a storey or down one, never below the first storey above the base nor above the top.
      int level = level_ + (key == Qt::Key_PageUp ? 1 : -1);
      if (level < 2) level = 2;
      const int top = static_cast<int>(project_.LevelY[0]);
      if (level > top) level = top;
      level_ = level;
      update();
      return;
    }
    default:
      QWidget::keyPressEvent(event);
  }
}

void ColumnWindow::mousePressEvent(QMouseEvent* event) {
  const draw::Rect fit = draw::fitColumnView(project_, width(), height());
  const draw::Viewport view(fit, QRectF(rect()));
  const draw::PlanPoint at = view.unmap(event->position());
  const auto list = primitives();
  const draw::Primitive* hit =
      draw::hitTest(list, at.x, at.z, draw::textMeasure(this, view), 0,
                    [](const draw::Primitive& p) { return p.role == draw::Role::NodeMarker; });
  if (!hit || hit->id.kind != draw::Id::Kind::Footing) return;
  project_.SelectedFooting = static_cast<int16_t>(hit->id.index);
  update();
  emit selectionChanged();
}

void ColumnWindow::closeEvent(QCloseEvent* event) {
  project_.SelectedFooting = 0;
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace plintova
