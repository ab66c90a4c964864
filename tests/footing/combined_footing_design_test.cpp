// Sizing of a combined footing: moments of either sign at every load case, a length in whole 0.1 m
// made up by its cantilevers, and widths that do not drift.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "footing/combined_footings.h"
#include "footing/no_tension.h"
#include "footing/soil_checks.h"
#include "footing_test_support.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

// Two supports `distance` mm apart along Z (or X), made combined footing 1 and sized from step 0.
std::unique_ptr<Project> combinedPair(int distance, std::vector<Case> a, std::vector<Case> b, bool alongX = false,
                                      const char* sbc = "200") {
  auto p = makeProject(sbc, "1.5");
  addSupport(*p, 11, 0, 0, a);
  addSupport(*p, 12, alongX ? distance : 0, alongX ? 0 : distance, b);
  p->CombinedCount = 1;
  CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  cf.CfMemberCount = 2;
  cf.CfMembers[1] = 1;
  cf.CfMembers[2] = 2;
  cf.CfAxis = alongX ? 1 : 0;
  cf.CfDistance = static_cast<float>(distance);
  setCombined(p->FootingTable[1], 1);
  setCombined(p->FootingTable[2], 1);
  stepCombinedFooting(*p, 1, 0);
  return p;
}

// Whether load case c keeps the most loaded corner of combined footing 1 allowable at `width` (its
// length as stored), with the moment of the loads about the centre of the rectangle as drawn.
// `signedSums`: the older rule, which summed the moments with their signs and left the offset of the
// resultant out at the first load case.
bool passesCase(const Project& p, int c, double width, bool signedSums = false) {
  const CombinedFootingRecord& cf = p.CombinedFootingTable[1];
  const bool alongX = cf.CfAxis == 1;
  const double L = cf.CfLength, d = cf.CfDistance / 1000.0;
  const double centre = (alongX ? cf.CfLeft + cf.CfRight : cf.CfBottom + cf.CfTop) / 2000.0;  // m from column 1
  double P = 0, about = 0, along = 0, across = 0;
  for (int s : {1, 2}) {
    if (c > p.lastCasePosition(s)) continue;
    P += p.ReactionTable(s, c, 2);
    about += p.ReactionTable(s, c, 2) * ((s == 1 ? 0.0 : d) - centre);
    along += p.ReactionTable(s, c, alongX ? 4 : 3);
    across += p.ReactionTable(s, c, alongX ? 3 : 4);
  }
  if (P == 0 || (signedSums && c == 0)) about = 0;  // no resultant: placed midway
  if (!signedSums) {
    along = std::fabs(along);
    across = std::fabs(across);
  }
  const double allowable = p.CaseSbc[c == 0 ? 0 : 1] * (1 + 1e-9);
  if (signedSums) {
    const double edge = 1.1 * P / (L * width) + 6 * (along + std::fabs(about)) / (width * L * L) +
                        6 * across / (width * width * L);
    return edge <= allowable;
  }
  // A pair that lifts the footing is held down by its weight (two 0.4 m pedestals of footings sized 0);
  // one that presses bears the peak of the no-tension pressure. A resultant beyond an end balances on
  // no width: no width passes or fails it (the row flags it).
  if (P <= 0)
    return 0.9 * footingWeight(p.decisions.options, 1.5, L, width, 0.25, PedestalSides::square(0.4), 2) >= 1.4 * -P * (1 - 1e-9);
  if (!((along + std::fabs(about)) / (1.1 * P) < L / 2)) return true;
  const PressureUnderFooting q = pressureUnderFooting(1.1 * P, across, along + std::fabs(about), L, width);
  return q.balanced && q.max <= allowable;
}

int lastCase(const Project& p) { return std::max(p.lastCasePosition(1), p.lastCasePosition(2)); }

bool passes(const Project& p, double width) {
  for (int c = 0; c <= lastCase(p); ++c)
    if (!passesCase(p, c, width)) return false;
  return true;
}

// The width of the older rule at the same length: 0.65, 0.70, ... widened case by case.
double signedRuleWidth(const Project& p) {
  int k = 1;
  for (int c = 0; c <= lastCase(p); ++c)
    while (k < 20000 && !passesCase(p, c, roundToSingle(0.6 + 0.05 * k, 2), true)) ++k;
  return roundToSingle(0.6 + 0.05 * k, 2);
}

}  // namespace

TEST(CombinedFootingDesign, MomentsCountWhateverTheirSignAndTheFirstCaseCountsItsOffset) {
  // 500 + 500 kN, 3 m apart, MX -150 at each column: (1100 / 4 + 6 x 300 / 16) / B <= 200 needs
  // B >= 1.9375. With its sign the moment relieved the edge it loads: 0.85 m and 456 kN/m2 there.
  EXPECT_EQ(combinedPair(3000, {{500, -150, 0}}, {{500, -150, 0}})->CombinedFootingTable[1].CfWidth, 1.95f);
  EXPECT_EQ(signedRuleWidth(*combinedPair(3000, {{500, -150, 0}}, {{500, -150, 0}})), 0.85f);
  // Along X the moment about Z bends along the length.
  EXPECT_EQ(combinedPair(3000, {{500, 0, -150}}, {{500, 0, -150}}, true)->CombinedFootingTable[1].CfWidth, 1.95f);
  // Across the width: 275 / B + 6 x 300 / (4 B^2) <= 200, 200 B^2 - 275 B - 450 = 0, B = 2.3375.
  EXPECT_EQ(combinedPair(3000, {{500, 0, -150}}, {{500, 0, -150}})->CombinedFootingTable[1].CfWidth, 2.35f);
  // 1500 + 500 kN: resultant 0.75 m from column 1, Cant1 1.25, L 4.8, Cant2 0.55, so the centre lies
  // 0.4 m beyond the resultant: (2200 / 4.8 + 6 x 0.4 x 2000 / 4.8^2) / B = 666.7 / B needs 3.333.
  auto p = combinedPair(3000, {{1500, 0, 0}}, {{500, 0, 0}});
  EXPECT_EQ(p->CombinedFootingTable[1].CfWidth, 3.35f);
}

