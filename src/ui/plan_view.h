// The footing plan picture of the main window: painted primitives, zoom and pan, label picking, the
// selection window, the number box that takes the mouse wheel and the size label of the selected footing.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "draw/plan_layout.h"
#include "render/render_qt.h"

class QLabel;
class QLineEdit;

namespace plintova {

struct Project;

// The footing picked on the plan or in the column view (0: none): one selection shared by both views.
struct FootingSelection {
  int footing = 0;
};

// The view is the fitted picture (the joints' extent with a 2000 mm margin, equal bands on the short
// side, refitted whenever the widget changes size) magnified by the zoom about a centre point. Every
// mapping between pixels and plan millimetres (painting, picking, the selection window, the number box
// and the size label) goes through viewport(), which is that view. Ctrl+wheel zooms about the pointer,
// over the number box too; the middle button drags the plan; F fits the whole plan again.
//
// Everything shown comes from one primitive list in plan millimetres; pressing a footing label picks it
// through the same list, so what is drawn and what is clicked cannot drift apart. A press on the plan
// outside the labels starts the selection window.
class PlanView : public QWidget {
  Q_OBJECT
 public:
  // Point size of the footing labels on the screen, the same at every zoom.
  static constexpr double kLabelPointSize = 9;
  // Magnification of one zoom step (one wheel notch with Ctrl).
  static constexpr double kZoomStep = 1.25;
  // The largest magnification shows this many plan millimetres per pixel (unless the fitted view
  // already shows fewer, in which case the plan cannot be zoomed in).
  static constexpr double kFinestMmPerPixel = 5;

  explicit PlanView(const Project& project, QWidget* parent = nullptr);

  // The complete redraw from the model: outlines, combined footings, the grid when ticked, the optional
  // required sizes and clash marks, and one label per footing; the outline of every footing drawn is
  // kept for drawnOutline. The selection window stays where it was dragged.
  void drawModel(const draw::PlanOptions& options);
  // While set, only the labels of footings whose entry is true are shown; nullopt shows all again.
  void showOnlyLabels(std::optional<std::vector<bool>> shown);

  const std::vector<draw::Primitive>& primitives() const { return prims_; }
  // The outline of footing s as last drawn, plan millimetres: a member of a combined footing keeps the
  // outline it had before it was combined; all zero for a footing never drawn.
  draw::Rect drawnOutline(int s) const;
  // The picked footing, shared with the column view.
  FootingSelection& selection() { return selection_; }
  int selectedFooting() const { return selection_.footing; }
  // The label text of footing s as last set ("" beyond the footings), whether or not the view shows it.
  QString labelText(int s) const;
  // Whether footing s's label is drawn: not left out by showOnlyLabels nor hidden as crowded at this zoom
  // (see draw::legibleLabels). Only drawn labels can be picked.
  bool labelShown(int s) const;
  // Pixel rectangle of footing s's label text where it stands at this view, drawn or hidden; empty when
  // the label has no text.
  QRectF labelRect(int s) const;
  // The footing whose drawn label lies under a pixel point, 0 for none.
  int labelAt(QPointF pixel) const;

  // The fitted picture: the plan rectangle shown at zoom 1.
  draw::Rect fit() const { return fit_; }
  // The plan rectangle shown now (the fitted one divided by the zoom about the view's centre).
  draw::Rect visibleRect() const;
  // Magnification over the fitted picture: 1 when fitted, up to maxZoom().
  double zoom() const;
  double maxZoom() const;
  // The one mapping between the widget's pixels and plan millimetres at the current view.
  draw::Viewport viewport() const;
  QPointF toPixels(double x, double z) const;
  draw::PlanPoint toPlan(QPointF pixel) const;
  double digitWidth() const;   // width of "9" in the label font, plan units at the current view
  double textHeight() const;  // height of a line of label text, plan units at the current view

  // Zooms by whole steps (positive in, negative out) keeping the plan point under `pixel` where it is,
  // unless the view would leave the fitted picture.
  void zoomAt(QPointF pixel, int steps);
  // Moves the plan by a pixel distance (the plan follows the pointer), within the fitted picture.
  void panBy(QPointF pixels);

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
  // The size label with its top-left corner at a plan point, which it keeps as the view changes.
  void showSizeLabel(draw::PlanPoint at, const std::string& text);
  void setSizeLabelText(const std::string& text);
  void hideSelection();
  QLineEdit* numberBox() const { return numberBox_; }
  QLabel* sizeLabel() const { return sizeLabel_; }

 public slots:
  // One zoom step in or out about the middle of the picture.
  void zoomIn();
  void zoomOut();
  // The fitted picture again: the whole plan in view.
  void fitAll();

 signals:
  // The visible rectangle or the widget's size changed (zoom, pan, fit, resize).
  void viewChanged();
  // The plan point under the pointer, in millimetres, on every move over the plan (with or without a button).
  void cursorMoved(double x, double z);
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
  void redraw();
  void placeSelection();
  void chooseLegibleLabels();
  // Puts the view at a zoom step and centre (clamped to the fitted picture); redraws what depends on it.
  void setView(int step, draw::PlanPoint centre);
  void clampView();
  int maxZoomStep() const;
  void zoomByWheel(int delta, QPointF pixel);
  void noteViewChange();
  const draw::Primitive* labelPrimitive(int s) const;
  bool listed(const draw::Primitive& p) const;  // not left out by showOnlyLabels
  bool shown(const draw::Primitive& p) const;

  void keepOutlines();

  const Project& project_;
  FootingSelection selection_;
  std::vector<draw::Rect> outlines_;  // by footing, as last drawn (single precision, as the plan keeps sizes)
  draw::PlanOptions options_;
  bool drawn_ = false;  // drawn once: from then on a resize draws the plan again at the new fit
  draw::Rect fit_;
  int zoomStep_ = 0;         // the zoom is kZoomStep to this power, at most maxZoom()
  draw::PlanPoint centre_;   // plan point at the middle of the picture
  draw::Rect lastView_;      // as last announced by viewChanged
  QSize lastSize_;
  std::vector<draw::Primitive> prims_;
  draw::TextCache texts_;  // the labels laid out once, drawn from their layout on every paint
  std::vector<std::string> labels_;
  std::optional<std::vector<bool>> onlyLabels_;
  std::vector<bool> legible_;  // per footing: its label has room at the current zoom

  bool panning_ = false;
  QPointF panFrom_;
  int zoomRotation_ = 0;  // Ctrl+wheel rotation gathered towards the next zoom step

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
