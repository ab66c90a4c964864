// Pedestals and dowels against calculations written out by hand, and the rows of the example frame that
// carry them.
#include "design/pedestal_design.h"

#include <gtest/gtest.h>

#include <memory>

#include "design/footing_design.h"
#include "design_fixture.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/prompter.h"
#include "project/schedule_design.h"
#include "row_test_support.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

// M20, Fe 415, founding depth 1.5 m, default options (pedestal cover 40 mm, dowels of 16 mm, bars of
// 10, 12, 16, 20, 25 mm, least spacing 100 mm, spacing step 10 mm).
// A 300 x 450 mm column on a 0.6 m pedestal, on a footing 700 mm deep whose bottom mat is 2 x 10 mm,
// reaching 0.85 m beyond the pedestal's face.
PedestalDesign pedestalFor(const Project& p, double Pu, double D = 700, PedestalSides sides = PedestalSides::square(0.6)) {
  PedestalLoad load;
  load.Pu = Pu;
  load.bearingX = 300;
  load.bearingZ = 450;
  load.dowelColumnArea = 300 * 450;
  load.columnKnown = true;
  PedestalSite site;
  site.sides = sides;
  site.D = D;
  site.mat = 20;
  site.reach = 0.85;
  return designPedestal(p, load, site);
}

struct PedestalCase {
  double Pu;
  // Expected:
  double As;           // mm2 the vertical bars need
  int bars, spacing;   // 12 mm bars round the pedestal, centre spacing along a face
  int crossTies;
  double dowelNeed;    // mm2
  int dowels;          // of 16 mm
};

}  // namespace

// Pedestal 0.6 m, height 1.5 - 0.7 = 0.8 m, Ag = 360 000 mm2.
// Pu = 1500 kN: the area the load needs with 0.8 % steel, Pu / (0.4 fck + 0.67 fy x 0.008) =
//   1 500 000 / (8 + 2.22436) = 146 707.9 mm2; 0.8 % of it = 1173.7 mm2 (> 0.15 % Ag = 540; 0.4 fck Ag =
//   2880 kN carries Pu alone). 12 mm bars on centres 600 - 2 (40 + 8) - 12 = 492 mm apart: by area
//   ceil(1173.7 / (4 x 113.1)) + 1 = 4 on a face, by spacing ceil(492 / 300) + 1 = 3; 4 a face = 12 bars
//   164 mm apart (>= 100: the smallest diameter is taken). Two intermediate bars a face: 4 cross ties.
//   Ties of 8 mm (>= 12/4), pitch min(600, 16 x 12 = 192, 300) = 192, down to 190 mm: 800 / 190 = 4.2,
//   5 spaces, 6 ties. Bearing on the pedestal's top: A2 = 300 x 450, sqrt(A1/A2) = min(600/300, 600/450)
//   = 1.3333, 0.45 x 20 x 1.3333 x 135 000 = 1620 kN >= Pu: the dowels are 0.5 % of the column, 675 mm2,
//   4 of 16 mm (804.2 mm2).
// Pu = 2000 kN: 2 000 000 / 10.22436 = 195 610.5 mm2, 0.8 % = 1564.9 mm2: ceil(1564.9 / 452.4) + 1 = 5
//   a face, 16 bars 492 / 4 = 123 mm apart, 3 intermediate bars a face, 6 cross ties. The bearing's excess
//   380 kN at 0.67 fy = 278.05: 1366.7 mm2 of dowels, 6.8 -> 7 -> 8 of 16 mm (in pairs), 1608.5 mm2.
TEST(PedestalDesign, VerticalBarsTiesAndDowelsByHand) {
  auto p = newProject();
  const PedestalCase cases[] = {
      {1500, 1173.66, 12, 164, 4, 675, 4},
      {2000, 1564.88, 16, 123, 6, 1366.66, 8},
  };
  for (const PedestalCase& k : cases) {
    SCOPED_TRACE(k.Pu);
    const PedestalDesign d = pedestalFor(*p, k.Pu);
    const PedestalSteel& s = d.steel;
    EXPECT_FLOAT_EQ(s.height, 0.8f);
    EXPECT_EQ(s.vertical.dia, 12);
    EXPECT_EQ(s.vertical.bars, k.bars);
    EXPECT_EQ(s.vertical.spacing, k.spacing);
    EXPECT_EQ(s.ties.dia, 8);
    EXPECT_EQ(s.ties.spacing, 190);
    EXPECT_EQ(s.ties.bars, 6);
    EXPECT_EQ(s.crossTies(), k.crossTies);
    EXPECT_EQ(s.dowels.dia, 16);
    EXPECT_EQ(s.dowels.bars, k.dowels);
    expectCheck(d.checks, "pedestal vertical steel", k.As, k.bars * 113.097, 0.01);
    expectCheck(d.checks, "pedestal bar spacing", k.spacing, 300, 1e-9);
    expectCheck(d.checks, "pedestal tie pitch", 190, 192, 1e-9);
    expectCheck(d.checks, "dowel steel", k.dowelNeed, k.dowels * 201.062, 0.01);
    // Column base: the bearing and what the dowels add at 0.67 fy.
    expectCheck(d.checks, "bearing at the column base", k.Pu, 1620 + 278.05 * k.dowels * 201.062 / 1000, 0.01);
    EXPECT_TRUE(failedChecks(d.checks).empty()) << failedChecks(d.checks).front();
  }
  // Axial load of the 1500 kN pedestal (cl. 39.3): 0.4 x 20 x (360 000 - 1357.2) + 278.05 x 1357.2 =
  // 3246.5 kN. Its base (cl. 34.4): the frustum spreads min(2 x 700, 850) = 850 mm beyond each face,
  // sqrt(A1/A2) = 2300 / 600 capped at 2; 0.45 x 20 x 2 x 360 000 + 278.05 x 1357.2 = 6857.4 kN against
  // Pu and 1.5 x 25 x 0.36 x 0.8 = 10.8 kN of pedestal.
  const PedestalDesign d = pedestalFor(*p, 1500);
  expectCheck(d.checks, "pedestal axial load", 1500, 3246.50, 0.01);
  expectCheck(d.checks, "bearing at the pedestal base", 1510.8, 6857.36, 0.01);
}

