// Design of the size groups into schedule rows: governing pressure, depth, shear, steel and bars.
#include "design/footing_design.h"
#include "design/group_section.h"
#include "model/grades.h"
#include "model/numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <string>
#include <vector>

#include "design_fixture.h"
#include "design/schedule.h"
#include "design/shear_table.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

using Row = std::array<std::string, kScheduleColumns>;

// One group of side 2.0 on a 0.45 pedestal whose largest pressure is 150.2 kN/m2 (FY 600.8 / 2^2).
std::unique_ptr<Project> workedExample() {
  auto p = newProject();
  setSupport(*p, 1, 101, {{1, 600.8f, 0, 0}});
  addGroup(*p, 2.0f, 0.45f, {1});
  return p;
}

}  // namespace

TEST(FootingDesign, WorkedExampleTheOlderProcedureAndTheSectionOnItsInnerLayer) {
  auto p = workedExample();
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  ASSERT_EQ(p->DesignGroupCount, 1);
  EXPECT_EQ(p->DesignGroupTable[1].GovFooting, 1);

  // The older procedure, the floor of the row's depth: moment depth 0.16 rounds to a 0.25 total depth
  // (d = D - 0.06 = 0.19); one-way shear then fails six times; d 0.34, D 0.4, 18 bars of 10 mm at 111.
  SizeGroupRecord older = p->DesignGroupTable[1];
  older.BarDia = 10;
  olderGroupDesign(*p, older);
  std::swap(older, p->DesignGroupTable[1]);
  const Row olderRow = {"F1",  "1",   "2",  "0.4",  "0.45", "151", "0.78", "137.8", "0.6",  "0.2",
                        "1360", "10", "111", "18",  "199",  "0.29", "0.32", "765",  "0.71", "1.12"};
  EXPECT_EQ(scheduleRowTexts(*p, 1), olderRow);
  std::swap(older, p->DesignGroupTable[1]);

  // The row: qu = 1.5 x 151 = 226.5, the true cantilever c = (2 - 0.45)/2 = 0.775, Mu = 226.5 x 2 x
  // 0.775^2 / 2 = 136.04. Bending alone needs d = sqrt(136.04e6 / (0.138 x 20 x 2000)) = 157 mm, so
  // 157 + 50 + 15 -> 250 mm; the older procedure's 400 mm is the start. At D 400 with 10 mm bars the inner
  // layer has d = 400 - 50 - 15 = 335: k = 0.606, pt = 0.174 %, Ast = 1168 mm2 (the minimum is 960).
  // 15 bars by area over 2000 - 2 x 55 = 1890 mm are 135 apart, 130 on the 10 mm step, so 16 bars;
  // 130 >= 100, so 10 mm stays. pt provided 100 x 16 x 78.54 / (2000 x 335) = 0.188 % gives tc = 0.28 +
  // 0.08 x 0.38 = 0.310 against tv = 226.5 x 2 x (0.775 - 0.335) / (2000 x 335) = 0.297. Punching on
  // 0.45 + 0.340 (the mean d): V2 = 226.5 x (4 - 0.79^2) = 764.6, tv2 = 764.6e3 / (4 x 790 x 340) =
  // 0.712 <= 1.118. At 375 mm the section alone would pass (tv 0.340 <= tc 0.353), but the row keeps
  // the older procedure's 400 mm.
  const Row row = {"F1",   "1",  "2",   "0.4", "0.45",  "151",  "0.775", "136.04", "0.606", "0.174",
                   "1168", "10", "130", "16",  "199", "0.297", "0.31", "765",  "0.712", "1.118"};
  EXPECT_EQ(scheduleRowTexts(*p, 1), row);
  const DesignQuantities& x = p->DesignGroupTable[1].design;
  EXPECT_FLOAT_EQ(x.dOuter, 0.345f);
  EXPECT_FLOAT_EQ(x.dInner, 0.335f);
  // Development at the face: Ld = 10 x 0.87 x 415 / (4 x 1.92) = 470 mm at full stress, 470 x 1168 /
  // 1257 = 437 at the bars' stress; 775 - 50 = 725 mm of straight bar.
  EXPECT_FALSE(x.bent);
  EXPECT_FLOAT_EQ(x.Ld, 437);
  EXPECT_FLOAT_EQ(x.anchorage, 725);
}

