// The "Print" command: the print dialog with A3 paper, then the footing plan on one page.
#pragma once

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace plintova {

struct Project;
class Prompter;

// Shows the print dialog for `printer` (A3 and the plan's orientation preselected); true when the
// engineer chose to print. Replaceable so that tests never block on the dialog.
using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;

// The platform's print dialog (QPrintDialog) under `title`: real printers and printing to a PDF file alike.
PrintDialogRunner desktopPrintDialog(const std::string& title = "Print the footing plan");

enum class PrintResult { Cancelled, Printed, Failed };

// Prints the footing plan on A3 through the printer the dialog chose. A printer that cannot be started
// or does not take the page is reported in a message.
PrintResult printPlanWithDialog(const Project& project, Prompter& prompter, const PrintDialogRunner& dialog,
                                QWidget* parent = nullptr);

}  // namespace plintova
