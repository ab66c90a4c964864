// The IS 456 checks of the group rows: flags on rows the size groups' design made unsound, the bearing
// check by case, and the example frame's rows.
#include "design/code_checks.h"

#include <gtest/gtest.h>

#include "design/footing_design.h"
#include "design/is456.h"
#include "design_fixture.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "row_test_support.h"

using namespace plintova;
using namespace plintova::design_test;

TEST(GroupRowChecks, BearingGoesByTheCaseNearestItsAllowablePressure) {
  auto p = newProject();
  // On a 2 m square: case 1 1.1 x 600 / 4 = 165 of 200 (0.825); case 2 1.1 x 700 / 4 = 192.5 of 250
  // (0.77): case 1 is reported although case 2 presses harder.
  setSupport(*p, 1, 31, {{1, 600, 0, 0}, {2, 700, 0, 0}});
  CodeCheck c = isolatedBearingCheck(*p, 1, 2.0, 2.0);
  EXPECT_EQ(c.name, "bearing at joint 31, load case 1");
  EXPECT_NEAR(c.demand, 165, 1e-9);
  EXPECT_EQ(c.capacity, 200);
  EXPECT_TRUE(c.ok);
  // With MX 60 in case 2: 192.5 + 6 x 60 / 8 = 237.5 of 250 (0.95) now governs.
  setSupport(*p, 1, 31, {{1, 600, 0, 0}, {2, 700, 60, 0}});
  c = isolatedBearingCheck(*p, 1, 2.0, 2.0);
  EXPECT_EQ(c.name, "bearing at joint 31, load case 2");
  EXPECT_NEAR(c.demand, 237.5, 1e-9);
  // On 1.8 m the same case exceeds it: 1.1 x 700 / 3.24 + 360 / 5.832 = 299.4.
  EXPECT_FALSE(isolatedBearingCheck(*p, 1, 1.8, 1.8).ok);
}

TEST(GroupRowChecks, RowsTheGroupDesignCannotMakeSoundAreFlaggedNotRedesigned) {
  // A 1.0 m group under the 0.4 m pedestal: cantilever 0.3 m; 10 mm bars need 10 x 0.87 x 415 /
  // (4 x 1.92) = 470 mm beyond the face and have 300 - 50 = 250 mm.
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 150, 0, 0}});
  addGroup(*p, 1.0f, 0.4f, {1});
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  const SizeGroupRecord before = p->DesignGroupTable[1];
  std::vector<CodeCheck> checks = groupRowChecks(*p, 1);
  EXPECT_EQ(failedChecks(checks), std::vector<std::string>{"development length"});
  EXPECT_NEAR(findCheck(checks, "development length").demand, 470.117, 1e-3);
  EXPECT_NEAR(findCheck(checks, "development length").capacity, 250, 1e-3);
  EXPECT_EQ(p->DesignGroupTable[1].TotalDepth, before.TotalDepth);  // no number changes
  EXPECT_EQ(p->DesignGroupTable[1].design.n, before.design.n);

  // A 1.8 m group, 250 deep (d 190 to the group design), 0.2 % = 684 mm2. Two clicks on the bar
  // diameter: 16 mm, 684 / 256 x 28 / 22 + 0.49 -> 4 bars at (1.8 - 0.12) / 3 = 560 mm, more than
  // min(3 x 176, 300) = 300 with the inner layer at d = 250 - 50 - 24 = 176; and 16 mm bars need
  // 16 x 0.87 x 415 / 7.68 = 752 mm beyond the face, where (1.8 - 0.53) / 2 - 0.05 = 585 mm remain.
  p = newProject();
  setSupport(*p, 1, 1, {{1, 100, 0, 0}});
  addGroup(*p, 1.8f, 0.53f, {1});
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  ASSERT_TRUE(cycleBarDia(*p, 1));
  ASSERT_TRUE(cycleBarDia(*p, 1));
  ASSERT_EQ(p->DesignGroupTable[1].design.n, 4);
  ASSERT_EQ(p->DesignGroupTable[1].design.s, 560);
  checks = groupRowChecks(*p, 1);
  EXPECT_EQ(failedChecks(checks), (std::vector<std::string>{"bar spacing", "development length"}));
  EXPECT_EQ(findCheck(checks, "bar spacing").demand, 560);
  EXPECT_NEAR(findCheck(checks, "development length").demand, 752.1875, 1e-4);
  EXPECT_EQ(findCheck(checks, "bar spacing").capacity, 300);

  // A 1.79 m pedestal typed on the same footing: the cantilever is 5 mm, shorter than the cover; no
  // section for one-way shear or punching remains, and no bar can develop.
  ASSERT_TRUE(editPedestal(*p, 1, 1.79));
  checks = groupRowChecks(*p, 1);
  EXPECT_EQ(failedChecks(checks), (std::vector<std::string>{"bar spacing", "development length"}));
  EXPECT_NEAR(findCheck(checks, "development length").capacity, 5 - 50, 1e-3);
  EXPECT_EQ(findCheck(checks, "one-way shear").demand, 0);
  EXPECT_EQ(findCheck(checks, "punching").demand, 0);

  // Rows that do not exist have no checks; grades that cannot be designed with leave only the soil
  // checks: bearing, uplift, sliding and overturning.
  EXPECT_TRUE(groupRowChecks(*p, 2).empty());
  p->Fck = 22;
  EXPECT_EQ(groupRowChecks(*p, 1).size(), 4u);
}

