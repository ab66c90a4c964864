// Tables of support reactions: FRAME1 as a table designs as the listing does; the format's freedoms; faults
// named by file, line and column; capacities.
#include "input/table_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "design/schedule.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/footing_sizing.h"
#include "input/analysis_input.h"
#include "model/errors.h"
#include "project/schedule_design.h"
#include "input/fingerprints.h"

using namespace plintova;

namespace {

const std::string kListing = PLINTOVA_EXAMPLES "/FRAME1.ANL";
const std::vector<std::string> kTables = {PLINTOVA_TEST_DATA "/FRAME1.csv", PLINTOVA_TEST_DATA "/FRAME1.tsv"};

struct Read {
  std::unique_ptr<Project> p = std::make_unique<Project>();
  RecordingPrompter prompter;
  ListingSummary summary;
  explicit Read(const std::string& path) { summary = readAnalysisInput(*p, path, prompter); }
};

// The message of a refused CSV table, or "" when it is read.
std::string refusal(const std::string& text, const std::string& name = "T.csv") {
  Project p;
  try {
    readTableText(p, text, "/some/folder/" + name, tableFormatOf(name).value_or(TableFormat::Csv));
  } catch (const ListingError& e) {
    return e.what();
  }
  return "";
}

std::string rows(int supports, int cases) {
  std::string t = "joint,x,z,case,fy,mx,mz\n";
  for (int s = 1; s <= supports; ++s)
    for (int c = 1; c <= cases; ++c)
      t += std::to_string(s) + "," + std::to_string(s * 1000) + ",0," + std::to_string(c) + ",100,0,0\n";
  return t;
}

}  // namespace

TEST(TableImport, Frame1AsATableFillsTheModelAsTheListingDoes) {
  Read anl(kListing);
  for (const std::string& path : kTables) {
    SCOPED_TRACE(path);
    Read table(path);
    const Project &a = *anl.p, &t = *table.p;
    EXPECT_EQ(table.summary.supportsCaption, "SUPPORT REACTIONS :   40");
    EXPECT_EQ(table.summary.loadCasesCaption, anl.summary.loadCasesCaption);
    EXPECT_EQ(table.summary.gradesCaption, kNoGradesCaption);
    EXPECT_EQ(t.AnlPath, path);
    EXPECT_EQ(t.Fck, 0);
    EXPECT_EQ(t.Fe, 0);
    EXPECT_EQ(t.MemberTotal, 0);
    EXPECT_EQ(t.SupportPrints, a.SupportPrints);  // the same reactions give the same fingerprints
    ASSERT_EQ(t.supportCount(), a.supportCount());
    EXPECT_EQ(t.JointCount, 40);
    for (int s = 1; s <= a.supportCount(); ++s) {
      ASSERT_EQ(t.lastCasePosition(s), a.lastCasePosition(s)) << s;
      for (int c = 0; c <= a.lastCasePosition(s); ++c)
        for (int k = 0; k <= kReactionFZ; ++k)  // FX and FZ too: both tables give them
          EXPECT_EQ(t.ReactionTable(s, c, k), a.ReactionTable(s, c, k)) << s << " " << c << " " << k;
    }
    EXPECT_TRUE(t.HorizontalForcesKnown);
    // The plan is fitted to the same extent.
    EXPECT_EQ(t.LevelX, a.LevelX);
    EXPECT_EQ(t.LevelZ, a.LevelZ);

    placeFootings(*anl.p);
    placeFootings(*table.p);
    for (int s = 1; s <= a.supportCount(); ++s) {
      EXPECT_EQ(t.FootingTable[s].PosX, a.FootingTable[s].PosX) << s;
      EXPECT_EQ(t.FootingTable[s].PosZ, a.FootingTable[s].PosZ) << s;
      // Column sizes along X and Z held as the listing holds them: the offsets move footings alike.
      ASSERT_NE(t.FootingTable[s].ColumnMember, 0) << s;
      for (int o : {-1, 1}) EXPECT_EQ(offsetPosition(t, s, o, -o), offsetPosition(a, s, o, -o)) << s;
    }
  }
}

