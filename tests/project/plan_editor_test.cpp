// The plan editor: the one path of a change, the schedule's "out of date" state, and the schedule edits
// kept as decisions and applied again by every Design.
#include "project/plan_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/schedule.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/plan_decisions.h"
#include "input/listing_reader.h"
#include "project/schedule_design.h"

using namespace plintova;

namespace {

struct Frame1 {
  RecordingPrompter prompter;
  std::unique_ptr<Project> p = std::make_unique<Project>();
  std::unique_ptr<PlanEditor> editor;
  std::vector<Change> changes;
  PlanEditor::Subscription heard;

  Frame1() {
    readListing(*p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
    acceptDesignInputs(*p, "1.5", "200");
    EXPECT_EQ(startPlan(*p, prompter), "");
    editor = std::make_unique<PlanEditor>(*p, prompter);
    heard = editor->subscribe([this](const Change& c) { changes.push_back(c); });
  }
  int footing(int joint) const {
    for (int s = 1; s <= p->FootingCount; ++s)
      if (p->FootingTable[s].JointNo == joint) return s;
    return 0;
  }
  int row(float base) const {
    for (int r = 1; r <= p->DesignGroupCount; ++r)
      if (p->DesignGroupTable[r].GroupBaseSize == base) return r;
    return 0;
  }
  bool edit(float base, ScheduleField field, double value = 0) {
    const auto next = withScheduleEdit(*p, row(base), field, value);
    return next && editor->commit(*next, "edit");
  }
};

// Every schedule row counts exactly the footings drawn with its mark, and carries that mark.
void expectRowsMatchThePlan(const Project& p) {
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    int drawn = 0;
    for (int s = 1; s <= p.FootingCount; ++s)
      drawn += p.FootingTable[s].Kind == FootingKind::Isolated && p.FootingTable[s].GroupRank == row.GroupMark;
    EXPECT_GT(row.MemberCount, 0) << "row " << r;
    EXPECT_EQ(row.MemberCount, drawn) << "row " << r;
    EXPECT_EQ(scheduleRowTexts(p, r)[kColMark], "F" + std::to_string(row.GroupMark));
  }
}

}  // namespace

TEST(PlanEditor, APlanChangeMarksTheScheduleOutOfDateAndDesignStartsFromTheNewAssignment) {
  Frame1 f;
  ASSERT_TRUE(f.editor->design());
  EXPECT_EQ(f.p->DesignGroupCount, 11);
  EXPECT_FALSE(f.p->scheduleStale);
  ASSERT_EQ(f.changes.size(), 1u);
  EXPECT_TRUE(f.changes[0].schedule && !f.changes[0].plan);

  // Combining joints 20 and 21 takes the only footings of the 2.0 m and 2.7 m groups.
  const int a = f.footing(20), b = f.footing(21);
  ASSERT_TRUE(f.editor->commit(withCombinedPair(*f.p, a, b), "Combine"));
  EXPECT_TRUE(f.p->scheduleStale);
  ASSERT_EQ(f.changes.size(), 2u);
  EXPECT_TRUE(f.changes[1].plan && f.changes[1].schedule);
  EXPECT_EQ(f.changes[1].action, "Combine");

  ASSERT_TRUE(f.editor->design());
  EXPECT_FALSE(f.p->scheduleStale);
  // No row for a group whose only footing is now combined; NO's always equals the footings drawn.
  EXPECT_EQ(f.p->DesignGroupCount, 9);
  EXPECT_EQ(f.row(2.0f), 0);
  EXPECT_EQ(f.row(2.7f), 0);
  expectRowsMatchThePlan(*f.p);

  // Unchanged decisions change nothing and tell nobody.
  const std::size_t told = f.changes.size();
  EXPECT_TRUE(f.editor->commit(f.p->decisions, "nothing"));
  EXPECT_EQ(f.changes.size(), told);
}

