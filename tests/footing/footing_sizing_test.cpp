// Placing footings on their joints and sizing square isolated footings.
#include "footing/footing_sizing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "footing_test_support.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

TEST(FootingPlacement, TakesTheFirstJointWithTheSupportNumberAndKeepsUnmatchedSupports) {
  auto p = makeProject();
  addSupport(*p, 7, 1000, 2000, {{100, 0, 0}});
  // A later joint row with the same number is not used.
  p->JointTable[++p->JointCount] = {};
  p->JointTable[p->JointCount][0] = 7;
  p->JointTable[p->JointCount][1] = 9999;
  // A support whose joint is missing keeps what its record held.
  p->ReactionTable(0, 0, 0) = 2;
  p->ReactionTable(2, 0, 0) = 42;
  p->FootingTable[2].PosX = 55;
  placeFootings(*p);

  EXPECT_EQ(p->FootingCount, 2);
  const FootingRecord& f = p->FootingTable[1];
  EXPECT_EQ(f.JointNo, 7);
  EXPECT_EQ(f.PosX, 1000);
  EXPECT_EQ(f.PosZ, 2000);
  EXPECT_EQ(f.ColumnX, 1000);
  EXPECT_EQ(f.ColumnZ, 2000);
  EXPECT_EQ(p->FootingTable[2].PosX, 55);
  EXPECT_EQ(p->FootingTable[2].JointNo, 0);
}

TEST(FootingSizing, PressureGovernedSidesRoundUpToTheMillimetre) {
  auto p = makeProject("200");
  // 1000 kN at the first case against SBC 200: sqrt(1100 / 200) = 2.3452.
  addSupport(*p, 1, 0, 0, {{1000, 0, 0}});
  // The same load as a later case is checked against 1.25 x SBC: sqrt(4.4) = 2.0976.
  addSupport(*p, 2, 0, 0, {{10, 0, 0}, {1000, 0, 0}});
  // 200 L^3 - 1100 L - 375 = 0 has the root 2.5 exactly: it stays 2.500.
  addSupport(*p, 3, 0, 0, {{1000, 62.5f, 0}});
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);

  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.346f);
  EXPECT_EQ(p->FootingTable[2].ReqSize, 2.098f);
  EXPECT_EQ(p->FootingTable[3].ReqSize, 2.5f);
  for (int s = 1; s <= 3; ++s) {
    const FootingRecord& f = p->FootingTable[s];
    EXPECT_EQ(f.JointNo, s);
    EXPECT_FALSE(f.NoTension);
  }
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(FootingSizing, NoTensionSideGovernsALightlyLoadedColumnWithAMoment) {
  auto p = makeProject("200");
  addSupport(*p, 1, 0, 0, {{100, 50, 0}});
  EXPECT_NEAR(pressureSide(110, 50, 200), 1.30, 0.005);  // root of 200 L^3 - 110 L - 300 = 0

  RecordingPrompter prompter;
  sizeFootings(*p, prompter);
  // 6 x 50 / 110 = 2.7273 keeps the resultant within the middle third.
  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.728f);
  EXPECT_TRUE(p->FootingTable[1].NoTension);
  // The sign of the moments does not matter.
  p->ReactionTable(1, 0, 3) = -50;
  sizeFootings(*p, prompter);
  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.728f);
}

// Uplift, worked by hand with the default options (concrete 25, soil 18 kN/m3, no water table, factors
// 1.4) at a founding depth of 1.5 m. A footing L x L, 250 mm deep, under a pedestal a x a up to the
// ground, with soil beside it, weighs
//   W = 25 x 0.25 L^2 + 25 x 1.25 a^2 + 18 x 1.25 (L^2 - a^2) = 28.75 L^2 + 8.75 a^2   (kN),
// the pedestal being that of its size group: 0.6 m up to 2.3 m, 0.75 m up to 2.8 m.
TEST(FootingSizing, UpwardAndZeroReactionsAreKeptAndTheFootingIsHeldDownByItsWeight) {
  auto p = makeProject("200");
  addSupport(*p, 7, 0, 0, {{500, 0, 0}, {0, 5, 0}, {-100, 0, 0}});
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);
  // Nothing is replaced: the reactions stay as read.
  EXPECT_EQ(p->ReactionTable(1, 1, 2), 0.0f);
  EXPECT_EQ(p->ReactionTable(1, 2, 2), -100.0f);
  // Case 1 presses: sqrt(550 / 200) = 1.658 m. Case 3 lifts by U = 100 kN: 0.9 W >= 1.4 x 100 needs
  // W >= 155.56 kN. With a = 0.6, L = 2.300 gives 28.75 x 5.29 + 3.15 = 155.24, too light; L = 2.301 rounds
  // up to a 2.4 m group with a = 0.75: 28.75 x 5.2946 + 4.92 = 157.14 holds. So 2.301 m, uplift governing.
  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.301f);
  EXPECT_TRUE(p->FootingTable[1].UpliftGoverns);
  EXPECT_FALSE(p->FootingTable[1].NoTension);
  // U = 50: W >= 77.78; with a = 0.45, 28.75 L^2 >= 76.006, L >= 1.62594: 1.626 m.
  EXPECT_DOUBLE_EQ(upliftSide(*p, 50, 0, 0, -50), 1.626);
  // Case 2 has no load but 5 kN m: N = 0.9 W, and N L / 2 >= 1.4 x 5 needs W L >= 15.556; with a = 0.4,
  // (28.75 L^2 + 1.4) L: 15.559 at 0.795 m, 15.503 at 0.794 m.
  EXPECT_DOUBLE_EQ(upliftSide(*p, 0, 5, 0, 0), 0.795);

  // One message per kind, naming the supports, the largest value and its case, one line per case.
  ASSERT_EQ(prompter.calls.size(), 2u);
  EXPECT_EQ(prompter.calls[0].text,
            "Joint 7 is lifted (upward FY) in 1 load case; the largest uplift is 100 kN at joint 7, load case 3. "
            "Those footings are sized to be held down by their weight (IS 456 cl. 20.1).");
  EXPECT_EQ(prompter.calls[0].details, std::vector<std::string>{"Joint 7, load case 3: FY = -100 kN"});
  EXPECT_EQ(prompter.calls[1].details, std::vector<std::string>{"Joint 7, load case 2: FY = 0 kN"});
}

