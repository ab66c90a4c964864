// After every edit on the plan (combine, disable, dissolve, resize, offsets, group ticks) every view
// shows what a plan derived afresh from the same decisions shows: each footing label, the group row,
// the open popups and the schedule rows. Nothing stays stale until "Refresh".
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include "design/schedule.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/size_groups.h"
#include "input/listing_reader.h"
#include "model/numbers.h"
#include "project/schedule_design.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

class ConsistentViewsTest : public QObject {
  Q_OBJECT

 private:
  Folder folder;
  std::string listing;
  std::unique_ptr<OpenPlan> run;
  Project* p = nullptr;
  PlanView* plan = nullptr;
  MainWindow* window = nullptr;

  int footing(int joint) const { return footingOf(*p, joint); }

  // The same listing and inputs, with the window's decisions derived afresh (and designed, when the
  // window's schedule is up to date).
  std::unique_ptr<Project> fresh() const {
    auto q = std::make_unique<Project>();
    RecordingPrompter quiet;
    readListing(*q, listing, quiet);
    acceptDesignInputs(*q, "1.5", "200");
    startPlan(*q, quiet);
    applyDecisions(*q, p->decisions, quiet);
    if (p->scheduleDesigned && !p->scheduleStale) designSchedule(*q, quiet);
    return q;
  }

  void expectEveryViewMatchesAFreshPlan(const char* after) {
    const auto q = fresh();
    const draw::PlanOptions options = window->planOptions();
    for (int s = 1; s <= p->FootingCount; ++s)
      QVERIFY2(plan->labelText(s) == QString::fromStdString(draw::footingLabelText(q->FootingTable[s], options, "")),
               qPrintable(QStringLiteral("%1: label of footing %2 reads %3").arg(after).arg(s).arg(plan->labelText(s))));
    for (int g = 1; g <= window->groupControlCount(); ++g) {
      const GroupCaptions c = groupCaptions(*q, g);
      QCOMPARE(window->groupSizeLabel(g)->text(), QString::fromStdString(c.size));
      QCOMPARE(window->groupCheck(g)->text(), QString::fromStdString(c.check));
      QCOMPARE(window->groupCountLabel(g)->text(), QString::fromStdString(c.count));
      QCOMPARE(window->groupCheck(g)->isChecked(), q->SizeGroupTable[g].Checked);
    }
    if (window->footingPopup()->isVisible()) {
      const int s = plan->selectedFooting();
      const auto d = footingDetail(*q, s);
      QVERIFY2(d.has_value(), after);
      QCOMPARE(window->footingPopup()->label("LabSize")->text(), QString::fromStdString(d->size));
      QCOMPARE(window->footingPopup()->rowCount(), static_cast<int>(d->rows.size()));
      for (std::size_t k = 0; k < d->rows.size(); ++k)
        QCOMPARE(window->footingPopup()->cell(static_cast<int>(k) + 1, FootingPopup::MaxPressure)->text(),
                 QString::fromStdString(d->rows[k].maxPressure));
    }
    if (window->combinedPopup()->isVisible()) {
      const int n = q->FootingTable[plan->selectedFooting()].CombinedNo;
      QVERIFY2(n > 0, after);
      const CombinedDetail d = combinedDetail(*q, n);
      QCOMPARE(window->combinedPopup()->label("LabCf1f2")->text(), QString::fromStdString(d.members));
      QCOMPARE(window->combinedPopup()->label("LabCfSize")->text(), QString::fromStdString(d.size));
    }
    ScheduleWindow* schedule = window->scheduleWindow();
    QCOMPARE(schedule->showsOutOfDate(), p->scheduleStale);
    if (!p->scheduleStale) {
      QCOMPARE(schedule->rowCount(), scheduleRowCount(*q));
      for (int r = 1; r <= schedule->rowCount(); ++r) {
        const FootingRow* row = footingRowAt(*q, r);
        auto texts = row ? footingRowTexts(*q, *row) : scheduleRowTexts(*q, r);
        if (row) texts[kColCantilever] = compactSteelText(*row);  // the bars in short in the window
        for (int c = 0; c < kScheduleColumns; ++c)
          QCOMPARE(schedule->cellText(r, c), QString::fromStdString(texts[static_cast<std::size_t>(c)]));
      }
    }
  }

 private slots:
  void init() {
    listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
    run = openPlan(listing);
    p = run->project.get();
    plan = run->plan();
    window = run->window.get();
  }
  void cleanup() { run.reset(); }

