// The footing plan picture of the main window: painted primitives, label picking, the selection window,
// the number box that takes the mouse wheel and the size label of the selected footing.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "draw/plan_layout.h"
#include "draw/render_qt.h"

class QLabel;
class QLineEdit;

namespace plintova {

struct Project;

// The plan is fitted to the widget (2000 mm margin, equal bands on the short side) and refitted
// whenever the widget changes size. Everything shown comes from one primitive list in plan millimetres;
// pressing a footing label picks it through the same list, so what is drawn and what is clicked
// cannot drift apart. A press on the plan outside the labels starts the selection window.
class PlanView : public QWidget {
  Q_OBJECT
 public:
  // Point size of the footing labels on the screen.
  static constexpr double kLabelPointSize = 9;

  explicit PlanView(Project& project, QWidget* parent = nullptr);

  // The complete redraw from the model: outlines, combined footings, the grid when ticked, the optional
  // required sizes and clash marks, and one label per footing. Writes the drawn outline of every
  // isolated footing into the model. The selection window stays where it was dragged.
  void drawFoot(const draw::PlanOptions& options);
  // While set, only the labels of footings whose entry is true are shown; nullopt shows all again.
  void showOnlyLabels(std::optional<std::vector<bool>> shown);

  const std::vector<draw::Primitive>& primitives() const { return prims_; }
  // The label text of footing s as last set ("" beyond the footings).
  QString labelText(int s) const;
  bool labelShown(int s) const;
  // Pixel rectangle covered by footing s's label text; empty when the label shows nothing.
  QRectF labelRect(int s) const;
  // The footing whose label lies under a pixel point, 0 for none.
  int labelAt(QPointF pixel) const;

  draw::Rect fit() const { return fit_; }
  draw::Viewport viewport() const;
  QPointF toPixels(double x, double z) const;
  draw::PlanPoint toPlan(QPointF pixel) const;
  double nineWidth() const;   // width of "9" in the label font, plan units
  double textHeight() const;  // height of a line of label text, plan units

  // The selection window in plan millimetres: start and end corner.
  struct Band {
    float x1 = 0, z1 = 0, x2 = 0, z2 = 0;
  };
  bool bandActive() const { return bandActive_; }  // being dragged
  bool bandShown() const { return bandShown_; }
  const Band& band() const { return band_; }
  // Erases the drawn selection window; its start corner moves onto its end corner.
  void eraseBand();

  // The number box over the label of footing s, showing `text`; the wheel acts while it is shown.
  void showNumberBox(int s, const std::string& text);
  // The size label with its top-left corner at a plan point.
  void showSizeLabel(draw::PlanPoint at, const std::string& text);
  void setSizeLabelText(const std::string& text);
  void hideSelection();
  QLineEdit* numberBox() const { return numberBox_; }
  QLabel* sizeLabel() const { return sizeLabel_; }

 signals:
  void labelPressed(int footing, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);
  // One wheel notch (120 units of rotation, gathered from partial ones) over the number box:
  // +1 away from the engineer, -1 towards.
  void wheelNotch(int direction);
  // The number box lost the keyboard focus to another control of the window.
  void numberBoxLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void rebuild();
  void placeSelection();
  const draw::Primitive* labelPrimitive(int s) const;
  bool shown(const draw::Primitive& p) const;

  Project& project_;
  draw::PlanOptions options_;
  bool drawn_ = false;  // drawn once: from then on a resize draws the plan again at the new fit
  draw::Rect fit_;
  std::vector<draw::Primitive> prims_;
  std::vector<std::string> labels_;
  std::optional<std::vector<bool>> onlyLabels_;

  bool bandActive_ = false;
  bool bandShown_ = false;
  Band band_;

  QLineEdit* numberBox_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
  int numberBoxFooting_ = 0;
  draw::PlanPoint sizeLabelAt_;
  int wheelRotation_ = 0;  // rotation gathered towards the next notch
};

}  // namespace plintova
