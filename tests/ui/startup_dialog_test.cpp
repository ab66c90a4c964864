// The start-up dialog: what the reader found, the two entries typed or picked, OK and Exit.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "input/listing_reader.h"
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

 private slots:
  void init() {
    project = std::make_unique<Project>();
    RecordingPrompter prompter;
    const ListingSummary summary = readListing(*project, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
    dialog = std::make_unique<StartupDialog>(*project, summary);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
  }
  void cleanup() { dialog.reset(); }

  void showsWhatTheListingHoldsAndWaitsForBothEntries() {
    QCOMPARE(dialog->windowTitle(), QStringLiteral("KELVORA"));
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
