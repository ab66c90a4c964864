// The design of a hand-resized footing's row: a footing worked by hand in both directions, the edits,
// and every check of random footings sized as the wheel sizes them.
#include "design/rectangular_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "../footing/footing_test_support.h"
#include "design/is456.h"
#include "design_fixture.h"
#include "footing/footing_width.h"
#include "model/numbers.h"
#include "row_test_support.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

// A 2.5 x 1.5 footing (L along X) of joint 101 that needed 1.6 m square: case 1 FY 375, case 2 FY 300
// with MZ 25. M20, Fe 415, SBC 200 (250 for case 2). `turned`: 1.5 x 2.5 with the moment as MX.
std::unique_ptr<Project> workedFooting(bool turned = false) {
  auto p = newProject();
  setSupport(*p, 1, 101, {{1, 375, 0, 0}, {2, 300, turned ? 25.0f : 0.0f, turned ? 0.0f : 25.0f}});
  FootingRecord& f = p->FootingTable[1];
  f.Kind = FootingKind::HandResized;
  f.SizeL = turned ? 1.5f : 2.5f;
  f.SizeB = turned ? 2.5f : 1.5f;
  f.ReqSize = 1.6f;
  return p;
}

}  // namespace

TEST(RectangularRow, WorkedExampleInBothDirectionsWithTheCentralBand) {
  auto p = workedFooting();
  const FootingRow row = designRectangularRow(*p, 1, 1, {});
  // q: case 1 375 / 3.75 = 100; case 2 300 / 3.75 + 6 x 25 / (2.5^2 x 1.5) = 80 + 16 = 96.
  // Round(100 + 0.49) = 100 from position 0; qu = 150. Pedestal: 1.6 m required -> 0.45.
  EXPECT_EQ(row.mark(), "R1");
  EXPECT_EQ(row.NetPressure, 100.0f);
  EXPECT_EQ(row.GovCase, 0);
  EXPECT_EQ(row.Pedestal.x, 0.45f);
  // Bearing, 1.1 FY: case 1 412.5 / 3.75 = 110 of 200 (case 2: 88 + 16 = 104 of 250 is less).
  expectCheck(row.checks, "bearing at joint 101, load case 1", 110, 200, 1e-9);
  // Along L: cantilever (2.5 - 0.45) / 2 = 1.025, Mu = 150 x 1.5 x 1.025^2 / 2 = 118.1953 kN m.
  // Along B: (1.5 - 0.45) / 2 = 0.525, Mu = 150 x 2.5 x 0.525^2 / 2 = 51.6797 kN m.
  // Bending depth with 10 mm bars: along L (outer) sqrt(118.1953e6 / (0.138 x 20 x 1500)) + 55 = 224;
  // along B (inner) sqrt(51.6797e6 / (0.138 x 20 x 2500)) + 65 = 152: start at 250. One-way shear
  // along L fails at 250 to 325 (325 below), all passes at 350.
  EXPECT_FLOAT_EQ(row.TotalDepth, 0.35f);
  // Along L at 350 (outer): 10 mm, d 295: Ast 1175.0, 15 bars at (1500 - 110) / 14 = 99 -> 90 < 100 mm.
  // 12 mm, d 294: k = 118.1953e6 / (1500 x 294^2) = 0.911622, pt = (1 - sqrt(1 - 4.6 k / 20)) x 20 /
  // 830 x 100 = 0.267463 %, Ast = 1179.51 (> 0.12 % x 1500 x 350 = 630): 11 bars at (1500 - 112) / 10
  // = 138.8, 130 on the 10 mm step, so 12 bars (1357.17 mm2); Ld 564 x 1179.5 / 1357.2 within 975.
  expectLayer(row, "bottom along L", 12, 12, 130);
  EXPECT_NEAR(findLayer(row, "bottom along L").Ast, 1179.51, 0.01);
  // Along B on the 12 mm bars, 10 mm: d = 350 - 50 - 12 - 5 = 283; bending 513.8 mm2 < minimum
  // 0.12 % x 2500 x 350 = 1050. beta = 2.5 / 1.5: the band 1.5 wide takes 2 / (beta + 1) = 0.75 of it,
  // 787.5 (own minimum 630): 11 bars at 1500 / 11 = 136 -> 130, so 12. The strips' 262.5 rises to their
  // own minimum 0.12 % x 1000 x 350 = 420: 210 in each 500 mm strip, 3 bars at (500 - 55) / 2.5 = 178
  // -> 170, so 4 in each.
  expectLayer(row, "bottom along B, central band", 10, 12, 130);
  expectLayer(row, "bottom along B, outer strips", 10, 8, 170);
  EXPECT_NEAR(findLayer(row, "bottom along B, central band").Ast, 787.5, 1e-3);
  EXPECT_NEAR(findLayer(row, "bottom along B, outer strips").Ast, 420, 1e-3);
  // Bending against 0.138 x 20 x 1500 x 294^2 = 357.845 and 0.138 x 20 x 2500 x 283^2 = 552.614.
  expectCheck(row.checks, "bending along L", 118.1953, 357.845, 1e-3);
  expectCheck(row.checks, "bending along B", 51.6797, 552.614, 1e-3);
  // Steel: 12 x 113.10 = 1357.17 mm2: 361.05 x 1357.17 x 294 x (1 - 1357.17 x 415 / (1500 x 294 x 20))
  // = 134.862 kN m; across 20 x 78.54 = 1570.80 at d 283: 153.105.
  expectCheck(row.checks, "steel for bending along L", 118.1953, 134.862, 1e-3);
  expectCheck(row.checks, "steel for bending along B", 51.6797, 153.105, 1e-3);
  // One-way shear along L: V = 150 x 1.5 x (1.025 - 0.294) = 164.475, tv = 164475 / (1500 x 294)
  // = 0.37296; pt = 0.30775 %, tc = 0.36 + 0.12 / 0.25 x 0.05775 = 0.38772. Along B: V = 150 x 2.5 x
  // (0.525 - 0.283) = 90.75, tv = 0.12827; pt = 0.22202 %, tc = 0.28 + 0.8 x 0.07202 = 0.33762.
  expectCheck(row.checks, "one-way shear along L", 0.37296, 0.38772, 1e-5);
  expectCheck(row.checks, "one-way shear along B", 0.12827, 0.33762, 1e-5);
  // Punching: d = (294 + 283) / 2 = 288.5, square 0.7385, perimeter 2.954; V = 150 x (3.75 -
  // 0.7385^2) = 480.69, tv = 480690 / (2954 x 288.5) = 0.56404 of 0.25 sqrt(20) = 1.11803.
  expectCheck(row.checks, "punching", 0.56404, 1.11803, 1e-5);
  // Development across at the stress the bars carry: 470.117 x 513.8 / 1570.8 = 153.77 of 475 straight.
  expectCheck(row.checks, "development length along B", 153.767, 475, 1e-3);
  EXPECT_FALSE(row.flagged());
  // Bearing, uplift, sliding, overturning, sixteen section checks and nine of the pedestal and dowels.
  EXPECT_EQ(row.checks.size(), 29u);

  // From a depth edit of 325 the design deepens to 350: 12 mm at d 269, 12 bars (1357.2 mm2);
  // V = 225 x (1.025 - 0.269) = 170.1, tv = 0.42156 > tc = 0.36 + 0.48 x (0.33635 - 0.25) = 0.40145.
  RowEdit edit;
  edit.depth = 0.325f;
  EXPECT_FLOAT_EQ(designRectangularRow(*p, 1, 1, edit).TotalDepth, 0.35f);
}

