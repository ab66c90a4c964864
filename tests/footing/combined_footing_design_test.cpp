// Sizing of a combined footing: length in whole 0.1 m with the cantilevers that make it up, widths
// that do not drift, and moments of either sign at every load case.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "footing/combined_footings.h"
#include "footing_test_support.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

// Two supports `distance` mm apart along Z (or X), combined as footing 1 without sizing it yet.
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
  p->FootingTable[1].CombNo = p->FootingTable[2].CombNo = 1;
  return p;
}

// The width the older rule gives at the same length and cantilevers: moment sums with their signs,
// and the offset of the resultant left out at the first load case (widths 0.65, 0.70, ... exact).
double signedRuleWidth(const Project& p) {
  const CombinedFootingRecord& cf = p.CombinedFootingTable[1];
  const int a = cf.CfMembers[1], b = cf.CfMembers[2];
  const int along = cf.CfAxis == 1 ? 4 : 3, across = cf.CfAxis == 1 ? 3 : 4;
  const double L = cf.CfLength, d = cf.CfDistance / 1000.0, cant1 = cf.Cant1;
  int k = 1;
  const int last = std::max(p.lastCasePosition(a), p.lastCasePosition(b));
  for (int c = 0; c <= last; ++c) {
    double fyA = 0, fyB = 0, mAlong = 0, mAcross = 0;
    for (int s : {a, b}) {
      if (c > p.lastCasePosition(s)) continue;
      (s == a ? fyA : fyB) = p.ReactionTable(s, c, 2);
      mAlong += p.ReactionTable(s, c, along);
      mAcross += p.ReactionTable(s, c, across);
    }
    const double P = fyA + fyB;
    const double xBar = P != 0 ? fyB / P * d : d / 2;
    if (c > 0) mAlong += std::fabs(((L / 2 - cant1) - xBar) * P);
    auto pressure = [&](double B) { return 1.1 * P / (L * B) + 6 * mAlong / (B * L * L) + 6 * mAcross / (B * B * L); };
    while (k < 20000 && pressure(roundToSingle(0.6 + 0.05 * k, 2)) > p.CaseSbc[c == 0 ? 0 : 1]) ++k;
  }
  return roundToSingle(0.6 + 0.05 * k, 2);
}

}  // namespace

TEST(CombinedFootingDesign, MomentsCountWhateverTheirSign) {
  // 500 + 500 kN, 3 m apart, MX -150 at each column: 1.1 x 1000 / (4 B) + 6 x 300 / (16 B) =
  // (275 + 112.5) / B <= 200 needs B >= 1.9375. Summed with its sign the moment relieved the edge
  // that it loads: 0.85 m, and 456 kN/m2 at the far edge.
  auto p = combinedPair(3000, {{500, -150, 0}}, {{500, -150, 0}});
  DesignCombinedFooting(*p, 1, 0);
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  EXPECT_EQ(cf.CfLength, 4.0f);
  EXPECT_EQ(cf.CfWidth, 1.95f);
  EXPECT_EQ(signedRuleWidth(*p), 0.85f);

  // Along X the moment about Z bends along the length.
  auto x = combinedPair(3000, {{500, 0, -150}}, {{500, 0, -150}}, true);
  DesignCombinedFooting(*x, 1, 0);
  EXPECT_EQ(x->CombinedFootingTable[1].CfWidth, 1.95f);

  // Across the width: 275 / B + 6 x 300 / (4 B^2) <= 200, 200 B^2 - 275 B - 450 = 0, B = 2.3375.
  auto across = combinedPair(3000, {{500, 0, -150}}, {{500, 0, -150}});
  DesignCombinedFooting(*across, 1, 0);
  EXPECT_EQ(across->CombinedFootingTable[1].CfWidth, 2.35f);
  EXPECT_EQ(signedRuleWidth(*across), 0.65f);
}

TEST(CombinedFootingDesign, TheFirstLoadCaseCountsTheOffsetOfItsResultant) {
  // 1500 + 500 kN, 3 m apart: resultant 0.75 m from the first column, Cant1 1.25, Cant2 0.55, L 4.8.
  // The 0.5 m cantilever beyond the second column keeps the footing 0.4 m off the resultant:
  // 2200 / (4.8 B) + 6 x (0.4 x 2000) / (4.8^2 B) = (458.33 + 208.33) / B <= 200 needs B >= 3.333.
  auto p = combinedPair(3000, {{1500, 0, 0}}, {{500, 0, 0}});
  DesignCombinedFooting(*p, 1, 0);
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  EXPECT_EQ(cf.Cant1, 1.25f);
  EXPECT_EQ(cf.CfLength, 4.8f);
  EXPECT_EQ(cf.CfWidth, 3.35f);
  EXPECT_EQ(signedRuleWidth(*p), 2.3f);  // 2200 / (4.8 B) <= 200 alone
}

