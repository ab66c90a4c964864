// The footing schedule window: one line per designed group, with the depth, pedestal and bar edits.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "design/schedule.h"
#include "project/plan_editor.h"
#include "ui/dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace plintova {

struct Project;
class Prompter;

// The schedule as a grid of labels and text boxes at fixed places (twips, shown at 15 per pixel).
// Element 0 of every column is the header line; element r (1..DesignGroupCount) is schedule row r.
// The header stays put while the rows scroll beneath it. Every control is named after its column and
// row ("LabF1_0", "TxtDepth_3", ...) so that tests and tools can find it. Edits are decisions of the
// engineer, committed through the plan editor; the window shows every change the editor announces (its
// own edits among them), and when the plan changes after the design, it says the schedule is out of
// date and takes no edits until Design runs again.
class ScheduleWindow : public QWidget {
  Q_OBJECT
 public:
  ScheduleWindow(PlanEditor& editor, QWidget* parent = nullptr);
  ~ScheduleWindow() override;

  // Rebuilds the rows from the design groups of the latest Design command (rows 1..DesignGroupCount):
  // the rows of an earlier run are removed first, and the depth, pedestal and diameter header boxes
  // give way to their plain header labels.
  void rebuildRows();
  // Shows the schedule as the model holds it now: the rows' texts (rebuilt when their number changed)
  // and whether it is out of date.
  void refresh();
  // Shows whether the schedule is out of date and the plan's checks, leaving the rows' texts as they
  // are: what a change of the plan needs, since it never redesigns the rows. Touches the rows only when
  // the state changes.
  void refreshState();
  bool showsOutOfDate() const;

  // Number of schedule rows shown.
  int rowCount() const { return static_cast<int>(rows_.size()) - 1; }
  // The control of `column` in row `row` (0 = header); null outside the rows shown.
  QWidget* cell(int row, int column) const;
  QString cellText(int row, int column) const;

  QPushButton* excelButton() const { return excel_; }
  QPushButton* printButton() const { return print_; }
  QPushButton* reportButton() const { return report_; }
  QPushButton* exitButton() const { return exit_; }
  QScrollArea* rowArea() const { return area_; }
  QLabel* outOfDateLabel() const { return stale_; }
  QLabel* checksLabel() const { return checks_; }

  // The file, spreadsheet and print dialogs; Qt's unless replaced (tests script them). They must outlive
  // the window.
  void setDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }

 signals:
  // "Exit": the program closes the same way as the main window's close (the layout file is written).
  void exitRequested();
  // A line for the status bar (a file written).
  void notice(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  using RowControls = std::array<QWidget*, kScheduleColumns>;

  // The header line: the column headings over their units and the headings over several columns.
  void buildHeader();
  // Excel, Print, Report and Exit, in the header band.
  void buildButtons();
  // Below the rows, where they never hide a header, a button or a row: the "out of date" line and the
  // rows that fail a check.
  QWidget* buildNotes();
  RowControls makeControls(QWidget* parent, int row, int top);
  void removeRows();
  void showRow(int row);
  void setCellText(int row, int column, const std::string& text);
  void labelClicked(int row, int column);
  void footingRowClicked(int row, const FootingRow& footingRow, int column);
  void editEntered(int row, int column, QLineEdit* edit);
  void editRestored(int row, int column, QLineEdit* edit);
  void showStale();
  void markFailedChecks(int row, const std::vector<CodeCheck>& checks);
  void showCheckSummary();

  PlanEditor& editor_;
  Project& project_;
  Prompter& prompter_;
  Dialogs* dialogs_ = &desktopDialogs();

  QWidget* header_ = nullptr;  // the fixed header line and the buttons, moving with the horizontal scroll
  QScrollArea* area_ = nullptr;
  QWidget* canvas_ = nullptr;  // the rows
  QPushButton* excel_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* report_ = nullptr;
  QPushButton* exit_ = nullptr;
  QLabel* stale_ = nullptr;
  bool shownStale_ = false;  // the state the rows were last shown in
  QLabel* checks_ = nullptr;             // which rows fail an IS 456 check
  QLabel* footingRowsHeading_ = nullptr;  // above the rows of hand-resized and combined footings
  std::vector<RowControls> rows_;  // rows_[0] is the header line
  PlanEditor::Subscription subscription_;
};

}  // namespace plintova
