// The schedule window's columns: their places in twips, their headings with units and tooltips, and
// the edit box that shows its unit.
#include "ui/schedule_columns.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

namespace plintova {

namespace {

// Width of the widest line of a text.
int textWidth(const QFont& font, const QString& text) {
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, QFontMetrics(font).horizontalAdvance(line));
  return widest;
}

}  // namespace

const std::array<ColumnHeading, kScheduleColumns>& columnHeadings() {
  static const std::array<ColumnHeading, kScheduleColumns> headings = {{
      {"Mark", "", "The footings' mark on the plan: F1, F2, … (R and C for hand-resized and combined footings). "
                   "Click: what governs the row"},
      {"No.", "", "Number of footings in the row (the joints of a hand-resized or combined footing). Click: their joints"},
      {"Size", "(m)", "Side B of the square footing (L X B of a hand-resized or combined footing)"},
      {"Depth", "(m)", "Total depth D. Type a depth and press Enter; Esc restores. A depth that bending or shear "
                       "does not allow is raised, with a message"},
      {"Pedestal", "X x Z (m)", "Sides of the pedestal along X and along Z. Type \"0.6 x 0.75\" (or one size for a "
                                "square pedestal) and press Enter: the depth is designed afresh"},
      {"Net q", "(kN/m²)", "Net upward pressure q: the largest under the row's footings, from the reactions as read"},
      {"Cant.", "(m)", "Cantilever c = (B − a)/2 beyond the pedestal face, a its shorter side (the bars of a hand-resized or combined "
                       "footing)"},
      {"Mu", "(kN·m)", "Factored moment 1.5 q B c²/2 at the pedestal face, over the width B"},
      {"Mu/Bd²", "(N/mm²)", "Mu / (B d²), at most the limiting factor times fck (IS 456 Annex G-1.1 c)"},
      {"pt", "(%)", "Steel percentage, at least 0.2"},
      {"Ast", "(mm²)", "Steel area over the width B, each way"},
      {"Dia", "(mm)", "Bar diameter. Click: the next of 10, 12, 16 and 20"},
      {"Spacing", "(mm)", "Bar spacing, each way"},
      {"Bars", "", "Number of bars, each way"},
      {"V", "(kN)", "One-way shear force at d from the pedestal face (the IS 456 checks of a hand-resized or "
                    "combined footing)"},
      {"τv", "(N/mm²)", "One-way shear stress V / (B d)"},
      {"τc", "(N/mm²)", "Design shear strength of the concrete for pt (IS 456 Table 19)"},
      {"V", "(kN)", "Punching shear force outside the square of side a + d"},
      {"τv", "(N/mm²)", "Punching shear stress on the perimeter 4 (a + d) at depth d"},
      {"τp", "(N/mm²)", "Punching strength 0.25 √fck (IS 456 cl. 31.6.3.1)"},
  }};
  return headings;
}

QString headingText(int column) {
  const ColumnHeading& h = columnHeadings()[static_cast<std::size_t>(column)];
  const QString name = QString::fromUtf8(h.name);
  return *h.unit ? name + QLatin1Char('\n') + QString::fromUtf8(h.unit) : name;
}

UnitLineEdit::UnitLineEdit(const QString& unit, QWidget* parent) : QLineEdit(parent) {
  unit_ = new QLabel(unit, this);
  unit_->setObjectName(QStringLiteral("Unit"));
  unit_->setStyleSheet(QStringLiteral("QLabel { color: #707070; }"));
  unit_->setAttribute(Qt::WA_TransparentForMouseEvents);
  setTextMargins(0, 0, unitWidth(), 0);
}

int UnitLineEdit::unitWidth() const { return QFontMetrics(unit_->font()).horizontalAdvance(unit_->text()) + 4; }

void UnitLineEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  const int w = unitWidth();
  unit_->setGeometry(width() - w - 2, 0, w, height());
}

// Room a text may take: at least the column's own width, at most up to the next column.
int roomOf(int column) {
  int next = column + 1 < kScheduleColumns ? kPlaces[static_cast<std::size_t>(column) + 1].left
                                           : kPlaces[static_cast<std::size_t>(column)].left + 700;
  return px(next - kPlaces[static_cast<std::size_t>(column)].left) - kColumnGap;
}

// A smaller face, down to 7 pt, for a label whose text is wider than the label.
void shrinkToFit(QWidget* w) {
  auto* label = qobject_cast<QLabel*>(w);
  if (!label) return;
  QFont font = label->parentWidget() ? label->parentWidget()->font() : label->font();
  while (font.pointSizeF() > 7 && QFontMetrics(font).horizontalAdvance(label->text()) > label->width() - 2)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  label->setFont(font);
}

// Widens a control whose text does not fit its column width, never past the next column.
void fitWidth(QWidget* w, const QString& text, int column) {
  const int own = px(kPlaces[static_cast<std::size_t>(column)].width);
  auto* unitEdit = dynamic_cast<UnitLineEdit*>(w);
  const int frame = unitEdit ? 12 + unitEdit->unitWidth() : qobject_cast<QLineEdit*>(w) ? 12 : 2;
  const int needed = textWidth(w->font(), text) + frame;
  w->resize(std::clamp(needed, own, std::max(own, roomOf(column))), w->height());
}

// A smaller face for a heading whose widest line does not fit the room its column has.
void fitHeading(QWidget* w, int column) {
  const int room = std::max(px(kPlaces[static_cast<std::size_t>(column)].width), roomOf(column));
  auto* label = qobject_cast<QLabel*>(w);
  if (!label) return;
  QFont font = label->font();
  while (font.pointSizeF() > 7 && textWidth(font, label->text()) > room - 2) font.setPointSizeF(font.pointSizeF() - 0.25);
  label->setFont(font);
  fitWidth(label, label->text(), column);
}

}  // namespace plintova
