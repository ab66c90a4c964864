// The design of a combined footing's row: the contact pressure and the beam along the columns' line,
// a footing worked by hand (envelope, shear, both punching perimeters, a triangular contact), the
// pairing of load cases, and every check of random pairs sized as the combine command sizes them.
#include "design/combined_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "../footing/footing_test_support.h"
#include "design/combined_beam.h"
#include "design/is456.h"
#include "design_fixture.h"
#include "footing/combined_footings.h"
#include "row_test_support.h"

using namespace plintova;
using namespace plintova::design_test;

namespace {

// Joints 101 and 102, 3 m apart along X, on a 5.0 x 2.2 footing with cantilevers 0.5 and 1.5; both
// needed 2.0 m square (pedestal 0.6). Case 1: 600 and 600 kN; case 2: 500 and 100 kN. M20, Fe 415.
std::unique_ptr<Project> workedPair() {
  auto p = newProject();
  setSupport(*p, 1, 101, {{1, 600, 0, 0}, {2, 500, 0, 0}});
  setSupport(*p, 2, 102, {{1, 600, 0, 0}, {2, 100, 0, 0}});
  p->FootingTable[1].ReqSize = p->FootingTable[2].ReqSize = 2.0f;
  setCombined(p->FootingTable[1], 1);
  setCombined(p->FootingTable[2], 1);
  p->CombinedCount = 1;
  CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  cf.CfMemberCount = 2;
  cf.CfMembers[1] = 1;
  cf.CfMembers[2] = 2;
  cf.CfAxis = 1;
  cf.CfDistance = 3000;
  cf.CfLength = 5.0f;
  cf.CfWidth = 2.2f;
  cf.Cant1 = 0.5f;
  cf.Cant2 = 1.5f;
  return p;
}

}  // namespace

TEST(CombinedBeam, ContactPressureAndEquilibrium) {
  // 1800 kN at 2.0 m on 5 m: e = -0.5 within L/6; p = 360 + 12 x 1800 x (-0.5) (x - 2.5) / 125
  // = 576 - 86.4 x. 900 kN at 1.0 m: e = -1.5 beyond L/6, a triangle 3 (2.5 - 1.5) = 3 m long, peak
  // 2 x 900 / 3 = 600: p = 600 - 200 x; at 4.0 m the mirror image, 200 x - 400 on [2, 5].
  auto q = contactPressure(1800, 2.0, 5.0);
  ASSERT_TRUE(q);
  EXPECT_NEAR(q->alpha, 576, 1e-9);
  EXPECT_NEAR(q->beta, -86.4, 1e-9);
  q = contactPressure(900, 1.0, 5.0);
  ASSERT_TRUE(q);
  EXPECT_NEAR(q->to, 3, 1e-12);
  EXPECT_NEAR(q->peak(), 600, 1e-9);
  EXPECT_NEAR(q->momentAbout(3), 900 * (3 - 1.0), 1e-9);  // its resultant lies at 1.0
  q = contactPressure(900, 4.0, 5.0);
  ASSERT_TRUE(q);
  EXPECT_NEAR(q->from, 2, 1e-12);
  EXPECT_NEAR(q->at(5.0), 600, 1e-9);
  EXPECT_FALSE(contactPressure(900, 5.0, 5.0));  // the resultant at the end: nothing balances it
  EXPECT_FALSE(contactPressure(-10, 2.5, 5.0));  // lifting off

  // Any two columns with couples: the pressure balances them, so shear and moment close at the far end.
  std::mt19937 rng(77);
  std::uniform_real_distribution<double> load(-200, 2000), couple(-300, 300), place(0.3, 2.0), span(1.1, 6);
  int closed = 0;
  for (int k = 0; k < 500; ++k) {
    const double x0 = place(rng), x1 = x0 + span(rng), L = x1 + place(rng);
    const auto beam = beamCase(L, {x0, load(rng), couple(rng)}, {x1, load(rng), couple(rng)});
    if (!beam) continue;
    ++closed;
    const double scale = std::fabs(beam->col[0].P) + std::fabs(beam->col[1].P);
    EXPECT_NEAR(beam->shear(L + 1e-9), 0, 1e-9 * scale);
    EXPECT_NEAR(beam->moment(L), 0, 1e-9 * scale * L);
    EXPECT_GE(std::min(beam->q.at(beam->q.from), beam->q.at(beam->q.to)), -1e-9 * scale);
  }
  EXPECT_GT(closed, 300);
}

