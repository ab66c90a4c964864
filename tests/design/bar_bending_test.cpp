// The bar bending schedule: cutting lengths worked by hand, one footing's bars, and its total as the
// quantities' reinforcement.
#include "design/bar_bending.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "design/quantities.h"
#include "design/workbook.h"
#include "design_fixture.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/prompter.h"
#include "project/schedule_design.h"

using namespace plintova;
using namespace plintova::design_test;

// Bends of internal radius r = 4 dia take 2 (r + dia) - pi (r + dia/2) / 2 each:
//   10 mm: 2 x 50 - pi x 45 / 2 = 29.314;  12 mm: 120 - pi x 54 / 2 = 35.177;  8 mm: 80 - pi x 36 / 2 = 23.451.
// A 135 degree hook of 8 mm: 3 pi x 36 / 4 + 10 x 8 = 164.823.
TEST(BarBending, CuttingLengthsByHand) {
  EXPECT_NEAR(bendDeduction(10, 4), 29.314, 0.001);
  EXPECT_NEAR(bendDeduction(12, 4), 35.177, 0.001);
  EXPECT_NEAR(hookLength(8, 4), 164.823, 0.001);
  EXPECT_NEAR(hookLength(6, 4), 63.617 + 75, 0.001);  // 3 pi x 27 / 4, and 75 mm: 10 dia is less
  struct Case {
    BarShape shape;
    std::vector<double> dims;
    double dia, cut;
  };
  const Case cases[] = {
      {BarShape::Straight, {1900}, 10, 1900},
      // 1900 + 2 x 90 - 2 x 29.314 = 2021.37
      {BarShape::U, {1900, 90, 90}, 10, 2021},
      // 1390 + 144 - 35.177 = 1498.82
      {BarShape::L, {1390, 144}, 12, 1499},
      // 2 (520 + 520) - 3 x 23.451 - 2 (32 + 8) + 2 x 164.823 = 2259.29
      {BarShape::Link, {520, 520}, 8, 2259},
      // 520 - 80 + 2 x 164.823 = 769.65
      {BarShape::CrossTie, {520}, 8, 770},
  };
  for (const Case& c : cases) EXPECT_EQ(cutLength(c.shape, c.dims, c.dia, 4), c.cut) << shapeName(c.shape);
  // Plain bars bent at 2 dia: 2 x 30 - pi x 25 / 2 = 20.73 per bend; 1900 + 180 - 41.46 = 2038.5 -> 2039
  // (2038.54, to the nearest millimetre).
  EXPECT_EQ(cutLength(BarShape::U, {1900, 90, 90}, 10, 2), 2039);
}

