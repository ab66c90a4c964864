// The main window: the footing plan with its commands, display options and the row of size-group controls.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>
#include <memory>
#include <vector>

#include "draw/plan_layout.h"
#include "project/plan_editor.h"
#include "ui/dialogs.h"
#include "ui/recovery.h"
#include "ui/recovery_writer.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace plintova {

struct Project;
class Prompter;
class PlanView;
class FootingPopup;
class CombinedPopup;
class ScheduleWindow;
class ColumnWindow;
class SizeGroupRow;
struct SavedProject;
struct FormedPlan;

// Geometry of the window in pixels; the form is laid out in twips, at 15 twips per pixel.
namespace mainlayout {
constexpr int kPlanTop = 33;         // the plan starts 500 twips below the top
constexpr int kPlanHeightLess = 120;  // and is 1800 twips less high than the window (the size-group row below)
}  // namespace mainlayout

// Loading it runs the whole computation from the read listing to the drawn plan (load); closing it
// writes the layout file and ends the program (the `closed` signal). Messages and questions go through
// the Prompter given, so the window can be driven without a person. Every control carries an object
// name ("CmdCombine", "ChkGrid", "PicFoot", "LabW_3", ...) that tests and tools find it by.
//
// Every command builds the decisions it wants and commits them through the window's PlanEditor; the
// editor derives the plan (and the schedule) again and tells every view that subscribed to it: this
// window's refreshViews brings the plan, the group row, the popups and the status bar up to date, the
// schedule window and the column window show the change themselves.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(Project& project, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up: caption, show, footings placed and sized, grid lines, size groups and their controls,
  // assignment, the plan drawn, the window caption, and the layout file of an earlier run applied.
  // With a saved project, its decisions follow (its offsets win over the layout file's), then the
  // schedule is designed when it had been; what no longer applies is named in one message.
  // False when the listing cannot be designed (the reason was shown): the run ends.
  // A project restored from its recovery copy opens as not saved (projectPath empty).
  bool load(const SavedProject* saved = nullptr, const std::string& projectPath = {}, bool recovered = false);

  // The complete redraw of the plan for the ticked display options.
  void redrawPlan();
  draw::PlanOptions planOptions() const;

  // The commands behind the buttons.
  void cmdCombine();
  void cmdDesign();
  void openColumnWindow();
  void cmdReset();
  void cmdDisable();

  PlanEditor& editor() { return editor_; }
  bool disableMode() const { return disableMode_; }
  PlanView* plan() const { return plan_; }
  QPushButton* button(const char* name) const;
  QCheckBox* checkBox(const char* name) const;
  QLabel* captionLabel() const { return inputsLabel_; }
  QLabel* scheduleStateLabel() const { return scheduleState_; }
  // The group controls of size group g (1..group count); element 0 is the row heading.
  int groupControlCount() const;
  QLabel* groupSizeLabel(int g) const;
  QCheckBox* groupCheck(int g) const;
  QLabel* groupCountLabel(int g) const;
  FootingPopup* footingPopup() const { return footingPopup_; }
  CombinedPopup* combinedPopup() const { return combinedPopup_; }
  ScheduleWindow* scheduleWindow() const { return schedule_; }
  ColumnWindow* columnWindow() const;
  // The text the status bar shows now.
  QString statusText() const;
  QAction* action(const char* name) const;
  QString projectPath() const { return QString::fromStdString(projectPath_); }

  // File commands. Save writes the project file (asking for a name when there is none yet); false
  // when nothing was saved. maybeSave asks Save / Discard / Cancel when there are unsaved changes;
  // false means the engineer chose to stay (or saving failed).
  bool save();
  bool saveAs();
  bool maybeSave();
  // The footing drawing's sheets and the calculation report; each asks to design the schedule first
  // when it is missing or out of date.
  void exportPdf();
  void exportDxf();
  void exportReportFromPlan();
  void printDrawing();
  void previewDrawing();
  // The drawing sheet's title block, paper and north arrow: OK commits them as one undoable step.
  void editSheetSettings();
  // Design > Design options: the options dialog, its result committed as one undoable step.
  void editDesignOptions();
  void exportWorkbookFromPlan();
  // The dialogs of this window and of its schedule window (Qt's unless replaced; tests script them). They
  // must outlive the window.
  void setDialogs(Dialogs& dialogs);
  // Closes the window for another listing or project: the layout file is written as on close, nothing
  // is asked (the question came before) and `closed` is not emitted.
  void closeForReplacement();
  // The recovery copy written a short while after every change, or "" when the plan has none.
  std::string recoveryPath() const;
  // The writer of the recovery copy (whether changes wait to be written, how many copies were written).
  RecoveryWriter& recoveryWriter() { return recoveryWriter_; }

 signals:
  // The window was closed and the layout file written: the program ends.
  void closed();
  // The engineer asked for another listing or project (after the unsaved-changes question).
  void openListingRequested(const QString& path);
  void openProjectRequested(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildTopBar();
  void buildMenus();
  void updateEditActions();
  void showGestures();
  void showAbout();
  // Schedules the recovery copy after a change (or removes it when nothing is left to recover).
  void writeRecovery();
  RecoverySnapshot recoverySnapshot() const;
  void removeRecovery();
  void finishClose();
  void reportLayoutNotApplied(const std::string& why);
  void reportSavedOpening(const SavedProject& saved, const FormedPlan& formed, const std::string& projectPath);
  void openListingCommand();
  void openProjectCommand(const std::string& path = {});
  void rememberRecent(const std::string& path);
  void fillRecentMenu();
  int layoutTopBar(int width);
  void layoutControls();
  // The group controls (again) for the number of size groups.
  void createGroupControls();
  void refreshGroupCaptions();
  void refreshViews(const Change& change);
  void refreshPopups();
  // The status bar's note that the designed schedule no longer holds for the plan.
  void showScheduleState();
  void placeToolWindow(QWidget* window);
  // A detail popup beside footing s, inside the plan, never over the schedule, on the screen.
  void placePopupBeside(QWidget* popup, int s);
  // The screen rectangle of footing s on the plan (with its label; a combined member: its combined footing).
  QRect footingOnScreen(int s) const;
  QSize frameSizeOf(QWidget* window) const;
  QRect availableScreen() const;
  bool commit(const Decisions& next, const std::string& action, const std::string& runKey = {});

  // Plan and group events.
  void labelPressed(int s, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void toggleFooting(int s);
  void showDetail(int s);
  void showSelection(int s);
  void planKey(int key, Qt::KeyboardModifiers modifiers);
  void wheelNotch(int direction);
  void numberBoxLeft();
  void groupCheckClicked(int g, bool checked);
  void groupSizePressed(int g, Qt::KeyboardModifiers modifiers);
  void groupCountClicked(int g);
  void footingNosClicked(bool checked);
  void groupNosClicked(bool checked);
  void blink();
  void columnSelectionChanged();
  void columnWindowClosed();

  Project& project_;
  Prompter& prompter_;
  PlanEditor editor_;
  PlanEditor::Subscription editorSubscription_;
  bool loaded_ = false;
  bool unloaded_ = false;
  // Why the layout file was not applied when it exists (it could not be read, or it was written for
  // another plan): it is then replaced on close only when the engineer agrees. Empty otherwise.
  std::string layoutKept_;
  RecoveryFile recovery_;          // the plan's recovery copy, held while the plan is open
  RecoveryWriter recoveryWriter_;  // writes it a short while after a change, off this thread
  bool replacing_ = false;         // closing for another listing or project
  std::string projectPath_;        // the project file saved or opened, "" while there is none
  Dialogs* dialogs_ = &desktopDialogs();
  QMenu* recentMenu_ = nullptr;

  QWidget* central_ = nullptr;
  QWidget* topBar_ = nullptr;
  std::vector<QWidget*> topItems_;  // commands and display options, in their order on the line
  QLabel* inputsLabel_ = nullptr;  // the grades, SBC and earth pressure in force
  QPushButton* cmdDisable_ = nullptr;
  QCheckBox* chkGrid_ = nullptr;
  QCheckBox* chkSize_ = nullptr;
  QCheckBox* chkFNos_ = nullptr;
  QCheckBox* chkGrpNos_ = nullptr;
  QCheckBox* chkGap_ = nullptr;
  QCheckBox* chkOsize_ = nullptr;
  PlanView* plan_ = nullptr;
  SizeGroupRow* groupRow_ = nullptr;

  bool disableMode_ = false;
  QString blinkText_;
  QTimer blinkTimer_;  // blinks "Disable" while the disable mode is on

  FootingPopup* footingPopup_ = nullptr;
  CombinedPopup* combinedPopup_ = nullptr;
  int footingPopupOf_ = 0;   // the footing the footing popup shows
  int combinedPopupOf_ = 0;  // the member footing whose combined footing the combined popup shows
  ScheduleWindow* schedule_ = nullptr;
  QLabel* scheduleState_ = nullptr;  // "Schedule out of date" in the status bar
  QPointer<ColumnWindow> column_;
};

}  // namespace plintova