TEST(FootingDesign, TheInnerLayerDeepensARowAndSpacingMovesItsBarsTo12mm) {
  // B 2.2 on a 0.6 pedestal, q 228 (FY 1103.52 / 2.2^2), M25, Fe 415: qu 342, c 0.8, Mu = 342 x 2.2 x
  // 0.8^2 / 2 = 240.77. The older procedure ends at D 475 (d = 415 mm, tv 0.317 <= tc 0.325 at pt 0.2).
  // At 475 with 10 mm bars, d = 410 and 1679 mm2 are 22 bars over 2090 mm, 99.5 apart, 90 on the step:
  // closer than 100, so 12 mm bars: d = 475 - 50 - 18 = 407, Ast = 1692, 15 bars by area, 149 -> 140
  // apart, 16 bars, pt = 100 x 1809.6 / (2200 x 407) = 0.202 %, tc = 0.29 + 0.07 x 0.52 = 0.327 < tv
  // = 342 x 2.2 x (0.8 - 0.407) / (2200 x 407) = 0.330: one-way shear fails, the row goes to 500 mm.
  // There d = 435 (10 mm), Ast 1577, 21 bars 104.5 -> 100 apart, 22 bars: tc 0.311 >= tv 0.287.
  auto p = newProject();
  p->Fck = 25;
  setSupport(*p, 1, 7, {{1, 1103.52f, 0, 0}});
  addGroup(*p, 2.2f, 0.6f, {1});
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  SizeGroupRecord older = p->DesignGroupTable[1];
  EXPECT_FLOAT_EQ(older.NetPressure, 228);
  olderGroupDesign(*p, older);
  EXPECT_FLOAT_EQ(older.TotalDepth, 0.475f);
  const GroupSection at475 = chooseGroupSection(*p, {2.2, 0.6, 0.6, 0, 342}, 475, 0);
  EXPECT_EQ(at475.bars.dia, 12);
  EXPECT_EQ(at475.bars.spacing, 140);
  EXPECT_EQ(at475.bars.count, 16);
  EXPECT_NEAR(at475.tv1, 0.3302, 1e-4);
  EXPECT_NEAR(at475.tc, 0.3265, 1e-4);
  EXPECT_TRUE(at475.depthFails);
  const SizeGroupRecord& row = p->DesignGroupTable[1];
  EXPECT_FLOAT_EQ(row.TotalDepth, 0.5f);
  EXPECT_EQ(row.BarDia, 10);
  EXPECT_EQ(row.design.s, 100);
  EXPECT_EQ(row.design.n, 22);
  EXPECT_FLOAT_EQ(row.design.tv1, 0.287f);
  EXPECT_FLOAT_EQ(row.design.tc, 0.311f);
}

TEST(FootingDesign, PunchingAroundARectangularPedestal) {
  // A 2.0 m square footing, D = 500 mm, 12 mm bars, cover 50, M20, under a 0.40 x 1.00 m pedestal
  // (X x Z) with qu = 300 kN/m2:
  //   d lower = 500 - 50 - 6 = 444, d upper = 500 - 50 - 18 = 432, mean d = 438 mm;
  //   the section d/2 from the faces is (0.40 + 0.438) x (1.00 + 0.438) = 0.838 x 1.438 m,
  //   area 1.205044 m2, perimeter b0 = 2 [(ax + d) + (az + d)] = 2 (0.838 + 1.438) = 4.552 m;
  //   Vu = 300 (2.0^2 - 1.205044) = 838.4868 kN, tv = 838486.8 / (4552 x 438) = 0.42055 N/mm2;
  //   beta_c = 0.40 / 1.00, ks = 0.5 + 0.4 = 0.9, tp = 0.9 x 0.25 sqrt(20) = 1.00623 N/mm2 (cl. 31.6.3.1).
  // The cantilevers run from their own faces: (2.0 - 0.4)/2 = 0.8 m along X governs, (2.0 - 1.0)/2 = 0.5 m along Z.
  auto p = newProject();
  GroupLoads loads;
  loads.B = 2.0;
  loads.ax = 0.4;
  loads.az = 1.0;
  loads.qu = 300;
  const GroupSection s = groupSectionAt(*p, loads, 500, 12);
  EXPECT_DOUBLE_EQ(s.cX, 0.8);
  EXPECT_DOUBLE_EQ(s.cZ, 0.5);
  EXPECT_DOUBLE_EQ(s.c, 0.8);
  EXPECT_NEAR(s.V2, 838.4868, 1e-9);
  EXPECT_NEAR(s.tv2, 0.42055, 5e-6);
  EXPECT_NEAR(s.tp, 1.00623, 5e-6);
  // A square pedestal of the same shorter side keeps ks = 1.
  loads.az = 0.4;
  EXPECT_NEAR(groupSectionAt(*p, loads, 500, 12).tp, 0.25 * std::sqrt(20.0), 1e-12);
}