TEST(CombinedFootingDesign, TheLengthIsWholeTenthsAndTheCantileversMakeItUp) {
  // Equal loads 5.022 m apart: L0 = 6.0, Cant1 = 3.0 - 2.511 raised to 0.5, Cant2 = 0.478 raised to
  // 0.5; 6.022 rounds up to 6.1 and Cant2 becomes 0.578. 1100 / (6.1 B) <= 200: B >= 0.90.
  auto p = combinedPair(5022, {{500, 0, 0}}, {{500, 0, 0}});
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  EXPECT_EQ(cf.CfLength, 6.1f);
  EXPECT_EQ(cf.Cant1, 0.5f);
  EXPECT_EQ(cf.Cant2, 0.578f);
  EXPECT_EQ(cf.CfBottom, -500.0f);
  EXPECT_EQ(cf.CfTop, 5600.0f);
  EXPECT_EQ(cf.CfWidth, 0.95f);
  // From a start length of 4.23 m, 3 m apart: Cant1 = 2.115 - 1.5 = 0.615, 4.23 rounds up to 4.3 and
  // Cant2 = 4.3 - 3 - 0.615 = 0.685.
  auto x = combinedPair(3000, {{500, 0, 0}}, {{500, 0, 0}}, true);
  sizeCombinedFooting(*x, 1, 4.23);
  const CombinedFootingRecord& cx = x->CombinedFootingTable[1];
  EXPECT_EQ(cx.CfLength, 4.3f);
  EXPECT_EQ(cx.Cant1, 0.615f);
  EXPECT_EQ(cx.Cant2, 0.685f);
  EXPECT_EQ(cx.CfRight - cx.CfLeft, 4300.0f);
}

TEST(CombinedFootingDesign, RandomPairsPassOnTheDrawnRectangleAndAreNeverNarrowerThanTheSignedRule) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> distance(1001, 9000), cases(1, 8), axis(0, 1);
  std::uniform_real_distribution<float> load(-200.0f, 3000.0f), moment(-400.0f, 400.0f), start(0.0f, 12.0f);
  for (int round = 0; round < 3000; ++round) {
    auto random = [&] {
      std::vector<Case> list(static_cast<std::size_t>(cases(rng)));
      for (Case& c : list) c = {load(rng), moment(rng), moment(rng)};
      return list;
    };
    auto p = combinedPair(distance(rng), random(), random(), axis(rng) == 1, round % 2 ? "150" : "300");
    if (round % 3 == 0) sizeCombinedFooting(*p, 1, roundTo(start(rng), 1));
    const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
    const double B = cf.CfWidth, L = cf.CfLength;
    // Whole tenths of length, whole millimetres of cantilever of at least 0.5 m, widths 0.65, 0.70, ...
    ASSERT_EQ(cf.CfLength.value(), roundToSingle(L, 1));
    ASSERT_EQ(cf.Cant1.value(), roundToSingle(cf.Cant1, 3));
    ASSERT_EQ(cf.Cant2.value(), roundToSingle(cf.Cant2, 3));
    ASSERT_TRUE(cf.Cant1 >= 0.5 && cf.Cant2 >= 0.5);
    ASSERT_EQ(cf.CfAxis == 1 ? cf.CfRight - cf.CfLeft : cf.CfTop - cf.CfBottom, roundWhole(1000 * roundTo(L, 1)));
    ASSERT_EQ(cf.CfWidth.value(), roundToSingle(0.6 + 0.05 * std::round((B - 0.6) / 0.05), 2));
    // A pair whose resultant lies so near an end that it needs more than 30 m stops there, flagged.
    if (B >= 30) continue;
    ASSERT_TRUE(passes(*p, B)) << "round " << round;
    if (B > 0.66) {
      ASSERT_FALSE(passes(*p, roundToSingle(B - 0.05, 2))) << "round " << round;
    }
    // The older rule took the resultant's offset in the first case as nil; where the pair lifts the
    // footing no rule of pressure applies.
    bool lifts = false;
    for (int c = 0; c <= lastCase(*p); ++c) {
      double P = 0;
      for (int s : {1, 2})
        if (c <= p->lastCasePosition(s)) P += p->ReactionTable(s, c, 2);
      lifts = lifts || P <= 0;
    }
    if (!lifts) {
      ASSERT_GE(B, signedRuleWidth(*p)) << "round " << round;
    }
  }
}
