// One run of the program from the chosen listing to the closed main window, and the layout file that
// carries the column offsets from one run to the next.
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

#include "model/project.h"
#include "ui/app_flow.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/startup_dialog.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

// Confirms the start-up dialog with SBC 200 and depth 1.5, as typed by the engineer.
void confirm(AppFlow& flow) {
  StartupDialog* dialog = flow.startupDialog();
  QVERIFY(dialog && dialog->isVisible());
  dialog->sbcBox()->setEditText(QStringLiteral("200"));
  dialog->depthBox()->setEditText(QStringLiteral("1.5"));
  QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
}

}  // namespace

class AppFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { clearRecoveryCopies(); }
  void aCancelledChoiceEndsTheRunSilently() {
    RecordingPrompter prompter;
    AppFlow flow(prompter, [](QWidget*) { return std::string(); });
    QVERIFY(!flow.start());
    QVERIFY(!flow.startupDialog());
    QVERIFY(prompter.calls.empty());
  }

  void theStartupDialogShowsListingsTablesAndProjectsUnderItsFirstFilter() {
    Folder f;
    for (const char* name : {"FRAME1.ANL", "frame2.anl", "WORK.plintova", "reactions.csv", "notes.txt"})
      f.write(name, "");
    const std::unique_ptr<QFileDialog> dialog =
        startupFileDialog(nullptr, QFileInfo(QString::fromStdString(f.path("x"))).absolutePath());
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(dialog->selectedNameFilter(), dialog->nameFilters().first());
    dialog->show();
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QVERIFY(view);
    auto shown = [view] {
      QStringList names;
      for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
        names << view->model()->index(r, 0, view->rootIndex()).data().toString();
      names.sort();
      return names;
    };
    QTRY_COMPARE(shown(), (QStringList{"FRAME1.ANL", "WORK.plintova", "frame2.anl", "reactions.csv"}));
  }

  void aListingThatCannotBeUsedShowsItsMessage() {
    struct Case {
      const char* file;
      std::string message;  // how the message begins
    };
    const std::string data = PLINTOVA_TEST_DATA "/";
    for (const Case& c : {Case{"bad_unit.ANL", " Units Should be Meter or mm "},
                          Case{"unknown_reaction_unit.ANL", " NO SUPPORT REACTIONS  (or) Units differ \nThe listing " +
                                                                data + "unknown_reaction_unit.ANL cannot be used: "},
                          // A file that is no listing is named with what was expected, not passed over.
                          Case{"no_unit.ANL", "The file " + data + "no_unit.ANL is not an analysis listing that can "
                                                                   "be read: it has no JOINT COORDINATES section"}}) {
      RecordingPrompter prompter;
      const std::string path = data + c.file;
      AppFlow flow(prompter, [&](QWidget*) { return path; });
      QVERIFY(!flow.start());
      QVERIFY(!flow.startupDialog());
      QCOMPARE(prompter.texts().size(), std::size_t{1});
      QCOMPARE(prompter.texts()[0].substr(0, c.message.size()), c.message);
    }
    // A file that is not there cannot be read either, and the engineer is told so.
    RecordingPrompter prompter;
    AppFlow flow(prompter, [](QWidget*) { return std::string("/nonexistent/FRAME9.ANL"); });
    QVERIFY(!flow.start());
    QCOMPARE(prompter.calls.size(), std::size_t{1});
  }

  void exitOnTheDialogEndsTheRun() {
    RecordingPrompter prompter;
    AppFlow flow(prompter, [](QWidget*) { return std::string(PLINTOVA_EXAMPLES "/FRAME1.ANL"); });
    QSignalSpy finished(&flow, &AppFlow::finished);
    QVERIFY(flow.start());
    QTest::mouseClick(flow.startupDialog()->exitButton(), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!flow.mainWindow());
  }

  void theOffsetsOfOneRunAreRestoredByTheNext() {
    Folder folder;
    const std::string listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
    const std::string layout = folder.path("FRAME1.SCR");
    {
      RecordingPrompter prompter;
      AppFlow flow(prompter, [&](QWidget*) { return listing; });
      QSignalSpy finished(&flow, &AppFlow::finished);
      QVERIFY(flow.start());
      confirm(flow);
      QVERIFY(flow.mainWindow() && flow.mainWindow()->isVisible());
      QTRY_VERIFY(!flow.startupDialog());
      // A first run has no layout file: every footing is concentric on its column.
      for (int s = 1; s <= flow.project()->FootingCount; ++s)
        QCOMPARE(flow.project()->FootingTable[s].PosX, flow.project()->FootingTable[s].ColumnX);
      saveShot(flow.mainWindow(), QStringLiteral("main_window_after_start.png"));

      // The engineer offsets footing 1 towards +X and -Z and footing 3 towards -X, then closes.
      Project& p = *flow.project();
      p.FootingTable[1].OffsetX = 1;
      p.FootingTable[1].OffsetZ = -1;
      p.FootingTable[3].OffsetX = -1;
      flow.mainWindow()->close();
      QCOMPARE(finished.count(), 1);
      QVERIFY(prompter.calls.empty());
    }
    std::string line1 = " 3 2 1", line2 = "\r 4";
    for (int i = 4; i <= 40; ++i) line1 += " 2";
    for (int i = 2; i <= 40; ++i) line2 += " 5";
    QCOMPARE(fileBytes(layout), line1 + "\r\n" + line2 + "\r\n");

    RecordingPrompter prompter;
    AppFlow flow(prompter, [&](QWidget*) { return listing; });
    QVERIFY(flow.start());
    confirm(flow);
    const Project& p = *flow.project();
    QCOMPARE(p.FootingTable[1].OffsetX, 1);
    QCOMPARE(p.FootingTable[1].OffsetZ, -1);
    QCOMPARE(p.FootingTable[3].OffsetX, -1);
    QCOMPARE(p.FootingTable[2].OffsetX, 0);
    // The reopened plan shows footing 1 where the offsets put it: half the column less 115 mm off.
    const FootingRecord& f = p.FootingTable[1];
    const auto& section = p.ColumnSectionTable[f.ColumnMember];
    QVERIFY(section[4] > 0);
    QCOMPARE(f.PosX, f.ColumnX + static_cast<int>(section[4] / 2.0 - 115));
    QCOMPARE(f.PosZ, f.ColumnZ - static_cast<int>(section[3] / 2.0 - 115));
    const draw::Rect outline = flow.mainWindow()->plan()->drawnOutline(1);
    QCOMPARE((outline.left + outline.right) / 2, static_cast<double>(f.PosX));
    flow.mainWindow()->close();
  }

  void aLayoutFileThatCannotBeWrittenIsReported() {
    auto folder = std::make_unique<Folder>();
    const std::string listing = folder->copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
    RecordingPrompter prompter;
    AppFlow flow(prompter, [&](QWidget*) { return listing; });
    QSignalSpy finished(&flow, &AppFlow::finished);
    QVERIFY(flow.start());
    confirm(flow);
    folder->remove();  // the folder went away while the program ran
    flow.mainWindow()->close();
    QCOMPARE(prompter.calls.size(), std::size_t{1});
    QVERIFY(prompter.calls[0].text.find("FRAME1.SCR") != std::string::npos);
    QCOMPARE(finished.count(), 1);
  }

  void aLayoutFileNotAppliedIsReportedAndKeptUnlessTheEngineerSaysSo() {
    // Something in the layout file's place that cannot be read as one (a folder; as root, permissions
    // would not stop the reading), or a layout file written for another plan of three footings.
    const std::string otherPlan = " 2 3 2\r\n\r 5 5 4\r\n";
    struct Case {
      bool folder;
      bool replace;          // the answer to the question on close
      const char* reported;  // what the message at opening says
    };
    for (const Case& c : {Case{true, false, "FRAME1.SCR could not be read"},
                          Case{false, false, "FRAME1.SCR holds 3 steps for 40 footings: it was written for another plan."},
                          Case{false, true, "FRAME1.SCR holds 3 steps for 40 footings"}}) {
      Folder folder;
      const std::string listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
      const std::string layout = folder.path("FRAME1.SCR");
      if (c.folder) QVERIFY(QDir().mkdir(QString::fromStdString(layout)));
      else folder.write("FRAME1.SCR", otherPlan);
      RecordingPrompter prompter;
      prompter.answers = {c.replace};
      AppFlow flow(prompter, [&](QWidget*) { return listing; });
      QVERIFY(flow.start());
      confirm(flow);
      QVERIFY(flow.mainWindow() && flow.mainWindow()->isVisible());
      // Reported when the listing is opened, with the file and the reason; the offsets are not applied.
      QCOMPARE(prompter.calls.size(), std::size_t{1});
      QVERIFY(prompter.calls[0].text.find(c.reported) != std::string::npos);
      QVERIFY(prompter.calls[0].text.find("kept unless you agree") != std::string::npos);
      QCOMPARE(flow.project()->FootingTable[2].OffsetX, 0);
      // Closing asks before the file is replaced; Cancel writes nothing, OK writes this plan's offsets.
      flow.mainWindow()->close();
      QCOMPARE(prompter.calls.size(), std::size_t{2});
      QVERIFY(prompter.calls[1].question);
      QVERIFY(prompter.calls[1].text.find("FRAME1.SCR") != std::string::npos);
      if (c.folder) QVERIFY(QFileInfo(QString::fromStdString(layout)).isDir());
      else if (!c.replace) QCOMPARE(fileBytes(layout), otherPlan);
      else {
        const std::string written = fileBytes(layout);
        QCOMPARE(std::count(written.begin(), written.end(), ' '), std::ptrdiff_t{80});
      }
    }
  }

  void aListingWhoseFootingsCannotBeDesignedEndsTheRunWithItsReason() {
    // A reaction far beyond any column (a unit read wrongly): a footing side beyond 30 m.
    Folder folder;
    const std::string listing = folder.write(
        "HUGE.ANL", listingText({{1, 0, 0, {{250000, 0, 0}}}, {2, 6, 0, {{500, 0, 0}}}}));
    RecordingPrompter prompter;
    AppFlow flow(prompter, [&](QWidget*) { return listing; });
    QSignalSpy finished(&flow, &AppFlow::finished);
    QVERIFY(flow.start());
    confirm(flow);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(prompter.calls.size(), std::size_t{1});
    QVERIFY(prompter.calls[0].text.find("Joint 1 needs a footing side of") != std::string::npos);
    QVERIFY(prompter.calls[0].text.find("units of the reactions") != std::string::npos);
    QVERIFY(!flow.mainWindow() || !flow.mainWindow()->isVisible());
    // Nothing of the refused plan is written beside the listing.
    QVERIFY(!QFileInfo::exists(QString::fromStdString(folder.path("HUGE.SCR"))));
  }
};

QTEST_MAIN(AppFlowTest)
#include "app_flow_test.moc"
