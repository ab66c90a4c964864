// Contents of the pressure-check workbook: sheet layout, FAIL and uplift marks, order, combined sheets,
// and the edge pressures every figure comes from.
#include "design/workbook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/soil_pressure.h"
#include "design_fixture.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

// The texts of one spreadsheet row (1-based), empty cells as "".
std::vector<std::string> rowTexts(const Sheet& sheet, int row) {
  std::vector<std::string> t;
  if (row < 1 || static_cast<size_t>(row) > sheet.rows.size()) return t;
  for (const Cell& c : sheet.rows[static_cast<size_t>(row - 1)]) t.push_back(c.text);
  while (!t.empty() && t.back().empty()) t.pop_back();
  return t;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(Workbook, GroupedFootingsAreListedPerRowInKeyOrderWithFailMarks) {
  auto p = newProject();
  // Group F1 (side 2): footing 1 is checked against 200 and 250 exactly, footing 3 exceeds them.
  // 1.1 x 727.2873 / 4 = 200.004 rounds to the allowable 200: equal, so no FAIL.
  setSupport(*p, 1, 21, {{1, 727.2873f, 0, 0}, {2, 100, 0, -10}});
  setSupport(*p, 2, 22, {{1, 100, 0, 0}});
  setSupport(*p, 3, 23, {{1, 800, 0, 0}});
  setSupport(*p, 4, 24, {{1, 200, 0, 0}});  // same key as footing 5: table order
  setSupport(*p, 5, 25, {{1, 200, 0, 0}});
  addGroup(*p, 2.0f, 0.6f, {1, 3});
  addGroup(*p, 1.5f, 0.45f, {2, 4, 5});
  setScheduleRows(*p);
  p->FootingTable[2].SizeL = 1.0f;  // keeps its group, but its key grows to 110 (1.1 x 100 / 1^2)

  const std::vector<Sheet> book = buildWorkbook(*p);
  ASSERT_EQ(book.size(), 5u);  // the two pressure sheets, Schedule, Quantities, Bar bending schedule
  const Sheet& s1 = book[0];
  EXPECT_EQ(s1.name, "Pressures - groups");
  // The headings fill the row that the pasted blocks leave empty, and stay in view.
  EXPECT_EQ(rowTexts(s1, 1), (Texts{"Joint", "Load case", "FY kN", "MX kN\u00b7m", "MZ kN\u00b7m", "Mark", "Size m",
                                    "pmin kN/m\u00b2", "pmax kN/m\u00b2", "Allowable kN/m\u00b2"}));
  EXPECT_EQ(s1.frozenRows, 1);
  EXPECT_EQ(rowTexts(s1, 2), (Texts{"21", "1", "727.2873", "0", "0", "F1", "2", "200", "200", "200"}));
  EXPECT_EQ(rowTexts(s1, 3), (Texts{"21", "2", "100", "0", "-10", "F1", "2", "20", "35", "250"}));
  EXPECT_EQ(rowTexts(s1, 4), Texts{});
  // 1.1 x 800 / 4 = 220 above the allowable 200.
  EXPECT_EQ(rowTexts(s1, 5), (Texts{"23", "1", "800", "0", "0", "F1", "2", "220", "220", "200", "FAIL"}));
  EXPECT_EQ(s1.rows[4][0].style, Cell::Fail);  // the failing line is highlighted, the passing one not
  EXPECT_EQ(s1.rows[1][0].style, Cell::Plain);
  EXPECT_EQ(rowTexts(s1, 6), Texts{});
  // Row F2: the equal keys 97.8 of footings 4 and 5 in table order, then footing 2's 110.
  EXPECT_EQ(rowTexts(s1, 7)[0], "24");
  EXPECT_EQ(rowTexts(s1, 9)[0], "25");
  EXPECT_EQ(rowTexts(s1, 11), (Texts{"22", "1", "100", "0", "0", "F2", "1", "110", "110", "200"}));
  EXPECT_EQ(s1.rows.size(), 11u);  // no row after the last block

  EXPECT_EQ(s1.rows[1][5].kind, Cell::Text);
  EXPECT_EQ(s1.rows[1][2].kind, Cell::Number);
  EXPECT_EQ(s1.rows[1][2].number, 727.2873);  // the shown value, not the single's binary value
  EXPECT_EQ(book[1].rows.size(), 1u);  // no hand-resized footings: the headings only
  EXPECT_EQ(book[2].name, "Schedule");
  EXPECT_EQ(rowTexts(book[2], 2)[0], "F1");
  EXPECT_EQ(rowTexts(book[2], 3)[0], "F2");
  // The pedestal's two sides are numbers in columns of their own, X then Z (a rectangular one here).
  p->DesignGroupTable[1].Pedestal = PedestalSides{0.6f, 0.75f};
  const Sheet schedule = buildWorkbook(*p)[2];
  EXPECT_EQ(rowTexts(schedule, 1)[4], "Peda X");
  EXPECT_EQ(rowTexts(schedule, 1)[5], "Peda Z");
  EXPECT_EQ(rowTexts(schedule, 1)[6], "NetP");
  for (int column : {4, 5}) EXPECT_EQ(schedule.rows[1][static_cast<size_t>(column)].kind, Cell::Number);
  EXPECT_EQ(schedule.rows[1][4].number, 0.6);
  EXPECT_EQ(schedule.rows[1][5].number, 0.75);
  EXPECT_EQ(book[3].name, "Quantities");
}

TEST(Workbook, SortKeysDecideTheOrderWithinARow) {
  auto p = newProject();
  // Keys: 1.1 FY / 4 + 6 max(|MX|, |MZ|) / 8. Footing 1: 55 + 7.5; footing 2: 27.5 + 30 (below);
  // footing 3 all negative (key 0).
  setSupport(*p, 1, 1, {{1, 200, 10, -5}});
  setSupport(*p, 2, 2, {{1, 100, -40, 20}});
  setSupport(*p, 3, 3, {{1, -100, 0, 0}});
  addGroup(*p, 2.0f, 0.6f, {1, 2, 3});
  setScheduleRows(*p);
  EXPECT_FLOAT_EQ(groupedFootingSortKey(*p, 1, 2.0f), 62.5f);
  EXPECT_FLOAT_EQ(groupedFootingSortKey(*p, 2, 2.0f), 57.5f);
  EXPECT_EQ(groupedFootingSortKey(*p, 3, 2.0f), 0.0f);
  const Sheet s1 = buildWorkbook(*p)[0];
  EXPECT_EQ(rowTexts(s1, 2)[0], "3");
  EXPECT_EQ(rowTexts(s1, 4)[0], "2");
  EXPECT_EQ(rowTexts(s1, 6)[0], "1");
  // An upward FY presses on no soil: the case is marked UPLIFT, for the row's uplift check, and does not fail.
  EXPECT_EQ(rowTexts(s1, 2), (Texts{"3", "1", "-100", "0", "0", "F1", "2", "-27.5", "-27.5", "200", "UPLIFT"}));
}

TEST(Workbook, HandResizedFootingsCarryUpliftAndFailMarks) {
  auto p = newProject();
  setFoundingDepth(*p, 1);
  // Side 1 x 1: pmin = 1.1 FY - 6 |MX|.
  setSupport(*p, 1, 31, {{1, 10, 2, 0}, {2, 10, 6, 0}, {3, 100, 0, 0}});
  setSupport(*p, 2, 32, {{1, 100, 0, 0}});
  setSupport(*p, 3, 33, {{1, 50, 0, 5}});
  for (int s : {1, 3}) {
    p->FootingTable[s].Kind = FootingKind::HandResized;
    p->FootingTable[s].SizeL = p->FootingTable[s].SizeB = 1.0f;
  }
  p->FootingTable[1].GroupRank = 1;
  p->FootingTable[3].GroupRank = 2;
  p->FootingTable[3].SizeB = 2.0f;
  const Sheet s2 = buildWorkbook(*p)[1];
  EXPECT_EQ(s2.name, "Pressures - resized");
  // 11 -+ 12 = 23 / -1 linearly: the edge lifts off, and the peak is the no-tension one along the side,
  // e = 2 / 11 = 0.1818 beyond 1/6: 2 x 11 / (3 x 1 x (0.5 - 0.1818)) = 23.05.
  EXPECT_EQ(rowTexts(s2, 2), (Texts{"31", "1", "10", "2", "0", "R1", "1", "1", "-1", "23.05", "200", " < 20"}));
  EXPECT_EQ(rowTexts(s2, 3), (Texts{"31", "2", "10", "6", "0", "R1", "1", "1", "-25", "47", "250", "FAIL", " < 20"}));
  EXPECT_EQ(rowTexts(s2, 4), (Texts{"31", "3", "100", "0", "0", "R1", "1", "1", "110", "110", "250"}));
  // L 1, B 2: 55 / 2 -+ 6 x 5 / (1 x 2) = 27.5 -+ 15.
  EXPECT_EQ(rowTexts(s2, 6), (Texts{"33", "1", "50", "0", "5", "R2", "1", "2", "12.5", "42.5", "200"}));
  EXPECT_EQ(s2.rows.size(), 6u);
  EXPECT_EQ(s2.rows[1][11].kind, Cell::Text);
}

TEST(Workbook, EachCombinedFootingGetsItsOwnSheetAfterTheThird) {
  auto p = newProject();
  for (int s = 1; s <= 13; ++s) setSupport(*p, s, 100 + s, {{1, 10, 1, 2}});
  setSupport(*p, 12, 112, {{1, 500, 11, 12}, {2, 400, 21, 22}, {3, 300, 31, 32}});
  setSupport(*p, 13, 113, {{1, 600, 13, 14}, {2, 700, 23, 24}});
  p->CombinedCount = 2;
  CombinedFootingRecord& first = p->CombinedFootingTable[1];
  first.CfMemberCount = 2;
  first.CfMembers[1] = 12;
  first.CfMembers[2] = 13;
  first.CfAxis = 1;  // along X: the moment about Z comes first
  first.CfDistance = 3456;
  first.CfLength = 4.456f;
  first.CfWidth = 1.65f;
  CombinedFootingRecord& second = p->CombinedFootingTable[2];
  second.CfMemberCount = 2;
  second.CfMembers[1] = 2;
  second.CfMembers[2] = 7;
  second.CfAxis = 0;

  const std::vector<Sheet> book = buildWorkbook(*p);
  ASSERT_EQ(book.size(), 7u);
  EXPECT_EQ(book[4].name, "Schedule");
  EXPECT_EQ(book[5].name, "Quantities");
  EXPECT_EQ(book[6].name, "Bar bending schedule");
  const Sheet& cf = book[2];
  EXPECT_EQ(cf.name, "C1");
  EXPECT_EQ(book[3].name, "C2");
  EXPECT_EQ(rowTexts(cf, 1), Texts{});
  // Every single value keeps its cell and gains a label in the empty cell to its left.
  EXPECT_EQ(rowTexts(cf, 2), (Texts{"", "", "", "", "", "", "SBC kN/m\u00b2", "200"}));
  EXPECT_EQ(rowTexts(cf, 3), (Texts{"", "", "Joint", "112", "", "", "", "Joint", "113"}));
  // The heading over the pasted block names each member's joint; along X the moment about Z comes first.
  EXPECT_EQ(rowTexts(cf, 4), (Texts{"Load case", "FY 112 kN", "MZ 112 kN\u00b7m", "MX 112 kN\u00b7m", "", "FY 113 kN",
                                    "MZ 113 kN\u00b7m", "MX 113 kN\u00b7m"}));
  EXPECT_EQ(rowTexts(cf, 5), (Texts{"1", "500", "12", "11", "", "600", "14", "13"}));
  EXPECT_EQ(rowTexts(cf, 6), (Texts{"2", "400", "22", "21", "", "700", "24", "23"}));
  // The second member has no third case: its cells stay empty.
  EXPECT_EQ(rowTexts(cf, 7), (Texts{"3", "300", "32", "31"}));
  EXPECT_EQ(rowTexts(cf, 8), Texts{});
  EXPECT_EQ(rowTexts(cf, 23), (Texts{"", "", "", "", "", "", "Distance m", "3.46"}));
  EXPECT_EQ(rowTexts(cf, 30)[7], "4.46");
  EXPECT_EQ(rowTexts(cf, 31)[7], "1.65");
  EXPECT_EQ(cf.rows[22][7].number, 3.46);
  EXPECT_EQ(rowTexts(book[3], 5), (Texts{"1", "10", "1", "2", "", "10", "1", "2"}));
}

// With 19 load cases the pasted loads reach row 23 (rows 5 to 23): the distance, length and width move
// to column 11 with their labels in column 10, and member b's moments in row 23 stay as read.
TEST(Workbook, ManyLoadCasesMoveTheCombinedSingleValuesBesideTheBlock) {
  auto p = newProject();
  setSupport(*p, 1, 201, {{1, 10, 1, 2}});
  setSupport(*p, 2, 202, {{1, 10, 1, 2}});
  for (int c = 0; c < 19; ++c)
    for (int s : {1, 2}) {
      p->ReactionTable(s, c, 1) = static_cast<float>(c + 1);
      p->ReactionTable(s, c, 2) = 100.0f + static_cast<float>(c);
      p->ReactionTable(s, c, 3) = 7;
      p->ReactionTable(s, c, 4) = 9;
    }
  p->CombinedCount = 1;
  CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  cf.CfMemberCount = 2;
  cf.CfMembers[1] = 1;
  cf.CfMembers[2] = 2;
  cf.CfAxis = 0;
  cf.CfDistance = 2500;
  cf.CfLength = 3.6f;
  cf.CfWidth = 1.2f;
  const Sheet sheet = buildWorkbook(*p)[2];
  EXPECT_EQ(rowTexts(sheet, 23), (Texts{"19", "118", "7", "9", "", "118", "7", "9", "", "Distance m", "2.5"}));
  EXPECT_EQ(rowTexts(sheet, 30), (Texts{"", "", "", "", "", "", "", "", "", "Length m", "3.6"}));
  EXPECT_EQ(rowTexts(sheet, 31), (Texts{"", "", "", "", "", "", "", "", "", "Width m", "1.2"}));
  EXPECT_EQ(rowTexts(sheet, 2)[7], "200");  // the SBC keeps its cell
}

TEST(Workbook, PressuresAreWorkedOutInDoubleAndRoundedOnce) {
  auto p = newProject();
  // Sheet 2, L 3.12 x B 2.34: 1.1 x 336.21 / 7.3008 = 50.6562, 6 x 289.83 / (3.12 x 2.34^2) = 101.7903,
  // 6 x 180.55 / (3.12^2 x 2.34) = 47.5584; together 200.0049986, which rounds to the allowable 200.
  // The lighter edge lifts by 98.69 kN/m2, within the 100 kN/m2 of soil above a 5 m deep footing.
  setFoundingDepth(*p, 5);
  setSupport(*p, 1, 41, {{1, 336.21f, 289.83f, 180.55f}});
  p->FootingTable[1].Kind = FootingKind::HandResized;
  p->FootingTable[1].GroupRank = 1;
  p->FootingTable[1].SizeL = 3.12f;
  p->FootingTable[1].SizeB = 2.34f;
  // Sheet 1, S 3.2: 1.1 x 1837.2 / 10.24 = 197.3555 and 6 x 486.93 / 32.768 = 89.1571; 286.5126.
  setSupport(*p, 2, 42, {{1, 1837.2f, 258.3f, 228.63f}});
  addGroup(*p, 3.2f, 0.9f, {2});
  setScheduleRows(*p);

  const std::vector<Sheet> book = buildWorkbook(*p);
  // The lighter edge would pull: part of the underside lifts off, and the footing bears the peak of the
  // no-tension pressure (footing/no_tension.h), 329.63, which fails.
  EXPECT_EQ(rowTexts(book[1], 2), (Texts{"41", "1", "336.21", "289.83", "180.55", "R1", "3.12", "2.34", "-98.69",
                                         "329.63", "200", "FAIL", " < 100"}));
  EXPECT_EQ(resizedPressure(*p, 1, 0).pmin, -98.69f);
  EXPECT_TRUE(resizedPressure(*p, 1, 0).fails);
  EXPECT_EQ(rowTexts(book[0], 2)[8], "286.51");
  EXPECT_EQ(groupedPressure(*p, 2, 0).pmax, roundToSingle(286.51, 2));
}

TEST(Workbook, ARowCollectsTheFootingsThatShowItsMark) {
  auto p = newProject();
  // Group F1 gets no schedule row (say, not wider than its pedestal): the only row is F2, and it lists
  // the footings marked F2 on the plan.
  setSupport(*p, 1, 51, {{1, 1, 0, 0}});
  setSupport(*p, 2, 52, {{1, 400, 0, 0}});
  addGroup(*p, 0.1f, 0.4f, {1});
  const int g = addGroup(*p, 2.0f, 0.6f, {2});
  p->DesignGroupTable[1] = p->SizeGroupTable[g];
  p->DesignGroupCount = 1;
  const Sheet s1 = buildWorkbook(*p)[0];
  EXPECT_EQ(rowTexts(s1, 2), (Texts{"52", "1", "400", "0", "0", "F2", "2", "110", "110", "200"}));
  EXPECT_EQ(s1.rows.size(), 2u);
}

TEST(SoilPressure, SquareAndRectangularFootingsAndTheLoadFactor) {
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 300, -30, 0}, {2, 300, 0, 30}});
  // L 2 x B 1.5: 1.1 x 300 / 3 = 110; MX bends across B: 6 x 30 / (2 x 1.5^2) = 40.
  EXPECT_DOUBLE_EQ(edgePressures(*p, 1, 0, 2.0, 1.5).max, 150.0);
  EXPECT_DOUBLE_EQ(edgePressures(*p, 1, 0, 2.0, 1.5).min, 70.0);
  // MZ bends along L: 6 x 30 / (2^2 x 1.5) = 30; the net pressure takes the reaction as read: 100 + 30.
  EXPECT_DOUBLE_EQ(edgePressures(*p, 1, 1, 2.0, 1.5, 1.0).max, 130.0);
  // Square, S 2: 330 / 4 + 6 x 30 / 8 = 82.5 + 22.5.
  EXPECT_DOUBLE_EQ(edgePressures(*p, 1, 1, 2.0, 2.0).max, 105.0);
}
