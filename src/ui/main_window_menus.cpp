// The main window's menu bar and shortcuts: File, Edit (undo and redo), View, Design and Help, and the
// commands reached from the plan that issue the drawing (print, preview, PDF, DXF, its title block),
// the workbook and the calculation report.
#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "model/project.h"
#include "model/prompter.h"
#include "ui/design_options_dialog.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"
#include "ui/sheet_actions.h"
#include "ui/sheet_dialog.h"

namespace plintova {

namespace {

constexpr int kNoticeTimeout = 8000;  // ms a notice stays in the status bar

QAction* menuEntry(QMenu* menu, const char* name, const QString& text, const QKeySequence& key = {}) {
  QAction* a = menu->addAction(text);
  a->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

// A menu entry that mirrors one of the plan's display check boxes both ways.
void mirror(QMenu* menu, const char* name, QCheckBox* box) {
  QAction* a = menuEntry(menu, name, box->text().trimmed());
  a->setCheckable(true);
  a->setChecked(box->isChecked());
  QObject::connect(a, &QAction::triggered, box, [box](bool) { box->click(); });
  QObject::connect(box, &QCheckBox::toggled, a, &QAction::setChecked);
}

}  // namespace

QAction* MainWindow::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MenuBar"));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  connect(menuEntry(file, "ActOpenListing", QStringLiteral("&Open listing…"), QKeySequence::Open),
          &QAction::triggered, this, [this] { openListingCommand(); });
  connect(menuEntry(file, "ActOpenProject", QStringLiteral("Open &project…")), &QAction::triggered, this,
          [this] { openProjectCommand(); });
  recentMenu_ = file->addMenu(QStringLiteral("Open &recent"));
  recentMenu_->setObjectName(QStringLiteral("MenuRecent"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
  file->addSeparator();
  connect(menuEntry(file, "ActSave", QStringLiteral("&Save"), QKeySequence::Save), &QAction::triggered, this,
          [this] { save(); });
  connect(menuEntry(file, "ActSaveAs", QStringLiteral("Save &As…"), QKeySequence::SaveAs), &QAction::triggered,
          this, [this] { saveAs(); });
  file->addSeparator();
  // The footing drawing: its title block, then the sheets on screen, on paper, in PDF and in DXF.
  connect(menuEntry(file, "ActSheetSettings", QStringLiteral("Drawing s&heet…")), &QAction::triggered, this,
          &MainWindow::editSheetSettings);
  connect(menuEntry(file, "ActPrintPreview", QStringLiteral("Print pre&view…"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)),
          &QAction::triggered, this, &MainWindow::previewDrawing);
  connect(menuEntry(file, "ActPrint", QStringLiteral("&Print…"), QKeySequence::Print), &QAction::triggered, this,
          &MainWindow::printDrawing);
  connect(menuEntry(file, "ActExportPdf", QStringLiteral("Export P&DF…"), QKeySequence(Qt::CTRL | Qt::Key_E)),
          &QAction::triggered, this, &MainWindow::exportPdf);
  connect(menuEntry(file, "ActExportDxf", QStringLiteral("Export D&XF…"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)),
          &QAction::triggered, this, &MainWindow::exportDxf);
  file->addSeparator();
  connect(menuEntry(file, "ActExportWorkbook", QStringLiteral("Export &workbook…")), &QAction::triggered, this,
          &MainWindow::exportWorkbookFromPlan);
  connect(menuEntry(file, "ActReport", QStringLiteral("Cal&culation report…"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)),
          &QAction::triggered, this, &MainWindow::exportReportFromPlan);
  file->addSeparator();
  QAction* quit = menuEntry(file, "ActQuit", QStringLiteral("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setMenuRole(QAction::QuitRole);
  connect(quit, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  QAction* undo = menuEntry(edit, "ActUndo", QStringLiteral("&Undo"));
  undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
  connect(undo, &QAction::triggered, this, [this] { editor_.undo(); });
  QAction* redo = menuEntry(edit, "ActRedo", QStringLiteral("&Redo"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(redo, &QAction::triggered, this, [this] { editor_.redo(); });

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  connect(menuEntry(view, "ActZoomIn", QStringLiteral("Zoom &in"), QKeySequence::ZoomIn), &QAction::triggered,
          plan_, &PlanView::zoomIn);
  connect(menuEntry(view, "ActZoomOut", QStringLiteral("Zoom &out"), QKeySequence::ZoomOut), &QAction::triggered,
          plan_, &PlanView::zoomOut);
  // F fits on the plan itself; here it is named so that it can be found.
  connect(menuEntry(view, "ActFit", QStringLiteral("&Fit\tF")), &QAction::triggered, plan_, &PlanView::fitAll);
  view->addSeparator();
  mirror(view, "ActGrid", chkGrid_);
  mirror(view, "ActSize", chkSize_);
  mirror(view, "ActFootingNos", chkFNos_);
  mirror(view, "ActGroupNos", chkGrpNos_);
  mirror(view, "ActGap", chkGap_);
  mirror(view, "ActActualSizes", chkOsize_);

  QMenu* design = bar->addMenu(QStringLiteral("&Design"));
  connect(menuEntry(design, "ActDesign", QStringLiteral("&Design")), &QAction::triggered, this,
          &MainWindow::cmdDesign);
  connect(menuEntry(design, "ActRefresh", QStringLiteral("&Refresh")), &QAction::triggered, this,
          &MainWindow::cmdReset);
  connect(menuEntry(design, "ActColumnOffsets", QStringLiteral("&Column offsets…")), &QAction::triggered, this,
          &MainWindow::openColumnWindow);
  connect(menuEntry(design, "ActDesignOptions", QStringLiteral("Design &options…")), &QAction::triggered, this,
          &MainWindow::editDesignOptions);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  connect(menuEntry(help, "ActGestures", QStringLiteral("&Mouse and keyboard")), &QAction::triggered, this,
          &MainWindow::showGestures);
  QAction* about = menuEntry(help, "ActAbout", QStringLiteral("&About Plintova"));
  about->setMenuRole(QAction::AboutRole);
  connect(about, &QAction::triggered, this, &MainWindow::showAbout);

  updateEditActions();
}

void MainWindow::updateEditActions() {
  QAction* undo = action("ActUndo");
  QAction* redo = action("ActRedo");
  if (!undo || !redo) return;
  undo->setEnabled(editor_.canUndo());
  undo->setText(editor_.canUndo() ? QStringLiteral("&Undo %1").arg(QString::fromStdString(editor_.undoAction()))
                                  : QStringLiteral("&Undo"));
  redo->setEnabled(editor_.canRedo());
  redo->setText(editor_.canRedo() ? QStringLiteral("&Redo %1").arg(QString::fromStdString(editor_.redoAction()))
                                  : QStringLiteral("&Redo"));
  setWindowModified(editor_.modified());
}

void MainWindow::showGestures() {
  prompter_.message(
      "On the plan\n"
      "  Left-click a footing's label: select it (its number box and size appear).\n"
      "  Wheel over the number box: lengthen or shorten the selected footing by 0.05 m (a combined "
      "footing by 0.1 m); it becomes rectangular (R). Quick notches on one footing undo as one step.\n"
      "  Right-click a label: the footing's pressures by load case, or the combined footing's sizes.\n"
      "  Drag on empty paper: a selection window; \"Combine\" joins the two footings inside it.\n"
      "  Shift+Delete: the selected hand-resized footing square again, or its combined footing dissolved.\n"
      "  Esc: end the selection and close the detail popups (Esc on a popup closes it).\n"
      "  \"Disable\" (blinking): a click on a label disables or enables the footing.\n"
      "  Ctrl+wheel: zoom about the pointer.  Middle-drag: pan.  F: fit the whole plan.\n"
      "\n"
      "Size groups (below the plan)\n"
      "  Tick: the size takes footings.  Shift+click the size: 0.05 m smaller (wraps above the base size).\n"
      "  Click the count: list the group's footings.\n"
      "\n"
      "Column offsets window\n"
      "  Click a marker, then the arrow keys or Home: offset the footing under its column by a step,\n"
      "  or type its offset in mm along X and Z in the panel and press Enter.\n"
      "  Page Up / Page Down: the storey above or below.  Shift+Delete: every footing back under its column.\n"
      "\n"
      "Schedule\n"
      "  Type a depth or pedestal and press Enter (Esc or leaving the box restores it); click Dia for the next bar.\n"
      "\n"
      "Ctrl+Z undo, Ctrl+Shift+Z or Ctrl+Y redo, Ctrl+S save, Ctrl+O open a listing.\n"
      "The drawing: Ctrl+P print, Ctrl+Shift+P print preview, Ctrl+E export PDF, Ctrl+Shift+E export DXF.\n"
      "Ctrl+Shift+R the calculation report.",
      "Mouse and keyboard");
}

void MainWindow::showAbout() {
  prompter_.message(std::string(kProgramName) + " " + PLINTOVA_VERSION +
                        "\n\nFootings for framed buildings from the analysis listing: sizing, grouping, combined "
                        "footings, design to IS 456:2000, schedule, workbook and printed plan."
                        "\n\nFree software under the GNU General Public License, version 3 or (at your option) "
                        "any later version (GPL-3.0-or-later). It comes with no warranty.",
                    std::string("About ") + kProgramName);
}

void MainWindow::exportWorkbookFromPlan() {
  // The workbook collects each schedule row's footings by mark: it needs a schedule of this plan.
  if (!project_.scheduleDesigned || project_.scheduleStale) {
    prompter_.message(project_.scheduleDesigned
                          ? "The schedule is out of date: the plan changed after it was designed. Press Design first."
                          : "There is no schedule yet: press Design first.");
    return;
  }
  exportWorkbook(project_, prompter_, *dialogs_, this);
}

void MainWindow::printDrawing() {
  if (plintova::printDrawing(editor_, *dialogs_, this) == SheetResult::Done)
    statusBar()->showMessage(QStringLiteral("The drawing was sent to the printer"), kNoticeTimeout);
}

void MainWindow::previewDrawing() { plintova::previewDrawing(editor_, *dialogs_, this); }

void MainWindow::exportPdf() {
  std::string path;
  if (exportDrawingPdf(editor_, *dialogs_, this, &path) == SheetResult::Done)
    statusBar()->showMessage(QStringLiteral("The drawing was written to %1").arg(QString::fromStdString(path)),
                             kNoticeTimeout);
}

void MainWindow::exportDxf() {
  std::string path;
  if (exportDrawingDxf(editor_, *dialogs_, this, &path) == SheetResult::Done)
    statusBar()->showMessage(QStringLiteral("The drawing was written to %1").arg(QString::fromStdString(path)),
                             kNoticeTimeout);
}

void MainWindow::exportReportFromPlan() {
  std::string path;
  if (exportReport(editor_, *dialogs_, this, &path) == SheetResult::Done)
    statusBar()->showMessage(
        QStringLiteral("The calculation report was written to %1").arg(QString::fromStdString(path)), kNoticeTimeout);
}

void MainWindow::editDesignOptions() {
  DesignOptionsDialog dialog(project_.decisions.options, prompter_, this);
  if (!dialogs_->editDesignOptions(dialog)) return;  // Cancel changes nothing
  Decisions next = project_.decisions;
  next.options = dialog.options();
  commit(next, "Change the design options");
}

void MainWindow::editSheetSettings() {
  SheetSettingsDialog dialog(project_.decisions.sheet, this);
  if (!dialogs_->editSheet(dialog)) return;  // Cancel changes nothing
  editor_.setSheetSettings(dialog.settings());
}

}  // namespace plintova
