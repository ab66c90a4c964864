// The workbook's sheets as SpreadsheetML parts in a zip package.
#include "design/xlsx_writer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>

#include "model/utf8.h"

namespace plintova {

namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Whether the three bytes at p, a well-formed sequence, are U+FFFE or U+FFFF, which XML does not allow.
bool xmlNonCharacter(const char* p) {
  return static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBF &&
         static_cast<unsigned char>(p[2]) >= 0xBE;
}

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Whether an underscore at p starts what a reader would decode as an escape: "_x" four hex digits "_".
bool startsEscape(const char* p, const char* end) {
  return end - p >= 7 && p[1] == 'x' && isHex(p[2]) && isHex(p[3]) && isHex(p[4]) && isHex(p[5]) && p[6] == '_';
}

// Length in UTF-16 units, as spreadsheets count a text's characters.
std::size_t utf16Length(std::string_view text) {
  std::size_t n = 0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c & 0xC0) != 0x80) ++n;  // a lead byte or a single byte
    if (c >= 0xF0) ++n;           // beyond U+FFFF: a surrogate pair
  }
  return n;
}

std::string withThousands(std::size_t n) {
  const std::string digits = std::to_string(n);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string asciiLower(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string sheetNameProblem(const std::string& name) {
  const std::string quoted = "the sheet name \"" + name + "\"";
  if (name.empty()) return "a sheet has no name";
  if (utf16Length(name) > kXlsxMostSheetNameLength)
    return quoted + " is longer than " + std::to_string(kXlsxMostSheetNameLength) + " characters";
  if (const auto bad = name.find_first_of("[]:*?/\\"); bad != std::string::npos)
    return quoted + " holds " + name[bad] + ", which no sheet name may hold";
  if (name.front() == '\'' || name.back() == '\'') return quoted + " starts or ends with an apostrophe";
  return {};
}

// Number of the cell style of each Cell::Style in styles.xml's cellXfs.
int styleIndex(Cell::Style style) {
  switch (style) {
    case Cell::Plain: return 0;
    case Cell::Heading: return 1;
    case Cell::Label: return 2;
    case Cell::Fail: return 3;
    case Cell::Total: return 4;
  }
  return 0;
}

// A part's XML, handed to the archive in pieces of about kChunk bytes as it is made.
class Part {
 public:
  static constexpr std::size_t kChunk = 64 * 1024;
  Part(ZipWriter& zip, std::string name) : zip_(zip) {
    zip_.begin(std::move(name));
    xml.reserve(kChunk + 1024);
    xml += kXmlDeclaration;
  }
  ~Part() { zip_.write(xml); }
  Part(const Part&) = delete;
  Part& operator=(const Part&) = delete;
  void pass() {
    if (xml.size() < kChunk) return;
    zip_.write(xml);
    xml.clear();
  }
  std::string xml;

 private:
  ZipWriter& zip_;
};

void appendNumber(std::string& out, std::size_t n) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, n).ptr;
  out.append(buffer, end);
}

// The stored width of a column `chars` digits wide: Calibri 11's digit is 7 pixels and a column has 5
// pixels of padding; the file keeps the width in 1/256 of a digit, padding included.
double storedWidth(double chars) {
  const double pixels = chars < 1 ? std::floor(chars * 12 + 0.5) : std::floor(chars * 7 + 0.5) + 5;
  return std::floor(pixels / 7 * 256) / 256;
}

