// The spreadsheet package of the program's own: what an independent reader finds in it, the text and
// number forms the XML holds, and the workbooks a spreadsheet would refuse, refused before any is written.
#include "design/xlsx_writer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "design/workbook_xlsx.h"
#include "workbook_reader.h"

using namespace plintova;
using namespace plintova::design_test;
namespace fs = std::filesystem;

namespace {

class XlsxWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("plintova-xlsx-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

Cell number(double v, Cell::Style style = Cell::Plain) {
  Cell cell;
  cell.kind = Cell::Number;
  cell.number = v;
  cell.style = style;
  return cell;
}

}  // namespace

// Two sheets whose names need quoting in the print titles (an apostrophe; a name that reads as a cell),
// texts that need escaping, numbers that only their shortest exact text reads back as, each format, and a
// gap of empty rows and cells.
TEST_F(XlsxWriter, ReaderFindsEveryCellFormatAndPageSetup) {
  const std::string python = pythonWithOpenpyxl();
  if (python.empty()) GTEST_SKIP() << "no Python with openpyxl";
  Sheet texts;
  texts.name = "Bob's <texts> & \"more\"";
  texts.frozenRows = 1;
  texts.columnWidths = {20, 8.5};
  texts.rows = {
      {Cell::textCell("Text", Cell::Heading), Cell::textCell("Number", Cell::Heading)},
      {Cell::textCell("a & b < c > d \"e\" 'f'"), number(0.1, Cell::Label)},
      {Cell::textCell(std::string("\x01 and \x1f") + " and cr\rhere"), number(1e-7, Cell::Fail)},
      {Cell::textCell("_x0041_ stays, _x00 too"), number(-0.0, Cell::Total)},
      {Cell::textCell("  padded  ", Cell::Fail), number(123456789.125)},
      {Cell::textCell("kN\u00b7m\u00b2 \U0001D11E, bad \xff byte"), number(static_cast<double>(FLT_MAX))},
      {Cell{}, number(static_cast<double>(FLT_TRUE_MIN))},
      {Cell{}, number(static_cast<double>(1.1f))},
  };
  Sheet far;
  far.name = "C1";
  far.frozenRows = 4;
  far.at(10, 28) = Cell::textCell("AB10");
  far.at(2, 1) = number(5e-324);

  const fs::path path = folder_ / "book.xlsx";
  ASSERT_EQ(writeSheets({texts, far}, path.string()), "");
  EXPECT_EQ(dumpWorkbook(python, path.string(), true),
            "sheet\tBob's <texts> & \"more\"\n"
            "setup\tfreeze=A2\ttitles=$1:$1\tlandscape\tpaper=9\tfit=True:None,0\theader=&A\tfooter=Page &P of &N\n"
            "width\tA\t20.7109375\n"
            "width\tB\t9.28515625\n"
            "1\t1\ts\tText\tb\t-\tFFD9D9D9\tthin\n"
            "1\t2\ts\tNumber\tb\t-\tFFD9D9D9\tthin\n"
            "2\t1\ts\ta & b < c > d \"e\" 'f'\t\t-\t-\t-\n"
            "2\t2\tn\t0.1\ti\t-\t-\t-\n"
            "3\t1\ts\t\x01 and \x1f and cr\rhere\t\t-\t-\t-\n"
            "3\t2\tn\t1e-07\t\tFF9C0006\tFFFFC7CE\t-\n"
            "4\t1\ts\t_x0041_ stays, _x00 too\t\t-\t-\t-\n"
            "4\t2\tn\t0.0\tb\t-\t-\t-\n"  // "-0", which this reader takes for the integer 0
            "5\t1\ts\t  padded  \t\tFF9C0006\tFFFFC7CE\t-\n"
            "5\t2\tn\t123456789.125\t\t-\t-\t-\n"
            "6\t1\ts\tkN\u00b7m\u00b2 \U0001D11E, bad \uFFFD byte\t\t-\t-\t-\n"
            "6\t2\tn\t3.4028234663852886e+38\t\t-\t-\t-\n"
            "7\t2\tn\t1.401298464324817e-45\t\t-\t-\t-\n"
            "8\t2\tn\t1.100000023841858\t\t-\t-\t-\n"
            "sheet\tC1\n"
            "setup\tfreeze=A5\ttitles=$1:$4\tlandscape\tpaper=9\tfit=True:None,0\theader=&A\tfooter=Page &P of &N\n"
            "2\t1\tn\t5e-324\t\t-\t-\t-\n"
            "10\t28\ts\tAB10\t\t-\t-\t-\n");
}

TEST(XlsxText, EscapesWhatXmlCannotCarryAndKeepsTheRest) {
  const struct {
    std::string text, xml;
  } cases[] = {
      {"plain kN\u00b7m\u00b2 \U0001D11E", "plain kN\u00b7m\u00b2 \U0001D11E"},
      {"a & b < c > \"d\" 'e'", "a &amp; b &lt; c &gt; &quot;d&quot; 'e'"},
      {"tab\tline\nreturn\r.", "tab\tline\nreturn&#13;."},
      {std::string("nul\0 bell\x07 esc\x1b", 15), "nul_x0000_ bell_x0007_ esc_x001B_"},
      {"_x0041_ _xABCD_ _x12G4_ _x123_ _", "_x005F_x0041_ _x005F_xABCD_ _x12G4_ _x123_ _"},
      // Bytes that are not UTF-8: a stray continuation, a cut sequence, an overlong form, a surrogate,
      // beyond U+10FFFF; and U+FFFE, which XML forbids, replaced whole.
      {"\x80|\xe2\x82|\xc0\xaf|\xed\xa0\x80|\xf4\x90\x80\x80|\xef\xbf\xbe|",
       "\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD|"},
  };
  for (const auto& c : cases) {
    std::string xml = "<";
    appendXmlText(xml, c.text);
    EXPECT_EQ(xml, "<" + c.xml) << c.text;
  }
}

TEST(XlsxNumber, ShortestTextReadsBackAsTheSameDouble) {
  const double values[] = {0.1, 1e-7, -0.0, 123456789.125, 1.1f, FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 2.346f,
                           DBL_MAX, 5e-324, 1e21, -2.5e15, 1.0 / 3};
  for (const double v : values) {
    std::string text;
    appendXlsxNumber(text, v);
    double back = 1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;  // the sign of zero too
    EXPECT_LE(text.size(), 24u) << text;
  }
  std::string simple;
  appendXlsxNumber(simple, 0.1);
  appendXlsxNumber(simple, 1.1f);
  EXPECT_EQ(simple, "0.11.100000023841858");
}

TEST(XlsxColumns, LettersRunFromAToXfd) {
  const std::pair<std::size_t, const char*> cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"},
                                                      {52, "BA"}, {701, "ZZ"}, {702, "AAA"}, {16383, "XFD"}};
  for (const auto& [column, name] : cases) EXPECT_EQ(xlsxColumnName(column), name);
}

