// Writing the pressure-check workbook to an .xlsx file.
#pragma once

#include <string>
#include <vector>

#include "design/workbook.h"
#include "model/project.h"

namespace plintova {

// Writes the sheets to path as a real .xlsx workbook: numbers as numeric cells, texts as text cells.
// The workbook is written to a temporary file beside path and renamed into place, so a failed write
// never leaves a partial workbook under the chosen name. Returns "" on success, else the reason.
std::string writeSheets(const std::vector<Sheet>& sheets, const std::string& path);

// buildWorkbook of the project written with writeSheets.
std::string writeWorkbook(const Project& p, const std::string& path);

}  // namespace plintova
