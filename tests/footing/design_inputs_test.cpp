// Acceptance of the founding depth and SBC texts, and the engineer's choice of load cases.
#include "footing/design_inputs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "design/schedule.h"
#include "footing/derived_plan.h"
#include "input/listing_reader.h"
#include "model/numbers.h"
#include "project/schedule_design.h"

using namespace plintova;

TEST(DesignInputs, DepthFrom0To6AndSbcFrom50To1000AreAccepted) {
  Project p;
  EXPECT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  EXPECT_EQ(p.EarthPressure, 30.0f);
  EXPECT_EQ(p.CaseSbc[0], 200.0f);
  for (int c = 1; c <= 35; ++c) EXPECT_EQ(p.CaseSbc[c], 250.0f);

  EXPECT_TRUE(acceptDesignInputs(p, "0", "50"));
  EXPECT_EQ(p.EarthPressure, 0.0f);
  EXPECT_TRUE(acceptDesignInputs(p, "6", "1000"));
  EXPECT_EQ(p.EarthPressure, 120.0f);
  EXPECT_TRUE(acceptDesignInputs(p, "1.75", " 300 "));  // values outside the lists are fine
  EXPECT_EQ(p.EarthPressure, 35.0f);
  EXPECT_EQ(p.CaseSbc[35], 375.0f);
}

TEST(DesignInputs, SbcRoundsHalfToEven) {
  Project p;
  ASSERT_TRUE(acceptDesignInputs(p, "1", "150.4"));
  EXPECT_EQ(p.CaseSbc[0], 150.0f);
  ASSERT_TRUE(acceptDesignInputs(p, "1", "150.5"));
  EXPECT_EQ(p.CaseSbc[0], 150.0f);
  ASSERT_TRUE(acceptDesignInputs(p, "1", "151.5"));
  EXPECT_EQ(p.CaseSbc[0], 152.0f);
  ASSERT_TRUE(acceptDesignInputs(p, "1", "49.5"));  // 50 after rounding
  EXPECT_EQ(p.CaseSbc[0], 50.0f);
}

TEST(DesignInputs, RefusedEntriesChangeNothingExceptADepthAlreadyTaken) {
  Project p;
  ASSERT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  for (const char* depth : {"6.01", "-0.5", "Select", "", "1.5m"}) {
    EXPECT_FALSE(acceptDesignInputs(p, depth, "300")) << depth;
    EXPECT_EQ(p.EarthPressure, 30.0f);
    EXPECT_EQ(p.CaseSbc[0], 200.0f);
  }
  for (const char* sbc : {"49", "1001", "Select", "1e9", "-200"}) {
    EXPECT_FALSE(acceptDesignInputs(p, "2", sbc)) << sbc;
    EXPECT_EQ(p.CaseSbc[0], 200.0f);
    EXPECT_EQ(p.CaseSbc[1], 250.0f);
  }
  EXPECT_EQ(p.EarthPressure, 40.0f);  // the valid depth before a refused SBC was taken
}

// A saved project keeps the depth and SBC as single-precision numbers and hands them to the design as
// numbers: the project it opens to has the very depth, earth pressure and SBC the typed entries gave.
// The depth the design works with is the earth pressure over 20 kN/m3, so that weights and pressures
// agree to the last digit (0.3 m gives 6 kN/m2, and a depth of exactly 0.3 m).
TEST(DesignInputs, SavedNumbersGiveWhatTheTypedEntriesGave) {
  for (const char* depth : {"0", "0.3", "0.9", "1.23", "1.5", "2.345", "6"}) {
    for (const char* sbc : {"50", "150.5", "212.7", "1000"}) {
      Project typed, saved;
      ASSERT_TRUE(acceptDesignInputs(typed, depth, sbc)) << depth << " " << sbc;
      const float savedDepth = static_cast<float>(typed.FoundingDepth), savedSbc = typed.CaseSbc[0];
      ASSERT_TRUE(acceptDesignInputs(saved, savedDepth, savedSbc)) << depth << " " << sbc;
      EXPECT_EQ(saved.EarthPressure, typed.EarthPressure) << depth;
      EXPECT_EQ(saved.FoundingDepth, typed.FoundingDepth) << depth;
      EXPECT_EQ(saved.CaseSbc[0], typed.CaseSbc[0]) << sbc;
      EXPECT_EQ(saved.CaseSbc[1], typed.CaseSbc[1]) << sbc;
      EXPECT_EQ(typed.FoundingDepth, typed.EarthPressure / 20.0) << depth;
    }
  }
  Project p;
  ASSERT_TRUE(acceptDesignInputs(p, "0.3", "200"));
  EXPECT_EQ(p.EarthPressure, 6.0f);
  EXPECT_EQ(p.FoundingDepth, 0.3);
  EXPECT_FALSE(acceptDesignInputs(p, 6.01, 200.0));
  EXPECT_FALSE(acceptDesignInputs(p, 1.0, 1001.0));
}

