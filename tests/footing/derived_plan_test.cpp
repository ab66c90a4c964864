// The plan derived from the engineer's decisions: after any sequence of actions it equals the plan
// derived afresh from the same decisions, its counts and marks agree with the footings, and the
// actions change the decisions as the plan window expects.
#include "footing/derived_plan.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "footing/combined_footings.h"
#include "footing/design_inputs.h"
#include "footing/plan_decisions.h"
#include "footing/size_groups.h"
#include "footing_test_support.h"
#include "plan_steps.h"
#include "input/listing_reader.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

std::unique_ptr<Project> frame1(RecordingPrompter& prompter) {
  auto p = std::make_unique<Project>();
  readListing(*p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  acceptDesignInputs(*p, "1.5", "200");
  EXPECT_EQ(startPlan(*p, prompter), "");
  return p;
}

int footingOf(const Project& p, int joint) {
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].JointNo == joint) return s;
  return 0;
}

// Everything the plan shows of the footings, groups and combined footings, as one comparable text.
std::string planState(const Project& p) {
  std::string t;
  auto add = [&t](const std::string& key, double v) { t += key + "=" + std::to_string(v) + " "; };
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    t += "\nF" + std::to_string(s) + ": ";
    add("kind", static_cast<int>(f.Kind)), add("comb", f.CombinedNo), add("grp", f.GroupNo);
    add("rank", f.GroupRank), add("L", f.SizeL), add("B", f.SizeB);
    add("x", f.PosX), add("z", f.PosZ), add("ox", f.OffsetX), add("oz", f.OffsetZ);
  }
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& r = p.SizeGroupTable[g];
    t += "\nG" + std::to_string(g) + ": ";
    add("size", r.GroupSize), add("ticked", r.Checked), add("n", r.MemberCount), add("mark", r.GroupMark);
  }
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const CombinedFootingRecord& c = p.CombinedFootingTable[n];
    t += "\nC" + std::to_string(n) + ": ";
    add("a", c.CfMembers[1]), add("b", c.CfMembers[2]), add("L", c.CfLength), add("B", c.CfWidth);
    add("left", c.CfLeft), add("top", c.CfTop), add("c1", c.Cant1), add("c2", c.Cant2);
  }
  return t;
}

// The counts and marks agree with the footings: a group counts exactly the ordinary footings it holds,
// its mark numbers the groups with footings in order, every ordinary footing carries its group's mark
// and size, hand-resized footings are numbered 1, 2, ... in footing order, and every combined record
// has its two members and they point back at it.
void expectConsistent(const Project& p) {
  int mark = 0;
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& grp = p.SizeGroupTable[g];
    int members = 0;
    for (int s = 1; s <= p.FootingCount; ++s)
      members += p.FootingTable[s].Kind == FootingKind::Isolated && p.FootingTable[s].GroupNo == g;
    EXPECT_EQ(grp.MemberCount, members) << "group " << g;
    EXPECT_EQ(grp.GroupMark, members > 0 ? ++mark : 0) << "group " << g;
  }
  int resized = 0;
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.Kind == FootingKind::Isolated && f.GroupNo > 0) {
      EXPECT_EQ(f.GroupRank, p.SizeGroupTable[f.GroupNo].GroupMark) << "footing " << s;
      EXPECT_EQ(f.SizeL, p.SizeGroupTable[f.GroupNo].GroupSize) << "footing " << s;
    }
    if (f.Kind == FootingKind::HandResized) {
      EXPECT_EQ(f.GroupRank, ++resized) << "footing " << s;
    }
    if (f.Kind == FootingKind::Combined) {
      ASSERT_LE(f.CombinedNo, p.CombinedCount);
      const CombinedFootingRecord& c = p.CombinedFootingTable[f.CombinedNo];
      EXPECT_TRUE(c.CfMembers[1] == s || c.CfMembers[2] == s) << "footing " << s;
    }
  }
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const CombinedFootingRecord& c = p.CombinedFootingTable[n];
    EXPECT_EQ(p.FootingTable[c.CfMembers[1]].CombinedNo, n);
    EXPECT_EQ(p.FootingTable[c.CfMembers[2]].CombinedNo, n);
  }
}

}  // namespace

