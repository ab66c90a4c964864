// Zooming and panning the plan: Ctrl+wheel about the pointer, the middle-button drag, F, the limits, and
// picking, the selection window, the number box and the popups on a zoomed and panned plan; labels
// left out where they would run into each other.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "model/project.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

// Pairs of columns 3 m apart along Z, 10 m from pair to pair, and joint 9 alone 20 m further on.
std::vector<Support> pairs() {
  return {{1, 0, 0, {{500, 0, 0}}},  {2, 0, 3, {{500, 0, 0}}},  {3, 10, 0, {{500, 0, 0}}},
          {4, 10, 3, {{500, 0, 0}}}, {5, 20, 0, {{500, 0, 0}}}, {6, 20, 3, {{500, 0, 0}}},
          {9, 50, 1.5, {{500, 0, 0}}}};
}

// Six columns 0.5 m apart in a row, and two more 80 m away: seen whole, the row's labels run together.
std::vector<Support> crowded() {
  std::vector<Support> list;
  for (int j = 1; j <= 6; ++j) list.push_back({j, 0.5 * (j - 1), 0, {{500, 0, 0}}});
  list.push_back({7, 80, 0, {{500, 0, 0}}});
  list.push_back({8, 80, 30, {{500, 0, 0}}});
  return list;
}

bool near(QPointF a, QPointF b, double pixels = 1) { return std::abs(a.x() - b.x()) <= pixels && std::abs(a.y() - b.y()) <= pixels; }

}  // namespace

class PlanZoomTest : public QObject {
  Q_OBJECT

 private:
  Folder folder;
  std::unique_ptr<OpenPlan> run;
  Project* p = nullptr;
  PlanView* plan = nullptr;
  MainWindow* window = nullptr;

  void open(const std::vector<Support>& supports) {
    run = openPlan(folder.write("ZOOM.ANL", listingText(supports)));
    p = run->project.get();
    plan = run->plan();
    window = run->window.get();
  }
  QPointF centreOf(int s) const { return plan->toPixels(p->FootingTable[s].PosX, p->FootingTable[s].PosZ); }
  double outlineWidth(int s) const {
    const draw::Rect r = plan->drawnOutline(s);
    return plan->toPixels(r.right, r.top).x() - plan->toPixels(r.left, r.top).x();
  }
  QPoint inWindow(QPointF planPixel) const { return plan->mapTo(window, planPixel.toPoint()); }
  QPoint numberBoxCentre() const { return plan->mapTo(window, plan->numberBox()->geometry().center()); }

 private slots:
  void cleanup() { run.reset(); }

  void ctrlWheelZoomsAboutThePointerBetweenTheFitAndTheLargestScale() {
    open(pairs());
    QSignalSpy changed(plan, &PlanView::viewChanged);
    const int s = footingOf(*p, 9);
    const QPointF at = centreOf(s).toPoint();  // the pointer, on the footing's centre
    const draw::PlanPoint grabbed = plan->toPlan(at);
    const double width = outlineWidth(s);
    // The plan point under the pointer stays under it, so the footing stays under it too.
    auto stays = [&] {
      const draw::Rect r = plan->drawnOutline(s);
      return near(plan->toPixels(grabbed.x, grabbed.z), at, 1e-6) &&
             QRectF(plan->toPixels(r.left, r.top), plan->toPixels(r.right, r.bottom)).contains(at);
    };
    QCOMPARE(plan->zoom(), 1.0);

    // The plain wheel does nothing on the plan.
    turnWheel(window, inWindow(at), 120);
    QCOMPARE(plan->zoom(), 1.0);
    QCOMPARE(changed.count(), 0);

    turnWheel(window, inWindow(at), 120, Qt::ControlModifier);
    QCOMPARE(plan->zoom(), PlanView::kZoomStep);
    QCOMPARE(changed.count(), 1);
    QVERIFY(stays());
    QVERIFY(std::abs(outlineWidth(s) - width * PlanView::kZoomStep) < 1e-6 * width);
    QCOMPARE(plan->viewport().xPerPixel(), plan->viewport().zPerPixel());

    // A fine wheel: four quarter notches make one step, three more none yet.
    for (int i = 0; i < 4; ++i) turnWheel(window, inWindow(at), 30, Qt::ControlModifier);
    QCOMPARE(plan->zoom(), PlanView::kZoomStep * PlanView::kZoomStep);
    for (int i = 0; i < 3; ++i) turnWheel(window, inWindow(at), 30, Qt::ControlModifier);
    QCOMPARE(plan->zoom(), PlanView::kZoomStep * PlanView::kZoomStep);
    QVERIFY(stays());

    // In as far as it goes: 5 mm a pixel, the footing still under the pointer.
    for (int i = 0; i < 40; ++i) turnWheel(window, inWindow(at), 120, Qt::ControlModifier);
    QCOMPARE(plan->zoom(), plan->maxZoom());
    QVERIFY(std::abs(plan->viewport().xPerPixel() - PlanView::kFinestMmPerPixel) < 1e-9);
    QVERIFY(stays());
    saveShot(window, QStringLiteral("plan_zoomed_in.png"));

    // Out no further than the fitted picture, which shows the whole plan again.
    for (int i = 0; i < 40; ++i) turnWheel(window, inWindow(at), -120, Qt::ControlModifier);
    QCOMPARE(plan->zoom(), 1.0);
    QCOMPARE(plan->visibleRect().left, plan->fit().left);
    QCOMPARE(plan->visibleRect().bottom, plan->fit().bottom);
    QVERIFY(std::abs(outlineWidth(s) - width) < 1e-6 * width);
  }

