// A project file holds only what the windows take for the same decisions: a value beyond its limit, a
// key given twice, deep nesting or an oversized file is refused with the key, the value and the limit;
// the windows' commands stop at the same limits; sizes a length would give beyond the largest footing
// are refused; a second edit of one schedule row is dropped and named; a project reached through a
// symbolic link finds and writes its listing from the real file's folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/plan_decisions.h"
#include "input/listing_reader.h"
#include "model/limits.h"
#include "project/project_file.h"
#include "project/schedule_design.h"
#include "project_test_support.h"

using namespace plintova;
using namespace plintova::testing;
namespace fs = std::filesystem;

namespace {

const std::string kFrame1 = PLINTOVA_EXAMPLES "/FRAME1.ANL";
const std::string kHead =
    R"({"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5)";

std::string refusal(const std::string& text) {
  const ReadProject r = parseProjectFile(text, "p.plintova");
  EXPECT_FALSE(r.project.has_value()) << text.substr(0, 200);
  return r.error;
}

// FRAME1 read, given SBC 200 and depth 1.5, and started.
struct Frame1 {
  RecordingPrompter prompter;
  std::unique_ptr<Project> p = std::make_unique<Project>();
  explicit Frame1(const std::string& path = kFrame1) {
    readListing(*p, path, prompter);
    EXPECT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
    EXPECT_EQ(startPlan(*p, prompter), "");
  }
  int footing(int joint) const {
    for (int s = 1; s <= p->FootingCount; ++s)
      if (p->FootingTable[s].JointNo == joint) return s;
    return 0;
  }
};

}  // namespace

TEST(ProjectLimits, ValuesBeyondTheLimitsOfTheirDecisionAreRefusedNamingKeyValueAndLimit) {
  const std::pair<std::string, std::string> cases[] = {
      // A length of 1e-30 gave an infinite width, 0.001 one of 10 km; 31 m to 1000 m were taken.
      {R"(, "resized": [{"joint": 22, "length": 1e-30}]})", "\"resized\" entry 1, \"length\" must be from 0.05 to 30 m, not 1e-30"},
      {R"(, "resized": [{"joint": 22, "length": 0.001}]})", "\"resized\" entry 1, \"length\" must be from 0.05 to 30 m, not 0.001"},
      {R"(, "resized": [{"joint": 22, "length": 31}]})", "\"resized\" entry 1, \"length\" must be from 0.05 to 30 m, not 31"},
      {R"(, "combined": [{"joints": [20, 21], "length": 1000}]})",
       "\"combined\" entry 1, \"length\" must be above 0 and at most 30 m, not 1000"},
      {R"(, "groups": [{"baseSize": 2.2, "size": 31}]})",
       "\"groups\" entry 1, \"size\" must be above 0 and within 0.05 m of its base size 2.2 m, not 31"},
      {R"(, "groups": [{"baseSize": 1000}]})", "\"groups\" entry 1, \"baseSize\" must be above 0 and at most 30 m, not 1000"},
      {R"(, "schedule": [{"joint": 22, "pedestal": 1000}]})",
       "\"schedule\" entry 1, \"pedestal\" must be above 0 and below 30 m (and below the footing's side), not 1000"},
      {R"(, "schedule": [{"joint": 22, "depth": 1000}]})",
       "\"schedule\" entry 1, \"depth\" must be a depth of at most 10 m, not 1000"},
  };
  for (const auto& [tail, why] : cases)
    EXPECT_EQ(refusal(kHead + tail), "The project file p.plintova cannot be used: " + why + ".") << tail;
  // A NUL in the listing's name would open another file than the one named.
  EXPECT_EQ(refusal(R"({"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL\u0000.bak", "sbc": 200,
                       "depth": 1.5})"),
            "The project file p.plintova cannot be used: \"listing\" must be a file name without a NUL character.");

  // Keys given twice would let the last one win unseen; each is refused with its place.
  EXPECT_EQ(refusal(kHead + R"(, "sbc": 300})"),
            "The project file p.plintova gives the key \"sbc\" twice; each key may be given once.");
  EXPECT_EQ(refusal(kHead + R"(, "groups": [{"baseSize": 1.9}, {"baseSize": 2.2, "size": 2.25, "size": 2.15}]})"),
            "The project file p.plintova gives the key \"groups\" entry 2, \"size\" twice; each key may be given once.");
  // Deep nesting is refused before it is parsed; the same keys in two objects are no repeat.
  EXPECT_EQ(refusal(kHead + R"(, "sheet": )" + std::string(40, '[') + std::string(40, ']') + "}"),
            "The project file p.plintova nests lists and objects more than 32 deep; a project file nests them at most "
            "4 deep.");
  EXPECT_TRUE(parseProjectFile(kHead + R"(, "resized": [{"joint": 22, "length": 2.7}, {"joint": 23, "length": 30}]})",
                               "p.plintova"));

  // A file beyond the size of any project is refused without being read.
  TempFolder folder;
  std::ofstream(folder / "big.plintova") << kHead << ", \"notes\": \"" << std::string(33 << 20, 'x') << "\"}";
  EXPECT_EQ(readProjectFile(folder / "big.plintova").error,
            "The project file " + (folder / "big.plintova") + " could not be read: it is larger than 32 MB.");
}

