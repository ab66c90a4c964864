// The project file: every decision written and read back, keyed by joints across a new reading of the
// listing, a changed listing named, decisions that no longer apply dropped, and bad files refused.
#include "project/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "design/schedule.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/plan_decisions.h"
#include "input/listing_reader.h"
#include "model/limits.h"
#include "model/numbers.h"
#include "project/design_options_file.h"
#include "project/schedule_design.h"
#include "project_test_support.h"
#include "input/fingerprints.h"

using namespace plintova;
using namespace plintova::testing;
namespace fs = std::filesystem;

namespace {

const std::string kFrame1 = PLINTOVA_EXAMPLES "/FRAME1.ANL";

// FRAME1 with its support blocks rearranged or changed. Blocks are the reaction lines of one support;
// `edit` gets them in the listing's order and returns the table to print.
using Blocks = std::vector<std::vector<std::string>>;
std::string frame1With(const std::function<Blocks(Blocks)>& edit) {
  const std::string text = fileText(kFrame1);
  const std::size_t head = text.find("JOINT  LOAD");
  const std::size_t from = text.find('\n', head) + 1;
  const std::size_t to = text.rfind('\n', text.find("END OF LATEST ANALYSIS RESULT")) + 1;
  std::vector<std::vector<std::string>> blocks;
  std::istringstream lines(text.substr(from, to - from));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos || line[first] < '0' || line[first] > '9') continue;  // headings, pages
    if (first < 7) blocks.emplace_back();
    blocks.back().push_back(line);
  }
  std::string table;
  for (const auto& block : edit(blocks)) {
    for (const auto& line : block) table += line + "\n";
    table += "\n";
  }
  return text.substr(0, from) + table + text.substr(to);
}

// A project of a listing at `path`, read, given SBC 200 and depth 1.5 and started.
struct PlanRun {
  RecordingPrompter prompter;
  std::unique_ptr<Project> p = std::make_unique<Project>();
  explicit PlanRun(const std::string& path) {
    readListing(*p, path, prompter);
    EXPECT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
    EXPECT_EQ(startPlan(*p, prompter), "");
  }
  int footing(int joint) const {
    for (int s = 1; s <= p->FootingCount; ++s)
      if (p->FootingTable[s].JointNo == joint) return s;
    return 0;
  }
  int group(float base) const {
    for (int g = 1; g <= p->SizeGroupCount; ++g)
      if (p->SizeGroupTable[g].GroupBaseSize == base) return g;
    return 0;
  }
  int row(float base) const {
    for (int r = 1; r <= p->DesignGroupCount; ++r)
      if (p->DesignGroupTable[r].GroupBaseSize == base) return r;
    return 0;
  }
  void apply(const Decisions& d) { ASSERT_TRUE(applyDecisions(*p, d, prompter)); }
  void edit(float base, ScheduleField field, double value = 0) {
    const auto next = withScheduleEdit(*p, row(base), field, value);
    ASSERT_TRUE(next.has_value());
    p->decisions = *next;
    ASSERT_TRUE(designSchedule(*p, prompter));
  }
};

// FRAME1 with one decision of every kind: an offset, a group stepped and one unticked, a disabled
// footing, a combined footing whose length the wheel changed, a hand-resized footing and schedule
// edits of two rows.
void decideEverything(PlanRun& r) {
  Project& p = *r.p;
  r.apply(withOffsetSteps(p, r.footing(3), {1, 0}));
  r.apply(withGroupStepped(p, r.group(1.9f)));
  r.apply(withGroupChecked(p, r.group(1.8f), false));
  r.apply(withFootingToggled(p, r.footing(40)));
  r.apply(withCombinedPair(p, r.footing(20), r.footing(21)));
  r.apply(*withResizeStep(p, r.footing(21), +1));
  r.apply(*withResizeStep(p, r.footing(22), -1));
  ASSERT_TRUE(designSchedule(p, r.prompter));
  r.edit(2.2f, ScheduleField::Pedestal, 0.7);
  r.edit(2.2f, ScheduleField::BarDia);
  r.edit(2.9f, ScheduleField::Depth, 0.65);
}