TEST(CombinedFootingDesign, TheLengthIsWholeTenthsAndTheCantileversMakeItUp) {
  // Equal loads 5.022 m apart: L0 = Round(6.022, 1) = 6.0, Cant1 = 3.0 - 2.511 = 0.489 raised to 0.5,
  // Cant2 = 6.0 - 0.5 - 5.022 = 0.478 raised to 0.5; 6.022 rounds up to 6.1 and Cant2 becomes 0.578.
  auto p = combinedPair(5022, {{500, 0, 0}}, {{500, 0, 0}});
  DesignCombinedFooting(*p, 1, 0);
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  EXPECT_EQ(cf.CfLength, 6.1f);
  EXPECT_EQ(cf.Cant1, 0.5f);
  EXPECT_EQ(cf.Cant2, 0.578f);
  EXPECT_EQ(cf.CfBottom, -500.0f);
  EXPECT_EQ(cf.CfTop, 5600.0f);  // 6.1 m drawn
  // 1100 / (6.1 B) <= 200: B >= 0.9016.
  EXPECT_EQ(cf.CfWidth, 0.95f);
  EXPECT_EQ(p->FootingTable[1].SizeB, 6.1f);

  // A wheel notch: L0 = 6.2, Cant1 = 3.1 - 2.511 = 0.589, Cant2 = 6.2 - 0.589 - 5.022 = 0.589.
  DesignCombinedFooting(*p, 1, +1);
  EXPECT_EQ(cf.CfLength, 6.2f);
  EXPECT_EQ(cf.Cant1, 0.589f);
  EXPECT_EQ(cf.Cant2, 0.589f);
  EXPECT_EQ(cf.CfBottom, -589.0f);
  EXPECT_EQ(cf.CfTop, 5611.0f);

  // From an explicit start length, along X: L0 4.23, Cant1 = 2.115 - 1.5 = 0.615, Cant2 0.615,
  // 4.23 rounds up to 4.3 and Cant2 becomes 0.685.
  auto x = combinedPair(3000, {{500, 0, 0}}, {{500, 0, 0}}, true);
  designCombinedFooting(*x, 1, 4.23);
  const CombinedFootingRecord& cx = x->CombinedFootingTable[1];
  EXPECT_EQ(cx.CfLength, 4.3f);
  EXPECT_EQ(cx.Cant1, 0.615f);
  EXPECT_EQ(cx.Cant2, 0.685f);
  EXPECT_EQ(cx.CfLeft, -615.0f);
  EXPECT_EQ(cx.CfRight, 3685.0f);
}

TEST(CombinedFootingDesign, RandomPairsAreNeverNarrowerThanTheSignedRuleAndPassEveryCase) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> distance(1001, 9000), cases(1, 8), sign(0, 1);
  std::uniform_real_distribution<float> load(-200.0f, 3000.0f), moment(-400.0f, 400.0f), start(0.0f, 12.0f);
  for (int round = 0; round < 3000; ++round) {
    auto random = [&] {
      std::vector<Case> list(static_cast<std::size_t>(cases(rng)));
      for (Case& c : list) c = {load(rng), moment(rng), moment(rng)};
      return list;
    };
    const bool alongX = sign(rng) == 1;
    auto p = combinedPair(distance(rng), random(), random(), alongX, round % 2 ? "150" : "300");
    if (round % 3 == 0) designCombinedFooting(*p, 1, roundTo(start(rng), 1));
    else DesignCombinedFooting(*p, 1, 0);
    const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
    const double L = cf.CfLength, B = cf.CfWidth, d = cf.CfDistance / 1000.0;

    ASSERT_GE(B, signedRuleWidth(*p)) << "round " << round;
    // Whole tenths of length, whole millimetres of cantilever, at least 0.5 m each, adding up to L.
    ASSERT_EQ(cf.CfLength.value(), roundToSingle(L, 1));
    ASSERT_EQ(static_cast<float>(cf.Cant1), roundToSingle(cf.Cant1, 3));
    ASSERT_EQ(static_cast<float>(cf.Cant2), roundToSingle(cf.Cant2, 3));
    ASSERT_GE(cf.Cant1, 0.5);
    ASSERT_GE(cf.Cant2, 0.5);
    ASSERT_NEAR(cf.Cant1 + d + cf.Cant2, L, 1e-6 * L);
    const double drawn = alongX ? cf.CfRight - cf.CfLeft : cf.CfTop - cf.CfBottom;
    ASSERT_EQ(drawn, 1000 * roundTo(L, 1)) << "round " << round;
    // The width is one of 0.65, 0.70, ... to two decimals.
    ASSERT_EQ(cf.CfWidth.value(), roundToSingle(0.6 + 0.05 * std::round((B - 0.6) / 0.05), 2));

    // Every case passes on the rectangle as drawn, its loads taken about the rectangle's centre; a
    // width one step narrower fails at least one case.
    const double centre = (alongX ? cf.CfLeft + cf.CfRight : cf.CfBottom + cf.CfTop) / 2000.0;  // m
    auto passes = [&](double width) {
      for (int c = 0; c <= std::max(p->lastCasePosition(1), p->lastCasePosition(2)); ++c) {
        double P = 0, about = 0, mAlong = 0, mAcross = 0;
        for (int s : {1, 2}) {
          if (c > p->lastCasePosition(s)) continue;
          const double fy = p->ReactionTable(s, c, 2);
          P += fy;
          about += fy * ((s == 1 ? 0.0 : d) - centre);
          mAlong += p->ReactionTable(s, c, alongX ? 4 : 3);
          mAcross += p->ReactionTable(s, c, alongX ? 3 : 4);
        }
        if (P == 0) about = 0;  // no resultant: taken midway, as the footing is placed
        const double edge = 1.1 * P / (L * width) + 6 * (std::fabs(mAlong) + std::fabs(about)) / (width * L * L) +
                            6 * std::fabs(mAcross) / (width * width * L);
        if (edge > p->CaseSbc[c == 0 ? 0 : 1] * (1 + 1e-9)) return false;
      }
      return true;
    };
    ASSERT_TRUE(passes(B)) << "round " << round;
    if (B > 0.66) {
      ASSERT_FALSE(passes(roundToSingle(B - 0.05, 2))) << "round " << round;
    }
  }
}