TEST(ProjectLimits, TheWindowsCommandsStopAtTheSameLimits) {
  Frame1 r;
  Project& p = *r.p;
  const int f22 = r.footing(22);
  // The wheel stops at 30 m.
  Decisions d = p.decisions;
  d.resized = {{static_cast<int16_t>(f22), 30.0f}};
  ASSERT_TRUE(applyDecisions(p, d, r.prompter));
  EXPECT_FALSE(withResizeStep(p, f22, +1).has_value());
  // A length the wheel can reach whose width is beyond any footing (0.1 m under some 900 kN) is refused
  // with the joint, the width and the largest side, and the plan stays as it was.
  d.resized = {{static_cast<int16_t>(f22), 0.1f}};
  RecordingPrompter refused;
  EXPECT_FALSE(applyDecisions(p, d, refused));
  ASSERT_EQ(refused.texts().size(), 1u);
  EXPECT_EQ(refused.texts()[0].find("The footing of joint 22 at a length of 0.1 m needs a width of "), 0u);
  EXPECT_NE(refused.texts()[0].find("; footing sides above 30 m cannot be designed."), std::string::npos);
  EXPECT_FLOAT_EQ(p.FootingTable[f22].SizeL.value(), 30.0f);

  // A combined footing's length stops at 30 m.
  d = withCombinedPair(p, r.footing(20), r.footing(21));
  d.combined.back().length = 29.95f;
  ASSERT_TRUE(applyDecisions(p, d, r.prompter));
  EXPECT_FALSE(withResizeStep(p, r.footing(20), +1).has_value());

  // A group's size stays within a step of its base size, however often it is stepped.
  for (int k = 0; k < 4; ++k) {
    ASSERT_TRUE(applyDecisions(p, withGroupStepped(p, 3), r.prompter));
    EXPECT_TRUE(limits::groupSizeAllowed(p.SizeGroupTable[3].GroupBaseSize, p.SizeGroupTable[3].GroupSize));
  }

  // The schedule's boxes: a depth of at most 10 m, a pedestal within the footing.
  ASSERT_TRUE(designSchedule(p, r.prompter));
  const double side = p.DesignGroupTable[1].GroupSize;
  EXPECT_TRUE(withScheduleEdit(p, 1, ScheduleField::Depth, 10).has_value());
  EXPECT_FALSE(withScheduleEdit(p, 1, ScheduleField::Depth, 10.5).has_value());
  EXPECT_TRUE(withScheduleEdit(p, 1, ScheduleField::Depth, -1).has_value());  // raised by the design
  EXPECT_FALSE(withScheduleEdit(p, 1, ScheduleField::Pedestal, side).has_value());
  EXPECT_TRUE(withScheduleEdit(p, 1, ScheduleField::Pedestal, side - 0.1).has_value());
}

