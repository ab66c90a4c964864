// The IS 456 rules shared by the row designs and the checks, against figures worked by hand.
#include "design/is456.h"

#include <gtest/gtest.h>

using namespace plintova;
using namespace plintova::is456;

TEST(Is456, SteelForAMomentAndTheMomentItResists) {
  // Mu 100 kN m on 1000 x 300, M20, Fe 415: k = 100e6 / (1000 x 300^2) = 1.11111;
  // 1 - 4.6 x 1.11111 / 20 = 0.744444, root 0.862812; pt = 0.137188 x 20 / 830 x 100 = 0.330574 %;
  // Ast = 0.00330574 x 1000 x 300 = 991.72 mm2.
  const double Ast = steelForMoment(20, 415, 100, 1000, 300);
  EXPECT_NEAR(Ast, 991.72, 0.01);
  // Back through G-1.1 b: 0.87 x 415 x 991.72 x 300 x (1 - 991.72 x 415 / (1000 x 300 x 20)) N mm
  // = 107.42e6 x 0.931405 = 100.05 kN m: the 4.6 of the steel formula (4 / 0.87 = 4.598) errs safe.
  const double MuR = momentOfResistance(20, 415, Ast, 1000, 300);
  EXPECT_GE(MuR, 100.0);
  EXPECT_NEAR(MuR, 100.05, 0.01);
  // Steel beyond the limiting amount adds nothing: the limiting moment 0.138 x 20 x 1000 x 300^2 = 248.4
  // (0.148 for Fe 250: 266.4); and back, 248.4 kN m on 1000 mm needs sqrt(248.4e6 / (0.138 x 20 x 1000))
  // = 300 mm.
  EXPECT_NEAR(limitingMoment(20, 250, 1000, 300), 266.4, 1e-9);
  EXPECT_NEAR(depthForMoment(20, 415, 248.4, 1000), 300, 1e-9);
  EXPECT_NEAR(momentOfResistance(20, 415, 10000, 1000, 300), 248.4, 1e-9);
  // Minimum steel of the gross section 1000 x 500: 0.12 % = 600 mm2, 0.15 % for Fe 250 = 750 mm2.
  EXPECT_NEAR(minimumSteel(415, 1000, 500), 600, 1e-9);
  EXPECT_NEAR(minimumSteel(250, 1000, 500), 750, 1e-9);
}

TEST(Is456, ShearPunchingAndBond) {
  // Table 19, M20: below 0.15 % the first row; 0.40 % between 0.36 (0.25) and 0.48 (0.50):
  // 0.36 + 0.12 / 0.25 x 0.15 = 0.432; 3.00 % and above the last row, 0.82; above M40 the M40 column.
  EXPECT_NEAR(shearStrength(20, 0.1), 0.28, 1e-6);
  EXPECT_NEAR(shearStrength(20, 0.4), 0.432, 1e-6);
  EXPECT_NEAR(shearStrength(20, 3.5), 0.82, 1e-6);
  EXPECT_NEAR(shearStrength(45, 0.5), 0.51, 1e-6);
  // ks 0.25 sqrt(fck): a column 0.4 as wide as long gives ks = 0.9: 0.9 x 1.118034.
  EXPECT_NEAR(punchingStrength(20, 0.4), 1.006231, 1e-6);
  // tau_bd: 1.2 x 1.6 = 1.92 for deformed bars in M20; M15 below the table 1.0 (plain) or 1.6.
  EXPECT_NEAR(bondStress(20, 415), 1.92, 1e-12);
  EXPECT_NEAR(bondStress(15, 500), 1.6, 1e-12);
  // Ld = 12 x 0.87 x 415 / (4 x 1.92) = 4332.6 / 7.68 = 564.14 mm; plain Fe 250 in M15:
  // 10 x 217.5 / 4 = 543.75 mm, and the clause says where its bond stress comes from.
  EXPECT_NEAR(developmentLength(20, 415, 12), 564.140625, 1e-9);
  EXPECT_NEAR(developmentLength(15, 250, 10), 543.75, 1e-9);
  EXPECT_NE(developmentClause(15).find("M15"), std::string::npos);
  EXPECT_EQ(developmentClause(20).find("M15"), std::string::npos);
}

