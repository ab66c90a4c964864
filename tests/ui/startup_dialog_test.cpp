// The start-up dialog: what the reader found, the two entries typed or picked, OK and Exit.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QSignalSpy>
#include <QtTest>

#include "design/schedule.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "project/schedule_design.h"
#include "model/project.h"
#include "ui/startup_dialog.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

// Replaces the text of an editable drop-down list by typing, as the engineer would.
void type(QComboBox* box, const QString& text) {
  box->lineEdit()->selectAll();
  QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
  QTest::keyClicks(box->lineEdit(), text);
}

}  // namespace

class StartupDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Project> project;
  std::unique_ptr<StartupDialog> dialog;
  RecordingPrompter prompter;

 private slots:
  void init() {
    project = std::make_unique<Project>();
    prompter = RecordingPrompter();
    const ListingSummary summary = readListing(*project, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
    dialog = std::make_unique<StartupDialog>(*project, summary, prompter);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
  }
  void cleanup() { dialog.reset(); }

  void showsWhatTheListingHoldsAndWaitsForBothEntries() {
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Plintova"));
    QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QStringLiteral("Plintova"));
    QCOMPARE(dialog->findChild<QLabel*>("LabNoSRea")->text(), QStringLiteral("SUPPORT REACTIONS :   40"));
    QCOMPARE(dialog->findChild<QLabel*>("LabLoadCases")->text(), QStringLiteral("LOAD CASES :   6"));
    QCOMPARE(dialog->findChild<QLabel*>("LabFckFe")->text(), QStringLiteral("Fck 25     Fe 415 N/mm2"));
    QCOMPARE(dialog->findChild<QLabel*>("Label6")->text(), QStringLiteral("KN/m2    At  Depth"));
    // "Select" is shown as a hint in empty boxes, not as their text.
    for (QComboBox* box : {dialog->sbcBox(), dialog->depthBox()}) {
      QCOMPARE(box->currentText(), QString());
      QCOMPARE(box->lineEdit()->placeholderText(), QStringLiteral("Select"));
    }
    QCOMPARE(dialog->sbcBox()->itemText(7), QStringLiteral("500"));
    QCOMPARE(dialog->depthBox()->itemText(1), QStringLiteral("1.0"));
    saveShot(dialog.get(), QStringLiteral("startup_dialog.png"));

    // OK on the untouched dialog takes nothing and the dialog stays.
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 0);
    QVERIFY(dialog->isVisible());
    QCOMPARE(project->EarthPressure, 0.0f);
  }

  void okTakesOnlyAcceptableEntries_data() {
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("sbc");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<float>("earthPressure");
    QTest::addColumn<float>("sbcTaken");
    QTest::newRow("depth 0 and SBC 50") << "0" << "50" << true << 0.0f << 50.0f;
    QTest::newRow("depth 6 and SBC 1000") << "6" << "1000" << true << 120.0f << 1000.0f;
    QTest::newRow("depth typed off the list") << "1.75" << "200" << true << 35.0f << 200.0f;
    QTest::newRow("SBC 150.5 to even") << "1.5" << "150.5" << true << 30.0f << 150.0f;
    QTest::newRow("SBC 151.5 to even") << "1.5" << "151.5" << true << 30.0f << 152.0f;
    QTest::newRow("depth 6.01") << "6.01" << "200" << false << 0.0f << 0.0f;
    QTest::newRow("depth -0.5") << "-0.5" << "200" << false << 0.0f << 0.0f;
    QTest::newRow("depth not a number") << "deep" << "200" << false << 0.0f << 0.0f;
    // A good depth is stored even when the SBC that follows is refused.
    QTest::newRow("SBC 49") << "1.5" << "49" << false << 30.0f << 0.0f;
    QTest::newRow("SBC 1001") << "2" << "1001" << false << 40.0f << 0.0f;
    QTest::newRow("SBC still Select") << "1.5" << "Select" << false << 30.0f << 0.0f;
  }

  void okTakesOnlyAcceptableEntries() {
    QFETCH(QString, depth);
    QFETCH(QString, sbc);
    QFETCH(bool, accepted);
    QFETCH(float, earthPressure);
    QFETCH(float, sbcTaken);
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    type(dialog->depthBox(), depth);
    type(dialog->sbcBox(), sbc);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), accepted ? 1 : 0);
    QCOMPARE(dialog->isVisible(), !accepted);
    QCOMPARE(project->EarthPressure, earthPressure);
    QCOMPARE(project->CaseSbc[0], sbcTaken);
    QCOMPARE(project->CaseSbc[35], sbcTaken * 1.25f);
    // Typed values never join the lists.
    QCOMPARE(dialog->depthBox()->count(), 8);
    QCOMPARE(dialog->sbcBox()->count(), 8);
  }

  void clickingIntoABoxAndTypingGivesTheTypedValue() {
    // A click into the box puts the cursor where the click lands; typing then gives only what is typed.
    for (QComboBox* box : {dialog->depthBox(), dialog->sbcBox()}) {
      QTest::mouseClick(box->lineEdit(), Qt::LeftButton, {}, QPoint(box->lineEdit()->width() / 2, 5));
      QTest::keyClicks(box->lineEdit(), box == dialog->sbcBox() ? QStringLiteral("200") : QStringLiteral("1.5"));
    }
    QCOMPARE(dialog->sbcBox()->currentText(), QStringLiteral("200"));
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 1);
    QCOMPARE(project->CaseSbc[0], 200.0f);
  }

  void gradesComeFromTheListingOrFromTheEngineer() {
    // FRAME1 gives M25 and Fe 415: the boxes show them and OK takes them as the listing's.
    QCOMPARE(dialog->fckBox()->currentText(), QStringLiteral("25"));
    QCOMPARE(dialog->feBox()->currentText(), QStringLiteral("415"));
    // A grade the design cannot work with is explained and the dialog stays.
    type(dialog->depthBox(), QStringLiteral("1.5"));
    type(dialog->sbcBox(), QStringLiteral("200"));
    type(dialog->fckBox(), QStringLiteral("22"));
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 0);
    QCOMPARE(prompter.calls.size(), std::size_t{1});
    QVERIFY(prompter.calls[0].text.find("Fck 22 cannot be designed") != std::string::npos);
    // M45 is taken, as the engineer's.
    type(dialog->fckBox(), QStringLiteral("45"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 1);
    QCOMPARE(project->Fck, 45);
    QCOMPARE(project->Fe, 415);
    QVERIFY(project->GradesGiven);
  }

  void fe550IsOfferedAndAGradeBelowM25IsTheEngineersToConfirm() {
    QStringList offered;
    for (int i = 0; i < dialog->feBox()->count(); ++i) offered << dialog->feBox()->itemText(i);
    QCOMPARE(offered, (QStringList{"250", "415", "500", "550"}));
    type(dialog->depthBox(), QStringLiteral("1.5"));
    type(dialog->sbcBox(), QStringLiteral("200"));
    type(dialog->fckBox(), QStringLiteral("20"));
    type(dialog->feBox(), QStringLiteral("550"));
    // Cancel keeps the dialog open with nothing taken; OK takes M20 with Fe 550.
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    prompter.answers = {false, true};
    for (int expected : {0, 1}) {
      QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
      QCOMPARE(confirmed.count(), expected);
      QVERIFY(prompter.calls.back().question);
      QVERIFY(prompter.calls.back().text.find("moderate exposure (IS 456 Table 3)") != std::string::npos);
      QVERIFY(prompter.calls.back().text.find("Table 5 asks for at least M25") != std::string::npos);
    }
    QCOMPARE(project->Fck, 20);
    QCOMPARE(project->Fe, 550);
  }

  void aListingWithoutGradesIsDesignedWithTheGradesEntered() {
    auto bare = std::make_unique<Project>();
    const ListingSummary summary = readListing(*bare, PLINTOVA_TEST_DATA "/frame1_no_design.ANL", prompter);
    QCOMPARE(summary.gradesCaption, std::string("No concrete design grades in the listing"));
    StartupDialog d(*bare, summary, prompter);
    QCOMPARE(d.fckBox()->currentText(), QString());
    type(d.depthBox(), QStringLiteral("1.5"));
    type(d.sbcBox(), QStringLiteral("200"));
    QSignalSpy confirmed(&d, &StartupDialog::confirmed);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 0);  // no grades yet
    QVERIFY(prompter.texts().back().find("No concrete grade Fck") != std::string::npos);
    type(d.fckBox(), QStringLiteral("25"));
    type(d.feBox(), QStringLiteral("415"));
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 1);
    QCOMPARE(bare->Fck, 25);
    QCOMPARE(bare->Fe, 415);
    // Designed as FRAME1 with its own grades is.
    RecordingPrompter quiet;
    QCOMPARE(startPlan(*bare, quiet), std::string());
    QVERIFY(designSchedule(*bare, quiet));
    auto frame = std::make_unique<Project>();
    readListing(*frame, PLINTOVA_EXAMPLES "/FRAME1.ANL", quiet);
    acceptDesignInputs(*frame, "1.5", "200");
    startPlan(*frame, quiet);
    designSchedule(*frame, quiet);
    // Without column sections the rows whose columns need a larger pedestal (F1, F2) take the table's.
    QCOMPARE(bare->DesignGroupCount, frame->DesignGroupCount);
    for (int r = 1; r <= frame->DesignGroupCount; ++r)
      if (bare->DesignGroupTable[r].Pedestal.x == frame->DesignGroupTable[r].Pedestal.x)
        QVERIFY(scheduleRowTexts(*bare, r) == scheduleRowTexts(*frame, r));
  }

  void theLoadCasesShownCanBeLeftOutOrCheckedAgainstTheIncreasedPressure() {
    QTableWidget* table = dialog->caseTable();
    QCOMPARE(table->rowCount(), 6);
    QCOMPARE(table->item(0, StartupDialog::CaseNumberColumn)->text(), QStringLiteral("1"));
    QCOMPARE(table->item(0, StartupDialog::TitleColumn)->text(), QStringLiteral("DEAD + LIVE"));
    QCOMPARE(table->item(1, StartupDialog::TitleColumn)->text(), QStringLiteral("DL + LL + EQX"));
    QCOMPARE(table->item(1, StartupDialog::TypeColumn)->text(), QStringLiteral("NONE"));
    // By default every case is used, and the earthquake cases 2 to 5 (by their titles) are checked against
    // 1.25 x SBC; case 6, dead load only, against SBC. The dialog says which rule ticked them.
    for (int r = 0; r < 6; ++r) {
      QCOMPARE(table->item(r, StartupDialog::UseColumn)->checkState(), Qt::Checked);
      QCOMPARE(table->item(r, StartupDialog::IncreasedColumn)->checkState(),
               r >= 1 && r <= 4 ? Qt::Checked : Qt::Unchecked);
    }
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("LabIncreaseRule"))->text().contains(QStringLiteral("earthquake")));
    // Without case 1, case 2 keeps its tick: the rule goes by titles, not by position.
    table->item(0, StartupDialog::UseColumn)->setCheckState(Qt::Unchecked);
    QCOMPARE(table->item(1, StartupDialog::IncreasedColumn)->checkState(), Qt::Checked);
    table->item(0, StartupDialog::UseColumn)->setCheckState(Qt::Checked);
    // Only cases 1 and 2, and case 2 against SBC too.
    for (int r = 2; r < 6; ++r) table->item(r, StartupDialog::UseColumn)->setCheckState(Qt::Unchecked);
    table->item(1, StartupDialog::IncreasedColumn)->setCheckState(Qt::Unchecked);
    type(dialog->depthBox(), QStringLiteral("1.5"));
    type(dialog->sbcBox(), QStringLiteral("200"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(project->UsedCases, (std::vector<int>{1, 2}));
    QVERIFY(project->increasedByChoice());
    QVERIFY(project->IncreasedCases.empty());
    QCOMPARE(project->lastCasePosition(1), 1);
    QCOMPARE(project->allowable(1, 1), 200.0);
    saveShot(dialog.get(), QStringLiteral("startup_dialog_cases.png"));
  }

  // A listing of primary cases: roles from the load types, select all / none, the range box, and the
  // combinations built, edited and taken on OK.
  void primaryCasesTakeRolesAndCombinations() {
    cleanup();
    project = std::make_unique<Project>();
    const ListingSummary summary = readListing(*project, PLINTOVA_TEST_DATA "/primary_cases.ANL", prompter);
    dialog = std::make_unique<StartupDialog>(*project, summary, prompter);
    dialog->resize(720, 760);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    LoadCasePanel* panel = dialog->casePanel();
    QTableWidget* table = dialog->caseTable();
    QCOMPARE(table->rowCount(), 4);
    const QStringList roles = {"dead", "imposed", "wind", "earthquake"};
    for (int r = 0; r < 4; ++r) QCOMPARE(panel->roleBox(r)->currentText(), roles[r]);

    auto used = [&] { return panel->usedCases(); };
    QTest::mouseClick(panel->noneButton(), Qt::LeftButton);
    QCOMPARE(used(), std::vector<int>{});
    QTest::mouseClick(panel->allButton(), Qt::LeftButton);
    QCOMPARE(used(), (std::vector<int>{1, 2, 3, 4}));
    QTest::keyClicks(panel->rangeBox(), QStringLiteral("1-2,4"));
    QTest::keyClick(panel->rangeBox(), Qt::Key_Return);
    QCOMPARE(used(), (std::vector<int>{1, 2, 4}));
    panel->rangeBox()->setText(QStringLiteral("1-9"));
    QTest::keyClick(panel->rangeBox(), Qt::Key_Return);
    QCOMPARE(prompter.calls.back().text, std::string("Load case 5 is not in the listing."));
    QCOMPARE(used(), (std::vector<int>{1, 2, 4}));  // a refused range changes nothing
    QTest::mouseClick(panel->allButton(), Qt::LeftButton);

    // Wind taken as "other": it enters no combination. Built: 1 + 2 service (DL + IL, DL +- EQX,
    // DL + IL +- EQX) and 1 + 6 factored.
    panel->roleBox(2)->setCurrentText(QStringLiteral("other"));
    QTest::mouseClick(panel->combineButton(), Qt::LeftButton);
    QTableWidget* combinations = panel->combinationTable();
    QVERIFY(combinations->isVisible());
    QCOMPARE(combinations->rowCount(), 12);
    QCOMPARE(combinations->item(5, LoadCasePanel::CombTitleColumn)->text(), QStringLiteral("1.5 (DL + IL)"));
    QCOMPARE(combinations->item(5, LoadCasePanel::CombFactorsColumn)->text(), QStringLiteral("1:1.5, 2:1.5"));
    // The last row removed, one row's factors edited.
    combinations->setCurrentCell(11, 0);
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("CmdRemoveCombination")), Qt::LeftButton);
    combinations->item(5, LoadCasePanel::CombFactorsColumn)->setText(QStringLiteral("1:1.4, 2:1.6"));
    saveShot(dialog.get(), QStringLiteral("startup_dialog_combinations.png"));

    type(dialog->depthBox(), QStringLiteral("1.5"));
    type(dialog->sbcBox(), QStringLiteral("200"));
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 1);
    QCOMPARE(project->CaseRoles.size(), std::size_t{1});
    QVERIFY(project->CaseRoles.at(3) == CaseRole::Other);
    QCOMPARE(project->Combinations.size(), std::size_t{11});
    QVERIFY(project->Combinations[5].parts == (std::vector<CaseFactor>{{1, 1.4}, {2, 1.6}}));
    QCOMPARE(project->lastCasePosition(1), 4 + 11 - 1);
  }

  void enterConfirmsAndPickedItemsCount() {
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    dialog->sbcBox()->setCurrentIndex(2);    // 200
    dialog->depthBox()->setCurrentIndex(2);  // 1.5
    QTest::keyClick(dialog->depthBox()->lineEdit(), Qt::Key_Return);
    QCOMPARE(confirmed.count(), 1);
    QCOMPARE(project->CaseSbc[0], 200.0f);
    QCOMPARE(project->CaseSbc[1], 250.0f);
    QCOMPARE(project->EarthPressure, 30.0f);
  }

  void exitEndsWithoutTakingAnything() {
    QSignalSpy rejected(dialog.get(), &QDialog::rejected);
    QSignalSpy confirmed(dialog.get(), &StartupDialog::confirmed);
    type(dialog->depthBox(), QStringLiteral("1.5"));
    type(dialog->sbcBox(), QStringLiteral("200"));
    QTest::mouseClick(dialog->exitButton(), Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(confirmed.count(), 0);
    QVERIFY(!dialog->isVisible());
  }
};

QTEST_MAIN(StartupDialogTest)
#include "startup_dialog_test.moc"
