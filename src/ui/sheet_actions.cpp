// The commands that issue the footing drawing and the calculation report.
#include "ui/sheet_actions.h"

#include "design/plan_checks.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "draw/dxf_writer.h"
#include "draw/report_qt.h"
#include "draw/sheet_qt.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_editor.h"

namespace plintova {

namespace {

QPageSize pageSizeOf(const print::Paper& paper) {
  if (paper.name == "A1") return QPageSize(QPageSize::A1);
  if (paper.name == "A2") return QPageSize(QPageSize::A2);
  return QPageSize(QPageSize::A3);
}

// The printer set up for the sheets before a dialog shows it: their paper, landscape, full page.
void prepare(QPrinter& printer, const std::vector<print::Sheet>& sheets) {
  printer.setPageSize(pageSizeOf(sheets.empty() ? print::Paper{} : sheets.front().paper));
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setFullPage(true);
  printer.setDocName(QStringLiteral("Footing drawing"));
}

QFileDialog* saveDialog(QWidget* parent, const QString& title, const std::string& proposed) {
  auto* dialog = new QFileDialog(parent, title);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  const QFileInfo info(QString::fromStdString(proposed));
  dialog->setDirectory(info.absolutePath());
  dialog->selectFile(info.fileName());
  return dialog;
}

std::string run(QFileDialog* dialog) {
  std::string path;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
    path = dialog->selectedFiles().first().toStdString();
  delete dialog;
  return path;
}

SaveFileDialog singleTypeDialog(const QString& title, const QString& filter, const QString& suffix) {
  return [title, filter, suffix](QWidget* parent, const std::string& proposed) {
    QFileDialog* dialog = saveDialog(parent, title, proposed);
    dialog->setNameFilters({filter, QStringLiteral("All files (*)")});
    dialog->setDefaultSuffix(suffix);
    return run(dialog);
  };
}

// Asks for a file, writes it with `write` and reports a failure; the shared path of the three exports.
SheetResult exportFile(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent, const std::string& what,
                       const std::string& suffix, const std::function<std::string(const std::string&)>& write,
                       std::string* written) {
  if (!dialog) return SheetResult::Cancelled;
  if (!scheduleReadyFor(editor, what)) return SheetResult::Cancelled;
  const std::string path = dialog(parent, proposedBesideListing(editor.project().AnlPath, suffix));
  if (path.empty()) return SheetResult::Cancelled;
  const std::string error = write(path);
  if (!error.empty()) {
    editor.prompter().message(error, {}, MessageIcon::Exclamation);
    return SheetResult::Failed;
  }
  if (written) *written = path;
  return SheetResult::Done;
}

}  // namespace

PrintDialogRunner desktopSheetPrintDialog() { return desktopPrintDialog("Print the footing drawing"); }

PreviewRunner desktopPreviewRunner() {
  return [](QPrintPreviewDialog& dialog) { dialog.exec(); };
}

SaveFileDialog desktopDrawingPdfDialog() {
  return singleTypeDialog(QStringLiteral("Export the drawing as PDF"), QStringLiteral("PDF (*.pdf)"),
                          QStringLiteral("pdf"));
}

SaveFileDialog desktopDxfDialog() {
  return singleTypeDialog(QStringLiteral("Export the drawing as DXF"), QStringLiteral("DXF drawing (*.dxf)"),
                          QStringLiteral("dxf"));
}

SaveFileDialog desktopReportDialog() {
  return [](QWidget* parent, const std::string& proposed) {
    QFileDialog* dialog = saveDialog(parent, QStringLiteral("Save the calculation report"), proposed);
    const QString pdf = QStringLiteral("PDF document (*.pdf)");
    const QString markdown = QStringLiteral("Markdown text (*.md)");
    dialog->setNameFilters({pdf, markdown});
    const bool startsAsMarkdown = QString::fromStdString(proposed).endsWith(QStringLiteral(".md"), Qt::CaseInsensitive);
    dialog->selectNameFilter(startsAsMarkdown ? markdown : pdf);
    dialog->setDefaultSuffix(startsAsMarkdown ? QStringLiteral("md") : QStringLiteral("pdf"));
    // A bare name takes the suffix of the type chosen.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, markdown](const QString& filter) {
      dialog->setDefaultSuffix(filter == markdown ? QStringLiteral("md") : QStringLiteral("pdf"));
    });
    return run(dialog);
  };
}