TEST(FootingSizing, EverySupportIsSizedOverItsOwnLoadCases) {
  auto p = makeProject("200");
  std::vector<Case> full(36, Case{100, 0, 0});
  full[35].fy = 1000;  // only the last of 36 positions is heavy
  addSupport(*p, 1, 0, 0, full);
  addSupport(*p, 2, 0, 0, {{1000, 0, 0}});
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);

  EXPECT_EQ(p->FootingTable[1].ReqSize, 2.098f);  // position 35 against 1.25 x SBC
  EXPECT_EQ(p->FootingTable[2].ReqSize, 2.346f);

  // Sized in the other order, each support still takes its own cases.
  auto q = makeProject("200");
  addSupport(*q, 2, 0, 0, {{1000, 0, 0}});
  addSupport(*q, 1, 0, 0, full);
  sizeFootings(*q, prompter);
  EXPECT_EQ(q->FootingTable[1].ReqSize, 2.346f);
  EXPECT_EQ(q->FootingTable[2].ReqSize, 2.098f);
}

namespace {

double cubic(double P, double M, double q, double L) { return q * L * L * L - P * L - 6.0 * M; }

// The pressure side for load P and moment M against the allowable pressure of position 0 of support 1,
// held in single precision as a required size is.
float sideOf(const Project& p, double P, double M) {
  return static_cast<float>(std::min(pressureSide(P, M, p.allowable(1, 0)), double{std::numeric_limits<float>::max()}));
}

}  // namespace

TEST(FootingSizing, HugeReactionsFindThePositiveRootAndSidesAbove30mAreRefused) {
  // Bracketing by hand: 200 L^3 = 1100 L gives sqrt(5.5); 200 L^3 - 1100 L - 375 is 0 at 2.5.
  EXPECT_DOUBLE_EQ(bracketedSide(1100, 0, 200), std::sqrt(5.5));
  EXPECT_DOUBLE_EQ(bracketedSide(1100, 62.5, 200), 2.5);
  auto p = makeProject("200");
  addSupport(*p, 7, 0, 0, {{1, 0, 0}});
  // 1.1e12 kN: L = sqrt(5.5e9) = 74161.98 m, where the 20 Newton steps stop near 2.73e6 m.
  EXPECT_NEAR(sideOf(*p, 1.1e12, 0), std::sqrt(5.5e9), 0.01);
  // 1.1e19 kN: the 0.1 m start offset is lost in single precision; the steps ran to the negative root.
  EXPECT_NEAR(sideOf(*p, 1.1e19, 0), std::sqrt(5.5e16), 300.0);

  // 1.1 FY = 200 L^2: FY 163636 needs 29.99997 m, stored as 30; FY 1e12 at a later case (250 kN/m2)
  // needs sqrt(4.4e9) = 66332.496 m, held as the single 66332.49. Sizing stops at that support.
  auto big = makeProject("200");
  addSupport(*big, 3, 0, 0, {{163636, 0, 0}});
  addSupport(*big, 7, 5000, 0, {{100, 0, 0}, {1e12f, 0, 0}});
  RecordingPrompter prompter;
  EXPECT_EQ(sizeFootings(*big, prompter),
            "Joint 7 needs a footing side of 66332.49 m; sides above 30 m cannot be designed. Check the units of "
            "the reactions in the listing.");
  EXPECT_EQ(big->FootingTable[1].ReqSize, 30.0f);
  EXPECT_EQ(big->FootingTable[2].ReqSize, 0.0f);
}

TEST(FootingSizing, EverySideAListingCanAskForIsTheFiniteRootWithinSinglePrecision) {
  std::mt19937 rng(1931);
  std::uniform_real_distribution<double> load(0.0, 38.5), moment(-2.0, 38.0), sbc(50.0, 1250.0);
  auto p = makeProject("200");
  addSupport(*p, 1, 0, 0, {{1, 0, 0}});
  for (int i = 0; i < 40000; ++i) {
    const double q = roundTo(sbc(rng), 0);
    p->CaseSbc[0] = q;
    const double P = static_cast<float>(std::pow(10.0, load(rng)));
    const double M = static_cast<float>(std::pow(10.0, moment(rng)));
    const double L = sideOf(*p, P, M);
    ASSERT_TRUE(std::isfinite(L) && L > 0) << P << " " << M << " " << q;
    ASSERT_LE(cubic(P, M, q, L * (1 - 1e-6)), 0.0) << P << " " << M << " " << q << " " << L;
    ASSERT_GE(cubic(P, M, q, L * (1 + 1e-6)), 0.0) << P << " " << M << " " << q << " " << L;
  }
}