// The sheet's part up to its rows: the sheet's extent, the frozen heading rows and the column widths.
void appendSheetHead(std::string& x, const Sheet& sheet, bool first, const std::vector<std::string>& columnNames) {
  const std::size_t columns = columnNames.size();
  x += "<worksheet xmlns=\"";
  x += kMainNamespace;
  x += "\" xmlns:r=\"";
  x += kRelationshipsNamespace;
  x += "\"><sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><dimension ref=\"A1";
  if (!sheet.rows.empty() && columns > 0) {
    x += ':';
    x += columnNames.back();
    appendNumber(x, sheet.rows.size());
  }
  x += "\"/><sheetViews><sheetView ";
  if (first) x += "tabSelected=\"1\" ";
  x += "workbookViewId=\"0\"";
  if (sheet.frozenRows > 0) {
    const auto below = static_cast<std::size_t>(sheet.frozenRows) + 1;
    x += "><pane ySplit=\"";
    appendNumber(x, static_cast<std::size_t>(sheet.frozenRows));
    x += "\" topLeftCell=\"A";
    appendNumber(x, below);
    x += "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"A";
    appendNumber(x, below);
    x += "\" sqref=\"A";
    appendNumber(x, below);
    x += "\"/></sheetView>";
  } else {
    x += "/>";
  }
  x += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
  bool anyWidth = false;
  for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c) {
    if (!(sheet.columnWidths[c] > 0)) continue;
    x += anyWidth ? "<col min=\"" : "<cols><col min=\"";
    anyWidth = true;
    appendNumber(x, c + 1);
    x += "\" max=\"";
    appendNumber(x, c + 1);
    x += "\" width=\"";
    appendXlsxNumber(x, storedWidth(sheet.columnWidths[c]));
    x += "\" customWidth=\"1\"/>";
  }
  if (anyWidth) x += "</cols>";
}

// The sheet's rows, each passed to the archive as it is made.
void appendSheetRows(Part& part, const Sheet& sheet, const std::vector<std::string>& columnNames) {
  std::string& x = part.xml;
  x += "<sheetData>";
  std::string rowNumber;
  for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
    const auto& row = sheet.rows[r];
    if (std::all_of(row.begin(), row.end(), [](const Cell& c) { return c.kind == Cell::Empty; })) continue;
    rowNumber.clear();
    appendNumber(rowNumber, r + 1);
    x += "<row r=\"";
    x += rowNumber;
    x += "\">";
    // A cell that follows the one before it (or opens the row in column A) is placed by its order: its
    // reference is written only after a gap, which spares a third of the sheet's text.
    std::size_t next = 0;
    for (std::size_t c = 0; c < row.size(); ++c) {
      const Cell& cell = row[c];
      if (cell.kind == Cell::Empty) continue;
      x += "<c";
      if (c != next) {
        x += " r=\"";
        x += columnNames[c];
        x += rowNumber;
        x += '"';
      }
      next = c + 1;
      if (const int style = styleIndex(cell.style); style != 0) {
        x += " s=\"";
        x += static_cast<char>('0' + style);
        x += '"';
      }
      if (cell.kind == Cell::Number) {
        x += "><v>";
        appendXlsxNumber(x, cell.number);
        x += "</v></c>";
      } else {
        const std::string_view t = cell.text;
        const bool keepSpaces = !t.empty() && (std::isspace(static_cast<unsigned char>(t.front())) ||
                                               std::isspace(static_cast<unsigned char>(t.back())));
        x += keepSpaces ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
        appendXmlText(x, t);
        x += "</t></is></c>";
      }
    }
    x += "</row>";
    part.pass();
  }
}

void writeSheet(const Sheet& sheet, bool first, ZipWriter& zip, std::size_t number) {
  Part part(zip, "xl/worksheets/sheet" + std::to_string(number) + ".xml");
  std::size_t columns = 0;
  for (const auto& row : sheet.rows) columns = std::max(columns, row.size());
  std::vector<std::string> columnNames;
  columnNames.reserve(columns);
  for (std::size_t c = 0; c < columns; ++c) columnNames.push_back(xlsxColumnName(c));
  appendSheetHead(part.xml, sheet, first, columnNames);
  appendSheetRows(part, sheet, columnNames);
  part.xml += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
       "footer=\"0.3\"/><pageSetup paperSize=\"9\" orientation=\"landscape\" fitToHeight=\"0\"/>"
       "<headerFooter><oddHeader>&amp;L&amp;A</oddHeader><oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter>"
       "</headerFooter></worksheet>";
}

