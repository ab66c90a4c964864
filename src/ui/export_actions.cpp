// The "Excel" command: choose where the workbook goes, write it, and open it in a spreadsheet program.
#include "ui/export_actions.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "design/workbook_xlsx.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

std::string proposedBesideListing(const std::string& anlPath, const std::string& suffix) {
  const QString tail = QString::fromStdString(suffix);
  if (anlPath.empty()) return QDir::current().filePath(QStringLiteral("Footings") + tail).toStdString();
  const QFileInfo info(QString::fromStdString(anlPath));
  QString name = info.completeBaseName();
  if (name.isEmpty()) name = info.fileName();  // ".ANL" alone
  QDir dir = info.dir();
  const QFileInfo folder(dir.absolutePath());
  if (folder.isDir() && !folder.isWritable()) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dir = !documents.isEmpty() && QFileInfo(documents).isDir() ? QDir(documents) : QDir::home();
  }
  return dir.filePath(name + tail).toStdString();
}

std::string proposedWorkbookPath(const std::string& anlPath) { return proposedBesideListing(anlPath, ".xlsx"); }

ExportResult exportWorkbook(const Project& project, Prompter& prompter, Dialogs& dialogs, QWidget* parent) {
  const std::string path = dialogs.saveFile(parent, FileToSave::Workbook, proposedWorkbookPath(project.AnlPath));
  if (path.empty()) return ExportResult::Cancelled;
  const std::string reason = writeWorkbook(project, path);
  if (!reason.empty()) {
    prompter.message("The workbook was not written: " + reason, {}, MessageIcon::Exclamation);
    return ExportResult::Failed;
  }
  dialogs.openWithDesktop(path);
  return ExportResult::Written;
}

}  // namespace plintova
