// The commands that issue the footing drawing and the calculation report: print, print preview, PDF and
// DXF of the drawing's sheets, and the report as PDF or Markdown.
#pragma once

#include <string>

#include "ui/dialogs.h"
#include "ui/export_actions.h"  // proposedBesideListing

class QWidget;

namespace plintova {

class PlanEditor;
struct Project;

// The drawing and the report show the schedule: when it was never designed or the plan changed since,
// the engineer is asked whether to design it now. True when the schedule is up to date (designed now
// or before); false when the engineer declined or the design failed, and the command then stops.
bool scheduleReadyFor(PlanEditor& editor, const std::string& what);

enum class SheetResult { Cancelled, Done, Failed };

// Print: the print dialog with the sheets' paper in landscape, then every sheet on its own page. A
// print to a PDF file goes through the safe file writer. Failures are shown through the prompter.
SheetResult printDrawing(PlanEditor& editor, Dialogs& dialogs, QWidget* parent = nullptr);
// Print preview: the sheets painted by the same renderer into the preview dialog.
SheetResult previewDrawing(PlanEditor& editor, Dialogs& dialogs, QWidget* parent = nullptr);
// Export PDF / Export DXF / Calculation report (PDF or Markdown): a file name proposed beside the
// listing, then the file written through the safe writer. `written` receives the path of a file written.
SheetResult exportDrawingPdf(PlanEditor& editor, Dialogs& dialogs, QWidget* parent = nullptr,
                             std::string* written = nullptr);
SheetResult exportDrawingDxf(PlanEditor& editor, Dialogs& dialogs, QWidget* parent = nullptr,
                             std::string* written = nullptr);
SheetResult exportReport(PlanEditor& editor, Dialogs& dialogs, QWidget* parent = nullptr,
                         std::string* written = nullptr);

}  // namespace plintova
