// The two detail popups of the plan: an isolated footing with its pressures by load case, and a combined footing.
#include "ui/detail_popups.h"

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

// Geometry of the popup table, in pixels (twips at 15 per pixel): the heading line at 840 twips, every
// row 300 twips below the one before.
constexpr int kTableTop = 56;
constexpr int kRowPitch = 20;
constexpr int kRowHeight = 19;
constexpr int kLeft = 10;
constexpr int kColumnWidths[FootingPopup::ColumnCount] = {74, 78, 70, 70, 100, 84, 116};
const char* const kHeadings[FootingPopup::ColumnCount] = {"Load Case", "Load",    "Mx ",           " Mz",
                                                         "Stress (mX)", "    (-)", "Allowble Stress"};
const char* const kArrayNames[FootingPopup::ColumnCount] = {"LabCase",   "LabPbyA",    "LabMbyZ",    "LabMbyZ2",
                                                           "LabStress", "LabStress_", "LabAllowble"};

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
  if (static_cast<double>(f.SizeL) * f.SizeB == 0.0 || f.CombNo > 0) return std::nullopt;

  FootingDetail d;
  d.number = "F " + num(p.ReactionTable(s, 0, 0));
  d.size = num(f.SizeL) + " X " + num(f.SizeB) + " X " + num(roundTo(FootingDepthEstimate(p, s), 2));
  d.offset = num(f.OffsetX) + " X " + num(f.OffsetZ);
  const int column = std::clamp<int>(f.ColumnMember, 0, cap::kColumnBlocks);
  d.columnSize = "ColSize " + num(p.ColumnSectionTable[column][4]) + " X " + num(p.ColumnSectionTable[column][3]);
  d.position = "off " + num(f.ColumnX) + " - " + num(f.PosX) + " X " + num(f.ColumnZ) + " - " + num(f.PosZ);

  // The pressures as the workbook checks them, each rounded once when shown; the governing rows are
  // those of the unrounded pressures.
  double smallestMargin = kNoMark, smallestLow = kNoMark;
  const int last = p.lastCasePosition(s);
  for (int c = 0; c <= last; ++c) {
    const EdgePressures e = edgePressures(p, s, c, f.SizeL, f.SizeB);
    const double margin = p.allowable(s, c) - e.max;
    if (margin < smallestMargin) {
      smallestMargin = margin;
      d.maxRow = c;
    }
    if (e.min < smallestLow) {
      smallestLow = e.min;
      d.minRow = c;
    }
    d.rows.push_back({num(p.ReactionTable(s, c, 1)), num(p.ReactionTable(s, c, 2)), num(p.ReactionTable(s, c, 3)),
                      num(p.ReactionTable(s, c, 4)), num(roundTo(e.max, 2)), num(roundTo(e.min, 2)),
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
  d.members = joint(1) + " X " + joint(2);
  d.size = num(cf.CfLength) + " X " + num(cf.CfWidth);
  // The cantilevers are whole millimetres: three decimals at most.
  d.cant1 = "Cant1 " + num(roundTo(cf.Cant1, 3));
  d.cant2 = "Cant2 " + num(roundTo(cf.Cant2, 3));
  d.distance = "F1-F2 " + num(cf.CfDistance) + "  ( " + num(cf.CfHalfSkew) + " )";
  return d;
}

FootingPopup::FootingPopup(Project& project, QWidget* parent)
    : QWidget(parent, Qt::Tool), project_(project) {
  setObjectName(QStringLiteral("Disply"));
  setWindowTitle(QStringLiteral("Footing Details"));

  number_ = makeLabel(this, "LabN0", QStringLiteral("Label5"), QRect(kLeft, 6, 84, 22));
  QFont big = number_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.2);
  number_->setFont(big);
  position_ = makeLabel(this, "LabXY", QStringLiteral("X   Y  "), QRect(100, 8, 300, 20));
  position_->setToolTip(QStringLiteral("Column centre - footing centre, along X and along Z (mm)"));
  offset_ = makeLabel(this, "LabOffcet", QStringLiteral("Offcet"), QRect(430, 8, 150, 20));
  offset_->setToolTip(QStringLiteral("Column offset steps along X and along Z"));
  makeLabel(this, "Label1", QStringLiteral("Size"), QRect(kLeft, 30, 40, 20));
  size_ = makeLabel(this, "LabSize", QStringLiteral("L X B X D"), QRect(50, 30, 240, 20));
  size_->setToolTip(QStringLiteral("Length X width X effective depth estimate (m)"));
  columnSize_ = makeLabel(this, "LabColSize", QStringLiteral("ColSize"), QRect(300, 30, 200, 20));
  columnSize_->setToolTip(QStringLiteral("Column section (mm)"));

  std::vector<QLabel*> heading;
  for (int c = 0; c < ColumnCount; ++c) {
    QLabel* l = makeLabel(this, kArrayNames[c], QString::fromLatin1(kHeadings[c]),
                          QRect(columnLeft(c), kTableTop, kColumnWidths[c] - 2, kRowHeight), Qt::AlignCenter);
    l->setObjectName(QString::fromLatin1(kArrayNames[c]) + QStringLiteral("_0"));
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    heading.push_back(l);
  }
  rows_.push_back(std::move(heading));
  setRowCount(0);
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
                            QRect(columnLeft(c), kTableTop + kRowPitch * k, kColumnWidths[c] - 2, kRowHeight),
                            Qt::AlignCenter);
      l->setObjectName(QString::fromLatin1(kArrayNames[c]) + QLatin1Char('_') + QString::number(k));
      l->show();
      row.push_back(l);
    }
    rows_.push_back(std::move(row));
  }
  setFixedSize(columnLeft(ColumnCount) + kLeft, kTableTop + kRowPitch * (n + 1) + 12);
}

void FootingPopup::fill(int s) {
  const std::optional<FootingDetail> d = footingDetail(project_, s);
  if (!d) return;
  number_->setText(QString::fromStdString(d->number));
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
  setWindowTitle(QStringLiteral("Combined Footing"));
  members_ = makeLabel(this, "LabCf1f2", QStringLiteral("Cf1f2"), QRect(14, 8, 240, 22));
  QFont big = members_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.2);
  members_->setFont(big);
  members_->setToolTip(QStringLiteral("Joint numbers of the two columns"));
  size_ = makeLabel(this, "LabCfSize", QStringLiteral("LXB"), QRect(14, 34, 240, 20));
  size_->setToolTip(QStringLiteral("Length X width (m)"));
  cant1_ = makeLabel(this, "LabCnt1", QStringLiteral("Cant1"), QRect(14, 56, 240, 20));
  cant2_ = makeLabel(this, "LabCnt2", QStringLiteral("Cant2"), QRect(14, 78, 240, 20));
  distance_ = makeLabel(this, "LabDisf_f", QStringLiteral("Distance"), QRect(14, 100, 240, 20));
  distance_->setToolTip(QStringLiteral("Centre distance of the columns (half the cross offset) in mm"));
  setFixedSize(268, 128);
}

QLabel* CombinedPopup::label(const char* name) const { return findChild<QLabel*>(QString::fromLatin1(name)); }

void CombinedPopup::fill(int n) {
  const CombinedDetail d = combinedDetail(project_, n);
  members_->setText(QString::fromStdString(d.members));
  size_->setText(QString::fromStdString(d.size));
  cant1_->setText(QString::fromStdString(d.cant1));
  cant2_->setText(QString::fromStdString(d.cant2));
  distance_->setText(QString::fromStdString(d.distance));
}

}  // namespace plintova
