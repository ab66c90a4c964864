// Size groups: building, assignment, captions, the size step and the table limits.
#include "footing/size_groups.h"

#include <gtest/gtest.h>

#include <vector>

#include "footing_test_support.h"
#include "plan_steps.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

std::vector<float> groupSizes(const Project& p) {
  std::vector<float> v;
  for (int g = 1; g <= p.SizeGroupCount; ++g) v.push_back(p.SizeGroupTable[g].GroupSize);
  return v;
}

}  // namespace

TEST(SizeGroups, RequiredSizesRoundUpToTheNextTenthAndSortAscending) {
  auto p = makeProject();
  addRequiredSizes(*p, {2.0f, 1.93f, 1.95f, 1.2f, 2.0001f});
  RecordingPrompter prompter;
  ASSERT_EQ(BuildSizeGroups(*p), "");
  EXPECT_EQ(groupSizes(*p), (std::vector<float>{1.2f, 2.0f, 2.1f}));

  auto q = makeProject();
  addRequiredSizes(*q, {1.91f, 1.9f});
  ASSERT_EQ(BuildSizeGroups(*q), "");
  EXPECT_EQ(groupSizes(*q), (std::vector<float>{1.9f, 2.0f}));
  const SizeGroupRecord& g = q->SizeGroupTable[1];
  EXPECT_EQ(g.GroupBaseSize, 1.9f);
  EXPECT_EQ(g.Pedestal.x, 0.53f);
  EXPECT_EQ(g.BarDia, 10);
  EXPECT_TRUE(g.Checked);
}

TEST(SizeGroups, PedestalSizesIncludeTheUpperBoundOfEachRow) {
  EXPECT_EQ(PedestalSizeFor(1.0f), 0.40f);
  EXPECT_EQ(PedestalSizeFor(1.4f), 0.40f);
  EXPECT_EQ(PedestalSizeFor(1.5f), 0.45f);
  EXPECT_EQ(PedestalSizeFor(1.7f), 0.45f);
  EXPECT_EQ(PedestalSizeFor(1.9f), 0.53f);
  EXPECT_EQ(PedestalSizeFor(2.3f), 0.60f);
  EXPECT_EQ(PedestalSizeFor(2.8f), 0.75f);
  EXPECT_EQ(PedestalSizeFor(3.1f), 0.90f);
  EXPECT_EQ(PedestalSizeFor(3.2f), 1.20f);
}

TEST(SizeGroups, FootingsJoinTheSmallestTickedGroupThatIsLargeEnough) {
  auto p = makeProject();
  addRequiredSizes(*p, {1.5f, 1.8f, 2.1f, 1.45f, 1.75f});
  RecordingPrompter prompter;
  ASSERT_EQ(BuildSizeGroups(*p), "");
  ASSERT_TRUE(assignSizeGroups(*p, prompter));
  // A required size equal to a group size joins that group.
  EXPECT_EQ(p->FootingTable[1].GroupNo, 1);
  EXPECT_EQ(p->FootingTable[2].GroupNo, 2);
  EXPECT_EQ(p->FootingTable[4].GroupNo, 1);
  EXPECT_EQ(p->FootingTable[5].SizeL, 1.8f);
  EXPECT_EQ(p->FootingTable[5].SizeB, 1.8f);
  EXPECT_EQ(p->SizeGroupTable[2].MemberCount, 2);
  EXPECT_EQ(p->SizeGroupTable[2].Members[1], 2);
  EXPECT_EQ(p->SizeGroupTable[2].Members[2], 5);

  // Switching group 2 off moves its footings to group 3, which becomes F2; group 1 stays F1.
  p->SizeGroupTable[2].Checked = false;
  ASSERT_TRUE(assignSizeGroups(*p, prompter));
  EXPECT_EQ(p->FootingTable[2].GroupNo, 3);
  EXPECT_EQ(p->FootingTable[5].GroupRank, 2);
  EXPECT_EQ(p->FootingTable[5].SizeL, 2.1f);
  EXPECT_EQ(p->SizeGroupTable[3].MemberCount, 3);
  const GroupCaptions c1 = groupCaptions(*p, 1), c2 = groupCaptions(*p, 2), c3 = groupCaptions(*p, 3);
  EXPECT_EQ(c1.check, " F1");
  EXPECT_EQ(c1.count, "2");
  EXPECT_EQ(c2.size, "1.8");  // an empty group still shows its size
  EXPECT_EQ(c2.check, "");
  EXPECT_EQ(c2.count, "");
  EXPECT_EQ(p->SizeGroupTable[2].GroupMark, 0);
  EXPECT_EQ(c3.size, "2.1");
  EXPECT_EQ(c3.check, " F2");
  EXPECT_EQ(c3.count, "3");
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(SizeGroups, CombinedDisabledAndHandResizedFootingsStayOutOfTheGroups) {
  auto p = makeProject();
  addRequiredSizes(*p, {1.5f, 1.5f, 1.5f, 1.5f, 1.5f, 1.5f});
  RecordingPrompter prompter;
  ASSERT_EQ(BuildSizeGroups(*p), "");
  ASSERT_TRUE(assignSizeGroups(*p, prompter));
  setCombined(p->FootingTable[1], 1);  // combined members keep their old group and mark
  setCombined(p->FootingTable[2], 1);
  p->FootingTable[3].Kind = FootingKind::Disabled;
  p->FootingTable[4].Kind = FootingKind::HandResized;
  p->FootingTable[6].Kind = FootingKind::HandResized;
  p->FootingTable[4].GroupRank = 9;
  ASSERT_TRUE(assignSizeGroups(*p, prompter));

  EXPECT_EQ(p->SizeGroupTable[1].MemberCount, 1);
  EXPECT_EQ(p->FootingTable[1].GroupNo, 1);
  EXPECT_EQ(p->FootingTable[1].GroupRank, 1);
  // Hand-resized footings are numbered in footing order on every run.
  EXPECT_EQ(p->FootingTable[4].GroupRank, 1);
  EXPECT_EQ(p->FootingTable[6].GroupRank, 2);
  EXPECT_EQ(p->FootingTable[5].GroupRank, 1);
}

TEST(SizeGroups, AFootingLargerThanEveryTickedGroupIsReportedAndKeepsItsSize) {
  auto p = makeProject();
  addRequiredSizes(*p, {2.5f, 2.7f});
  p->FootingTable[2].JointNo = 12;
  RecordingPrompter prompter;
  ASSERT_EQ(BuildSizeGroups(*p), "");
  ASSERT_TRUE(assignSizeGroups(*p, prompter));
  EXPECT_EQ(p->FootingTable[2].SizeL, 2.7f);

  // Stepping the largest group below the requirement.
  ASSERT_TRUE(stepGroupSize(*p, 2, prompter));  // 2.65
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].text, "12 Missed   Size = 3 M");
  EXPECT_TRUE(prompter.calls[0].title.empty());
  EXPECT_EQ(p->FootingTable[2].GroupNo, 0);
  EXPECT_EQ(p->FootingTable[2].GroupRank, 0);
  EXPECT_EQ(p->FootingTable[2].SizeL, 2.7f);
  EXPECT_EQ(p->SizeGroupTable[2].MemberCount, 0);
}

