// The workbook file: read back by an independent reader, and failed writes leave nothing behind.
#include "design/workbook_xlsx.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "design_fixture.h"
#include "workbook_reader.h"

using namespace plintova;
using namespace plintova::design_test;
namespace fs = std::filesystem;

namespace {

// The sheets as the dump script prints them, from the grid.
std::string expectedDump(const std::vector<Sheet>& book) {
  std::ostringstream out;
  for (const Sheet& sheet : book) {
    out << "sheet\t" << sheet.name << "\n";
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
      for (size_t c = 0; c < sheet.rows[r].size(); ++c) {
        const Cell& cell = sheet.rows[r][c];
        if (cell.kind == Cell::Empty) continue;
        out << r + 1 << "\t" << c + 1 << "\t" << (cell.kind == Cell::Number ? "n" : "s") << "\t";
        if (cell.kind == Cell::Number) {
          // Python's repr of a float: the shortest text that reads back as the same double.
          std::string text = cell.text;
          if (text.find_first_of(".eE") == std::string::npos) text += ".0";
          out << text;
        } else {
          out << cell.text;
        }
        out << "\n";
      }
    }
  }
  return out.str();
}

class WorkbookFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("plintova-workbook-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

// Every kind of sheet: grouped footings with a FAIL row, a hand-resized footing with uplift, two
// combined footings, and a value that a single cannot hold exactly (2.346).
std::unique_ptr<Project> everyKindOfSheet() {
  auto p = newProject();
  setSupport(*p, 1, 11, {{1, 2.346f, 0, 0}, {2, 900, 1.5f, -2.25f}});
  setSupport(*p, 2, 12, {{1, 10, 6, 0}});
  for (int s = 3; s <= 6; ++s) setSupport(*p, s, 10 + s, {{1, 100.5f * s, 0.1f * s, 0}});
  addGroup(*p, 2.0f, 0.6f, {1});
  setScheduleRows(*p);
  p->FootingTable[2].Kind = FootingKind::HandResized;
  p->FootingTable[2].GroupRank = 1;
  p->FootingTable[2].SizeL = p->FootingTable[2].SizeB = 1.0f;
  p->CombinedCount = 2;
  for (int n = 1; n <= 2; ++n) {
    CombinedFootingRecord& cf = p->CombinedFootingTable[n];
    cf.CfMemberCount = 2;
    cf.CfMembers[1] = static_cast<int16_t>(1 + 2 * n);
    cf.CfMembers[2] = static_cast<int16_t>(2 + 2 * n);
    cf.CfDistance = 2500;
    cf.CfLength = 3.5f;
    cf.CfWidth = 1.35f;
    setCombined(p->FootingTable[1 + 2 * n], n);
    setCombined(p->FootingTable[2 + 2 * n], n);
  }
  return p;
}

}  // namespace

TEST_F(WorkbookFile, ReadsBackCellForCellWithNumbersAsNumbers) {
  const std::string python = pythonWithOpenpyxl();
  if (python.empty()) GTEST_SKIP() << "no Python with openpyxl";
  auto p = everyKindOfSheet();
  const fs::path path = folder_ / "out.xlsx";
  ASSERT_EQ(writeWorkbook(*p, path.string()), "");
  // Nothing but the workbook is left in the folder.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"out.xlsx"});

  const std::string dump = dumpWorkbook(python, path.string());
  const std::vector<Sheet> book = buildWorkbook(*p);
  EXPECT_EQ(dump, expectedDump(book));
  EXPECT_NE(dump.find("2\t3\tn\t2.346\n"), std::string::npos);
  EXPECT_NE(dump.find("3\t11\ts\tFAIL\n"), std::string::npos);
  // 10 kN with 6 kN m on 1 x 1: the resultant lies 0.545 m off the centre, beyond the edge: FAIL.
  EXPECT_NE(dump.find("2\t12\ts\tFAIL\n2\t13\ts\t < 30\n"), std::string::npos);
  EXPECT_NE(dump.find("sheet\tC1\n"), std::string::npos);
  EXPECT_NE(dump.find("sheet\tC2\n"), std::string::npos);
}

TEST_F(WorkbookFile, FailedWriteReportsTheReasonAndLeavesNoFile) {
  auto p = everyKindOfSheet();
  const fs::path missingFolder = folder_ / "no such folder" / "out.xlsx";
  const std::string reason = writeWorkbook(*p, missingFolder.string());
  EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;
  EXPECT_FALSE(fs::exists(missingFolder));

  EXPECT_NE(writeWorkbook(*p, folder_.string()), "");  // a folder is no file name
  EXPECT_NE(writeWorkbook(*p, ""), "");

  // An unacceptable sheet name fails inside the writer: the earlier workbook stays as it was.
  const fs::path path = folder_ / "kept.xlsx";
  { std::ofstream(path) << "earlier"; }
  std::vector<Sheet> bad = buildWorkbook(*p);
  Sheet named;
  named.name = "no [brackets]";
  bad.push_back(named);
  EXPECT_NE(writeSheets(bad, path.string()), "");
  std::ifstream in(path);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator{}), 1);
}
