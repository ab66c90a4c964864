// The sheets of a workbook as an Office Open XML spreadsheet (.xlsx): the package's parts written into a
// zip archive, each sheet's XML deflated as its rows are made.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "design/workbook.h"
#include "files/zip_writer.h"

namespace plintova {

// What a spreadsheet program refuses to open.
inline constexpr std::size_t kXlsxMostRows = 1048576;
inline constexpr std::size_t kXlsxMostColumns = 16384;
inline constexpr std::size_t kXlsxMostSheetNameLength = 31;  // characters (UTF-16 units, as the readers count)
inline constexpr std::size_t kXlsxMostCellLength = 32767;    // characters of one text cell, likewise

// "" when every sheet can be written as it is, else why not: a workbook with no sheet; a sheet name
// that is empty, longer than 31 characters, holds one of []:*?/\, starts or ends with an apostrophe or
// repeats another's (letter case aside); a sheet of too many rows or columns; a text too long for its
// cell (named by its reference, e.g. B7).
std::string xlsxLimitProblem(const std::vector<Sheet>& sheets);

// Appends `text` as XML character data fit for an element or a quoted attribute: & < > " as entities;
// control characters, which XML cannot carry, as the _xHHHH_ escapes spreadsheets decode (and a literal
// "_xHHHH_" protected as "_x005F_xHHHH_" so it reads back as written); a carriage return as &#13; so no
// parser turns it into a line feed; bytes that are not UTF-8, and the non-characters U+FFFE and U+FFFF,
// as U+FFFD.
void appendXmlText(std::string& out, std::string_view text);

// Appends the shortest text that reads back as the same double ("0.1", "1e-07", "-0"), never in the
// locale's form.
void appendXlsxNumber(std::string& out, double v);

// The column's letters of 0-based column c: A ... Z, AA ... XFD.
std::string xlsxColumnName(std::size_t c);

// Writes the whole package into `zip` (not finished: the caller ends the archive). The sheets must pass
// xlsxLimitProblem. Cells: numbers as numbers, texts as inline strings, empty cells left out, each with
// its style's format (heading: bold on grey D9D9D9 above a thin line; label: italic; fail: dark red
// 9C0006 on light red FFC7CE; total: bold). Every sheet: its column widths, printed on A4 landscape one
// page wide, the sheet's name over each page and "Page n of m" under it, its first `frozenRows` rows kept
// in view and repeated at the top of every page.
void writeXlsx(const std::vector<Sheet>& sheets, ZipWriter& zip);

}  // namespace plintova