void writeWorkbookPart(const std::vector<Sheet>& sheets, ZipWriter& zip) {
  Part part(zip, "xl/workbook.xml");
  std::string& x = part.xml;
  x += "<workbook xmlns=\"";
  x += kMainNamespace;
  x += "\" xmlns:r=\"";
  x += kRelationshipsNamespace;
  x += "\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>";
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    x += "<sheet name=\"";
    appendXmlText(x, sheets[i].name);
    x += "\" sheetId=\"";
    appendNumber(x, i + 1);
    x += "\" r:id=\"rId";
    appendNumber(x, i + 1);
    x += "\"/>";
  }
  x += "</sheets>";
  // The heading rows printed at the top of every page: the name a spreadsheet keeps them under.
  bool anyTitles = false;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].frozenRows <= 0) continue;
    x += anyTitles ? "" : "<definedNames>";
    anyTitles = true;
    x += "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"";
    appendNumber(x, i);
    x += "\">";
    std::string quoted = "'";
    for (const char c : sheets[i].name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    quoted += "'!$1:$";
    appendNumber(quoted, static_cast<std::size_t>(sheets[i].frozenRows));
    appendXmlText(x, quoted);
    x += "</definedName>";
  }
  if (anyTitles) x += "</definedNames>";
  x += "</workbook>";
}

void writeStyles(ZipWriter& zip) {
  Part part(zip, "xl/styles.xml");
  part.xml += "<styleSheet xmlns=\"";
  part.xml += kMainNamespace;
  // Fonts: plain, bold, italic, dark red. Fills: none and gray125 (both required first), grey, light
  // red. Borders: none, a thin bottom line. Cell formats in styleIndex's order.
  part.xml +=
      "\"><fonts count=\"4\">"
      "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
      "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
      "<font><i/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
      "<font><sz val=\"11\"/><color rgb=\"FF9C0006\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
      "</fonts><fills count=\"4\">"
      "<fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill>"
      "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFD9D9D9\"/><bgColor indexed=\"64\"/></patternFill></fill>"
      "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFFC7CE\"/><bgColor indexed=\"64\"/></patternFill></fill>"
      "</fills><borders count=\"2\">"
      "<border><left/><right/><top/><bottom/><diagonal/></border>"
      "<border><left/><right/><top/><bottom style=\"thin\"><color auto=\"1\"/></bottom><diagonal/></border>"
      "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
      "<cellXfs count=\"5\">"
      "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
      "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"2\" borderId=\"1\" xfId=\"0\" applyFont=\"1\" applyFill=\"1\" "
      "applyBorder=\"1\"/>"
      "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
      "<xf numFmtId=\"0\" fontId=\"3\" fillId=\"3\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" applyFill=\"1\"/>"
      "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
      "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
      "</styleSheet>";
}

void writePackageParts(std::size_t sheetCount, ZipWriter& zip) {
  {
    Part part(zip, "[Content_Types].xml");
    std::string& x = part.xml;
    x += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
         "<Override PartName=\"/xl/styles.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    for (std::size_t i = 1; i <= sheetCount; ++i) {
      x += "<Override PartName=\"/xl/worksheets/sheet";
      appendNumber(x, i);
      x += ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    }
    x += "</Types>";
  }
  {
    Part part(zip, "_rels/.rels");
    part.xml += "<Relationships xmlns=\"";
    part.xml += kPackageRelationships;
    part.xml += "\"><Relationship Id=\"rId1\" Type=\"";
    part.xml += kRelationshipsNamespace;
    part.xml += "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  }
  {
    Part part(zip, "xl/_rels/workbook.xml.rels");
    std::string& x = part.xml;
    x += "<Relationships xmlns=\"";
    x += kPackageRelationships;
    x += "\">";
    auto relationship = [&x](std::size_t id, std::string_view type, const std::string& target) {
      x += "<Relationship Id=\"rId";
      appendNumber(x, id);
      x += "\" Type=\"";
      x += kRelationshipsNamespace;
      x += type;
      x += "\" Target=\"";
      x += target;
      x += "\"/>";
    };
    for (std::size_t i = 1; i <= sheetCount; ++i)
      relationship(i, "/worksheet", "worksheets/sheet" + std::to_string(i) + ".xml");
    relationship(sheetCount + 1, "/styles", "styles.xml");
    x += "</Relationships>";
  }
}

}  // namespace

