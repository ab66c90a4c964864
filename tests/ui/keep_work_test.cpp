// The engineer's work is kept: a project saved and opened again shows the same plan, group row and
// schedule; undo back to the start and redo to the end pass through the same states; every way out with
// unsaved changes asks; work that did not end normally is offered again from its recovery copy.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>

#include "design/schedule.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "project/project_file.h"
#include "ui/app_flow.h"
#include "ui/column_window.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/recovery.h"
#include "ui/recovery_dialog.h"
#include "ui/schedule_window.h"
#include "ui/startup_dialog.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

void confirmDialog(AppFlow& flow) {
  StartupDialog* dialog = flow.startupDialog();
  QVERIFY(dialog && dialog->isVisible());
  dialog->sbcBox()->setEditText(QStringLiteral("200"));
  dialog->depthBox()->setEditText(QStringLiteral("1.5"));
  QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
}

// What the screen shows of the plan, the group row and the schedule, as one text.
QString screen(MainWindow& w) {
  const Project& p = w.editor().project();
  QString t;
  for (int s = 1; s <= p.FootingCount; ++s) t += w.plan()->labelText(s) + QLatin1Char(' ');
  for (int s = 1; s <= p.FootingCount; ++s)
    t += QStringLiteral("%1x%2@%3,%4 ").arg(p.FootingTable[s].SizeL).arg(p.FootingTable[s].SizeB)
             .arg(p.FootingTable[s].PosX).arg(p.FootingTable[s].PosZ);
  t += QLatin1Char('\n');
  for (int g = 1; g <= w.groupControlCount(); ++g)
    t += w.groupSizeLabel(g)->text() + QLatin1Char('/') + w.groupCheck(g)->text() + QLatin1Char('/') +
         w.groupCountLabel(g)->text() + (w.groupCheck(g)->isChecked() ? QStringLiteral("+ ") : QStringLiteral("- "));
  t += QLatin1Char('\n');
  ScheduleWindow* schedule = w.scheduleWindow();
  t += schedule->showsOutOfDate() ? QStringLiteral("out of date\n") : QStringLiteral("up to date\n");
  for (int r = 1; r <= schedule->rowCount(); ++r) {
    for (int c = 0; c < kScheduleColumns; ++c) t += schedule->cellText(r, c) + QLatin1Char(' ');
    t += QLatin1Char('\n');
  }
  return t;
}

// The texts of the detail popups of a hand-resized footing (joint 12) and a combined member (joint 21).
QString popups(MainWindow& w) {
  const Project& p = w.editor().project();
  pressLabel(w.plan(), footingOf(p, 12), Qt::RightButton);
  QString t;
  for (QLabel* l : w.footingPopup()->findChildren<QLabel*>()) t += l->objectName() + QLatin1Char('=') + l->text() + QLatin1Char(' ');
  pressLabel(w.plan(), footingOf(p, 21), Qt::RightButton);
  for (QLabel* l : w.combinedPopup()->findChildren<QLabel*>()) t += l->objectName() + QLatin1Char('=') + l->text() + QLatin1Char(' ');
  return t;
}

// The title the window system shows, with "*" in place of the placeholder while there are unsaved changes.
QString shownTitle(QWidget& w) { return w.windowHandle()->title(); }

}  // namespace

class KeepWorkTest : public QObject {
  Q_OBJECT

 private:
  Folder folder;
  std::string listing;

  // A run on FRAME1 with its main window standing.
  std::unique_ptr<AppFlow> openFrame(RecordingPrompter& prompter) {
    auto flow = std::make_unique<AppFlow>(prompter, [this](QWidget*) { return listing; });
    if (!flow->start()) return nullptr;
    confirmDialog(*flow);
    MainWindow* w = flow->mainWindow();
    if (!w) return nullptr;
    w->resize(1400, 860);
    if (!QTest::qWaitForWindowExposed(w)) return nullptr;
    return flow;
  }

