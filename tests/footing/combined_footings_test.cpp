// Combined footings: the axis tests, the questions, sizing on the resultant, wheel steps and dissolving.
#include "footing/combined_footings.h"
#include "footing/plan_decisions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "footing/footing_width.h"
#include "footing/size_groups.h"
#include "footing_test_support.h"
#include "plan_steps.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

const PlanRect kEverything{-1e6, -1e6, 1e6, 1e6};

// Two supports at (xa, za) and (xb, zb), sized and grouped as the main window does.
std::unique_ptr<Project> pairAt(int xa, int za, int xb, int zb, std::vector<Case> a = {{540, 0, 0}},
                                std::vector<Case> b = {{540, 0, 0}}) {
  auto p = makeProject("200", "1.5");
  addSupport(*p, 11, xa, za, a);
  addSupport(*p, 12, xb, zb, b);
  RecordingPrompter quiet;
  sizeFootings(*p, quiet);
  BuildSizeGroups(*p);
  assignSizeGroups(*p, quiet);
  return p;
}

}  // namespace

TEST(CombinedFootings, TwoColumnsOnOneLineBecomeOneFootingCentredOnTheirResultant) {
  auto p = pairAt(0, 0, 0, 3000);
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*p, {500, 3500, -500, -500}, prompter));  // corners in any order
  EXPECT_TRUE(prompter.calls.empty());
  ASSERT_EQ(p->CombinedCount, 1);
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  EXPECT_EQ(cf.CfMemberCount, 2);
  EXPECT_EQ(cf.CfMembers[1], 1);
  EXPECT_EQ(cf.CfMembers[2], 2);
  EXPECT_EQ(cf.CfAxis, 0);
  EXPECT_EQ(cf.CfDistance, 3000.0f);
  EXPECT_EQ(cf.CfHalfSkew, 0.0f);
  EXPECT_EQ(cf.CfLength, 4.0f);
  EXPECT_EQ(cf.Cant1, 0.5f);
  EXPECT_EQ(cf.Cant2, 0.5f);
  // 1188 / (4 B) is 204.8 at 1.45 m and 198 at 1.5 m.
  EXPECT_EQ(cf.CfWidth, 1.5f);
  EXPECT_EQ(cf.CfBottom, -500.0f);
  EXPECT_EQ(cf.CfTop, 3500.0f);
  EXPECT_EQ(cf.CfLeft, -750.0f);
  EXPECT_EQ(cf.CfRight, 750.0f);
  EXPECT_EQ(combinedSizeText(*p, 1), "4 X 1.5 = 6");
  for (int s : {1, 2}) {
    EXPECT_EQ(p->FootingTable[s].CombinedNo, 1);
    EXPECT_EQ(p->FootingTable[s].SizeL, 1.5f);
    EXPECT_EQ(p->FootingTable[s].SizeB, 4.0f);
  }

  // The same pair along X: the plan rectangle turns with it.
  auto q = pairAt(0, 0, 3000, 0);
  ASSERT_TRUE(combineFootings(*q, kEverything, prompter));
  const CombinedFootingRecord& cx = q->CombinedFootingTable[1];
  EXPECT_EQ(cx.CfAxis, 1);
  EXPECT_EQ(cx.CfLeft, -500.0f);
  EXPECT_EQ(cx.CfRight, 3500.0f);
  EXPECT_EQ(cx.CfBottom, -750.0f);
  EXPECT_EQ(cx.CfTop, 750.0f);
}

