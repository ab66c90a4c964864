// The footing plan picture of the main window: painted primitives, zoom and pan, label picking, the
// selection window, the number box that takes the mouse wheel and the size label of the selected footing.
#include "ui/plan_view.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "model/project.h"

namespace plintova {

namespace {

constexpr int kNotch = 120;  // wheel rotation of one notch
constexpr draw::Rgb kSelectionColour{0, 90, 210};
// How far a text of the plan reaches from its anchor, in pixels, at most: texts anchored further than
// this outside the picture are not painted.
constexpr double kTextReach = 400;
// Lines and boxes this close outside the picture are still painted (their width lies inside it).
constexpr double kLineReach = 4;

bool isLabel(const draw::Primitive& p) { return p.role == draw::Role::FootingLabel; }

bool sameRect(const draw::Rect& a, const draw::Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

PlanView::PlanView(const Project& project, QWidget* parent) : QWidget(parent), project_(project) {
  setObjectName(QStringLiteral("PicFoot"));
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // the pointer's plan position is reported without a button held
  options_.labelPointSize = kLabelPointSize;

  numberBox_ = new QLineEdit(this);
  numberBox_->setObjectName(QStringLiteral("TxtWheel"));
  numberBox_->setReadOnly(true);
  numberBox_->setFocusPolicy(Qt::ClickFocus);
  numberBox_->setAlignment(Qt::AlignCenter);
  numberBox_->setToolTip(QStringLiteral("Turn the mouse wheel here to resize the footing"));
  numberBox_->setFont(draw::planFont(kLabelPointSize));
  numberBox_->hide();
  numberBox_->installEventFilter(this);

  sizeLabel_ = new QLabel(this);
  sizeLabel_->setObjectName(QStringLiteral("LabLBD"));
  sizeLabel_->setStyleSheet(
      QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid #7a7a7a; padding: 1px 4px; }"));
  sizeLabel_->setFont(draw::planFont(kLabelPointSize));
  sizeLabel_->hide();
  sizeLabel_->installEventFilter(this);
}

// The view: the fitted picture divided by the zoom about centre_. The zoom is counted relative to the
// fitted picture, so a resize keeps both the magnification and the plan point in the middle.
double PlanView::maxZoom() const {
  if (width() <= 0) return 1;
  const double fittedMmPerPixel = (fit_.right - fit_.left) / width();
  return std::max(1.0, fittedMmPerPixel / kFinestMmPerPixel);
}

int PlanView::maxZoomStep() const {
  // The last step may magnify by less than kZoomStep, so that the largest zoom is reached exactly.
  return std::max(0, static_cast<int>(std::ceil(std::log(maxZoom()) / std::log(kZoomStep) - 1e-9)));
}

double PlanView::zoom() const { return std::min(std::pow(kZoomStep, zoomStep_), maxZoom()); }

draw::Rect PlanView::visibleRect() const {
  if (zoomStep_ == 0) return fit_;
  const double z = zoom();
  const double hw = (fit_.right - fit_.left) / z / 2, hh = (fit_.bottom - fit_.top) / z / 2;
  return {centre_.x - hw, centre_.z - hh, centre_.x + hw, centre_.z + hh};
}

draw::Viewport PlanView::viewport() const { return draw::Viewport(visibleRect(), QRectF(rect())); }

QPointF PlanView::toPixels(double x, double z) const { return viewport().map(x, z); }

draw::PlanPoint PlanView::toPlan(QPointF pixel) const { return viewport().unmap(pixel); }

double PlanView::digitWidth() const { return draw::digitWidth(this, viewport(), kLabelPointSize); }

double PlanView::textHeight() const {
  return QFontMetricsF(draw::planFont(kLabelPointSize), this).height() * viewport().zPerPixel();
}

void PlanView::drawModel(const draw::PlanOptions& options) {
  options_ = options;
  options_.labelPointSize = kLabelPointSize;
  drawn_ = true;
  rebuild();
}

void PlanView::rebuild() {
  fit_ = draw::fitPlan(project_, width(), height());
  clampView();
  redraw();
  noteViewChange();
}

// The primitives depend on the zoom through the labels' offset (the width of "9" in plan units); the
// grid lines run across the whole fitted picture, which holds every view, so a pan needs no new list.
void PlanView::redraw() {
  if (drawn_) {
    prims_ = draw::drawPlan(project_, options_, fit_, digitWidth(), labels_);
    keepOutlines();
    chooseLegibleLabels();
  }
  placeSelection();
  update();
}

void PlanView::keepOutlines() {
  for (const draw::Primitive& p : prims_) {
    if (p.role != draw::Role::FootingOutline || p.id.kind != draw::Id::Kind::Footing || p.id.index < 1) continue;
    const auto s = static_cast<std::size_t>(p.id.index);
    if (s >= outlines_.size()) outlines_.resize(s + 1);
    outlines_[s] = {static_cast<float>(p.x1), static_cast<float>(p.z1), static_cast<float>(p.x2), static_cast<float>(p.z2)};
  }
}

draw::Rect PlanView::drawnOutline(int s) const {
  return s >= 1 && static_cast<std::size_t>(s) < outlines_.size() ? outlines_[static_cast<std::size_t>(s)] : draw::Rect{};
}

void PlanView::clampView() {
  zoomStep_ = std::clamp(zoomStep_, 0, maxZoomStep());
  // The view stays inside the fitted picture: at zoom 1 it is the fitted picture itself.
  const double shrink = (1 - 1 / zoom()) / 2;
  const double cx = (fit_.left + fit_.right) / 2, cz = (fit_.top + fit_.bottom) / 2;
  const double rx = (fit_.right - fit_.left) * shrink, rz = (fit_.bottom - fit_.top) * shrink;
  centre_.x = std::clamp(centre_.x, cx - rx, cx + rx);
  centre_.z = std::clamp(centre_.z, cz - rz, cz + rz);
}

void PlanView::setView(int step, draw::PlanPoint centre) {
  const double before = zoom();
  zoomStep_ = step;
  centre_ = centre;
  clampView();
  if (zoom() != before) {
    redraw();
  } else {
    placeSelection();
    update();
  }
  noteViewChange();
}

void PlanView::noteViewChange() {
  const draw::Rect view = visibleRect();
  if (sameRect(view, lastView_) && size() == lastSize_) return;
  lastView_ = view;
  lastSize_ = size();
  emit viewChanged();
}

void PlanView::zoomAt(QPointF pixel, int steps) {
  if (width() <= 0 || height() <= 0) return;
  const int step = std::clamp(zoomStep_ + steps, 0, maxZoomStep());
  if (step == zoomStep_) return;
  // The new centre puts the plan point under `pixel` back under it at the new scale.
  const draw::PlanPoint at = toPlan(pixel);
  const double z = std::min(std::pow(kZoomStep, step), maxZoom());
  const double xs = (fit_.right - fit_.left) / z / width(), zs = (fit_.bottom - fit_.top) / z / height();
  setView(step, {at.x + (width() / 2.0 - pixel.x()) * xs, at.z + (height() / 2.0 - pixel.y()) * zs});
}

void PlanView::panBy(QPointF pixels) {
  const draw::Viewport view = viewport();
  setView(zoomStep_, {centre_.x - pixels.x() * view.xPerPixel(), centre_.z - pixels.y() * view.zPerPixel()});
}

void PlanView::zoomIn() { zoomAt(QPointF(width() / 2.0, height() / 2.0), +1); }

void PlanView::zoomOut() { zoomAt(QPointF(width() / 2.0, height() / 2.0), -1); }

void PlanView::fitAll() { setView(0, {(fit_.left + fit_.right) / 2, (fit_.top + fit_.bottom) / 2}); }

void PlanView::zoomByWheel(int delta, QPointF pixel) {
  // As with the number box: whole notches only, gathered from partial ones, afresh when the turn reverses.
  if (delta == 0) return;
  if (zoomRotation_ != 0 && (delta > 0) != (zoomRotation_ > 0)) zoomRotation_ = 0;
  zoomRotation_ += delta;
  const int steps = zoomRotation_ / kNotch;
  zoomRotation_ -= steps * kNotch;
  if (steps != 0) zoomAt(pixel, steps);
}

void PlanView::showOnlyLabels(std::optional<std::vector<bool>> shown) {
  onlyLabels_ = std::move(shown);
  chooseLegibleLabels();
  update();
}

bool PlanView::listed(const draw::Primitive& p) const {
  if (!onlyLabels_) return true;
  const auto i = static_cast<std::size_t>(p.id.index);
  return i < onlyLabels_->size() && (*onlyLabels_)[i];
}

void PlanView::chooseLegibleLabels() {
  legible_ = draw::legibleLabels(prims_, draw::textMeasure(this, viewport()),
                                 [this](const draw::Primitive& p) { return listed(p); });
}

bool PlanView::shown(const draw::Primitive& p) const {
  if (!isLabel(p)) return true;
  const auto i = static_cast<std::size_t>(p.id.index);
  return listed(p) && i < legible_.size() && legible_[i];
}

const draw::Primitive* PlanView::labelPrimitive(int s) const {
  for (const draw::Primitive& p : prims_)
    if (isLabel(p) && p.id == draw::Id::footing(s)) return &p;
  return nullptr;
}

QString PlanView::labelText(int s) const {
  if (s < 1 || s >= static_cast<int>(labels_.size())) return {};
  return QString::fromStdString(labels_[static_cast<std::size_t>(s)]);
}

bool PlanView::labelShown(int s) const {
  const draw::Primitive* p = labelPrimitive(s);
  return p && shown(*p);
}

QRectF PlanView::labelRect(int s) const {
  const draw::Primitive* p = labelPrimitive(s);
  if (!p || p->text.empty()) return {};
  const draw::Viewport view = viewport();
  const draw::Rect r = draw::textBounds(*p, draw::textMeasure(this, view)(*p));
  return QRectF(view.map(r.left, r.top), view.map(r.right, r.bottom));
}

int PlanView::labelAt(QPointF pixel) const {
  const draw::Viewport view = viewport();
  const draw::PlanPoint at = view.unmap(pixel);
  const draw::Primitive* hit = draw::hitTest(prims_, at.x, at.z, draw::textMeasure(this, view), 0,
                                             [this](const draw::Primitive& p) { return isLabel(p) && shown(p); });
  return hit && hit->id.kind == draw::Id::Kind::Footing ? hit->id.index : 0;
}

void PlanView::eraseBand() {
  band_.x1 = band_.x2;
  band_.z1 = band_.z2;
  bandShown_ = false;
  update();
}

void PlanView::showNumberBox(int s, const std::string& text) {
  numberBoxFooting_ = s;
  wheelRotation_ = 0;
  numberBox_->setText(QString::fromStdString(text));
  numberBox_->show();
  numberBox_->raise();
  placeSelection();
}

void PlanView::showSizeLabel(draw::PlanPoint at, const std::string& text) {
  sizeLabelAt_ = at;
  setSizeLabelText(text);
  sizeLabel_->show();
  sizeLabel_->raise();
  placeSelection();
}

void PlanView::setSizeLabelText(const std::string& text) {
  sizeLabel_->setText(QString::fromStdString(text));
  sizeLabel_->adjustSize();
}

void PlanView::hideSelection() {
  numberBox_->hide();
  sizeLabel_->hide();
  wheelRotation_ = 0;
}

void PlanView::placeSelection() {
  const draw::Viewport view = viewport();
  if (const draw::Primitive* p = labelPrimitive(numberBoxFooting_)) {
    const QFontMetrics fm(numberBox_->font());
    numberBox_->resize(fm.horizontalAdvance(QStringLiteral("99999")) + 10, fm.height() + 6);
    numberBox_->move(view.map(p->x1, p->z1).toPoint());
  }
  sizeLabel_->move(view.map(sizeLabelAt_.x, sizeLabelAt_.z).toPoint());
}

void PlanView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const draw::Viewport view = viewport();
  // Zoomed in, most of the plan lies outside the picture: only what can reach into it is painted.
  const draw::Rect seen = view.world();
  const double lx = kLineReach * view.xPerPixel(), lz = kLineReach * view.zPerPixel();
  const double tx = kTextReach * view.xPerPixel(), tz = kTextReach * view.zPerPixel();
  draw::render(painter, prims_, view, draw::screenStyle(), [&](const draw::Primitive& p) {
    if (!shown(p)) return false;
    const bool text = p.shape == draw::Shape::Text;
    const double rx = text ? tx : lx, rz = text ? tz : lz;
    return std::max(p.x1, p.x2) + rx >= seen.left && std::min(p.x1, p.x2) - rx <= seen.right &&
           std::max(p.z1, p.z2) + rz >= seen.top && std::min(p.z1, p.z2) - rz <= seen.bottom;
  }, &texts_);
  if (bandShown_) {
    // In the selection colour, so that the window stays visible where it runs along an outline.
    draw::Primitive window = draw::selectionWindow(band_.x1, band_.z1, band_.x2, band_.z2);
    window.colour = kSelectionColour;
    window.style = draw::LineStyle::Dash;
    draw::render(painter, {window}, view, draw::screenStyle());
  }
}

void PlanView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rebuild();
}

void PlanView::mousePressEvent(QMouseEvent* event) {
  // The middle button only ever drags the plan: it neither picks a label nor starts a selection window.
  if (event->button() == Qt::MiddleButton) {
    panning_ = true;
    panFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (int s = labelAt(event->position())) {
    emit labelPressed(s, event->button(), event->modifiers());
    return;
  }
  // A press on the picture starts a new selection window at the pressed point (the last one is erased).
  const draw::PlanPoint at = toPlan(event->position());
  bandActive_ = true;
  bandShown_ = true;
  band_ = {static_cast<float>(at.x), static_cast<float>(at.z), static_cast<float>(at.x), static_cast<float>(at.z)};
  update();
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
  if (panning_ && !(event->buttons() & Qt::MiddleButton)) {
    // The release went elsewhere (another window took the mouse).
    panning_ = false;
    unsetCursor();
  }
  if (panning_) {
    const QPointF moved = event->position() - panFrom_;
    panFrom_ = event->position();
    panBy(moved);
  }
  const draw::PlanPoint at = toPlan(event->position());
  emit cursorMoved(at.x, at.z);
  if (!bandActive_) return;
  band_.x2 = static_cast<float>(at.x);
  band_.z2 = static_cast<float>(at.z);
  update();
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    if (panning_) unsetCursor();
    panning_ = false;
    return;
  }
  if (!bandActive_) return;
  bandActive_ = false;
  const draw::PlanPoint at = toPlan(event->position());
  band_.x2 = static_cast<float>(at.x);
  band_.z2 = static_cast<float>(at.z);
  update();
}

void PlanView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) fitAll();
  emit keyPressed(event->key(), event->modifiers());
  event->accept();
}