bool scheduleReadyFor(PlanEditor& editor, const std::string& what) {
  const Project& p = editor.project();
  if (p.scheduleDesigned && !p.scheduleStale) return true;
  const std::string state = p.scheduleDesigned
                                ? "The schedule is out of date: the plan changed after it was designed."
                                : "There is no schedule yet.";
  if (!editor.prompter().confirm(state + " Design it now and " + what + "?", "Design first")) return false;
  return editor.design();
}

// A drawing with failing rows or flagged plan checks is issued only as preliminary, and only after the
// engineer agrees once.
bool issueAgreed(PlanEditor& editor) {
  const IssueState issue = issueState(editor.project());
  if (issue.issuable()) return true;
  return editor.prompter().confirm(issue.reason() + " Issue the drawing as preliminary?", "Preliminary drawing");
}

SheetResult printDrawing(PlanEditor& editor, const PrintDialogRunner& dialog, QWidget* parent) {
  if (!dialog) return SheetResult::Cancelled;
  if (!scheduleReadyFor(editor, "print the drawing") || !issueAgreed(editor)) return SheetResult::Cancelled;
  const Project& project = editor.project();
  const std::vector<print::Sheet> sheets = draw::drawingSheets(project);
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer, sheets);
  if (!dialog(printer, parent)) return SheetResult::Cancelled;
  std::string error;
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    // Printing to a PDF file: the printer would write the file in place, so the sheets go through the
    // safe writer instead (never over the listing, never half a file over a good one).
    error = draw::writeSheetsPdf(project, printer.outputFileName().toStdString());
  } else {
    error = draw::printSheets(sheets, printer);
  }
  if (!error.empty()) {
    editor.prompter().message(error, {}, MessageIcon::Exclamation);
    return SheetResult::Failed;
  }
  return SheetResult::Done;
}

SheetResult previewDrawing(PlanEditor& editor, const PreviewRunner& runner, QWidget* parent) {
  if (!runner) return SheetResult::Cancelled;
  if (!scheduleReadyFor(editor, "show the drawing")) return SheetResult::Cancelled;
  const std::vector<print::Sheet> sheets = draw::drawingSheets(editor.project());
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer, sheets);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("DrawingPreview"));
  dialog.setWindowTitle(QStringLiteral("Footing drawing: print preview"));
  // The preview pages and the preview's own Print button go through the same renderer; a print to a
  // PDF file goes through the safe writer, as from the print dialog. A failure is shown once.
  std::string error;
  const Project& project = editor.project();
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
    const bool toPdfFile = target->outputFormat() == QPrinter::PdfFormat && !target->outputFileName().isEmpty() &&
                           target->paintEngine() && target->paintEngine()->type() == QPaintEngine::Pdf;
    const std::string e = toPdfFile ? draw::writeSheetsPdf(project, target->outputFileName().toStdString())
                                    : draw::printSheets(sheets, *target);
    if (!e.empty() && error.empty()) error = e;
  });
  runner(dialog);
  if (!error.empty()) {
    editor.prompter().message(error, {}, MessageIcon::Exclamation);
    return SheetResult::Failed;
  }
  return SheetResult::Done;
}

SheetResult exportDrawingPdf(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent, std::string* written) {
  if (!dialog || !scheduleReadyFor(editor, "write the drawing") || !issueAgreed(editor)) return SheetResult::Cancelled;
  const Project& project = editor.project();
  return exportFile(editor, dialog, parent, "write the drawing", ".pdf",
                    [&project](const std::string& path) { return draw::writeSheetsPdf(project, path); }, written);
}

SheetResult exportDrawingDxf(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent, std::string* written) {
  if (!dialog || !scheduleReadyFor(editor, "write the drawing") || !issueAgreed(editor)) return SheetResult::Cancelled;
  const Project& project = editor.project();
  return exportFile(editor, dialog, parent, "write the drawing", ".dxf",
                    [&project](const std::string& path) { return draw::writeSheetDxf(project, path); }, written);
}

SheetResult exportReport(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent, std::string* written) {
  const Project& project = editor.project();
  return exportFile(editor, dialog, parent, "write the report", "-report.pdf",
                    [&project](const std::string& path) { return draw::writeReport(project, path); }, written);
}

}  // namespace plintova
