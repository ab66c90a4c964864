// The load cases of the listing: titles, load types and combinations, and which of them take the
// increased allowable pressure.
#include <gtest/gtest.h>

#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "input/load_titles.h"
#include "model/load_cases.h"

using namespace plintova;

TEST(LoadCases, WindAndEarthquakeAreNamedByWholeWordsOfTheTitleOrType) {
  const struct {
    const char* text;
    bool named;
  } cases[] = {{"DL + LL + EQX", true},  {"WIND LOAD", true},     {"Seismic-H", true},   {"1.5(DL+WLZ)", true},
               {"EL2", true},            {"eq", true},            {"WL_2", true},        {"EARTHQUAKE IN Z", true},
               {"DEAD LOAD ONLY", false}, {"EQUIPMENT", false},   {"ELEVATOR", false},   {"EQXZ", false},
               {"WINDOW", false},        {"SNOW", false},         {"", false}};
  for (const auto& c : cases) EXPECT_EQ(namesWindOrEarthquake(c.text), c.named) << c.text;
  std::string word;
  ASSERT_TRUE(namesWindOrEarthquake("1.2 (DL + WLX)", &word));
  EXPECT_EQ(word, "WLX");
}

// Echoed commands as a listing prints them, with a page header between a combination and its pairs.
TEST(LoadCases, TitlesTypesAndCombinationsAreReadFromTheEcho) {
  const std::string text =
      "   10. LOAD 1 LOADTYPE DEAD  TITLE DL\n"
      "   11. SELFWEIGHT Y -1\n"
      "   12. LOAD 2 LOADTYPE WIND  TITLE WX\n"
      "   13. JOINT LOAD\n"
      "   14. 5 FX 10\n"
      "   15. LOAD 3 LIVE ON FLOORS\n"
      "   16. LOAD COMB 4 1.5 (DL + LL)\n"
      "   17. 1 1.5 3 1.5\n"
      "   18. LOAD COMBINATION 5 DL AND LATERAL\n"
      "   19. 1 0.9\n"
      "  PIPE RACK                                        -- PAGE NO.    2\n"
      "\n"
      "   20. 2 1.5\n"
      "   21. LOAD 6 TITLE REPEATED\n"
      "   22. REPEAT LOAD 1 1.2 2 1.2\n"
      "   23. LOAD 7\n"
      "   24. REPEAT LOAD\n"
      "   25. 3 1.0\n"
      // Another command ends a case's number lines: the pair after it belongs to no case.
      "   26. PRINT SUPPORT REACTION\n"
      "   27. 4 2.0\n"
      "   28. PERFORM PDELTA ANALYSIS\n"
      "   27. LOAD LIST 1 TO 7\n";
  Project p;
  readLoadCases(p, text);
  ASSERT_EQ(p.LoadCases.size(), 7u);
  EXPECT_EQ(p.LoadCases[0], (LoadCaseDef{1, "DL", "DEAD", false, {}}));
  EXPECT_EQ(p.LoadCases[2], (LoadCaseDef{3, "LIVE ON FLOORS", "", false, {}}));
  EXPECT_EQ(p.LoadCases[3], (LoadCaseDef{4, "1.5 (DL + LL)", "", true, {{1, 1.5}, {3, 1.5}}}));
  EXPECT_EQ(p.LoadCases[4].parts, (std::vector<CaseFactor>{{1, 0.9}, {2, 1.5}}));
  EXPECT_EQ(p.LoadCases[5].parts, (std::vector<CaseFactor>{{1, 1.2}, {2, 1.2}}));
  EXPECT_EQ(p.LoadCases[6].parts, (std::vector<CaseFactor>{{3, 1.0}}));
  EXPECT_EQ(p.NonlinearAnalysis, "PDELTA");
  const std::vector<std::string> why = {"", "load type WIND", "", "", "combination with case 2", "repeats case 2", ""};
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(windOrEarthquakeReason(p.LoadCases, n), why[n - 1]) << n;
  EXPECT_EQ(windOrEarthquakeCases(p.LoadCases, {7, 6, 5, 4, 3, 2, 1}), (std::vector<int>{2, 5, 6}));
}

// FRAME1 titles its cases: the earthquake cases 2 to 5 take 1.25 x SBC, case 6 (DEAD LOAD ONLY) SBC,
// although it is a later case at every support. A listing that names no title or type keeps the rule of
// every case after a support's first.
TEST(LoadCases, FrameOneIncreasesItsEarthquakeCasesAndAListingWithoutTitlesEveryLaterCase) {
  RecordingPrompter prompter;
  Project frame;
  readListing(frame, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(frame, "1.5", "200"));
  EXPECT_EQ(frame.increaseRule, IncreaseRule::WindOrEarthquake);
  EXPECT_EQ(frame.IncreasedCases, (std::vector<int>{2, 3, 4, 5}));
  const double frameAllowed[] = {200, 250, 250, 250, 250, 200};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(frame.allowable(1, c), frameAllowed[c]) << c;

  Project small;
  readListing(small, PLINTOVA_TEST_DATA "/small_2x2.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(small, "1.5", "200"));
  EXPECT_EQ(small.increaseRule, IncreaseRule::LaterCases);
  EXPECT_EQ(defaultIncreasedCases(small), (std::vector<int>{2, 3}));
  const double smallAllowed[] = {200, 250, 250};
  for (int c = 0; c < 3; ++c) EXPECT_EQ(small.allowable(1, c), smallAllowed[c]) << c;
  // The SBC increase option sets the increased pressure.
  small.decisions.options.sbcIncrease = 1.5;
  setIncreasedSbc(small);
  EXPECT_EQ(small.allowable(1, 1), 300.0);
}