// The same plan and schedule, footings compared by joint (the two readings may order them apart).
void expectSamePlan(const Project& a, const Project& b) {
  ASSERT_EQ(a.FootingCount, b.FootingCount);
  for (int s = 1; s <= a.FootingCount; ++s) {
    const FootingRecord& fa = a.FootingTable[s];
    int t = 1;
    while (t <= b.FootingCount && b.FootingTable[t].JointNo != fa.JointNo) ++t;
    ASSERT_LE(t, b.FootingCount) << "joint " << fa.JointNo;
    const FootingRecord& fb = b.FootingTable[t];
    EXPECT_EQ(fa.Kind, fb.Kind) << "joint " << fa.JointNo;
    EXPECT_EQ(fa.CombinedNo, fb.CombinedNo) << "joint " << fa.JointNo;
    EXPECT_EQ(fa.SizeL.value(), fb.SizeL.value()) << "joint " << fa.JointNo;
    EXPECT_EQ(fa.SizeB.value(), fb.SizeB.value()) << "joint " << fa.JointNo;
    EXPECT_EQ(fa.GroupRank, fb.GroupRank) << "joint " << fa.JointNo;
    EXPECT_EQ(fa.PosX, fb.PosX) << "joint " << fa.JointNo;
    EXPECT_EQ(fa.PosZ, fb.PosZ) << "joint " << fa.JointNo;
  }
  ASSERT_EQ(a.CombinedCount, b.CombinedCount);
  for (int n = 1; n <= a.CombinedCount; ++n) {
    const CombinedFootingRecord& ca = a.CombinedFootingTable[n];
    const CombinedFootingRecord& cb = b.CombinedFootingTable[n];
    EXPECT_EQ(a.FootingTable[ca.CfMembers[1]].JointNo, b.FootingTable[cb.CfMembers[1]].JointNo);
    EXPECT_EQ(a.FootingTable[ca.CfMembers[2]].JointNo, b.FootingTable[cb.CfMembers[2]].JointNo);
    EXPECT_EQ(ca.CfAxis, cb.CfAxis);
    EXPECT_EQ(ca.CfLength.value(), cb.CfLength.value());
    EXPECT_EQ(ca.CfWidth.value(), cb.CfWidth.value());
    EXPECT_EQ(ca.Cant1.value(), cb.Cant1.value());
    EXPECT_EQ(ca.Cant2.value(), cb.Cant2.value());
  }
  ASSERT_EQ(a.DesignGroupCount, b.DesignGroupCount);
  for (int r = 1; r <= a.DesignGroupCount; ++r) EXPECT_EQ(scheduleRowTexts(a, r), scheduleRowTexts(b, r)) << "row " << r;
}

// Opens a saved project as the desktop and the batch tool do: its listing, inputs, start, decisions.
std::unique_ptr<PlanRun> open(const SavedProject& saved, const std::string& listing, std::vector<std::string>& dropped) {
  auto r = std::make_unique<PlanRun>(listing);
  EXPECT_EQ(acceptSavedInputs(*r->p, saved), "");
  EXPECT_EQ(startPlan(*r->p, r->prompter), "");
  r->apply(decisionsOf(*r->p, saved, dropped));
  EXPECT_TRUE(designSchedule(*r->p, r->prompter));
  return r;
}

}  // namespace

TEST(ProjectFile, EveryDecisionIsWrittenAndReadBackToTheSamePlanAndSchedule) {
  TempFolder tmp;
  fs::copy_file(kFrame1, tmp / "FRAME1.ANL");
  PlanRun before(tmp / "FRAME1.ANL");
  decideEverything(before);
  ASSERT_EQ(before.p->decisions.schedule.size(), 2u);
  ASSERT_NE(before.p->decisions.combined[0].length.value(), 0.0f);

  const std::string path = tmp / "frame1.plintova";
  ASSERT_EQ(writeProjectFile(*before.p, path), "");
  const ReadProject read = readProjectFile(path);
  ASSERT_TRUE(read) << read.error;
  const SavedProject& saved = *read.project;
  EXPECT_EQ(saved, savedProjectOf(*before.p, path));

  // Keyed by joints and base sizes: the file names the joints the engineer chose.
  EXPECT_EQ(saved.listing, "FRAME1.ANL");
  EXPECT_EQ(listingPathOf(saved, path), tmp / "FRAME1.ANL");
  EXPECT_EQ(saved.sbc, 200.0f);
  EXPECT_EQ(saved.depth, 1.5f);
  // One step along X of joint 3's column: its millimetres and the step for old readers.
  const ColumnOffset step = *stepOffset(*before.p, before.footing(3), 1, 0);
  EXPECT_EQ(saved.offsets, (std::vector<SavedOffset>{{3, 1, 0, step.dx, 0}}));
  EXPECT_EQ(saved.disabled, std::vector<int>{40});
  ASSERT_EQ(saved.combined.size(), 1u);
  EXPECT_EQ(saved.combined[0].first, 20);
  EXPECT_EQ(saved.combined[0].second, 21);
  ASSERT_EQ(saved.resized.size(), 1u);
  EXPECT_EQ(saved.resized[0].joint, 22);
  EXPECT_TRUE(saved.designed);
  EXPECT_EQ(saved.supports.size(), 40u);
  EXPECT_EQ(saved.supports[4].joint, 5);

  std::vector<std::string> dropped;
  const auto after = open(saved, listingPathOf(saved, path), dropped);
  EXPECT_TRUE(dropped.empty());
  EXPECT_EQ(listingChanges(*after->p, saved), "");
  EXPECT_EQ(after->p->decisions, before.p->decisions);
  expectSamePlan(*before.p, *after->p);

  // Saved again from the reopened project, the file is the same text.
  ASSERT_EQ(writeProjectFile(*after->p, tmp / "again.plintova"), "");
  EXPECT_EQ(fileText(tmp / "again.plintova"), fileText(path));
}