TEST(CombinedFootings, TheAxisTestsNeedTheLaterFootingMoreThan1000mmFurtherAndAtMost600mmOff) {
  struct Pair {
    int xb, zb;
    bool combines;
  };
  const Pair pairs[] = {{0, -3000, false}, {0, 1000, false}, {0, 1001, true}, {600, 3000, true},
                        {601, 3000, false}, {-600, 3000, true}, {3000, 600, true}, {1000, 0, false}};
  for (const Pair& pr : pairs) {
    auto p = pairAt(0, 0, pr.xb, pr.zb);
    RecordingPrompter prompter;
    EXPECT_EQ(combineFootings(*p, kEverything, prompter), pr.combines) << pr.xb << ", " << pr.zb;
    if (pr.combines) continue;
    ASSERT_EQ(prompter.calls.size(), 1u);
    EXPECT_EQ(prompter.calls[0].text, " Deviation Exceeds : ( > 600 mm)");
    EXPECT_EQ(prompter.calls[0].title, "Plintova");
    EXPECT_EQ(prompter.calls[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(p->CombinedCount, 0);
    EXPECT_EQ(p->FootingTable[2].Kind, FootingKind::Isolated);
  }
}

TEST(CombinedFootings, ASkewOfMoreThan10mmIsAskedAbout) {
  auto straight = pairAt(0, 0, 10, 3000);
  RecordingPrompter silent;
  EXPECT_TRUE(combineFootings(*straight, kEverything, silent));
  EXPECT_TRUE(silent.calls.empty());
  EXPECT_EQ(straight->CombinedFootingTable[1].CfHalfSkew, 5.0f);

  auto skewed = pairAt(0, 0, -11, 3000);
  RecordingPrompter cancel;
  cancel.answers = {false};
  EXPECT_FALSE(combineFootings(*skewed, kEverything, cancel));
  ASSERT_EQ(cancel.calls.size(), 1u);
  EXPECT_TRUE(cancel.calls[0].question);
  EXPECT_EQ(cancel.calls[0].text, " Skew : -11 mm ");
  EXPECT_EQ(cancel.calls[0].title, "Plintova");
  EXPECT_EQ(skewed->CombinedCount, 0);
  EXPECT_EQ(skewed->FootingTable[1].Kind, FootingKind::Isolated);

  RecordingPrompter ok;
  EXPECT_TRUE(combineFootings(*skewed, kEverything, ok));
  const CombinedFootingRecord& cf = skewed->CombinedFootingTable[1];
  EXPECT_EQ(cf.CfHalfSkew, -5.5f);
  EXPECT_EQ(cf.CfLeft, -5.5f - 750.0f);  // centre line on the first column plus half the skew
}

TEST(CombinedFootings, TheLongerCantileverGoesBeyondTheHeavierColumn) {
  auto heavyFirst = pairAt(0, 0, 0, 3000, {{1500, 0, 0}}, {{500, 0, 0}});
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*heavyFirst, kEverything, prompter));
  const CombinedFootingRecord& a = heavyFirst->CombinedFootingTable[1];
  // Resultant 0.75 m from the first column: 2.0 - 0.75 = 1.25 before it. Beyond the second at least
  // 0.6: the heavier column's 0.9 m pedestal (its 2.87 m required side) needs 0.45 + 0.15, more than
  // 0.5; 4.85 rounded up to 4.9, and the 0.05 m more goes beyond the second column.
  EXPECT_EQ(a.Cant1, 1.25f);
  EXPECT_EQ(a.Cant2, 0.65f);
  EXPECT_EQ(a.CfLength, 4.9f);
  EXPECT_EQ(a.CfBottom, -1250.0f);
  EXPECT_EQ(a.CfTop, 3650.0f);

  auto heavySecond = pairAt(0, 0, 0, 3000, {{500, 0, 0}}, {{1500, 0, 0}});
  ASSERT_TRUE(combineFootings(*heavySecond, kEverything, prompter));
  const CombinedFootingRecord& b = heavySecond->CombinedFootingTable[1];
  EXPECT_EQ(b.Cant1, 0.6f);
  EXPECT_EQ(b.Cant2, 0.6f);
  EXPECT_EQ(b.CfLength, 4.2f);
}

