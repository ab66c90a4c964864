// The "Design options" dialog on a loaded plan, and the one message with its details that a list of
// supports or values gets.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "model/project.h"
#include "ui/design_options_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

class DesignOptionsTest : public QObject {
  Q_OBJECT

  Folder folder;
  std::string listing;

 private slots:
  void initTestCase() { listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL"); }

  // A value out of its range is named with its key and range in one message, and the dialog stays; OK
  // then commits the options as one step, which sizes every footing again and regroups the plan, and
  // undo takes it back.
  void optionsAreCheckedCommittedAndUndone() {
    auto frame = openPlan(listing);
    MainWindow& window = *frame->window;
    Project& p = *frame->project;
    const float before = p.FootingTable[10].ReqSize;
    bool refusedFirst = false;
    QString shownFriction, shownWater = QStringLiteral("unset");
    frame->dialogs.answerDesignOptions = [&](DesignOptionsDialog& dialog) {
      shownFriction = dialog.field("friction")->text();
      shownWater = dialog.field("waterTableDepth")->text();
      saveShot(&dialog, QStringLiteral("design_options_dialog.png"));
      dialog.field("friction")->setText(QStringLiteral("0.9"));
      dialog.field("sbcIncrease")->setText(QStringLiteral("1"));
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
      refusedFirst = dialog.result() != QDialog::Accepted;
      dialog.field("friction")->setText(QStringLiteral("0.45"));
      dialog.field("waterTableDepth")->setText(QStringLiteral("1.2"));
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
      return dialog.result() == QDialog::Accepted;
    };
    window.action("ActDesignOptions")->trigger();
    QCOMPARE(shownFriction, QStringLiteral("0.5"));
    QCOMPARE(shownWater, QString());  // none
    QVERIFY(refusedFirst);
    const auto& call = frame->prompter.calls.back();
    QCOMPARE(call.details, (std::vector<std::string>{
                               "friction \"0.9\" is out of range: the coefficient of friction between footing and soil "
                               "is from 0.3 to 0.7"}));
    QCOMPARE(p.decisions.options.friction, 0.45);
    QCOMPARE(*p.decisions.options.waterTableDepth, 1.2);
    // Without the increase the earthquake cases take SBC: footing 10 (joint 10) needs more.
    QVERIFY(p.FootingTable[10].ReqSize > before);
    // The group row follows the groups the new sizes make.
    QVERIFY(window.groupSizeLabel(p.SizeGroupCount) && !window.groupSizeLabel(p.SizeGroupCount + 1));
    QCOMPARE(window.action("ActUndo")->text(), QStringLiteral("&Undo Change the design options"));
    window.action("ActUndo")->trigger();
    QVERIFY(p.decisions.options == DesignOptions{});
    QCOMPARE(p.FootingTable[10].ReqSize, before);
  }

  // The desktop shows a list in the message box's details, open and selectable, with a Copy button that
  // puts the summary and every line on the clipboard without closing the box.
  void aListOfDetailsCanBeReadAndCopied() {
    QtPrompter prompter;
    QString details, copied;
    bool stillOpen = false;
    QTimer::singleShot(50, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      auto* area = box->findChild<QTextEdit*>(QStringLiteral("DetailsArea"));
      QVERIFY(area && area->isVisible());
      details = area->toPlainText();
      saveShot(box, QStringLiteral("message_list.png"));
      QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("CopyDetails")), Qt::LeftButton);
      copied = QApplication::clipboard()->text();
      stillOpen = box->isVisible();
      box->accept();
    });
    prompter.messageList("Joints 1, 3 are lifted (upward FY) in 2 load cases.",
                         {"Joint 1, load case 3: FY = -110 kN", "Joint 3, load case 4: FY = -110 kN"}, "Uplift");
    QCOMPARE(details, QStringLiteral("Joint 1, load case 3: FY = -110 kN\nJoint 3, load case 4: FY = -110 kN"));
    QVERIFY(stillOpen);
    QCOMPARE(copied, QStringLiteral("Joints 1, 3 are lifted (upward FY) in 2 load cases.\n") + details);
  }
};

QTEST_MAIN(DesignOptionsTest)
#include "design_options_test.moc"
