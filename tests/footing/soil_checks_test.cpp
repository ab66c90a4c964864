// The pressure under a footing that the soil holds in compression only, the loads of an offset footing
// about its centre, and the weight that holds a footing down.
#include <gtest/gtest.h>

#include "design/soil_pressure.h"
#include "footing/derived_plan.h"
#include "footing/no_tension.h"
#include "footing/plan_decisions.h"
#include "footing_test_support.h"

using namespace plintova;
using namespace plintova::testing;

// A footing L x B = 3 x 2 m under P = 600 kN with the resultant e off the centre along L (Mz = P e).
// While e <= L/6 the pressure is linear: P/(B L) (1 + 6 e/L). Beyond it the soil takes no tension: the
// pressure is a triangle from the edge nearer the resultant, as long as 3 (L/2 - e) (its centroid lies a
// third of its length in, under the resultant), whose peak q balances P:
//   q x 3 (L/2 - e) x B / 2 = P   =>   q = 2 P / (3 B (L/2 - e)).
//  - e = L/6 = 0.5: both forms give 2 P/(B L) = 200 kN/m2, the lighter edge just at zero;
//  - e = 0.6, just above: 2 x 600 / (3 x 2 x 0.9) = 222.22, the contact 2.7 m of the 3;
//  - e -> L/2: at e = 1.49 the contact is 0.03 m and q = 1200 / (6 x 0.01) = 20000; at e = L/2 no
//    contact balances the load.
TEST(NoTensionPressure, AlongOneSideTheTriangleTakesOverBeyondTheMiddleThird) {
  const struct {
    double e, peak;
    bool partial, balanced;
  } cases[] = {{0.0, 100, false, true},  {0.5, 200, false, true},     {0.6, 222.2222, true, true},
               {1.2, 666.6667, true, true}, {1.49, 20000, true, true}, {1.5, 0, true, false}};
  for (const auto& c : cases) {
    const PressureUnderFooting q = pressureUnderFooting(600, 0, 600 * c.e, 3, 2);
    EXPECT_EQ(q.partial, c.partial) << c.e;
    EXPECT_EQ(q.balanced, c.balanced) << c.e;
    if (!c.balanced) continue;
    EXPECT_NEAR(q.max, c.peak, 1e-4 * c.peak) << c.e;
    EXPECT_NEAR(uniaxialPeak(600, c.e, 3, 2), c.peak, 1e-4 * c.peak) << c.e;
    if (c.partial) {
      EXPECT_NEAR(q.contact, 3 * (1.5 - c.e) / 3, 1e-9) << c.e;
    }
  }
  // Across the width the same, B taking the place of L.
  EXPECT_NEAR(pressureUnderFooting(600, 600 * 0.5, 0, 3, 2).max, 2 * 600 / (3 * 3 * (1.0 - 0.5)), 1e-6);
  // Nothing presses: no contact.
  EXPECT_FALSE(pressureUnderFooting(-10, 5, 5, 2, 2).balanced);
}

// Both moments: when the contact is a triangle at the loaded corner, the pressure is a tetrahedron over
// it. A right triangle with legs a and b carrying a plane of pressure that is q at the right angle and
// zero on the hypotenuse has the resultant a/4 and b/4 from the corner and the volume q a b / 6. With
// the resultant u and v from the corner, the legs are 4u and 4v (both within the footing), and
//   q = 6 P / (4u x 4v) = 3 P / (8 u v).
// A 2 x 2 m footing, P = 100 kN at u = v = 0.3 m (ex = ez = 0.7 m): legs 1.2 m, q = 416.67 kN/m2.
TEST(NoTensionPressure, BothMomentsGiveTheTetrahedronAtTheLoadedCorner) {
  const PressureUnderFooting q = pressureUnderFooting(100, 70, 70, 2, 2);
  EXPECT_TRUE(q.partial && q.balanced);
  EXPECT_NEAR(q.max, 3 * 100 / (8 * 0.3 * 0.3), 1e-3);
  EXPECT_NEAR(q.contact, 1.2 * 1.2 / 2 / 4, 1e-6);
  // The moments whatever their sign; a footing L x B with the moments swapped is the same turned.
  EXPECT_NEAR(pressureUnderFooting(100, -70, 70, 2, 2).max, q.max, 1e-9);
  EXPECT_NEAR(pressureUnderFooting(500, 90, 210, 3, 2).max, pressureUnderFooting(500, 210, 90, 2, 3).max, 1e-6);
  // Every biaxial peak lies at or above the uniaxial one of either moment alone.
  EXPECT_GT(pressureUnderFooting(500, 90, 210, 3, 2).max, uniaxialPeak(500, 210.0 / 500, 3, 2));
}