  void combineDisableDissolveAndResizeKeepEveryViewCurrent() {
    QTest::mouseClick(window->button("CmdDesign"), Qt::LeftButton);
    QVERIFY(window->scheduleWindow()->isVisible());
    expectEveryViewMatchesAFreshPlan("Design");

    // The popup of joint 21, the only footing of the 2.0 m group (F3).
    pressLabel(plan, footing(21), Qt::RightButton);
    QVERIFY(window->footingPopup()->isVisible());
    QCOMPARE(plan->labelText(footing(21)), QStringLiteral("F3"));

    // Combine joints 20 and 21: the popup of 21 goes (it is a combined member now), the marks of every
    // later group move down at once, and the schedule says it is out of date.
    dragWindow(plan, 13500, 10000, 17500, 12000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p->CombinedCount, 1);
    QVERIFY(!window->footingPopup()->isVisible());
    QVERIFY(p->scheduleStale);
    QVERIFY(window->scheduleWindow()->outOfDateLabel()->isVisible());
    QCOMPARE(plan->labelText(footing(14)), QStringLiteral("F9"));
    QVERIFY(window->statusText().contains(QStringLiteral("Combine footings 20 and 21")));
    expectEveryViewMatchesAFreshPlan("combine");

    // The combined footing's popup, from its second member.
    pressLabel(plan, footing(21), Qt::RightButton);
    QVERIFY(window->combinedPopup()->isVisible());
    expectEveryViewMatchesAFreshPlan("combined popup");

    // Disable joint 40, the only 1.8 m footing: every mark moves down again, on every label at once.
    QTest::mouseClick(window->button("CmdDisable"), Qt::LeftButton);
    pressLabel(plan, footing(40), Qt::LeftButton);
    QCOMPARE(p->FootingTable[footing(40)].Kind, FootingKind::Disabled);
    QCOMPARE(plan->labelText(footing(40)), QStringLiteral("D"));
    QCOMPARE(plan->labelText(footing(1)), QStringLiteral("F1"));  // was F2
    QTest::mouseClick(window->button("CmdDisable"), Qt::LeftButton);
    plan->selection().footing = footing(21);
    expectEveryViewMatchesAFreshPlan("disable");

    // Dissolve the combined footing with Shift+Delete on its member: the combined popup goes and both
    // footings are grouped again.
    pressLabel(plan, footing(21), Qt::LeftButton);
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(p->CombinedCount, 0);
    QVERIFY(!window->combinedPopup()->isVisible());
    QCOMPARE(p->FootingTable[footing(21)].GroupNo, 3);
    expectEveryViewMatchesAFreshPlan("dissolve");

    // The wheel on joint 22 with its popup open: the popup follows the new size.
    pressLabel(plan, footing(22), Qt::RightButton);
    pressLabel(plan, footing(22), Qt::LeftButton);
    const QString before = window->footingPopup()->label("LabSize")->text();
    turnWheel(window, plan->mapTo(window, plan->numberBox()->geometry().center()), -120);
    QCOMPARE(p->FootingTable[footing(22)].Kind, FootingKind::HandResized);
    QVERIFY(window->footingPopup()->label("LabSize")->text() != before);
    expectEveryViewMatchesAFreshPlan("resize");

    // Design again: the rows follow the plan as it is now.
    QTest::mouseClick(window->button("CmdDesign"), Qt::LeftButton);
    QVERIFY(!p->scheduleStale);
    QVERIFY(!window->scheduleWindow()->outOfDateLabel()->isVisible());
    expectEveryViewMatchesAFreshPlan("design again");
    QVERIFY(window->grab().save(shotPath(QStringLiteral("consistent_views_plan.png"))));
    QVERIFY(window->scheduleWindow()->grab().save(shotPath(QStringLiteral("consistent_views_schedule.png"))));
  }