TEST(DerivedPlan, CombiningAGroupsOnlyFootingRenumbersTheMarksAndCounts) {
  RecordingPrompter prompter;
  auto p = frame1(prompter);
  const int a = footingOf(*p, 20), b = footingOf(*p, 21);
  // Joint 21 is the only footing of the 2.0 m group (F3); joint 20 the only one of 2.7 m (F7).
  ASSERT_EQ(p->FootingTable[b].GroupRank, 3);
  ASSERT_EQ(p->SizeGroupTable[3].MemberCount, 1);
  const int groupsWithFootings = 11;

  ASSERT_TRUE(combineFootings(*p, {14000, 10500, 17000, 11500}, prompter));
  EXPECT_EQ(p->FootingTable[a].CombinedNo, 1);
  EXPECT_EQ(p->FootingTable[b].CombinedNo, 1);
  // Both groups lost their footing: no count, no mark, and every later group moves down a mark.
  EXPECT_EQ(p->SizeGroupTable[3].MemberCount, 0);
  EXPECT_EQ(p->SizeGroupTable[3].GroupMark, 0);
  EXPECT_EQ(p->SizeGroupTable[7].MemberCount, 0);
  int marked = 0;
  for (int g = 1; g <= p->SizeGroupCount; ++g) marked += p->SizeGroupTable[g].GroupMark > 0;
  EXPECT_EQ(marked, groupsWithFootings - 2);
  EXPECT_EQ(p->FootingTable[footingOf(*p, 14)].GroupRank, 9);  // the largest footing was F11
  expectConsistent(*p);

  // Dissolving brings both back into their groups with their marks.
  ASSERT_TRUE(dissolveCombinedFooting(*p, a, prompter));
  EXPECT_EQ(p->FootingTable[b].GroupRank, 3);
  EXPECT_EQ(p->FootingTable[b].SizeL, 2.0f);
  EXPECT_EQ(p->SizeGroupTable[3].MemberCount, 1);
  expectConsistent(*p);
}

TEST(DerivedPlan, TheActionsOfThePlanWindowChangeTheDecisionsAsExpected) {
  RecordingPrompter prompter;
  auto p = frame1(prompter);
  const int s = footingOf(*p, 22);

  // Disable click: ordinary -> disabled -> ordinary; a disabled footing shows its required size in no group.
  ASSERT_TRUE(applyDecisions(*p, withFootingToggled(*p, s), prompter));
  EXPECT_EQ(p->FootingTable[s].Kind, FootingKind::Disabled);
  EXPECT_EQ(p->FootingTable[s].GroupNo, 0);
  EXPECT_EQ(p->FootingTable[s].SizeL, p->FootingTable[s].ReqSize);
  expectConsistent(*p);
  // The wheel on a disabled footing makes it hand-resized, 0.05 m shorter than it stood.
  ASSERT_TRUE(applyDecisions(*p, *withResizeStep(*p, s, -1), prompter));
  EXPECT_EQ(p->FootingTable[s].Kind, FootingKind::HandResized);
  EXPECT_TRUE(p->decisions.disabled.empty());
  EXPECT_EQ(p->FootingTable[s].SizeL, 2.69f);  // from its required 2.736 m
  EXPECT_EQ(p->FootingTable[s].GroupRank, 1);
  // Shift+Delete on the hand-resized footing: it takes its group's size and mark again (2.8 m, F8).
  ASSERT_TRUE(applyDecisions(*p, withResizeCleared(*p, s), prompter));
  EXPECT_EQ(p->FootingTable[s].Kind, FootingKind::Isolated);
  EXPECT_EQ(p->FootingTable[s].SizeL, 2.8f);
  EXPECT_EQ(p->FootingTable[s].GroupRank, 8);

  // A disable click on a combined member dissolves the combined footing; both members are ordinary.
  const int a = footingOf(*p, 20), b = footingOf(*p, 21);
  ASSERT_TRUE(applyDecisions(*p, withCombinedPair(*p, a, b), prompter));
  ASSERT_TRUE(applyDecisions(*p, withFootingToggled(*p, b), prompter));
  EXPECT_EQ(p->CombinedCount, 0);
  EXPECT_EQ(p->FootingTable[a].Kind, FootingKind::Isolated);
  EXPECT_EQ(p->FootingTable[b].Kind, FootingKind::Isolated);

  // A group's tick off and on, and a size step, are kept by base size; a group back at its defaults
  // leaves no entry.
  ASSERT_TRUE(applyDecisions(*p, withGroupChecked(*p, 2, false), prompter));
  ASSERT_EQ(p->decisions.groups.size(), 1u);
  EXPECT_EQ(p->decisions.groups[0].baseSize, 1.9f);
  EXPECT_EQ(p->SizeGroupTable[2].MemberCount, 0);
  ASSERT_TRUE(applyDecisions(*p, withGroupChecked(*p, 2, true), prompter));
  EXPECT_TRUE(p->decisions.groups.empty());
  EXPECT_EQ(p->SizeGroupTable[2].MemberCount, 4);
  // The largest group can never be switched off, whatever the decisions say.
  ASSERT_TRUE(applyDecisions(*p, withGroupChecked(*p, p->SizeGroupCount, false), prompter));
  EXPECT_TRUE(p->SizeGroupTable[p->SizeGroupCount].Checked);
  expectConsistent(*p);
  EXPECT_TRUE(prompter.calls.empty());
}

