// Benchmark: one mouse-wheel notch on a plan of 500 footings (resize, group reassignment, redraw and
// repaint of the main window's plan), and a plain redraw of that plan.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/project.h"
#include "model/prompter.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"

using namespace plintova;

namespace {

// 25 x 20 columns at 5 m by 4 m, loads varying so that the footings fall into several sizes, one
// column of a storey above each support; two load cases per support.
std::string listing() {
  std::string out;
  int echo = 0;
  auto line = [&](const std::string& s) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%6d. ", ++echo);
    out += buf + s + "\n";
  };
  line("STAAD SPACE BENCH");
  line("UNIT METER KN");
  line("JOINT COORDINATES");
  const int nx = 25, nz = 20, n = nx * nz;
  for (int j = 0; j < nz; ++j)
    for (int i = 0; i < nx; ++i) {
      const int s = j * nx + i + 1;
      char buf[128];
      std::snprintf(buf, sizeof buf, "%d %d 0 %d; %d %d 3 %d;", s, i * 5, j * 4, s + n, i * 5, j * 4);
      line(buf);
    }
  line("MEMBER INCIDENCES");
  for (int s = 1; s <= n; ++s) line(std::to_string(s) + " " + std::to_string(s) + " " + std::to_string(s + n) + ";");
  line("PERFORM ANALYSIS");
  out += "  SUPPORT REACTIONS -UNIT KN   METE\n\n";
  out += "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z\n\n";
  for (int s = 1; s <= n; ++s) {
    char buf[256];
    const double fy = 350 + (s * 37) % 700;
    std::snprintf(buf, sizeof buf, "%7d%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f\n%7s%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f\n",
                  s, 1, 0.0, fy, 0.0, 5.0, 0.0, -4.0, "", 2, 0.0, fy * 0.8, 0.0, 30.0, 0.0, 25.0);
    out += buf;
  }
  out += " ************** END OF LATEST ANALYSIS RESULT **************\n";
  line("START CONCRETE DESIGN");
  line("UNIT MMS NEWTON");
  line("FYMAIN 415 ALL");
  line("FC 25 ALL");
  line("FINISH");
  return out;
}

// The median of `runs` runs of `work`, in ms: one slow run (a page fault, another process) moves it little.
template <class F>
double medianMilliseconds(int runs, F&& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work(i);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[static_cast<std::size_t>(runs / 2)];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  auto project = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListingText(*project, listing(), "/nonexistent/BENCH.ANL", prompter);
  acceptDesignInputs(*project, "1.5", "200");

  MainWindow window(*project, prompter);
  window.load();
  window.resize(1600, 1000);
  QApplication::processEvents();
  PlanView* plan = window.plan();
  std::printf("footings %d, size groups %d, primitives %zu, messages %zu\n", project->FootingCount,
              project->SizeGroupCount, plan->primitives().size(), prompter.calls.size());

  // Pick footing 263 (in the middle of the plan) by pressing its label.
  const int s = 263;
  const QPointF at = plan->labelRect(s).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, plan->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(plan, &press);
  QLineEdit* box = plan->numberBox();
  if (!box->isVisible() || plan->selectedFooting() != s) {
    std::puts("the footing label could not be picked");
    return 1;
  }

  const int runs = 200;
  const auto notch = [&](int i) {
    // Down then up, so that the footing keeps a sensible size over the runs.
    const QPoint centre = box->rect().center();
    QWheelEvent event(centre, box->mapToGlobal(centre), QPoint(), QPoint(0, i % 2 ? 120 : -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &event);
    plan->repaint();
  };
  const double wheel = medianMilliseconds(runs, notch);
  const double redraw = medianMilliseconds(runs, [&](int) {
    window.redrawPlan();
    plan->repaint();
  });
  // The schedule designed and its window open: every notch makes it out of date.
  window.cmdDesign();
  QApplication::processEvents();
  const double withSchedule = medianMilliseconds(runs, notch);
  std::printf("wheel notch (resize, reassign, redraw, repaint), median: %.2f ms\n", wheel);
  std::printf("the same with the schedule window open, median:         %.2f ms (%d rows)\n", withSchedule,
              window.scheduleWindow()->rowCount());
  std::printf("plain redraw and repaint, median:                       %.2f ms\n", redraw);
  std::printf("footing %d now %s\n", s, plan->sizeLabel()->text().toStdString().c_str());
  return 0;
}
