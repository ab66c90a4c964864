// Schedule row edits (bar diameter, total depth, pedestal) and the detail popup's estimates.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "design_fixture.h"
#include "design/footing_design.h"
#include "design/schedule.h"
#include "project/schedule_design.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

using Row = std::array<std::string, kScheduleColumns>;

// The designed row of a 2.0 m group on a 0.45 pedestal under 150.2 kN/m2 (total depth 0.4).
std::unique_ptr<Project> designedExample() {
  auto p = newProject();
  setSupport(*p, 1, 101, {{1, 600.8f, 0, 0}});
  addGroup(*p, 2.0f, 0.45f, {1});
  RecordingPrompter prompter;
  DesignAllGroups(*p, prompter);
  return p;
}

}  // namespace

TEST(ScheduleEdits, TotalDepthIsRaisedToWhatBendingAndShearNeedButKeptWhenDeeper) {
  auto p = designedExample();
  const Row designed = scheduleRowTexts(*p, 1);
  // Its own depth again: the redesign reproduces the Design command's row.
  ASSERT_TRUE(editTotalDepth(*p, 1, 0.4));
  EXPECT_EQ(scheduleRowTexts(*p, 1), designed);

  // Deeper: kept. d = 500 - 65 = 435, Ast = max(steel for 136.04 kN m, 0.12 % of 2000 x 500 = 1200).
  ASSERT_TRUE(editTotalDepth(*p, 1, 0.5));
  const Row deeper = {"F1",   "1",  "2",   "0.5", "0.45", "151",   "0.775", "136.04", "0.359", "0.138",
                      "1200", "10", "120", "17",  "154",  "0.177", "0.283", "727",  "0.464", "1.118"};
  EXPECT_EQ(scheduleRowTexts(*p, 1), deeper);
  // Shallower than shear needs but not than bending: kept as typed, and its one-way shear is flagged.
  ASSERT_TRUE(editTotalDepth(*p, 1, 0.3));
  EXPECT_EQ(scheduleRowTexts(*p, 1)[kColDepth], "0.3");
  EXPECT_GT(p->DesignGroupTable[1].design.tv1, p->DesignGroupTable[1].design.tc);

  // Shallower than bending needs: back to 0.25, then deepened by shear to the designed 0.4.
  ASSERT_TRUE(editTotalDepth(*p, 1, 0.2));
  EXPECT_EQ(scheduleRowTexts(*p, 1), designed);
  ASSERT_TRUE(editTotalDepth(*p, 1, -3));
  EXPECT_EQ(scheduleRowTexts(*p, 1), designed);

  EXPECT_FALSE(editTotalDepth(*p, 1, 1e300));  // no single holds it
  EXPECT_FALSE(editTotalDepth(*p, 2, 0.5));     // not a row
  EXPECT_EQ(scheduleRowTexts(*p, 1), designed);
}

