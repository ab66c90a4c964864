// The "Drawing sheet" dialog: the title block's fields, the paper and the north arrow.
#include "ui/sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QPushButton>
#include <QTableWidget>
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
  firm_ = textField(titleGroup, "TxtFirm", 120);
  client_ = textField(titleGroup, "TxtClient", 120);
  project_ = textField(titleGroup, "TxtProject", 120);
  title_ = textField(titleGroup, "TxtTitle", 120);
  number_ = textField(titleGroup, "TxtNumber", 40);
  revision_ = textField(titleGroup, "TxtRevision", 12);
  date_ = textField(titleGroup, "TxtDate", 24);
  drawnBy_ = textField(titleGroup, "TxtDrawnBy", 40);
  designedBy_ = textField(titleGroup, "TxtDesignedBy", 40);
  checkedBy_ = textField(titleGroup, "TxtCheckedBy", 40);
  approvedBy_ = textField(titleGroup, "TxtApprovedBy", 40);
  project_->setMinimumWidth(320);
  auto* today = new QPushButton(QStringLiteral("&Today"), titleGroup);
  today->setObjectName(QStringLiteral("CmdToday"));
  today->setAutoDefault(false);
  connect(today, &QPushButton::clicked, this, [this] { date_->setText(QString::fromStdString(todaysDate())); });
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(date_, 1);
  dateRow->addWidget(today);
  titleForm->addRow(QStringLiteral("&Firm:"), firm_);
  titleForm->addRow(QStringLiteral("C&lient:"), client_);
  titleForm->addRow(QStringLiteral("&Project:"), project_);
  titleForm->addRow(QStringLiteral("Drawing t&itle:"), title_);
  titleForm->addRow(QStringLiteral("Drawing &number:"), number_);
  auto* dateLabel = new QLabel(QStringLiteral("&Date:"), titleGroup);
  dateLabel->setBuddy(date_);
  titleForm->addRow(dateLabel, dateRow);
  titleForm->addRow(QStringLiteral("Dra&wn by:"), drawnBy_);
  titleForm->addRow(QStringLiteral("D&esigned by:"), designedBy_);
  titleForm->addRow(QStringLiteral("&Checked by:"), checkedBy_);
  titleForm->addRow(QStringLiteral("Appro&ved by:"), approvedBy_);

  auto* revisionGroup = new QGroupBox(QStringLiteral("Revisions"), this);
  auto* revisionLayout = new QVBoxLayout(revisionGroup);
  revisions_ = new QTableWidget(0, 3, revisionGroup);
  revisions_->setObjectName(QStringLiteral("TblRevisions"));
  revisions_->setHorizontalHeaderLabels({QStringLiteral("Revision"), QStringLiteral("Date"), QStringLiteral("Description")});
  revisions_->horizontalHeader()->setStretchLastSection(true);
  revisions_->verticalHeader()->setVisible(false);
  revisions_->setMinimumHeight(110);
  revisions_->setToolTip(QStringLiteral("Every issue of the drawing, oldest first: the last row is the revision shown."));
  connect(revisions_, &QTableWidget::itemChanged, this, [this] { revisionsChanged(); });
  auto* addRevisionButton = new QPushButton(QStringLiteral("&Add revision"), revisionGroup);
  addRevisionButton->setObjectName(QStringLiteral("CmdAddRevision"));
  addRevisionButton->setAutoDefault(false);
  connect(addRevisionButton, &QPushButton::clicked, this, [this] { addRevision(); });
  auto* removeRevisionButton = new QPushButton(QStringLiteral("Re&move"), revisionGroup);
  removeRevisionButton->setObjectName(QStringLiteral("CmdRemoveRevision"));
  removeRevisionButton->setAutoDefault(false);
  connect(removeRevisionButton, &QPushButton::clicked, this, [this] { removeRevision(); });
  auto* revisionRow = new QHBoxLayout;
  revisionRow->addWidget(new QLabel(QStringLiteral("&Revision shown:"), revisionGroup));
  revisionRow->addWidget(revision_);
  revisionRow->addStretch(1);
  revisionRow->addWidget(addRevisionButton);
  revisionRow->addWidget(removeRevisionButton);
  static_cast<QLabel*>(revisionRow->itemAt(0)->widget())->setBuddy(revision_);
  revisionLayout->addWidget(revisions_);
  revisionLayout->addLayout(revisionRow);

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
  layout->addWidget(revisionGroup);
  layout->addWidget(sheetGroup);
  layout->addWidget(buttons);
  setSettings(settings);
  project_->setFocus();
}

