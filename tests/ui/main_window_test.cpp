// The main window from a read listing to the drawn plan: captions, group controls, display options,
// refit on resize, the commands that open other windows, and its close.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "design/schedule.h"
#include "draw/primitives.h"
#include "model/project.h"
#include "ui/column_window.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

int countRole(const std::vector<draw::Primitive>& list, draw::Role role) {
  int n = 0;
  for (const auto& p : list) n += p.role == role;
  return n;
}

// A click on a check box's indicator, which takes clicks whatever the caption.
void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2)); }

// Every group's size, mark and count fit their controls (no caption is cut), and the groups' columns do
// not run into each other.
void expectEveryGroupWhole(MainWindow& w) {
  for (int g = 1; g <= w.groupControlCount(); ++g) {
    for (QWidget* c : {static_cast<QWidget*>(w.groupSizeLabel(g)), static_cast<QWidget*>(w.groupCheck(g)),
                       static_cast<QWidget*>(w.groupCountLabel(g))})
      QVERIFY2(c->sizeHint().width() <= c->width(), qPrintable(c->objectName()));
    if (g > 1) QVERIFY(w.groupCheck(g - 1)->geometry().right() < w.groupCheck(g)->geometry().left());
  }
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  Folder folder;
  std::unique_ptr<OpenPlan> frame;

 private slots:
  void init() { frame = openPlan(folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL")); }
  void cleanup() { frame.reset(); }

  void loadDrawsTheWholePlanWithItsCaptionsAndGroupControls() {
    MainWindow& w = *frame->window;
    // The listing's path, with the mark the desktop shows while there are unsaved changes.
    QCOMPARE(w.windowTitle(), QString::fromStdString(folder.path("FRAME1.ANL")) + QStringLiteral("[*]"));
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.captionLabel()->text(), QStringLiteral("Fck  25 Fy  415   SBC  200 Earth Pressure : 30"));
    QVERIFY(frame->prompter.calls.empty());

    const auto& prims = frame->plan()->primitives();
    QCOMPARE(countRole(prims, draw::Role::FootingOutline), 40);
    QCOMPARE(countRole(prims, draw::Role::FootingLabel), 40);
    QCOMPARE(countRole(prims, draw::Role::GridLine), frame->project->GridLineX[0] + frame->project->GridLineZ[0]);
    // Joint 40 is the only footing of the smallest size, joint 14 the only one of the largest.
    QCOMPARE(frame->plan()->labelText(footingOf(*frame->project, 40)), QStringLiteral("F1"));
    QCOMPARE(frame->plan()->labelText(footingOf(*frame->project, 14)), QStringLiteral("F11"));

    QCOMPARE(w.groupControlCount(), 11);
    QCOMPARE(w.groupSizeLabel(1)->text(), QStringLiteral("1.8"));
    QCOMPARE(w.groupCheck(1)->text(), QStringLiteral(" F1"));
    QCOMPARE(w.groupCountLabel(2)->text(), QStringLiteral("4"));
    QCOMPARE(w.groupSizeLabel(10)->text(), QStringLiteral("3"));
    for (int g = 1; g <= 10; ++g) QVERIFY(w.groupCheck(g)->isEnabled());
    QVERIFY(!w.groupCheck(11)->isEnabled());
    // The group controls stand in their rows below the plan, left to right in group order, with room for
    // every caption: eleven groups need no scrolling.
    auto at = [&w](QWidget* c) { return QRect(c->mapTo(&w, QPoint(0, 0)), c->size()); };
    QVERIFY(at(w.groupSizeLabel(1)).top() > at(frame->plan()).bottom());
    QVERIFY(at(w.groupCheck(1)).top() > at(w.groupSizeLabel(1)).top());
    QVERIFY(at(w.groupCountLabel(1)).top() > at(w.groupCheck(1)).top());
    QVERIFY(at(w.groupSizeLabel(11)).right() < w.width());
    for (int g = 1; g < 11; ++g) QVERIFY(at(w.groupCheck(g)).right() < at(w.groupCheck(g + 1)).left());
    expectEveryGroupWhole(w);
    saveShot(&w, QStringLiteral("main_window_frame1.png"));
  }

  void thePlanKeepsItsAspectAndFollowsTheWindowSize() {
    MainWindow& w = *frame->window;
    PlanView* plan = frame->plan();
    const int s = footingOf(*frame->project, 20);
    const QPointF before = plan->toPixels(frame->project->FootingTable[s].PosX, frame->project->FootingTable[s].PosZ);
    w.resize(900, 700);
    QTRY_COMPARE(plan->width(), 900);
    const QPointF after = plan->toPixels(frame->project->FootingTable[s].PosX, frame->project->FootingTable[s].PosZ);
    QVERIFY((before - after).manhattanLength() > 20);
    QCOMPARE(plan->viewport().xPerPixel(), plan->viewport().zPerPixel());
    // Every label is still picked where it is drawn after the refit.
    QCOMPARE(plan->labelAt(labelPoint(plan, s)), s);
    // The outermost joints keep their 2000 mm margin inside the picture.
    const auto& p = *frame->project;
    QVERIFY(plan->fit().left <= p.LevelX[1] - 2000 + 1e-6);
    QVERIFY(plan->fit().right >= p.LevelX[static_cast<int>(p.LevelX[0])] + 2000 - 1e-6);
    saveShot(&w, QStringLiteral("main_window_resized.png"));
  }

  void displayOptionsChangeTheLabelsAndTheGrid() {
    MainWindow& w = *frame->window;
    PlanView* plan = frame->plan();
    const int s = footingOf(*frame->project, 21);
    QCheckBox* fnos = w.checkBox("ChkFNos");
    QCheckBox* grpnos = w.checkBox("ChkGrpNos");
    QTest::mouseClick(fnos, Qt::LeftButton);
    QVERIFY(fnos->isChecked() && !grpnos->isChecked());
    QCOMPARE(plan->labelText(s), QStringLiteral("21"));
    QTest::mouseClick(grpnos, Qt::LeftButton);
    QVERIFY(grpnos->isChecked() && !fnos->isChecked());
    QCOMPARE(plan->labelText(s), QStringLiteral("F3"));
    // "Size" outranks the numbers; unticking it shows the numbers again.
    QTest::mouseClick(w.checkBox("ChkSize"), Qt::LeftButton);
    QCOMPARE(plan->labelText(s), QStringLiteral("2"));
    QTest::mouseClick(w.checkBox("ChkSize"), Qt::LeftButton);
    QCOMPARE(plan->labelText(s), QStringLiteral("F3"));

    QTest::mouseClick(w.checkBox("ChkGrid"), Qt::LeftButton);
    QCOMPARE(countRole(plan->primitives(), draw::Role::GridLine), 0);
    QTest::mouseClick(w.checkBox("ChkOsize"), Qt::LeftButton);
    QCOMPARE(countRole(plan->primitives(), draw::Role::RequiredSize), 40);
    // Joints 20 and 21 stand 2 m apart with footings of 2.7 m and 2 m: they clash.
    QTest::mouseClick(w.checkBox("ChkGap"), Qt::LeftButton);
    bool marked = false;
    for (const auto& p : plan->primitives())
      marked |= p.role == draw::Role::GapOutline && p.id == draw::Id::footing(s);
    QVERIFY(marked);
    saveShot(&w, QStringLiteral("main_window_gap_actual_sizes.png"));
  }

  void groupControlsReassignListAndStepTheSize() {
    MainWindow& w = *frame->window;
    Project& p = *frame->project;
    PlanView* plan = frame->plan();
    // Unticking 2.9 m moves its nine footings to 3 m, which becomes F9 with 15 footings.
    clickBox(w.groupCheck(9));
    QVERIFY(!p.SizeGroupTable[9].Checked);
    QCOMPARE(w.groupCountLabel(9)->text(), QString());
    QCOMPARE(w.groupCheck(9)->text(), QString());
    QCOMPARE(w.groupCountLabel(10)->text(), QStringLiteral("15"));
    QCOMPARE(w.groupCheck(10)->text(), QStringLiteral(" F9"));
    QCOMPARE(plan->labelText(footingOf(p, 12)), QStringLiteral("F9"));
    QCOMPARE(p.FootingTable[footingOf(p, 12)].SizeL, 3.0f);
    clickBox(w.groupCheck(9));
    QCOMPARE(w.groupCountLabel(9)->text(), QStringLiteral("9"));

    // Clicking a count lists the group's footings while only their numbers show on the plan.
    std::vector<bool> shownDuringMessage;
    frame->prompter.onMessage = [&](const std::string&) {
      for (int s = 1; s <= p.FootingCount; ++s) shownDuringMessage.push_back(plan->labelShown(s));
    };
    QTest::mouseClick(w.groupCountLabel(2), Qt::LeftButton);
    frame->prompter.onMessage = nullptr;
    QCOMPARE(frame->prompter.texts().back(), std::string("F2    1.9 X 1.9 M\r\r1   8   33   34   "));
    QVERIFY(w.checkBox("ChkFNos")->isChecked() && !w.checkBox("ChkGrpNos")->isChecked());
    QCOMPARE(std::count(shownDuringMessage.begin(), shownDuringMessage.end(), true), 4);
    QVERIFY(shownDuringMessage[static_cast<std::size_t>(footingOf(p, 33) - 1)]);
    for (int s = 1; s <= p.FootingCount; ++s) QVERIFY(plan->labelShown(s));

    // Shift-presses on a size: base - 0.05, base + 0.05, base, base - 0.05; plain presses do nothing.
    QLabel* size = w.groupSizeLabel(10);
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
      QTest::mouseClick(size, Qt::LeftButton, Qt::ShiftModifier);
      seen << size->text();
    }
    QCOMPARE(seen, (QStringList{"2.95", "3.05", "3", "2.95"}));
    QTest::mouseClick(size, Qt::LeftButton);
    QCOMPARE(size->text(), QStringLiteral("2.95"));
    QCOMPARE(p.SizeGroupTable[10].GroupSize, 2.95f);
    // Joint 11 needs 2.957 m: it moved up to 3.1 m.
    QCOMPARE(p.FootingTable[footingOf(p, 11)].SizeL, 3.1f);
  }

  void designOpensTheScheduleAndColOffsetTheColumnView() {
    MainWindow& w = *frame->window;
    QVERIFY(!w.scheduleWindow()->isVisible());
    QTest::mouseClick(w.button("CmdDesign"), Qt::LeftButton);
    QVERIFY(w.scheduleWindow()->isVisible());
    QCOMPARE(frame->project->DesignGroupCount, 11);

    QPushButton* off = w.button("CmdOff");
    QVERIFY(off->isEnabled());
    QTest::mouseClick(off, Qt::LeftButton);
    QVERIFY(w.columnWindow() && w.columnWindow()->isVisible());
    // A footing picked in the column view is the plan's selection too: the number box moves to it.
    frame->plan()->selection().footing = 7;
    emit w.columnWindow()->selectionChanged();
    QVERIFY(frame->plan()->numberBox()->isVisible());
    QCOMPARE(frame->plan()->numberBox()->text(), QStringLiteral("7"));
    // An offset step in the column view moves the footing on the plan at once; when the column view
    // closes nothing is selected any more, and the plan keeps its grid lines and labels.
    Project& p = *frame->project;
    const int s = footingOf(p, 1);
    frame->plan()->selection().footing = s;
    QTest::keyClick(w.columnWindow(), Qt::Key_Right);
    QCOMPARE(p.FootingTable[s].OffsetX, 1);
    QCOMPARE(p.decisions.offsetOf(s).dx, p.FootingTable[s].PosX - p.FootingTable[s].ColumnX);
    QVERIFY(p.FootingTable[s].PosX != p.FootingTable[s].ColumnX);
    QVERIFY(w.scheduleWindow()->showsOutOfDate());
    w.columnWindow()->close();
    QTRY_VERIFY(!w.columnWindow());
    QCOMPARE(frame->plan()->selectedFooting(), 0);
    QVERIFY(w.checkBox("ChkGrid")->isChecked());
    const auto& prims = frame->plan()->primitives();
    QCOMPARE(countRole(prims, draw::Role::GridLine), p.GridLineX[0] + p.GridLineZ[0]);
    QCOMPARE(countRole(prims, draw::Role::FootingLabel), 40);
    for (const auto& prim : prims)
      if (prim.role == draw::Role::FootingOutline && prim.id == draw::Id::footing(s))
        QVERIFY(std::abs(prim.x1 - (p.FootingTable[s].PosX - 500.0 * p.FootingTable[s].SizeL)) < 0.01);
  }

  void aPlanChangeMarksTheScheduleOutOfDateWithoutShowingItsRowsAgain() {
    MainWindow& w = *frame->window;
    QLabel* state = w.scheduleStateLabel();
    QVERIFY(state->isHidden());
    QTest::mouseClick(w.button("CmdDesign"), Qt::LeftButton);
    ScheduleWindow* s = w.scheduleWindow();
    QVERIFY(!s->showsOutOfDate() && state->isHidden());
    // A text no design writes: it stays only while the rows are not shown again.
    qobject_cast<QLabel*>(s->cell(1, kColNos))->setText(QStringLiteral("kept"));

    // Two plan changes: the schedule window and the status bar say the rows are out of date, which take
    // no edits; the rows themselves are left as they were shown.
    for (int step = 0; step < 2; ++step) {
      QTest::mouseClick(w.groupSizeLabel(3), Qt::LeftButton, Qt::ShiftModifier);
      QVERIFY(s->showsOutOfDate());
      QVERIFY(state->isVisible());
      QCOMPARE(state->text(), QStringLiteral("Schedule out of date: press Design"));
      QVERIFY(!s->cell(1, kColDepth)->isEnabled());
      QCOMPARE(s->cellText(1, kColNos), QStringLiteral("kept"));
    }
    saveDeskShot({&w, s}, QStringLiteral("schedule_out_of_date.png"));
    // Undone back to the designed plan, the rows are designed and shown again.
    w.action("ActUndo")->trigger();
    w.action("ActUndo")->trigger();
    QVERIFY(!s->showsOutOfDate() && state->isHidden());
    QVERIFY(s->cell(1, kColDepth)->isEnabled());
    QCOMPARE(s->cellText(1, kColNos), QString::fromStdString(scheduleRowTexts(w.editor().project(), 1)[kColNos]));
    // Design after a change does the same.
    QTest::mouseClick(w.groupSizeLabel(3), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(!state->isHidden());
    QTest::mouseClick(w.button("CmdDesign"), Qt::LeftButton);
    QVERIFY(!s->showsOutOfDate() && state->isHidden());
  }

  void refreshSizesAgainAndExitClosesEverything() {
    MainWindow& w = *frame->window;
    Project& p = *frame->project;
    const int s = footingOf(p, 5);
    p.FootingTable[s].ReqSize = 0;
    QTest::mouseClick(w.button("CmdReset"), Qt::LeftButton);
    QVERIFY(std::abs(p.FootingTable[s].ReqSize - 2.178f) < 1e-6f);

    QTest::mouseClick(w.button("CmdDesign"), Qt::LeftButton);
    QVERIFY(w.isWindowModified());  // a designed schedule is work to keep
    QSignalSpy closed(&w, &MainWindow::closed);
    frame->prompter.saveAnswers = {SaveChoice::Discard};
    QTest::mouseClick(w.button("Command2"), Qt::LeftButton);
    QCOMPARE(frame->prompter.calls.back().text.find("not saved") != std::string::npos, true);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.scheduleWindow()->isVisible());
    QVERIFY(fileBytes(folder.path("FRAME1.SCR")).size() > 0);
  }

  void theTypicalRunOnThePlan() {
    MainWindow& w = *frame->window;
    Project& p = *frame->project;
    PlanView* plan = frame->plan();
    // Joints 20 and 21 stand 2 m apart along X: boxed and combined along X.
    dragWindow(plan, 13500, 10000, 17500, 12000);
    QTest::mouseClick(w.button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p.CombinedCount, 1);
    QCOMPARE(p.CombinedFootingTable[1].CfAxis, 1);
    QCOMPARE(p.CombinedFootingTable[1].CfDistance, 2000.0f);
    QCOMPARE(plan->labelText(footingOf(p, 21)), QStringLiteral("C1"));
    // Joint 12 made rectangular with the wheel, and a selection window drawn for the next combine.
    const int s = footingOf(p, 12);
    pressLabel(plan, s, Qt::LeftButton);
    const QPoint box = plan->mapTo(&w, plan->numberBox()->geometry().center());
    turnWheel(&w, box, -120);
    turnWheel(&w, box, -120);
    QCOMPARE(p.FootingTable[s].SizeL, 2.8f);
    QCOMPARE(plan->labelText(s), QStringLiteral("R1"));
    QVERIFY(plan->sizeLabel()->text().startsWith(QStringLiteral("2.8 X ")));
    dragWindow(plan, 22000, 3700, 30800, 7200);
    saveShot(&w, QStringLiteral("main_window_interaction.png"));
    QVERIFY(frame->prompter.calls.empty());
  }

  void thirtyGroupsScrollSidewaysWithEveryMarkWhole() {
    // Thirty supports whose sizes lie 0.2 m apart: thirty size groups, in a window of ordinary width.
    std::vector<Support> supports;
    for (int k = 0; k < 30; ++k) {
      const double side = 1.0 + 0.2 * k;
      supports.push_back({k + 1, 10.0 * (k % 6), 10.0 * (k / 6), {{200 * side * side / 1.1 * 0.9, 0, 0}}});
    }
    auto many = openPlan(folder.write("MANY.ANL", listingText(supports)));
    MainWindow& w = *many->window;
    w.resize(1000, 700);
    QCOMPARE(w.groupControlCount(), 30);
    expectEveryGroupWhole(w);
    // The last group is reached by scrolling the row, which stays below the plan.
    auto* strip = w.findChild<QScrollArea*>(QStringLiteral("GroupStrip"));
    QVERIFY(strip->horizontalScrollBar()->isVisible());
    strip->ensureWidgetVisible(w.groupCheck(30));
    const QRect last(w.groupCheck(30)->mapTo(&w, QPoint(0, 0)), w.groupCheck(30)->size());
    QVERIFY(w.rect().contains(last));
    QVERIFY(last.top() > many->plan()->mapTo(&w, QPoint(0, many->plan()->height())).y());
    // Wherever the row is scrolled, no group shows only in part at its edges.
    for (int v : {0, 37, strip->horizontalScrollBar()->maximum() / 2, strip->horizontalScrollBar()->maximum()}) {
      strip->horizontalScrollBar()->setValue(v);
      const QRect shown = strip->viewport()->rect();
      for (int g = 1; g <= 30; ++g) {
        const QRect r(w.groupCheck(g)->mapTo(strip->viewport(), QPoint(0, 0)), w.groupCheck(g)->size());
        QVERIFY2(shown.contains(r) || !shown.intersects(r), qPrintable(QStringLiteral("group %1 at %2").arg(g).arg(v)));
      }
    }
    saveShot(&w, QStringLiteral("main_window_thirty_groups.png"));
  }

  void aListingWithOneSizeHasItsOnlyCheckBoxDisabled() {
    auto single = openPlan(folder.copy(PLINTOVA_TEST_DATA "/single_support.ANL", "SINGLE.ANL"));
    QCOMPARE(single->window->groupControlCount(), 1);
    QVERIFY(!single->window->groupCheck(1)->isEnabled());
    QCOMPARE(single->window->groupCheck(1)->text(), QStringLiteral(" F1"));
    QCOMPARE(single->plan()->labelText(1), QStringLiteral("F1"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