TEST(CombinedFootings, AWheelNotchOnAMemberChangesTheLengthByATenthAndSearchesTheWidthAgain) {
  auto p = pairAt(0, 0, 0, 3000, {{1000, 0, 0}}, {{1000, 0, 0}});
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*p, kEverything, prompter));
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  // The 0.75 m pedestals (2.35 m required sides) need 0.375 + 0.15 = 0.525 beyond each column: from
  // 4.0 the second cantilever grows to 0.525 and the length to 4.1, 0.575 beyond the second column, so
  // the footing's centre stands 25 mm off the resultant and the width comes to 2.8.
  EXPECT_EQ(cf.CfLength, 4.1f);
  EXPECT_NEAR(cf.Cant1, 0.525, 1e-6);
  EXPECT_EQ(cf.CfWidth, 2.8f);
  EXPECT_EQ(resizeFooting(*p, 2, +1, prompter), "4.2 X 2.65 = 11.13");  // centred: 2200 / (4.2 B) <= 200
  EXPECT_NEAR(cf.Cant1, 0.6, 1e-6);
  EXPECT_NEAR(cf.Cant2, 0.6, 1e-6);
  EXPECT_EQ(p->FootingTable[1].CombinedNo, 1);
  EXPECT_EQ(p->FootingTable[1].SizeB, 4.2f);
  // Shortening below the least cantilevers brings the length back to 4.1.
  stepCombinedFooting(*p, 1, -1);
  stepCombinedFooting(*p, 1, -1);
  EXPECT_EQ(cf.CfLength, 4.1f);
  EXPECT_EQ(cf.CfWidth, 2.8f);
}

TEST(CombinedFootings, EveryLoadCaseOfEitherMemberCountsAndNoneIsInvented) {
  // The second member has three cases, the first one.
  auto p = pairAt(0, 0, 0, 3000, {{500, 0, 0}}, {{500, 0, 0}, {100, 0, 0}, {1100, 0, 0}});
  p->ReactionTable(1, 2, 2) = 5000;  // beyond the first member's list: not a load case
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*p, kEverything, prompter));
  // Case 2 sits on the second column, 1.5 m off the centre of the 4 m footing: 1.1 x 1100 = 1210 kN with
  // 1650 kN m along, a resultant 1650 / 1210 = 1.364 m off the centre, beyond L/6 = 0.667. Linearly the far
  // end would pull; the soil takes only the contact 3 (2 - 1.364) = 1.909 m long, whose peak
  // 2 x 1210 / (3 B (2 - 1.364)) = 1267.6 / B <= 250 needs B >= 5.07.
  EXPECT_EQ(p->CombinedFootingTable[1].CfWidth, 5.1f);
}

TEST(CombinedFootings, AxialLoadsThatCancelPlaceTheResultantMidway) {
  auto p = makeProject("200", "1.5");
  addSupport(*p, 1, 0, 0, {{0, 0, 0}, {300, 0, 0}});
  addSupport(*p, 2, 0, 3000, {{0, 0, 0}, {-300, 0, 0}});
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*p, kEverything, prompter));
  const CombinedFootingRecord& cf = p->CombinedFootingTable[1];
  EXPECT_EQ(cf.Cant1, 0.5f);
  EXPECT_EQ(cf.Cant2, 0.5f);
  EXPECT_EQ(cf.CfLength, 4.0f);
  EXPECT_EQ(cf.CfWidth, 0.65f);  // no net load and no moment: the first width tried
}

TEST(CombinedFootings, CombinedOrDisabledFootingsAndFullTablesAreRefusedWithAMessage) {
  auto p = pairAt(0, 0, 0, 3000);
  addSupport(*p, 13, 0, 9000, {{540, 0, 0}});
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*p, {-1000, -1000, 1000, 4000}, prompter));
  // Footing 12 is a member of combined footing 1 already.
  EXPECT_FALSE(combineFootings(*p, {-1000, 1000, 1000, 10000}, prompter));
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].text, "Footing 12 is already part of combined footing 1");
  EXPECT_EQ(prompter.calls[0].title, "Plintova");
  EXPECT_EQ(p->CombinedCount, 1);
  EXPECT_EQ(p->FootingTable[3].Kind, FootingKind::Isolated);

  auto d = pairAt(0, 0, 0, 3000);
  d->FootingTable[1].Kind = FootingKind::Disabled;
  RecordingPrompter disabled;
  EXPECT_FALSE(combineFootings(*d, kEverything, disabled));
  ASSERT_EQ(disabled.calls.size(), 1u);
  EXPECT_EQ(disabled.calls[0].text, "Footing 11 is disabled");

  // A hand-resized footing may be combined.
  auto h = pairAt(0, 0, 0, 3000);
  h->FootingTable[1].Kind = FootingKind::HandResized;
  EXPECT_TRUE(combineFootings(*h, kEverything, disabled));

  auto full = pairAt(0, 0, 0, 3000);
  full->CombinedCount = cap::kCombined;
  RecordingPrompter limit;
  EXPECT_FALSE(combineFootings(*full, kEverything, limit));
  ASSERT_EQ(limit.calls.size(), 1u);
  EXPECT_NE(limit.calls[0].text.find(std::to_string(cap::kCombined)), std::string::npos);
  EXPECT_EQ(full->CombinedCount, cap::kCombined);
  EXPECT_EQ(full->FootingTable[1].Kind, FootingKind::Isolated);
}