// What the engineer is told after typing a depth: nothing when it is used (or merely rounded to whole
// millimetres), else what the row uses and why. The example's bending needs 0.25 m and shear 0.4 m; a
// 40 kN support on the same footing (q 10 kN/m2) passes shear at the 0.25 m bending needs.
TEST(ScheduleEdits, ADepthTheRowDoesNotUseIsExplained) {
  auto p = designedExample();
  auto light = newProject();
  setSupport(*light, 1, 101, {{1, 40, 0, 0}});
  addGroup(*light, 2.0f, 0.45f, {1});
  RecordingPrompter prompter;
  DesignAllGroups(*light, prompter);
  const std::string since = " m deep, since one-way shear or punching fails at a shallower depth.";
  const struct {
    Project* project;
    double typed;
    std::string note;
  } cases[] = {
      {p.get(), 0.4, ""},
      {p.get(), 0.5, ""},
      {p.get(), 0.4567, ""},  // designed 0.457 m: the typed depth to whole millimetres
      {p.get(), 0.2, "The depth 0.2 m typed for F1 is less than bending needs (0.25 m): the row is designed 0.4" + since},
      {p.get(), 0.3, ""},  // kept, and flagged by its checks
      {light.get(), 0.2, "The depth 0.2 m typed for F1 is less than bending needs: the row is designed 0.25 m deep."},
      {light.get(), 0.3, ""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(editTotalDepth(*c.project, 1, c.typed));
    EXPECT_EQ(typedDepthNote(*c.project, 1, c.typed), c.note) << c.typed;
  }
  EXPECT_FLOAT_EQ(groupBendingDepth(*p, 1), 0.25f);
  EXPECT_EQ(typedDepthNote(*p, 2, 0.1), "");  // no such row
}

TEST(ScheduleEdits, PedestalEditRedesignsFromScratchAndRefusesSizesNotBelowTheFooting) {
  auto p = designedExample();
  const Row designed = scheduleRowTexts(*p, 1);
  EXPECT_FALSE(editPedestal(*p, 1, PedestalSides::square(2.0)));
  EXPECT_FALSE(editPedestal(*p, 1, PedestalSides::square(2.5)));
  EXPECT_FALSE(editPedestal(*p, 1, PedestalSides::square(0)));
  EXPECT_EQ(scheduleRowTexts(*p, 1), designed);

  // A deep section is discarded: the larger pedestal shortens the cantilever and the footing gets
  // shallower (Mu 56.625 rounds half to even to 56.62).
  ASSERT_TRUE(editTotalDepth(*p, 1, 0.6));
  ASSERT_TRUE(editPedestal(*p, 1, PedestalSides::square(1.0)));
  Row t = scheduleRowTexts(*p, 1);
  EXPECT_EQ(t[kColPedestal], "1");
  EXPECT_EQ(t[kColCantilever], "0.5");
  EXPECT_EQ(t[kColMu], "56.62");
  EXPECT_EQ(t[kColDepth], "0.3");
  EXPECT_EQ(t[kColSS1], "0.255");

  ASSERT_TRUE(editPedestal(*p, 1, PedestalSides::square(1.99)));
  t = scheduleRowTexts(*p, 1);
  EXPECT_EQ(t[kColPedestal], "1.99");
  EXPECT_EQ(t[kColDepth], "0.25");
}

TEST(ScheduleEdits, BarDiameterCyclesThroughTheOptionsDiametersAndIsKept) {
  auto p = designedExample();
  const Row designed = scheduleRowTexts(*p, 1);
  // Each click takes the next diameter of the options (10, 12, 16, 20, 25) and keeps it; the inner
  // layer's d = D - 50 - 1.5 dia, so Ast changes with the bar, and the spacing stays on the 10 mm step.
  // From 16 mm on the 300 mm limit governs: 9 bars, 260 apart.
  const std::array<std::array<std::string, 4>, 5> steps = {{{"12", "180", "12", "1179"},
                                                           {"16", "260", "9", "1202"},
                                                           {"20", "260", "9", "1227"},
                                                           {"25", "260", "9", "1259"},
                                                           {"10", "130", "16", "1168"}}};
  for (const auto& step : steps) {
    ASSERT_TRUE(cycleBarDia(*p, 1));
    EXPECT_TRUE(p->DesignGroupTable[1].BarDiaFixed);
    Row t = scheduleRowTexts(*p, 1);
    EXPECT_EQ(t[kColDia], step[0]);
    EXPECT_EQ(t[kColSpace], step[1]) << step[0];
    EXPECT_EQ(t[kColRods], step[2]) << step[0];
    EXPECT_EQ(t[kColAst], step[3]) << step[0];
  }
  EXPECT_EQ(scheduleRowTexts(*p, 1), designed);

  p->DesignGroupTable[1].BarDia = 32;  // outside the options: kept on every click
  ASSERT_TRUE(cycleBarDia(*p, 1));
  ASSERT_TRUE(cycleBarDia(*p, 1));
  EXPECT_EQ(scheduleRowTexts(*p, 1)[kColDia], "32");
  EXPECT_FALSE(cycleBarDia(*p, 0));
}

TEST(DetailEstimates, PeakPressureCoversEveryCaseOfTheFootingFromTheFirst) {
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 100, 0, 0}, {2, 300, 30, 0}, {3, 200, 0, 40}});
  p->ReactionTable(1, 3, 2) = 5000;  // beyond the footing's cases
  p->FootingTable[1].SizeL = 2.0f;
  p->FootingTable[1].SizeB = 1.5f;
  // 300 / 3 + 6 x 30 / (2 x 1.5^2) = 140; the others give 100 / 3 = 33.3 and
  // 200 / 3 + 6 x 40 / (2^2 x 1.5) = 106.7.
  EXPECT_FLOAT_EQ(FootingPeakPressure(*p, 1), 140.0f);
  // The first case counts too: here it is the heaviest.
  p->ReactionTable(1, 0, 2) = 1000;
  EXPECT_FLOAT_EQ(FootingPeakPressure(*p, 1), 1000.0f / 3);
  // A support with a single case: 1000 / 2^2.
  setSupport(*p, 2, 2, {{1, 1000, 0, 0}});
  p->FootingTable[2].SizeL = p->FootingTable[2].SizeB = 2.0f;
  EXPECT_EQ(FootingPeakPressure(*p, 2), 250.0f);
  EXPECT_EQ(FootingPeakPressure(*p, 3), 0.0f);
}