TEST(PlanEditor, ScheduleEditsLastThroughDesignAndAGoneRowIsNamedInOneMessage) {
  Frame1 f;
  ASSERT_TRUE(f.editor->design());
  f.prompter.calls.clear();
  ASSERT_TRUE(f.edit(1.9f, ScheduleField::Depth, 0.5));
  ASSERT_TRUE(f.edit(2.2f, ScheduleField::Pedestal, 0.7));
  ASSERT_TRUE(f.edit(2.2f, ScheduleField::BarDia));
  EXPECT_EQ(f.p->DesignGroupTable[f.row(1.9f)].TotalDepth, 0.5f);
  EXPECT_EQ(f.p->DesignGroupTable[f.row(2.2f)].Pedestal.x, 0.7f);
  EXPECT_EQ(f.p->DesignGroupTable[f.row(2.2f)].BarDia, 12);
  ASSERT_EQ(f.p->decisions.schedule.size(), 2u);
  // Edits are refused where the row refuses them: a pedestal as wide as the footing.
  EXPECT_FALSE(f.edit(2.2f, ScheduleField::Pedestal, 2.2));
  EXPECT_FALSE(f.edit(2.2f, ScheduleField::Depth, std::numeric_limits<double>::infinity()));

  // The 1.9 m group is unticked: its footings move up; Design keeps the 2.2 m edits and names the
  // 1.9 m edit, which has no row any more, in one message.
  ASSERT_TRUE(f.editor->commit(withGroupChecked(*f.p, 2, false), "Untick 1.9"));
  ASSERT_TRUE(f.editor->design());
  EXPECT_EQ(f.row(1.9f), 0);
  const SizeGroupRecord& row22 = f.p->DesignGroupTable[f.row(2.2f)];
  EXPECT_EQ(row22.Pedestal.x, 0.7f);
  EXPECT_EQ(row22.BarDia, 12);
  ASSERT_EQ(f.prompter.calls.size(), 1u);
  EXPECT_NE(f.prompter.calls[0].text.find("1.9 m (depth 0.5)"), std::string::npos);
  ASSERT_EQ(f.p->decisions.schedule.size(), 1u);
  EXPECT_EQ(f.p->decisions.schedule[0].baseSize, 2.2f);
  expectRowsMatchThePlan(*f.p);
}

TEST(PlanEditor, ARowComesOutAsItsEditsMakeItInWhateverOrderTheyWereMade) {
  // Bar diameter first, then a depth that shear deepens: the same row as depth first, then diameter.
  Frame1 first, second;
  ASSERT_TRUE(first.editor->design());
  ASSERT_TRUE(second.editor->design());
  ASSERT_TRUE(first.edit(2.9f, ScheduleField::BarDia));
  ASSERT_TRUE(first.edit(2.9f, ScheduleField::Depth, 0.5234));
  ASSERT_TRUE(second.edit(2.9f, ScheduleField::Depth, 0.5234));
  ASSERT_TRUE(second.edit(2.9f, ScheduleField::BarDia));
  const int r = first.row(2.9f);
  EXPECT_EQ(scheduleRowTexts(*first.p, r), scheduleRowTexts(*second.p, r));

  // A pedestal edit designs the depth afresh: it takes back the row's depth edit.
  ASSERT_TRUE(first.edit(2.9f, ScheduleField::Pedestal, 0.8));
  ASSERT_EQ(first.p->decisions.schedule.size(), 1u);
  EXPECT_FALSE(first.p->decisions.schedule[0].depth.has_value());
  EXPECT_EQ(first.p->decisions.schedule[0].pedestalX, 0.8f);
  // The clicks go round the options' five diameters from the row's own 12 mm (16 after the first click):
  // four more bring it back to 12, kept as the edit.
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(first.edit(2.9f, ScheduleField::BarDia));
  EXPECT_EQ(first.p->decisions.schedule[0].barDia, int16_t{12});
  EXPECT_EQ(first.p->DesignGroupTable[r].BarDia, 12);
}

