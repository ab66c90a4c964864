// The two detail popups of the plan: an isolated footing with its pressures by load case, and a combined footing.
#include "ui/detail_popups.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "design/footing_design.h"
#include "design/soil_pressure.h"
#include "model/numbers.h"
#include "model/project.h"

namespace plintova {

namespace {

constexpr double kNoMark = 1000;  // smallest margin and smallest pressure start here

std::string num(double v) { return numberText(v); }

// Geometry of the popup: four lines about the footing, then the table's heading (a name over its unit)
// and one row per load case.
constexpr int kLineHeight = 20;
constexpr int kTableTop = 104;
constexpr int kHeadingHeight = 34;
constexpr int kRowPitch = 20;
constexpr int kRowHeight = 19;
constexpr int kLeft = 10;
constexpr int kColumnWidths[FootingPopup::ColumnCount] = {70, 70, 74, 74, 100, 100, 90};
const char* const kHeadings[FootingPopup::ColumnCount] = {
    "Load case", "FY\n(kN)", "MX\n(kN·m)", "MZ\n(kN·m)", "Max pressure\n(kN/m²)", "Min pressure\n(kN/m²)",
    "Allowable\n(kN/m²)"};
const char* const kHeadingTips[FootingPopup::ColumnCount] = {
    "The load case as the listing numbers it",
    "Vertical reaction",
    "Moment about X",
    "Moment about Z",
    "Largest soil pressure under the footing, with 1.1 FY for the footing's own weight; bold and framed in "
    "the case closest to its allowable pressure",
    "Smallest soil pressure (negative: the footing lifts at one edge); bold and framed in the lowest case",
    "Allowable soil pressure of the case: SBC, or 1.25 x SBC"};
const char* const kArrayNames[FootingPopup::ColumnCount] = {"LabCase",   "LabPbyA",    "LabMbyZ",    "LabMbyZ2",
                                                           "LabStress", "LabStress_", "LabAllowble"};

// A distance from the column with its sign: "+110", "-35", "0".
std::string signedMm(double v) { return (v > 0 ? "+" : "") + num(v); }

// Top of table row k (1 = the first load case).
int rowTop(int k) { return kTableTop + kHeadingHeight + 4 + kRowPitch * (k - 1); }

int columnLeft(int column) {
  int x = kLeft;
  for (int c = 0; c < column; ++c) x += kColumnWidths[c];
  return x;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(geometry);
  l->setAlignment(align);
  return l;
}

void setMark(QLabel* l, bool bold, bool bordered) {
  QFont f = l->font();
  f.setBold(bold);
  l->setFont(f);
  l->setFrameShape(bordered ? QFrame::Box : QFrame::NoFrame);
}

}  // namespace

std::optional<FootingDetail> footingDetail(const Project& p, int s) {
  if (s < 1 || s > std::min<int>(p.FootingCount, cap::kFootings)) return std::nullopt;
  const FootingRecord& f = p.FootingTable[s];
  if (static_cast<double>(f.SizeL) * f.SizeB == 0.0 || f.Kind == FootingKind::Combined) return std::nullopt;

  FootingDetail d;
  const std::string mark = footingMark(f);
  d.number = (mark.empty() ? std::string(f.Kind == FootingKind::Disabled ? "Disabled footing, joint " : "Footing of joint ")
                           : mark + ", joint ") +
             num(p.ReactionTable(s, 0, 0));
  d.size = "L X B " + num(f.SizeL) + " X " + num(f.SizeB) + " m, effective depth about " +
           num(roundTo(FootingDepthEstimate(p, s), 2)) + " m";
  d.offset = "Footing centre off the column: X " + signedMm(f.PosX - f.ColumnX) + ", Z " + signedMm(f.PosZ - f.ColumnZ) +
             " mm";
  const int column = std::clamp<int>(f.ColumnMember, 0, cap::kColumnBlocks);
  d.columnSize = "Column " + num(p.ColumnSectionTable[column][4]) + " X " + num(p.ColumnSectionTable[column][3]) + " mm";
  d.position = "Column at X " + num(f.ColumnX) + ", Z " + num(f.ColumnZ) + " mm from the grid origin";

  // The pressures as the workbook checks them, each rounded once when shown; the governing rows are
  // those of the unrounded pressures.
  double smallestMargin = kNoMark, smallestLow = kNoMark;
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    const EdgePressures e = edgePressures(p, s, u, f.SizeL, f.SizeB);
    const double margin = p.allowable(s, c) - e.max;
    if (margin < smallestMargin) {
      smallestMargin = margin;
      d.maxRow = static_cast<int>(d.rows.size());
    }
    if (e.min < smallestLow) {
      smallestLow = e.min;
      d.minRow = static_cast<int>(d.rows.size());
    }
    auto taken = [&](int k) {
      const float v = p.ReactionTable(s, c, k);
      return num(u.factor == 1.0 ? v : static_cast<float>(u.factor * v));
    };
    d.rows.push_back({num(u.loadCase), taken(2), taken(3), taken(4), num(roundTo(e.max, 2)), num(roundTo(e.min, 2)),
                      num(p.allowable(s, c))});
  }
  d.maxBordered = smallestMargin < kNoMark;
  d.minBordered = smallestLow < kNoMark;
  return d;
}

