// Working on the plan with mouse, keys and wheel: picking, the number box and size label, the wheel,
// combining and dissolving, disabling, and the detail popups.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <chrono>

#include "footing/combined_footings.h"
#include "model/numbers.h"
#include "model/project.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

// Pairs of columns 3 m apart along Z, 10 m from pair to pair: joints 1/2 in line, 3/4 with the later
// one in the negative direction, 5/6 and 7/8 off line by 11 mm and 10 mm; joint 9 alone, with three
// load cases, one of them with a large moment on a small load.
std::vector<Support> pairs() {
  return {{1, 0, 0, {{500, 0, 0}}},        {2, 0, 3, {{500, 0, 0}}},
          {3, 10, 3, {{500, 0, 0}}},       {4, 10, 0, {{500, 0, 0}}},
          {5, 20, 0, {{500, 0, 0}}},       {6, 20.011, 3, {{500, 0, 0}}},
          {7, 30, 0, {{500, 0, 0}}},       {8, 30.01, 3, {{500, 0, 0}}},
          {9, 50, 1.5, {{300, 0, 0}, {100, 150, 0}, {4000, 0, 0}}}};
}

// A selection window around the two footings of a pair whose first column stands at x (mm).
void boxPair(PlanView* plan, double x) { dragWindow(plan, x - 1000, -1000, x + 1000, 4000); }

}  // namespace

class PlanInteractionTest : public QObject {
  Q_OBJECT

 private:
  Folder folder;
  std::unique_ptr<OpenPlan> run;
  Project* p = nullptr;
  PlanView* plan = nullptr;
  MainWindow* window = nullptr;

  QPoint numberBoxCentre() const {
    return plan->mapTo(window, plan->numberBox()->geometry().center());
  }
  draw::PlanPoint planPos(QWidget* w) const { return plan->toPlan(QPointF(w->pos())); }

 private slots:
  void init() {
    run = openPlan(folder.write("PAIRS.ANL", listingText(pairs())));
    p = run->project.get();
    plan = run->plan();
    window = run->window.get();
  }
  void cleanup() { run.reset(); }

  void aLeftPressShowsTheNumberBoxAndTheSizeLabelAboveOrBelow() {
    QCOMPARE(p->FootingCount, 9);
    // Joint 2 stands 3 m down the plan: the size label goes 600 mm above the footing's label.
    pressLabel(plan, 2, Qt::LeftButton);
    QCOMPARE(plan->selectedFooting(), 2);
    QVERIFY(plan->numberBox()->isVisible() && plan->sizeLabel()->isVisible());
    QCOMPARE(plan->numberBox()->text(), QStringLiteral("2"));
    QCOMPARE(plan->sizeLabel()->text(), QStringLiteral("1.7 X 1.7"));
    const draw::PlanPoint label = plan->toPlan(plan->labelRect(2).topLeft());
    QCOMPARE(plan->numberBox()->pos(), plan->labelRect(2).topLeft().toPoint());
    const double mmPerPixel = plan->viewport().zPerPixel();
    QVERIFY(std::abs(planPos(plan->sizeLabel()).z - (label.z - 600)) <= mmPerPixel);
    QVERIFY(std::abs(planPos(plan->sizeLabel()).x - plan->drawnOutline(2).left) <= mmPerPixel);

    // Joint 1 stands on the top line: 600 mm above its label would leave the plan, so it goes below.
    pressLabel(plan, 1, Qt::LeftButton);
    const draw::PlanPoint top = plan->toPlan(plan->labelRect(1).topLeft());
    QVERIFY(top.z - 600 < 0);
    QVERIFY(std::abs(planPos(plan->sizeLabel()).z - (top.z + 600)) <= mmPerPixel);
    QCOMPARE(plan->numberBox()->text(), QStringLiteral("1"));
    saveShot(window, QStringLiteral("plan_selected_footing.png"));

    QTest::keyClick(plan, Qt::Key_Escape);
    QVERIFY(!plan->numberBox()->isVisible() && !plan->sizeLabel()->isVisible());
    QCOMPARE(plan->selectedFooting(), 1);

    // The number box losing the focus to the plan ends the selection.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    pressLabel(plan, 2, Qt::LeftButton);
    QTest::mouseClick(plan->numberBox(), Qt::LeftButton);
    QVERIFY(plan->numberBox()->hasFocus());
    QTest::mouseClick(plan, Qt::LeftButton, Qt::NoModifier, plan->toPixels(40000, 4000).toPoint());
    QVERIFY(!plan->numberBox()->isVisible() && !plan->sizeLabel()->isVisible());
    QCOMPARE(plan->selectedFooting(), 0);
  }

