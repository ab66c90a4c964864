// The "Print" command: the print dialog with A3 paper, then the footing plan on one page.
#include "ui/print_actions.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "files/project_files.h"
#include "files/safe_file.h"
#include "model/project.h"
#include "model/prompter.h"
#include "print/plan_page.h"
#include "render/render_qt.h"

namespace plintova {

PrintResult printPlanWithDialog(const Project& project, Prompter& prompter, Dialogs& dialogs, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A3));
  printer.setPageOrientation(print::planPageFrame(project).orientation == print::Orientation::Portrait
                                 ? QPageLayout::Portrait
                                 : QPageLayout::Landscape);
  if (!dialogs.print(parent, PrintJob::Plan, printer)) return PrintResult::Cancelled;
  std::string error;
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    // Printing to a PDF file: the printer would write the file in place, so the page goes through the
    // safe writer instead (never over the listing, never half a file over a good one).
    const std::string path = printer.outputFileName().toStdString();
    const TargetCheck target = checkOutputTarget(path, projectInputFiles(project.AnlPath));
    if (target.problem == TargetProblem::FolderUnusable)
      error = "The printer could not be started.";  // no file can be made where it was asked for
    else
      error = draw::printPlanToPdf(project, path);
  } else {
    error = draw::printPlan(project, printer);
  }
  if (!error.empty()) {
    prompter.message(error, {}, MessageIcon::Exclamation);
    return PrintResult::Failed;
  }
  return PrintResult::Printed;
}

}  // namespace plintova