TEST(TableImport, Frame1AsATableDesignsTheSameFootingsGroupsAndSchedule) {
  const auto design = [](const std::string& path) {
    auto r = std::make_unique<Read>(path);
    EXPECT_TRUE(acceptDesignInputs(*r->p, "1.5", "200"));
    r->p->Fck = 25;
    r->p->Fe = 415;
    EXPECT_EQ(startPlan(*r->p, r->prompter), "");
    EXPECT_TRUE(designSchedule(*r->p, r->prompter));
    return r;
  };
  const auto anl = design(kListing);
  const Project& a = *anl->p;
  ASSERT_GT(a.DesignGroupCount, 2);
  for (const std::string& path : kTables) {
    SCOPED_TRACE(path);
    const auto table = design(path);
    const Project& t = *table->p;
    EXPECT_EQ(table->prompter.texts(), anl->prompter.texts());
    ASSERT_EQ(t.FootingCount, a.FootingCount);
    for (int s = 1; s <= a.FootingCount; ++s) {
      const FootingRecord &ft = t.FootingTable[s], &fa = a.FootingTable[s];
      EXPECT_EQ(ft.ReqSize, fa.ReqSize) << s;
      EXPECT_EQ(ft.SizeL, fa.SizeL) << s;
      EXPECT_EQ(ft.SizeB, fa.SizeB) << s;
      EXPECT_EQ(ft.GroupNo, fa.GroupNo) << s;
      EXPECT_EQ(ft.GroupRank, fa.GroupRank) << s;
      EXPECT_EQ(ft.NoTension, fa.NoTension) << s;
    }
    EXPECT_EQ(t.GridLineX, a.GridLineX);
    EXPECT_EQ(t.GridLineZ, a.GridLineZ);
    ASSERT_EQ(t.SizeGroupCount, a.SizeGroupCount);
    for (int g = 1; g <= a.SizeGroupCount; ++g) {
      EXPECT_EQ(t.SizeGroupTable[g].GroupSize, a.SizeGroupTable[g].GroupSize) << g;
      EXPECT_EQ(t.SizeGroupTable[g].MemberCount, a.SizeGroupTable[g].MemberCount) << g;
      EXPECT_EQ(t.SizeGroupTable[g].GroupMark, a.SizeGroupTable[g].GroupMark) << g;
    }
    ASSERT_EQ(t.DesignGroupCount, a.DesignGroupCount);
    for (int r = 1; r <= a.DesignGroupCount; ++r) EXPECT_EQ(scheduleRowTexts(t, r), scheduleRowTexts(a, r)) << r;
  }
}