// An offset typed in millimetres is the decision: the file keeps it with the nearest steps, the layout
// file gets those steps for old readers, and opening the project puts the footing where the millimetres
// say. A file written before the millimetres were kept still moves its footings by their steps.
TEST(ProjectFile, OffsetsInMillimetresWinAndOlderFilesKeepTheirSteps) {
  TempFolder tmp;
  PlanRun before(kFrame1);
  const int s3 = before.footing(3);
  const ColumnOffset step = *stepOffset(*before.p, s3, 1, 1);  // half the column less 115 mm
  ASSERT_GT(step.dx, 0);
  before.apply(*withOffsetMillimetres(*before.p, s3, {-250, step.dz / 2 + 1}));
  const FootingRecord& f = before.p->FootingTable[s3];
  EXPECT_EQ(f.PosX - f.ColumnX, -250);
  EXPECT_EQ(f.PosZ - f.ColumnZ, step.dz / 2 + 1);
  EXPECT_EQ((OffsetSteps{static_cast<int8_t>(f.OffsetX), static_cast<int8_t>(f.OffsetZ)}), (OffsetSteps{-1, 1}));
  EXPECT_FALSE(withOffsetMillimetres(*before.p, s3, {limits::kLargestColumnOffset + 1, 0}));

  const std::string path = tmp / "FRAME1.plintova";
  ASSERT_EQ(writeProjectFile(*before.p, path), "");
  EXPECT_NE(fileText(path).find("{\"joint\": 3, \"stepX\": -1, \"stepZ\": 1, \"dx\": -250, \"dz\": " +
                                std::to_string(step.dz / 2 + 1) + "}"),
            std::string::npos)
      << fileText(path);
  const ReadProject read = readProjectFile(path);
  ASSERT_TRUE(read) << read.error;
  std::vector<std::string> dropped;
  const auto after = open(*read.project, kFrame1, dropped);
  EXPECT_EQ(after->p->FootingTable[after->footing(3)].PosX, f.PosX);
  EXPECT_EQ(after->p->FootingTable[after->footing(3)].PosZ, f.PosZ);

  // Written before the millimetres were kept: the steps give the offset.
  SavedProject older = *read.project;
  older.offsets = {{3, 1, 0, {}, {}}};
  const Decisions d = decisionsOf(*after->p, older, dropped);
  EXPECT_TRUE(dropped.empty());
  EXPECT_EQ(d.offsetOf(after->footing(3)), (ColumnOffset{step.dx, 0}));
}

TEST(ProjectFile, NumbersReadBackToTheSameSinglePrecisionValues) {
  SavedProject s;
  s.listing = "/far/away/FRAME1.ANL";
  s.sbc = 150;
  s.depth = 1.37f;
  s.groups = {{1.8f, 1.85f, false}};
  s.combined = {{20, 21, 4.1000004f}};  // a full mantissa: seven digits would not bring it back
  s.resized = {{22, 2.7f}};
  s.schedule = {{2.2f, 0.7f, 0.85f, 1e-7f, 16, {}}, {1.9f, {}, {}, -0.25f, {}, {}}, {0, {}, {}, 0.6f, 12, {20, 21}}};
  // Load cases, grades and the sheet's title block travel with the project too.
  s.cases = {1, 3, 4};
  s.increasedCases = std::vector<int>{4};
  s.fck = 30;
  s.sheet.project = "Block C, \"North\" wing";
  s.sheet.firm = "Kaveri Structural Consultants";
  s.sheet.approvedBy = "GNR";
  s.sheet.revisions = {{"A", "2026-10-01", "For comment"}, {"B", "2026-12-08", "Pedestals revised"}};
  s.sheet.revision = "B";
  s.sheet.paper = "A1";
  s.sheet.northRotation = 37.5;
  std::string reason;
  const std::string text = projectFileText(s, reason);
  ASSERT_EQ(reason, "");
  EXPECT_NE(text.find("\"sbc\": 150,"), std::string::npos) << text;
  EXPECT_NE(text.find("\"depth\": 1.37,"), std::string::npos) << text;
  EXPECT_NE(text.find("{\"joints\": [20, 21], \"length\": 4.1000004}"), std::string::npos) << text;
  const ReadProject read = parseProjectFile(text, "x.plintova");
  ASSERT_TRUE(read) << read.error;
  EXPECT_EQ(*read.project, s);
  EXPECT_EQ(listingPathOf(*read.project, "/elsewhere/x.plintova"), "/far/away/FRAME1.ANL");
  // The revision shown is written for readers that know no list of revisions.
  EXPECT_NE(text.find("\"revision\": \"B\""), std::string::npos) << text;

  // The depth gives the same earth pressure as the start-up dialog's entry (on a project without a
  // listing: no cases or grades to take).
  SavedProject inputs = *read.project;
  inputs.cases.clear();
  inputs.increasedCases.reset();
  inputs.fck = 0;
  auto p = std::make_unique<Project>();
  ASSERT_EQ(acceptSavedInputs(*p, inputs), "");
  auto q = std::make_unique<Project>();
  ASSERT_TRUE(acceptDesignInputs(*q, "1.37", "150"));
  EXPECT_EQ(p->EarthPressure.value(), q->EarthPressure.value());
  EXPECT_EQ(p->CaseSbc[0].value(), 150.0f);

  // A value that is not a number is never written.
  s.resized[0].length = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(projectFileText(s, reason), "");
  EXPECT_EQ(reason, "a value of the project is not a finite number");
}

