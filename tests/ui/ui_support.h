// Helpers of the window tests: generated listings in temporary folders, loaded main windows, presses on
// footing labels, selection windows, wheel turns and window pictures.
#pragma once

#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/project.h"
#include "model/prompter.h"
#include "ui/dialogs.h"

class QWidget;

namespace plintova {
class MainWindow;
class PlanView;
}  // namespace plintova

namespace plintova::windowtest {

// One support of a generated listing: joint number, plan position in metres and its load cases
// (FY, MX, MZ), numbered 1, 2, ... A column of 450 x 300 mm stands on every support.
struct Support {
  int joint = 0;
  double x = 0, z = 0;
  std::vector<std::array<double, 3>> cases;
};
std::string listingText(const std::vector<Support>& supports);

// A recording prompter that can also look at the windows while a message is "on the screen".
class WatchingPrompter : public RecordingPrompter {
 public:
  std::function<void(const std::string&)> onMessage;
  void message(const std::string& text, const std::string& title = {}, MessageIcon icon = MessageIcon::None) override {
    RecordingPrompter::message(text, title, icon);
    if (onMessage) onMessage(text);
  }
};

// A temporary folder for listings and their layout files.
class Folder {
 public:
  std::string path(const std::string& name) const;
  std::string copy(const std::string& source, const std::string& name) const;
  std::string write(const std::string& name, const std::string& text) const;
  void remove() { dir_.remove(); }

 private:
  QTemporaryDir dir_;
};

// A listing read, SBC and depth taken, and the main window loaded on it.
struct OpenPlan {
  std::unique_ptr<Project> project = std::make_unique<Project>();
  WatchingPrompter prompter;
  ScriptedDialogs dialogs;  // every dialog cancelled unless a test answers it
  std::unique_ptr<MainWindow> window;
  PlanView* plan() const;
};
std::unique_ptr<OpenPlan> openPlan(const std::string& listing, const char* sbc = "200", const char* depth = "1.5");

// The footing standing on a joint, 0 when none.
int footingOf(const Project& p, int joint);

// The pixel point in the middle of footing s's label, in the plan's coordinates.
QPoint labelPoint(const PlanView* plan, int s);
// Presses (and releases) a mouse button on footing s's label.
void pressLabel(PlanView* plan, int s, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Drags a selection window with the left button between two plan points (mm).
void dragWindow(PlanView* plan, double x1, double z1, double x2, double z2);
// Turns the wheel by `delta` (120 = one notch away from the engineer) with the pointer at a point of
// `top`; the event goes to the widget under the pointer, as the platform would send it.
void turnWheel(QWidget* top, QPoint at, int delta);
// The same with keys held (Ctrl to zoom the plan).
void turnWheel(QWidget* top, QPoint at, int delta, Qt::KeyboardModifiers modifiers);
// Drags with the middle button from one pixel point of the plan to another, through their midpoint.
void dragMiddle(PlanView* plan, QPoint from, QPoint to);

// Saves a picture of a window under the build folder's "shots" and returns its path.
// Where window pictures and printed pages go for a person to look at (build/shots/NAME).
QString shotPath(const QString& name);
QString saveShot(QWidget* window, const QString& name);
// Several windows as they stand on the screen (the first one lowest), in one picture.
QString saveDeskShot(const std::vector<QWidget*>& windows, const QString& name);

// Removes the recovery copies left by earlier runs, so that a run's start offers none.
void clearRecoveryCopies();

// Waits (without a limit on how soon) until the window's recovery copy holds every change made so far;
// false when it is still pending after a generous wait.
bool recoveryWritten(MainWindow& w);

// The bytes of a file ("" when it cannot be read).
std::string fileBytes(const std::string& path);

}  // namespace plintova::windowtest
