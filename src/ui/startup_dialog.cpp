// The start-up dialog: what the listing holds, and the engineer's safe bearing capacity and founding depth.
#include "ui/startup_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "footing/design_inputs.h"
#include "model/project.h"

namespace plintova {

namespace {

QComboBox* entryBox(const char* name, const QStringList& items) {
  auto* box = new QComboBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  // Typed values are taken as typed; Enter must not add them to the list.
  box->setInsertPolicy(QComboBox::NoInsert);
  // No completion from the list: typing 50 must stay 50, not become the 500 of the list.
  box->setCompleter(nullptr);
  box->addItems(items);
  box->setCurrentIndex(-1);
  // "Select" is a hint, not text: a click into the box starts on an empty line, so what is typed is
  // the value and not "Selec200t".
  box->setEditText(QString());
  box->lineEdit()->setPlaceholderText(QStringLiteral("Select"));
  box->setMinimumContentsLength(7);
  return box;
}

QLabel* label(const char* name, const QString& text) {
  auto* l = new QLabel(text);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

}  // namespace

StartupDialog::StartupDialog(Project& project, const ListingSummary& summary, QWidget* parent)
    : QDialog(parent), project_(project) {
  setObjectName(QStringLiteral("FrmSbc"));
  setWindowTitle(QStringLiteral("KELVORA"));

  auto* heading = label("Label1", QStringLiteral("Plintova"));
  QFont headingFont = heading->font();
  headingFont.setPointSizeF(headingFont.pointSizeF() * 2.2);
  headingFont.setBold(true);
  heading->setFont(headingFont);
  heading->setAlignment(Qt::AlignCenter);

  // What the reader found in the listing.
  auto* supports = label("LabNoSRea", QString::fromStdString(summary.supportsCaption));
  auto* cases = label("LabLoadCases", QString::fromStdString(summary.loadCasesCaption));
  auto* grades = label("LabFckFe", QString::fromStdString(summary.gradesCaption));
  auto* facts = new QFrame;
  facts->setFrameShape(QFrame::StyledPanel);
  auto* factsLayout = new QVBoxLayout(facts);
  factsLayout->addWidget(supports);
  factsLayout->addWidget(cases);
  factsLayout->addWidget(grades);

  sbc_ = entryBox("CombSBC", {"100", "150", "200", "250", "300", "350", "400", "500"});
  depth_ = entryBox("CmbDepth", {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"});
  auto* entries = new QHBoxLayout;
  entries->addWidget(label("Label5", QStringLiteral("SBC")));
  entries->addWidget(sbc_);
  entries->addSpacing(6);
  entries->addWidget(label("Label6", QStringLiteral("KN/m2    At  Depth")));
  entries->addWidget(depth_);
  entries->addStretch();

  ok_ = new QPushButton(QStringLiteral("OK"));
  ok_->setObjectName(QStringLiteral("CmdOK"));
  ok_->setDefault(true);
  exit_ = new QPushButton(QStringLiteral("Exit"));
  exit_->setObjectName(QStringLiteral("CmdEnd"));
  exit_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(exit_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->setSpacing(12);
  layout->addWidget(heading);
  layout->addWidget(facts);
  layout->addLayout(entries);
  layout->addLayout(buttons);
  setMinimumWidth(440);

  connect(ok_, &QPushButton::clicked, this, &StartupDialog::cmdOK);
  connect(exit_, &QPushButton::clicked, this, &StartupDialog::reject);

  // Both boxes are still empty: nothing is taken yet, and the dialog waits.
  cmdOK();
}

void StartupDialog::cmdOK() {
  if (!acceptDesignInputs(project_, depth_->currentText().toStdString(), sbc_->currentText().toStdString())) return;
  emit confirmed();
  accept();
}

}  // namespace plintova
