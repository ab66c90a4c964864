// The workbook written with libxlsxwriter through the safe file writer.
#include "design/workbook_xlsx.h"

#include <xlsxwriter.h>

#include <string>

#include "files/project_files.h"
#include "files/safe_file.h"

namespace plintova {

namespace {

// The cell formats of the styles, made once per workbook (the workbook owns and frees them).
struct Formats {
  lxw_format* heading = nullptr;
  lxw_format* label = nullptr;
  lxw_format* fail = nullptr;
  lxw_format* total = nullptr;

  explicit Formats(lxw_workbook* book) {
    heading = workbook_add_format(book);
    format_set_bold(heading);
    format_set_bg_color(heading, 0xD9D9D9);
    format_set_bottom(heading, LXW_BORDER_THIN);
    label = workbook_add_format(book);
    format_set_italic(label);
    // A failing row: dark red on light red, as spreadsheets mark bad values.
    fail = workbook_add_format(book);
    format_set_bg_color(fail, 0xFFC7CE);
    format_set_font_color(fail, 0x9C0006);
    total = workbook_add_format(book);
    format_set_bold(total);
  }
  lxw_format* of(Cell::Style style) const {
    switch (style) {
      case Cell::Heading: return heading;
      case Cell::Label: return label;
      case Cell::Fail: return fail;
      case Cell::Total: return total;
      case Cell::Plain: break;
    }
    return nullptr;
  }
};

// Column widths, and the page: A4 landscape, as wide as one page however many pages long, the heading
// rows repeated on every page, the sheet's name over it and the page number under it.
std::string printSetup(lxw_worksheet* ws, const Sheet& sheet) {
  for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c)
    if (worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), sheet.columnWidths[c], nullptr) !=
        LXW_NO_ERROR)
      return "the columns of \"" + sheet.name + "\" cannot be set";
  worksheet_set_landscape(ws);
  worksheet_set_paper(ws, 9);  // A4
  worksheet_fit_to_pages(ws, 1, 0);
  worksheet_set_header(ws, "&L&A");
  worksheet_set_footer(ws, "&CPage &P of &N");
  if (sheet.frozenRows > 0) {
    worksheet_freeze_panes(ws, static_cast<lxw_row_t>(sheet.frozenRows), 0);
    if (worksheet_repeat_rows(ws, 0, static_cast<lxw_row_t>(sheet.frozenRows - 1)) != LXW_NO_ERROR)
      return "the heading of \"" + sheet.name + "\" cannot be repeated";
  }
  return {};
}

// Writes every sheet into the workbook, row after row; "" on success.
std::string fillWorkbook(lxw_workbook* book, const std::vector<Sheet>& sheets) {
  const Formats formats(book);
  for (const Sheet& sheet : sheets) {
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.c_str());
    if (!ws) return "the sheet name \"" + sheet.name + "\" is not accepted";
    if (std::string reason = printSetup(ws, sheet); !reason.empty()) return reason;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
      const auto& row = sheet.rows[r];
      for (size_t c = 0; c < row.size(); ++c) {
        const Cell& cell = row[c];
        lxw_error err = LXW_NO_ERROR;
        const auto rr = static_cast<lxw_row_t>(r);
        const auto cc = static_cast<lxw_col_t>(c);
        lxw_format* format = formats.of(cell.style);
        if (cell.kind == Cell::Number) err = worksheet_write_number(ws, rr, cc, cell.number, format);
        else if (cell.kind == Cell::Text) err = worksheet_write_string(ws, rr, cc, cell.text.c_str(), format);
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
        // Rows go to the file as they are written (fillWorkbook writes every sheet top to bottom, left
        // to right, which this mode needs), not into a tree of cells kept until the end; texts are then
        // written in their cells instead of in a shared table. Readers see the same values and formats.
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = LXW_FALSE;
        lxw_workbook* book = workbook_new_opt(temporary.c_str(), &options);
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