CombinedDetail combinedDetail(const Project& p, int n) {
  CombinedDetail d;
  if (n < 1 || n > std::min<int>(p.CombinedCount, cap::kCombined)) return d;
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  auto joint = [&](int k) {
    const int s = cf.CfMembers[k];
    return s >= 1 && s <= cap::kFootings ? num(p.FootingTable[s].JointNo) : std::string("0");
  };
  d.members = "C" + num(n) + ", joints " + joint(1) + " and " + joint(2);
  d.size = "L X B " + num(cf.CfLength) + " X " + num(cf.CfWidth) + " m";
  // The cantilevers are whole millimetres: three decimals at most.
  d.cant1 = "Beyond joint " + joint(1) + ": cantilever " + num(roundTo(cf.Cant1, 3)) + " m";
  d.cant2 = "Beyond joint " + joint(2) + ": cantilever " + num(roundTo(cf.Cant2, 3)) + " m";
  d.distance = "Columns " + num(cf.CfDistance) + " mm apart, half the cross offset " + num(cf.CfHalfSkew) + " mm";
  return d;
}

FootingPopup::FootingPopup(Project& project, QWidget* parent)
    : QWidget(parent, Qt::Tool), project_(project) {
  setObjectName(QStringLiteral("Disply"));
  setWindowTitle(QStringLiteral("Footing details"));

  const int width = columnLeft(ColumnCount) - kLeft;
  number_ = makeLabel(this, "LabN0", QStringLiteral("Label5"), QRect(kLeft, 6, width, 22));
  QFont big = number_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.2);
  number_->setFont(big);
  position_ = makeLabel(this, "LabXY", QStringLiteral("X   Y  "), QRect(kLeft, 30, width, kLineHeight));
  position_->setToolTip(QStringLiteral("Where the column stands (the support's joint)"));
  offset_ = makeLabel(this, "LabOffcet", QStringLiteral("Offcet"), QRect(kLeft, 30 + kLineHeight, width / 2 + 60, kLineHeight));
  offset_->setToolTip(QStringLiteral("How far the footing's centre lies from the column's, along X and along Z "
                                     "(set in the column layout window)"));
  columnSize_ = makeLabel(this, "LabColSize", QStringLiteral("ColSize"),
                          QRect(kLeft + width / 2 + 70, 30 + kLineHeight, width / 2 - 70, kLineHeight), Qt::AlignRight | Qt::AlignVCenter);
  columnSize_->setToolTip(QStringLiteral("Column section along X and along Z"));
  size_ = makeLabel(this, "LabSize", QStringLiteral("L X B X D"), QRect(kLeft, 30 + 2 * kLineHeight, width, kLineHeight));
  size_->setToolTip(QStringLiteral("Plan size, and an estimate of the effective depth with a 0.6 m pedestal"));

  std::vector<QLabel*> heading;
  for (int c = 0; c < ColumnCount; ++c) {
    QLabel* l = makeLabel(this, kArrayNames[c], QString::fromUtf8(kHeadings[c]),
                          QRect(columnLeft(c), kTableTop, kColumnWidths[c] - 2, kHeadingHeight),
                          Qt::AlignHCenter | Qt::AlignBottom);
    l->setObjectName(QString::fromLatin1(kArrayNames[c]) + QStringLiteral("_0"));
    l->setToolTip(QString::fromUtf8(kHeadingTips[c]));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    heading.push_back(l);
  }
  rows_.push_back(std::move(heading));
  setRowCount(0);
}

void FootingPopup::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(event);
}

QLabel* FootingPopup::cell(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= ColumnCount) return nullptr;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QLabel* FootingPopup::label(const char* name) const { return findChild<QLabel*>(QString::fromLatin1(name)); }