TEST(DerivedPlan, ACombinedPairWhoseColumnsLeaveTheLineIsDissolvedWithAMessage) {
  auto p = makeProject();
  addSupport(*p, 1, 0, 0, {{500, 0, 0}});
  addSupport(*p, 2, 500, 3000, {{500, 0, 0}});
  RecordingPrompter prompter;
  sizeFootings(*p, prompter);
  ASSERT_EQ(BuildSizeGroups(*p), "");
  resetDecisions(*p);
  ASSERT_EQ(derivePlan(*p, prompter), "");
  ASSERT_TRUE(applyDecisions(*p, withCombinedPair(*p, 1, 2), prompter));
  ASSERT_EQ(p->CombinedCount, 1);
  ASSERT_EQ(prompter.calls.size(), 0u);
  // The columns stand 500 mm apart across the line; moved to 700 they no longer lie on one line.
  p->FootingTable[2].ColumnX = 700;
  ASSERT_EQ(derivePlan(*p, prompter), "");
  EXPECT_EQ(p->CombinedCount, 0);
  EXPECT_TRUE(p->decisions.combined.empty());
  EXPECT_EQ(p->FootingTable[2].Kind, FootingKind::Isolated);
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_NE(prompter.calls[0].text.find("1 and 2"), std::string::npos);
}

TEST(DerivedPlan, FootingsThatMissEveryGroupAreNamedInOneMessage) {
  auto p = makeProject();
  addRequiredSizes(*p, {1.0f, 1.2f, 2.0f, 2.0f, 2.0f});
  RecordingPrompter prompter;
  ASSERT_EQ(BuildSizeGroups(*p), "");
  resetDecisions(*p);
  ASSERT_EQ(derivePlan(*p, prompter), "");
  // Stepping the largest group below 2.0 leaves its three footings without a group: one message.
  ASSERT_TRUE(applyDecisions(*p, withGroupStepped(*p, 3), prompter));
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].text, "3 Missed   Size = 2 M\n4 Missed   Size = 2 M\n5 Missed   Size = 2 M");
}

// A group takes every footing its size gives it: unticking 1.5 puts all 151 footings into the 2.0 group,
// past the 100 of the old fixed group table.
TEST(DerivedPlan, AGroupTakesEveryFootingOfItsSize) {
  auto p = makeProject();
  addRequiredSizes(*p, std::vector<float>(150, 1.5f));
  addRequiredSizes(*p, {2.0f});
  RecordingPrompter prompter;
  ASSERT_EQ(BuildSizeGroups(*p), "");
  resetDecisions(*p);
  ASSERT_EQ(derivePlan(*p, prompter), "");
  EXPECT_TRUE(applyDecisions(*p, withGroupChecked(*p, 1, false), prompter));
  EXPECT_TRUE(prompter.calls.empty());
  EXPECT_EQ(p->SizeGroupTable[2].MemberCount, 151);
  EXPECT_EQ(p->SizeGroupTable[2].Members[151], 151);
  EXPECT_EQ(footingMark(p->FootingTable[150]), "F1");
}

// Any sequence of actions leaves the plan exactly as deriving it afresh from the same decisions would:
// nothing stale survives an edit, whatever came before it.
TEST(DerivedPlan, AnySequenceOfActionsGivesThePlanDerivedAfreshFromItsDecisions) {
  RecordingPrompter quiet;
  auto p = frame1(quiet);
  std::mt19937 random(20261208);
  const int n = p->FootingCount;
  for (int step = 0; step < 400; ++step) {
    const int s = 1 + static_cast<int>(random() % static_cast<unsigned>(n));
    std::optional<Decisions> next;
    switch (random() % 8) {
      case 0: next = withFootingToggled(*p, s); break;
      case 1: next = withResizeStep(*p, s, random() % 2 ? 1 : -1); break;
      case 2: next = withResizeCleared(*p, s); break;
      case 3: {
        // The footing on the next grid line along X or Z, when it is close enough to combine.
        const FootingRecord& f = p->FootingTable[s];
        for (int t = 1; t <= n; ++t) {
          const FootingRecord& g = p->FootingTable[t];
          const bool near = (g.PosZ == f.PosZ && g.PosX > f.PosX && g.PosX - f.PosX <= 5000) ||
                            (g.PosX == f.PosX && g.PosZ > f.PosZ && g.PosZ - f.PosZ <= 5500);
          if (near && f.Kind != FootingKind::Combined && f.Kind != FootingKind::Disabled && g.Kind != FootingKind::Combined && g.Kind != FootingKind::Disabled) {
            next = withCombinedPair(*p, s, t);
            break;
          }
        }
        break;
      }
      case 4: next = withCombinedDissolved(*p, s); break;
      case 5: next = withGroupChecked(*p, 1 + static_cast<int>(random() % 10), random() % 2); break;
      case 6: next = withGroupStepped(*p, 1 + static_cast<int>(random() % 11)); break;
      case 7: {
        const int ox = static_cast<int>(random() % 3) - 1, oz = static_cast<int>(random() % 3) - 1;
        next = withOffsetSteps(*p, s, {static_cast<int8_t>(ox), static_cast<int8_t>(oz)});
        break;
      }
    }
    if (!next) continue;
    applyDecisions(*p, *next, quiet);
    expectConsistent(*p);

    auto fresh = frame1(quiet);
    ASSERT_TRUE(applyDecisions(*fresh, p->decisions, quiet));
    ASSERT_EQ(planState(*fresh), planState(*p)) << "after step " << step;
  }
}
