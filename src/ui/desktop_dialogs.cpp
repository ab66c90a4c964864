// Qt's dialogs behind the Dialogs interface: the file choosers of every file the program opens or writes,
// the print and print preview dialogs, and the modal runs of the sheet and design options dialogs.
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QUrl>

#include "ui/design_options_dialog.h"
#include "ui/dialogs.h"
#include "ui/sheet_dialog.h"

namespace plintova {

namespace {

struct SaveType {
  QString title;
  QString filter;
  QString suffix;
};

SaveType saveTypeOf(FileToSave what) {
  switch (what) {
    case FileToSave::Project:
      return {QStringLiteral("Save the project"), QStringLiteral("Plintova projects (*.plintova)"),
              QStringLiteral("plintova")};
    case FileToSave::Workbook:
      return {QStringLiteral("Save the workbook"), QStringLiteral("Workbook (*.xlsx)"), QStringLiteral("xlsx")};
    case FileToSave::DrawingPdf:
      return {QStringLiteral("Export the drawing as PDF"), QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf")};
    case FileToSave::DrawingDxf:
      return {QStringLiteral("Export the drawing as DXF"), QStringLiteral("DXF drawing (*.dxf)"),
              QStringLiteral("dxf")};
    case FileToSave::Report:
      break;
  }
  return {QStringLiteral("Save the calculation report"), QStringLiteral("PDF document (*.pdf)"), QStringLiteral("pdf")};
}

std::string chosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first().toStdString();
}

// The report is written as PDF or Markdown: the suffix follows the type chosen when the engineer types
// a bare name, and a proposed Markdown file starts with that type.
void offerReportTypes(QFileDialog& dialog, const std::string& proposed) {
  const QString pdf = QStringLiteral("PDF document (*.pdf)");
  const QString markdown = QStringLiteral("Markdown text (*.md)");
  dialog.setNameFilters({pdf, markdown});
  const bool startsAsMarkdown = QString::fromStdString(proposed).endsWith(QStringLiteral(".md"), Qt::CaseInsensitive);
  dialog.selectNameFilter(startsAsMarkdown ? markdown : pdf);
  dialog.setDefaultSuffix(startsAsMarkdown ? QStringLiteral("md") : QStringLiteral("pdf"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, markdown](const QString& filter) {
    dialog.setDefaultSuffix(filter == markdown ? QStringLiteral("md") : QStringLiteral("pdf"));
  });
}

class DesktopDialogs final : public Dialogs {
 public:
  std::string openFile(QWidget* parent, FileToOpen what) override {
    if (what == FileToOpen::Project)
      return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Project"), QString(),
                                          QStringLiteral("Plintova projects (*.plintova);;All Files (*)"))
          .toStdString();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Analysis Listing"), QString(),
                                        QStringLiteral("Staad Files (*.ANL *.anl);;Reaction tables (*.csv *.tsv);;"
                                                       "All Files (*)"))
        .toStdString();
  }

  std::string saveFile(QWidget* parent, FileToSave what, const std::string& proposed) override {
    const SaveType type = saveTypeOf(what);
    QFileDialog dialog(parent, type.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QFileInfo info(QString::fromStdString(proposed));
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (what == FileToSave::Report) {
      offerReportTypes(dialog, proposed);
    } else {
      dialog.setNameFilters({type.filter, QStringLiteral("All files (*)")});
      dialog.setDefaultSuffix(type.suffix);
    }
    return chosenFile(dialog);
  }

  bool openWithDesktop(const std::string& path) override {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  }

  bool print(QWidget* parent, PrintJob job, QPrinter& printer) override {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(job == PrintJob::Plan ? QStringLiteral("Print the footing plan")
                                                : QStringLiteral("Print the footing drawing"));
    // Every page is printed: the plan is one page, and a drawing without some of its sheets is no drawing.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
  }

  void preview(QPrintPreviewDialog& dialog) override { dialog.exec(); }

  bool editSheet(SheetSettingsDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }

  bool editDesignOptions(DesignOptionsDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }
};

}  // namespace

Dialogs& desktopDialogs() {
  static DesktopDialogs dialogs;
  return dialogs;
}

}  // namespace plintova