void FootingPopup::setRowCount(int n) {
  while (rowCount() > n) {
    for (QLabel* l : rows_.back()) delete l;
    rows_.pop_back();
  }
  while (rowCount() < n) {
    const int k = rowCount() + 1;
    std::vector<QLabel*> row;
    for (int c = 0; c < ColumnCount; ++c) {
      QLabel* l = makeLabel(this, kArrayNames[c], QString(),
                            QRect(columnLeft(c), rowTop(k), kColumnWidths[c] - 2, kRowHeight), Qt::AlignCenter);
      l->setObjectName(QString::fromLatin1(kArrayNames[c]) + QLatin1Char('_') + QString::number(k));
      l->show();
      row.push_back(l);
    }
    rows_.push_back(std::move(row));
  }
  setFixedSize(columnLeft(ColumnCount) + kLeft, rowTop(n + 1) + 8);
}

void FootingPopup::fill(int s) {
  const std::optional<FootingDetail> d = footingDetail(project_, s);
  if (!d) return;
  number_->setText(QString::fromStdString(d->number));
  setWindowTitle(QStringLiteral("Footing %1").arg(QString::fromStdString(d->number)));
  position_->setText(QString::fromStdString(d->position));
  offset_->setText(QString::fromStdString(d->offset));
  columnSize_->setText(QString::fromStdString(d->columnSize));
  size_->setText(QString::fromStdString(d->size));

  setRowCount(static_cast<int>(d->rows.size()));
  for (std::size_t k = 0; k < d->rows.size(); ++k) {
    const FootingDetail::Row& r = d->rows[k];
    const std::string* texts[ColumnCount] = {&r.loadCase, &r.load, &r.mx, &r.mz, &r.maxPressure, &r.minPressure,
                                             &r.allowable};
    for (int c = 0; c < ColumnCount; ++c) {
      QLabel* l = rows_[k + 1][static_cast<std::size_t>(c)];
      l->setText(QString::fromStdString(*texts[c]));
      setMark(l, false, false);
    }
  }
  if (!d->rows.empty()) {
    QLabel* maxCell = rows_[static_cast<std::size_t>(d->maxRow) + 1][MaxPressure];
    QLabel* minCell = rows_[static_cast<std::size_t>(d->minRow) + 1][MinPressure];
    setMark(maxCell, true, d->maxBordered);
    setMark(minCell, true, d->minBordered);
  }
}

CombinedPopup::CombinedPopup(Project& project, QWidget* parent) : QWidget(parent, Qt::Tool), project_(project) {
  setObjectName(QStringLiteral("Disply2"));
  setWindowTitle(QStringLiteral("Combined footing"));
  constexpr int kWidth = 320;
  members_ = makeLabel(this, "LabCf1f2", QStringLiteral("Cf1f2"), QRect(14, 8, kWidth, 22));
  QFont big = members_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.2);
  members_->setFont(big);
  members_->setToolTip(QStringLiteral("The combined footing's mark and the joints of its two columns"));
  size_ = makeLabel(this, "LabCfSize", QStringLiteral("LXB"), QRect(14, 34, kWidth, 20));
  size_->setToolTip(QStringLiteral("Length along the columns' line X width"));
  cant1_ = makeLabel(this, "LabCnt1", QStringLiteral("Cant1"), QRect(14, 56, kWidth, 20));
  cant2_ = makeLabel(this, "LabCnt2", QStringLiteral("Cant2"), QRect(14, 78, kWidth, 20));
  for (QLabel* l : {cant1_, cant2_}) l->setToolTip(QStringLiteral("The footing beyond the column's centre, along the line"));
  distance_ = makeLabel(this, "LabDisf_f", QStringLiteral("Distance"), QRect(14, 100, kWidth, 20));
  distance_->setToolTip(QStringLiteral("Centre distance of the columns along their line, and half their offset across it"));
  setFixedSize(kWidth + 28, 128);
}

void CombinedPopup::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(event);
}

QLabel* CombinedPopup::label(const char* name) const { return findChild<QLabel*>(QString::fromLatin1(name)); }

void CombinedPopup::fill(int n) {
  const CombinedDetail d = combinedDetail(project_, n);
  members_->setText(QString::fromStdString(d.members));
  setWindowTitle(QStringLiteral("Combined footing %1").arg(QString::fromStdString(d.members)));
  size_->setText(QString::fromStdString(d.size));
  cant1_->setText(QString::fromStdString(d.cant1));
  cant2_->setText(QString::fromStdString(d.cant2));
  distance_->setText(QString::fromStdString(d.distance));
}

}  // namespace plintova