TEST(Is456, BarsSpreadOverAWidthAndTheDiameterChosen) {
  // The count is the larger of what the area and the spacing limit need; the spacing is rounded down to
  // the step and the count then follows from it, so that no space exceeds the spacing stated.
  const struct {
    double Ast, width;
    int16_t dia;
    int edges;
    double step;
    int count, spacing;
  } cases[] = {
      // 1000 mm2 of 12 mm (113.10) over 1500, spread 1500 - 2 x 56 = 1388: 9 bars by area, 1388 / 8 =
      // 173.5 -> 173, and 1388 / 173 = 8.02 spaces need 10 bars.
      {1000, 1500, 12, 2, 1, 10, 173},
      // The same on the 10 mm step: 170, 1388 / 170 = 8.2 -> 9 spaces, 10 bars.
      {1000, 1500, 12, 2, 10, 10, 170},
      // A band inside the footing: 500 mm2 of 10 mm (78.54) over 1200: 7 bars at 171.4 -> 171, then 8.
      {500, 1200, 10, 0, 1, 8, 171},
      // The spacing limit governs: 100 mm2 over 2000, spread 1890: 1890 / 300 + 1 = 7.3 -> 8 bars,
      // 1890 / 7 = 270 exactly.
      {100, 2000, 10, 2, 10, 8, 270},
      // A strip with one footing edge: 210 mm2 over 500: 3 bars, (500 - 55) / 2.5 = 178 -> 175 on the
      // 25 mm step, 445 / 175 + 0.5 = 3.04 -> 4 bars.
      {210, 500, 10, 1, 25, 4, 175},
      // The worked group row: 1168 mm2 of 10 mm over 2000, spread 1890: 15 bars, 135 -> 130, 16 bars.
      {1168, 2000, 10, 2, 10, 16, 130},
  };
  for (const auto& c : cases) {
    const Bars b = placeBars(c.Ast, c.width, c.dia, c.edges, 300, c.step);
    EXPECT_EQ(b.count, c.count) << c.Ast << " over " << c.width;
    EXPECT_EQ(b.spacing, c.spacing) << c.Ast << " over " << c.width;
    EXPECT_GE(b.area, c.Ast);
  }

  // The smallest anchored diameter at 100 mm or more; else the anchored one spaced widest; when none
  // is anchored, the same rule among all.
  EXPECT_EQ(chooseBarOption({{10, true, 86}, {12, true, 126}, {16, true, 230}, {20, false, 300}}), 1u);
  EXPECT_EQ(chooseBarOption({{10, true, 86}, {12, true, 95}, {16, false, 150}, {20, false, 200}}), 1u);
  EXPECT_EQ(chooseBarOption({{10, false, 86}, {12, false, 126}, {16, false, 230}, {20, false, 300}}), 1u);
  EXPECT_EQ(chooseBarOption({{10, false, 56}, {12, false, 70}, {16, false, 95}, {20, false, 90}}), 2u);
  // The least spacing is the engineer's: at 125 mm the 12 mm bars at 126 still do, at 150 the 16 mm.
  EXPECT_EQ(chooseBarOption({{10, true, 86}, {12, true, 126}, {16, true, 230}}, 125), 1u);
  EXPECT_EQ(chooseBarOption({{10, true, 86}, {12, true, 126}, {16, true, 230}}, 150), 2u);
}

TEST(Is456, AnchorageAtTheStressOfTheBarsWithABendWhereTheyAreShort) {
  // M20, Fe 415, 12 mm: Ld = 12 x 0.87 x 415 / (4 x 1.2 x 1.6) = 564.1 mm at 0.87 fy (cl. 26.2.1).
  const struct {
    double ratio, available;
    double required, provided;
    bool bent;
  } cases[] = {
      // Low stress: 0.2 x 564.1 = 112.8 is below 0.3 Ld = 169.2, the floor; 400 mm straight do.
      {0.2, 400, 169.2422, 400, false},
      // Fully used: 564.1 against 600 straight.
      {1.0, 600, 564.1406, 600, false},
      // Fully used over 500 mm: short; a 90 degree bend adds 8 x 12 = 96 mm: 596 >= 564.1.
      {1.0, 500, 564.1406, 596, true},
      // Half used over 250 mm: 282.1 needed, 250 + 96 = 346 with the bend.
      {0.5, 250, 282.0703, 346, true},
      // Over 420 mm, bent, 516 < 564.1: still short, flagged.
      {1.0, 420, 564.1406, 516, true},
  };
  for (const auto& c : cases) {
    const Anchorage a = anchorageAt(20, 415, 12, c.ratio, c.available);
    EXPECT_NEAR(a.required, c.required, 1e-3) << c.ratio << " " << c.available;
    EXPECT_NEAR(a.provided, c.provided, 1e-9) << c.ratio << " " << c.available;
    EXPECT_EQ(a.bent, c.bent) << c.ratio << " " << c.available;
    EXPECT_EQ(a.ok(), c.provided >= c.required) << c.ratio << " " << c.available;
  }
  // 10 dia and 100 mm are floors of their own: 8 mm bars of Fe 250 in M40 need 8 x 217.5 / 7.6 = 229,
  // 0.3 of it 69, so 100 mm; 25 mm bars at no stress still 250 (10 dia).
  EXPECT_NEAR(anchorageAt(40, 250, 8, 0, 1000).required, 100, 1e-9);
  EXPECT_NEAR(anchorageAt(20, 415, 25, 0, 1000).required, std::max(0.3 * developmentLength(20, 415, 25), 250.0),
              1e-9);
  EXPECT_EQ(stressRatio(500, 1000), 0.5);
  EXPECT_EQ(stressRatio(1500, 1000), 1.0);
  EXPECT_EQ(stressRatio(500, 0), 1.0);
}