TEST(CombinedRow, WorkedExampleEnvelopeShearPunchingAndTriangularContact) {
  auto p = workedPair();
  RowEdit edit;
  edit.depth = 0.65f;
  edit.barDia = 12;
  const FootingRow row = designCombinedRow(*p, 1, edit);
  // Columns at 0.5 and 3.5 of the 5 m; pedestal 0.6 (faces at 0.2, 0.8, 3.2, 3.8).
  // Case 1 factored: 900 + 900 at 2.0, e = -0.5: p = 576 - 86.4 x. Case 2: 750 + 150, resultant
  // (375 + 525) / 900 = 1.0, e = -1.5: the triangle p = 600 - 200 x on [0, 3]. Its peak as read,
  // 600 / 2.2 / 1.5 = 181.8 -> 182 (case 1: 576 / 3.3 = 174.5): case position 1 of joint 101 governs.
  EXPECT_EQ(row.mark(), "C1");
  EXPECT_EQ(row.Pedestal.x, 0.6f);
  EXPECT_FLOAT_EQ(row.TotalDepth, 0.65f);
  EXPECT_EQ(row.NetPressure, 182.0f);
  EXPECT_EQ(row.GovFooting, 1);
  EXPECT_EQ(row.GovCase, 1);
  // Sagging at the faces. Case 1 at 3.8: p = 247.68 - 86.4 u at u m beyond the face up to 1.2;
  // M = 247.68 x 1.2^2 / 2 - 86.4 x 1.2^3 / 3 = 178.3296 - 49.7664 = 128.5632 kN m (case 2 at 0.2:
  // 300 x 0.2^2 - 33.33 x 0.2^3 = 11.73). Hogging, case 1: shear 576 x - 43.2 x^2 - 900 = 0 at
  // x = (576 - sqrt(576^2 - 4 x 43.2 x 900)) / 86.4 = 1.80754; M = 288 x^2 - 14.4 x^3 - 900 (x - 0.5)
  // = 940.954 - 85.041 - 1176.786 = -320.873 (case 2: zero shear at 1.77526, M = -197.47).
  // Across, case 1: 900 / 2.2 over the cantilever (2.2 - 0.6) / 2 = 0.8: 409.09 x 0.8^2 / 2 = 130.909.
  EXPECT_NEAR(findCheck(row.checks, "bending along L, sagging").demand, 128.5632, 1e-4);
  EXPECT_NEAR(findCheck(row.checks, "bending along L, hogging").demand, 320.873, 1e-3);
  EXPECT_NEAR(findCheck(row.checks, "bending along B under joint 102").demand, 130.909, 1e-3);
  // 12 mm at D 650: across (outer) d = 594, along L at the bottom on them d = 582, on top d = 594.
  // The band under 101: 0.6 + 2 x 0.594 wide about 0.5, cut at the end: 0 to 1.394; under 102: 2.606
  // to 4.394. Its steel, the minimum 0.12 % x 1394 x 650 = 1087.32 (bending needs 620): 10 bars, one
  // footing edge, at (1394 - 56) / 9.5 = 140.8, 140 on the 10 mm step: 1338 / 140 + 0.5 -> 11 bars.
  EXPECT_FLOAT_EQ(findLayer(row, "bottom along B under joint 101").width, 1.394f);
  EXPECT_FLOAT_EQ(findLayer(row, "bottom along B under joint 102").width, 1.788f);
  EXPECT_FLOAT_EQ(findLayer(row, "bottom along B, elsewhere").width, 5.0f - 1.394f - 1.788f);
  expectLayer(row, "bottom along B under joint 101", 12, 11, 140);
  EXPECT_NEAR(findLayer(row, "bottom along B under joint 101").Ast, 1087.32, 1e-2);
  // One-way shear along L at d from the faces, with the layer in tension there: 1.394 and 2.606 hog in
  // both cases (case 1: M(2.606) = -194.4): top bars; 4.382 sags: bottom bars; 0.2 - d is off the end.
  // Case 1: V(2.606) = 576 x 2.606 - 43.2 x 2.606^2 - 900 = 307.675 kN, the largest (V(1.394) = -181.00,
  // V(4.382) = -105.49; case 2: -107.92, 134.48, 0). tv = 307675 / (2200 x 594) = 0.23544; the top's
  // 18 x 113.1 mm2 are pt 0.15578 %: tc = 0.28 + 0.8 x 0.00578 = 0.28463. Across under 101: 409.09 x
  // (0.8 - 0.594) = 84.27 kN, tv = 84273 / (1394 x 594) = 0.10177; 11 x 113.1 are pt 0.15024 %: 0.28019.
  expectCheck(row.checks, "one-way shear along L", 0.23544, 0.28463, 1e-5);
  expectCheck(row.checks, "one-way shear along B under joint 101", 0.10177, 0.28019, 1e-5);
  // Punching: d = (594 + 582) / 2 = 588, square 1.188, half 0.594. Joint 101 at 0.5: the side beyond the
  // end is cut off: 1.188 + 2 x (0.5 + 0.594) = 3.376 m. Case 1 presses (576 x 1.094 - 43.2 x 1.094^2)
  // x 1.188 / 2.2 = 578.44 x 0.54 = 312.36 inside: V = 587.64 (case 2: 750 - 289.83 = 460.17);
  // tv = 587642 / (3376 x 588) = 0.29603. Joint 102 at 3.5, all four sides 4.752 m: case 1 (576 x 1.188
  // - 43.2 x (4.094^2 - 2.906^2)) x 0.54 = 175.52, V = 724.48 (case 2 presses only to 3.0: 0.884 x 0.54,
  // V = 149.52); tv = 724480 / (4752 x 588) = 0.25928; both of 0.25 sqrt(20) = 1.11803.
  expectCheck(row.checks, "punching at joint 101", 0.29603, 1.11803, 1e-5);
  expectCheck(row.checks, "punching at joint 102", 0.25928, 1.11803, 1e-5);
  // Bearing, 1.1 FY as sized: case 1 e = (2.5 - 0.5) - 1.5 = 0.5: 1320 / 11 + 6 x 600 / (2.2 x 25)
  // = 185.45 of 200.
  expectCheck(row.checks, "bearing at joint 101, load case 1", 185.4545, 200, 1e-4);
  expectCheck(row.checks, "resultant within the base", 1.5, 2.5, 1e-9);
  // Development: beyond joint 101 0.5 - 0.3 - 0.05 = 0.15 m for the bottom bars along L. At full stress
  // they would need 564 mm; they carry the sagging moment's 0.304 of their strength (bending needs
  // 30.4 % of the bars provided), so 0.304 x 564.14 = 171.35 mm, more than the straight 150: a 90 degree
  // bend at the end adds 8 x 12 = 96, 246 mm. The top bars develop from the hogging section 1.8075 m
  // from the end, at 0.754 of their strength: 425.18 of 1757.54.
  expectCheck(row.checks, "development length, bottom along L", 171.348, 246, 0.01);
  expectCheck(row.checks, "development length, top along L", 425.177, 1757.54, 0.01);
  EXPECT_TRUE(findLayer(row, "bottom along L").bent);
  EXPECT_FALSE(findLayer(row, "top along L").bent);
  EXPECT_EQ(failedChecks(row.checks), std::vector<std::string>{});

  // Without the edits the row comes out 575 deep and passes.
  const FootingRow own = designCombinedRow(*p, 1, {});
  EXPECT_FLOAT_EQ(own.TotalDepth, 0.575f);
  EXPECT_EQ(failedChecks(own.checks), std::vector<std::string>{});
  // An edited pedestal stands for both columns; else the larger own one (2.5 m required gives 0.75).
  edit = {};
  edit.pedestalX = edit.pedestalZ = 0.7f;
  EXPECT_EQ(designCombinedRow(*p, 1, edit).Pedestal.x, 0.7f);
  p->FootingTable[2].ReqSize = 2.5f;
  EXPECT_EQ(designCombinedRow(*p, 1, {}).Pedestal.x, 0.75f);
}

