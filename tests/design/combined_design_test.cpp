// The design of a combined footing's row: the contact pressure and the beam along the columns' line,
// a footing worked by hand (envelope, shear, both punching perimeters, a triangular contact), the
// pairing of load cases, and every check of random pairs sized as the combine command sizes them.
#include "design/combined_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "../footing/footing_test_support.h"
#include "design/combined_beam.h"
#include "design/is456.h"
#include "design_fixture.h"
#include "footing/combined_footings.h"

using namespace plintova;

namespace {

const CodeCheck& check(const FootingRow& row, const std::string& name) {
  for (const CodeCheck& c : row.checks)
    if (c.name == name) return c;
  static const CodeCheck none{"missing", 0, 0, "", "", false};
  ADD_FAILURE() << "no check " << name;
  return none;
}

const SteelLayer& layer(const FootingRow& row, const std::string& where) {
  for (const SteelLayer& l : row.steel)
    if (l.where == where) return l;
  static const SteelLayer none;
  ADD_FAILURE() << "no layer " << where;
  return none;
}

// Joints 101 and 102, 3 m apart along X, on a 5.0 x 2.2 footing with cantilevers 0.5 and 1.5; both
// needed 2.0 m square (pedestal 0.6). Case 1: 600 and 600 kN; case 2: 500 and 100 kN. M20, Fe 415.
std::unique_ptr<Project> workedPair() {
  auto p = design_test::newProject();
  design_test::setSupport(*p, 1, 101, {{1, 600, 0, 0}, {2, 500, 0, 0}});
  design_test::setSupport(*p, 2, 102, {{1, 600, 0, 0}, {2, 100, 0, 0}});
  p->FootingTable[1].ReqSize = p->FootingTable[2].ReqSize = 2.0f;
  p->FootingTable[1].CombNo = p->FootingTable[2].CombNo = 1;
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

// Two supports `distance` mm apart along Z (or X) with the given cases, combined and sized by the
// combine command's sizing.
std::unique_ptr<Project> sizedPair(int distance, const std::vector<plintova::testing::Case>& a,
                                   const std::vector<plintova::testing::Case>& b, bool alongX, const char* sbc) {
  auto p = plintova::testing::makeProject(sbc, "1.5");
  plintova::testing::addSupport(*p, 11, 0, 0, a);
  plintova::testing::addSupport(*p, 12, alongX ? distance : 0, alongX ? 0 : distance, b);
  RecordingPrompter prompter;
  EXPECT_EQ(sizeFootings(*p, prompter), "");
  p->CombinedCount = 1;
  CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  cf.CfMemberCount = 2;
  cf.CfMembers[1] = 1;
  cf.CfMembers[2] = 2;
  cf.CfAxis = alongX ? 1 : 0;
  cf.CfDistance = static_cast<float>(distance);
  p->FootingTable[1].CombNo = p->FootingTable[2].CombNo = 1;
  DesignCombinedFooting(*p, 1, 0);
  return p;
}

}  // namespace

TEST(CombinedBeam, ContactPressureAndEquilibrium) {
  // 1800 kN at 2.0 m on 5 m: e = -0.5 within L/6; p = 1800/5 + 12 x 1800 x (-0.5) (x - 2.5) / 125
  // = 576 - 86.4 x kN/m, 576 at the first end and 144 at the far one.
  auto q = contactPressure(1800, 2.0, 5.0);
  ASSERT_TRUE(q);
  EXPECT_NEAR(q->alpha, 576, 1e-9);
  EXPECT_NEAR(q->beta, -86.4, 1e-9);
  EXPECT_NEAR(q->at(5.0), 144, 1e-9);
  // 900 kN at 1.0 m: e = -1.5 beyond L/6, a triangle 3 (2.5 - 1.5) = 3 m long from the first end,
  // peak 2 x 900 / 3 = 600: p = 600 - 200 x on [0, 3]. Mirrored at 4.0 m: p = 200 x - 400 on [2, 5].
  q = contactPressure(900, 1.0, 5.0);
  ASSERT_TRUE(q);
  EXPECT_EQ(q->from, 0);
  EXPECT_NEAR(q->to, 3, 1e-12);
  EXPECT_NEAR(q->peak(), 600, 1e-9);
  EXPECT_NEAR(q->forceUpTo(3), 900, 1e-9);
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
    EXPECT_GE(beam->q.at(beam->q.from), -1e-9 * scale);
    EXPECT_GE(beam->q.at(beam->q.to), -1e-9 * scale);
  }
  EXPECT_GT(closed, 300);
}