TEST(TableImport, AcceptsWhatSpreadsheetsWriteAndKeepsJointsInOrderOfTheirFirstRow) {
  // A byte-order mark, CRLF, blanks and case in the header, columns in any order, quoted fields with a
  // quote inside, blank lines and the empty rows below a spreadsheet's table, interleaved joints, and
  // the coordinates and column size on a joint's first row only.
  const std::string text =
      "\xEF\xBB\xBF Case ,\"FY\",mx,MZ,Joint,X,y,z,column_D,Column_b\r\n"
      "\r\n"
      "1,\" 500.5\",1e1,-2.5E-1,12,5000,3000,-2000.5,450,300\r\n"
      "1,+.5,-0.00,0,7,0,0,1999.5,,\r\n"
      "2,\"600\"\"\",0,0,12,,,,,\r\n";
  EXPECT_EQ(refusal(text), "T.csv, line 5, column fy: \"600\"\" is not a number.");
  Project p;
  const std::string fixed = text.substr(0, text.find("\"600")) + "600.,0,0,12,5000.4,,-2000,450,300\r\n,,,,,,,,,\r\n";
  const ListingSummary summary = readTableText(p, fixed, "T.csv", TableFormat::Csv);
  EXPECT_EQ(summary.supportsCaption, "SUPPORT REACTIONS :   2");
  EXPECT_EQ(summary.loadCasesCaption, "LOAD CASES :   1");  // the last support is joint 7
  ASSERT_EQ(p.supportCount(), 2);
  EXPECT_EQ(p.ReactionTable(1, 0, 0), 12.0f);
  EXPECT_EQ(p.ReactionTable(2, 0, 0), 7.0f);
  EXPECT_EQ(p.lastCasePosition(1), 1);
  EXPECT_EQ(p.ReactionTable(1, 0, 2), 500.5f);
  EXPECT_EQ(p.ReactionTable(1, 0, 3), 10.0f);
  EXPECT_EQ(p.ReactionTable(1, 0, 4), -0.25f);
  EXPECT_EQ(p.ReactionTable(1, 1, 1), 2.0f);
  EXPECT_EQ(p.ReactionTable(1, 1, 2), 600.0f);
  EXPECT_EQ(p.ReactionTable(2, 0, 2), 0.5f);
  EXPECT_FALSE(std::signbit(p.ReactionTable(2, 0, 3).value()));  // "-0.00" is 0, as in a listing
  // Coordinates in whole millimetres, halves to even; a later row may leave them empty.
  const auto joint = [&p](int row) {
    return std::vector<int32_t>{p.JointTable[row][0], p.JointTable[row][1], p.JointTable[row][2], p.JointTable[row][3]};
  };
  EXPECT_EQ(joint(1), (std::vector<int32_t>{12, 5000, 3000, -2000}));
  EXPECT_EQ(joint(2), (std::vector<int32_t>{7, 0, 0, 2000}));
  EXPECT_EQ(p.LevelX[0], 2.0f);
  EXPECT_EQ(p.LevelZ[1], -2000.0f);
  EXPECT_EQ(p.LevelZ[2], 2000.0f);
  // Joint 12's column: 300 along X, 450 along Z; joint 7 has none.
  ASSERT_EQ(p.ColumnSectionCount, 1);
  EXPECT_EQ(p.FootingTable[1].ColumnMember, 1);
  EXPECT_EQ(p.FootingTable[2].ColumnMember, 0);
  EXPECT_EQ(p.ColumnSectionTable[1][3], 450);
  EXPECT_EQ(p.ColumnSectionTable[1][4], 300);

  Project small;
  readTableText(small, "joint,x,z,case,fy,mx,mz\n1,0,0,1,1,0,0\n", "S.csv", TableFormat::Csv);
  EXPECT_EQ(listingSha256(small), "36f1c663a37cc0ba5043af7579502b819876816be1f1d7f35fdeb2c3cc21871f");  // of the bytes

  for (const char* name : {"a.CSV", "b.Tsv", "c.csv"}) EXPECT_TRUE(tableFormatOf(name)) << name;
  for (const char* name : {"FRAME1.ANL", "csv", "a.csv.txt", "dir.csv/x"}) EXPECT_FALSE(tableFormatOf(name)) << name;
}