TEST(PlanEditor, AnOutOfDateScheduleKeepsItsRowsUntilDesign) {
  Frame1 f;
  ASSERT_TRUE(f.editor->design());
  const auto before = scheduleRowTexts(*f.p, 1);
  ASSERT_TRUE(f.editor->commit(withFootingToggled(*f.p, f.footing(40)), "Disable 40"));  // the only 1.8 m footing
  EXPECT_TRUE(f.p->scheduleStale);
  EXPECT_EQ(scheduleRowTexts(*f.p, 1), before);
  // A schedule edit while out of date is kept for the next Design, which applies it.
  ASSERT_TRUE(f.edit(1.9f, ScheduleField::Depth, 0.6));
  EXPECT_TRUE(f.p->scheduleStale);
  ASSERT_TRUE(f.editor->design());
  EXPECT_EQ(f.p->DesignGroupTable[f.row(1.9f)].TotalDepth, 0.6f);
  EXPECT_EQ(scheduleRowTexts(*f.p, 1)[kColMark], "F1");
  EXPECT_EQ(f.p->DesignGroupTable[1].GroupBaseSize, 1.9f);
}

namespace {

// The plan and the schedule as the windows show them, as one comparable text.
std::string shownState(const Project& p) {
  std::string t;
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    t += std::to_string(static_cast<int>(f.Kind)) + "/" + std::to_string(f.CombinedNo) + "/" +
         std::to_string(f.GroupRank) + "/" + std::to_string(f.SizeL) + "/" + std::to_string(f.SizeB) + "/" +
         std::to_string(f.PosX) + " ";
  }
  for (int n = 1; n <= p.CombinedCount; ++n) t += "C" + std::to_string(p.CombinedFootingTable[n].CfLength) + " ";
  t += p.scheduleStale ? "stale\n" : "fresh\n";
  if (!p.scheduleStale)
    for (int r = 1; r <= p.DesignGroupCount; ++r)
      for (const std::string& cell : scheduleRowTexts(p, r)) t += cell + " ";
  return t;
}

}  // namespace

TEST(PlanEditor, UndoBackToTheStartAndRedoToTheEndPassThroughTheSameStates) {
  Frame1 f;
  ASSERT_TRUE(f.editor->design());
  f.editor->markSaved();
  EXPECT_FALSE(f.editor->modified());
  std::vector<std::string> states{shownState(*f.p)};
  auto step = [&](const std::optional<Decisions>& next, const std::string& action) {
    ASSERT_TRUE(next.has_value());
    ASSERT_TRUE(f.editor->commit(*next, action));
    states.push_back(shownState(*f.p));
  };
  step(withCombinedPair(*f.p, f.footing(20), f.footing(21)), "Combine");
  step(withResizeStep(*f.p, f.footing(20), +1), "Lengthen the combined footing");
  step(withFootingToggled(*f.p, f.footing(40)), "Disable 40");
  ASSERT_TRUE(f.editor->design());
  states.back() = shownState(*f.p);  // Design is no step of its own: it brings the last state up to date
  step(withScheduleEdit(*f.p, f.row(2.2f), ScheduleField::Depth, 0.7), "Depth");
  step(withResizeStep(*f.p, f.footing(22), -1), "Resize 22");
  step(withOffsetSteps(*f.p, f.footing(1), {1, 0}), "Offset 1");
  step(withGroupStepped(*f.p, 5), "Step 2.2");
  EXPECT_TRUE(f.editor->modified());
  EXPECT_EQ(f.editor->undoAction(), "Step 2.2");

  for (std::size_t k = states.size() - 1; k > 0; --k) {
    ASSERT_TRUE(f.editor->undo());
    EXPECT_EQ(shownState(*f.p), states[k - 1]) << "undo to state " << k - 1;
  }
  EXPECT_FALSE(f.editor->canUndo());
  EXPECT_FALSE(f.editor->modified());
  EXPECT_EQ(f.editor->redoAction(), "Combine");
  for (std::size_t k = 1; k < states.size(); ++k) {
    ASSERT_TRUE(f.editor->redo());
    EXPECT_EQ(shownState(*f.p), states[k]) << "redo to state " << k;
  }
  EXPECT_FALSE(f.editor->canRedo());
  // A new step after an undo forgets what could have been redone.
  ASSERT_TRUE(f.editor->undo());
  step(withFootingToggled(*f.p, f.footing(2)), "Disable 2");
  EXPECT_FALSE(f.editor->canRedo());
  EXPECT_EQ(f.changes.back().action, "Disable 2");
}

