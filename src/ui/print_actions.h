// The "Print" command: the print dialog with A3 paper, then the footing plan on one page.
#pragma once

#include "ui/dialogs.h"

class QWidget;

namespace plintova {

struct Project;
class Prompter;

enum class PrintResult { Cancelled, Printed, Failed };

// Prints the footing plan on A3 (the plan's orientation preselected) through the printer the print
// dialog chose: real printers and printing to a PDF file alike. A printer that cannot be started or does
// not take the page is reported in a message.
PrintResult printPlanWithDialog(const Project& project, Prompter& prompter, Dialogs& dialogs, QWidget* parent = nullptr);

}  // namespace plintova