TEST(ProjectFile, TheSheetOfAnEarlierFileTakesDefaultsAndItsRevisionsFollowTheirLastEntry) {
  const std::string head = R"({"format": "plintova-project", "version": 1, "listing": "F.ANL", "sbc": 200, "depth": 1.5, )";
  // Written before firm, client, designed and approved by and the revisions existed.
  ReadProject read = parseProjectFile(head + R"("sheet": {"project": "P", "revision": "C", "paper": "A2"}})", "x.plintova");
  ASSERT_TRUE(read) << read.error;
  SheetSettings wanted;
  wanted.project = "P", wanted.revision = "C", wanted.paper = "A2";
  EXPECT_EQ(read.project->sheet, wanted);
  EXPECT_EQ(read.project->sheet.currentRevision(), "C");
  // With revisions, the last one is the revision shown, whatever "revision" says.
  read = parseProjectFile(head + R"("sheet": {"revision": "A", "revisions": [{"revision": "A"}, {"revision": "B",
      "date": "2026-12-08", "description": "Reissued"}]}})", "x.plintova");
  ASSERT_TRUE(read) << read.error;
  EXPECT_EQ(read.project->sheet.currentRevision(), "B");
  EXPECT_EQ(read.project->sheet.revision, "B");
  EXPECT_EQ(read.project->sheet.revisions.front().date, "");
  // A revision that is not an object, or a text that is not a text, is refused by name.
  for (const auto& [sheet, where] : {std::pair{R"({"revisions": ["B"]})", "\"sheet\", \"revisions\" entry 1"},
                                     std::pair{R"({"revisions": [{"date": 8}]})", "\"revisions\" entry 1, \"date\""},
                                     std::pair{R"({"approvedBy": 3})", "\"sheet\", \"approvedBy\""}}) {
    read = parseProjectFile(head + "\"sheet\": " + sheet + "}", "x.plintova");
    EXPECT_FALSE(read) << sheet;
    EXPECT_NE(read.error.find(where), std::string::npos) << read.error;
  }
}

TEST(ProjectFile, DecisionsFollowTheirJointsWhenTheSupportsArePrintedInAnotherOrder) {
  TempFolder tmp;
  PlanRun before(kFrame1);
  decideEverything(before);
  const SavedProject saved = savedProjectOf(*before.p, tmp / "frame1.plintova");

  // The last ten supports printed first: every footing index changes, the pair 20-21 keeps its order.
  writeText(tmp / "FRAME1.ANL", frame1With([](auto blocks) {
              std::rotate(blocks.begin(), blocks.end() - 10, blocks.end());
              return blocks;
            }));
  std::vector<std::string> dropped;
  const auto after = open(saved, tmp / "FRAME1.ANL", dropped);
  const Project& q = *after->p;
  ASSERT_EQ(q.FootingTable[1].JointNo, 31);
  EXPECT_TRUE(dropped.empty());
  EXPECT_EQ(listingChanges(q, saved), "The listing " + (tmp / "FRAME1.ANL") +
                                          " has changed since the project was saved; the reactions of its supports "
                                          "are the same.");
  EXPECT_EQ(q.decisions.disabled, std::vector<int16_t>(1, static_cast<int16_t>(after->footing(40))));
  EXPECT_EQ(q.decisions.offsetOf(after->footing(3)), *stepOffset(q, after->footing(3), 1, 0));
  EXPECT_EQ(q.decisions.resized[0].footing, after->footing(22));
  EXPECT_EQ(q.decisions.combined[0].first, after->footing(20));
  EXPECT_EQ(q.decisions.combined[0].second, after->footing(21));
  expectSamePlan(*before.p, q);
}

TEST(ProjectFile, AChangedListingNamesItsSupportsAndDecisionsThatNoLongerApplyAreDropped) {
  TempFolder tmp;
  PlanRun before(kFrame1);
  decideEverything(before);
  SavedProject saved = savedProjectOf(*before.p, tmp / "frame1.plintova");
  saved.offsets.push_back({40, 0, 1, {}, {}});
  saved.resized.push_back({39, 2.5f});
  saved.groups.push_back({1.75f, 1.7f, true});

  // Joint 5's first reaction changes, joint 40 is no support any more, joint 41 becomes one, and
  // joint 21 moves a metre along Z, off the line of joint 20.
  std::string text = frame1With([](auto blocks) {
    blocks[4][0].replace(22, 10, "   1234.56");  // FY of joint 5, load case 1
    blocks.back()[0].replace(0, 7, "     41");
    return blocks;
  });
  const std::size_t at = text.find("21 16.5 0 11;");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 13, "21 16.5 0 12;");
  writeText(tmp / "FRAME1.ANL", text);

  std::vector<std::string> dropped;
  const auto after = open(saved, tmp / "FRAME1.ANL", dropped);
  EXPECT_EQ(listingChanges(*after->p, saved), "The listing " + (tmp / "FRAME1.ANL") +
                                                  " has changed since the project was saved: reactions changed at "
                                                  "joint 5; supports added at joint 41; supports removed at joint 40.");
  EXPECT_EQ(dropped, (std::vector<std::string>{
                         "Column offset of joint 40: joint 40 is not a support of the listing any more.",
                         "Size group 1.75 m: the footings of the listing no longer make such a group.",
                         "Disabled footing of joint 40: joint 40 is not a support of the listing any more.",
                         "Combined footing of joints 20 and 21: the columns no longer lie on one line (deviation "
                         "more than 600 mm).",
                     }));
  EXPECT_EQ(droppedDecisionsMessage(dropped),
            "These decisions of the project no longer apply to the listing and were dropped:\n" + dropped[0] + "\n" +
                dropped[1] + "\n" + dropped[2] + "\n" + dropped[3]);
  EXPECT_EQ(droppedDecisionsMessage({}), "");
  // The rest is kept.
  const Project& q = *after->p;
  EXPECT_EQ(q.decisions.offsetOf(after->footing(3)), *stepOffset(q, after->footing(3), 1, 0));
  EXPECT_TRUE(q.decisions.disabled.empty());
  EXPECT_TRUE(q.decisions.combined.empty());
  ASSERT_EQ(q.decisions.resized.size(), 2u);
  EXPECT_EQ(q.decisions.resized[0].footing, after->footing(22));
  EXPECT_EQ(q.decisions.resized[1], (ResizedFooting{static_cast<int16_t>(after->footing(39)), 2.5f}));
  EXPECT_EQ(q.decisions.groups, before.p->decisions.groups);
  EXPECT_EQ(q.FootingTable[after->footing(22)].Kind, FootingKind::HandResized);
}

