// The "Excel" command: choose where the workbook goes, write it, and open it in a spreadsheet program.
#include "ui/export_actions.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "design/workbook_xlsx.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

ExportDialogs desktopExportDialogs() {
  ExportDialogs d;
  d.chooseFile = [](QWidget* parent, const std::string& proposed) {
    QFileDialog dialog(parent, QStringLiteral("Save the workbook"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Workbook (*.xlsx)"), QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    QFileInfo info(QString::fromStdString(proposed));
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
    return dialog.selectedFiles().first().toStdString();
  };
  d.openFile = [](const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  };
  return d;
}

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

ExportResult exportWorkbook(const Project& project, Prompter& prompter, const ExportDialogs& dialogs, QWidget* parent) {
  if (!dialogs.chooseFile) return ExportResult::Cancelled;
  const std::string path = dialogs.chooseFile(parent, proposedWorkbookPath(project.AnlPath));
  if (path.empty()) return ExportResult::Cancelled;
  const std::string reason = writeWorkbook(project, path);
  if (!reason.empty()) {
    prompter.message("The workbook was not written: " + reason, {}, MessageIcon::Exclamation);
    return ExportResult::Failed;
  }
  if (dialogs.openFile) dialogs.openFile(path);
  return ExportResult::Written;
}

}  // namespace plintova
