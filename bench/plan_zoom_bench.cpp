// Benchmark: zooming and dragging the main window's plan of a full-capacity listing (make_listing's),
// each step with its repaint, and the wheel resize on the zoomed plan.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "draw/plan_layout.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/project.h"
#include "model/prompter.h"
#include "render/render_qt.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"

using namespace plintova;

namespace {

template <class F>
double millisecondsPerRun(int runs, F&& work) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) work(i);
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / runs;
}

void wheel(QWidget* target, QPointF at, int delta, Qt::KeyboardModifiers modifiers) {
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

void mouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: plan_zoom_bench LISTING.ANL [STEPS PICTURE.png]   (write a listing with make_listing)\n"
                         "  with STEPS and PICTURE, also saves the window zoomed in STEPS steps on the middle\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  auto project = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListing(*project, argv[1], prompter);
  acceptDesignInputs(*project, "1.5", "200");
  MainWindow window(*project, prompter);
  window.load();
  window.resize(1400, 860);
  window.show();
  QApplication::processEvents();
  PlanView* plan = window.plan();
  std::printf("footings %d, primitives %zu, plan %dx%d, largest zoom %.1f (%d steps)\n", project->FootingCount,
              plan->primitives().size(), plan->width(), plan->height(), plan->maxZoom(),
              static_cast<int>(std::ceil(std::log(plan->maxZoom()) / std::log(PlanView::kZoomStep))));

  if (argc == 4) {
    // The picture of the plan as loaded, zoomed in on its middle.
    for (int i = 0; i < std::atoi(argv[2]); ++i) plan->zoomIn();
    if (!window.grab().save(QString::fromLocal8Bit(argv[3]))) {
      std::fprintf(stderr, "%s could not be written\n", argv[3]);
      return 1;
    }
    plan->fitAll();
  }

  const QPointF middle(plan->width() / 2.0, plan->height() / 2.0);
  const double fitted = millisecondsPerRun(50, [&](int) { plan->repaint(); });

  // Ctrl+wheel: all the way in and out again about the middle of the picture, one notch a step.
  int steps = 0;
  const double zoomIn = millisecondsPerRun(1, [&](int) {
    while (plan->zoom() < plan->maxZoom()) {
      wheel(plan, middle, 120, Qt::ControlModifier);
      plan->repaint();
      ++steps;
    }
  }) / std::max(steps, 1);
  const double deepest = millisecondsPerRun(50, [&](int) { plan->repaint(); });
  int outSteps = 0;
  const double zoomOut = millisecondsPerRun(1, [&](int) {
    while (plan->zoom() > 1) {
      wheel(plan, middle, -120, Qt::ControlModifier);
      plan->repaint();
      ++outSteps;
    }
  }) / std::max(outSteps, 1);

  // A middle-button drag at 4 steps in: one move of 7 pixels back and forth, each with its repaint.
  for (int i = 0; i < 4; ++i) plan->zoomIn();
  mouse(plan, QEvent::MouseButtonPress, middle, Qt::MiddleButton, Qt::MiddleButton);
  const double drag = millisecondsPerRun(200, [&](int i) {
    mouse(plan, QEvent::MouseMove, middle + QPointF(i % 2 ? 0 : 7, 0), Qt::NoButton, Qt::MiddleButton);
    plan->repaint();
  });
  mouse(plan, QEvent::MouseButtonRelease, middle, Qt::MiddleButton, Qt::NoButton);

  // The label choice alone, fitted.
  plan->fitAll();
  const double legible = millisecondsPerRun(50, [&](int) {
    (void)draw::legibleLabels(plan->primitives(), draw::textMeasure(plan, plan->viewport()));
  });
  int drawn = 0;
  for (int s = 1; s <= project->FootingCount; ++s) drawn += plan->labelShown(s);

  // The wheel resize on the zoomed plan: a footing near the middle picked, then notches down and up.
  for (int i = 0; i < 6; ++i) plan->zoomIn();
  int picked = 0;
  for (int s = 1; s <= project->FootingCount && !picked; ++s) {
    const QRectF r = plan->labelRect(s);
    if (plan->labelShown(s) && plan->rect().contains(r.toRect())) picked = s;
  }
  mouse(plan, QEvent::MouseButtonPress, plan->labelRect(picked).center(), Qt::LeftButton, Qt::LeftButton);
  mouse(plan, QEvent::MouseButtonRelease, plan->labelRect(picked).center(), Qt::LeftButton, Qt::NoButton);
  QLineEdit* box = plan->numberBox();
  const double resize = millisecondsPerRun(100, [&](int i) {
    wheel(box, box->rect().center(), i % 2 ? 120 : -120, Qt::NoModifier);
    plan->repaint();
  });

  std::printf("repaint, fitted (%d of %d labels drawn):   %7.2f ms\n", drawn, project->FootingCount, fitted);
  std::printf("repaint, zoomed in fully:                %7.2f ms\n", deepest);
  std::printf("Ctrl+wheel step in, with repaint:        %7.2f ms (%d steps)\n", zoomIn, steps);
  std::printf("Ctrl+wheel step out, with repaint:       %7.2f ms (%d steps)\n", zoomOut, outSteps);
  std::printf("middle-drag move, with repaint:          %7.2f ms\n", drag);
  std::printf("choice of the drawn labels alone:        %7.2f ms\n", legible);
  std::printf("wheel resize of footing %d, zoomed in:   %7.2f ms\n", picked, resize);
  return picked && plan->selectedFooting() == picked ? 0 : 1;
}