TEST(ProjectLimits, DecisionsThatCannotApplyAreDroppedAndNamedNeverDesignedWrongly) {
  Frame1 r;
  Project& p = *r.p;
  SavedProject saved;
  saved.resized = {{22, 2.5f}};
  // Two edits of one row (a file edited by hand, or 1.7 million of them): the first applies.
  saved.schedule = {ScheduleEdit{2.2f, 0.7f, 0.7f, {}, {}, {}}, ScheduleEdit{2.2f, {}, {}, 0.9f, {}, {}},
                    ScheduleEdit{0, 2.6f, 2.6f, {}, {}, {22}}};
  std::vector<std::string> dropped;
  p.decisions = decisionsOf(p, saved, dropped);
  EXPECT_EQ(dropped, std::vector<std::string>{
                         "Schedule edit of the row of size group 2.2 m: the row has an edit already."});
  ASSERT_EQ(derivePlan(p, r.prompter), "");
  // The resized footing is 2.5 m long: a pedestal of 2.6 m does not fit it. The Design drops that edit
  // and names it rather than designing a pedestal wider than the footing.
  RecordingPrompter design;
  ASSERT_TRUE(designSchedule(p, design));
  ASSERT_EQ(design.texts().size(), 1u);
  EXPECT_NE(design.texts()[0].find("joint 22 (pedestal 2.6) no longer fits the footing"), std::string::npos);
  EXPECT_LT(p.RectangularRows.at(0).Pedestal.x.value(), 2.5f);

  // An offset whose position would overflow the plan's coordinates is named as such, not as a column
  // of unknown section.
  auto edge = std::make_unique<Project>();
  edge->FootingCount = 1;
  edge->FootingTable[1].JointNo = 7;
  edge->FootingTable[1].ColumnX = INT32_MAX - 50;
  edge->FootingTable[1].ColumnMember = 1;
  edge->ColumnSectionCount = 1;
  edge->ColumnSectionTable[1][3] = 450;
  edge->ColumnSectionTable[1][4] = 450;
  // A step (225 - 115 = 110 mm) or an offset typed in millimetres alike.
  for (const SavedOffset& offset : {SavedOffset{7, 1, 0, {}, {}}, SavedOffset{7, 0, 0, 60, 0}}) {
    SavedProject far;
    far.offsets = {offset};
    dropped.clear();
    decisionsOf(*edge, far, dropped);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0], "Column offset of joint 7: the offset would move the footing beyond the plan's coordinates "
                          "(+/-2147483647 mm).");
  }
}

TEST(ProjectLimits, AProjectReachedThroughALinkUsesTheRealFilesFolder) {
  TempFolder work, elsewhere;
  const std::string listing = work / "FRAME1.ANL";
  fs::copy_file(kFrame1, listing);
  Frame1 r(listing);
  const std::string real = work / "job.plintova", link = elsewhere / "job-link.plintova";
  ASSERT_EQ(writeProjectFile(*r.p, real), "");
  fs::create_symlink(real, link);

  // Opened through the link: the listing is beside the real file, not beside the link.
  const ReadProject read = readProjectFile(link);
  ASSERT_TRUE(read) << read.error;
  EXPECT_EQ(read.project->listing, "FRAME1.ANL");
  EXPECT_EQ(listingPathOf(*read.project, link), fs::canonical(listing).string());

  // Saved through the link: the real file is replaced, the link stays, and the name is relative to
  // the real file's folder.
  ASSERT_EQ(writeProjectFile(*r.p, link), "");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_NE(fileText(real).find("\"listing\": \"FRAME1.ANL\""), std::string::npos);

  // A failed save names the file and the reason.
  EXPECT_EQ(writeProjectFile(*r.p, "/nonexistent/job.plintova"),
            "The project file /nonexistent/job.plintova could not be written: No such file or directory.");
}
