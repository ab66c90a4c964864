// The commands that issue the footing drawing and the calculation report: print, print preview, PDF and
// DXF of the drawing's sheets, and the report as PDF or Markdown.
#pragma once

#include <functional>
#include <string>

#include "ui/export_actions.h"  // proposedBesideListing
#include "ui/print_actions.h"

class QPrintPreviewDialog;

namespace plintova {

class PlanEditor;
struct Project;

// Asks where to save a file, starting from `proposedPath`; an empty text means cancelled. Replaceable
// so that tests never block on a dialog.
using SaveFileDialog = std::function<std::string(QWidget* parent, const std::string& proposedPath)>;

// Shows the print preview dialog, already connected to paint the sheets, until the engineer closes it.
// Replaceable so that tests can look at the preview without blocking.
using PreviewRunner = std::function<void(QPrintPreviewDialog& dialog)>;

// The platform's print dialog for the drawing (every sheet is printed, so no page range is offered).
PrintDialogRunner desktopSheetPrintDialog();
// QPrintPreviewDialog::exec().
PreviewRunner desktopPreviewRunner();
// Save dialogs: the drawing as PDF, as DXF, and the report as PDF or Markdown (the suffix follows the
// chosen filter when the engineer types a bare name).
SaveFileDialog desktopDrawingPdfDialog();
SaveFileDialog desktopDxfDialog();
SaveFileDialog desktopReportDialog();

// The drawing and the report show the schedule: when it was never designed or the plan changed since,
// the engineer is asked whether to design it now. True when the schedule is up to date (designed now
// or before); false when the engineer declined or the design failed, and the command then stops.
bool scheduleReadyFor(PlanEditor& editor, const std::string& what);

enum class SheetResult { Cancelled, Done, Failed };

// Print: the print dialog with the sheets' paper in landscape, then every sheet on its own page. A
// print to a PDF file goes through the safe file writer. Failures are shown through the prompter.
SheetResult printDrawing(PlanEditor& editor, const PrintDialogRunner& dialog, QWidget* parent = nullptr);
// Print preview: the sheets painted by the same renderer into the preview dialog.
SheetResult previewDrawing(PlanEditor& editor, const PreviewRunner& runner, QWidget* parent = nullptr);
// Export PDF / Export DXF / Calculation report: a file name proposed beside the listing, then the file
// written through the safe writer. `written` receives the path of a file written.
SheetResult exportDrawingPdf(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent = nullptr,
                             std::string* written = nullptr);
SheetResult exportDrawingDxf(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent = nullptr,
                             std::string* written = nullptr);
SheetResult exportReport(PlanEditor& editor, const SaveFileDialog& dialog, QWidget* parent = nullptr,
                         std::string* written = nullptr);

}  // namespace plintova