  void ctrlWheelOverTheNumberBoxZoomsWhileThePlainWheelResizes() {
    open(pairs());
    pressLabel(plan, 1, Qt::LeftButton);
    QVERIFY(plan->numberBox()->isVisible());
    const QPointF offset = plan->labelRect(1).topLeft() - centreOf(1);
    turnWheel(window, numberBoxCentre(), 120, Qt::ControlModifier);
    turnWheel(window, numberBoxCentre(), 120, Qt::ControlModifier);
    QCOMPARE(plan->zoom(), PlanView::kZoomStep * PlanView::kZoomStep);
    QCOMPARE(p->FootingTable[1].SizeL, 1.7f);
    QCOMPARE(p->FootingTable[1].Kind, FootingKind::Isolated);
    // The label keeps its offset from the footing's centre on the screen, and the number box stays on it.
    QVERIFY(near(plan->labelRect(1).topLeft() - centreOf(1), offset, 0.01));
    QCOMPARE(plan->numberBox()->pos(), plan->labelRect(1).topLeft().toPoint());
    turnWheel(window, numberBoxCentre(), -120);
    QCOMPARE(p->FootingTable[1].SizeL, 1.65f);
    QCOMPARE(plan->labelText(1), QStringLiteral("R1"));
    QCOMPARE(plan->zoom(), PlanView::kZoomStep * PlanView::kZoomStep);
  }