TEST(ProjectFile, DecisionsAreCheckedAsThePlanCommandsCheckThem) {
  PlanRun r(kFrame1);
  SavedProject saved = savedProjectOf(*r.p, "/tmp/x.plintova");
  saved.disabled = {21, 21};
  saved.combined = {{20, 21, 0}, {22, 22, 0}, {22, 23, 0}, {23, 24, 3.5f}, {13, 20, 0}};
  saved.resized = {{23, 2.5f}, {22, 2.5f}};
  std::vector<std::string> dropped;
  const Decisions d = decisionsOf(*r.p, saved, dropped);
  EXPECT_EQ(dropped, (std::vector<std::string>{
                         "Combined footing of joints 20 and 21: joint 21 is disabled.",
                         "Combined footing of joints 22 and 22: a footing cannot be combined with itself.",
                         "Combined footing of joints 23 and 24: joint 23 is in combined footing 1 already.",
                         "Combined footing of joints 13 and 20: the columns no longer lie on one line (deviation "
                         "more than 600 mm).",
                         "Resized footing of joint 23: the footing is in combined footing 1.",
                         "Resized footing of joint 22: the footing is in combined footing 1.",
                     }));
  EXPECT_EQ(d.disabled, std::vector<int16_t>(1, static_cast<int16_t>(r.footing(21))));
  ASSERT_EQ(d.combined.size(), 1u);
  EXPECT_EQ(d.combined[0], (CombinedPair{static_cast<int16_t>(r.footing(22)), static_cast<int16_t>(r.footing(23)), 0}));
}

TEST(ProjectFile, OffsetsNeedTheColumnSectionAndACombinedPairMustLieOnOneLineWhereTheyPutIt) {
  TempFolder tmp;
  const std::string frame1 = fileText(kFrame1);
  SavedProject saved;
  saved.combined = {{20, 21, 0}};
  saved.offsets = {{21, 0, 1, {}, {}}};

  // Joint 21 alone moved off its column's axis: the support has no known column and cannot move.
  std::string text = frame1;
  text.replace(text.find("21 16.5 0 11;"), 13, "21 16.5 0 11.58;");
  writeText(tmp / "moved.ANL", text);
  {
    PlanRun r(tmp / "moved.ANL");
    std::vector<std::string> dropped;
    const Decisions d = decisionsOf(*r.p, saved, dropped);
    EXPECT_EQ(dropped, std::vector<std::string>{"Column offset of joint 21: the section of its column is not known."});
    EXPECT_EQ(d.offsetOf(r.footing(21)), ColumnOffset{});
    EXPECT_EQ(d.combined.size(), 1u);
  }

  // The whole column line of joint 21 580 mm off the line of joint 20: its 300 mm column lets an
  // offset step move the footing 35 mm, toward the line or away from it beyond 600 mm.
  text = frame1;
  for (const char* y : {" 0 ", " 3.5 ", " 6.7 ", " 9.9 ", " 13.1 "}) {
    const std::string from = std::string("16.5") + y + "11;";
    text.replace(text.find(from), from.size(), std::string("16.5") + y + "11.58;");
  }
  writeText(tmp / "skewed.ANL", text);
  PlanRun r(tmp / "skewed.ANL");
  for (const int step : {-1, +1}) {
    saved.offsets = {{21, 0, step, {}, {}}};
    std::vector<std::string> dropped;
    const Decisions d = decisionsOf(*r.p, saved, dropped);
    EXPECT_EQ(d.offsetOf(r.footing(21)), *stepOffset(*r.p, r.footing(21), 0, step));
    if (step < 0) {
      EXPECT_TRUE(dropped.empty());
      EXPECT_EQ(d.combined.size(), 1u);
    } else {
      EXPECT_EQ(dropped, std::vector<std::string>{"Combined footing of joints 20 and 21: the columns no longer lie on "
                                                  "one line (deviation more than 600 mm)."});
      EXPECT_TRUE(d.combined.empty());
    }
  }
}

