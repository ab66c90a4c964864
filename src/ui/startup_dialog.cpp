// The start-up dialog: what the listing holds, and the engineer's safe bearing capacity and founding depth.
#include "ui/startup_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "footing/case_basis.h"
#include "footing/design_inputs.h"
#include "footing/load_combinations.h"
#include "model/grades.h"
#include "model/prompter.h"
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

StartupDialog::StartupDialog(Project& project, const ListingSummary& summary, Prompter& prompter, QWidget* parent)
    : QDialog(parent), project_(project), prompter_(prompter) {
  setObjectName(QStringLiteral("FrmSbc"));
  setWindowTitle(QString::fromLatin1(kProgramName));

  auto* heading = label("Label1", QString::fromLatin1(kProgramName));
  QFont headingFont = heading->font();
  headingFont.setPointSizeF(headingFont.pointSizeF() * 2.2);
  headingFont.setBold(true);
  heading->setFont(headingFont);
  heading->setAlignment(Qt::AlignCenter);

  // What the reader found in the listing.
  auto* facts = new QFrame;
  facts->setFrameShape(QFrame::StyledPanel);
  auto* factsLayout = new QVBoxLayout(facts);
  factsLayout->addWidget(label("LabNoSRea", QString::fromStdString(summary.supportsCaption)));
  factsLayout->addWidget(label("LabLoadCases", QString::fromStdString(summary.loadCasesCaption)));
  factsLayout->addWidget(label("LabFckFe", QString::fromStdString(summary.gradesCaption)));
  if (!summary.unitsCaption.empty()) factsLayout->addWidget(label("LabUnits", QString::fromStdString(summary.unitsCaption)));

  sbc_ = entryBox("CombSBC", {"100", "150", "200", "250", "300", "350", "400", "500"});
  depth_ = entryBox("CmbDepth", {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"});
  auto* entries = new QHBoxLayout;
  entries->addWidget(label("Label5", QStringLiteral("SBC")));
  entries->addWidget(sbc_);
  entries->addSpacing(6);
  entries->addWidget(label("Label6", QStringLiteral("KN/m2    At  Depth")));
  entries->addWidget(depth_);
  entries->addStretch();

  // The grades: the listing's, or the engineer's where it gives none (or another is wanted).
  fck_ = entryBox("CmbFck", {"15", "20", "25", "30", "35", "40", "45", "50"});
  QStringList steelGrades;
  for (int fe : kSteelGrades) steelGrades << QString::number(fe);
  fe_ = entryBox("CmbFe", steelGrades);
  if (project_.ListingFck > 0) fck_->setEditText(QString::number(project_.ListingFck));
  if (project_.ListingFe > 0) fe_->setEditText(QString::number(project_.ListingFe));
  auto* grades = new QHBoxLayout;
  grades->addWidget(label("LabFckEntry", QStringLiteral("Fck")));
  grades->addWidget(fck_);
  grades->addSpacing(6);
  grades->addWidget(label("LabFeEntry", QStringLiteral("Fe")));
  grades->addWidget(fe_);
  grades->addWidget(label("LabGradeUnit", QStringLiteral("N/mm2")));
  grades->addStretch();

  cases_ = new LoadCasePanel(project_, prompter_, this);

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
  layout->addLayout(grades);
  layout->addWidget(label("LabCases", QStringLiteral("Load cases")));
  layout->addWidget(cases_, 1);
  // Which rule ticks the increased pressure by default, and why.
  auto* rule = label("LabIncreaseRule",
                     defaultIncreaseRule(project_) == IncreaseRule::WindOrEarthquake
                         ? QStringLiteral("Ticked by default: the wind and earthquake cases (by title or load type) "
                                          "and the combinations that include them.")
                         : QStringLiteral("The listing names no load case's title or type: by default every case "
                                          "after a support's first is ticked, as before."));
  rule->setWordWrap(true);
  layout->addWidget(rule);
  layout->addLayout(buttons);
  setMinimumWidth(480);
  resize(640, 720);

  connect(ok_, &QPushButton::clicked, this, &StartupDialog::cmdOK);
  connect(exit_, &QPushButton::clicked, this, &StartupDialog::reject);

  // Both boxes are still empty: nothing is taken yet, and the dialog waits.
  cmdOK();
}

void StartupDialog::cmdOK() {
  if (beforeTaking_ && !beforeTaking_()) return;
  // SBC and depth as they always were: anything not acceptable is ignored and the dialog waits.
  if (!acceptDesignInputs(project_, depth_->currentText().toStdString(), sbc_->currentText().toStdString())) return;

  // The grades: whole numbers the design can work with.
  const QString fckText = fck_->currentText().trimmed(), feText = fe_->currentText().trimmed();
  bool fckOk = false, feOk = false;
  const int fck = fckText.toInt(&fckOk), fe = feText.toInt(&feOk);
  if (const std::string problem = gradeProblem(fckOk ? fck : 0, feOk ? fe : 0); !problem.empty()) {
    prompter_.message(problem, kProgramName);
    return;
  }
  // A grade below what buried concrete needs is the engineer's to confirm; Cancel leaves the dialog open.
  if (const std::string note = exposureGradeNote(fck);
      !note.empty() && !prompter_.confirm(note + " Design with M" + std::to_string(fck) + " all the same?", kProgramName))
    return;

  // The load cases: the ticked ones (all ticked: every case), and the increased ones when they differ
  // from the default rule; the roles and the combinations.
  const std::vector<int> used = cases_->usedCases(), increased = cases_->increasedCases();
  const bool all = used.size() == static_cast<std::size_t>(caseTable()->rowCount());
  if (used.empty()) {
    prompter_.message("Choose at least one load case.", kProgramName);
    return;
  }
  // The default rule, as it stands for the cases used: no choice of the engineer's then.
  std::optional<std::vector<int>> increasedChoice;
  if (increased != defaultIncreasedCases(project_, used)) increasedChoice = increased;
  std::string error;
  const auto combinations = cases_->combinations(error);
  if (!error.empty()) {
    prompter_.message(error, kProgramName);
    return;
  }
  const CaseBasisChoice basis{cases_->roles(), combinations, false};
  // Tried on a copy first, so that a refused choice leaves the listing's reactions as they were.
  {
    auto scratch = std::make_unique<Project>(project_);
    std::vector<std::string> notes;
    std::string refusal = applyLoadCaseChoice(*scratch, all ? std::vector<int>{} : used, increasedChoice);
    if (refusal.empty()) refusal = applyCaseBasis(*scratch, basis, notes);
    if (!refusal.empty()) {
      prompter_.message(refusal, kProgramName);
      return;
    }
  }
  acceptGrades(project_, fck, fe);
  applyLoadCaseChoice(project_, all ? std::vector<int>{} : used, increasedChoice);
  std::vector<std::string> notes;
  applyCaseBasis(project_, basis, notes);
  // What makes the basis of the loads doubtful, gathered in one message.
  for (const std::string& doubt : basisWarnings(project_)) notes.push_back(doubt);
  if (!notes.empty())
    prompter_.messageList(notes.size() == 1 ? notes.front() : "The basis of the loads is doubtful:",
                          notes.size() == 1 ? std::vector<std::string>{} : notes, "Load cases");
  emit confirmed();
  accept();
}

}  // namespace plintova