// A footing moved off its column by (ex, ez): its centre lies at the column plus (ex, ez), so the
// column's load acts at (-ex, -ez) from it. In the listing's convention, where the reactions are the
// support's forces on the structure, the footing takes -FY at (-ex, -ez) and the couples -MX, -MZ:
// about the centre (r x F with r = (-ex, 0, -ez), F = (0, -FY, 0)) that adds -FY ez about X and +FY ex
// about Z, so the moments about the centre, as the reactions count them, are
//   MX' = MX + FY ez,   MZ' = MZ - FY ex.
// FY = 1000 kN with MX = 100 kN m on a 2 m square (P = 1100): under the column the edge pressures are
// 275 +- 6 x 100 / 8 = 350 / 200. With ez = -0.1 m the footing sits under the resultant: MX' = 0 and the
// pressure is uniform, 275. With ez = +0.1 m the eccentricity doubles: MX' = 200, 275 +- 150. Along X the
// same with MZ = 100 and ex = +0.1 (balancing) or -0.1 (doubling).
TEST(OffsetFootings, AnOffsetEqualToTheMomentOverTheLoadMakesThePressureUniform) {
  auto p = makeProject("200");
  addSupport(*p, 1, 0, 0, {{1000, 100, 0}, {1000, 0, 100}});
  FootingRecord& f = p->FootingTable[1];
  const struct {
    int c, dx, dz;
    double max, min;
  } cases[] = {{0, 0, 0, 350, 200},   {0, 0, -100, 275, 275}, {0, 0, 100, 425, 125},
               {1, 100, 0, 275, 275}, {1, -100, 0, 425, 125}};
  for (const auto& c : cases) {
    f.PosX = f.ColumnX + c.dx;
    f.PosZ = f.ColumnZ + c.dz;
    const EdgePressures e = edgePressures(*p, 1, c.c, 2, 2);
    EXPECT_NEAR(e.max, c.max, 1e-9) << c.dx << " " << c.dz;
    EXPECT_NEAR(e.min, c.min, 1e-9) << c.dx << " " << c.dz;
  }
  // The horizontal forces at the support-height option add |FZ| h and |FX| h: 20 kN at 1.5 m is 30 kN m
  // more about X, 275 + 6 x 130 / 8 = 372.5 under the column.
  f.PosX = f.ColumnX;
  f.PosZ = f.ColumnZ;
  p->ReactionTable(1, 0, kReactionFZ) = -20;
  p->decisions.options.supportHeight = 1.5;
  EXPECT_NEAR(edgePressures(*p, 1, 0, 2, 2).max, 372.5, 1e-9);
}

// An offset is a decision like any other: the plan derived from it sizes the footing with the moment about
// its new centre and puts it into the group that size needs. A 450 mm column moves its footing by
// 450/2 - 115 = 110 mm a step. FY 1000, MX -110: under the column 200 L^3 - 1100 L - 660 = 0 gives
// L = 2.6016; one step along +Z (ez = 0.11) makes MX' = -110 + 1000 x 0.11 = 0: sqrt(1100 / 200) = 2.346.
TEST(OffsetFootings, ABalancingOffsetShrinksTheFootingAndMovesItToASmallerGroup) {
  auto p = makeProject("200");
  addSupport(*p, 1, 0, 0, {{1000, -110, 0}});
  addSupport(*p, 2, 8000, 0, {{1000, 0, 0}});
  p->ColumnSectionCount = 1;
  p->ColumnSectionTable[1][3] = 450;
  p->ColumnSectionTable[1][4] = 450;
  p->FootingTable[1].ColumnMember = 1;
  RecordingPrompter prompter;
  ASSERT_EQ(startPlan(*p, prompter), "");
  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.602f);  // in the 2.7 m group, F2
  EXPECT_EQ(p->FootingTable[1].GroupRank, 2);
  ASSERT_TRUE(applyDecisions(*p, withOffsetSteps(*p, 1, {0, 1}), prompter));
  EXPECT_EQ(p->FootingTable[1].PosZ, 110);
  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.346f);
  EXPECT_EQ(p->FootingTable[1].GroupRank, p->FootingTable[2].GroupRank);  // both in the 2.4 m group now
  EXPECT_EQ(p->SizeGroupCount, 1);
}

// The weight that holds a footing down, worked by hand: 2 x 2 m, 0.5 m deep, a 0.6 m pedestal, founded at
// 1.5 m with concrete 25 and soil 18 kN/m3: footing 4 x 0.5 x 25 = 50, pedestal 0.36 x 1.0 x 25 = 9, soil
// (4 - 0.36) x 1.0 x 18 = 65.52; W = 124.52 kN. With the water table 1 m down the footing lies below it
// and weighs 4 x 0.5 x (25 - 9.81) = 30.38: W = 104.90; at 1.2 m down, 0.3 m of it: 4 x (12.5 - 2.943) =
// 38.228, W = 112.748; at 0.5 m the pedestal and soil lose 0.5 x 9.81 a metre of height too: 9 - 0.36 x
// 4.905 + 65.52 - 3.64 x 4.905 + 30.38 = 85.28.
TEST(FootingWeight, EachLayerWeighsItsUnitWeightLessWaterBelowTheWaterTable) {
  DesignOptions o;
  EXPECT_NEAR(footingWeight(o, 1.5, 2, 2, 0.5, PedestalSides::square(0.6)), 124.52, 1e-6);  // a single-precision side
  for (auto [water, W] : {std::pair{1.0, 104.90}, std::pair{1.2, 112.748}, std::pair{0.5, 85.28}}) {
    o.waterTableDepth = water;
    EXPECT_NEAR(footingWeight(o, 1.5, 2, 2, 0.5, PedestalSides::square(0.6)), W, 1e-6) << water;
  }
}
