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
#include "model/project.h"

namespace plintova {

namespace {

int footingsOf(const Project& p) { return std::clamp<int>(p.FootingCount, 0, cap::kFootings); }

// The column section of footing s's column: dimensions 1 and 2 (columns 3 and 4 of the table), or
// null when the footing has no column or the column's section is unknown.
const CheckedArray<int32_t, 5>* columnSection(const Project& p, int s) {
  const int c = p.FootingTable[s].ColumnMember;
  if (c < 0 || c > cap::kColumnBlocks) return nullptr;
  const auto& section = p.ColumnSectionTable[c];
  return section[4] == 0 ? nullptr : &section;
}

}  // namespace

ColumnWindow::ColumnWindow(Project& project, QWidget* parent) : QWidget(parent, Qt::Window), project_(project) {
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
  const auto* section = columnSection(project_, s);
  if (!section) return;
  FootingRecord& f = project_.FootingTable[s];
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
  const auto x = toInt32(f.ColumnX + ox * ((*section)[4] / 2.0 - 115));
  const auto z = toInt32(f.ColumnZ + oz * ((*section)[3] / 2.0 - 115));
  if (!x || !z) return;
  f.PosX = *x;
  f.PosZ = *z;
  f.OffsetX = ox;
  f.OffsetZ = oz;
  update();
}

void ColumnWindow::resetOffsets() {
  for (int i = 1; i <= footingsOf(project_); ++i) {
    FootingRecord& f = project_.FootingTable[i];
    f.OffsetX = f.OffsetZ = 0;
    f.PosX = f.ColumnX;
    f.PosZ = f.ColumnZ;
  }
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