TEST(CombinedRow, WorkedExampleEnvelopeShearPunchingAndTriangularContact) {
  auto p = workedPair();
  RowEdit edit;
  edit.depth = 0.65f;
  edit.barDia = 12;
  const FootingRow row = designCombinedRow(*p, 1, edit);
  // Columns at x = 0.5 and 3.5 of the 5 m length; pedestal 0.6 (faces at 0.2, 0.8, 3.2, 3.8).
  EXPECT_EQ(row.mark(), "C1");
  EXPECT_EQ(row.PedestalSize, 0.6f);
  EXPECT_FLOAT_EQ(row.TotalDepth, 0.65f);
  // Case 1 factored: 900 + 900 at 2.0, e = -0.5: p = 576 - 86.4 x (above).
  // Case 2 factored: 750 + 150, resultant (375 + 525) / 900 = 1.0, e = -1.5: the triangle
  // p = 600 - 200 x on [0, 3]. Its peak over the width, as read: 600 / 2.2 / 1.5 = 181.8 -> 182
  // (case 1: 576 / 2.2 / 1.5 = 174.5), so case position 1 of joint 101 governs.
  EXPECT_EQ(row.NetPressure, 182.0f);
  EXPECT_EQ(row.GovFooting, 1);
  EXPECT_EQ(row.GovCase, 1);
  // Sagging at the faces. Case 1 at 3.8 (the long cantilever): p = 247.68 - 86.4 u at u m beyond the
  // face, to u = 1.2; M = 247.68 x 1.2^2 / 2 - 86.4 x 1.2^3 / 3 = 178.3296 - 49.7664 = 128.5632 kN m.
  // Case 2 at 0.2: 300 x 0.2^2 - 33.33 x 0.2^3 = 11.733.
  EXPECT_NEAR(check(row, "bending along L, sagging").demand, 128.5632, 1e-4);
  // Hogging between the columns, case 1: shear 576 x - 43.2 x^2 - 900 = 0 at x = (576 - sqrt(576^2
  // - 4 x 43.2 x 900)) / 86.4 = 1.80754; M = 288 x^2 - 14.4 x^3 - 900 (x - 0.5) = 940.954 - 85.041
  // - 1176.786 = -320.873 kN m. Case 2 hogs less: 100 x^2 - 600 x + 750 = 0 at x = 1.77526,
  // M = 300 x^2 - 33.333 x^3 - 750 (x - 0.5) = -197.47.
  EXPECT_NEAR(check(row, "bending along L, hogging").demand, 320.873, 1e-3);
  // Across under each column, case 1: 900 / 2.2 per metre over the cantilever (2.2 - 0.6) / 2 = 0.8:
  // 409.09 x 0.8^2 / 2 = 130.909 kN m.
  EXPECT_NEAR(check(row, "bending along B under joint 101").demand, 130.909, 1e-3);
  EXPECT_NEAR(check(row, "bending along B under joint 102").demand, 130.909, 1e-3);

  // 12 mm bars at D 650: across (outer) d = 650 - 50 - 6 = 594, along L at the bottom on them
  // d = 650 - 50 - 12 - 6 = 582, on top d = 594. The band under joint 101 is 0.6 + 2 x 0.594 wide,
  // from -0.394 (cut at the end) to 1.394; under 102 from 2.606 to 4.394.
  EXPECT_FLOAT_EQ(layer(row, "bottom along B under joint 101").width, 1.394f);
  EXPECT_FLOAT_EQ(layer(row, "bottom along B under joint 102").width, 1.788f);
  EXPECT_FLOAT_EQ(layer(row, "bottom along B, elsewhere").width, 5.0f - 1.394f - 1.788f);
  // Its steel: the minimum 0.12 % x 1394 x 650 = 1087.32 (bending needs 620); 10 bars, one footing edge,
  // at (1394 - 56) / 9.5 = 140.
  EXPECT_NEAR(layer(row, "bottom along B under joint 101").Ast, 1087.32, 1e-2);
  EXPECT_EQ(layer(row, "bottom along B under joint 101").bars, 10);
  EXPECT_EQ(layer(row, "bottom along B under joint 101").spacing, 140);
  EXPECT_EQ(layer(row, "top along L").dia, 12);

  // One-way shear along L at d = 0.582 from the faces: x = 1.382, 2.618 and 4.382 (0.2 - 0.582 lies
  // beyond the end). Case 1: V(2.618) = 576 x 2.618 - 43.2 x 2.618^2 - 900 = 311.878 kN, the largest
  // (V(1.382) = -186.48, V(4.382) = -105.49; case 2: -111.79, 135.41, 0).
  // tv = 311878 / (2200 x 582) = 0.24358; both layers hold 16 x 113.1 = 1809.6 mm2, pt 0.1413 % at
  // d 582: below 0.15, tc = 0.28.
  EXPECT_NEAR(check(row, "one-way shear along L").demand, 0.24358, 1e-5);
  EXPECT_NEAR(check(row, "one-way shear along L").capacity, 0.28, 1e-6);
  // Across under 101: V = 409.09 x (0.8 - 0.594) = 84.27, tv = 84273 / (1394 x 594) = 0.10177.
  EXPECT_NEAR(check(row, "one-way shear along B under joint 101").demand, 0.10177, 1e-5);

  // Punching, d = (594 + 582) / 2 = 588, square side 0.6 + 0.588 = 1.188, half 0.594.
  // Joint 101 at 0.5: the side beyond the end is cut off; 1.188 + 2 x (0.5 + 0.594) = 3.376 m.
  // Case 1: pressure over x = 0..1.094 and 1.188 of the 2.2 width: (576 x 1.094 - 43.2 x 1.094^2)
  // x 1.188 / 2.2 = 578.44 x 0.54 = 312.36; V = 900 - 312.36 = 587.64 (case 2: 750 - 289.83 = 460.17).
  // tv = 587642 / (3376 x 588) = 0.29603.
  EXPECT_NEAR(check(row, "punching at joint 101").demand, 0.29603, 1e-5);
  // Joint 102 at 3.5: the whole square, 4 x 1.188 = 4.752 m. Case 1: x = 2.906..4.094:
  // (576 x 1.188 - 43.2 x (4.094^2 - 2.906^2)) x 0.54 = 325.04 x 0.54 = 175.52, V = 724.48;
  // case 2 presses only up to 3.0 there: 0.884 x 0.54 = 0.48, V = 149.52. tv = 724480 / (4752 x 588)
  // = 0.25928, both of 0.25 sqrt(20) = 1.1180.
  EXPECT_NEAR(check(row, "punching at joint 102").demand, 0.25928, 1e-5);
  EXPECT_NEAR(check(row, "punching at joint 102").capacity, 1.118034, 1e-6);
  // Bearing with 1.1 FY as the footing was sized: case 1 e = (2.5 - 0.5) - 1.5 = 0.5 off the
  // centre: 1320 / 11 + 6 x 600 / (2.2 x 25) = 120 + 65.45 = 185.45 of 200.
  EXPECT_NEAR(check(row, "bearing at joint 101, load case 1").demand, 185.4545, 1e-4);
  EXPECT_NEAR(check(row, "resultant within the base").demand, 1.5, 1e-9);
  // Development: the 0.5 m cantilever beyond joint 101 leaves 0.5 - 0.3 - 0.05 = 0.15 m for the
  // bottom bars along L, which need 564 mm: the one failed check; bars across develop in
  // 0.8 - 0.05 = 0.75 m, the top bars from the hogging section 1.808 m from the end.
  EXPECT_NEAR(check(row, "development length, bottom along L").capacity, 150, 1e-3);
  EXPECT_NEAR(check(row, "development length, top along L").capacity, 1757.54, 0.01);
  for (const CodeCheck& c : row.checks) EXPECT_EQ(c.ok, c.name != "development length, bottom along L") << c.name;

  // Designed without the edits the row comes out 625 deep, every check but that one passing.
  const FootingRow own = designCombinedRow(*p, 1, {});
  EXPECT_FLOAT_EQ(own.TotalDepth, 0.625f);
  for (const CodeCheck& c : own.checks) EXPECT_EQ(c.ok, c.name != "development length, bottom along L") << c.name;
  // An edited pedestal stands for both columns.
  edit = {};
  edit.pedestal = 0.7f;
  EXPECT_EQ(designCombinedRow(*p, 1, edit).PedestalSize, 0.7f);
  // Otherwise the larger of the two columns' own: 2.0 m gives 0.6, 2.5 m gives 0.75.
  p->FootingTable[2].ReqSize = 2.5f;
  EXPECT_EQ(designCombinedRow(*p, 1, {}).PedestalSize, 0.75f);
}