TEST(GroupRowChecks, TheExampleFramesRowsPassEveryCheck) {
  Project p;
  RecordingPrompter prompter;
  readListing(p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  ASSERT_EQ(startPlan(p, prompter), "");
  ASSERT_TRUE(DesignAllGroups(p, prompter));
  ASSERT_EQ(p.DesignGroupCount, 11);
  int members = 0;
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const std::vector<CodeCheck> checks = groupRowChecks(p, r);
    members += p.DesignGroupTable[r].MemberCount;
    // Each member's bearing, uplift, sliding and overturning, then the row's eight section checks.
    EXPECT_EQ(checks.size(), 4 * static_cast<std::size_t>(p.DesignGroupTable[r].MemberCount) + 8);
    for (const CodeCheck& c : checks) EXPECT_TRUE(c.ok) << "F" << r << " " << c.name << " " << c.demand << " > " << c.capacity;
  }
  EXPECT_EQ(members, 40);
  // F1 by hand: B 1.8, pedestal 0.53, q 225, D 400, 16 bars of 10 mm. Inner layer d = 400 - 50 - 15
  // = 335; cantilever 0.635. Mu = 337.5 x 1.8 x 0.635^2 / 2 = 122.48 kN m. One-way shear: V = 337.5 x
  // 1.8 x (0.635 - 0.335) = 182.25 kN, tv = 182250 / (1800 x 335) = 0.30224; pt = 16 x 78.54 / (1800 x
  // 335) = 0.2084 %, tc (M25) = 0.29 + 0.07 / 0.10 x 0.0584 = 0.33088. Development: 402.96 of 585.
  const std::vector<CodeCheck> f1 = groupRowChecks(p, 1);
  const SizeGroupRecord& row = p.DesignGroupTable[1];
  ASSERT_EQ(row.GroupSize, 1.8f);
  ASSERT_EQ(row.TotalDepth, 0.4f);
  EXPECT_NEAR(findCheck(f1, "bending").demand, 122.4796, 1e-3);
  EXPECT_NEAR(findCheck(f1, "one-way shear").demand, 0.30224, 1e-5);
  EXPECT_NEAR(findCheck(f1, "one-way shear").capacity, 0.33088, 1e-5);
  EXPECT_NEAR(findCheck(f1, "development length").demand, 402.958, 1e-3);
  EXPECT_NEAR(findCheck(f1, "development length").capacity, 585, 1e-3);
  EXPECT_EQ(findCheck(f1, "development length").clause, is456::developmentClause(25));
}