  void theMiddleButtonDragsThePlanAndFFitsItAgain() {
    open(pairs());
    QSignalSpy moved(plan, &PlanView::cursorMoved);
    // Fitted, there is nothing to drag to.
    const draw::Rect fit = plan->fit();
    dragMiddle(plan, QPoint(300, 200), QPoint(500, 260));
    QCOMPARE(plan->visibleRect().left, fit.left);
    QCOMPARE(plan->visibleRect().top, fit.top);

    plan->zoomIn();
    plan->zoomIn();
    plan->zoomIn();
    QCOMPARE(plan->zoom(), std::pow(PlanView::kZoomStep, 3));
    // Starting on a label, the drag neither picks it nor starts a selection window.
    const int s = footingOf(*p, 5);
    const QPoint from = labelPoint(plan, s);
    QVERIFY(plan->rect().contains(from));
    const draw::PlanPoint grabbed = plan->toPlan(from);
    const QPoint to = from + QPoint(-150, 90);
    dragMiddle(plan, from, to);
    QVERIFY(near(plan->toPixels(grabbed.x, grabbed.z), to));
    QCOMPARE(plan->selectedFooting(), 0);
    QVERIFY(!plan->numberBox()->isVisible() && !plan->bandShown());
    QCOMPARE(plan->labelAt(labelPoint(plan, s)), s);

    // The pointer's plan position is reported on every move, with or without a button.
    moved.clear();
    QMouseEvent hover(QEvent::MouseMove, QPointF(40, 30), plan->mapToGlobal(QPointF(40, 30)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plan, &hover);
    QCOMPARE(moved.count(), 1);
    const draw::PlanPoint pointer = plan->toPlan(QPointF(40, 30));
    QCOMPARE(moved[0][0].toDouble(), pointer.x);
    QCOMPARE(moved[0][1].toDouble(), pointer.z);

    // A resize keeps the zoom and the plan point in the middle of the picture.
    const draw::PlanPoint middle = plan->toPlan(QPointF(plan->width() / 2.0, plan->height() / 2.0));
    window->resize(1100, 760);
    QTRY_VERIFY(plan->width() < 1300);
    QCOMPARE(plan->zoom(), std::pow(PlanView::kZoomStep, 3));
    QVERIFY(near(plan->toPixels(middle.x, middle.z), QPointF(plan->width() / 2.0, plan->height() / 2.0)));

    QSignalSpy changed(plan, &PlanView::viewChanged);
    QTest::keyClick(plan, Qt::Key_F);
    QCOMPARE(plan->zoom(), 1.0);
    QCOMPARE(changed.count(), 1);
    for (int k = 1; k <= p->FootingCount; ++k) QVERIFY(plan->rect().contains(centreOf(k).toPoint()));
  }

  void pickingSelectingAndPopupsWorkOnAZoomedAndDraggedPlan() {
    open(pairs());
    // In on the pair of joints 1 and 2, then dragged: both stand well inside the picture.
    plan->zoomAt(plan->toPixels(0, 1500), 6);
    dragMiddle(plan, QPoint(200, 200), QPoint(260, 170));
    for (double z : {-1000.0, 4000.0}) QVERIFY(plan->rect().contains(plan->toPixels(-1000, z).toPoint()));
    for (double z : {-1000.0, 4000.0}) QVERIFY(plan->rect().contains(plan->toPixels(1000, z).toPoint()));

    pressLabel(plan, 2, Qt::LeftButton);
    QCOMPARE(plan->selectedFooting(), 2);
    QCOMPARE(plan->numberBox()->text(), QStringLiteral("2"));
    QCOMPARE(plan->numberBox()->pos(), plan->labelRect(2).topLeft().toPoint());
    // The number box and the size label keep their places on the plan when it is dragged.
    const draw::PlanPoint sizeAt = plan->toPlan(QPointF(plan->sizeLabel()->pos()));
    dragMiddle(plan, QPoint(300, 300), QPoint(330, 320));
    QCOMPARE(plan->numberBox()->pos(), plan->labelRect(2).topLeft().toPoint());
    QVERIFY(near(QPointF(plan->sizeLabel()->pos()), plan->toPixels(sizeAt.x, sizeAt.z)));

    dragWindow(plan, -1000, -1000, 1000, 4000);
    QVERIFY(plan->bandShown());
    QTest::mouseClick(window->button("CmdCombine"), Qt::LeftButton);
    QCOMPARE(p->CombinedCount, 1);
    QCOMPARE(plan->labelText(1), QStringLiteral("C1"));

    pressLabel(plan, 1, Qt::RightButton);
    QVERIFY(window->combinedPopup()->isVisible());
    QCOMPARE(window->combinedPopup()->label("LabCf1f2")->text(), QStringLiteral("C1, joints 1 and 2"));
    saveShot(window, QStringLiteral("plan_zoomed_combined.png"));
    QVERIFY(run->prompter.calls.empty());
  }

  void crowdedLabelsAreLeftOutUntilZoomedInAndCannotBePicked() {
    open(crowded());
    QCOMPARE(p->FootingCount, 8);
    auto shownLabels = [&] {
      std::vector<int> list;
      for (int s = 1; s <= p->FootingCount; ++s)
        if (plan->labelShown(s)) list.push_back(s);
      return list;
    };
    // Fitted, the row's labels overlap: the first is drawn, its neighbour not; the lone ones are.
    const int first = footingOf(*p, 1), second = footingOf(*p, 2);
    QVERIFY(plan->labelShown(first));
    QVERIFY(!plan->labelShown(second));
    QVERIFY(plan->labelShown(footingOf(*p, 7)) && plan->labelShown(footingOf(*p, 8)));
    QCOMPARE(plan->labelText(second), QStringLiteral("F1"));  // the text stays; only the view leaves it out
    // No two drawn labels overlap, and every label left out overlaps one that is drawn.
    for (int a : shownLabels())
      for (int b : shownLabels())
        if (a != b) QVERIFY(!plan->labelRect(a).intersects(plan->labelRect(b)));
    for (int s = 1; s <= p->FootingCount; ++s) {
      if (plan->labelShown(s)) continue;
      bool covered = false;
      for (int a : shownLabels()) covered |= plan->labelRect(a).intersects(plan->labelRect(s));
      QVERIFY(covered);
    }
    // Pressed where its text would be, the hidden label is not picked (its drawn neighbour may be).
    QVERIFY(plan->labelAt(labelPoint(plan, second)) != second);
    pressLabel(plan, second, Qt::LeftButton);
    QVERIFY(plan->selectedFooting() != second);
    saveShot(window, QStringLiteral("plan_crowded_fitted.png"));

    // Zoomed in on the row and the row dragged into the middle, every label there is drawn and picked.
    plan->zoomAt(centreOf(footingOf(*p, 3)), 40);
    QCOMPARE(plan->zoom(), plan->maxZoom());
    plan->panBy(QPointF(plan->width() / 2.0, plan->height() / 2.0) - centreOf(footingOf(*p, 3)));
    QVERIFY(plan->rect().contains(labelPoint(plan, first)) && plan->rect().contains(labelPoint(plan, footingOf(*p, 6))));
    QCOMPARE(shownLabels().size(), std::size_t{8});
    pressLabel(plan, second, Qt::LeftButton);
    QCOMPARE(plan->selectedFooting(), second);
    saveShot(window, QStringLiteral("plan_crowded_zoomed.png"));

    // And left out again once fitted.
    plan->fitAll();
    QVERIFY(!plan->labelShown(second));
  }
};

QTEST_MAIN(PlanZoomTest)
#include "plan_zoom_test.moc"
