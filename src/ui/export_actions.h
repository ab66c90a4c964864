// The "Excel" command: choose where the workbook goes, write it, and open it in a spreadsheet program.
#pragma once

#include <string>

#include "ui/dialogs.h"

class QWidget;

namespace plintova {

struct Project;
class Prompter;

// Files proposed for what the program writes, named after the listing: FRAME1.ANL -> FRAME1.xlsx,
// FRAME1.plintova, FRAME1.pdf, FRAME1-report.pdf (`suffix` is appended to the listing's base name), in
// the listing's folder; in the engineer's documents folder (or home) when the listing lies in a folder
// the engineer may not write, such as the installed examples.
std::string proposedBesideListing(const std::string& anlPath, const std::string& suffix);

// The workbook proposed for a listing: its folder and name with ".xlsx" (FRAME1.ANL -> FRAME1.xlsx).
std::string proposedWorkbookPath(const std::string& anlPath);

enum class ExportResult { Cancelled, Written, Failed };

// Writes the pressure-check workbook of the schedule where the engineer chooses and opens it with the
// desktop's spreadsheet program. A file that cannot be written is reported with its reason; a
// spreadsheet program that does not start is not an error, since the workbook is there.
ExportResult exportWorkbook(const Project& project, Prompter& prompter, Dialogs& dialogs, QWidget* parent = nullptr);

}  // namespace plintova