TEST(ProjectFile, AFileThatCannotBeUsedIsRefusedWithItsReason) {
  const std::string head = R"({"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL")";
  const std::string good = head + R"(, "sbc": 200, "depth": 1.5)";
  // The good file with `tail` in place of its own SBC or depth, where the tail gives one.
  auto goodWith = [&](const std::string& tail) {
    if (tail.starts_with(R"(, "sbc")")) return head + R"(, "depth": 1.5)" + tail;
    if (tail.starts_with(R"(, "depth")")) return head + R"(, "sbc": 200)" + tail;
    return good + tail;
  };
  auto refusal = [](const std::string& text) {
    const ReadProject r = parseProjectFile(text, "p.plintova");
    EXPECT_FALSE(r.project.has_value()) << text;
    return r.error;
  };
  EXPECT_TRUE(parseProjectFile(good + "}", "p.plintova"));
  EXPECT_EQ(refusal("{\"format\": \"plintova-project\",\n  \"version\": 1,,}"),
            "The project file p.plintova is not valid JSON text (line 2, column 16).");
  EXPECT_EQ(refusal(""), "The project file p.plintova is not valid JSON text (line 1, column 1).");
  EXPECT_EQ(refusal("[1, 2]"), "The project file p.plintova is not a Plintova project file.");
  EXPECT_EQ(refusal(R"({"format": "other", "version": 1})"),
            "The project file p.plintova is not a Plintova project file.");
  EXPECT_EQ(refusal(R"({"format": "plintova-project", "version": 5, "sbc": "x"})"),
            "The project file p.plintova was written by a newer version of Plintova (project file version 5; this "
            "version reads version 4).");
  EXPECT_EQ(refusal(goodWith(R"(, "depth": 1e999})")),
            "The project file p.plintova cannot be used: it holds a number too large to read.");
  EXPECT_EQ(refusal(R"({"format": "plintova-project", "version": "1"})"),
            "The project file p.plintova cannot be used: \"version\" must be 1, 2, 3 or 4.");

  const std::vector<std::pair<std::string, std::string>> wrong = {
      {R"(, "sbc": 49})", "\"sbc\" must be a number from 50 to 1000 (kN/m2), not 49"},
      {R"(, "sbc": "200"})", "\"sbc\" must be a number from 50 to 1000 (kN/m2), not \"200\""},
      {R"(, "depth": 6.5})", "\"depth\" must be a number from 0 to 6 (m), not 6.5"},
      {R"(, "offsets": [{"joint": 3, "stepX": 2}]})", "\"offsets\" entry 1, \"stepX\" must be -1, 0 or 1, not 2"},
      {R"(, "offsets": [{"joint": 3, "dx": 5001}]})",
       "\"offsets\" entry 1, \"dx\" must be a whole number of mm from -5000 to 5000, not 5001"},
      {R"(, "disabled": [21, 0]})", "\"disabled\" entry 2 must be a joint number from 1 to 9999999, not 0"},
      {R"(, "groups": [{"size": 1.8}]})", "\"groups\" entry 1, \"baseSize\" is missing"},
      {R"(, "combined": [{"joints": [20]}]})", "\"combined\" entry 1, \"joints\" must list two joints"},
      {R"(, "resized": [{"joint": 22, "length": -2.7}]})",
       "\"resized\" entry 1, \"length\" must be from 0.05 to 30 m, not -2.7"},
      {R"(, "schedule": [{"baseSize": 2.2, "barDia": 36}]})",
       "\"schedule\" entry 1, \"barDia\" must be a bar diameter from 8 to 32 (mm), not 36"},
      {R"(, "schedule": [{"baseSize": 2.2, "depth": null}]})",
       "\"schedule\" entry 1, \"depth\" must be a depth of at most 10 m, not null"},
      {R"(, "designed": "yes"})", "\"designed\" must be true or false"},
      {R"(, "listingSha256": "abc"})", "\"listingSha256\" must be 64 lower-case hex digits"},
      // Design options: a value out of its range names key, value and range; an unknown key is refused.
      {R"(, "options": {"concreteUnitWeight": 30}})",
       "\"options\": concreteUnitWeight 30 is out of range: the unit weight of concrete is from 20 to 26 kN/m3"},
      {R"(, "options": {"friction": "0.5"}})",
       "\"options\": friction \"0.5\" is out of range: the coefficient of friction between footing and soil is "
       "from 0.3 to 0.7"},
      {R"(, "options": {"friction": null}})",
       "\"options\": friction null is out of range: the coefficient of friction between footing and soil is from "
       "0.3 to 0.7"},
      {R"(, "options": {"frction": 0.5}})",
       "\"options\": \"frction\" is not a design option; the options are concreteUnitWeight, soilUnitWeight, "
       "waterTableDepth, friction, upliftFactor, overturningFactor, slidingFactor, sbcIncrease, supportHeight, "
       "cover, minBarSpacing, spacingStep, pedestalMargin, footingProjection, clearGap, dowelDia, dowelFullStress, pedestalCover, bendRadius, leanThickness, "
       "leanProjection, barDiameters"},
      {R"(, "options": {"spacingStep": 20}})",
       "\"options\": spacingStep 20 is out of range: the step of bar spacings is 5, 10 or 25 mm"},
      {R"(, "options": {"barDiameters": [10, 40]}})",
       "\"options\": barDiameters \"10, 40\" is out of range: the bar diameters are 1 to 12 different whole numbers "
       "from 8 to 32 mm"},
      {R"(, "options": {"barDiameters": "10"}})",
       "\"options\": barDiameters \"\" is out of range: the bar diameters are 1 to 12 different whole numbers "
       "from 8 to 32 mm"},
      {R"(, "increaseRule": "all"})", "\"increaseRule\" must be \"laterCases\""},
      // Roles and combinations.
      {R"(, "caseRoles": [{"case": 3, "role": "gust"}]})",
       "\"caseRoles\" entry 1: \"role\" must be one of dead, imposed, wind, earthquake, other, service or factored"},
      {R"(, "caseRoles": [{"case": 3, "role": "wind"}, {"case": 3, "role": "dead"}]})",
       "\"caseRoles\" entry 2: load case 3 is given a role twice"},
      {R"(, "combinations": [{"number": 101, "role": "dead", "factors": [{"case": 1, "factor": 1}]}]})",
       "\"combinations\" entry 1: \"role\" must be service or factored"},
      {R"(, "combinations": [{"number": 101, "role": "factored", "factors": []}]})",
       "\"combinations\" entry 1: \"factors\" must list from 1 to 100 {\"case\": n, \"factor\": f}"},
      {R"(, "combinations": [{"number": 101, "role": "factored", "factors": [{"case": 1, "factor": 1e9}]}]})",
       "\"combinations\" entry 1: every factor must be {\"case\": n, \"factor\": f} with f from -100 to 100"},
  };
  for (const auto& [tail, why] : wrong)
    EXPECT_EQ(refusal(goodWith(tail)), "The project file p.plintova cannot be used: " + why + ".") << tail;

  // Unknown keys are left for later versions of the file; a missing file names its reason.
  EXPECT_TRUE(parseProjectFile(good + R"(, "title": "Office block"})", "p.plintova"));
  EXPECT_EQ(readProjectFile("/nonexistent/p.plintova").error,
            "The project file /nonexistent/p.plintova could not be read: No such file or directory.");
}