TEST(CombinedRow, CasesPairByNumberAndMomentsCountInBothSenses) {
  // Member 102 lists its cases in the other order: the same row, but for the allowable pressure, which
  // goes by position (its case 2 now stands first and is held to SBC 200).
  auto p = workedPair(), swapped = workedPair();
  setSupport(*swapped, 2, 102, {{2, 100, 0, 0}, {1, 600, 0, 0}});
  const FootingRow a = designCombinedRow(*p, 1, {}), b = designCombinedRow(*swapped, 1, {});
  EXPECT_EQ(a.steel, b.steel);
  ASSERT_EQ(a.checks.size(), b.checks.size());
  for (std::size_t k = 2; k < a.checks.size(); ++k) EXPECT_EQ(a.checks[k], b.checks[k]) << a.checks[k].name;
  EXPECT_EQ(findCheck(b.checks, "bearing at joint 102, load case 2").capacity, 200.0);

  // A case of one member only: the other column carries nothing in it, as if it read FY 0.
  auto alone = workedPair(), zero = workedPair();
  setSupport(*alone, 1, 101, {{1, 600, 0, 0}, {2, 500, 0, 0}, {3, 800, 0, 0}});
  setSupport(*zero, 1, 101, {{1, 600, 0, 0}, {2, 500, 0, 0}, {3, 800, 0, 0}});
  setSupport(*zero, 2, 102, {{1, 600, 0, 0}, {2, 100, 0, 0}, {3, 0, 0, 0}});
  const FootingRow c = designCombinedRow(*alone, 1, {}), d = designCombinedRow(*zero, 1, {});
  EXPECT_EQ(c.steel, d.steel);
  EXPECT_EQ(findCheck(c.checks, "one-way shear along L").demand, findCheck(d.checks, "one-way shear along L").demand);
  // Case 3 across under 101: 1200 / 2.2 x 0.8^2 / 2 = 174.545 kN m.
  EXPECT_NEAR(findCheck(c.checks, "bending along B under joint 101").demand, 174.545, 1e-3);

  // Moments along the length (MZ on a footing along X) of either sign give the same row.
  auto plus = workedPair(), minus = workedPair();
  setSupport(*plus, 1, 101, {{1, 600, 40, 120}, {2, 500, 0, -60}});
  setSupport(*minus, 1, 101, {{1, 600, -40, -120}, {2, 500, 0, 60}});
  const FootingRow e = designCombinedRow(*plus, 1, {}), f = designCombinedRow(*minus, 1, {});
  EXPECT_EQ(e.steel, f.steel);
  EXPECT_EQ(e.checks, f.checks);
  EXPECT_GT(findCheck(e.checks, "bending along L, sagging").demand, findCheck(a.checks, "bending along L, sagging").demand);
}