TEST(FootingDesign, NetPressureRoundsUpFromAboutOneHundredth) {
  auto netPressureFor = [](float fy) {
    auto p = newProject();
    setSupport(*p, 1, 1, {{1, fy, 0, 0}});
    addGroup(*p, 1.0f, 0.4f, {1});
    RecordingPrompter prompter;
    DesignAllGroups(*p, prompter);
    return p->DesignGroupTable[1].NetPressure;
  };
  EXPECT_EQ(netPressureFor(150.0f), 150.0f);
  // As a single 150.01 lies just below 150.01, so 0.49 more stays below 150.5.
  EXPECT_EQ(netPressureFor(150.01f), 150.0f);
  EXPECT_EQ(netPressureFor(150.011f), 151.0f);
  EXPECT_EQ(netPressureFor(150.2f), 151.0f);
}

TEST(FootingDesign, GoverningPressureUsesEachSupportsOwnCasesAndKeepsTheFirstOfEqualPressures) {
  auto p = newProject();
  // Footing 1 has three cases, the largest in position 2; footing 3 (the last in the table) has one
  // case but stale figures behind it, which must not count.
  setSupport(*p, 1, 11, {{1, 400, 0, 0}, {2, 400, 0, 0}, {3, 500, 10, -10}});
  setSupport(*p, 2, 12, {{1, 500, -10, 10}, {2, 500, 10, 10}});  // ties footing 1's case 2 twice
  setSupport(*p, 3, 13, {{1, 100, 0, 0}});
  p->ReactionTable(3, 1, 2) = 9000;  // no load case number: not a case of support 3
  setSupport(*p, 4, 14, {{1, 5000, 0, 0}});
  addGroup(*p, 2.0f, 0.45f, {1, 2, 3});
  addGroup(*p, 2.5f, 0.6f, {4});
  p->FootingTable[4].GroupNo = 1;  // combined footings do not govern, even with a stale group number
  setCombined(p->FootingTable[4], 1);
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  const SizeGroupRecord& row = p->DesignGroupTable[1];
  // 500 / 4 + 6 x 20 / 8 = 140
  EXPECT_EQ(row.NetPressure, 140.0f);
  EXPECT_EQ(row.GovFooting, 1);
  EXPECT_EQ(row.GovCase, 2);
}

TEST(FootingDesign, OnlyTickedGroupsWithFootingsBecomeRowsNumberedWithoutGaps) {
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 300, 0, 0}});
  setSupport(*p, 2, 2, {{1, 400, 0, 0}});
  setSupport(*p, 3, 3, {{1, 500, 0, 0}});
  addGroup(*p, 1.5f, 0.45f, {1});
  addGroup(*p, 1.8f, 0.53f, {});      // no footings
  addGroup(*p, 2.0f, 0.6f, {2});
  const int unticked = addGroup(*p, 2.2f, 0.6f, {3});
  p->SizeGroupTable[unticked].Checked = false;
  // A stale row beyond the new count, and a stale governing footing in the slot that will be reused.
  p->DesignGroupTable[2].GovFooting = 3;
  p->DesignGroupTable[2].GovCase = 4;
  setCombined(p->FootingTable[2], 1);  // the only footing of group 3 was combined since the assignment
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  ASSERT_EQ(p->DesignGroupCount, 2);
  EXPECT_EQ(scheduleRowTexts(*p, 1)[kColMark], "F1");
  EXPECT_EQ(scheduleRowTexts(*p, 1)[kColSize], "1.5");
  // Group 3 is designed with zero pressure: 0.25 deep, minimum steel, no governing footing.
  const Row second = scheduleRowTexts(*p, 2);
  EXPECT_EQ(second[kColMark], "F2");
  EXPECT_EQ(second[kColSize], "2");
  EXPECT_EQ(second[kColNetP], "0");
  EXPECT_EQ(second[kColDepth], "0.25");
  EXPECT_EQ(second[kColPt], "0.162");  // the minimum 0.12 % of 2000 x 250 on the inner layer's 185 mm
  EXPECT_EQ(p->DesignGroupTable[2].GovFooting, 0);
  EXPECT_EQ(p->DesignGroupTable[2].GovCase, 0);
  EXPECT_EQ(scheduleRowTexts(*p, 3), Row{});  // not a row
}

