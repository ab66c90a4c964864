// Quantities of the schedule against calculations written out by hand: concrete of footings and
// pedestals, reinforcement, excavation and formwork per row and in total.
#include "design/quantities.h"

#include <gtest/gtest.h>

#include <memory>

#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/prompter.h"
#include "project/schedule_design.h"

using namespace plintova;

namespace {

constexpr double kTol = 1e-4;

SteelLayer layer(const char* where, int dia, int bars) {
  SteelLayer l;
  l.where = where;
  l.dia = static_cast<int16_t>(dia);
  l.bars = static_cast<int16_t>(bars);
  return l;
}

FootingRow footingRow(FootingRow::Kind kind, int number, float L, float B, float D, float a) {
  FootingRow row;
  row.kind = kind;
  row.number = number;
  row.L = L;
  row.B = B;
  row.TotalDepth = D;
  row.Pedestal = PedestalSides::square(a);
  return row;
}

TEST(Quantities, BarsWeighAsStated) {
  // 0.00617 phi^2 kg/m: 0.617 kg/m for 10 mm, 2.468 kg/m for 20 mm.
  EXPECT_NEAR(barMassPerMetre(10), 0.617, 1e-12);
  EXPECT_NEAR(barMassPerMetre(20), 2.468, 1e-12);
}

// The one support of tests/data/single_support.ANL designed for SBC 200 kN/m2 at 1.5 m: one group row F1.
TEST(Quantities, OneFootingOfAListingByHand) {
  auto p = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListing(*p, PLINTOVA_TEST_DATA "/single_support.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
  ASSERT_EQ(startPlan(*p, prompter), "");
  ASSERT_TRUE(designSchedule(*p, prompter));
  // The row the figures below are worked out for: one footing 2.3 x 2.3 x 0.45 m under a 0.6 m
  // pedestal, 23 bars of 10 mm each way, founding depth h = 30 / 20 = 1.5 m.
  ASSERT_EQ(p->DesignGroupCount, 1);
  const SizeGroupRecord& row = p->DesignGroupTable[1];
  ASSERT_EQ(row.MemberCount, 1);
  ASSERT_FLOAT_EQ(row.GroupSize, 2.3f);
  ASSERT_FLOAT_EQ(row.TotalDepth, 0.45f);
  ASSERT_FLOAT_EQ(row.Pedestal.x, 0.6f);
  ASSERT_EQ(row.BarDia, 10);
  ASSERT_EQ(row.design.n, 23);
  ASSERT_DOUBLE_EQ(p->FoundingDepth, 1.5);

  const Quantities q = scheduleQuantities(*p);
  ASSERT_EQ(q.rows.size(), 1u);
  const RowQuantities& f1 = q.rows[0];
  EXPECT_EQ(f1.mark, "F1");
  EXPECT_EQ(f1.footings, 1);
  EXPECT_EQ(f1.pedestals, 1);
  // Footing: 2.3 x 2.3 x 0.45 = 2.3805 m3.
  EXPECT_NEAR(f1.footingConcrete, 2.3805, kTol);
  // Pedestal: 0.6^2 x (1.5 - 0.45) = 0.36 x 1.05 = 0.378 m3.
  EXPECT_NEAR(f1.pedestalConcrete, 0.378, kTol);
  // Steel, as the bar bending schedule cuts it. Footing: straight bars (they develop within the 0.85 m
  // cantilever), each 2.3 - 0.1 = 2.2 m; 2 x 23 = 46 bars = 101.2 m at 0.617 kg/m = 62.4404 kg.
  // Pedestal 1.05 m high (Pu = 1275 kN, a 400 x 400 column): 8 bars of 12 mm, 1050 - 40 + 450 - 50 - 20
  // = 1390 and a foot of 144, less 35.177 -> 1.499 m, 11.992 m = 10.6547 kg; 7 ties of 8 mm, 2.259 m, and
  // 14 cross ties, 0.77 m, 26.593 m = 10.5010 kg; 4 dowels of 16 mm, 380 + 1050 + 516 = 1946 and a foot
  // of 192, less 46.903 -> 2.091 m, 8.364 m = 13.2111 kg. 96.8072 kg in all.
  EXPECT_TRUE(f1.steelKnown);
  EXPECT_FALSE(row.design.bent);
  EXPECT_NEAR(f1.steel, 62.4404 + 10.65465 + 10.50105 + 13.21111, kTol);
  // Excavation: (2.3 + 0.6) x (2.3 + 0.6) x 1.5 = 2.9 x 2.9 x 1.5 = 12.615 m3.
  EXPECT_NEAR(f1.excavation, 12.615, kTol);
  // Formwork: 2 x (2.3 + 2.3) x 0.45 = 4.14 m2.
  EXPECT_NEAR(f1.formwork, 4.14, kTol);
  // One row: the total is that row.
  EXPECT_EQ(q.total.mark, "Total");
  EXPECT_NEAR(q.total.steel, f1.steel, 1e-9);
  EXPECT_NEAR(q.total.excavation, f1.excavation, 1e-9);
}

// A group row of two footings, a hand-resized and a combined footing, all at a founding depth of 1.5 m.
TEST(Quantities, RowsOfEveryKindAndTheirTotal) {
  auto p = std::make_unique<Project>();
  setFoundingDepth(*p, 1.5);
  p->DesignGroupCount = 1;
  SizeGroupRecord& g = p->DesignGroupTable[1];
  g.GroupSize = 2.0f;
  g.TotalDepth = 0.5f;
  g.Pedestal = PedestalSides::square(0.45f);
  g.BarDia = 12;
  g.MemberCount = 2;
  g.GroupMark = 3;
  g.design.n = 15;
  g.design.bent = true;

  FootingRow r = footingRow(FootingRow::Kind::Rectangular, 1, 2.4f, 1.8f, 0.45f, 0.4f);
  r.steel = {layer("bottom along L", 12, 10), layer("bottom along B", 10, 14)};
  r.steel[0].bent = true;
  p->RectangularRows.push_back(r);

  FootingRow c = footingRow(FootingRow::Kind::Combined, 1, 4.0f, 2.0f, 0.6f, 0.5f);
  c.steel = {layer("bottom along L", 16, 20), layer("top along L", 12, 20),
             layer("bottom along B under joint 1", 12, 10), layer("bottom along B under joint 2", 12, 10)};
  p->CombinedRows.push_back(c);

  const Quantities q = scheduleQuantities(*p);
  ASSERT_EQ(q.rows.size(), 3u);

  // F3, two footings 2.0 x 2.0 x 0.5 under 0.45 m pedestals, 15 bars of 12 mm each way:
  const RowQuantities& f = q.rows[0];
  EXPECT_EQ(f.mark, "F3");
  EXPECT_EQ(f.footings, 2);
  EXPECT_EQ(f.pedestals, 2);
  EXPECT_NEAR(f.footingConcrete, 2 * 2.0 * 2.0 * 0.5, kTol);  // 4.0 m3
  EXPECT_NEAR(f.pedestalConcrete, 2 * 0.2025 * 1.0, kTol);    // 0.45^2 x (1.5 - 0.5) each: 0.405 m3
  // The lean bed (default 100 mm thick, 100 mm beyond each edge): 0.1 x (2.0 + 0.2) x (2.0 + 0.2) =
  // 0.484 m3 under each footing, 0.968 m3 for the two.
  EXPECT_NEAR(f.leanConcrete, 0.968, kTol);
  // Bent bars (the bar bending schedule's cutting length): 2000 - 2 x 50 = 1900 with legs of (4 + 1 +
  // 4) x 12 = 108 at each end, less two bends of 35.177: 2045.65 -> 2.046 m at 0.00617 x 144 = 0.88848
  // kg/m; 2 footings x 2 layers x 15 = 60 bars: 122.76 m = 109.0698048 kg.
  EXPECT_NEAR(f.steel, 109.0698048, kTol);
  EXPECT_NEAR(f.excavation, 2 * 2.6 * 2.6 * 1.5, kTol);  // 20.28 m3
  EXPECT_NEAR(f.formwork, 2 * 2 * 4.0 * 0.5, kTol);      // 8.0 m2

  // R1, 2.4 x 1.8 x 0.45 under a 0.4 m pedestal:
  const RowQuantities& rq = q.rows[1];
  EXPECT_EQ(rq.mark, "R1");
  EXPECT_EQ(rq.footings, 1);
  EXPECT_EQ(rq.pedestals, 1);
  EXPECT_NEAR(rq.footingConcrete, 1.944, kTol);   // 2.4 x 1.8 x 0.45
  EXPECT_NEAR(rq.pedestalConcrete, 0.168, kTol);  // 0.16 x 1.05
  EXPECT_NEAR(rq.leanConcrete, 0.52, kTol);       // 0.1 x (2.4 + 0.2) x (1.8 + 0.2) = 0.1 x 2.6 x 2.0
  // Along L, bent: 10 bars of 12 mm, 2300 + 2 x 108 - 2 x 35.177 = 2445.65 -> 2.446 m each: 24.46 m x
  // 0.88848 = 21.7322208 kg. Along B, straight: 14 bars of 10 mm, 1.8 - 0.1 = 1.7 m each: 23.8 m x 0.617
  // = 14.6846 kg.
  EXPECT_NEAR(rq.steel, 21.7322208 + 14.6846, kTol);  // 36.4168208 kg
  EXPECT_NEAR(rq.excavation, 3.0 * 2.4 * 1.5, kTol);   // 10.8 m3
  EXPECT_NEAR(rq.formwork, 2 * 4.2 * 0.45, kTol);      // 3.78 m2

  // C1, 4.0 x 2.0 x 0.6, two 0.5 m pedestals:
  const RowQuantities& cq = q.rows[2];
  EXPECT_EQ(cq.mark, "C1");
  EXPECT_EQ(cq.footings, 1);
  EXPECT_EQ(cq.pedestals, 2);
  EXPECT_NEAR(cq.footingConcrete, 4.8, kTol);
  EXPECT_NEAR(cq.pedestalConcrete, 2 * 0.25 * 0.9, kTol);  // 0.45 m3
  EXPECT_NEAR(cq.leanConcrete, 0.924, kTol);  // one bed under both columns: 0.1 x 4.2 x 2.2
  // Straight bars. Bottom along L: 20 x 16 mm x 3.9 m = 78 m x 1.57952 = 123.20256 kg.
  // Top along L:    20 x 12 mm x 3.9 m = 78 m x 0.88848 = 69.30144 kg.
  // The two bands across, 20 x 12 mm x 1.9 m = 38 m x 0.88848 = 33.76224 kg.
  EXPECT_NEAR(cq.steel, 226.26624, kTol);
  EXPECT_NEAR(cq.excavation, 4.6 * 2.6 * 1.5, kTol);  // 17.94 m3
  EXPECT_NEAR(cq.formwork, 2 * 6.0 * 0.6, kTol);      // 7.2 m2

  // The total adds the rows up: 4 footings (the combined one once) on 5 pedestals.
  EXPECT_EQ(q.total.footings, 4);
  EXPECT_EQ(q.total.pedestals, 5);
  EXPECT_NEAR(q.total.footingConcrete, 4.0 + 1.944 + 4.8, kTol);
  EXPECT_NEAR(q.total.pedestalConcrete, 0.405 + 0.168 + 0.45, kTol);
  EXPECT_NEAR(q.total.leanConcrete, 0.968 + 0.52 + 0.924, kTol);
  // The bed follows its options: 150 mm thick reaching 50 mm beyond the edges, F3's two beds are
  // 2 x 0.15 x 2.1 x 2.1 = 1.323 m3.
  p->decisions.options.leanThickness = 150;
  p->decisions.options.leanProjection = 50;
  EXPECT_NEAR(scheduleQuantities(*p).rows[0].leanConcrete, 1.323, kTol);
  EXPECT_NEAR(q.total.steel, 109.0698048 + 36.4168208 + 226.26624, kTol);
  EXPECT_NEAR(q.total.excavation, 20.28 + 10.8 + 17.94, kTol);
  EXPECT_NEAR(q.total.formwork, 8.0 + 3.78 + 7.2, kTol);
  EXPECT_TRUE(q.total.steelKnown);
}

TEST(Quantities, ShallowFoundingUncountableBarsAndNoRows) {
  auto p = std::make_unique<Project>();
  // h = 10 / 20 = 0.5 m, less than the 0.6 m footing: its top stands above the founding level, so no
  // pedestal concrete; the hole is still dug to h.
  setFoundingDepth(*p, 0.5);
  FootingRow r = footingRow(FootingRow::Kind::Rectangular, 1, 2.0f, 2.0f, 0.6f, 0.4f);
  p->RectangularRows.push_back(r);
  // A group row whose bars could not be counted: its steel is unknown, and so is the total's.
  p->DesignGroupCount = 1;
  SizeGroupRecord& g = p->DesignGroupTable[1];
  g.GroupSize = 1.5f;
  g.TotalDepth = 0.3f;
  g.Pedestal = PedestalSides::square(0.4f);
  g.BarDia = 10;
  g.MemberCount = 1;
  g.GroupMark = 1;
  g.design.n = 9;
  g.design.barsKnown = false;

  const Quantities q = scheduleQuantities(*p);
  ASSERT_EQ(q.rows.size(), 2u);
  EXPECT_FALSE(q.rows[0].steelKnown);
  EXPECT_EQ(q.rows[0].steel, 0);
  EXPECT_NEAR(q.rows[0].pedestalConcrete, 0.16 * 0.2, kTol);
  EXPECT_EQ(q.rows[1].pedestalConcrete, 0);
  EXPECT_NEAR(q.rows[1].excavation, 2.6 * 2.6 * 0.5, kTol);
  EXPECT_FALSE(q.total.steelKnown);

  // No schedule: nothing to build, a total of nothing.
  const Quantities none = scheduleQuantities(*std::make_unique<Project>());
  EXPECT_TRUE(none.rows.empty());
  EXPECT_EQ(none.total.footings, 0);
  EXPECT_EQ(none.total.footingConcrete, 0);
}

}  // namespace