// The same column on a pedestal 0.6 m along X by 0.9 m along Z, Pu = 1500 kN, 0.8 m high.
//  * Steel: Ag = 600 x 900 = 540 000 mm2. The area the load needs as above, 146 707.9 mm2, 0.8 % of it
//    1173.66 mm2 (> 0.15 % Ag = 810; 0.4 fck Ag = 4320 kN carries Pu alone).
//  * 12 mm bars, ties of 8 mm: centres 600 - 2 (40 + 8) - 12 = 492 mm apart across X, 900 - 108 = 792 mm
//    across Z. The faces along Z (792 mm) first: ceil(792 / 300) + 1 = 4 bars, 264 mm apart; the faces
//    along X as close: ceil(492 / 264) + 1 = 3. 2 (4 + 3) - 4 = 10 bars = 1131.0 mm2 < 1173.66. Next, 5
//    along Z, 792 / 4 = 198 mm apart; ceil(492 / 198) + 1 = 4 along X, 492 / 3 = 164 mm apart:
//    2 (5 + 4) - 4 = 14 bars = 14 x 113.097 = 1583.36 mm2. The spacing checked, the wider: 198 mm.
//  * Cross ties: the faces along X hold 4 - 2 = 2 intermediate bars, tied across the pedestal along Z;
//    the faces along Z 5 - 2 = 3, tied along X.
//  * Ties: pitch min(least lateral dimension 600, 16 x 12 = 192, 300) = 192, down to 190 mm.
//  * Column base: sqrt(A1/A2) = min(600 / 300, 900 / 450) = 2; 0.45 x 20 x 2 x 135 000 = 2430 kN >= Pu,
//    so 0.5 % of the column, 675 mm2: 4 dowels of 16 mm.
//  * Axial (cl. 39.3): 0.4 x 20 x (540 000 - 1583.36) + 0.67 x 415 x 1583.36 = 4 307 333 + 440 254 N
//    = 4747.59 kN.
//  * Pedestal base (cl. 34.4): spread min(2 x 700, 850) = 850 mm; the 900 mm side grows most,
//    (900 + 2 x 850) / 900 = 2.89, capped at 2: 0.45 x 20 x 2 x 540 000 + 440 254 N = 10 160.25 kN against
//    Pu + 1.5 x 25 x 0.6 x 0.9 x 0.8 = 1500 + 16.2 = 1516.2 kN.
TEST(PedestalDesign, RectangularPedestalSpacesBarsAlongEachFace) {
  auto p = newProject();
  const PedestalDesign d = pedestalFor(*p, 1500, 700, PedestalSides{0.6f, 0.9f});
  const PedestalSteel& s = d.steel;
  EXPECT_EQ(s.vertical.dia, 12);
  EXPECT_EQ(s.vertical.bars, 14);
  EXPECT_EQ(s.vertical.spacing, 198);
  EXPECT_EQ(s.spacingAlongX, 164);
  EXPECT_EQ(s.spacingAlongZ, 198);
  EXPECT_EQ(s.crossTiesAlongZ, 2);
  EXPECT_EQ(s.crossTiesAlongX, 3);
  EXPECT_EQ(s.ties.spacing, 190);
  EXPECT_EQ(s.dowels.bars, 4);
  expectCheck(d.checks, "pedestal vertical steel", 1173.66, 14 * 113.097, 0.01);
  expectCheck(d.checks, "pedestal bar spacing", 198, 300, 1e-9);
  expectCheck(d.checks, "pedestal tie pitch", 190, 192, 1e-9);
  expectCheck(d.checks, "pedestal axial load", 1500, 4747.59, 0.01);
  expectCheck(d.checks, "bearing at the column base", 1500, 2430 + 278.05 * 4 * 201.062 / 1000, 0.01);
  expectCheck(d.checks, "bearing at the pedestal base", 1516.2, 10160.25, 0.01);
  EXPECT_TRUE(failedChecks(d.checks).empty()) << failedChecks(d.checks).front();
  EXPECT_EQ(pedestalText(s),
            "pedestal 0.6 x 0.9 m, 0.8 m high: 14 bars of 12 mm 164 mm apart along X and 198 mm along Z, ties of "
            "8 mm at 190 mm with 3 cross ties along X and 2 along Z; dowels 4 of 16 mm, 630 mm in the footing, lap "
            "602 mm");
}

