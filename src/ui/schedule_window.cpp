// The footing schedule window (placeholder until the schedule grid arrives).
#include "ui/schedule_window.h"

namespace plintova {

ScheduleWindow::ScheduleWindow(Project& project, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), prompter_(prompter) {
  setWindowTitle("Footing Shedule");
}

ScheduleWindow::~ScheduleWindow() = default;

void ScheduleWindow::rebuildRows() {}

}  // namespace plintova