// Each workbook a spreadsheet would not open is refused with a reason naming the limit, and no file is
// made; the largest each limit allows is written.
TEST_F(XlsxWriter, RefusesWhatASpreadsheetWouldNotOpen) {
  const auto sheetNamed = [](std::string name) {
    Sheet s;
    s.name = std::move(name);
    s.at(1, 1) = Cell::textCell("x");
    return std::vector<Sheet>{s};
  };
  const auto withText = [&](std::string text) {
    auto book = sheetNamed("Texts");
    book[0].at(7, 2) = Cell::textCell(std::move(text));
    return book;
  };
  std::string clef;  // 16,384 characters beyond U+FFFF: 32,768 UTF-16 units
  for (int i = 0; i < 16384; ++i) clef += "\U0001D11E";
  const struct {
    const char* what;
    std::function<std::vector<Sheet>()> book;
    const char* reason;  // "" where the workbook is written
  } cases[] = {
      {"no sheet", [] { return std::vector<Sheet>{}; }, "at least one sheet"},
      {"empty name", [&] { return sheetNamed(""); }, "a sheet has no name"},
      {"32 characters", [&] { return sheetNamed(std::string(32, 'n')); }, "longer than 31 characters"},
      {"31 characters", [&] { return sheetNamed(std::string(30, 'n') + "\u00b2"); }, ""},
      {"bracket", [&] { return sheetNamed("no [brackets]"); }, "holds [, which no sheet name may hold"},
      {"colon", [&] { return sheetNamed("a:b"); }, "holds :"},
      {"star", [&] { return sheetNamed("a*b"); }, "holds *"},
      {"question mark", [&] { return sheetNamed("a?b"); }, "holds ?"},
      {"slash", [&] { return sheetNamed("a/b"); }, "holds /"},
      {"backslash", [&] { return sheetNamed("a\\b"); }, "holds \\"},
      {"apostrophe", [&] { return sheetNamed("'quoted'"); }, "apostrophe"},
      {"same name",
       [&] {
         auto book = sheetNamed("Schedule");
         book.push_back(sheetNamed("SCHEDULE")[0]);
         return book;
       },
       "two sheets are named \"SCHEDULE\""},
      {"16,385 columns",
       [&] {
         auto book = sheetNamed("Wide");
         book[0].at(3, 16385) = Cell::textCell("x");
         return book;
       },
       "row 3 of \"Wide\" has 16,385 columns"},
      {"16,384 columns",
       [&] {
         auto book = sheetNamed("Wide");
         book[0].at(3, 16384) = Cell::textCell("XFD3");
         return book;
       },
       ""},
      {"1,048,577 rows",
       [&] {
         auto book = sheetNamed("Long");
         book[0].rows.resize(kXlsxMostRows + 1);
         return book;
       },
       "the 1,048,577 rows of \"Long\""},
      {"32,768 characters", [&] { return withText(std::string(32768, 't')); }, "B7 of \"Texts\" is 32,768 characters"},
      {"32,768 units", [&] { return withText(clef); }, "is 32,768 characters"},
      {"32,767 characters", [&] { return withText(std::string(32767, 't')); }, ""},
  };
  for (const auto& c : cases) {
    const fs::path path = folder_ / "book.xlsx";
    const std::string reason = writeSheets(c.book(), path.string());
    if (*c.reason == '\0') {
      EXPECT_EQ(reason, "") << c.what;
      EXPECT_TRUE(fs::exists(path)) << c.what;
    } else {
      EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
      EXPECT_FALSE(fs::exists(path)) << c.what;
    }
    fs::remove(path);
  }
}