// The dowels develop in compression, tau_bd = 1.2 x 1.6 x 1.25 = 2.4 N/mm2 (M20, deformed bars, +25 %):
// at 0.87 fy Ld = 16 x 361.05 / 9.6 = 601.75 mm, and the lap above is that (> 24 x 16 = 384).
//  * 1500 kN bears on the column's base without them: they carry no stress, and the least anchorage
//    governs, max(10 x 16, 100) = 160 mm;
//  * 2000 kN leaves 380 kN to 8 dowels (1608.5 mm2): 236.25 N/mm2, Ld = 16 x 236.25 / 9.6 = 393.74 mm;
//  * with the option of the full stress, 601.75 mm.
// The footing holds D - 50 - 20 mm of straight dowel on its mat.
TEST(PedestalDesign, DowelsDevelopWithinTheFooting) {
  struct Case {
    double Pu;
    bool fullStress;
    double D, required;
    bool ok;
  };
  const Case cases[] = {
      {1500, false, 250, 160, true},  {1500, false, 220, 160, false},  {2000, false, 600, 393.743, true}, {2000, false, 450, 393.743, false},
      {1500, true, 700, 601.75, true},    {1500, true, 600, 601.75, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.Pu << (k.fullStress ? " full" : "") << " D " << k.D);
    auto p = newProject();
    p->decisions.options.dowelFullStress = k.fullStress ? 1 : 0;
    const PedestalDesign d = pedestalFor(*p, k.Pu, k.D);
    expectCheck(d.checks, "dowel development", k.required, k.D - 70, 0.001);
    EXPECT_EQ(findCheck(d.checks, "dowel development").ok, k.ok);
    EXPECT_FLOAT_EQ(d.steel.dowelEmbedment, static_cast<float>(k.D - 70));
    EXPECT_FLOAT_EQ(d.steel.dowelLap, 602.0f);
  }
  // A footing down to the founding level carries no pedestal: dowels only, no pedestal checks.
  auto p = newProject();
  const PedestalDesign flush = pedestalFor(*p, 1500, 1500);
  EXPECT_EQ(flush.steel.vertical.bars, 0);
  EXPECT_EQ(flush.steel.ties.bars, 0);
  EXPECT_EQ(flush.checks.size(), 3u);
}

// Every row of the example frame gets a pedestal whose dowels develop. Asked to develop them at their full
// stress (16 x 0.87 x 415 / (4 x 1.25 x 2.24) = 515.8 mm, M25), the Design deepens every footing until they
// do. A depth typed at what bending needs but too shallow for them is kept, and the row is flagged.
TEST(PedestalDesign, RowsDeepenForTheDowelsOrAreFlagged) {
  for (const bool full : {false, true}) {
    SCOPED_TRACE(full);
    auto p = std::make_unique<Project>();
    RecordingPrompter prompter;
    readListing(*p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
    ASSERT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
    ASSERT_EQ(startPlan(*p, prompter), "");
    p->decisions.options.dowelFullStress = full ? 1 : 0;
    ASSERT_TRUE(designSchedule(*p, prompter));
    ASSERT_EQ(p->DesignGroupCount, 11);
    for (int r = 1; r <= p->DesignGroupCount; ++r) {
      const SizeGroupRecord& row = p->DesignGroupTable[r];
      SCOPED_TRACE(r);
      if (full) {
        EXPECT_GE(row.TotalDepth * 1000.0 - 50 - 2 * row.BarDia + 1e-3, 515.8);
      }
      EXPECT_EQ(row.pedestal.sides, row.Pedestal);
      EXPECT_GE(row.pedestal.vertical.bars, 4);
      EXPECT_GE(row.pedestal.dowels.bars, 4);
      EXPECT_TRUE(failedChecks(row.checks).empty()) << failedChecks(row.checks).front();
    }
    if (!full) continue;
    SizeGroupRecord& row = p->DesignGroupTable[1];
    const float bending = groupBendingDepth(*p, 1);
    ASSERT_LT(bending * 1000.0 - 50 - 2 * row.BarDia, 515.8);
    ASSERT_TRUE(editTotalDepth(*p, 1, bending));
    row.checks.clear();
    addGroupPedestal(*p, row);
    EXPECT_FLOAT_EQ(row.TotalDepth, bending);
    EXPECT_FALSE(findCheck(row.checks, "dowel development").ok);
  }
}