void SheetSettingsDialog::setSettings(const SheetSettings& s) {
  shown_ = s;
  auto set = [](QLineEdit* e, const std::string& t) { e->setText(QString::fromStdString(t)); };
  set(firm_, s.firm);
  set(client_, s.client);
  set(project_, s.project);
  set(title_, s.title);
  set(number_, s.number);
  set(revision_, s.revision);
  set(date_, s.date);
  set(drawnBy_, s.drawnBy);
  set(designedBy_, s.designedBy);
  set(checkedBy_, s.checkedBy);
  set(approvedBy_, s.approvedBy);
  {
    const QSignalBlocker quiet(revisions_);
    revisions_->setRowCount(0);
    for (const Revision& r : s.revisions) {
      const int row = revisions_->rowCount();
      revisions_->insertRow(row);
      int column = 0;
      for (const std::string* t : {&r.revision, &r.date, &r.description})
        revisions_->setItem(row, column++, new QTableWidgetItem(QString::fromStdString(*t)));
    }
  }
  revisionsChanged();
  const int paper = paper_->findData(QString::fromStdString(s.paper));
  paper_->setCurrentIndex(paper < 0 ? 0 : paper);
  north_->setValue(shownAngle(s.northRotation));
  shownNorth_ = north_->value();
}

namespace {

QString cellText(const QTableWidget* t, int row, int column) {
  const QTableWidgetItem* item = t->item(row, column);
  return item ? item->text().trimmed() : QString();
}

// The revision after `r`: the next letter after a letter, the next number after a number.
QString nextRevision(const QString& r) {
  bool number = false;
  const int n = r.toInt(&number);
  if (number) return QString::number(n + 1);
  if (r.size() == 1 && r.at(0) >= QLatin1Char('A') && r.at(0) < QLatin1Char('Z')) return QString(QChar(r.at(0).unicode() + 1));
  return r.isEmpty() ? QStringLiteral("0") : r + QStringLiteral("1");
}

}  // namespace

void SheetSettingsDialog::addRevision() {
  const int rows = revisions_->rowCount();
  const QString last = rows > 0 ? cellText(revisions_, rows - 1, 0) : text(revision_);
  const QSignalBlocker quiet(revisions_);
  revisions_->insertRow(rows);
  revisions_->setItem(rows, 0, new QTableWidgetItem(rows > 0 || last.isEmpty() ? nextRevision(last) : last));
  revisions_->setItem(rows, 1, new QTableWidgetItem(QString::fromStdString(todaysDate())));
  revisions_->setItem(rows, 2, new QTableWidgetItem(QString()));
  revisionsChanged();
  revisions_->setCurrentCell(rows, 2);
}

void SheetSettingsDialog::removeRevision() {
  const int row = revisions_->currentRow() >= 0 ? revisions_->currentRow() : revisions_->rowCount() - 1;
  if (row < 0) return;
  revisions_->removeRow(row);
  revisionsChanged();
}

// The revision box follows the table's last row, and takes a revision of its own only while the table
// is empty.
void SheetSettingsDialog::revisionsChanged() {
  const int rows = revisions_->rowCount();
  revision_->setReadOnly(rows > 0);
  if (rows > 0) revision_->setText(cellText(revisions_, rows - 1, 0));
}

SheetSettings SheetSettingsDialog::settings() const {
  SheetSettings s;
  s.firm = text(firm_).toStdString();
  s.client = text(client_).toStdString();
  s.project = text(project_).toStdString();
  s.title = text(title_).toStdString();
  s.number = text(number_).toStdString();
  s.revision = text(revision_).toStdString();
  s.date = text(date_).toStdString();
  s.drawnBy = text(drawnBy_).toStdString();
  s.designedBy = text(designedBy_).toStdString();
  s.checkedBy = text(checkedBy_).toStdString();
  s.approvedBy = text(approvedBy_).toStdString();
  for (int row = 0; row < revisions_->rowCount(); ++row)
    s.revisions.push_back({cellText(revisions_, row, 0).toStdString(), cellText(revisions_, row, 1).toStdString(),
                           cellText(revisions_, row, 2).toStdString()});
  if (!s.revisions.empty()) s.revision = s.revisions.back().revision;
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

}  // namespace plintova