namespace {

std::string frame1Text() {
  std::ifstream in(PLINTOVA_EXAMPLES "/FRAME1.ANL", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// FRAME1 with only the first reaction line of every joint in its reaction table: a listing that holds
// load case 1 alone.
std::string frame1WithCase1Only() {
  std::istringstream in(frame1Text());
  std::string out, line;
  bool inTable = false;
  while (std::getline(in, line)) {
    if (line.find("SUPPORT REACTIONS -UNIT") != std::string::npos) inTable = true;
    if (line.find("END OF LATEST ANALYSIS RESULT") != std::string::npos) inTable = false;
    // A continuation line: no joint number in the first seven characters, then the load case.
    const bool continuation = inTable && line.size() > 12 && line.find_first_not_of(' ') >= 7 &&
                              std::isdigit(static_cast<unsigned char>(line[line.find_first_not_of(' ')]));
    if (!continuation) out += line + "\n";
  }
  return out;
}

std::vector<std::string> designedRows(Project& p) {
  RecordingPrompter quiet;
  EXPECT_EQ(startPlan(p, quiet), "");
  EXPECT_TRUE(designSchedule(p, quiet));
  std::vector<std::string> rows;
  for (int s = 1; s <= p.FootingCount; ++s)
    rows.push_back(numberText(p.FootingTable[s].ReqSize) + " " + std::to_string(p.FootingTable[s].GroupRank));
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    std::string row;
    for (const std::string& cell : scheduleRowTexts(p, r)) row += cell + " ";
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

TEST(LoadCaseChoice, ChoosingOnlyCase1GivesWhatAListingWithCase1AloneGives) {
  RecordingPrompter quiet;
  auto chosen = std::make_unique<Project>();
  readListingText(*chosen, frame1Text(), "FRAME1.ANL", quiet);
  acceptDesignInputs(*chosen, "1.5", "200");
  ASSERT_EQ(applyLoadCaseChoice(*chosen, {1}, std::nullopt), "");
  EXPECT_EQ(chosen->lastCasePosition(1), 0);

  auto alone = std::make_unique<Project>();
  readListingText(*alone, frame1WithCase1Only(), "FRAME1.ANL", quiet);
  acceptDesignInputs(*alone, "1.5", "200");
  ASSERT_EQ(alone->lastCasePosition(1), 0);
  EXPECT_EQ(designedRows(*chosen), designedRows(*alone));

  // Leaving case 1 out: case 2 stands first, and keeps the increased pressure its title (EQX) gives it;
  // case 6, dead load only, keeps SBC wherever it stands.
  auto without1 = std::make_unique<Project>();
  readListingText(*without1, frame1Text(), "FRAME1.ANL", quiet);
  acceptDesignInputs(*without1, "1.5", "200");
  ASSERT_EQ(applyLoadCaseChoice(*without1, {2, 3, 4, 5, 6}, std::nullopt), "");
  EXPECT_EQ(without1->ReactionTable(1, 0, 1), 2.0f);
  EXPECT_EQ(without1->allowable(1, 0), 250.0);
  EXPECT_EQ(without1->allowable(1, 4), 200.0);
  EXPECT_EQ(defaultIncreasedCases(*chosen, {1}), std::vector<int>{});
}

TEST(LoadCaseChoice, IncreasedCasesChangeOnlyTheAllowablePressures) {
  RecordingPrompter quiet;
  auto byDefault = std::make_unique<Project>(), same = std::make_unique<Project>(), all = std::make_unique<Project>();
  for (Project* p : {byDefault.get(), same.get(), all.get()}) {
    readListingText(*p, frame1Text(), "FRAME1.ANL", quiet);
    acceptDesignInputs(*p, "1.5", "200");
  }
  // The earthquake cases 2 to 5 by their titles; not case 6, dead load only.
  EXPECT_EQ(defaultIncreasedCases(*byDefault), (std::vector<int>{2, 3, 4, 5}));
  // The default rule given as a choice: the same design.
  ASSERT_EQ(applyLoadCaseChoice(*same, {}, std::vector<int>{2, 3, 4, 5}), "");
  EXPECT_EQ(designedRows(*same), designedRows(*byDefault));
  // Every case at 1.25 x SBC: case 1 is allowed 250, and no footing needs more than it did.
  ASSERT_EQ(applyLoadCaseChoice(*all, {}, std::vector<int>{1, 2, 3, 4, 5, 6}), "");
  EXPECT_EQ(all->allowable(1, 0), 250.0);
  designedRows(*all);
  for (int s = 1; s <= all->FootingCount; ++s) EXPECT_LE(all->FootingTable[s].ReqSize, byDefault->FootingTable[s].ReqSize);
  EXPECT_EQ(all->supportCount(), byDefault->supportCount());
  EXPECT_EQ(all->lastCasePosition(7), byDefault->lastCasePosition(7));
}

TEST(LoadCaseChoice, ListsAreReadAsEngineersWriteThemAndAChoiceThatCannotStandIsRefused) {
  using Ranges = std::vector<CaseRange>;
  std::string reason;
  EXPECT_EQ(parseCaseList("1,3-5,101", reason), (Ranges{{1, 1}, {3, 5}, {101, 101}}));
  // Sorted, repeats and touching ranges merged; never expanded, so that a long range costs nothing.
  EXPECT_EQ(parseCaseList(" 4 , 2-3 ,2", reason), (Ranges{{2, 4}}));
  std::string many;
  for (int k = 0; k < 200; ++k) many += (k ? "," : "") + std::string("1-999999");
  EXPECT_EQ(parseCaseList(many, reason), (Ranges{{1, 999999}}));
  for (const char* bad : {"", "1,", "5-3", "a", "1;2", "0", "1x", "-2", "1234567"}) {
    EXPECT_FALSE(parseCaseList(bad, reason)) << bad;
    EXPECT_NE(reason.find("is not a list of load cases"), std::string::npos);
  }
  EXPECT_FALSE(parseCaseList(std::string(kLongestCaseList + 1, '1'), reason));
  EXPECT_EQ(reason, "a list of load cases may hold at most 4096 characters, not 4097");
  EXPECT_EQ(caseListText({101, 1, 3, 4, 5, 7, 8}), "1,3-5,7,8,101");

  RecordingPrompter quiet;
  Project p;
  readListingText(p, frame1Text(), "FRAME1.ANL", quiet);
  // Ranges become the listing's cases in them; every number of a range must be a case of the listing.
  EXPECT_EQ(listingCasesIn(p, {{2, 4}, {6, 6}}, reason), (std::vector<int>{2, 3, 4, 6}));
  EXPECT_FALSE(listingCasesIn(p, {{1, 999999}}, reason));
  EXPECT_EQ(reason, "Load case 7 is not in the listing.");
  EXPECT_FALSE(listingCasesIn(p, {{1, 2}, {5, 9}}, reason));
  EXPECT_EQ(reason, "Load case 7 is not in the listing.");
  const float before = p.ReactionTable(1, 1, 2);
  EXPECT_EQ(applyLoadCaseChoice(p, {9}, std::nullopt), "Load case 9 is not in the listing.");
  EXPECT_EQ(applyLoadCaseChoice(p, {}, std::vector<int>{7}), "Load case 7 is not in the listing.");
  EXPECT_EQ(p.ReactionTable(1, 1, 2), before);  // nothing changed
  EXPECT_TRUE(p.UsedCases.empty());
}