  void quickWheelNotchesOnOneFootingAreOneUndoStep() {
    auto now = std::chrono::steady_clock::time_point{};
    window->editor().setClock([&now] { return now; });
    pressLabel(plan, 1, Qt::LeftButton);
    for (int i = 0; i < 4; ++i) {
      now += std::chrono::milliseconds(200);
      turnWheel(window, numberBoxCentre(), -120);
    }
    QCOMPARE(p->FootingTable[1].SizeL, 1.5f);
    QCOMPARE(window->action("ActUndo")->text(), QStringLiteral("&Undo Resize footing 1 to 1.5 m"));
    // After a pause of a second the next notch is a step of its own.
    now += std::chrono::milliseconds(1000);
    turnWheel(window, numberBoxCentre(), 120);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p->FootingTable[1].SizeL, 1.5f);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p->FootingTable[1].SizeL, 1.7f);
    QCOMPARE(p->FootingTable[1].Kind, FootingKind::Isolated);
    QVERIFY(!window->editor().canUndo());
  }

  void wheelNotchesOverTheNumberBoxMakeTheFootingRectangular() {
    pressLabel(plan, 1, Qt::LeftButton);
    const QPoint box = numberBoxCentre();
    // Over the plan, away from the number box, the wheel changes nothing.
    turnWheel(window, plan->mapTo(window, plan->toPixels(20000, 1500).toPoint()), -120);
    QCOMPARE(p->FootingTable[1].SizeL, 1.7f);

    turnWheel(window, box, -120);
    const FootingRecord& f = p->FootingTable[1];
    QCOMPARE(f.Kind, FootingKind::HandResized);
    QCOMPARE(f.SizeL, 1.65f);
    QCOMPARE(f.SizeB, 1.67f);  // 1.1 x 500 kN over 200 kN/m2 on 1.65 m
    QCOMPARE(plan->sizeLabel()->text(), QStringLiteral("1.65 X 1.67 = 2.76"));
    QCOMPARE(plan->labelText(1), QStringLiteral("R1"));
    turnWheel(window, box, -120);
    turnWheel(window, box, -120);
    // 550 / (200 x 1.55) = 1.7742 rounds up: 1.77 would load the soil to 200.5 kN/m2.
    QCOMPARE(plan->sizeLabel()->text(), QStringLiteral("1.55 X 1.78 = 2.76"));
    // The size label now stands on the footing's outline, one text line above it.
    const double mm = plan->viewport().zPerPixel();
    QVERIFY(std::abs(planPos(plan->sizeLabel()).z - (draw::footingRect(f).top - plan->textHeight())) <= mm);
    QVERIFY(std::abs(planPos(plan->sizeLabel()).x - draw::footingRect(f).left) <= mm);

    // A fine-grained wheel: four quarter notches make one notch, three more make none yet.
    for (int i = 0; i < 4; ++i) turnWheel(window, box, -30);
    QCOMPARE(f.SizeL, 1.5f);
    for (int i = 0; i < 3; ++i) turnWheel(window, box, -30);
    QCOMPARE(f.SizeL, 1.5f);
    turnWheel(window, box, 120);
    QCOMPARE(f.SizeL, 1.55f);

    // A second hand-resized footing takes the next running number.
    pressLabel(plan, 9, Qt::LeftButton);
    turnWheel(window, numberBoxCentre(), 120);
    QCOMPARE(plan->labelText(9), QStringLiteral("R2"));

    // Shift+Delete gives footing 9 its required size back, as an ordinary footing again.
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(p->FootingTable[9].Kind, FootingKind::Isolated);
    QCOMPARE(p->FootingTable[9].SizeL, p->FootingTable[9].ReqSize);
    QVERIFY(!plan->numberBox()->isVisible());
    // With the number box hidden, the wheel at its place does nothing.
    turnWheel(window, box, -120);
    QCOMPARE(f.SizeL, 1.55f);
    QVERIFY(run->prompter.calls.empty());
  }

  void combineTakesTheTwoFootingsInsideTheWindow() {
    boxPair(plan, 0);
    QVERIFY(plan->bandShown());
    saveShot(window, QStringLiteral("plan_selection_window.png"));
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QVERIFY(run->prompter.calls.empty());
    QCOMPARE(p->CombinedCount, 1);
    const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
    QCOMPARE(cf.CfAxis, 0);
    QCOMPARE(cf.CfDistance, 3000.0f);
    QCOMPARE(cf.CfLength, 4.0f);
    QCOMPARE(cf.Cant1, 0.5f);
    QCOMPARE(cf.Cant2, 0.5f);
    QCOMPARE(cf.CfBottom, -500.0f);
    QCOMPARE(cf.CfTop, 3500.0f);
    QVERIFY(!plan->bandShown());
    QCOMPARE(plan->band().x1, plan->band().x2);
    QCOMPARE(plan->labelText(1), QStringLiteral("C1"));
    QCOMPARE(plan->labelText(2), QStringLiteral("C1"));
    QCOMPARE(plan->sizeLabel()->text().toStdString(), "4 X " + numberText(cf.CfWidth) + " = " +
                                                          numberText(roundTo(4.0 * cf.CfWidth, 2)));

    // The later footing of 3/4 lies in the negative direction: refused with the deviation message.
    boxPair(plan, 10000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(run->prompter.calls.size(), std::size_t{1});
    QCOMPARE(run->prompter.calls[0].text, std::string(" Deviation Exceeds : ( > 600 mm)"));
    QCOMPARE(run->prompter.calls[0].title, std::string("Plintova"));
    QVERIFY(run->prompter.calls[0].icon == MessageIcon::Exclamation);
    QCOMPARE(p->CombinedCount, 1);

    // 11 mm off line asks first: Cancel combines nothing, OK combines.
    run->prompter.answers = {false};
    boxPair(plan, 20000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QVERIFY(run->prompter.calls.back().question);
    QCOMPARE(run->prompter.calls.back().text, std::string(" Skew : 11 mm "));
    QCOMPARE(p->CombinedCount, 1);
    QVERIFY(!plan->bandShown());
    boxPair(plan, 20000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p->CombinedCount, 2);
    QCOMPARE(p->CombinedFootingTable[2].CfHalfSkew, 5.5f);

    // 10 mm off line combines without a question; a window with one footing does nothing.
    const std::size_t asked = run->prompter.calls.size();
    boxPair(plan, 30000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p->CombinedCount, 3);
    dragWindow(plan, 49000, 0, 51000, 3000);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p->CombinedCount, 3);
    QCOMPARE(run->prompter.calls.size(), asked);
    saveShot(window, QStringLiteral("plan_combined.png"));
  }

  void shiftDeleteDissolvesAndLaterCombinedFootingsMoveDown() {
    for (double x : {0.0, 30000.0, 20000.0}) {
      boxPair(plan, x);
      QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    }
    QCOMPARE(p->CombinedCount, 3);
    // The wheel over a combined member lengthens the whole combined footing by 0.1 m.
    pressLabel(plan, 7, Qt::LeftButton);
    const float length = p->CombinedFootingTable[2].CfLength;
    turnWheel(window, numberBoxCentre(), 120);
    QCOMPARE(p->CombinedFootingTable[2].CfLength, roundToSingle(length + 0.1, 2));
    QCOMPARE(plan->sizeLabel()->text().toStdString(), combinedSizeText(*p, 2));

    // Shift+Delete while a selection window is being dragged is ignored.
    pressLabel(plan, 1, Qt::LeftButton);
    const QPoint empty = plan->toPixels(40000, 4000).toPoint();
    QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, empty);
    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(p->CombinedCount, 3);
    QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, empty);

    QTest::keyClick(plan, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(run->prompter.texts().back(), std::string("1 Is Deleting"));
    QCOMPARE(p->CombinedCount, 2);
    QCOMPARE(p->FootingTable[1].Kind, FootingKind::Isolated);
    // Both freed footings are grouped again and carry their group's mark and size.
    QVERIFY(p->FootingTable[2].GroupNo > 0);
    QCOMPARE(p->FootingTable[2].SizeL, p->SizeGroupTable[p->FootingTable[2].GroupNo].GroupSize);
    QCOMPARE(plan->labelText(2), QStringLiteral("F%1").arg(p->FootingTable[2].GroupRank));
    QCOMPARE(p->FootingTable[7].CombinedNo, 1);
    QCOMPARE(p->FootingTable[8].CombinedNo, 1);
    QCOMPARE(p->FootingTable[5].CombinedNo, 2);
    QCOMPARE(plan->labelText(5), QStringLiteral("C2"));
    QVERIFY(!plan->numberBox()->isVisible());
  }

  void disableModeBlinksAndTogglesFootings() {
    QPushButton* disable = window->button("CmdDisable");
    QTest::mouseClick(disable, Qt::LeftButton);
    QVERIFY(window->disableMode());
    QTRY_COMPARE_WITH_TIMEOUT(disable->text(), QString(), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(disable->text(), QStringLiteral("Disable"), 2000);

    const int16_t group = p->FootingTable[9].GroupNo;
    pressLabel(plan, 9, Qt::LeftButton);
    QCOMPARE(plan->selectedFooting(), 9);
    QCOMPARE(p->FootingTable[9].Kind, FootingKind::Disabled);
    QCOMPARE(plan->labelText(9), QStringLiteral("D"));
    QCOMPARE(p->SizeGroupTable[group].MemberCount, 0);
    QVERIFY(!plan->numberBox()->isVisible());
    // A right press in disable mode toggles as well, and opens nothing.
    pressLabel(plan, 9, Qt::RightButton);
    QCOMPARE(p->FootingTable[9].Kind, FootingKind::Isolated);
    QVERIFY(!window->footingPopup()->isVisible());
    QCOMPARE(plan->labelText(9), QString("F%1").arg(p->SizeGroupTable[group].GroupMark));

    // A member of a combined footing: the combined footing is dissolved and both become ordinary.
    QTest::mouseClick(window->button("CmdDisable"), Qt::LeftButton);
    boxPair(plan, 0);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QTest::mouseClick(disable, Qt::LeftButton);
    pressLabel(plan, 2, Qt::LeftButton);
    QCOMPARE(run->prompter.texts().back(), std::string("1 Is Deleting"));
    QCOMPARE(p->CombinedCount, 0);
    QCOMPARE(p->FootingTable[1].Kind, FootingKind::Isolated);
    QCOMPARE(p->FootingTable[2].Kind, FootingKind::Isolated);
    QCOMPARE(p->FootingTable[2].SizeL, 1.7f);
    QCOMPARE(plan->labelText(2), plan->labelText(1));

    // A hand-resized footing becomes an ordinary one of its group again.
    QTest::mouseClick(disable, Qt::LeftButton);
    pressLabel(plan, 3, Qt::LeftButton);
    turnWheel(window, numberBoxCentre(), 120);
    QCOMPARE(p->FootingTable[3].Kind, FootingKind::HandResized);
    QTest::mouseClick(disable, Qt::LeftButton);
    pressLabel(plan, 3, Qt::LeftButton);
    QCOMPARE(p->FootingTable[3].Kind, FootingKind::Isolated);
    QCOMPARE(p->FootingTable[3].SizeB, 1.7f);
    QCOMPARE(plan->labelText(3), plan->labelText(1));

    QTest::mouseClick(disable, Qt::LeftButton);
    QVERIFY(!window->disableMode());
    QCOMPARE(disable->text(), QStringLiteral("Disable"));
    pressLabel(plan, 3, Qt::LeftButton);
    QCOMPARE(p->FootingTable[3].Kind, FootingKind::Isolated);
    QVERIFY(plan->numberBox()->isVisible());
  }

  void rightPressesShowTheDetailsOfTheFootingOrItsCombinedFooting() {
    FootingPopup* popup = window->footingPopup();
    pressLabel(plan, 9, Qt::RightButton);
    QVERIFY(popup->isVisible());
    // The footing by its mark and joint; every label says what it shows.
    QCOMPARE(popup->label("LabN0")->text(), QStringLiteral("F%1, joint 9").arg(p->FootingTable[9].GroupRank));
    QCOMPARE(popup->windowTitle(), QStringLiteral("Footing F%1, joint 9").arg(p->FootingTable[9].GroupRank));
    QCOMPARE(popup->label("LabXY")->text(), QStringLiteral("Column at X 50000, Z 1500 mm from the grid origin"));
    QCOMPARE(popup->label("LabOffcet")->text(), QStringLiteral("Footing centre off the column: X 0, Z 0 mm"));
    QCOMPARE(popup->label("LabColSize")->text(), QStringLiteral("Column 300 X 450 mm"));
    QCOMPARE(popup->cell(0, FootingPopup::Allowable)->text(), QStringLiteral("Allowable\n(kN/m²)"));
    QCOMPARE(popup->cell(0, FootingPopup::MinPressure)->text(), QStringLiteral("Min pressure\n(kN/m²)"));
    QCOMPARE(popup->rowCount(), 3);
    // A 6 m footing: 110 kN and 150 kN m over 36 m2 give 3.056 +/- 4.167 linearly, a pull at one edge:
    // the soil takes no tension, and the peak is 2 x 110 / (3 x 6 x (3 - 150 / 110)) = 7.47; each pressure
    // is rounded once, as the workbook rounds it.
    auto row = [&](int k) {
      QStringList texts;
      for (int c = 0; c < FootingPopup::ColumnCount; ++c) texts << popup->cell(k, c)->text();
      return texts;
    };
    QCOMPARE(row(1), (QStringList{"1", "300", "0", "0", "9.17", "9.17", "200"}));
    QCOMPARE(row(2), (QStringList{"2", "100", "150", "0", "7.47", "-1.11", "250"}));
    QCOMPARE(row(3), (QStringList{"3", "4000", "0", "0", "122.22", "122.22", "250"}));
    auto marked = [](QLabel* l) { return l->font().bold() && l->frameShape() == QFrame::Box; };
    QVERIFY(marked(popup->cell(3, FootingPopup::MaxPressure)));
    QVERIFY(marked(popup->cell(2, FootingPopup::MinPressure)));
    QVERIFY(!marked(popup->cell(1, FootingPopup::MaxPressure)) && !marked(popup->cell(3, FootingPopup::MinPressure)));
    saveShot(popup, QStringLiteral("popup_footing.png"));

    // Another footing with one load case: one row, marked in both columns, nothing left of the last.
    pressLabel(plan, 1, Qt::RightButton);
    QCOMPARE(popup->rowCount(), 1);
    QCOMPARE(row(1), (QStringList{"1", "500", "0", "0", "190.31", "190.31", "200"}));
    QVERIFY(marked(popup->cell(1, FootingPopup::MaxPressure)) && marked(popup->cell(1, FootingPopup::MinPressure)));
    QVERIFY(popup->label("LabSize")->text().startsWith(QStringLiteral("L X B 1.7 X 1.7 m, effective depth about ")));
    // Esc on the popup closes it, and so does Esc on the plan.
    QTest::keyClick(popup, Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
    pressLabel(plan, 1, Qt::RightButton);
    QVERIFY(popup->isVisible());
    QTest::keyClick(plan, Qt::Key_Escape);
    QVERIFY(!popup->isVisible());

    // A member of a combined footing shows the combined footing; a right press with Shift shows nothing.
    popup->close();
    boxPair(plan, 0);
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    pressLabel(plan, 2, Qt::RightButton, Qt::ShiftModifier);
    QVERIFY(!window->combinedPopup()->isVisible());
    pressLabel(plan, 2, Qt::RightButton);
    CombinedPopup* combined = window->combinedPopup();
    QVERIFY(combined->isVisible() && !popup->isVisible());
    QCOMPARE(combined->label("LabCf1f2")->text(), QStringLiteral("C1, joints 1 and 2"));
    QCOMPARE(combined->windowTitle(), QStringLiteral("Combined footing C1, joints 1 and 2"));
    QCOMPARE(combined->label("LabCfSize")->text().toStdString(),
             "L X B 4 X " + numberText(p->CombinedFootingTable[1].CfWidth) + " m");
    QCOMPARE(combined->label("LabCnt1")->text(), QStringLiteral("Beyond joint 1: cantilever 0.5 m"));
    QCOMPARE(combined->label("LabCnt2")->text(), QStringLiteral("Beyond joint 2: cantilever 0.5 m"));
    QCOMPARE(combined->label("LabDisf_f")->text(), QStringLiteral("Columns 3000 mm apart, half the cross offset 0 mm"));
    saveShot(combined, QStringLiteral("popup_combined.png"));
    QTest::keyClick(combined, Qt::Key_Escape);
    QVERIFY(!combined->isVisible());
  }
};

QTEST_MAIN(PlanInteractionTest)
#include "plan_interaction_test.moc"