TEST(CombinedFootings, WindowsWithoutExactlyTwoFootingsCombineNothing) {
  auto p = makeProject("200", "1.5");
  for (int i = 0; i < 11; ++i) addSupport(*p, i + 1, 0, 3000 * i, {{500, 0, 0}});
  RecordingPrompter prompter;
  EXPECT_FALSE(combineFootings(*p, {-10, -10, 10, 10}, prompter));       // one
  EXPECT_FALSE(combineFootings(*p, {0, -10, 10, 3010}, prompter));       // on the window edge
  EXPECT_FALSE(combineFootings(*p, {-10, -10, 10, 6010}, prompter));     // three
  EXPECT_FALSE(combineFootings(*p, kEverything, prompter));              // eleven
  // None of these asks or explains in a message box; the status bar says why.
  EXPECT_TRUE(prompter.calls.empty());
  EXPECT_EQ(p->CombinedCount, 0);
  EXPECT_NE(chooseCombinePair(*p, {5, 5, 10, 10}, prompter).status.find("no footing"), std::string::npos);
  EXPECT_NE(chooseCombinePair(*p, {-10, -10, 10, 10}, prompter).status.find("only one footing"), std::string::npos);
  EXPECT_NE(chooseCombinePair(*p, kEverything, prompter).status.find("11 footings"), std::string::npos);
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(CombinedFootings, DissolvingRenumbersTheLaterCombinedFootings) {
  auto p = makeProject("200", "1.5");
  for (int k = 0; k < 3; ++k) {
    addSupport(*p, 10 * k + 1, 10000 * k, 0, {{540, 0, 0}});
    addSupport(*p, 10 * k + 2, 10000 * k, 3000, {{540, 0, 0}});
  }
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);
  BuildSizeGroups(*p);
  assignSizeGroups(*p, prompter);
  for (int k = 0; k < 3; ++k)
    ASSERT_TRUE(combineFootings(*p, {10000.0 * k - 100, -100, 10000.0 * k + 100, 3100}, prompter));
  const CombinedFootingRecord third = p->CombinedFootingTable[3];

  EXPECT_FALSE(dissolveCombinedFooting(*p, 0, prompter));  // nothing selected: nothing happens
  EXPECT_TRUE(prompter.calls.empty());

  ASSERT_TRUE(dissolveCombinedFooting(*p, 4, prompter));  // second member of combined footing 2
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].text, "2 Is Deleting");
  EXPECT_EQ(p->CombinedCount, 2);
  EXPECT_EQ(p->CombinedFootingTable[2].CfMembers[1], 5);
  EXPECT_EQ(p->CombinedFootingTable[2].CfLeft, third.CfLeft);
  EXPECT_EQ(p->FootingTable[5].CombinedNo, 2);
  EXPECT_EQ(p->FootingTable[6].CombinedNo, 2);
  EXPECT_EQ(p->FootingTable[1].CombinedNo, 1);
  // The freed footings are ordinary footings of their group again, counted in it and marked with it.
  EXPECT_EQ(p->SizeGroupTable[1].MemberCount, 2);
  for (int s : {3, 4}) {
    const FootingRecord& f = p->FootingTable[s];
    EXPECT_EQ(f.Kind, FootingKind::Isolated);
    EXPECT_EQ(f.SizeL, p->SizeGroupTable[1].GroupSize);
    EXPECT_EQ(f.SizeB, p->SizeGroupTable[1].GroupSize);
    EXPECT_EQ(f.GroupNo, 1);
    EXPECT_EQ(f.GroupRank, 1);
  }
}
