// Writing the pressure-check workbook to an .xlsx file.
#pragma once

#include <string>
#include <vector>

#include "design/workbook.h"
#include "files/safe_file.h"
#include "model/project.h"

namespace plintova {

// Writes the sheets to path as a real .xlsx workbook: numbers as numeric cells, texts as text cells.
// Written through writeFileSafely, so a failed write never leaves a partial workbook under the chosen
// name and none of `protectedFiles` is ever replaced. Returns "" on success, else the reason.
std::string writeSheets(const std::vector<Sheet>& sheets, const std::string& path,
                        const std::vector<ProtectedFile>& protectedFiles = {});

// buildWorkbook of the project written with writeSheets; the listing and its layout file are protected.
std::string writeWorkbook(const Project& p, const std::string& path);

}  // namespace plintova