TEST(CombinedRow, CasesPairByNumberAndMomentsCountInBothSenses) {
  // Member 102 lists its cases in the other order: the row is the same.
  auto p = workedPair();
  auto swapped = workedPair();
  design_test::setSupport(*swapped, 2, 102, {{2, 100, 0, 0}, {1, 600, 0, 0}});
  const FootingRow a = designCombinedRow(*p, 1, {}), b = designCombinedRow(*swapped, 1, {});
  EXPECT_EQ(a.TotalDepth, b.TotalDepth);
  EXPECT_EQ(a.steel, b.steel);
  ASSERT_EQ(a.checks.size(), b.checks.size());
  for (std::size_t k = 0; k < a.checks.size(); ++k) {
    // Only the allowable pressure goes by position (SBC for a support's first case): 102's case 2 now
    // stands first and is held to 200.
    if (a.checks[k].name.rfind("bearing at joint 102", 0) == 0) continue;
    EXPECT_EQ(a.checks[k], b.checks[k]) << a.checks[k].name;
  }
  EXPECT_EQ(check(b, "bearing at joint 102, load case 2").capacity, 200.0);

  // A case of one member only: the other column carries nothing in it, as if it read FY 0.
  auto alone = workedPair();
  design_test::setSupport(*alone, 1, 101, {{1, 600, 0, 0}, {2, 500, 0, 0}, {3, 800, 0, 0}});
  auto zero = workedPair();
  design_test::setSupport(*zero, 1, 101, {{1, 600, 0, 0}, {2, 500, 0, 0}, {3, 800, 0, 0}});
  design_test::setSupport(*zero, 2, 102, {{1, 600, 0, 0}, {2, 100, 0, 0}, {3, 0, 0, 0}});
  const FootingRow c = designCombinedRow(*alone, 1, {}), d = designCombinedRow(*zero, 1, {});
  EXPECT_EQ(c.steel, d.steel);
  EXPECT_EQ(check(c, "one-way shear along L").demand, check(d, "one-way shear along L").demand);
  // Case 3 alone: 1200 factored across under 101: 1200 / 2.2 x 0.8^2 / 2 = 174.545 kN m.
  EXPECT_NEAR(check(c, "bending along B under joint 101").demand, 174.545, 1e-3);

  // Moments along the length (MZ on a footing along X) in either sign give the same row.
  auto plus = workedPair();
  auto minus = workedPair();
  design_test::setSupport(*plus, 1, 101, {{1, 600, 40, 120}, {2, 500, 0, -60}});
  design_test::setSupport(*minus, 1, 101, {{1, 600, -40, -120}, {2, 500, 0, 60}});
  const FootingRow e = designCombinedRow(*plus, 1, {}), f = designCombinedRow(*minus, 1, {});
  EXPECT_EQ(e.steel, f.steel);
  EXPECT_EQ(e.checks, f.checks);
  EXPECT_NE(check(e, "bending along L, sagging").demand, check(a, "bending along L, sagging").demand);
}