TEST(Is456, DepthsAndTheCriticalPerimeterForPunching) {
  EXPECT_EQ(startDepth(223.97), 250);  // never below 250 mm
  EXPECT_EQ(startDepth(340.5), 350);
  EXPECT_EQ(startDepth(350 + 1e-10), 350);
  EXPECT_EQ(startDepth(351), 400);
  EXPECT_EQ(effectiveDepth(650, 16, 16), 576);  // 650 - 50 - 16 - 8

  // A 1.184 m square centred 0.5 m from the end of a 5 x 2.2 footing: the side beyond the end is cut off
  // (0.5 - 0.592 < 0), the far side counts 1.184, the two along the length 0.5 + 0.592 = 1.092 each:
  // 3.368 m; area 1.092 x 1.184 = 1.292928 m2.
  const Rect footing{0, -1.1, 5, 1.1};
  PunchingSection s = punchingSection(footing, 0.5, 0, 1.184);
  EXPECT_NEAR(s.perimeter, 3.368, 1e-12);
  EXPECT_NEAR(s.area, 1.292928, 1e-12);
  s = punchingSection(footing, 3.5, 0, 1.184);
  EXPECT_NEAR(s.perimeter, 4 * 1.184, 1e-12);
  // A section that covers the footing has no perimeter left.
  s = punchingSection({-0.9, -0.9, 0.9, 0.9}, 0, 0, 2.0);
  EXPECT_EQ(s.perimeter, 0);
  EXPECT_NEAR(s.area, 3.24, 1e-12);

  EXPECT_TRUE(makeCheck(CheckKind::Other, "x", 2, 2, "mm", "c").ok);
  EXPECT_FALSE(makeCheck(CheckKind::Other, "x", 2.0000001, 2, "mm", "c").ok);
}

TEST(Is456, LimitingNeutralAxisAndMomentOfEachSteelGrade) {
  // Fe 550 (IS 1786) by cl. 38.1 f: the steel's design yield strain is 0.002 + 0.87 x 550 / 200000
  // = 0.002 + 0.0023925 = 0.0043925; with the concrete at 0.0035,
  //   xu,max/d = 0.0035 / (0.0035 + 0.0043925) = 0.0035 / 0.0078925 = 0.44346.
  // Annex G-1.1 c: Mu,lim / (fck b d^2) = 0.36 x 0.44346 x (1 - 0.416 x 0.44346)
  //   = 0.159646 x 0.815521 = 0.13020, to three decimals 0.130.
  EXPECT_NEAR(xuMaxRatio(550), 0.0035 / 0.0078925, 1e-12);
  EXPECT_NEAR(xuMaxRatio(550), 0.44346, 5e-6);
  EXPECT_DOUBLE_EQ(limitingMomentFactor(550), 0.130);
  // The code's own grades keep its tabled figures: 0.53, 0.48, 0.46 and 0.148, 0.138, 0.133.
  const struct {
    int fe;
    double xu, factor;
  } grades[] = {{250, 0.53, 0.148}, {415, 0.48, 0.138}, {500, 0.46, 0.133}, {550, 0.44346, 0.130}};
  for (const auto& g : grades) {
    EXPECT_NEAR(xuMaxRatio(g.fe), g.xu, 5e-6) << "Fe " << g.fe;
    EXPECT_DOUBLE_EQ(limitingMomentFactor(g.fe), g.factor) << "Fe " << g.fe;
    // Each tabled factor is the G-1.1 c relation on the tabled xu,max/d, cut to three decimals.
    EXPECT_NEAR(0.36 * g.xu * (1 - 0.416 * g.xu), g.factor, 1e-3) << "Fe " << g.fe;
  }
  // M25 on 1000 x 400 with Fe 550: 0.130 x 25 x 1000 x 400^2 = 520 kN m; Fe 550 bars are deformed
  // (bond 1.4 x 1.6 = 2.24 N/mm2 in M25) and take 0.12 % minimum steel.
  EXPECT_NEAR(limitingMoment(25, 550, 1000, 400), 520, 1e-9);
  EXPECT_NEAR(bondStress(25, 550), 2.24, 1e-12);
  EXPECT_NEAR(minimumSteel(550, 1000, 500), 600, 1e-9);
}