// Wheel notches on one footing in quick succession are one undo step; anything between them, a pause
// of a second, another footing or an undo starts a new one.
TEST(PlanEditor, QuickNotchesOnOneFootingAreOneUndoStep) {
  Frame1 f;
  auto now = std::chrono::steady_clock::time_point{};
  f.editor->setClock([&now] { return now; });
  const int s22 = f.footing(22), s12 = f.footing(12);
  const float start = f.p->FootingTable[s22].SizeL;
  auto notch = [&](int s, int direction, int afterMs) {
    now += std::chrono::milliseconds(afterMs);
    ASSERT_TRUE(f.editor->commit(*withResizeStep(*f.p, s, direction), "notch " + std::to_string(s) + (direction < 0 ? " down" : " up"),
                                 "wheel " + std::to_string(s)));
  };
  auto steps = [&] {
    int n = 0;
    while (f.editor->undo()) ++n;
    while (f.editor->redo()) {}
    return n;
  };

  // Four notches 0.3 s apart: one step, named by the last, undone to the size before the first.
  for (int i = 0; i < 4; ++i) notch(s22, -1, 300);
  EXPECT_EQ(f.editor->undoAction(), "notch " + std::to_string(s22) + " down");
  EXPECT_EQ(steps(), 1);
  ASSERT_TRUE(f.editor->undo());
  EXPECT_EQ(f.p->FootingTable[s22].SizeL, start);
  EXPECT_EQ(f.p->FootingTable[s22].Kind, FootingKind::Isolated);
  ASSERT_TRUE(f.editor->redo());
  EXPECT_FLOAT_EQ(f.p->FootingTable[s22].SizeL, start - 0.2f);

  // After the redo, a pause of a second, on another footing, or after another edit: a new step each.
  notch(s22, -1, 100);
  notch(s22, -1, 1000);
  notch(s12, -1, 100);
  ASSERT_TRUE(f.editor->commit(withFootingToggled(*f.p, f.footing(40)), "Disable 40"));
  notch(s12, -1, 100);
  EXPECT_EQ(steps(), 6);
  // Undo ends a run: the next notch is a step of its own.
  ASSERT_TRUE(f.editor->undo());
  notch(s12, +1, 100);
  EXPECT_EQ(steps(), 6);

  // A run that comes back to where it started leaves no step, and the next notch starts a new run
  // (rather than joining the step before the run).
  notch(s22, +1, 2000);
  notch(s22, -1, 100);
  EXPECT_EQ(f.editor->undoAction(), "notch " + std::to_string(s12) + " up");  // the step before the run
  notch(s22, -1, 100);
  EXPECT_EQ(steps(), 7);
}

