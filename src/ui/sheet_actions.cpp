// The commands that issue the footing drawing and the calculation report.
#include "ui/sheet_actions.h"

#include "design/plan_checks.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_editor.h"
#include "render/dxf_writer.h"
#include "render/report_qt.h"
#include "render/sheet_qt.h"

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

// Asks for a file, writes it with `write` and reports a failure; the shared path of the three exports.
SheetResult exportFile(PlanEditor& editor, Dialogs& dialogs, FileToSave kind, QWidget* parent, const std::string& what,
                       const std::string& suffix, const std::function<std::string(const std::string&)>& write,
                       std::string* written) {
  if (!scheduleReadyFor(editor, what)) return SheetResult::Cancelled;
  const std::string path = dialogs.saveFile(parent, kind, proposedBesideListing(editor.project().AnlPath, suffix));
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

SheetResult printDrawing(PlanEditor& editor, Dialogs& dialogs, QWidget* parent) {
  if (!scheduleReadyFor(editor, "print the drawing") || !issueAgreed(editor)) return SheetResult::Cancelled;
  const Project& project = editor.project();
  const std::vector<print::Sheet> sheets = draw::drawingSheets(project);
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer, sheets);
  if (!dialogs.print(parent, PrintJob::Drawing, printer)) return SheetResult::Cancelled;
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

SheetResult previewDrawing(PlanEditor& editor, Dialogs& dialogs, QWidget* parent) {
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
  dialogs.preview(dialog);
  if (!error.empty()) {
    editor.prompter().message(error, {}, MessageIcon::Exclamation);
    return SheetResult::Failed;
  }
  return SheetResult::Done;
}

SheetResult exportDrawingPdf(PlanEditor& editor, Dialogs& dialogs, QWidget* parent, std::string* written) {
  if (!scheduleReadyFor(editor, "write the drawing") || !issueAgreed(editor)) return SheetResult::Cancelled;
  const Project& project = editor.project();
  return exportFile(editor, dialogs, FileToSave::DrawingPdf, parent, "write the drawing", ".pdf",
                    [&project](const std::string& path) { return draw::writeSheetsPdf(project, path); }, written);
}

SheetResult exportDrawingDxf(PlanEditor& editor, Dialogs& dialogs, QWidget* parent, std::string* written) {
  if (!scheduleReadyFor(editor, "write the drawing") || !issueAgreed(editor)) return SheetResult::Cancelled;
  const Project& project = editor.project();
  return exportFile(editor, dialogs, FileToSave::DrawingDxf, parent, "write the drawing", ".dxf",
                    [&project](const std::string& path) { return draw::writeSheetDxf(project, path); }, written);
}

SheetResult exportReport(PlanEditor& editor, Dialogs& dialogs, QWidget* parent, std::string* written) {
  const Project& project = editor.project();
  return exportFile(editor, dialogs, FileToSave::Report, parent, "write the report", "-report.pdf",
                    [&project](const std::string& path) { return draw::writeReport(project, path); }, written);
}

}  // namespace plintova