TEST(RectangularRow, EditsTurnsAndCantileversTooShortForAnyBar) {
  auto p = workedFooting();
  RowEdit edit;
  edit.depth = 0.2f;  // below what bending needs: raised to 250, then deepened as before
  EXPECT_FLOAT_EQ(designRectangularRow(*p, 1, 1, edit).TotalDepth, 0.35f);
  edit.depth = 0.5f;  // deeper: taken as typed
  EXPECT_FLOAT_EQ(designRectangularRow(*p, 1, 1, edit).TotalDepth, 0.5f);
  edit = {};
  edit.barDia = 16;
  const FootingRow sixteen = designRectangularRow(*p, 1, 1, edit);
  for (const SteelLayer& l : sixteen.steel) EXPECT_EQ(l.dia, 16) << l.where;
  // 16 mm bars across would need 752 mm at full stress; at the stress of the minimum steel across the
  // floor 0.3 x 752.19 = 225.66 mm governs, within the 475 mm straight.
  EXPECT_EQ(failedChecks(sixteen.checks), std::vector<std::string>{});
  EXPECT_NEAR(findCheck(sixteen.checks, "development length along B").demand, 225.65625, 1e-3);
  edit = {};
  edit.pedestalX = edit.pedestalZ = 0.6f;  // (2.5 - 0.6) / 2 = 0.95: Mu = 150 x 1.5 x 0.95^2 / 2 = 101.53 kN m
  EXPECT_NEAR(findCheck(designRectangularRow(*p, 1, 1, edit).checks, "bending along L").demand, 101.53125, 1e-5);
  // Each direction from its own face: 0.6 along L as before, 0.9 along B leaves (1.5 - 0.9) / 2 = 0.3 m,
  // Mu = 150 x 2.5 x 0.3^2 / 2 = 16.875 kN m over the 2.5 m length.
  edit.pedestalZ = 0.9f;
  const FootingRow sides = designRectangularRow(*p, 1, 1, edit);
  EXPECT_NEAR(findCheck(sides.checks, "bending along L").demand, 101.53125, 1e-5);
  EXPECT_NEAR(findCheck(sides.checks, "bending along B").demand, 16.875, 1e-4);

  // The footing turned a quarter round (1.5 x 2.5, MX): the same design with the directions exchanged.
  const FootingRow row = designRectangularRow(*p, 1, 1, {});
  const FootingRow turned = designRectangularRow(*workedFooting(true), 1, 1, {});
  EXPECT_EQ(turned.TotalDepth, row.TotalDepth);
  expectLayer(turned, "bottom along B", 12, 12, 130);
  expectLayer(turned, "bottom along L, central band", 10, 12, 130);
  expectLayer(turned, "bottom along L, outer strips", 10, 8, 170);
  EXPECT_DOUBLE_EQ(findCheck(turned.checks, "punching").demand, findCheck(row.checks, "punching").demand);

  // 1.6 x 0.9 under a 0.4 pedestal, 200 kN: (0.9 - 0.4) / 2 - 0.05 = 0.2 m across. The minimum steel
  // across works at a low stress, so the floor 0.3 x 470.1 = 141 mm governs and the straight bars do.
  // A typed pedestal of 0.6 leaves 0.15 - 0.05 = 0.1 m: 10 mm bars bent at the edge get 100 + 8 x 10 =
  // 180 mm, enough.
  p = newProject();
  setSupport(*p, 1, 101, {{1, 200, 0, 0}});
  FootingRecord& f = p->FootingTable[1];
  f.Kind = FootingKind::HandResized;
  f.SizeL = 1.6f;
  f.SizeB = 0.9f;
  f.ReqSize = 1.0f;
  EXPECT_EQ(failedChecks(designRectangularRow(*p, 1, 2, {}).checks), std::vector<std::string>{});
  expectCheck(designRectangularRow(*p, 1, 2, {}).checks, "development length along B", 141.035, 200, 1e-3);
  RowEdit wide;
  wide.pedestalX = wide.pedestalZ = 0.6f;
  const FootingRow bent = designRectangularRow(*p, 1, 2, wide);
  expectCheck(bent.checks, "development length along B", 141.035, 180, 1e-3);
  for (const SteelLayer& l : bent.steel) EXPECT_EQ(l.bent, l.where.starts_with("bottom along B")) << l.where;
  p->Fck = 0;  // grades the design cannot work with: the row is sized only
  EXPECT_TRUE(designRectangularRow(*p, 1, 2, {}).checks.empty());
}