TEST(DetailEstimates, TheDepthOfASingleCaseSupportFollowsItsLoad) {
  // 2 m square, one case. 10 kN gives 2.5 kN/m2 and the 0.19 m minimum. 1000 kN gives 250 kN/m2:
  // c = 0.7, Mu = 250 x 1.5 x 2 x 0.49 / 2 = 183.75, bending depth sqrt(183.75 / 0.138 / 20 / 2 / 1000)
  // = 0.182, raised to 0.19. One-way shear, V1 = (0.7 - d) x 750, tv1 = V1 / (2 d) / 1000:
  //   d 0.365: k = 0.0919 / d^2 = 0.690, pt 0.199 -> 0.2, tc 0.32 < tv1 251.25 / 730 = 0.344;
  //   d 0.39:  k = 0.604, pt 0.2, tc 0.32 >= tv1 232.5 / 780 = 0.298; punching
  //            (4 - 0.99^2) x 375 = 1132.5 kN over 4 x 0.99 x 0.39 m2 = 0.73 <= 1.12 N/mm2.
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 10, 0, 0}});
  setSupport(*p, 2, 2, {{1, 1000, 0, 0}});
  for (int s : {1, 2}) p->FootingTable[s].SizeL = p->FootingTable[s].SizeB = 2.0f;
  EXPECT_EQ(FootingDepthEstimate(*p, 1), 0.19f);
  EXPECT_EQ(FootingDepthEstimate(*p, 2), 0.39f);
}

TEST(DetailEstimates, DepthEstimateReportsTheGoverningDirection) {
  auto p = newProject();
  setSupport(*p, 1, 1, {{1, 100, 0, 0}, {2, 900, 20, 20}});
  p->FootingTable[1].SizeL = 3.0f;
  p->FootingTable[1].SizeB = 1.5f;
  const float longFirst = FootingDepthEstimate(*p, 1);
  std::swap(p->FootingTable[1].SizeL, p->FootingTable[1].SizeB);
  const float longSecond = FootingDepthEstimate(*p, 1);
  EXPECT_EQ(longFirst, longSecond);
  EXPECT_GT(longFirst, 0.19f);

  // Before any Design command the estimate already uses the grade's shear strengths.
  EXPECT_EQ(p->ShearGradeColumn, 0);
  p->Fe = 0;
  EXPECT_EQ(FootingDepthEstimate(*p, 1), 0.0f);
}

// The texts a combined row shows: its bars in short in one cell and every diameter the design chose.
TEST(FootingRowTexts, BarsInShortAndEveryChosenDiameter) {
  auto p = newProject();
  setSupport(*p, 1, 20, {{1, 100, 0, 0}});
  setSupport(*p, 2, 21, {{1, 100, 0, 0}});
  FootingRow row;
  row.kind = FootingRow::Kind::Combined;
  row.number = 1;
  row.footings = {1, 2};
  row.L = 4.1f;
  row.B = 2.65f;
  auto layer = [](const char* where, int16_t dia, int16_t spacing) {
    SteelLayer l;
    l.where = where;
    l.dia = dia;
    l.spacing = spacing;
    return l;
  };
  row.steel = {layer("bottom along L", 10, 101), layer("top along L", 10, 105),
               layer("bottom along B under joint 20", 12, 108), layer("bottom along B, elsewhere", 16, 242)};
  EXPECT_EQ(compactSteelText(row),
            "L 10\u00d8@101 \u00b7 top L 10\u00d8@105 \u00b7 B at 20 12\u00d8@108 \u00b7 B else 16\u00d8@242");
  auto t = footingRowTexts(*p, row);
  EXPECT_EQ(t[kColMark], "C1");
  EXPECT_EQ(t[kColNos], "20, 21");
  EXPECT_EQ(t[kColDia], "10/12/16");
  row.BarDia = 12;  // the engineer's choice is the one diameter shown
  EXPECT_EQ(footingRowTexts(*p, row)[kColDia], "12");
  row.steel = {layer("bottom along B, central band", 12, 120), layer("bottom along B, outer strips", 12, 170)};
  EXPECT_EQ(compactSteelText(row), "B band 12\u00d8@120 \u00b7 B out 12\u00d8@170");
}
