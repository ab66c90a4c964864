// The workbook written with libxlsxwriter through the safe file writer.
#include "design/workbook_xlsx.h"

#include <xlsxwriter.h>

#include "output/project_files.h"
#include "output/safe_file.h"

namespace plintova {

namespace {

// Writes every sheet into the workbook; "" on success.
std::string fillWorkbook(lxw_workbook* book, const std::vector<Sheet>& sheets) {
  for (const Sheet& sheet : sheets) {
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.c_str());
    if (!ws) return "the sheet name \"" + sheet.name + "\" is not accepted";
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
      const auto& row = sheet.rows[r];
      for (size_t c = 0; c < row.size(); ++c) {
        const Cell& cell = row[c];
        lxw_error err = LXW_NO_ERROR;
        const auto rr = static_cast<lxw_row_t>(r);
        const auto cc = static_cast<lxw_col_t>(c);
        if (cell.kind == Cell::Number) err = worksheet_write_number(ws, rr, cc, cell.number, nullptr);
        else if (cell.kind == Cell::Text) err = worksheet_write_string(ws, rr, cc, cell.text.c_str(), nullptr);
        if (err != LXW_NO_ERROR) return lxw_strerror(err);
      }
    }
  }
  return {};
}

}  // namespace

std::string writeSheets(const std::vector<Sheet>& sheets, const std::string& path,
                        const std::vector<ProtectedFile>& protectedFiles) {
  if (path.empty()) return "no file name was given";
  // libxlsxwriter writes by file name: it is given the writer's temporary file.
  const std::string reason = writeFileSafely(
      path,
      [&sheets](const std::string& temporary) -> std::string {
        lxw_workbook* book = workbook_new(temporary.c_str());
        if (!book) return "the workbook cannot be created";
        std::string failure = fillWorkbook(book, sheets);
        const lxw_error closed = workbook_close(book);  // writes the file and frees the workbook in every case
        if (failure.empty() && closed != LXW_NO_ERROR) failure = lxw_strerror(closed);
        return failure;
      },
      protectedFiles);
  if (!reason.empty()) return "cannot write " + path + ": " + reason;
  return {};
}

std::string writeWorkbook(const Project& p, const std::string& path) {
  return writeSheets(buildWorkbook(p), path, projectInputFiles(p.AnlPath));
}

}  // namespace plintova
