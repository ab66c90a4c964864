// The "Drawing sheet" dialog: the title block's fields, the paper and the north arrow.
#include "ui/sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "output/report_content.h"

namespace plintova {

namespace {

QLineEdit* textField(QWidget* parent, const char* name, int maxLength) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setMaxLength(maxLength);
  return e;
}

QString text(const QLineEdit* e) { return e->text().trimmed(); }

// Any angle as its equivalent in (-180, 180].
double shownAngle(double degrees) {
  double a = std::fmod(std::isfinite(degrees) ? degrees : 0.0, 360.0);
  if (a > 180) a -= 360;
  if (a <= -180) a += 360;
  return a;
}

}  // namespace

SheetSettingsDialog::SheetSettingsDialog(const SheetSettings& settings, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgSheet"));
  setWindowTitle(QStringLiteral("Drawing Sheet"));

  auto* titleGroup = new QGroupBox(QStringLiteral("Title block"), this);
  auto* titleForm = new QFormLayout(titleGroup);
  project_ = textField(titleGroup, "TxtProject", 120);
  title_ = textField(titleGroup, "TxtTitle", 120);
  number_ = textField(titleGroup, "TxtNumber", 40);
  revision_ = textField(titleGroup, "TxtRevision", 12);
  date_ = textField(titleGroup, "TxtDate", 24);
  drawnBy_ = textField(titleGroup, "TxtDrawnBy", 40);
  checkedBy_ = textField(titleGroup, "TxtCheckedBy", 40);
  project_->setMinimumWidth(320);
  auto* today = new QPushButton(QStringLiteral("&Today"), titleGroup);
  today->setObjectName(QStringLiteral("CmdToday"));
  today->setAutoDefault(false);
  connect(today, &QPushButton::clicked, this, [this] { date_->setText(QString::fromStdString(todaysDate())); });
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(date_, 1);
  dateRow->addWidget(today);
  titleForm->addRow(QStringLiteral("&Project:"), project_);
  titleForm->addRow(QStringLiteral("Drawing t&itle:"), title_);
  titleForm->addRow(QStringLiteral("Drawing &number:"), number_);
  titleForm->addRow(QStringLiteral("&Revision:"), revision_);
  auto* dateLabel = new QLabel(QStringLiteral("&Date:"), titleGroup);
  dateLabel->setBuddy(date_);
  titleForm->addRow(dateLabel, dateRow);
  titleForm->addRow(QStringLiteral("Dra&wn by:"), drawnBy_);
  titleForm->addRow(QStringLiteral("&Checked by:"), checkedBy_);

  auto* sheetGroup = new QGroupBox(QStringLiteral("Sheet"), this);
  auto* sheetForm = new QFormLayout(sheetGroup);
  paper_ = new QComboBox(sheetGroup);
  paper_->setObjectName(QStringLiteral("CboPaper"));
  paper_->addItem(QStringLiteral("A3 landscape, 420 × 297 mm"), QStringLiteral("A3"));
  paper_->addItem(QStringLiteral("A2 landscape, 594 × 420 mm"), QStringLiteral("A2"));
  paper_->addItem(QStringLiteral("A1 landscape, 841 × 594 mm"), QStringLiteral("A1"));
  north_ = new QDoubleSpinBox(sheetGroup);
  north_->setObjectName(QStringLiteral("SpnNorth"));
  north_->setRange(-180, 180);
  north_->setDecimals(1);
  north_->setSingleStep(5);
  north_->setWrapping(true);
  north_->setSuffix(QStringLiteral("°"));
  north_->setToolTip(QStringLiteral("The north arrow's angle from the top of the sheet, anticlockwise positive."));
  sheetForm->addRow(QStringLiteral("P&aper:"), paper_);
  sheetForm->addRow(QStringLiteral("N&orth arrow:"), north_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName(QStringLiteral("CmdOk"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleGroup);
  layout->addWidget(sheetGroup);
  layout->addWidget(buttons);
  setSettings(settings);
  project_->setFocus();
}

void SheetSettingsDialog::setSettings(const SheetSettings& s) {
  shown_ = s;
  auto set = [](QLineEdit* e, const std::string& t) { e->setText(QString::fromStdString(t)); };
  set(project_, s.project);
  set(title_, s.title);
  set(number_, s.number);
  set(revision_, s.revision);
  set(date_, s.date);
  set(drawnBy_, s.drawnBy);
  set(checkedBy_, s.checkedBy);
  const int paper = paper_->findData(QString::fromStdString(s.paper));
  paper_->setCurrentIndex(paper < 0 ? 0 : paper);
  north_->setValue(shownAngle(s.northRotation));
  shownNorth_ = north_->value();
}

SheetSettings SheetSettingsDialog::settings() const {
  SheetSettings s;
  s.project = text(project_).toStdString();
  s.title = text(title_).toStdString();
  s.number = text(number_).toStdString();
  s.revision = text(revision_).toStdString();
  s.date = text(date_).toStdString();
  s.drawnBy = text(drawnBy_).toStdString();
  s.checkedBy = text(checkedBy_).toStdString();
  s.paper = paper_->currentData().toString().toStdString();
  if (north_->value() == shownNorth_)
    s.northRotation = shown_.northRotation;  // left alone: kept to its every digit
  else
    s.northRotation = north_->value() == -180 ? 180 : north_->value();
  return s;
}

QLineEdit* SheetSettingsDialog::field(const char* name) const {
  return findChild<QLineEdit*>(QString::fromLatin1(name));
}

SheetDialogRunner desktopSheetDialogRunner() {
  return [](SheetSettingsDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
}

}  // namespace plintova