  // Every kind of decision, made with mouse and keys as the engineer makes them.
  void makeEveryKindOfDecision(MainWindow& w) {
    Project& p = w.editor().project();
    PlanView* plan = w.plan();
    // A column offset.
    QTest::mouseClick(w.button("CmdOff"), Qt::LeftButton);
    plan->selection().footing = footingOf(p, 1);
    QTest::keyClick(w.columnWindow(), Qt::Key_Right);
    w.columnWindow()->close();
    // A group unticked and a group size stepped.
    QTest::mouseClick(w.groupCheck(2), Qt::LeftButton, {}, QPoint(8, w.groupCheck(2)->height() / 2));
    QTest::mouseClick(w.groupSizeLabel(9), Qt::LeftButton, Qt::ShiftModifier);
    // A disabled footing.
    QTest::mouseClick(w.button("CmdDisable"), Qt::LeftButton);
    pressLabel(plan, footingOf(p, 40), Qt::LeftButton);
    QTest::mouseClick(w.button("CmdDisable"), Qt::LeftButton);
    // A combined footing, lengthened with the wheel.
    dragWindow(plan, 13500, 10000, 17500, 12000);
    QTest::mouseClick(w.button("CmdCombine"), Qt::LeftButton);
    pressLabel(plan, footingOf(p, 21), Qt::LeftButton);
    turnWheel(&w, plan->mapTo(&w, plan->numberBox()->geometry().center()), 120);
    // A footing resized by hand.
    pressLabel(plan, footingOf(p, 12), Qt::LeftButton);
    turnWheel(&w, plan->mapTo(&w, plan->numberBox()->geometry().center()), -120);
    // The schedule with a depth, a pedestal and a bar diameter edited.
    QTest::mouseClick(w.button("CmdDesign"), Qt::LeftButton);
    ScheduleWindow* s = w.scheduleWindow();
    auto type = [](QWidget* box, const QString& text) {
      auto* e = qobject_cast<QLineEdit*>(box);
      e->setFocus();
      e->selectAll();
      QTest::keyClicks(e, text);
      QTest::keyClick(e, Qt::Key_Return);
    };
    type(s->cell(1, kColDepth), QStringLiteral("0.55"));
    type(s->cell(3, kColPedestal), QStringLiteral("0.7"));
    QTest::mouseClick(s->cell(4, kColDia), Qt::LeftButton);
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("PlintovaTests"));
    QCoreApplication::setApplicationName(QStringLiteral("keep_work_test"));
    listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
  }
  void init() {
    clearRecoveryCopies();
    QFile::remove(QString::fromStdString(folder.path("FRAME1.SCR")));
  }

  void aSavedProjectOpensToTheSameScreen() {
    RecordingPrompter prompter;
    auto flow = openFrame(prompter);
    QVERIFY(flow);
    MainWindow& w = *flow->mainWindow();
    makeEveryKindOfDecision(w);
    QVERIFY(w.editor().modified());
    QVERIFY(shownTitle(w).endsWith(QLatin1Char('*')));
    const QString before = screen(w);
    QVERIFY(before.contains(QStringLiteral("C1")) && before.contains(QStringLiteral("R1")) &&
            before.contains(QStringLiteral(" D ")));
    const QString popupsBefore = popups(w);

    const std::string project = folder.path("FRAME1.plintova");
    std::string proposed;
    ScriptedDialogs dialogs;
    w.setDialogs(dialogs);
    dialogs.answerSave = [&](QWidget*, FileToSave, const std::string& p) {
      proposed = p;
      return project;
    };
    QTest::keySequence(&w, QKeySequence::Save);
    QCOMPARE(proposed, project);  // proposed beside the listing, named after it
    QVERIFY(QFileInfo::exists(QString::fromStdString(project)));
    QVERIFY(!w.editor().modified());
    QCOMPARE(shownTitle(w), QString::fromStdString(project));
    QVERIFY(recoveryCopies().empty());
    // Saved: closing asks nothing.
    const std::size_t calls = prompter.calls.size();
    w.close();
    QCOMPARE(prompter.calls.size(), calls);

    RecordingPrompter again;
    AppFlow reopened(again, {});
    QVERIFY(reopened.start(project));
    MainWindow& w2 = *reopened.mainWindow();
    w2.resize(1400, 860);
    QVERIFY(QTest::qWaitForWindowExposed(&w2));
    QVERIFY(again.calls.empty());
    QCOMPARE(screen(w2), before);
    QCOMPARE(popups(w2), popupsBefore);
    QVERIFY(!w2.editor().modified());
    QCOMPARE(w2.projectPath(), QString::fromStdString(project));
    w2.close();
  }

  void undoToTheStartAndRedoToTheEndPassThroughTheSameScreens() {
    RecordingPrompter prompter;
    auto flow = openFrame(prompter);
    QVERIFY(flow);
    MainWindow& w = *flow->mainWindow();
    QTest::mouseClick(w.button("CmdDesign"), Qt::LeftButton);
    w.editor().markSaved();  // as saved with its schedule
    Project& p = w.editor().project();
    QStringList screens{screen(w)};
    auto after = [&] { screens << screen(w); };
    dragWindow(w.plan(), 13500, 10000, 17500, 12000);
    QTest::mouseClick(w.button("CmdCombine"), Qt::LeftButton);
    after();
    QTest::mouseClick(w.button("CmdDisable"), Qt::LeftButton);
    pressLabel(w.plan(), footingOf(p, 40), Qt::LeftButton);
    QTest::mouseClick(w.button("CmdDisable"), Qt::LeftButton);
    after();
    pressLabel(w.plan(), footingOf(p, 22), Qt::LeftButton);
    turnWheel(&w, w.plan()->mapTo(&w, w.plan()->numberBox()->geometry().center()), -120);
    after();
    QTest::mouseClick(w.groupSizeLabel(5), Qt::LeftButton, Qt::ShiftModifier);
    after();
    QCOMPARE(w.action("ActUndo")->text(), QStringLiteral("&Undo Step size 2.2"));

    for (int k = screens.size() - 1; k > 0; --k) {
      QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
      // Back before the first Design's plan the rows stay, marked out of date; the plan is as it was.
      QCOMPARE(screen(w).section(QLatin1Char('\n'), 0, 1), screens[k - 1].section(QLatin1Char('\n'), 0, 1));
    }
    QVERIFY(!w.action("ActUndo")->isEnabled());
    QVERIFY(!w.editor().modified());
    for (int k = 1; k < screens.size(); ++k) {
      QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(screen(w).section(QLatin1Char('\n'), 0, 1), screens[k].section(QLatin1Char('\n'), 0, 1));
    }
    // Ctrl+Y redoes too, and the Edit menu names the step.
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.action("ActRedo")->text(), QStringLiteral("&Redo Step size 2.2"));
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(screen(w), screens.last());
    prompter.saveAnswers = {SaveChoice::Discard};
    w.close();
  }

  void everyWayOutWithUnsavedChangesAsks() {
    RecordingPrompter prompter;
    auto flow = openFrame(prompter);
    QVERIFY(flow);
    MainWindow& w = *flow->mainWindow();
    QSignalSpy finished(flow.get(), &AppFlow::finished);
    QTest::mouseClick(w.groupSizeLabel(3), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(w.editor().modified());

    // Cancel keeps the window, whichever way out was taken.
    prompter.saveAnswers = {SaveChoice::Cancel, SaveChoice::Cancel, SaveChoice::Cancel};
    QTest::mouseClick(w.button("Command2"), Qt::LeftButton);  // "Exit"
    w.action("ActQuit")->trigger();
    w.close();
    QVERIFY(w.isVisible());
    QCOMPARE(finished.count(), 0);
    int asked = 0;
    for (const auto& c : prompter.calls) asked += c.question && c.text.find("not saved") != std::string::npos;
    QCOMPARE(asked, 3);

    // Opening another listing asks too; Cancel keeps the plan.
    prompter.saveAnswers = {SaveChoice::Cancel};
    ScriptedDialogs dialogs;
    w.setDialogs(dialogs);
    dialogs.answerOpen = [this](QWidget*, FileToOpen) { return listing; };
    w.action("ActOpenListing")->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!flow->startupDialog() || !flow->startupDialog()->isVisible());

    // Discard leaves without saving; the recovery copy goes with the orderly end.
    QVERIFY(recoveryWritten(w));
    QVERIFY(!recoveryCopies().empty());
    prompter.saveAnswers = {SaveChoice::Discard};
    w.close();
    QCOMPARE(finished.count(), 1);
    QVERIFY(recoveryCopies().empty());
  }

  void anotherListingReplacesThePlanWithoutARestart() {
    RecordingPrompter prompter;
    auto flow = openFrame(prompter);
    QVERIFY(flow);
    MainWindow* first = flow->mainWindow();
    const std::string other = folder.write("PAIR.ANL", listingText({{1, 0, 0, {{500, 0, 0}}}, {2, 0, 3, {{500, 0, 0}}}}));
    ScriptedDialogs dialogs;
    first->setDialogs(dialogs);
    dialogs.answerOpen = [&](QWidget*, FileToOpen) { return other; };
    first->action("ActOpenListing")->trigger();
    QTRY_VERIFY(flow->startupDialog() && flow->startupDialog()->isVisible());
    confirmDialog(*flow);
    QVERIFY(flow->mainWindow() && flow->mainWindow() != first);
    QCOMPARE(flow->project()->FootingCount, 2);
    QVERIFY(QFileInfo::exists(QString::fromStdString(folder.path("FRAME1.SCR"))));  // the old plan's layout file
    flow->mainWindow()->close();
  }

  void workThatDidNotEndNormallyIsOfferedOnEveryStartAndKeptUntilOpened() {
    QString before;
    {
      RecordingPrompter prompter;
      auto flow = openFrame(prompter);
      QVERIFY(flow);
      MainWindow& w = *flow->mainWindow();
      makeEveryKindOfDecision(w);
      before = screen(w);
      QVERIFY(recoveryWritten(w));
      QCOMPARE(recoveryCopies().size(), std::size_t{1});
      // The program dies here: the window goes without a close, and the recovery copy stays behind.
      flow.reset();
      QCOMPARE(recoveryCopies().size(), std::size_t{1});
    }
    // Started on the listing (a double-click): the copy is offered all the same. Kept, the listing
    // opens as asked, and an orderly end of that run leaves the kept copy alone.
    std::vector<std::vector<RecoveryCopy>> shown;
    auto answer = [&shown](RecoveryChoice choice) {
      return [&shown, choice](QWidget*, const std::vector<RecoveryCopy>& copies) {
        shown.push_back(copies);
        return choice;
      };
    };
    {
      RecordingPrompter prompter;
      AppFlow flow(prompter, {});
      flow.setRecoveryChooser(answer({}));
      QVERIFY(flow.start(listing));
      QCOMPARE(shown.size(), std::size_t{1});
      QCOMPARE(shown[0].size(), std::size_t{1});
      const RecoveryCopy& copy = shown[0][0];
      QCOMPARE(copy.listing, listing);
      QVERIFY(copy.usable);
      QCOMPARE(copy.holds, std::string("1 offset, 2 group choices, 1 disabled footing, 1 combined footing, 1 resized "
                                       "footing, 3 schedule edits; schedule designed"));
      QVERIFY(!copy.savedAt.empty());
      confirmDialog(flow);
      QTest::mouseClick(flow.mainWindow()->groupSizeLabel(3), Qt::LeftButton, Qt::ShiftModifier);
      QVERIFY(recoveryWritten(*flow.mainWindow()));
      QCOMPARE(recoveryCopies().size(), std::size_t{2});  // the kept one and this run's own
      prompter.saveAnswers = {SaveChoice::Discard};
      flow.mainWindow()->close();
      QCOMPARE(recoveryCopies(), std::vector<std::string>{copy.path});
    }
    // Opened: the plan comes back as it was left, not saved anywhere yet.
    RecordingPrompter prompter;
    AppFlow flow(prompter, {});
    flow.setRecoveryChooser(answer({RecoveryChoice::Action::Open, 0, {}}));
    QVERIFY(flow.start(listing));
    QVERIFY(!flow.startupDialog() || !flow.startupDialog()->isVisible());
    MainWindow& w = *flow.mainWindow();
    w.resize(1400, 860);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(screen(w), before);
    // Restored work is not saved anywhere yet: it counts as changed, says so in the title, and has no
    // project file.
    QVERIFY(w.editor().modified());
    QCOMPARE(shownTitle(w), QString::fromStdString(listing) + QLatin1Char('*'));
    QVERIFY(w.projectPath().isEmpty());
    QCOMPARE(w.recoveryPath(), shown[0][0].path);  // the copy goes on being written
    prompter.saveAnswers = {SaveChoice::Discard};
    w.close();
    QVERIFY(recoveryCopies().empty());
  }

  void everyCopyIsListedAndOnlyTheTickedOnesAreDeleted() {
    // Two runs end abnormally, one on FRAME1 and one on a small listing that is then removed; a third
    // run stays open: its copy belongs to a running program and is not offered.
    const std::string pair = folder.write("PAIR.ANL", listingText({{1, 0, 0, {{500, 0, 0}}}, {2, 0, 3, {{500, 0, 0}}}}));
    for (const std::string& path : {listing, pair}) {
      RecordingPrompter prompter;
      AppFlow crashed(prompter, [&path](QWidget*) { return path; });
      QVERIFY(crashed.start());
      confirmDialog(crashed);
      QTest::mouseClick(crashed.mainWindow()->groupSizeLabel(1), Qt::LeftButton, Qt::ShiftModifier);
      QVERIFY(recoveryWritten(*crashed.mainWindow()));
    }
    QVERIFY(QFile::remove(QString::fromStdString(pair)));
    RecordingPrompter livePrompter;
    auto live = openFrame(livePrompter);
    QVERIFY(live);
    QTest::mouseClick(live->mainWindow()->groupSizeLabel(2), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(recoveryWritten(*live->mainWindow()));
    QCOMPARE(recoveryCopies().size(), std::size_t{3});

    // The dialog itself, driven as the engineer drives it: the copy whose listing is gone cannot be
    // opened; it is ticked and deleted; then the rest are kept. What the dialog showed is checked after.
    struct Seen {
      QStringList listings, holds;
      bool openEnabled = true, deleteEnabled = true;
    };
    std::vector<Seen> seen;
    auto chooser = [&](QWidget*, const std::vector<RecoveryCopy>& copies) {
      RecoveryDialog dialog(copies);
      dialog.show();
      QTreeWidget* list = dialog.list();
      Seen s;
      QTreeWidgetItem* gone = nullptr;
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        s.listings << item->text(RecoveryDialog::ListingColumn);
        s.holds << item->text(RecoveryDialog::HoldsColumn);
        if (item->text(RecoveryDialog::ListingColumn) == QStringLiteral("PAIR.ANL")) gone = item;
      }
      if (!gone) {
        seen.push_back(s);
        QTest::mouseClick(dialog.keepButton(), Qt::LeftButton);
        return dialog.choice();
      }
      saveShot(&dialog, QStringLiteral("recovery_dialog.png"));
      list->setCurrentItem(gone);
      s.openEnabled = dialog.openButton()->isEnabled();
      s.deleteEnabled = dialog.deleteButton()->isEnabled();
      seen.push_back(s);
      gone->setCheckState(RecoveryDialog::ListingColumn, Qt::Checked);
      QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
      return dialog.choice();
    };
    RecordingPrompter prompter;
    AppFlow flow(prompter, [](QWidget*) { return std::string(); });
    flow.setRecoveryChooser(chooser);
    QVERIFY(!flow.start());  // kept, and then no file chosen
    QCOMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[0].listings.size(), 2);
    QVERIFY(seen[0].listings.contains(QStringLiteral("FRAME1.ANL")));
    const int gone = static_cast<int>(seen[0].listings.indexOf(QStringLiteral("PAIR.ANL")));
    QVERIFY(gone >= 0);
    QVERIFY(seen[0].holds[gone].contains(QStringLiteral("is not there")));
    QVERIFY(!seen[0].openEnabled);    // a copy whose listing is gone cannot be opened
    QVERIFY(!seen[0].deleteEnabled);  // nothing ticked yet
    QCOMPARE(seen[1].listings, QStringList{QStringLiteral("FRAME1.ANL")});
    QCOMPARE(recoveryCopies().size(), std::size_t{2});
    QCOMPARE(leftRecoveryCopies().size(), std::size_t{1});
    QCOMPARE(leftRecoveryCopies()[0].listing, listing);
    livePrompter.saveAnswers = {SaveChoice::Discard};
    live->mainWindow()->close();
  }

  void aBurstOfChangesIsWrittenOnceAsItEnded() {
    RecordingPrompter prompter;
    auto flow = openFrame(prompter);
    QVERIFY(flow);
    MainWindow& w = *flow->mainWindow();
    Project& p = w.editor().project();
    RecoveryWriter& writer = w.recoveryWriter();
    // A timer that cannot run out during the burst, whatever the machine's speed.
    writer.setDelay(3'600'000);
    const int before = writer.writes();
    pressLabel(w.plan(), footingOf(p, 12), Qt::LeftButton);
    const QPoint box = w.plan()->mapTo(&w, w.plan()->numberBox()->geometry().center());
    for (int notch = 0; notch < 6; ++notch) turnWheel(&w, box, -120);
    QTest::mouseClick(w.groupSizeLabel(3), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(writer.pending());
    QCOMPARE(writer.writes(), before);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(w.recoveryPath())));

    // The interval runs out: one copy, holding the plan as the burst left it.
    writer.setDelay(0);
    QVERIFY(recoveryWritten(w));
    QCOMPARE(writer.writes(), before + 1);
    const ReadProject copy = readProjectFile(w.recoveryPath());
    QVERIFY(copy);
    QCOMPARE(copy.project->resized, savedProjectOf(p, w.recoveryPath()).resized);
    QCOMPARE(copy.project->groups, savedProjectOf(p, w.recoveryPath()).groups);

    // Undone back to the state it opened in, nothing is left to recover: the copy goes at once and a
    // change still waiting is given up.
    writer.setDelay(3'600'000);
    while (w.editor().modified() && w.action("ActUndo")->isEnabled()) w.action("ActUndo")->trigger();
    QVERIFY(!w.editor().modified());
    QVERIFY(!writer.pending());
    QVERIFY(!QFileInfo::exists(QString::fromStdString(w.recoveryPath())));
    w.close();
  }

  void openRecentOffersTheLastTenFilesThatStillExist() {
    // Ten files opened before, one of them gone since.
    QStringList earlier;
    for (int k = 0; k < 10; ++k)
      earlier << QString::fromStdString(k == 3 ? folder.path("GONE.ANL") : folder.write("OLD" + std::to_string(k) + ".ANL", ""));
    QSettings().setValue(QStringLiteral("recentFiles"), earlier);
    RecordingPrompter prompter;
    auto flow = openFrame(prompter);
    QVERIFY(flow);
    MainWindow& w = *flow->mainWindow();
    // The plan just opened comes first; the oldest falls off the end; the settings keep ten.
    const QStringList kept = QSettings().value(QStringLiteral("recentFiles")).toStringList();
    QCOMPARE(kept.size(), 10);
    QCOMPARE(kept.first(), QFileInfo(QString::fromStdString(listing)).absoluteFilePath());
    QCOMPARE(kept.last(), earlier[8]);

    auto* menu = w.findChild<QMenu*>(QStringLiteral("MenuRecent"));
    QCOMPARE(menu->title(), QStringLiteral("Open &recent"));
    emit menu->aboutToShow();
    QStringList offered;
    for (QAction* a : menu->actions()) offered << a->text();
    QCOMPARE(offered, (QStringList{"FRAME1.ANL", "OLD0.ANL", "OLD1.ANL", "OLD2.ANL", "OLD4.ANL", "OLD5.ANL",
                                   "OLD6.ANL", "OLD7.ANL", "OLD8.ANL"}));
    // Choosing one opens it (after the question about unsaved work, here none).
    QSignalSpy requested(&w, &MainWindow::openListingRequested);
    menu->actions()[1]->trigger();
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested[0][0].toString(), earlier[0]);
    w.close();
  }
};

QTEST_MAIN(KeepWorkTest)
#include "keep_work_test.moc"
