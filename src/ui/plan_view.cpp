// The footing plan picture of the main window: painted primitives, label picking, the selection window,
// the number box that takes the mouse wheel and the size label of the selected footing.
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

#include "model/project.h"

namespace plintova {

namespace {

constexpr int kNotch = 120;  // wheel rotation of one notch
constexpr draw::Rgb kSelectionColour{0, 90, 210};

bool isLabel(const draw::Primitive& p) { return p.role == draw::Role::FootingLabel; }

}  // namespace

PlanView::PlanView(Project& project, QWidget* parent) : QWidget(parent), project_(project) {
  setObjectName(QStringLiteral("PicFoot"));
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
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

draw::Viewport PlanView::viewport() const { return draw::Viewport(fit_, QRectF(rect())); }

QPointF PlanView::toPixels(double x, double z) const { return viewport().map(x, z); }

draw::PlanPoint PlanView::toPlan(QPointF pixel) const { return viewport().unmap(pixel); }

double PlanView::nineWidth() const { return draw::nineWidth(this, viewport(), kLabelPointSize); }

double PlanView::textHeight() const {
  return QFontMetricsF(draw::planFont(kLabelPointSize), this).height() * viewport().zPerPixel();
}

void PlanView::drawFoot(const draw::PlanOptions& options) {
  options_ = options;
  options_.labelPointSize = kLabelPointSize;
  drawn_ = true;
  rebuild();
}

void PlanView::rebuild() {
  fit_ = draw::fitPlan(project_, width(), height());
  if (drawn_) prims_ = draw::drawPlan(project_, options_, fit_, nineWidth(), labels_);
  placeSelection();
  update();
}

void PlanView::showOnlyLabels(std::optional<std::vector<bool>> shown) {
  onlyLabels_ = std::move(shown);
  update();
}

bool PlanView::shown(const draw::Primitive& p) const {
  if (!isLabel(p) || !onlyLabels_) return true;
  const auto i = static_cast<std::size_t>(p.id.index);
  return i < onlyLabels_->size() && (*onlyLabels_)[i];
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
  if (onlyLabels_) {
    std::vector<draw::Primitive> list;
    list.reserve(prims_.size());
    for (const draw::Primitive& p : prims_)
      if (shown(p)) list.push_back(p);
    draw::render(painter, list, view, draw::screenStyle());
  } else {
    draw::render(painter, prims_, view, draw::screenStyle());
  }
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
  if (!bandActive_) return;
  const draw::PlanPoint at = toPlan(event->position());
  band_.x2 = static_cast<float>(at.x);
  band_.z2 = static_cast<float>(at.z);
  update();
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
  if (!bandActive_) return;
  bandActive_ = false;
  const draw::PlanPoint at = toPlan(event->position());
  band_.x2 = static_cast<float>(at.x);
  band_.z2 = static_cast<float>(at.z);
  update();
}

void PlanView::keyPressEvent(QKeyEvent* event) {
  emit keyPressed(event->key(), event->modifiers());
  event->accept();
}

void PlanView::wheelEvent(QWheelEvent* event) {
  // The wheel neither zooms nor scrolls the plan; only the number box takes it.
  event->accept();
}

bool PlanView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == numberBox_) {
    if (event->type() == QEvent::Wheel) {
      // Fine-grained wheels and touchpads deliver parts of a notch: act once per full notch, and start
      // afresh when the direction turns.
      const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
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
