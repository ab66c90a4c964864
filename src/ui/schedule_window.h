// The footing schedule window: one line per designed group, with the depth, pedestal and bar edits.
#pragma once

#include <QWidget>

namespace plintova {

struct Project;
class Prompter;

class ScheduleWindow : public QWidget {
  Q_OBJECT
 public:
  ScheduleWindow(Project& project, Prompter& prompter, QWidget* parent = nullptr);
  ~ScheduleWindow() override;

  // Rebuilds the rows from the design groups of the latest Design command (rows 1..DesignGroupCount).
  void rebuildRows();

 signals:
  // "Exit": the program closes the same way as the main window's close (the layout file is written).
  void exitRequested();

 private:
  Project& project_;
  Prompter& prompter_;
};

}  // namespace plintova