// One group row of two footings 2.0 m square, 700 mm deep, 12 bars of 10 mm each way, on a 0.6 m pedestal
// 0.8 m high (founding depth 1.5 m) with 12 bars of 12 mm, 6 ties of 8 mm with 4 cross ties a set and 4
// dowels of 16 mm, 630 mm in the footing and lapped 602 mm above. Cover 50 mm, pedestal cover 40 mm.
TEST(BarBending, OneFootingsBarsByHand) {
  auto p = newProject();
  p->DesignGroupCount = 1;
  SizeGroupRecord& row = p->DesignGroupTable[1];
  row.GroupMark = 1;
  row.MemberCount = 2;
  row.GroupSize = 2.0f;
  row.TotalDepth = 0.7f;
  row.Pedestal = PedestalSides::square(0.6f);
  row.BarDia = 10;
  row.design.n = 12;
  PedestalSteel& ps = row.pedestal;
  ps.where = "pedestal";
  ps.sides = PedestalSides::square(0.6f);
  ps.height = 0.8f;
  ps.footingDepth = 700;
  ps.mat = 20;
  ps.vertical.dia = 12;
  ps.vertical.bars = 12;
  ps.ties.dia = 8;
  ps.ties.bars = 6;
  ps.crossTiesAlongX = 2;
  ps.crossTiesAlongZ = 2;
  ps.dowels.dia = 16;
  ps.dowels.bars = 4;
  ps.dowelEmbedment = 630;
  ps.dowelLap = 602;

  const BarBendingSchedule bbs = barBendingSchedule(*p);
  struct Expected {
    const char* mark;
    const char* where;
    BarShape shape;
    std::vector<double> dims;
    int perFooting;
    double cut;
  };
  const Expected expected[] = {
      // 2000 - 2 x 50, straight: 2 x 12 bars a footing.
      {"F1-1", "bottom each way", BarShape::Straight, {1900}, 24, 1900},
      // Up from the mat to 40 mm under the pedestal's top: 800 - 40 + 700 - 50 - 20 = 1390, foot 12 x 12.
      {"F1-2", "vertical bars", BarShape::L, {1390, 144}, 12, 1499},
      // 600 - 2 x 40 outside.
      {"F1-3", "ties", BarShape::Link, {520, 520}, 6, 2259},
      {"F1-4", "cross ties", BarShape::CrossTie, {520}, 24, 770},
      // 630 in the footing + 800 + 602 = 2032, foot 12 x 16; 2032 + 192 - 46.903 = 2177.1.
      {"F1-5", "dowels", BarShape::L, {2032, 192}, 4, 2177},
  };
  ASSERT_EQ(bbs.bars.size(), std::size(expected));
  for (std::size_t k = 0; k < bbs.bars.size(); ++k) {
    const BarMark& m = bbs.bars[k];
    const Expected& e = expected[k];
    EXPECT_EQ(m.mark, e.mark);
    EXPECT_EQ(m.where, e.where);
    EXPECT_EQ(m.shape, e.shape) << e.mark;
    EXPECT_EQ(m.dims, e.dims) << e.mark;
    EXPECT_EQ(m.perFooting, e.perFooting) << e.mark;
    EXPECT_EQ(m.count(), 2 * e.perFooting) << e.mark;
    EXPECT_EQ(m.cutLength, e.cut) << e.mark;
  }
  // Totals by diameter at 0.00617 dia^2 kg/m: 10 mm 48 x 1.9 = 91.2 m, 56.2704 kg; 12 mm 24 x 1.499 =
  // 35.976 m, 31.9640 kg; 8 mm 12 x 2.259 + 48 x 0.77 = 64.068 m, 25.2992 kg; 16 mm 8 x 2.177 = 17.416 m,
  // 27.5089 kg; 141.0424 kg in all.
  ASSERT_EQ(bbs.byDiameter.size(), 4u);
  EXPECT_EQ(bbs.byDiameter[0].dia, 8);
  EXPECT_NEAR(bbs.byDiameter[0].length, 64.068, 1e-9);
  EXPECT_NEAR(bbs.byDiameter[3].weight, 17.416 * 0.00617 * 256, 1e-9);
  EXPECT_NEAR(bbs.weight, 141.0424, 1e-4);
  EXPECT_NEAR(scheduleQuantities(*p).total.steel, bbs.weight, 1e-9);
}

// On the example frame, and with a hand-resized and a combined footing, the quantities' reinforcement is
// the schedule's weight row by row, and the workbook's sheet lists every bar mark.
TEST(BarBending, QuantitiesAndWorkbookTakeTheSchedule) {
  auto p = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListing(*p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
  ASSERT_EQ(startPlan(*p, prompter), "");
  ASSERT_TRUE(designSchedule(*p, prompter));
  const BarBendingSchedule bbs = barBendingSchedule(*p);
  const Quantities q = scheduleQuantities(*p);
  EXPECT_NEAR(q.total.steel, bbs.weight, 1e-6);
  for (const RowQuantities& r : q.rows) EXPECT_NEAR(r.steel, bbs.rowWeight(r.mark), 1e-9) << r.mark;
  // Each of the 11 rows: footing bars, pedestal bars, ties, (cross ties), dowels.
  for (int r = 1; r <= p->DesignGroupCount; ++r) {
    const std::string mark = "F" + std::to_string(p->DesignGroupTable[r].GroupMark);
    EXPECT_GE(std::count_if(bbs.bars.begin(), bbs.bars.end(), [&](const BarMark& m) { return m.row == mark; }), 4)
        << mark;
  }
  const std::vector<Sheet> book = buildWorkbook(*p);
  const auto sheet = std::find_if(book.begin(), book.end(), [](const Sheet& s) { return s.name == "Bar bending schedule"; });
  ASSERT_NE(sheet, book.end());
  ASSERT_GE(sheet->rows.size(), bbs.bars.size() + 1);
  for (std::size_t k = 0; k < bbs.bars.size(); ++k) EXPECT_EQ(sheet->rows[k + 1][0].text, bbs.bars[k].mark);
}