TEST(SizeGroups, ShiftPressesStepTheSizeDownAndWrapAboveTheBase) {
  // Every size a group can be built with, each press landing exactly on the 0.05 m step.
  for (int tenths = 3; tenths <= 60; ++tenths) {
    const double base = tenths / 10.0;
    auto p = makeProject();
    addRequiredSizes(*p, {static_cast<float>(base)});
    RecordingPrompter prompter;
    ASSERT_EQ(BuildSizeGroups(*p), "");
    ASSERT_TRUE(assignSizeGroups(*p, prompter));
    ASSERT_EQ(p->SizeGroupTable[1].GroupSize, static_cast<float>(base));
    const float below = static_cast<float>(base - 0.05), above = static_cast<float>(base + 0.05);
    for (float e : {below, above, static_cast<float>(base), below, above}) {
      ASSERT_TRUE(stepGroupSize(*p, 1, prompter));
      EXPECT_EQ(p->SizeGroupTable[1].GroupSize, e) << "base " << base;
    }
    ASSERT_TRUE(stepGroupSize(*p, 1, prompter));
    EXPECT_EQ(p->SizeGroupTable[1].GroupBaseSize, static_cast<float>(base));
    EXPECT_EQ(groupCaptions(*p, 1).size, numberText(base));
    // Back at its base size the group takes its footing again.
    EXPECT_EQ(p->FootingTable[1].GroupNo, 1) << "base " << base;
    EXPECT_EQ(prompter.calls.size(), 2u);  // the two presses below its requirement report it missed
  }
  auto p = makeProject();
  RecordingPrompter prompter;
  EXPECT_FALSE(stepGroupSize(*p, 1, prompter));  // no such group
}

// Past the old fixed tables (60 groups, 100 footings in a group): every size is a group and a group takes
// every footing its size gives it, whether by assignment or by a size step.
TEST(SizeGroups, EverySizeIsAGroupAndAGroupTakesAllItsFootings) {
  auto p = makeProject();
  std::vector<float> sizes;
  for (int i = 1; i <= 150; ++i) sizes.push_back(0.1f * static_cast<float>(i));
  addRequiredSizes(*p, sizes);
  ASSERT_EQ(BuildSizeGroups(*p), "");
  EXPECT_EQ(p->SizeGroupCount, 150);
  EXPECT_EQ(p->SizeGroupTable[150].GroupSize, 15.0f);

  auto q = makeProject();
  addRequiredSizes(*q, std::vector<float>(150, 1.5f));
  addRequiredSizes(*q, {2.0f});
  RecordingPrompter limits;
  ASSERT_EQ(BuildSizeGroups(*q), "");
  ASSERT_TRUE(assignSizeGroups(*q, limits));
  EXPECT_EQ(q->SizeGroupTable[1].MemberCount, 150);
  ASSERT_TRUE(stepGroupSize(*q, 1, limits));  // at 1.45 m the 150 footings of 1.5 join the 2.0 group
  EXPECT_EQ(q->SizeGroupTable[1].MemberCount, 0);
  EXPECT_EQ(q->SizeGroupTable[2].MemberCount, 151);
}