// Random footings resized as the wheel does it (0.7 to 1.6 times the square side, the width from
// WidthForLength), random grades: every check passes but where not even 10 mm bars develop.
TEST(RectangularRow, EveryCheckOfRandomResizedFootingsPasses) {
  std::mt19937 rng(4561);
  std::uniform_real_distribution<float> load(100, 3000), share(-0.1f, 0.1f), stretch(0.7f, 1.6f), nearlySquare(0.97f, 1.03f);
  std::uniform_int_distribution<int> caseCount(1, 4), pick(0, 6);
  const int fcks[] = {15, 20, 25, 30, 35, 40, 50}, fes[] = {250, 415, 500, 415, 500, 415, 415};
  const char* sbcs[] = {"100", "150", "200", "300", "450", "200", "250"};
  int flagged = 0;
  for (int trial = 0; trial < 300; ++trial) {
    auto p = plintova::testing::makeProject(sbcs[pick(rng)], "1.5");
    p->Fck = static_cast<int16_t>(fcks[pick(rng)]);
    p->Fe = static_cast<int16_t>(fes[pick(rng)]);
    std::vector<plintova::testing::Case> cases(static_cast<std::size_t>(caseCount(rng)));
    for (plintova::testing::Case& c : cases) {
      c.fy = load(rng);
      c.mx = c.fy * share(rng);
      c.mz = c.fy * share(rng);
    }
    const int s = plintova::testing::addSupport(*p, 1, 0, 0, cases);
    RecordingPrompter prompter;
    ASSERT_EQ(sizeFootings(*p, prompter), "");
    FootingRecord& f = p->FootingTable[s];
    f.Kind = FootingKind::HandResized;
    // One in four nearly square, where the band of the short direction leaves outer strips narrower
    // than a bar spacing.
    f.SizeL = roundToSingle(f.ReqSize * (trial % 4 == 0 ? nearlySquare(rng) : stretch(rng)), 2);
    f.SizeB = WidthForLength(*p, s, f.SizeL, prompter);
    const FootingRow row = designRectangularRow(*p, s, 1, {});
    const double D = row.TotalDepth * 1000.0;
    EXPECT_NEAR(std::fmod(D + 1e-3, 25.0), 0, 2e-3) << "depth " << D;
    for (const CodeCheck& c : row.checks) {
      EXPECT_EQ(c.ok, c.demand <= c.capacity) << c.name;
      if (c.ok) continue;
      EXPECT_EQ(c.name.rfind("development length ", 0), 0u) << c.name << " " << c.demand << " > " << c.capacity;
      EXPECT_GT(is456::developmentLength(p->Fck, p->Fe, 10), c.capacity) << c.name;
    }
    for (const SteelLayer& l : row.steel) {
      EXPECT_GE(l.bars * is456::barArea(l.dia), l.Ast - 1e-6) << l.where;
      // Every layer is bars that can be placed: at least two, at a real spacing.
      EXPECT_GE(l.bars, 2) << l.where << " of " << f.SizeL << " x " << f.SizeB;
      EXPECT_GT(l.spacing, 0) << l.where << " of " << f.SizeL << " x " << f.SizeB;
    }
    flagged += row.flagged();
  }
  std::printf("[ rows ] 300 resized footings: %d flagged, no bar develops\n", flagged);
}