TEST(FootingDesign, MissingGradesAndOverfullGroupsAreRefusedWithoutTouchingTheSchedule) {
  auto p = workedExample();
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  const Row before = scheduleRowTexts(*p, 1);

  p->Fck = 0;
  EXPECT_FALSE(DesignAllGroups(*p, prompter));
  p->Fck = 20;
  p->Fe = 0;
  EXPECT_FALSE(DesignAllGroups(*p, prompter));
  p->Fck = 0;
  EXPECT_FALSE(DesignAllGroups(*p, prompter));
  ASSERT_EQ(prompter.calls.size(), 3u);
  EXPECT_NE(prompter.calls[0].text.find("No concrete grade Fck"), std::string::npos);
  EXPECT_EQ(prompter.calls[0].text.find("Fe"), std::string::npos);
  EXPECT_NE(prompter.calls[1].text.find("No steel grade Fe"), std::string::npos);
  EXPECT_EQ(prompter.calls[1].text.find("Fck"), std::string::npos);
  EXPECT_NE(prompter.calls[2].text.find("Fck"), std::string::npos);
  EXPECT_NE(prompter.calls[2].text.find("Fe"), std::string::npos);

  p->Fck = 20;
  p->Fe = 415;
  p->SizeGroupTable[1].MemberCount = cap::kGroupMembers + 1;
  EXPECT_FALSE(DesignAllGroups(*p, prompter));
  ASSERT_EQ(prompter.calls.size(), 4u);
  EXPECT_NE(prompter.calls[3].text.find("at most 30000"), std::string::npos);
  EXPECT_EQ(p->DesignGroupCount, 1);
  EXPECT_EQ(scheduleRowTexts(*p, 1), before);
}

TEST(FootingDesign, BarCountNeverFallsBelowTwo) {
  // A 0.5 m footing at minimum depth and steel needs 0.12 % of 500 x 250 = 150 mm2: one 20 mm bar by the
  // area, two by the rule. Over 500 - 2 x 60 = 380 mm two bars would stand 380 apart, beyond 300 mm
  // (26.3.3 b; 3 d = 3 x 170 is more): 3 bars, 190 apart.
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 10, 0, 0}});
  addGroup(*p, 0.5f, 0.4f, {1});
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  ASSERT_TRUE(cycleBarDia(*p, 1));  // 10 -> 12
  ASSERT_TRUE(cycleBarDia(*p, 1));  // 12 -> 16
  ASSERT_TRUE(cycleBarDia(*p, 1));  // 16 -> 20
  const Row row = scheduleRowTexts(*p, 1);
  EXPECT_EQ(row[kColDia], "20");
  EXPECT_EQ(row[kColAst], "150");
  EXPECT_EQ(row[kColRods], "3");
  EXPECT_EQ(row[kColSpace], "190");
}

TEST(FootingDesign, GradesOutsideTheShearTableAreRefusedAndThoseAboveM40TakeItsColumn) {
  // A grade between the table's columns would find no shear strength and design absurd depths.
  auto p = workedExample();
  p->Fck = 22;
  RecordingPrompter prompter;
  EXPECT_FALSE(DesignAllGroups(*p, prompter));
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_NE(prompter.calls[0].text.find("Fck 22 cannot be designed"), std::string::npos);
  EXPECT_EQ(gradeProblem(22, 415), prompter.calls[0].text.substr(0, gradeProblem(22, 415).size()));
  EXPECT_NE(gradeProblem(25, 300).find("Fe 300"), std::string::npos);
  for (int fck : {15, 20, 25, 30, 35, 40, 45, 60, 100}) EXPECT_EQ(gradeProblem(fck, 415), "") << fck;
  for (int fck : {10, 22, 37, 101}) EXPECT_NE(gradeProblem(fck, 500), "") << fck;
  for (int fe : {250, 415, 500, 550}) EXPECT_EQ(gradeProblem(25, fe), "") << fe;
  for (int fe : {300, 460, 600}) EXPECT_NE(gradeProblem(25, fe).find("250, 415, 500 or 550"), std::string::npos) << fe;
  // Buried concrete below M25 is noted (IS 456 Tables 3 and 5); M25 and above, or no grade, is not.
  EXPECT_NE(exposureGradeNote(20).find("Fck 20 is below M25"), std::string::npos);
  EXPECT_NE(exposureGradeNote(15).find("Table 5"), std::string::npos);
  for (int fck : {0, 25, 40}) EXPECT_EQ(exposureGradeNote(fck), "") << fck;
  // The group rows' bending depth: Fe 415's 0.138, or a stronger steel's own smaller limit.
  const std::pair<int, double> factors[] = {{250, 0.138}, {415, 0.138}, {500, 0.133}, {550, 0.130}};
  for (const auto& [fe, factor] : factors) EXPECT_DOUBLE_EQ(groupBendingFactor(fe), factor) << fe;

  // M45 designs with the "M40 and above" column: the same concrete shear strengths as M40, while the
  // bending and punching use 45 N/mm2.
  auto m40 = workedExample();
  m40->Fck = 40;
  ASSERT_TRUE(DesignAllGroups(*m40, prompter));
  auto m45 = workedExample();
  m45->Fck = 45;
  ASSERT_TRUE(DesignAllGroups(*m45, prompter));
  EXPECT_EQ(m45->ShearGradeColumn, 6);
  const SizeGroupRecord& row = m45->DesignGroupTable[1];
  for (double pt : {0.15, 0.2, 0.5, 2.9}) EXPECT_EQ(is456::shearStrength(45, pt), is456::shearStrength(40, pt)) << pt;
  EXPECT_EQ(row.design.tp, roundToSingle(std::sqrt(45.0) / 4, 3));
  EXPECT_GT(row.design.tc, 0.0f);
}