std::string xlsxColumnName(std::size_t c) {
  std::string name;
  for (std::size_t n = c + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  return name;
}

void appendXlsxNumber(std::string& out, double v) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  out.append(buffer, end);
}

void appendXmlText(std::string& out, std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const char* run = p;  // the bytes from here to p go out as they are
  while (p < end) {
    const auto c = static_cast<unsigned char>(*p);
    if (c >= 0x80) {
      const std::size_t length = utf8SequenceAt(text, static_cast<std::size_t>(p - text.data()));
      if (length > 0 && !(length == 3 && xmlNonCharacter(p))) {
        p += length;
        continue;
      }
      out.append(run, p);
      out += kReplacement;
      p += length > 0 ? length : 1;
      run = p;
      continue;
    }
    if (c >= 0x20 && c != '&' && c != '<' && c != '>' && c != '"' && c != '_') {
      ++p;
      continue;
    }
    out.append(run, p);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '_': out += startsEscape(p, end) ? "_x005F_" : "_"; break;
      case '\t':
      case '\n': out += static_cast<char>(c); break;
      case '\r': out += "&#13;"; break;
      default: {
        char escape[8];
        std::snprintf(escape, sizeof escape, "_x%04X_", c);
        out += escape;
      }
    }
    ++p;
    run = p;
  }
  out.append(run, p);
}

std::string xlsxLimitProblem(const std::vector<Sheet>& sheets) {
  if (sheets.empty()) return "a workbook needs at least one sheet";
  std::set<std::string> names;
  for (const Sheet& sheet : sheets) {
    if (std::string problem = sheetNameProblem(sheet.name); !problem.empty()) return problem;
    if (!names.insert(asciiLower(sheet.name)).second) return "two sheets are named \"" + sheet.name + "\"";
    const std::string of = " of \"" + sheet.name + "\"";
    if (sheet.rows.size() > kXlsxMostRows || static_cast<std::size_t>(std::max(sheet.frozenRows, 0)) > kXlsxMostRows)
      return "the " + withThousands(sheet.rows.size()) + " rows" + of + " are more than a sheet holds (" +
             withThousands(kXlsxMostRows) + ")";
    if (sheet.columnWidths.size() > kXlsxMostColumns)
      return "the " + withThousands(sheet.columnWidths.size()) + " column widths" + of + " are more than a sheet has columns (" +
             withThousands(kXlsxMostColumns) + ")";
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
      const auto& row = sheet.rows[r];
      if (row.size() > kXlsxMostColumns)
        return "row " + std::to_string(r + 1) + of + " has " + withThousands(row.size()) +
               " columns, more than a sheet holds (" + withThousands(kXlsxMostColumns) + ")";
      for (std::size_t c = 0; c < row.size(); ++c) {
        const Cell& cell = row[c];
        if (cell.kind != Cell::Text || cell.text.size() <= kXlsxMostCellLength) continue;
        if (const std::size_t length = utf16Length(cell.text); length > kXlsxMostCellLength)
          return "the text in " + xlsxColumnName(c) + std::to_string(r + 1) + of + " is " + withThousands(length) +
                 " characters long, more than a cell holds (" + withThousands(kXlsxMostCellLength) + ")";
      }
    }
  }
  return {};
}

void writeXlsx(const std::vector<Sheet>& sheets, ZipWriter& zip) {
  writePackageParts(sheets.size(), zip);
  writeWorkbookPart(sheets, zip);
  writeStyles(zip);
  for (std::size_t i = 0; i < sheets.size(); ++i) writeSheet(sheets[i], i == 0, zip, i + 1);
}

}  // namespace plintova
