// Reading analysis listings: the example frame, the quirks of real listings, units, rotations, failures.
#include "input/listing_reader.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "input/fingerprints.h"
#include "listing_builder.h"

using namespace plintova;
using namespace plintova::testing;

TEST(ListingReader, ReadsTheExampleFrame) {
  auto r = readFile(std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL");
  ASSERT_FALSE(r->refused) << r->error;
  const Project& p = *r->project;
  EXPECT_EQ(r->summary.supportsCaption, "SUPPORT REACTIONS :   40");
  EXPECT_EQ(r->summary.loadCasesCaption, "LOAD CASES :   6");
  EXPECT_EQ(r->summary.gradesCaption, "Fck 25     Fe 415 N/mm2");
  EXPECT_TRUE(r->prompter.calls.empty());
  EXPECT_EQ(p.AnlPath, std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL");

  // 200 joints on the grid, in order: one is written over two lines, one has a Y of -1.77636E-015.
  ASSERT_EQ(p.JointCount, 200);
  const std::set<int> xs = {0, 5000, 10000, 14500, 16500, 19000, 24000, 29000, 34000}, zs = {0, 5500, 11000, 16000, 21000};
  const int ys[] = {0, 3500, 6700, 9900, 13100};
  for (int j = 1; j <= 200; ++j) {
    EXPECT_EQ(p.JointTable[j][0], j);
    EXPECT_TRUE(xs.count(p.JointTable[j][1])) << j;
    EXPECT_EQ(p.JointTable[j][2], ys[(j - 1) / 40]) << j;
    EXPECT_TRUE(zs.count(p.JointTable[j][3])) << j;
    if (j > 40) {
      EXPECT_EQ(p.JointTable[j][1], p.JointTable[j - 40][1]) << j;
    }
  }
  EXPECT_EQ(p.MemberTotal, 424);
  EXPECT_EQ(p.MemberTable[12][1], 12);  // written top-down, read bottom-up
  EXPECT_EQ(p.MemberTable[12][2], 52);
  EXPECT_EQ(p.RotatedMemberCount, 34);
  EXPECT_EQ(p.ColumnSectionCount, 160);
  EXPECT_EQ(p.BeamSectionCount, 264);
  // Columns 1..8 are rotated: printed 300 X 450, held 450 x 300. Column 9 is not.
  EXPECT_EQ(p.ColumnSectionTable[1][3], 450);
  EXPECT_EQ(p.ColumnSectionTable[1][4], 300);
  EXPECT_EQ(p.ColumnSectionTable[9][3], 300);
  EXPECT_EQ(p.ColumnSectionTable[9][4], 450);
  EXPECT_EQ(p.ColumnSectionTable[9][2], 3500);

  // Every support has six positive cases 1..6, also the one cut by a page break, and its column.
  for (int s = 1; s <= 40; ++s) {
    EXPECT_EQ(p.ReactionTable(s, 0, 0), s);
    EXPECT_EQ(p.lastCasePosition(s), 5);
    for (int c = 0; c < 6; ++c) {
      EXPECT_EQ(p.ReactionTable(s, c, 1), c + 1);
      EXPECT_GT(p.ReactionTable(s, c, 2), 300.0f);
      EXPECT_LT(p.ReactionTable(s, c, 2), 2100.0f);
    }
    EXPECT_EQ(p.FootingTable[s].ColumnMember, s);
  }
}

TEST(ListingReader, HandlesTheQuirksOfRealListings) {
  auto r = readFile(testData("quirks.ANL"));
  ASSERT_FALSE(r->refused) << r->error;
  const Project& p = *r->project;
  // Joints: a comment inside the section, one joint over two lines ending in " -" and continued after
  // its echo number, a negative exponent taken as 0, a page header inside, trailing blanks.
  ASSERT_EQ(p.JointCount, 12);
  auto joint = [&](int j) { return std::vector<int>{p.JointTable[j][0], p.JointTable[j][1], p.JointTable[j][2], p.JointTable[j][3]}; };
  EXPECT_EQ(joint(2), (std::vector<int>{2, 4250, 0, 0}));
  EXPECT_EQ(joint(3), (std::vector<int>{3, 8500, 0, 0}));
  EXPECT_EQ(joint(4), (std::vector<int>{4, 0, 0, 5000}));
  EXPECT_EQ(joint(12), (std::vector<int>{12, 8500, 3500, 5000}));
  // Members: a column written top-down and a beam written right-to-left are oriented.
  ASSERT_EQ(p.MemberTotal, 13);
  EXPECT_EQ(p.MemberTable[6][1], 6);
  EXPECT_EQ(p.MemberTable[6][2], 12);
  EXPECT_EQ(p.MemberTable[8][1], 8);
  EXPECT_EQ(p.MemberTable[8][2], 9);
  // Two ranges on one line, a list continued on the next line, a list right after it, a comment.
  std::vector<int> rotated;
  for (int i = 1; i <= p.RotatedMemberCount; ++i) rotated.push_back(p.RotatedMemberList[i]);
  EXPECT_EQ(rotated, (std::vector<int>{1, 2, 4, 5, 11, 12, 6}));
  ASSERT_EQ(p.ColumnSectionCount, 6);
  EXPECT_EQ(p.ColumnSectionTable[3][3], 300);  // only commented out: not rotated
  EXPECT_EQ(p.ColumnSectionTable[4][3], 450);  // its block is cut by a page header
  EXPECT_EQ(p.ColumnSectionTable[4][4], 300);
  ASSERT_EQ(p.BeamSectionCount, 2);
  EXPECT_EQ(p.BeamSectionTable[2][4], 500.0f);
  // Reactions: a page break inside joint 1's lines; touching fields of joint 2.
  EXPECT_EQ(p.supportCount(), 6);
  EXPECT_EQ(p.lastCasePosition(1), 2);
  EXPECT_EQ(p.ReactionTable(1, 1, 1), 2.0f);
  EXPECT_EQ(p.ReactionTable(1, 2, 2), 451.77f);
  EXPECT_EQ(p.ReactionTable(1, 2, 4), -3.95f);
  EXPECT_EQ(p.ReactionTable(2, 0, 2), 7866.85f);
  EXPECT_EQ(p.ReactionTable(2, 0, 3), 25.0f);
  EXPECT_EQ(p.ReactionTable(2, 0, 4), -33.1f);
  EXPECT_EQ(p.ReactionTable(2, 1, 2), 7001.1f);
  // Grades: the commented-out "*FC 20" does not count.
  EXPECT_EQ(r->summary.gradesCaption, "Fck 30     Fe 500 N/mm2");
  EXPECT_EQ(r->summary.loadCasesCaption, "LOAD CASES :   3");
}

TEST(ListingReader, MillimetreUnitsRoundHalvesToEvenAndGradesFollowTheDesignUnit) {
  auto r = readFile(testData("mms_units.ANL"));
  ASSERT_FALSE(r->refused) << r->error;
  const Project& p = *r->project;
  EXPECT_EQ(p.JointTable[1][1], 2);  // 2.5 mm
  EXPECT_EQ(p.JointTable[1][3], 4);  // 3.5 mm
  EXPECT_EQ(p.JointTable[2][1], 4000);
  EXPECT_EQ(p.Fck, 25);  // FC 25000 and FYMAIN 415000 under UNIT METER KN
  EXPECT_EQ(p.Fe, 415);
}

TEST(ListingReader, RotatedMemberListsAndColumns) {
  ListingBuilder b;
  b.joints = {"1 0 0 0; 2 0 3 0; 3 5 0 0; 4 5 3 0"};
  b.members = {"1 1 2; 2 3 4"};
  b.commands = {"BETA 90 MEMB 1 TO 4 7", "BETA 90 MEMB 20 TO -", "22 2 2"};
  // A list printed among the design results, after the first column block, rotates nothing.
  b.blocks = columnBlock(1, 3000, 300, 450) + "  BETA 90 MEMB 1 TO 9\n" + columnBlock(2, 3000, 300, 450);
  auto r = readText(b.text());
  ASSERT_FALSE(r->refused) << r->error;
  const Project& p = *r->project;
  std::vector<int> rotated;
  for (int i = 1; i <= p.RotatedMemberCount; ++i) rotated.push_back(p.RotatedMemberList[i]);
  EXPECT_EQ(rotated, (std::vector<int>{1, 2, 3, 4, 7, 20, 21, 22, 2, 2}));
  EXPECT_EQ(p.ColumnSectionTable[1][3], 450);  // listed once: exchanged
  EXPECT_EQ(p.ColumnSectionTable[2][3], 450);  // listed three times: exchanged three times
}

TEST(ListingReader, TwoSupportsOfThreeLinesEach) {
  ListingBuilder b;
  b.joints = {"1 0 0 0; 2 0 3 0; 3 4 0 0; 4 4 3 0"};
  b.members = {"1 1 2; 2 3 4"};
  b.reactions = reactionRow(1, 1, 500, 10, -5) + reactionRow(0, 2, 450) + reactionRow(0, 3, 400) + "\n" +
                reactionRow(3, 1, 600) + reactionRow(0, 2, 550) + reactionRow(0, 3, 520, 1.5, -2.25);
  auto r = readText(b.text());
  ASSERT_FALSE(r->refused) << r->error;
  const Project& p = *r->project;
  EXPECT_EQ(p.supportCount(), 2);
  EXPECT_EQ(p.ReactionTable(2, 0, 0), 3.0f);
  EXPECT_EQ(p.lastCasePosition(1), 2);
  EXPECT_EQ(p.lastCasePosition(2), 2);
  EXPECT_EQ(p.ReactionTable(1, 0, 3), 10.0f);
  EXPECT_EQ(p.ReactionTable(1, 0, 4), -5.0f);
  EXPECT_EQ(p.ReactionTable(2, 2, 4), -2.25f);
  EXPECT_EQ(r->summary.loadCasesCaption, "LOAD CASES :   3");
}

TEST(ListingReader, FailuresShowTheirMessages) {
  // Each message begins as shown; those of a file that is no listing name it and what it lacks.
  const auto notAListing = [](const char* file, const char* lacking) {
    return "The file " + testData(file) + " is not an analysis listing that can be read: it has no " + lacking + ".";
  };
  const std::pair<const char*, std::string> cases[] = {
      // Its only UNIT command is the design's, after the joints.
      {"no_unit.ANL", notAListing("no_unit.ANL", "JOINT COORDINATES section after its first UNIT command")},
      {"bad_unit.ANL", " Units Should be Meter or mm "},
      {"no_joints.ANL", notAListing("no_joints.ANL", "JOINT COORDINATES section after its first UNIT command")},
      {"no_members.ANL", notAListing("no_members.ANL", "MEMBER INCIDENCES section after its JOINT COORDINATES")},
      {"unknown_reaction_unit.ANL", " NO SUPPORT REACTIONS  (or) Units differ \nThe listing " +
                                        testData("unknown_reaction_unit.ANL") +
                                        " cannot be used: its reaction table gives its units as"},
  };
  for (const auto& [file, message] : cases) {
    auto r = readFile(testData(file));
    EXPECT_TRUE(r->refused) << file;
    EXPECT_EQ(r->error.substr(0, message.size()), message) << file;
  }
  // A beam block whose number reads 0 shows its line and reading goes on.
  auto beam = readFile(testData("beam_number_zero.ANL"));
  ASSERT_FALSE(beam->refused) << beam->error;
  ASSERT_EQ(beam->prompter.texts().size(), 1u);
  EXPECT_NE(beam->prompter.texts()[0].find("B E A M  N O.   **"), std::string::npos);
  EXPECT_EQ(beam->project->BeamSectionCount, 1);

  auto missing = readFile(testData("no_such_listing.ANL"));
  EXPECT_EQ(missing->error, "The listing " + testData("no_such_listing.ANL") + " could not be read: No such file or directory.");
  auto folder = readFile(PLINTOVA_TEST_DATA);
  EXPECT_TRUE(folder->refused);
  EXPECT_NE(folder->error.find("could not be read"), std::string::npos);
}

TEST(ListingReader, UnitWordsAndCommentsInTheEcho) {
  ListingBuilder b;
  b.unit = "MMS";  // at the end of its line
  auto r = readText("    1. * UNITS IN METRES\n    2. STAAD SPACE UNITS BLOCK\n" + b.text());
  ASSERT_FALSE(r->refused) << r->error;
  EXPECT_EQ(r->project->JointTable[2][2], 3);
}

TEST(ListingReader, TheWorkLeftForTheStartupDialogGivesWhatAWholeReadGives) {
  // The desktop leaves the support fingerprints and the beam lattices to another thread while its
  // start-up dialog is shown; put in place, they must be those of a whole read.
  for (const std::string& path : {std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL", testData("quirks.ANL"),
                                  testData("stepped_ground.ANL"), testData("frame1_kn_mms.ANL")}) {
    auto whole = readFile(path);
    ASSERT_FALSE(whole->refused) << path << whole->error;
    ReadResult deferred;
    EXPECT_TRUE(readListing(*deferred.project, path, deferred.prompter, ListingParts{.deferred = true}).deferred);
    Project& p = *deferred.project;
    EXPECT_TRUE(p.SupportPrints.empty() && p.BeamXLattice.size() == 0 && p.BeamZLattice.size() == 0) << path;
    finishListing(p, listingRest(p));
    const Project& q = *whole->project;
    EXPECT_EQ(p.SupportPrints, q.SupportPrints) << path;
    EXPECT_TRUE(p.BeamXLattice == q.BeamXLattice && p.BeamZLattice == q.BeamZLattice) << path;
    EXPECT_TRUE(p.ColumnLattice == q.ColumnLattice && p.JointLattice == q.JointLattice) << path;
  }
  auto frame = readFile(std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL");
  EXPECT_GT(frame->project->BeamXLattice.size() + frame->project->BeamZLattice.size(), 0u);
}

TEST(ListingReader, AReadOfWhatSizingNeedsGivesTheWholeReadsSupportsColumnsAndCases) {
  // The batch tool leaves out the beams (drawn by the column window only), the fingerprints and the
  // digest (for a project or a report); what it sizes from must be what a whole read gives.
  const ListingParts sizingOnly{.beams = false, .fingerprints = false, .digest = false};
  for (const std::string& path : {std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL", testData("quirks.ANL"),
                                  testData("primary_cases.ANL"), testData("beam_number_zero.ANL")}) {
    SCOPED_TRACE(path);
    auto whole = readFile(path);
    ASSERT_FALSE(whole->refused) << whole->error;
    ReadResult part;
    readListing(*part.project, path, part.prompter, sizingOnly);
    const Project &p = *part.project, &q = *whole->project;
    EXPECT_TRUE(p.SupportPrints.empty() && listingSha256(p).empty());
    EXPECT_TRUE(p.BeamSectionCount == 0 && p.BeamXLattice.size() == 0 && p.BeamZLattice.size() == 0);
    EXPECT_TRUE(part.prompter.calls.empty());  // nor a beam block's message
    ASSERT_EQ(p.supportCount(), q.supportCount());
    for (int s = 1; s <= p.supportCount(); ++s) {
      ASSERT_EQ(p.lastCasePosition(s), q.lastCasePosition(s));
      for (int c = 0; c <= p.lastCasePosition(s); ++c)
        for (int k = 0; k <= 6; ++k) EXPECT_EQ(p.ReactionTable(s, c, k).value(), q.ReactionTable(s, c, k).value());
      EXPECT_EQ(p.FootingTable[s].ColumnMember, q.FootingTable[s].ColumnMember);
    }
    EXPECT_EQ(p.ColumnSectionCount, q.ColumnSectionCount);
    EXPECT_TRUE(p.ColumnLattice == q.ColumnLattice && p.JointLattice == q.JointLattice);
    EXPECT_EQ(p.LoadCases.size(), q.LoadCases.size());
    EXPECT_TRUE(p.ListingCases == q.ListingCases && p.IncreasedCases == q.IncreasedCases);
    EXPECT_TRUE(p.Fck == q.Fck && p.Fe == q.Fe && p.NonlinearAnalysis == q.NonlinearAnalysis);
  }
}