TEST(ShearTable, StrengthIsInterpolatedInTheGradeColumn) {
  Project p;
  p.Fck = 20;
  BuildShearTable(p);
  FindGradeColumn(p);
  EXPECT_EQ(p.ShearGradeColumn, 2);
  float pt = 0.5f;
  EXPECT_EQ(ConcreteShearStrength(p, pt), 0.48f);  // a table value lands on its row
  pt = 0.2f;
  EXPECT_FLOAT_EQ(ConcreteShearStrength(p, pt), 0.32f);
  pt = 0.1f;
  EXPECT_EQ(ConcreteShearStrength(p, pt), 0.28f);
  EXPECT_EQ(pt, 0.15f);  // raised for the caller too
  pt = 2.9f;
  EXPECT_FLOAT_EQ(ConcreteShearStrength(p, pt), 0.82f);
  pt = 3.0f;
  EXPECT_EQ(ConcreteShearStrength(p, pt), 0.0f);  // beyond the table
  p.Fck = 45;  // "M40 and above"
  FindGradeColumn(p);
  EXPECT_EQ(p.ShearGradeColumn, 6);
  pt = 0.5f;
  EXPECT_EQ(ConcreteShearStrength(p, pt), 0.51f);
  p.Fck = 22;  // between the columns: none
  FindGradeColumn(p);
  EXPECT_EQ(p.ShearGradeColumn, 7);
  pt = 0.5f;
  EXPECT_EQ(ConcreteShearStrength(p, pt), 0.0f);
  // The popup's lookup does not depend on the project's table having been built.
  pt = 0.5f;
  EXPECT_EQ(shearStrengthForGrade(25, pt), 0.49f);
}

TEST(FootingDesign, AFootingNoWiderThanItsPedestalGetsNoRowAndTheOtherRowsKeepTheirPlanMarks) {
  // Footing 1 stood on an upward reaction, sized for the 1 kN replacement load: 0.1 m under a 0.4 m
  // pedestal would give a cantilever of -0.15 m. Footing 2 is the worked example, F2 on the plan.
  auto p = newProject();
  setSupport(*p, 1, 101, {{1, 1, 0, 0}});
  setSupport(*p, 2, 102, {{1, 600.8f, 0, 0}});
  setSupport(*p, 3, 103, {{1, 1, 0, 0}});
  addGroup(*p, 0.1f, 0.4f, {1});
  addGroup(*p, 2.0f, 0.45f, {2});
  const int exact = addGroup(*p, 0.4f, 0.4f, {3});  // as wide as its pedestal: no cantilever either
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));

  ASSERT_EQ(p->DesignGroupCount, 1);
  const Row expected = {"F2",   "1",  "2",   "0.4", "0.45",  "151",  "0.775", "136.04", "0.606", "0.174",
                        "1168", "10", "130", "16",  "199", "0.297", "0.31", "765",  "0.712", "1.118"};
  EXPECT_EQ(scheduleRowTexts(*p, 1), expected);
  EXPECT_EQ(p->DesignGroupTable[1].GroupMark, 2);
  EXPECT_EQ(p->FootingTable[1].GroupRank, 1);  // the plan keeps its mark
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].text,
            "No schedule rows for F1 (0.1 m, pedestal 0.4 m) and F3 (0.4 m, pedestal 0.4 m): these footings are "
            "not wider than their pedestals.");

  p->SizeGroupTable[exact].Checked = false;
  RecordingPrompter one;
  ASSERT_TRUE(DesignAllGroups(*p, one));
  EXPECT_EQ(one.texts(), std::vector<std::string>{
                             "No schedule row for F1 (0.1 m): the footing is not wider than its 0.4 m pedestal."});
  EXPECT_EQ(scheduleRowTexts(*p, 1), expected);
}
