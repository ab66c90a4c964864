// The workbook written with libxlsxwriter through a temporary file renamed into place.
#include "design/workbook_xlsx.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "model/temporary_file.h"

namespace plintova {

namespace {

namespace fs = std::filesystem;

std::string systemReason(int error) { return std::strerror(error); }

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

std::string writeSheets(const std::vector<Sheet>& sheets, const std::string& path) {
  if (path.empty()) return "no file name was given";
  const fs::path target(path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) return path + " is a folder";
  std::string reason;
  const std::string temporary = createTemporaryBeside(path, reason);
  if (temporary.empty()) return "cannot write in the folder of " + path + ": " + reason;

  lxw_workbook* book = workbook_new(temporary.c_str());
  if (!book) {
    std::remove(temporary.c_str());
    return "cannot create the workbook " + path;
  }
  std::string failure = fillWorkbook(book, sheets);
  lxw_error closed = workbook_close(book);  // writes the file and frees the workbook in every case
  if (failure.empty() && closed != LXW_NO_ERROR) failure = lxw_strerror(closed);
  if (!failure.empty()) {
    std::remove(temporary.c_str());
    return "cannot write " + path + ": " + failure;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(temporary.c_str());
    return "cannot write " + path + ": " + systemReason(error);
  }
  return {};
}

std::string writeWorkbook(const Project& p, const std::string& path) { return writeSheets(buildWorkbook(p), path); }

}  // namespace plintova