// Every subscribed view hears each change once, in the order they subscribed; a view whose subscription
// went (the view closed), before a commit or while another view is told of it, is not called.
TEST(PlanEditor, EverySubscribedViewHearsAChangeUntilItsSubscriptionGoes) {
  Frame1 f;
  std::vector<std::string> heard;
  auto view = [&heard](std::string name) {
    return [&heard, name](const Change& c) { heard.push_back(name + ": " + c.action); };
  };
  PlanEditor::Subscription schedule = f.editor->subscribe(view("schedule"));
  auto column = std::make_unique<PlanEditor::Subscription>(f.editor->subscribe(view("column")));
  ASSERT_TRUE(f.editor->commit(withFootingToggled(*f.p, f.footing(40)), "Disable 40"));
  EXPECT_EQ(heard, (std::vector<std::string>{"schedule: Disable 40", "column: Disable 40"}));

  column.reset();  // the column window closed
  heard.clear();
  ASSERT_TRUE(f.editor->undo());
  EXPECT_EQ(heard, (std::vector<std::string>{"schedule: Undo Disable 40"}));

  // A view closes a later one while a change is told, and cancels itself while it runs: the later view is
  // not called, and the closing view finishes its call.
  PlanEditor::Subscription closer;
  closer = f.editor->subscribe([&](const Change&) {
    column.reset();
    closer.cancel();
    heard.push_back("closer");
  });
  column = std::make_unique<PlanEditor::Subscription>(f.editor->subscribe(view("column")));
  heard.clear();
  ASSERT_TRUE(f.editor->redo());
  EXPECT_EQ(heard, (std::vector<std::string>{"schedule: Redo Disable 40", "closer"}));
  EXPECT_EQ(f.changes.size(), 3u);  // the fixture's own view heard all three

  // A subscription may outlive its editor.
  PlanEditor::Subscription late = f.editor->subscribe(view("late"));
  f.editor.reset();
  late.cancel();
}

// "Refresh" sizes every footing again as one step. Joint 5 needs 2.178 m (its loads at the founding
// level); given 2.6 m by hand it sits in a larger group with another mark. Refresh brings back 2.178 m
// and its mark, undo the hand size and its mark (with the schedule designed again, as it was), redo the
// sizing once more; a refresh that changes no size leaves no step.
TEST(PlanEditor, RefreshSizesEveryFootingAgainAsOneUndoableStep) {
  Frame1 f;
  const int s = f.footing(5);
  const FootingRecord& joint5 = f.p->FootingTable[s];
  const float sized = joint5.ReqSize;
  const int sizedMark = joint5.GroupRank;
  ASSERT_FLOAT_EQ(sized, 2.178f);
  f.p->FootingTable[s].ReqSize = 2.6f;
  ASSERT_EQ(derivePlan(*f.p, f.prompter), "");
  const int handMark = joint5.GroupRank;
  ASSERT_NE(handMark, sizedMark);
  ASSERT_TRUE(f.editor->design());
  const std::string designed = shownState(*f.p);

  struct Expect {
    const char* step;
    std::function<bool()> act;
    float size;
    int mark;
    bool stale;
  };
  const std::vector<Expect> steps{
      {"refresh", [&] { return f.editor->sizeEveryFooting("Refresh"); }, sized, sizedMark, true},
      {"undo", [&] { return f.editor->undo(); }, 2.6f, handMark, false},
      {"redo", [&] { return f.editor->redo(); }, sized, sizedMark, true}};
  for (const Expect& e : steps) {
    ASSERT_TRUE(e.act()) << e.step;
    EXPECT_FLOAT_EQ(joint5.ReqSize, e.size) << e.step;
    EXPECT_EQ(joint5.GroupRank, e.mark) << e.step;
    EXPECT_EQ(f.p->scheduleStale, e.stale) << e.step;
    EXPECT_TRUE(f.changes.back().plan) << e.step;
  }
  ASSERT_TRUE(f.editor->undo());
  EXPECT_EQ(shownState(*f.p), designed);
  ASSERT_TRUE(f.editor->redo());
  EXPECT_EQ(f.editor->undoAction(), "Refresh");
  ASSERT_TRUE(f.editor->sizeEveryFooting("Refresh again"));
  EXPECT_EQ(f.editor->undoAction(), "Refresh");
}
