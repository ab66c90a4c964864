// The schedule window driven through its widgets: rows, depth and pedestal edits, clicks, rebuilds, scrolling.
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "../design/design_fixture.h"
#include "design/footing_design.h"
#include "design/schedule.h"
#include "footing/plan_decisions.h"
#include "designed_frame_support.h"
#include "model/numbers.h"
#include "ui/schedule_columns.h"
#include "ui/schedule_window.h"

using namespace plintova;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Types `text` over the box's contents and presses `key` (Enter unless told otherwise).
void typeInto(QWidget* box, const QString& text, Qt::Key key = Qt::Key_Return) {
  auto* edit = qobject_cast<QLineEdit*>(box);
  QVERIFY(edit);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, key);
}

void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
  QVERIFY(w);
  QTest::mouseClick(w, button);
}

}  // namespace

class ScheduleWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompter = RecordingPrompter();
    project = uitest::designedFrame(prompter);
    prompter.calls.clear();
    editor = std::make_unique<PlanEditor>(*project, prompter);
    window = std::make_unique<ScheduleWindow>(*editor);
    window->rebuildRows();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() { window.reset(); }

  void showsOneLinePerDesignedGroupUnderTheHeaders() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Footing schedule"));
    QCOMPARE(window->rowCount(), static_cast<int>(project->DesignGroupCount));
    QCOMPARE(window->rowCount(), 11);
    for (int c = 0; c < kScheduleColumns; ++c) {
      QCOMPARE(window->cellText(0, c), headingText(c));
      for (int r = 1; r <= window->rowCount(); ++r)
        QCOMPARE(window->cellText(r, c), qs(scheduleRowTexts(*project, r)[static_cast<std::size_t>(c)]));
    }
    QCOMPARE(window->cellText(1, kColMark), QStringLiteral("F1"));
    QCOMPARE(window->cellText(1, kColDepth), QStringLiteral("0.4"));

    // The header boxes of depth, pedestal and diameter are hidden; their plain labels stand in.
    QVERIFY(!window->cell(0, kColDepth)->isVisible());
    QVERIFY(!window->cell(0, kColPedestal)->isVisible());
    QVERIFY(!window->cell(0, kColDia)->isVisible());
    for (const char* name : {"Label1", "Label2", "Label3"}) QVERIFY(window->findChild<QLabel*>(name)->isVisible());
    QCOMPARE(window->findChild<QLabel*>("Label1")->x(), window->cell(1, kColDepth)->x());
    // Every heading says what its column holds and in which unit, and its tooltip says it in full.
    QCOMPARE(window->findChild<QLabel*>("Label2")->text(), QStringLiteral("Pedestal\nX x Z (m)"));
    QCOMPARE(window->cellText(0, kColNetP), QStringLiteral("Net q\n(kN/m²)"));
    QCOMPARE(window->cellText(0, kColSS1), QStringLiteral("τv\n(N/mm²)"));
    QVERIFY(window->cell(0, kColSS1)->toolTip().startsWith(QStringLiteral("One-way shear stress")));
    for (const char* group : {"One-way shear", "Punching shear"}) {
      bool found = false;
      for (QLabel* l : window->findChildren<QLabel*>()) found = found || l->text() == QString::fromUtf8(group);
      QVERIFY2(found, group);
    }
    // The depth box shows its unit beside the figure.
    QLabel* unit = window->cell(1, kColDepth)->findChild<QLabel*>(QStringLiteral("Unit"));
    QVERIFY(unit && unit->isVisible());
    QCOMPARE(unit->text(), QStringLiteral("m"));

    // Rows come in pairs 400 twips apart with 600 twips between pairs; every column keeps its left.
    const int y1 = window->cell(1, kColMark)->y(), y2 = window->cell(2, kColMark)->y();
    const int y3 = window->cell(3, kColMark)->y();
    QCOMPARE(y2 - y1, 27);
    QCOMPARE(y3 - y2, 40);
    QCOMPARE(window->cell(1, kColNos)->x(), qRound(1000 / 15.0));
    QCOMPARE(window->cell(5, kColPS2)->x(), window->cell(0, kColPS2)->x());
    QVERIFY(window->cell(1, kColDepth)->y() == y1);
  }

  void depthEditsRedesignTheRowAndBadEntriesRevert() {
    QWidget* depth = window->cell(1, kColDepth);
    const SizeGroupRecord& row = project->DesignGroupTable[1];
    QCOMPARE(row.TotalDepth, 0.4f);
    const QString ast = window->cellText(1, kColAst);

    typeInto(depth, QStringLiteral("0.5"));
    QVERIFY(row.TotalDepth >= 0.5f);
    QCOMPARE(window->cellText(1, kColDepth), qs(numberText(row.TotalDepth)));
    QVERIFY(window->cellText(1, kColAst) != ast);  // a deeper section needs more steel at pt 0.2
    QCOMPARE(window->cellText(1, kColAst), qs(scheduleRowTexts(*project, 1)[kColAst]));

    QVERIFY(prompter.calls.empty());  // used as typed: nothing to say

    // Below what bending needs: raised back to the designed depth, and the engineer is told so.
    typeInto(depth, QStringLiteral("0.2"));
    QCOMPARE(row.TotalDepth, 0.4f);
    QCOMPARE(window->cellText(1, kColDepth), QStringLiteral("0.4"));
    QCOMPARE(window->cellText(1, kColAst), ast);
    QCOMPARE(prompter.texts(), (std::vector<std::string>{
                                   "The depth 0.2 m typed for F1 is less than bending needs (0.25 m): the row is "
                                   "designed 0.4 m deep, since one-way shear or punching fails at a shallower depth."}));
    prompter.calls.clear();

    // Typing alone changes nothing; Escape abandons the text; bad numbers revert without a message.
    auto* edit = qobject_cast<QLineEdit*>(depth);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("0.75"));
    QCOMPARE(row.TotalDepth, 0.4f);
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), QStringLiteral("0.4"));
    QVERIFY(window->isVisible());  // Escape in a box does not close the window
    for (const char* bad : {"abc", "0.5x", "1e40", ""}) {
      typeInto(depth, QString::fromLatin1(bad));
      QCOMPARE(edit->text(), QStringLiteral("0.4"));
      QCOMPARE(row.TotalDepth, 0.4f);
    }
    typeInto(depth, QStringLiteral("0.6"), Qt::Key_Enter);  // the keypad's Enter too
    QVERIFY(row.TotalDepth >= 0.6f);
    QVERIFY(prompter.calls.empty());
  }

  void pedestalEqualToTheSizeRevertsAndASmallerOneRedesignsFromScratch() {
    QWidget* peda = window->cell(1, kColPedestal);
    SizeGroupRecord& row = project->DesignGroupTable[1];
    QCOMPARE(window->cellText(1, kColSize), QStringLiteral("1.8"));
    // The column's 450 mm along X with 50 mm on each side: 0.55, more than the size table's 0.53; its
    // 300 mm along Z leaves the table's 0.53.
    QCOMPARE(window->cellText(1, kColPedestal), QStringLiteral("0.55 x 0.53"));

    typeInto(peda, QStringLiteral("1.8"));
    QCOMPARE(window->cellText(1, kColPedestal), QStringLiteral("0.55 x 0.53"));
    QCOMPARE(row.Pedestal.x, 0.55f);
    QCOMPARE(row.TotalDepth, 0.4f);
    for (const char* wrong : {"two", "0.6 x", "0.6 x 1.8"}) {
      typeInto(peda, QString::fromLatin1(wrong));
      QCOMPARE(window->cellText(1, kColPedestal), QStringLiteral("0.55 x 0.53"));
    }
    // Two sides typed: each direction takes its own.
    typeInto(peda, QStringLiteral("0.6 x 0.75"));
    QCOMPARE(row.Pedestal.x, 0.6f);
    QCOMPARE(row.Pedestal.z, 0.75f);
    QCOMPARE(window->cellText(1, kColPedestal), QStringLiteral("0.6 x 0.75"));

    // 0.01 smaller: no cantilever left, so the depth is designed afresh down to the 250 mm minimum.
    typeInto(peda, QStringLiteral("1.79"));
    QCOMPARE(row.Pedestal.x, 1.79f);
    QCOMPARE(window->cellText(1, kColPedestal), QStringLiteral("1.79"));
    QCOMPARE(window->cellText(1, kColCantilever), QStringLiteral("0.005"));
    QCOMPARE(window->cellText(1, kColDepth), QStringLiteral("0.25"));
    // An edit leaves the other rows alone.
    QCOMPARE(window->cellText(2, kColDepth), qs(numberText(project->DesignGroupTable[2].TotalDepth)));

    // Escape restores the stored pedestal after typing.
    auto* edit = qobject_cast<QLineEdit*>(peda);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("0.9"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), QStringLiteral("1.79"));
    QVERIFY(prompter.calls.empty());

    // Text typed but not confirmed is not the row's value: leaving the box shows the stored value again.
    auto* depthBox = qobject_cast<QLineEdit*>(window->cell(2, kColDepth));
    const QString stored = depthBox->text();
    depthBox->setFocus();
    depthBox->selectAll();
    QTest::keyClicks(depthBox, QStringLiteral("0.95"));
    QCOMPARE(depthBox->text(), QStringLiteral("0.95"));
    edit->setFocus();
    QCOMPARE(depthBox->text(), stored);
    QCOMPARE(qs(numberText(project->DesignGroupTable[2].TotalDepth)), stored);
  }

  void fiveDiameterClicksComeBackAndOnlyTheSectionFollows() {
    // Each click takes the next of the options' diameters and keeps it; the row is designed again with it
    // (its inner layer's depth, steel and bars follow), and five clicks bring it back to where it was.
    const SizeGroupRecord& row = project->DesignGroupTable[3];
    const int16_t own = row.BarDia;
    const QString depth = window->cellText(3, kColDepth), ast = window->cellText(3, kColAst);
    const QString rods = window->cellText(3, kColRods), space = window->cellText(3, kColSpace);
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
      click(window->cell(3, kColDia));
      seen << window->cellText(3, kColDia);
      QCOMPARE(window->cellText(3, kColAst), qs(scheduleRowTexts(*project, 3)[kColAst]));
      QCOMPARE(window->cellText(3, kColRods), qs(scheduleRowTexts(*project, 3)[kColRods]));
    }
    QCOMPARE(seen.size(), 5);
    QCOMPARE(seen.last(), QString::number(own));
    QCOMPARE(row.BarDia, own);
    QCOMPARE(window->cellText(3, kColDepth), depth);
    QCOMPARE(window->cellText(3, kColAst), ast);
    QCOMPARE(window->cellText(3, kColRods), rods);
    QCOMPARE(window->cellText(3, kColSpace), space);
    click(window->cell(3, kColDia), Qt::RightButton);  // only a left click is a click
    QCOMPARE(row.BarDia, own);
  }

  void markAndCountClicksShowWhatGovernsAndWhoBelongs() {
    const SizeGroupRecord& row = project->DesignGroupTable[2];
    QCOMPARE(row.MemberCount, 4);
    click(window->cell(2, kColMark));
    // The governing footing and load case by the numbers the listing gives them.
    const int gov = row.GovFooting;
    QVERIFY(gov >= 1);
    QCOMPARE(prompter.texts(),
             (std::vector<std::string>{"F2: the net pressure " + numberText(row.NetPressure) +
                                       " kN/m2 comes from joint " + numberText(project->FootingTable[gov].JointNo) +
                                       ", load case " + numberText(project->ReactionTable(gov, row.GovCase, 1)) + "."}));

    // One message lists every footing of the row by joint number.
    prompter.calls.clear();
    click(window->cell(2, kColNos));
    std::string members;
    for (int i = 1; i <= 4; ++i) members += numberText(project->FootingTable[row.Members[i]].JointNo) + "   ";
    QCOMPARE(prompter.texts(), (std::vector<std::string>{"F2    " + numberText(row.GroupSize) + " X " +
                                                         numberText(row.GroupSize) + " M\r\r" + members}));
    for (const auto& call : prompter.calls) QVERIFY(!call.question && call.title.empty());

    // The header line names no footing.
    prompter.calls.clear();
    click(window->cell(0, kColMark));
    QCOMPARE(prompter.texts(), (std::vector<std::string>{"No footing governs this row."}));
    prompter.calls.clear();
    click(window->cell(0, kColNos));
    QVERIFY(prompter.calls.empty());
    click(window->cell(0, kColSize));  // other headers do nothing
    QVERIFY(prompter.calls.empty());
  }

  void aChangeOfThePlanMarksTheScheduleOutOfDateAndDesignKeepsTheEdits() {
    typeInto(window->cell(1, kColDepth), QStringLiteral("0.7"));
    QCOMPARE(window->cellText(1, kColDepth), QStringLiteral("0.7"));
    QVERIFY(!window->showsOutOfDate());

    // The engineer unticks the 1.9 m group: the window says at once that its rows are out of date and
    // takes no edits until Design runs again.
    QVERIFY(editor->commit(withGroupChecked(*project, 2, false), "Untick"));
    QVERIFY(window->showsOutOfDate());
    QVERIFY(window->outOfDateLabel()->isVisible());
    QVERIFY(qobject_cast<QLineEdit*>(window->cell(1, kColDepth))->isReadOnly());
    QCOMPARE(window->rowCount(), 11);

    // Design: its four footings moved up and the schedule lost a row; the depth edit of the 1.8 m row
    // is applied again to the row of that size.
    QVERIFY(editor->design());
    QVERIFY(!window->showsOutOfDate());
    QCOMPARE(window->rowCount(), 10);
    QCOMPARE(window->findChildren<QLabel*>(QRegularExpression("^LabF1_\\d+$")).size(), 11);  // header + 10
    QVERIFY(!window->findChild<QWidget*>("LabF1_11"));
    QCOMPARE(window->cellText(1, kColDepth), QStringLiteral("0.7"));
    for (int r = 1; r <= 10; ++r) {
      QCOMPARE(window->cellText(r, kColNos), qs(scheduleRowTexts(*project, r)[kColNos]));
      // Every row's mark is the mark its footings carry on the plan.
      QCOMPARE(window->cellText(r, kColMark), QStringLiteral("F%1").arg(project->DesignGroupTable[r].GroupMark));
    }
    QVERIFY(window->cell(10, kColMark)->isVisible());

    // Closing with the frame discards the rows; the next Design fills the window again.
    window->close();
    QCOMPARE(window->rowCount(), 0);
    window->rebuildRows();
    window->show();
    QCOMPARE(window->rowCount(), 10);
  }

  void withNoTickedGroupOnlyTheHeaderShows() {
    for (int g = 1; g <= project->SizeGroupCount; ++g) project->SizeGroupTable[g].Checked = false;
    QVERIFY(DesignAllGroups(*project, prompter));
    window->rebuildRows();
    QCOMPARE(window->rowCount(), 0);
    QVERIFY(window->cell(0, kColMark)->isVisible());
    QVERIFY(window->findChild<QLabel*>("Label2")->isVisible());
    QVERIFY(!window->cell(0, kColPedestal)->isVisible());
  }

  void sixtyRowsScrollUnderAFixedHeader() {
    RecordingPrompter quiet;
    auto big = design_test::newProject();
    for (int s = 1; s <= 60; ++s) {
      design_test::setSupport(*big, s, 100 + s, {{1, 150.0f + 10 * s, 5, 5}});
      design_test::addGroup(*big, 1.0f + 0.05f * static_cast<float>(s), 0.3f, {s});
    }
    QVERIFY(designSchedule(*big, quiet));
    QCOMPARE(big->DesignGroupCount, 60);
    PlanEditor bigEditor(*big, quiet);
    ScheduleWindow w(bigEditor);
    w.resize(1200, 500);
    w.rebuildRows();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.rowCount(), 60);
    QCOMPARE(w.cellText(60, kColMark), QStringLiteral("F60"));
    QScrollBar* bar = w.rowArea()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);

    const QPoint headerAt = w.cell(0, kColMark)->mapTo(&w, QPoint(0, 0));
    w.rowArea()->ensureWidgetVisible(w.cell(60, kColMark));
    QVERIFY(bar->value() > 0);
    const QPoint lastAt = w.cell(60, kColMark)->mapTo(&w, QPoint(0, 0));
    QVERIFY(lastAt.y() > 0 && lastAt.y() < w.height());
    QCOMPARE(w.cell(0, kColMark)->mapTo(&w, QPoint(0, 0)), headerAt);  // the header stays put

    // The last row works like the first: a click takes the next diameter of the options.
    const int16_t before = big->DesignGroupTable[60].BarDia;
    click(w.cell(60, kColDia));
    QCOMPARE(big->DesignGroupTable[60].BarDia, nextBarDia(before, big->decisions.options.barDiameters));
    QVERIFY(w.grab().save(uitest::shotPath("schedule_window_60_rows.png")));
  }

  void picture() {
    typeInto(window->cell(2, kColDepth), QStringLiteral("0.5"));
    QVERIFY(window->grab().save(uitest::shotPath("schedule_window.png")));
  }

 private:
  RecordingPrompter prompter;
  std::unique_ptr<Project> project;
  std::unique_ptr<PlanEditor> editor;
  std::unique_ptr<ScheduleWindow> window;
};

QTEST_MAIN(ScheduleWindowTest)
#include "schedule_window_test.moc"
