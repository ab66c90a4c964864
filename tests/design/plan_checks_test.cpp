// The plan's checks (footings overlapping or too close, pedestals and columns that do not fit), the
// pedestals that carry their columns and the least footing side.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/code_checks.h"
#include "design/footing_design.h"
#include "design/pedestals.h"
#include "design/plan_checks.h"
#include "design/rectangular_design.h"
#include "design_fixture.h"
#include "footing/footing_sizing.h"
#include "model/numbers.h"
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
  p->FootingTable[2].Kind = FootingKind::Disabled;
  EXPECT_TRUE(planChecks(*p).empty());
}

TEST(PlanChecks, PedestalsCarryTheirColumnsInEachDirection) {
  // Two footings of a 2.0 m group whose size table gives a 0.45 m square pedestal. Per direction the
  // pedestal is at least the column's side in that direction plus 2 x 50 mm: a 450 x 600 column (X x Z)
  // needs 0.55 x 0.70; with a 700 x 300 column beside it the group takes the envelope 0.80 x 0.70; a
  // 250 x 300 column leaves the table's 0.45 x 0.45. A typed pedestal smaller than its column plus the
  // margin along one direction fails that direction's check; narrower than the column, the plan flags it.
  struct Column {
    int alongX, alongZ;
  };
  const struct {
    const char* what;
    std::vector<Column> columns;  // of footings 1 and 2; 0 x 0: none known
    std::optional<PedestalSides> typed;
    double x, z;                  // the row's pedestal, m
    std::vector<std::string> failed;
    double beyondColumn;          // mm the column stands past a typed pedestal (0: no plan check)
  } cases[] = {
      {"450 x 600 column", {{450, 600}, {0, 0}}, {}, 0.55, 0.70, {}, 0},
      {"group envelope", {{450, 600}, {700, 300}}, {}, 0.80, 0.70, {}, 0},
      {"column inside the table's size", {{250, 300}, {0, 0}}, {}, 0.45, 0.45, {}, 0},
      {"typed short along Z", {{450, 600}, {0, 0}}, PedestalSides{0.6, 0.6}, 0.6, 0.6,
       {"pedestal around the column at joint 11 along Z"}, 0},
      {"typed narrower than the column", {{450, 600}, {0, 0}}, PedestalSides{0.7, 0.5}, 0.7, 0.5,
       {"pedestal around the column at joint 11 along Z"}, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto p = twoFootings(2.0f, 4000);
    for (int s = 1; s <= 2; ++s) {
      if (c.columns[s - 1].alongX > 0) giveColumn(*p, s, c.columns[s - 1].alongX, c.columns[s - 1].alongZ);
    }
    RecordingPrompter prompter;
    ASSERT_TRUE(DesignAllGroups(*p, prompter));
    if (c.typed) {
      ASSERT_TRUE(editPedestal(*p, 1, *c.typed));
    }
    p->DesignGroupTable[1].checks = groupRowChecks(*p, 1);
    const SizeGroupRecord& row = p->DesignGroupTable[1];
    EXPECT_FLOAT_EQ(row.Pedestal.x, static_cast<float>(c.x));
    EXPECT_FLOAT_EQ(row.Pedestal.z, static_cast<float>(c.z));
    EXPECT_EQ(footingPedestal(*p, 2), row.Pedestal);  // the one accessor the plan and the sheet read
    // The shorter side leaves the longer cantilever, which the row is designed for.
    EXPECT_FLOAT_EQ(row.design.c, static_cast<float>(roundTo((2.0 - std::min(c.x, c.z)) / 2, 3)));
    EXPECT_EQ(failedCheckNames(*p, 1), c.failed);
    const std::vector<PlanCheck> plan = planChecks(*p);
    ASSERT_EQ(plan.size(), c.beyondColumn > 0 ? 1u : 0u);
    if (c.beyondColumn > 0) {
      EXPECT_EQ(plan[0].kind, "column larger than pedestal");
      EXPECT_EQ(plan[0].value, c.beyondColumn);
    }
  }
}

TEST(PlanChecks, CloseFootingsAreFoundWhereverTheyStandAndListedInFootingOrder) {
  // Five 2.0 m footings, not in the order of X: 1 at (6000, 0), 2 at (0, 0), 3 at (1800, 0), 4 at
  // (4300, 1900), 5 at (8600, 2600). Outlines: 1 x 5000..7000 z -1000..1000; 2 x -1000..1000; 3 x
  // 800..2800; 4 x 3300..5300 z 900..2900; 5 x 7600..9600 z 1600..3600.
  //   1-4: dx = 5000 - 5300 = -300, dz = 900 - 1000 = -100, both negative: overlap of 100 mm;
  //   2-3: dx = 800 - 1000 = -200, dz = -2000: overlap of 200 mm;
  //   3-4: dx = 3300 - 2800 = 500, dz = -100: 500 mm clear;
  //   1-5: dx = 7600 - 7000 = 600, dz = 1600 - 1000 = 600: sqrt(600^2 + 600^2) = 848.5 -> 849 mm (corner);
  // every other pair stands more than 2000 mm apart along X.
  const std::vector<std::pair<int, int>> at = {{6000, 0}, {0, 0}, {1800, 0}, {4300, 1900}, {8600, 2600}};
  const struct {
    double clearGap;
    std::vector<std::vector<int>> joints;
    std::vector<double> values;
  } cases[] = {{0, {{11, 14}, {12, 13}}, {-100, -200}},
               {900, {{11, 14}, {11, 15}, {12, 13}, {13, 14}}, {-100, 849, -200, 500}}};
  for (const auto& c : cases) {
    auto p = newProject();
    for (int s = 1; s <= static_cast<int>(at.size()); ++s) {
      setSupport(*p, s, 10 + s, {{1, 500, 0, 0}});
      FootingRecord& f = p->FootingTable[s];
      f.PosX = f.ColumnX = at[static_cast<std::size_t>(s - 1)].first;
      f.PosZ = f.ColumnZ = at[static_cast<std::size_t>(s - 1)].second;
    }
    addGroup(*p, 2.0f, 0.45f, {1, 2, 3, 4, 5});
    p->decisions.options.clearGap = c.clearGap;
    std::vector<std::vector<int>> joints;
    std::vector<double> values;
    for (const PlanCheck& check : planChecks(*p)) {
      joints.push_back(check.joints);
      values.push_back(check.value);
    }
    EXPECT_EQ(joints, c.joints) << c.clearGap;
    EXPECT_EQ(values, c.values) << c.clearGap;
  }
}

TEST(PlanChecks, ARotatedColumnTurnsItsPedestal) {
  // FRAME1's columns are 300 x 450 as printed; BETA 90 turns some of them, and each pedestal follows its
  // column as the column window draws it: 300 + 100 = 0.4 m along the column's 300 mm side and
  // 450 + 100 = 0.55 m along its 450 mm side.
  Project p;
  RecordingPrompter prompter;
  readListing(p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  ASSERT_EQ(startPlan(p, prompter), "");
  int turned = 0, upright = 0;
  for (int s = 1; s <= p.FootingCount; ++s) {
    const auto col = columnSection(p, s);
    if (!col) continue;
    const PedestalSides need = columnPedestal(p, s);
    EXPECT_DOUBLE_EQ(need.x, roundToSingle((col->alongX + 100) / 1000, 3));
    EXPECT_DOUBLE_EQ(need.z, roundToSingle((col->alongZ + 100) / 1000, 3));
    (col->alongX < col->alongZ ? turned : upright)++;
  }
  EXPECT_GT(turned, 0);
  EXPECT_GT(upright, 0);
  EXPECT_EQ(columnPedestal(p, 0), PedestalSides{});  // no footing: nothing known
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
