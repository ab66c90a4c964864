// The engineer's typical run from the start-up dialog to the layout file, the workbook and the printed plan.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "design/schedule.h"
#include "model/numbers.h"
#include "input/layout_file.h"
#include "ui/app_flow.h"
#include "ui/column_window.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"
#include "ui/startup_dialog.h"
#include "ui_support.h"
#include "designed_frame_support.h"

using namespace plintova;
using namespace plintova::windowtest;

class TypicalRunTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { clearRecoveryCopies(); }
  void fromTheListingToLayoutFileWorkbookAndPdf() {
    Folder job;
    const std::string listing = job.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
    WatchingPrompter engineer;
    AppFlow flow(engineer, [&](QWidget*) { return listing; });
    QSignalSpy finished(&flow, &AppFlow::finished);
    QVERIFY(flow.start());

    // SBC 200 and depth 1.5 m.
    StartupDialog* dialog = flow.startupDialog();
    QVERIFY(dialog);
    dialog->sbcBox()->setEditText(QStringLiteral("200"));
    dialog->depthBox()->setEditText(QStringLiteral("1.5"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    MainWindow* main = flow.mainWindow();
    QVERIFY(main && main->isVisible());
    main->resize(1400, 860);
    QVERIFY(QTest::qWaitForWindowExposed(main));
    Project& p = *flow.project();
    QCOMPARE(p.FootingCount, 40);

    // Two close columns boxed and combined; one footing made rectangular with the wheel.
    dragWindow(main->plan(), 14000, 10500, 17000, 11500);
    QTest::mouseClick(main->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p.CombinedCount, 1);
    const int resized = footingOf(p, 33);
    pressLabel(main->plan(), resized, Qt::LeftButton);
    turnWheel(main, main->plan()->mapTo(main, labelPoint(main->plan(), resized)), 120);
    QCOMPARE(p.FootingTable[resized].Kind, FootingKind::HandResized);

    // Design opens the schedule; a depth is changed there.
    QTest::mouseClick(main->button("CmdDesign"), Qt::LeftButton);
    ScheduleWindow* schedule = main->scheduleWindow();
    QVERIFY(schedule->isVisible());
    // One row per group, then the hand-resized footing's and the combined footing's rows.
    QCOMPARE(schedule->rowCount(), static_cast<int>(p.DesignGroupCount) + 2);
    QCOMPARE(schedule->cellText(p.DesignGroupCount + 1, kColMark), QStringLiteral("R1"));
    QCOMPARE(schedule->cellText(p.DesignGroupCount + 2, kColMark), QStringLiteral("C1"));
    auto* depth = qobject_cast<QLineEdit*>(schedule->cell(1, kColDepth));
    depth->selectAll();
    QTest::keyClicks(depth, QStringLiteral("0.5"));
    QTest::keyClick(depth, Qt::Key_Return);
    QCOMPARE(p.DesignGroupTable[1].TotalDepth, 0.5f);

    // Every failed IS 456 check of a row marks its cell, gives its reason with the clause in the tooltip
    // and is named in the one summary line.
    auto expectFlagsShown = [&] {
      int failing = 0;
      for (int r = 1; r <= schedule->rowCount(); ++r) {
        const FootingRow* row = footingRowAt(p, r);
        const std::vector<CodeCheck>& checks = row ? row->checks : p.DesignGroupTable[r].checks;
        const QString mark = schedule->cellText(r, kColMark);
        bool rowFails = false;
        for (const CodeCheck& c : checks) {
          if (c.ok) continue;
          rowFails = true;
          bool shown = false;
          for (int col = 0; col < kScheduleColumns; ++col) {
            QWidget* w = schedule->cell(r, col);
            shown = shown || (w && w->property("failedCheck").toBool() &&
                              w->toolTip().contains(QString::fromStdString(c.name)) &&
                              w->toolTip().contains(QString::fromStdString(c.clause)));
          }
          QVERIFY2(shown, qPrintable(mark + QStringLiteral(" ") + QString::fromStdString(c.name)));
        }
        failing += rowFails;
        if (rowFails) QVERIFY2(schedule->checksLabel()->text().contains(mark), qPrintable(mark));
      }
      QCOMPARE(schedule->checksLabel()->text().startsWith(QStringLiteral("Every row passes")), failing == 0);
    };
    expectFlagsShown();
    // A pedestal typed just under a group's size leaves no room for shear: the edit is taken and the
    // row is flagged, its numbers otherwise as designed.
    auto* pedestal = qobject_cast<QLineEdit*>(schedule->cell(2, kColPedestal));
    const float side = p.DesignGroupTable[2].GroupSize;
    pedestal->selectAll();
    QTest::keyClicks(pedestal, QString::number(side - 0.01, 'f', 2));
    QTest::keyClick(pedestal, Qt::Key_Return);
    QCOMPARE(p.DesignGroupTable[2].Pedestal.x, roundToSingle(side - 0.01, 2));
    QVERIFY(checksSummary(p.DesignGroupTable[2].checks) != "OK");
    expectFlagsShown();
    QVERIFY(schedule->checksLabel()->text().contains(schedule->cellText(2, kColMark)));
    // A click on the hand-resized row's diameter sets one diameter for its bars, kept as the engineer's
    // edit of the row of that joint.
    const int rRow = p.DesignGroupCount + 1;
    QTest::mouseClick(schedule->cell(rRow, kColDia), Qt::LeftButton);
    const int16_t chosen = p.RectangularRows.front().BarDia;
    QVERIFY(chosen > 0);
    for (const SteelLayer& layer : p.RectangularRows.front().steel) QCOMPARE(layer.dia, chosen);
    QCOMPARE(schedule->cellText(rRow, kColDia), QString::number(chosen));
    expectFlagsShown();
    QVERIFY(schedule->grab().save(uitest::shotPath(QStringLiteral("schedule_flagged_rows.png"))));

    // "Excel" beside the listing, "Print" to a PDF file.
    std::vector<std::string> opened;
    ScriptedDialogs dialogs;
    schedule->setDialogs(dialogs);
    dialogs.answerSave = [](QWidget*, FileToSave, const std::string& proposed) { return proposed; };
    dialogs.answerOpenWithDesktop = [&](const std::string& path) { return opened.push_back(path), true; };
    QTest::mouseClick(schedule->excelButton(), Qt::LeftButton);
    const std::string workbook = job.path("FRAME1.xlsx");
    QCOMPARE(opened, std::vector<std::string>{workbook});
    QVERIFY(fileBytes(workbook).size() > 0);
    const QString pdf = QString::fromStdString(job.path("FRAME1.pdf"));
    dialogs.answerPrint = [&](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
    QTest::mouseClick(schedule->printButton(), Qt::LeftButton);
    const QString text = uitest::pdfText(pdf.toStdString(), false);
    QVERIFY(text.contains(QStringLiteral("CF- 1")) && text.contains(QStringLiteral("R1")));

    // "Col Offset": footing 1 moved 110 mm towards larger Z under its 450 mm column.
    QTest::mouseClick(main->button("CmdOff"), Qt::LeftButton);
    ColumnWindow* columns = main->columnWindow();
    QVERIFY(columns && QTest::qWaitForWindowExposed(columns));
    const int first = footingOf(p, 1);
    const draw::Rect r = columns->markerRect(first);
    QTest::mouseClick(columns, Qt::LeftButton, {}, columns->toDevice((r.left + r.right) / 2, (r.top + r.bottom) / 2).toPoint());
    QCOMPARE(main->plan()->selectedFooting(), first);
    QTest::keyClick(columns, Qt::Key_Down);
    QTest::keyClick(columns, Qt::Key_Escape);
    QTRY_VERIFY(!main->columnWindow());
    QCOMPARE(p.FootingTable[first].PosZ - p.FootingTable[first].ColumnZ, 110);

    // "Exit" on the schedule ends the program as the main window's close does: the work not saved is
    // asked about (here given up), and the layout file is written.
    engineer.saveAnswers = {SaveChoice::Discard};
    QTest::mouseClick(schedule->exitButton(), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!main->isVisible());
    QVERIFY(!schedule->isVisible());
    QCOMPARE(engineer.calls.size(), std::size_t{1});
    QVERIFY(engineer.calls[0].text.find("not saved") != std::string::npos);

    // The next run of the same listing finds the offset again.
    RecordingPrompter quiet;
    auto again = uitest::designedFrame(quiet, listing);
    QVERIFY(readLayout(*again));
    QCOMPARE(again->FootingTable[first].OffsetZ, 1);
    QCOMPARE(again->FootingTable[first].PosZ, p.FootingTable[first].PosZ);
  }
};

QTEST_MAIN(TypicalRunTest)
#include "typical_run_test.moc"