TEST(TableImport, RefusesFaultsNamingFileLineAndColumn) {
  const std::string head = "joint,x,z,case,fy,mx,mz\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {head + "1,0,0,1,\"12,5\",0,0\n", "T.csv, line 2, column fy: \"12,5\" is not a number."},
      {head + "1,0,0,1,1 000,0,0\n", "T.csv, line 2, column fy: \"1 000\" is not a number."},
      {head + "1,0,0,1,inf,0,0\n", "T.csv, line 2, column fy: \"inf\" is not a number."},
      {head + "1,0,0,1,1e39,0,0\n", "T.csv, line 2, column fy: \"1e39\" is out of range."},
      {head + "1,3e9,0,1,1,0,0\n", "T.csv, line 2, column x: \"3e9\" is out of range."},
      {head + "1,0,0,1,100,,0\n", "T.csv, line 2, column mx: the value is missing."},
      {head + "1,,0,1,100,0,0\n", "T.csv, line 2, column x: the value is missing."},
      {head + "1,0,0,1,1,0,0,9\n", "T.csv, line 2: the row has 8 fields; the header has 7."},
      {head + "1,0,0,1,\"1,0,0\n", "T.csv, line 2, column fy: the quote is not closed."},
      {head + "1,0,0,1,\"1\"0,0,0\n", "T.csv, line 2, column fy: text follows the closing quote."},
      {head + "0,0,0,1,1,0,0\n", "T.csv, line 2, column joint: \"0\" is not a whole number from 1 to 9999999."},
      {head + "10000000,0,0,1,1,0,0\n", "T.csv, line 2, column joint: \"10000000\" is not a whole number from 1 to 9999999."},
      {head + "1,0,0,2.5,1,0,0\n", "T.csv, line 2, column case: \"2.5\" is not a whole number from 1 to 9999999."},
      {head + "1,0,0,0,1,0,0\n", "T.csv, line 2, column case: \"0\" is not a whole number from 1 to 9999999."},
      {head + "12,5000,0,1,1,0,0\n\n12,5001,0,2,1,0,0\n",
       "T.csv, line 4: joint 12 is given at x 5000 on line 2 and at x 5001."},
      {head + "12,0,7,1,1,0,0\n12,0,7,1,2,0,0\n", "T.csv, line 3: joint 12 has load case 1 again (first on line 2)."},
      {"joint,x,z,case,fy,mx,column_b,column_d\n", "T.csv, line 1: the column \"mz\" is missing."},
      {"joint,x,z,case,fy,mx,mz,column_b\n",
       "T.csv, line 1: the column \"column_d\" is missing; column_b and column_d go together."},
      {"joint,x,z,case,fy,mx,mz,colum_b\n",
       "T.csv, line 1: the column \"colum_b\" is not known; the columns are "
       "joint, x, y, z, case, fy, mx, mz, fx, fz, column_b and column_d."},
      {"joint,x,z,case,fy,mx,mz,FY\n", "T.csv, line 1: the column \"fy\" is given twice."},
      {"joint,x,,z,case,fy,mx,mz\n", "T.csv, line 1: column 3 of the header has no name."},
      {"joint;x;z;case;fy;mx;mz\n1;0;0;1;1;0;0\n",
       "T.csv, line 1: the columns are separated by \";\", not by commas; "
       "a .csv table separates them by commas, a .tsv table by tabs."},
      {"\n\n" + head, "T.csv, line 3: the header is followed by no rows of reactions."},
      {"\r\n \n", "T.csv has no header row: the file is empty."},
      {"\xFF\xFEj", "T.csv is UTF-16 text; save the table as UTF-8 or plain text."},
      {"joint,x,z,case,fy,mx,mz,column_b,column_d\n1,0,0,1,1,0,0,300,\n",
       "T.csv, line 2, column column_d: the value is missing; column_b and column_d go together."},
      {"joint,x,z,case,fy,mx,mz,column_b,column_d\n1,0,0,1,1,0,0,0.4,300\n",
       "T.csv, line 2, column column_b: \"0.4\" is not a column size above 0 mm."},
      {"joint,x,z,case,fy,mx,mz,column_b,column_d\n1,0,0,1,1,0,0,300,450\n1,,,2,1,0,0,450,300\n",
       "T.csv, line 3: joint 1 is given a column of 300 x 450 on line 2 and of 450 x 300."},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(refusal(text), message) << text;
  EXPECT_EQ(refusal("joint\tx\tz\tcase\tfy\tmx\tmz\n1\t0\t0\t1\t12,5\t0\t0\n", "T.tsv"),
            "T.tsv, line 2, column fy: \"12,5\" is not a number.");

  Project p;
  const std::string missing = PLINTOVA_TEST_DATA "/no such table.csv";
  try {
    readTable(p, missing);
    ADD_FAILURE() << "a missing table was read";
  } catch (const ListingError& e) {
    EXPECT_EQ(std::string(e.what()), "The table " + missing + " could not be read: No such file or directory.");
  }
}

TEST(TableImport, LimitsAreRefusedByNameAndTablesBeyondTheOldSizesRead) {
  EXPECT_EQ(refusal(rows(30001, 1)),
            "T.csv, line 30002: joint 30001 would be support 30001; at most 30000 supports can be designed.");
  EXPECT_EQ(refusal(rows(1, 2001)),
            "T.csv, line 2002: joint 1 has more than 2000 rows; at most 2000 load cases can be designed.");
  Project p;
  readTableText(p, rows(501, 37), "T.csv", TableFormat::Csv);
  EXPECT_EQ(p.supportCount(), 501);
  EXPECT_EQ(p.JointCount, 501);
  EXPECT_EQ(p.lastCasePosition(501), 36);
  EXPECT_EQ(p.ReactionTable(501, 36, 1), 37.0f);
  EXPECT_EQ(p.LevelX[0], 501.0f);
  EXPECT_EQ(p.SupportPrints.size(), 502u);
}