void PlanView::wheelEvent(QWheelEvent* event) {
  // Ctrl+wheel zooms about the pointer; the plain wheel does nothing on the plan (only the number box
  // takes it, to resize the selected footing).
  if (event->modifiers() & Qt::ControlModifier) zoomByWheel(event->angleDelta().y(), event->position());
  event->accept();
}

bool PlanView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == numberBox_) {
    if (event->type() == QEvent::Wheel) {
      const auto* wheel = static_cast<QWheelEvent*>(event);
      const int delta = wheel->angleDelta().y();
      if (wheel->modifiers() & Qt::ControlModifier) {
        // Ctrl+wheel zooms here as anywhere on the plan; the footing keeps its size.
        zoomByWheel(delta, numberBox_->mapToParent(wheel->position()));
        event->accept();
        return true;
      }
      // Fine-grained wheels and touchpads deliver parts of a notch: act once per full notch, and start
      // afresh when the direction turns.
      if (delta != 0) {
        if (wheelRotation_ != 0 && (delta > 0) != (wheelRotation_ > 0)) wheelRotation_ = 0;
        wheelRotation_ += delta;
        while (wheelRotation_ >= kNotch && numberBox_->isVisible()) {
          wheelRotation_ -= kNotch;
          emit wheelNotch(+1);
        }
        while (wheelRotation_ <= -kNotch && numberBox_->isVisible()) {
          wheelRotation_ += kNotch;
          emit wheelNotch(-1);
        }
      }
      event->accept();
      return true;
    }
    if (event->type() == QEvent::FocusOut) {
      // Another control took the focus; switching to another window does not end the selection.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) emit numberBoxLeft();
    }
  } else if (watched == sizeLabel_) {
    // The size label is a label on the plan: pressing it neither picks nor starts a selection window.
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plintova