// Random pairs along X or Z, combined and sized as the combine command does it, random grades: every
// check passes but where not even 10 mm bars develop.
TEST(CombinedRow, EveryCheckOfRandomCombinedFootingsPasses) {
  std::mt19937 rng(9127);
  std::uniform_real_distribution<float> load(150, 2500), share(-0.08f, 0.08f);
  std::uniform_int_distribution<int> caseCount(1, 4), distance(1100, 6000), pick(0, 6), coin(0, 1);
  const int fcks[] = {15, 20, 25, 30, 35, 40, 50}, fes[] = {250, 415, 500, 415, 500, 415, 415};
  const char* sbcs[] = {"100", "150", "200", "300", "450", "200", "250"};
  int flagged = 0, onlyBottomAlongL = 0;
  for (int trial = 0; trial < 200; ++trial) {
    const std::size_t n = static_cast<std::size_t>(caseCount(rng));
    std::vector<plintova::testing::Case> a(n), b(n);
    for (auto* list : {&a, &b}) {
      for (plintova::testing::Case& c : *list) {
        c.fy = load(rng);
        c.mx = c.fy * share(rng);
        c.mz = c.fy * share(rng);
      }
    }
    const int dist = distance(rng);
    const bool alongX = coin(rng) == 1;
    auto p = plintova::testing::makeProject(sbcs[pick(rng)], "1.5");
    plintova::testing::addSupport(*p, 11, 0, 0, a);
    plintova::testing::addSupport(*p, 12, alongX ? dist : 0, alongX ? 0 : dist, b);
    RecordingPrompter prompter;
    ASSERT_EQ(sizeFootings(*p, prompter), "");
    p->CombinedCount = 1;
    CombinedFootingRecord& cf = p->CombinedFootingTable[1];
    cf.CfMemberCount = 2;
    cf.CfMembers[1] = 1;
    cf.CfMembers[2] = 2;
    cf.CfAxis = alongX ? 1 : 0;
    cf.CfDistance = static_cast<float>(dist);
    setCombined(p->FootingTable[1], 1);
    setCombined(p->FootingTable[2], 1);
    stepCombinedFooting(*p, 1, 0);
    p->Fck = static_cast<int16_t>(fcks[pick(rng)]);
    p->Fe = static_cast<int16_t>(fes[pick(rng)]);
    const FootingRow row = designCombinedRow(*p, 1, {});
    EXPECT_NEAR(std::fmod(row.TotalDepth * 1000.0 + 1e-3, 25.0), 0, 2e-3) << "depth " << row.TotalDepth;
    for (const CodeCheck& c : row.checks) {
      EXPECT_EQ(c.ok, c.demand <= c.capacity) << c.name;
      if (c.ok) continue;
      EXPECT_EQ(c.name.rfind("development length", 0), 0u) << c.name;
      EXPECT_GT(is456::developmentLength(p->Fck, p->Fe, 10), c.capacity) << c.name;
    }
    for (const SteelLayer& l : row.steel) {
      EXPECT_GE(l.bars * is456::barArea(l.dia), l.Ast - 1e-6) << l.where;
      EXPECT_GT(l.spacing, 0) << l.where;  // bars that can be placed
    }
    // Each column's bearing check is the case of the row's pressures nearest that column's allowable.
    ASSERT_EQ(row.pressures.size(), static_cast<std::size_t>(n));
    for (int m = 0; m < 2; ++m) {
      const CasePressure* worst = nullptr;
      for (const CasePressure& cp : row.pressures)
        if (cp.allowable[m] > 0 && (!worst || cp.q / cp.allowable[m] > worst->q / worst->allowable[m])) worst = &cp;
      ASSERT_NE(worst, nullptr);
      EXPECT_EQ(row.checks[static_cast<std::size_t>(m)].demand, worst->q);
      EXPECT_EQ(row.checks[static_cast<std::size_t>(m)].capacity, worst->allowable[m]);
    }
    flagged += row.flagged();
    onlyBottomAlongL += failedChecks(row.checks) == std::vector<std::string>{"development length, bottom along L"};
  }
  std::printf("[ rows ] 200 combined footings: %d flagged, %d of them for the bottom bars along L only\n", flagged,
              onlyBottomAlongL);
}
