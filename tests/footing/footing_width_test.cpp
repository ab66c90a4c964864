// Width for a chosen length and the hand resize of one footing.
#include "footing/footing_width.h"

#include <gtest/gtest.h>

#include "design/workbook.h"
#include "footing/size_groups.h"
#include "input/listing_reader.h"
#include "footing_test_support.h"
#include "plan_steps.h"

using namespace plintova;
using namespace plintova::testing;

TEST(FootingWidth, BearingRootWithoutMomentsIsTheLoadOverAllowablePressureAndLength) {
  auto p = makeProject("200", "1.5");
  addSupport(*p, 1, 0, 0, {{0, 0, 0}, {1000, 0, 0}});
  RecordingPrompter prompter;
  // A case without load is taken as 1.0 kN, without the 1.1 factor: 1 / (200 x 2).
  EXPECT_EQ(widthForCase(*p, 1, CaseUse{0, 1, 1.0}, 2.0f, 1.0, prompter), 0.0025f);
  // 1100 / (250 x 2) = 2.2 for the later case; the uplift root is 0 without moments.
  EXPECT_EQ(WidthForLength(*p, 1, 2.0f, prompter), 2.2f);
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(FootingWidth, TheGoverningCaseMayBeALighterOneWithALargeMoment) {
  auto p = makeProject("200", "1.5");
  addSupport(*p, 1, 0, 0, {{1000, 0, 0}, {500, 600, 0}});
  RecordingPrompter prompter;
  // Case 0: 1100 / (200 x 2) = 2.75. Case 1, lightest corner not below -30 kN/m2:
  // 60 B^2 + 550 B - 3600 = 0 gives B = 4.417.
  EXPECT_EQ(WidthForLength(*p, 1, 2.0f, prompter), 4.42f);
}

TEST(FootingWidth, ZeroFoundingDepthSolvesTheNoTensionLimitInsteadOfDividingByZero) {
  auto p = makeProject("200", "0");
  ASSERT_EQ(p->EarthPressure, 0.0f);
  addSupport(*p, 1, 0, 0, {{100, 50, 0}});
  addSupport(*p, 2, 0, 0, {{10, 0, 100}});
  RecordingPrompter prompter;
  // 110 B - 300 = 0: B = 2.727.
  EXPECT_EQ(WidthForLength(*p, 1, 2.0f, prompter), 2.73f);
  // The resultant lies beyond the middle third along the length: no width removes the tension, and
  // the bearing root (311 x 2 / 800 = 0.7775) stands.
  EXPECT_EQ(WidthForLength(*p, 2, 2.0f, prompter), 0.78f);
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(FootingWidth, EverySupportUsesItsOwnLoadCasesWhateverWasSizedLast) {
  auto p = makeProject("200", "1.5");
  addSupport(*p, 1, 0, 0, {{100, 0, 0}, {100, 0, 0}, {2000, 0, 0}});
  addSupport(*p, 2, 0, 0, {{100, 0, 0}});
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);
  EXPECT_EQ(WidthForLength(*p, 1, 2.0f, prompter), 4.4f);  // 2200 / (250 x 2)
}

TEST(FootingWidth, AWheelNotchMakesTheFootingHandResizedWithItsOwnWidth) {
  EXPECT_EQ(sizeProductText(1.55f, 1.6f), "1.55 X 1.6 = 2.48");

  auto p = makeProject("200", "1.5");
  addSupport(*p, 1, 0, 0, {{1000, 0, 0}});
  addSupport(*p, 2, 6000, 0, {{1000, 0, 0}});
  addSupport(*p, 3, 12000, 0, {{1000, 0, 0}});
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);
  ASSERT_EQ(BuildSizeGroups(*p), "");
  ASSERT_TRUE(assignSizeGroups(*p, prompter));
  ASSERT_EQ(p->FootingTable[3].SizeL, 2.4f);

  // Widths round up: 1100 / (200 x 2.35) = 2.3404 gives 2.35, since 2.34 would load the soil to
  // 200.04 kN/m2, and 1100 / (200 x 2.45) = 2.2449 gives 2.25.
  EXPECT_EQ(resizeFooting(*p, 3, -1, prompter), "2.35 X 2.35 = 5.52");
  EXPECT_EQ(resizeFooting(*p, 1, +1, prompter), "2.45 X 2.25 = 5.51");
  const FootingRecord& f = p->FootingTable[3];
  EXPECT_EQ(f.Kind, FootingKind::HandResized);
  EXPECT_EQ(f.SizeL, 2.35f);
  EXPECT_EQ(f.SizeB, 2.35f);
  // Hand-resized footings are numbered in footing order; the group keeps the remaining footing.
  EXPECT_EQ(p->FootingTable[1].GroupRank, 1);
  EXPECT_EQ(f.GroupRank, 2);
  EXPECT_EQ(p->SizeGroupTable[1].MemberCount, 1);

  // Back to the same length gives the same width as before, whatever the width was meanwhile.
  resizeFooting(*p, 3, -1, prompter);
  EXPECT_EQ(resizeFooting(*p, 3, +1, prompter), "2.35 X 2.35 = 5.52");
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(FootingWidth, ALengthThatWouldReachZeroIsNotTaken) {
  auto p = makeProject("200", "1.5");
  addSupport(*p, 1, 0, 0, {{100, 0, 0}});
  p->FootingTable[1].SizeL = 0.05f;
  p->FootingTable[1].SizeB = 1.0f;
  RecordingPrompter prompter;
  EXPECT_EQ(resizeFooting(*p, 1, -1, prompter), "0.05 X 1 = 0.05");
  EXPECT_EQ(p->FootingTable[1].SizeL, 0.05f);
  EXPECT_EQ(p->FootingTable[1].Kind, FootingKind::Isolated);
  EXPECT_EQ(resizeFooting(*p, 0, -1, prompter), "");  // no footing selected
}

TEST(FootingWidth, TheWidthRoundsUpSoThatEveryCaseStaysAllowable) {
  // Joint 22 of the example frame at SBC 200 and 1.5 m depth, 2.7 m long. Load case 1, FY 1349.22,
  // MX -4.33, MZ -1.46: 540 B^2 - (1484.14 + 6 x 1.46 / 2.7) B - 6 x 4.33 = 0 gives B = 2.7718. The
  // nearest 2.77 would load the soil to 200.13 kN/m2; rounded up it is 2.78.
  Project p;
  RecordingPrompter prompter;
  readListing(p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  placeFootings(p);
  ASSERT_EQ(sizeFootings(p, prompter), "");
  int s = 1;
  while (s < p.FootingCount && p.FootingTable[s].JointNo != 22) ++s;
  ASSERT_EQ(p.FootingTable[s].JointNo, 22);
  ASSERT_EQ(p.ReactionTable(s, 0, 2), 1349.22f);

  FootingRecord& f = p.FootingTable[s];
  f.Kind = FootingKind::HandResized;
  f.SizeL = 2.7f;
  f.SizeB = WidthForLength(p, s, 2.7f, prompter);
  EXPECT_EQ(f.SizeB, 2.78f);
  for (int c = 0; c <= p.lastCasePosition(s); ++c) EXPECT_FALSE(resizedPressure(p, s, c).fails) << "position " << c;
  f.SizeB = 2.77f;
  EXPECT_EQ(resizedPressure(p, s, 0).pmax, 200.13f);
}
