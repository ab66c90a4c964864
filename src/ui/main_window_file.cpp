// The main window's work with files: save and open projects, the question before work is left, the
// recovery copy written after every change, and the list of recent files.
#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>

#include "input/layout_file.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_opening.h"
#include "project/project_file.h"
#include "project/schedule_design.h"
#include "ui/export_actions.h"
#include "ui/main_window.h"
#include "ui/recovery.h"
#include "ui/schedule_window.h"

namespace plintova {

namespace {

constexpr int kRecentFiles = 10;  // File > Open recent keeps the last ten listings and projects
constexpr int kNoticeTimeout = 8000;

std::string fileName(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName().toStdString(); }

bool isProjectFile(const QString& path) { return path.endsWith(QStringLiteral(".plintova"), Qt::CaseInsensitive); }

}  // namespace

std::string MainWindow::recoveryPath() const { return recovery_.path(); }

bool MainWindow::save() {
  if (projectPath_.empty()) return saveAs();
  const std::string error = writeProjectFile(project_, projectPath_);
  if (!error.empty()) {
    prompter_.message(error + " The project was not saved.", {}, MessageIcon::Exclamation);
    return false;
  }
  editor_.markSaved();
  removeRecovery();  // the project file holds it all now
  rememberRecent(projectPath_);
  updateEditActions();
  statusBar()->showMessage(QStringLiteral("Saved %1").arg(QString::fromStdString(projectPath_)), kNoticeTimeout);
  return true;
}

bool MainWindow::saveAs() {
  std::string proposed = projectPath_;
  if (proposed.empty()) proposed = proposedBesideListing(project_.AnlPath, ".plintova");
  const std::string path = dialogs_->saveFile(this, FileToSave::Project, proposed);
  if (path.empty()) return false;
  const std::string previous = projectPath_;
  projectPath_ = path;
  if (!save()) {
    projectPath_ = previous;
    return false;
  }
  setWindowTitle(QString::fromStdString(projectPath_) + QStringLiteral("[*]"));
  return true;
}

bool MainWindow::maybeSave() {
  if (!loaded_ || unloaded_ || !editor_.modified()) return true;
  const std::string what = projectPath_.empty() ? "The plan of " + fileName(project_.AnlPath)
                                                : "The project " + fileName(projectPath_);
  switch (prompter_.askToSave(what + " has changes that are not saved. Save them?", "Unsaved changes")) {
    case SaveChoice::Save: return save();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: return false;
  }
  return false;
}

void MainWindow::writeRecovery() {
  if (!loaded_ || unloaded_ || project_.AnlPath.empty() || recovery_.path().empty()) return;
  if (!editor_.modified()) {
    // Nothing to recover: the saved project (or the plain listing) holds it all.
    removeRecovery();
    return;
  }
  recoveryWriter_.schedule();
}

RecoverySnapshot MainWindow::recoverySnapshot() const {
  // Taken when the writer's timer runs out: the plan may have gone back to its saved state meanwhile
  // (then the copy was removed and nothing is written).
  if (!loaded_ || unloaded_ || project_.AnlPath.empty() || !editor_.modified()) return {};
  return recovery_.snapshot(project_);
}

void MainWindow::removeRecovery() {
  recoveryWriter_.cancel();
  recovery_.remove();
}

void MainWindow::rememberRecent(const std::string& path) {
  QSettings settings;
  QStringList recent = settings.value(QStringLiteral("recentFiles")).toStringList();
  const QString p = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  recent.removeAll(p);
  recent.prepend(p);
  while (recent.size() > kRecentFiles) recent.removeLast();
  settings.setValue(QStringLiteral("recentFiles"), recent);
}

void MainWindow::fillRecentMenu() {
  recentMenu_->clear();
  // Files moved or deleted since are not offered.
  QStringList recent;
  for (const QString& path : QSettings().value(QStringLiteral("recentFiles")).toStringList())
    if (QFileInfo::exists(path)) recent << path;
  for (const QString& path : recent) {
    QAction* a = recentMenu_->addAction(QFileInfo(path).fileName());
    a->setToolTip(path);
    connect(a, &QAction::triggered, this, [this, path] {
      if (isProjectFile(path)) {
        openProjectCommand(path.toStdString());
      } else if (maybeSave()) {
        emit openListingRequested(path);
      }
    });
  }
  recentMenu_->setEnabled(!recent.isEmpty());
  if (recent.isEmpty()) recentMenu_->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

void MainWindow::openListingCommand() {
  const std::string path = dialogs_->openFile(this, FileToOpen::Listing);
  if (path.empty() || !maybeSave()) return;
  emit openListingRequested(QString::fromStdString(path));
}

void MainWindow::openProjectCommand(const std::string& chosen) {
  std::string path = chosen;
  if (path.empty()) path = dialogs_->openFile(this, FileToOpen::Project);
  if (path.empty() || !maybeSave()) return;
  emit openProjectRequested(QString::fromStdString(path));
}

void MainWindow::reportSavedOpening(const SavedProject& saved, const FormedPlan& formed,
                                    const std::string& projectPath) {
  // Everything the opening has to say comes in one message: a changed listing, what deriving the saved
  // plan and designing its schedule said, and decisions that no longer apply.
  std::vector<std::string> notes;
  if (std::string change = listingChanges(project_, saved); !change.empty()) notes.push_back(change);
  notes.insert(notes.end(), formed.savedPlanNotes.begin(), formed.savedPlanNotes.end());
  RecordingPrompter designing;
  if (saved.designed) designSchedule(project_, designing);
  for (const std::string& text : designing.texts()) notes.push_back(text);
  std::vector<std::string> dropped = formed.dropped;
  if (!formed.savedPlanRefusal.empty()) dropped.push_back("the saved plan could not be formed");
  if (std::string list = droppedDecisionsMessage(dropped); !list.empty()) notes.push_back(list);
  if (!notes.empty()) {
    std::string text;
    for (const std::string& n : notes) text += (text.empty() ? "" : "\n\n") + n;
    prompter_.message(text);
  }
  projectPath_ = projectPath;
}

void MainWindow::reportLayoutNotApplied(const std::string& why) {
  // A layout file that exists but was not applied is not replaced on close without asking, so that its
  // offsets are not lost.
  if (why.empty()) return;
  layoutKept_ = why;
  prompter_.message(why + kLayoutNotApplied +
                    "; the file is kept unless you agree to replace it when the plan is closed.");
}

void MainWindow::closeForReplacement() {
  replacing_ = true;
  close();
}

void MainWindow::finishClose() {
  unloaded_ = true;
  blinkTimer_.stop();
  if (loaded_ && !project_.AnlPath.empty()) {
    const bool replace =
        layoutKept_.empty() ||
        prompter_.confirm(layoutKept_ + " Its column offsets were not applied when the listing was opened. Replace "
                          "it with the column offsets of this plan?");
    if (replace) {
      const std::string failure = writeLayout(project_);
      if (!failure.empty()) prompter_.message(failure);
    }
    // The work was saved or given up on purpose: no copy is to be offered at the next start.
    removeRecovery();
  }
}

}  // namespace plintova
