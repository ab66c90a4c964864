// The column layout window: the beams of one storey and a marker per footing, to offset footings under columns.
#pragma once

#include <QWidget>
#include <vector>

#include "draw/primitives.h"

namespace plintova {

struct Project;
class PlanEditor;

// The whole window is the picture of one storey, fitted like the main plan. A click on a marker picks
// its footing (SelectedFooting, shared with the main plan); Home and the arrow keys step the picked
// footing's column offset, Page Up and Page Down change the storey, Shift+Delete puts every footing
// back under its column, Esc closes.
class ColumnWindow : public QWidget {
  Q_OBJECT
 public:
  // Offsets are decisions of the engineer, committed through the editor.
  explicit ColumnWindow(PlanEditor& editor, QWidget* parent = nullptr);
  ~ColumnWindow() override;

  // Moves the selected footing one offset step for `key` (Qt::Key_Home, Key_Left, Key_Up, Key_Right,
  // Key_Down): PosX = ColumnX + OffsetX * (column dimension 2 / 2 - 115) and PosZ likewise with
  // dimension 1, in whole millimetres. Nothing happens without a selection or a known column section.
  void offCetKeys(int key);

  // Index into LevelY of the storey shown (2 when the window opens).
  int level() const { return level_; }

  // Repaints after SelectedFooting was changed elsewhere (the main plan).
  void showSelection() { update(); }

  // Plan rectangle of footing i's marker at the current fit.
  draw::Rect markerRect(int i) const;
  // Device position of a plan point at the current fit.
  QPointF toDevice(double x, double z) const;

 signals:
  // A marker was picked: SelectedFooting changed (the selection is shared with the main plan).
  void selectionChanged();
  // The window closed (Esc or the frame): SelectedFooting is 0 and the main plan redraws its outlines.
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void resetOffsets();
  std::vector<draw::Primitive> primitives() const;

  PlanEditor& editor_;
  Project& project_;
  int level_ = 2;
};

}  // namespace plintova