TEST(ProjectFile, TheListingsFingerprintsDescribeItsBytesAndEachSupportsReactionsAsRead) {
  RecordingPrompter prompter;
  auto a = std::make_unique<Project>();
  readListing(*a, kFrame1, prompter);
  // The value sha256sum gives for the file.
  EXPECT_EQ(listingSha256(*a), "c3f8ba289e04735b65c3b8de570608eb8087c155485d14aba527c37275833773");
  ASSERT_EQ(a->SupportPrints.size(), 41u);
  EXPECT_EQ(a->SupportPrints[1].size(), 16u);

  // Read from memory: the same fingerprints. A changed comment changes the listing but no support.
  auto b = std::make_unique<Project>();
  std::string text = fileText(kFrame1);
  readListingText(*b, text, "FRAME1.ANL", prompter);
  EXPECT_EQ(listingSha256(*b), listingSha256(*a));
  EXPECT_EQ(b->SupportPrints, a->SupportPrints);
  text.replace(text.find("FOUR STOREY"), 4, "FIVE");
  readListingText(*b, text, "FRAME1.ANL", prompter);
  EXPECT_NE(listingSha256(*b), listingSha256(*a));
  EXPECT_EQ(b->SupportPrints, a->SupportPrints);
}

// Version 2 keeps every design option with its value; a version-1 project of FRAME1, saved before load
// cases were told apart by their titles, opens with its rule: every case after a support's first
// (case 6, DEAD LOAD ONLY, against 250) where a new project takes only the earthquake cases 2 to 5.
TEST(ProjectFile, AnOlderSquarePedestalIsReadAsBothSidesAndANewOneKeepsEachSide) {
  const std::string head = R"({"format": "plintova-project", "version": 3, "listing": "F.ANL", "sbc": 200, "depth": 1.5, )";
  ReadProject read = parseProjectFile(head + R"("schedule": [{"baseSize": 2.2, "pedestal": 0.7}]})", "old.plintova");
  ASSERT_TRUE(read) << read.error;
  ASSERT_EQ(read.project->schedule.size(), 1u);
  EXPECT_EQ(read.project->schedule[0].pedestalX, 0.7f);
  EXPECT_EQ(read.project->schedule[0].pedestalZ, 0.7f);
  // Written again: two sides, no square "pedestal".
  std::string reason;
  const std::string text = projectFileText(*read.project, reason);
  EXPECT_NE(text.find(R"("pedestalX": 0.7, "pedestalZ": 0.7)"), std::string::npos) << text;
  EXPECT_EQ(text.find(R"("pedestal":)"), std::string::npos);
  // A side out of range is refused by its name.
  read = parseProjectFile(head + R"("schedule": [{"baseSize": 2.2, "pedestalX": 0.6, "pedestalZ": -1}]})", "new.plintova");
  EXPECT_FALSE(read);
  EXPECT_NE(read.error.find("\"pedestalZ\""), std::string::npos) << read.error;
}