// Random pairs of columns along X or Z, combined and sized as the combine command does it, random
// grades: every check of every row passes, except where the short cantilevers cannot develop the
// bottom bars (flagged).
TEST(CombinedRow, EveryCheckOfRandomCombinedFootingsPasses) {
  std::mt19937 rng(9127);
  std::uniform_real_distribution<float> load(150, 2500), share(-0.08f, 0.08f);
  std::uniform_int_distribution<int> caseCount(1, 4), distance(1100, 6000), pick(0, 6), coin(0, 1);
  const int fcks[] = {15, 20, 25, 30, 35, 40, 50};
  const int fes[] = {250, 415, 500, 415, 500, 415, 415};
  const char* sbcs[] = {"100", "150", "200", "300", "450", "200", "250"};
  int rows = 0, flagged = 0, flaggedOnlyBottomAlongL = 0;
  for (int trial = 0; trial < 200; ++trial) {
    const std::size_t n = static_cast<std::size_t>(caseCount(rng));
    std::vector<plintova::testing::Case> a(n), b(n);
    for (auto* list : {&a, &b})
      for (plintova::testing::Case& c : *list) {
        c.fy = load(rng);
        c.mx = c.fy * share(rng);
        c.mz = c.fy * share(rng);
      }
    auto p = sizedPair(distance(rng), a, b, coin(rng) == 1, sbcs[pick(rng)]);
    p->Fck = static_cast<int16_t>(fcks[pick(rng)]);
    p->Fe = static_cast<int16_t>(fes[pick(rng)]);
    const FootingRow row = designCombinedRow(*p, 1, {});
    ++rows;
    const double D = row.TotalDepth * 1000.0;
    EXPECT_NEAR(std::fmod(D + 1e-3, 25.0), 0, 2e-3) << "depth " << D;
    std::vector<std::string> failed;
    for (const CodeCheck& c : row.checks) {
      EXPECT_EQ(c.ok, c.demand <= c.capacity) << c.name;
      if (!c.ok) failed.push_back(c.name);
    }
    for (const std::string& name : failed) EXPECT_EQ(name.rfind("development length", 0), 0u) << name;
    for (const SteelLayer& l : row.steel) {
      EXPECT_GE(l.bars * is456::barArea(l.dia), l.Ast - 1e-6) << l.where;
      EXPECT_LE(l.spacing, 300) << l.where;
    }
    if (!failed.empty()) ++flagged;
    if (failed.size() == 1 && failed[0] == "development length, bottom along L") ++flaggedOnlyBottomAlongL;
    else for (auto& f : failed) std::printf("OTHER %s L %g B %g a %g\n", f.c_str(), (double)row.L, (double)row.B, (double)row.PedestalSize);
  }
  std::printf("[ rows ] %d combined footings: %d flagged for development length, %d of them only the bottom bars "
              "along L\n",
              rows, flagged, flaggedOnlyBottomAlongL);
}
