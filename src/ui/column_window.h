// The column layout window: the beams of one storey and a marker per footing, to offset footings under columns.
#pragma once

#include <QWidget>
#include <vector>

#include "draw/primitives.h"
#include "project/plan_editor.h"

class QLabel;
class QLineEdit;

namespace plintova {

struct Project;
struct FootingSelection;

// The picture of one storey, fitted like the main plan, with a panel at its right that names the storey
// shown, the footing picked and its column, and takes the footing's offset from its column in
// millimetres along X and Z. A click on a marker picks its footing (the selection shared with the main
// plan); Home and the arrow keys step the picked footing's offset (the quick way), a typed offset
// takes effect on Enter (Esc restores it); Page Up and Page Down change the storey, Shift+Delete puts
// every footing back under its column, Esc closes.
class ColumnWindow : public QWidget {
  Q_OBJECT
 public:
  // Offsets are decisions of the engineer, committed through the editor; `selection` is the plan's.
  ColumnWindow(PlanEditor& editor, FootingSelection& selection, QWidget* parent = nullptr);
  ~ColumnWindow() override;

  // Moves the selected footing one offset step for `key` (Qt::Key_Home, Key_Left, Key_Up, Key_Right,
  // Key_Down): PosX = ColumnX + OffsetX * (column dimension 2 / 2 - 115) and PosZ likewise with
  // dimension 1, in whole millimetres. Nothing happens without a selection or a known column section.
  void stepOffsetByKey(int key);

  // Index into LevelY of the storey shown (2 when the window opens).
  int level() const { return level_; }

  // Shows the model again after the selection or the offsets changed elsewhere (the main plan).
  void showSelection();

  // Plan rectangle of footing i's marker at the current fit.
  draw::Rect markerRect(int i) const;
  // Window position of a plan point at the current fit.
  QPointF toDevice(double x, double z) const;
  // The part of the window that shows the storey; the panel stands to its right.
  QRect pictureRect() const;

  QLineEdit* offsetBox(bool alongX) const { return alongX ? offsetX_ : offsetZ_; }
  QLabel* storeyLabel() const { return storey_; }
  QLabel* footingLabel() const { return footing_; }

 signals:
  // A marker was picked: the selection changed (the selection is shared with the main plan).
  void selectionChanged();
  // The window closed (Esc or the frame): nothing is selected and the main plan redraws its outlines.
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildPanel();
  void refreshPanel();
  void offsetEntered(QLineEdit* box);
  void resetOffsets();
  std::vector<draw::Primitive> primitives() const;

  PlanEditor& editor_;
  const Project& project_;
  FootingSelection& selection_;
  int level_ = 2;
  QWidget* panel_ = nullptr;
  QLabel* storey_ = nullptr;
  QLabel* footing_ = nullptr;
  QLabel* steps_ = nullptr;
  QLineEdit* offsetX_ = nullptr;
  QLineEdit* offsetZ_ = nullptr;
  PlanEditor::Subscription subscription_;
};

}  // namespace plintova
