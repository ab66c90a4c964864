// The plan's checks (footings overlapping or too close, pedestals and columns that do not fit), the
// pedestals that carry their columns and the least footing side.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "design/code_checks.h"
#include "design/footing_design.h"
#include "design/plan_checks.h"
#include "design/rectangular_design.h"
#include "design_fixture.h"
#include "footing/footing_sizing.h"
#include "../output/frame1_report_fixture.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

// Two isolated footings of side `side` (m), their centres `distance` mm apart along X, in one group
// under 0.45 m pedestals.
std::unique_ptr<Project> twoFootings(float side, int distance) {
  auto p = newProject();
  setSupport(*p, 1, 11, {{1, 500, 0, 0}});
  setSupport(*p, 2, 12, {{1, 500, 0, 0}});
  p->FootingTable[2].PosX = p->FootingTable[2].ColumnX = distance;
  addGroup(*p, side, 0.45f, {1, 2});
  return p;
}

// Gives support s a column of `alongX` x `alongZ` mm (the listing's dimension 2 and 1).
void giveColumn(Project& p, int s, int alongX, int alongZ) {
  const int c = ++p.ColumnSectionCount;
  p.ColumnSectionTable[c][1] = 100 + c;
  p.ColumnSectionTable[c][3] = alongZ;
  p.ColumnSectionTable[c][4] = alongX;
  p.FootingTable[s].ColumnMember = static_cast<int16_t>(c);
}

}  // namespace

TEST(PlanChecks, FootingsThatOverlapOrStandTooCloseAreFlagged) {
  // Two 2.0 m footings 1.8 m apart overlap by 2.0 - 1.8 = 0.2 m; 2.1 m apart they leave 100 mm, which
  // only a clear gap of more than 100 mm flags.
  const struct {
    int distance;
    double clearGap;
    std::string kind;
    double value;
  } cases[] = {{1800, 0, "overlap", -200}, {2100, 0, "", 0}, {2100, 150, "gap", 100}, {2100, 100, "", 0}};
  for (const auto& c : cases) {
    auto p = twoFootings(2.0f, c.distance);
    p->decisions.options.clearGap = c.clearGap;
    const std::vector<PlanCheck> checks = planChecks(*p);
    if (c.kind.empty()) {
      EXPECT_TRUE(checks.empty()) << c.distance << " " << c.clearGap;
      continue;
    }
    ASSERT_EQ(checks.size(), 1u) << c.distance << " " << c.clearGap;
    EXPECT_EQ(checks[0].kind, c.kind);
    EXPECT_EQ(checks[0].joints, (std::vector<int>{11, 12}));
    EXPECT_EQ(checks[0].value, c.value);
    EXPECT_EQ(checks[0].limit, c.clearGap);
  }
  auto p = twoFootings(2.0f, 1800);
  EXPECT_EQ(planChecks(*p)[0].message, "The footings at joints 11 and 12 overlap by 200 mm: combine them, or move or "
                                       "resize one.");
  EXPECT_EQ(planChecksSummary(planChecks(*p)), "1 pair of footings overlaps");
  // A disabled footing is not built: nothing to overlap.
  p->FootingTable[2].CombNo = -100;
  EXPECT_TRUE(planChecks(*p).empty());
}

TEST(PlanChecks, APedestalUnderA450By600ColumnCarriesItAndATypedSmallerOneIsFlagged) {
  // The column is 450 along X and 600 along Z; with 50 mm on each side the pedestal needs 600 + 2 x 50 =
  // 700 mm, more than the size table's 0.45 for a 1.6 m footing. A 2.0 m group row takes it.
  auto p = twoFootings(2.0f, 4000);
  giveColumn(*p, 1, 450, 600);
  EXPECT_DOUBLE_EQ(columnPedestal(*p, 1), 0.7);
  EXPECT_DOUBLE_EQ(columnPedestal(*p, 2), 0);  // no section known: the table's size stands
  p->FootingTable[1].ReqSize = 1.6f;
  EXPECT_FLOAT_EQ(ownPedestalSize(*p, 1), 0.7f);
  RecordingPrompter prompter;
  ASSERT_TRUE(DesignAllGroups(*p, prompter));
  EXPECT_FLOAT_EQ(p->DesignGroupTable[1].PedestalSize, 0.7f);
  EXPECT_FLOAT_EQ(p->DesignGroupTable[1].design.c, 0.65f);  // (2.0 - 0.7) / 2
  EXPECT_TRUE(planChecks(*p).empty());
  // Typed 0.5: the pedestal check of the row fails and the plan flags the column larger than its pedestal.
  ASSERT_TRUE(editPedestal(*p, 1, 0.5));
  p->DesignGroupTable[1].checks = groupRowChecks(*p, 1);
  EXPECT_EQ(failedCheckNames(*p, 1), std::vector<std::string>{"pedestal around the column at joint 11"});
  const std::vector<PlanCheck> plan = planChecks(*p);
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].kind, "column larger than pedestal");
  EXPECT_EQ(plan[0].value, 100);
  const IssueState issue = issueState(*p);
  EXPECT_FALSE(issue.issuable());
  EXPECT_EQ(issue.reason(), "1 footing row fails its checks and 1 pedestal does not fit its footing or column.");
}

TEST(PlanChecks, TheLeastFootingHoldsItsPedestalAndProjections) {
  // A near-zero load asks for a side of 1 mm; the footing still holds its pedestal with 150 mm beyond it:
  // 0.4 + 2 x 0.15 = 0.7 m; under a 450 x 600 column 0.7 + 0.3 = 1.0 m; with 300 mm projections
  // 0.4 + 0.6 = 1.0 m, whose own pedestal (up to 1.4 m) is still 0.4.
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 0.001f, 0, 0}});
  setSupport(*p, 2, 2, {{1, 0.001f, 0, 0}});
  giveColumn(*p, 2, 450, 600);
  p->CaseSbc[0] = 200;
  EXPECT_DOUBLE_EQ(requiredSize(*p, 1).side, 0.7);
  EXPECT_DOUBLE_EQ(requiredSize(*p, 2).side, 1.0);
  p->decisions.options.footingProjection = 300;
  EXPECT_DOUBLE_EQ(leastSide(*p, 1), 1.0);
}

TEST(PlanChecks, Frame1sOverlappingPairIsFlaggedUntilCombined) {
  Project p;
  RecordingPrompter prompter;
  readListing(p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  ASSERT_EQ(startPlan(p, prompter), "");
  std::vector<PlanCheck> checks = planChecks(p);
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_EQ(checks[0].kind, "overlap");
  EXPECT_EQ(checks[0].joints, (std::vector<int>{20, 21}));
  EXPECT_EQ(checks[0].value, -350);
  const int a = report_test::footingOfJoint(p, 20), b = report_test::footingOfJoint(p, 21);
  ASSERT_TRUE(applyDecisions(p, withCombinedPair(p, a, b), prompter));
  EXPECT_TRUE(planChecks(p).empty());
  ASSERT_TRUE(designSchedule(p, prompter));
  EXPECT_TRUE(issueState(p).issuable()) << issueState(p).reason();
}
