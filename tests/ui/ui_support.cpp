// Helpers of the window tests: generated listings in temporary folders, loaded main windows, presses on
// footing labels, selection windows, wheel turns and window pictures.
#include "ui_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/recovery.h"

namespace plintova::windowtest {

std::string listingText(const std::vector<Support>& supports) {
  std::string out = "  GENERATED FRAME                                     -- PAGE NO.    1\n\n";
  int echo = 0;
  auto line = [&](const std::string& s) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%6d. ", ++echo);
    out += buf + s + "\n";
  };
  line("STAAD SPACE GENERATED");
  line("UNIT METER KN");
  line("JOINT COORDINATES");
  // Every support joint with the top of its column 3 m above; the tops are numbered from 1001.
  for (const Support& s : supports) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%d %g 0 %g; %d %g 3 %g;", s.joint, s.x, s.z, 1000 + s.joint, s.x, s.z);
    line(buf);
  }
  line("MEMBER INCIDENCES");
  int member = 0;
  for (const Support& s : supports) line(std::to_string(++member) + " " + std::to_string(s.joint) + " " +
                                         std::to_string(1000 + s.joint) + ";");
  line("SUPPORTS");
  line("PERFORM ANALYSIS");
  out += "\n  SUPPORT REACTIONS -UNIT KN   METE     STRUCTURE TYPE = SPACE\n  -----------------\n\n";
  out += "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z\n\n";
  for (const Support& s : supports) {
    for (std::size_t c = 0; c < s.cases.size(); ++c) {
      char buf[160];
      const std::string joint = c == 0 ? std::to_string(s.joint) : "";
      std::snprintf(buf, sizeof buf, "%7s%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f\n", joint.c_str(),
                    static_cast<int>(c + 1), 0.0, s.cases[c][0], 0.0, s.cases[c][1], 0.0, s.cases[c][2]);
      out += buf;
    }
    out += "\n";
  }
  out += " ************** END OF LATEST ANALYSIS RESULT **************\n\n";
  line("START CONCRETE DESIGN");
  line("CODE INDIAN");
  line("UNIT MMS NEWTON");
  line("FYMAIN 415 ALL");
  line("FC 25 ALL");
  line("DESIGN COLUMN 1 TO " + std::to_string(member));
  for (int m = 1; m <= member; ++m) {
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "                  C O L U M N   N O.  %3d  D E S I G N   R E S U L T S\n\n"
                  "      LENGTH:  3000.0 mm  CROSS SECTION:  450.0 mm X  300.0 mm  COVER: 40.0 mm\n\n",
                  m);
    out += buf;
  }
  line("END CONCRETE DESIGN");
  line("FINISH");
  return out;
}

std::string Folder::path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }

std::string Folder::copy(const std::string& source, const std::string& name) const {
  const std::string target = path(name);
  QFile::remove(QString::fromStdString(target));
  QFile::copy(QString::fromStdString(source), QString::fromStdString(target));
  return target;
}

std::string Folder::write(const std::string& name, const std::string& text) const {
  const std::string target = path(name);
  std::ofstream(target, std::ios::binary) << text;
  return target;
}

PlanView* OpenPlan::plan() const { return window->plan(); }

std::unique_ptr<OpenPlan> openPlan(const std::string& listing, const char* sbc, const char* depth) {
  auto r = std::make_unique<OpenPlan>();
  readListing(*r->project, listing, r->prompter);
  acceptDesignInputs(*r->project, depth, sbc);
  r->window = std::make_unique<MainWindow>(*r->project, r->prompter);
  r->window->setDialogs(r->dialogs);
  r->window->load();
  // A desktop-sized window, whatever the size of the offscreen screen.
  r->window->resize(1400, 860);
  if (!QTest::qWaitForWindowExposed(r->window.get())) qWarning("main window not exposed");
  return r;
}

int footingOf(const Project& p, int joint) {
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].JointNo == joint) return s;
  return 0;
}

QPoint labelPoint(const PlanView* plan, int s) { return plan->labelRect(s).center().toPoint(); }

void pressLabel(PlanView* plan, int s, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QTest::mouseClick(plan, button, modifiers, labelPoint(plan, s));
}

void dragWindow(PlanView* plan, double x1, double z1, double x2, double z2) {
  const QPoint a = plan->toPixels(x1, z1).toPoint(), b = plan->toPixels(x2, z2).toPoint();
  QTest::mousePress(plan, Qt::LeftButton, Qt::NoModifier, a);
  const QPoint mid = (a + b) / 2;
  for (QPoint p : {mid, b}) {
    QMouseEvent move(QEvent::MouseMove, p, plan->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(plan, &move);
  }
  QTest::mouseRelease(plan, Qt::LeftButton, Qt::NoModifier, b);
}

void turnWheel(QWidget* top, QPoint at, int delta) { turnWheel(top, at, delta, Qt::NoModifier); }

void turnWheel(QWidget* top, QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
  QWidget* target = top->childAt(at);
  if (!target) target = top;
  const QPoint local = target->mapFrom(top, at);
  QWheelEvent event(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

void dragMiddle(PlanView* plan, QPoint from, QPoint to) {
  QTest::mousePress(plan, Qt::MiddleButton, Qt::NoModifier, from);
  for (QPoint p : {(from + to) / 2, to}) {
    QMouseEvent move(QEvent::MouseMove, p, plan->mapToGlobal(p), Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(plan, &move);
  }
  QTest::mouseRelease(plan, Qt::MiddleButton, Qt::NoModifier, to);
}

QString shotPath(const QString& name) {
  const QString dir = QStringLiteral(PLINTOVA_BUILD_DIR "/shots");
  QDir().mkpath(dir);
  return dir + QLatin1Char('/') + name;
}

QString saveShot(QWidget* window, const QString& name) {
  const QString file = shotPath(name);
  window->grab().save(file);
  return file;
}

QString saveDeskShot(const std::vector<QWidget*>& windows, const QString& name) {
  // The windows as they stand on the screen, the first one under the others.
  QRect all;
  for (QWidget* w : windows)
    if (w && w->isVisible()) all = all.united(w->frameGeometry());
  QPixmap desk(all.size());
  desk.fill(Qt::darkGray);
  QPainter painter(&desk);
  for (QWidget* w : windows) {
    if (!w || !w->isVisible()) continue;
    const QPoint at = w->mapToGlobal(QPoint(0, 0)) - all.topLeft();
    painter.drawPixmap(at, w->grab());
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRect(at, w->size()).adjusted(0, 0, -1, -1));
  }
  painter.end();
  const QString file = shotPath(name);
  desk.save(file);
  return file;
}

void clearRecoveryCopies() {
  for (const std::string& copy : recoveryCopies()) deleteRecoveryCopy(copy);
}

bool recoveryWritten(MainWindow& w) {
  return QTest::qWaitFor([&w] { return !w.recoveryWriter().pending(); }, 30000);
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace plintova::windowtest