  void combineWithoutTwoFootingsSaysWhyInTheStatusBar() {
    dragWindow(plan, 100000, 100000, 101000, 101000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QVERIFY(run->prompter.calls.empty());
    QVERIFY(window->statusText().contains(QStringLiteral("no footing")));
    dragWindow(plan, -1000, -1000, 1000, 1000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QVERIFY(window->statusText().contains(QStringLiteral("only one footing")));
    dragWindow(plan, -1000, -1000, 12000, 1000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QVERIFY(window->statusText().contains(QStringLiteral("3 footings")));
    QVERIFY(run->prompter.calls.empty());
    QCOMPARE(p->CombinedCount, 0);
  }

  void aDisabledFootingCanBeEnabledWhileFootingNumbersAreShown() {
    QCheckBox* numbers = window->checkBox("ChkFNos");
    QTest::mouseClick(numbers, Qt::LeftButton, {}, QPoint(8, numbers->height() / 2));
    QVERIFY(numbers->isChecked());
    QTest::mouseClick(window->button("CmdDisable"), Qt::LeftButton);
    const int s = footing(12);
    pressLabel(plan, s, Qt::LeftButton);
    QCOMPARE(p->FootingTable[s].Kind, FootingKind::Disabled);
    QCOMPARE(plan->labelText(s), QStringLiteral("(12)"));
    QVERIFY(!plan->labelRect(s).isEmpty());
    pressLabel(plan, s, Qt::LeftButton);
    QCOMPARE(p->FootingTable[s].Kind, FootingKind::Isolated);
    QCOMPARE(plan->labelText(s), QStringLiteral("12"));
  }

  void popupsOpenBesideTheirFootingInsideThePlanAndNeverOverTheSchedule() {
    const QRect planArea(plan->mapToGlobal(QPoint(0, 0)), plan->size());
    // The schedule stands over the right third of the plan.
    QWidget* schedule = window->scheduleWindow();
    schedule->resize(planArea.width() / 3, planArea.height());
    schedule->show();
    schedule->move(planArea.right() - schedule->width(), planArea.top());
    QVERIFY(QTest::qWaitForWindowExposed(schedule));
    auto gap = [](const QRect& a, const QRect& b) {
      return std::max(std::max(a.left() - b.right(), b.left() - a.right()), std::max(a.top() - b.bottom(), b.top() - a.bottom()));
    };
    for (int joint : {1, 12, 30, 37}) {
      pressLabel(plan, footing(joint), Qt::RightButton);
      QWidget* popup = window->footingPopup();
      QVERIFY(popup->isVisible());
      const QRect at = popup->frameGeometry();
      const draw::Rect drawn = plan->drawnOutline(footing(joint));
      const QRect outline = QRectF(plan->mapToGlobal(plan->toPixels(drawn.left, drawn.top)),
                                   plan->mapToGlobal(plan->toPixels(drawn.right, drawn.bottom)))
                                .normalized()
                                .toRect();
      const QString where = QStringLiteral("joint %1").arg(joint);
      QVERIFY2(planArea.contains(at), qPrintable(where));
      QVERIFY2(!at.intersects(schedule->frameGeometry()), qPrintable(where));
      QVERIFY2(!at.intersects(outline), qPrintable(where));
      QVERIFY2(gap(at, outline) <= 60, qPrintable(where));
    }
    // A combined footing's popup goes beside the combined footing.
    dragWindow(plan, 13500, 10000, 17500, 12000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    pressLabel(plan, footing(21), Qt::RightButton);
    QVERIFY(window->combinedPopup()->isVisible());
    QVERIFY(planArea.contains(window->combinedPopup()->frameGeometry()));
    QVERIFY(!window->combinedPopup()->frameGeometry().intersects(schedule->frameGeometry()));
    pressLabel(plan, footing(12), Qt::RightButton);
    saveDeskShot({window, schedule, window->footingPopup(), window->combinedPopup()},
                 QStringLiteral("popup_beside_footing.png"));
  }

  void windowsOpenWhereTheyCoverNoCommandAndNoOtherWindow() {
    QTest::mouseClick(window->button("CmdDesign"), Qt::LeftButton);
    pressLabel(plan, footing(22), Qt::RightButton);
    dragWindow(plan, 13500, 10000, 17500, 12000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    pressLabel(plan, footing(21), Qt::RightButton);
    QVERIFY(window->combinedPopup()->isVisible());
    QVERIFY(window->footingPopup()->isVisible());
    QWidget* open[] = {window->scheduleWindow(), window->footingPopup(), window->combinedPopup()};
    for (QWidget* w : open) {
      const QRect r = w->frameGeometry();
      for (const char* name : {"CmdCombine", "CmdDesign", "CmdOff", "CmdReset", "CmdDisable", "Command2"}) {
        QPushButton* b = window->button(name);
        const QRect button(b->mapToGlobal(QPoint(0, 0)), b->size());
        QVERIFY2(!r.intersects(button), qPrintable(w->objectName() + QStringLiteral(" covers ") + name));
      }
      for (QWidget* other : open)
        if (other != w) QVERIFY2(!r.intersects(other->frameGeometry()), qPrintable(w->objectName() + " covers " + other->objectName()));
    }
  }
};

// A desktop-sized screen, so that there is room to place windows beside each other as on a desk.
int main(int argc, char** argv) {
  QTemporaryDir dir;
  const QString config = dir.filePath(QStringLiteral("screen.json"));
  QFile file(config);
  if (file.open(QIODevice::WriteOnly))
    file.write(R"({"screens": [{"name": "desk", "x": 0, "y": 0, "width": 2560, "height": 1440,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  QApplication app(argc, argv);
  ConsistentViewsTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "consistent_views_test.moc"