TEST(ProjectFile, OptionsAreKeptAndAVersion1ProjectKeepsTheLaterCaseRule) {
  TempFolder folder;
  const std::string v1 = R"({"format": "plintova-project", "version": 1, "listing": ")" + kFrame1 +
                         R"(", "sbc": 200, "depth": 1.5})";
  const ReadProject read = parseProjectFile(v1, "old.plintova");
  ASSERT_TRUE(read) << read.error;
  EXPECT_TRUE(read.project->laterCaseRule);
  EXPECT_TRUE(read.project->options == DesignOptions{});
  RecordingPrompter prompter;
  Project p;
  readListing(p, kFrame1, prompter);
  ASSERT_EQ(acceptSavedInputs(p, *read.project), "");
  EXPECT_EQ(p.allowable(1, 5), 250.0);
  Project fresh;
  readListing(fresh, kFrame1, prompter);
  ASSERT_TRUE(acceptDesignInputs(fresh, "1.5", "200"));
  EXPECT_EQ(fresh.allowable(1, 5), 200.0);

  // Saved again it is a version-4 file that says so, with every option.
  p.decisions.options.friction = 0.4;
  p.decisions.options.waterTableDepth = 2.5;
  std::string reason;
  const std::string text = projectFileText(savedProjectOf(p, folder / "p.plintova"), reason);
  EXPECT_NE(text.find(R"("version": 4)"), std::string::npos);
  EXPECT_NE(text.find(R"("increaseRule": "laterCases")"), std::string::npos);
  EXPECT_NE(text.find(R"("options": {"concreteUnitWeight": 25, "soilUnitWeight": 18, "waterTableDepth": 2.5, )"
                      R"("friction": 0.4, "upliftFactor": 1.4, "overturningFactor": 1.4, "slidingFactor": 1.4, )"
                      R"("sbcIncrease": 1.25, "supportHeight": 0, "cover": 50, "minBarSpacing": 100, )"
                      R"("spacingStep": 10, "pedestalMargin": 50, "footingProjection": 150, "clearGap": 0, )"
                      R"("dowelDia": 16, "dowelFullStress": 0, "pedestalCover": 40, "bendRadius": 4, )"
                      R"("leanThickness": 100, "leanProjection": 100, )"
                      R"("barDiameters": [10, 12, 16, 20, 25]})"),
            std::string::npos)
      << text;
  const ReadProject again = parseProjectFile(text, "p.plintova");
  ASSERT_TRUE(again) << again.error;
  EXPECT_TRUE(again.project->laterCaseRule);
  EXPECT_TRUE(again.project->options == p.decisions.options);

  // An options file over them, as the batch tool's --options reads it: the keys it gives, checked alike.
  DesignOptions o = again.project->options;
  writeText(folder / "o.json", R"({"sbcIncrease": 1.5, "waterTableDepth": null})");
  EXPECT_EQ(readDesignOptionsFile(folder / "o.json", o), "");
  EXPECT_EQ(o.sbcIncrease, 1.5);
  EXPECT_FALSE(o.waterTableDepth);
  EXPECT_EQ(o.friction, 0.4);
  writeText(folder / "bad.json", R"({"upliftFactor": 2.5})");
  EXPECT_EQ(readDesignOptionsFile(folder / "bad.json", o),
            "The options file " + (folder / "bad.json") +
                ": upliftFactor 2.5 is out of range: the factor of safety against uplift is from 1 to 2.");
  EXPECT_EQ(o.upliftFactor, 1.4);  // nothing taken from a refused file
}

// Each version step carries what its version changed and nothing else: the later-case rule only for a
// version-1 file that chose no increased cases, the square pedestal of files before version 4 on the side
// an edit does not give itself.
TEST(ProjectFile, OlderVersionsAreBroughtToTheCurrentOneStepByStep) {
  struct Case {
    int version;
    std::string keys;
    bool laterCaseRule;
    std::optional<float> pedestalX, pedestalZ;
  };
  const Case cases[] = {
      {1, R"("increasedCases": [2])", false, {}, {}},
      {1, R"("schedule": [{"baseSize": 2.2, "pedestal": 0.7}])", true, 0.7f, 0.7f},
      {2, R"("schedule": [{"baseSize": 2.2, "pedestal": 0.7, "pedestalZ": 0.8}])", false, 0.7f, 0.8f},
      {3, R"("schedule": [{"baseSize": 2.2, "pedestalX": 0.6, "pedestal": 0.7}])", false, 0.6f, 0.7f},
      {4, R"("schedule": [{"baseSize": 2.2, "pedestalX": 0.6}])", false, 0.6f, {}},
  };
  for (const Case& c : cases) {
    const std::string text = R"({"format": "plintova-project", "version": )" + std::to_string(c.version) +
                             R"(, "listing": "F.ANL", "sbc": 200, "depth": 1.5, )" + c.keys + "}";
    const ReadProject read = parseProjectFile(text, "p.plintova");
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(read.project->version, c.version);
    EXPECT_EQ(read.project->laterCaseRule, c.laterCaseRule) << text;
    if (read.project->schedule.empty()) continue;
    EXPECT_EQ(read.project->schedule[0].pedestalX, c.pedestalX) << text;
    EXPECT_EQ(read.project->schedule[0].pedestalZ, c.pedestalZ) << text;
  }
  EXPECT_EQ(parseProjectFile(R"({"format": "plintova-project", "version": 2.5, "listing": "F.ANL"})", "p.plintova").error,
            "The project file p.plintova cannot be used: \"version\" must be 1, 2, 3 or 4.");
}
