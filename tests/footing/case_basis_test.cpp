// Roles of load cases, combinations built from primary cases, and the cases the soil checks and the
// design take.
#include "footing/case_basis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/load_combinations.h"
#include "../input/listing_builder.h"
#include "input/listing_reader.h"
#include "model/prompter.h"
#include "project/schedule_design.h"

namespace plintova {
namespace {

using testing::ListingBuilder;
using testing::reactionRow;

struct CaseRun {
  std::unique_ptr<Project> p = std::make_unique<Project>();
  RecordingPrompter prompter;
  std::string refusal;
};

// Reads a listing (a file of tests/data or listing text), applies the roles and combinations, sizes and
// designs for SBC 200 kN/m2 at 1.5 m.
std::unique_ptr<CaseRun> design(const std::string& listing, CaseBasisChoice choice = {}, bool fromText = false) {
  auto r = std::make_unique<CaseRun>();
  if (fromText) readListingText(*r->p, listing, "TEST.ANL", r->prompter);
  else readListing(*r->p, listing.front() == '/' ? listing : std::string(PLINTOVA_TEST_DATA "/") + listing, r->prompter);
  EXPECT_TRUE(acceptDesignInputs(*r->p, "1.5", "200"));
  std::vector<std::string> notes;
  r->refusal = applyCaseBasis(*r->p, choice, notes);
  for (const std::string& n : notes) r->prompter.message(n);
  if (!r->refusal.empty()) return r;
  EXPECT_EQ(startPlan(*r->p, r->prompter), "");
  EXPECT_TRUE(designSchedule(*r->p, r->prompter));
  return r;
}

int positionOf(const Project& p, int s, int n) {
  for (int c = 0; c <= p.lastCasePosition(s); ++c)
    if (static_cast<int>(p.ReactionTable(s, c, 1)) == n) return c;
  return -1;
}

TEST(CaseRoles, SuggestedFromTypeFactorsAndATitleOfTheClosedList) {
  const std::vector<LoadCaseDef> listing = {
      {1, "SELF WEIGHT", "DEAD", false, {}},
      {2, "FLOOR", "LIVE", false, {}},
      {3, "WIND +X", "WIND", false, {}},
      {4, "EQ X", "SEISMIC-H", false, {}},
      {5, "SNOW", "SNOW", false, {}},
      {6, "DEAD LOAD ONLY", "NONE", false, {}},     // a title never makes a primary load
      {7, "ULS_A", "", false, {}},
      {8, "OPERATING LOAD", "", false, {}},
      {9, "1.5 (DL + LL)", "", false, {}},
      {10, "1.2*DL + 1.2*LL", "", false, {}},
      {11, "11.5 (BAY)", "", false, {}},            // 11.5 is no load factor
      {12, "SLS DL + LL", "", false, {}},
      {13, "DL + LL", "", true, {{1, 1.0}, {2, 1.0}}},
      {14, "0.9 DL + WL", "", true, {{1, 0.9}, {3, 1.0}}},  // dead load not at 1.0
      {15, "DL + 1.5 EQ", "", true, {{1, 1.0}, {4, 1.5}}},
      {16, "REPEAT", "", false, {{1, 1.0}, {3, -1.0}}},
  };
  const CaseRole expected[] = {CaseRole::Dead,    CaseRole::Imposed,  CaseRole::Wind,     CaseRole::Earthquake,
                               CaseRole::Other,   CaseRole::Service,  CaseRole::Factored, CaseRole::Service,
                               CaseRole::Factored, CaseRole::Factored, CaseRole::Service,  CaseRole::Service,
                               CaseRole::Service, CaseRole::Factored, CaseRole::Factored, CaseRole::Service};
  for (std::size_t k = 0; k < listing.size(); ++k)
    EXPECT_EQ(suggestedRole(listing, listing[k].number), expected[k]) << "case " << listing[k].number;
  EXPECT_EQ(suggestedRole(listing, 99), CaseRole::Service) << "a case the listing does not define";
}

TEST(CaseRoles, RolesAsTheEngineerWritesThem) {
  std::string reason;
  const auto roles = parseRoles("1:dead,2:imposed,3-6:earthquake,101-110:service", reason);
  ASSERT_TRUE(roles) << reason;
  ASSERT_EQ(roles->size(), 4u);
  EXPECT_EQ((*roles)[2].first, 3);
  EXPECT_EQ((*roles)[2].last, 6);
  EXPECT_EQ((*roles)[2].role, CaseRole::Earthquake);
  for (const char* bad : {"1:deadish", "1-:dead", "dead", "1:dead,", "2-1:wind"}) {
    EXPECT_FALSE(parseRoles(bad, reason)) << bad;
    EXPECT_FALSE(reason.empty());
  }
}

// The primary cases 1 DL, 2 LL, 3 WL X, 4 EQ X of tests/data/primary_cases.ANL give 9 service and 13
// factored combinations, numbered from 101, with the reactions added up support by support.
TEST(LoadCombinations, BuiltFromThePrimaryCases) {
  auto r = design("primary_cases.ANL");
  const Project& p = *r->p;
  ASSERT_EQ(p.Combinations.size(), 22u);
  EXPECT_EQ(p.Combinations[0].title, "DL + IL");
  EXPECT_EQ(p.Combinations[12].number, 113);
  EXPECT_EQ(p.Combinations[12].title, "1.2 (DL + IL + EQX)");
  EXPECT_EQ(p.Combinations[12].role, CaseRole::Factored);
  EXPECT_EQ(p.Combinations[21].title, "0.9 DL - 1.5 EQX");
  // Joint 1 by hand (DL, LL, EQX: FY 310.5, 118.3, -34.2; MZ -2.1, -0.7, 46.8; FX 1.2, 0.4, -21.5):
  //   108 DL + IL + EQX:       FY = 310.5 + 118.3 - 34.2 = 394.6
  //   113 1.2 (DL + IL + EQX): FY = 1.2 x 394.6 = 473.52, MZ = 1.2 x 44 = 52.8, FX = 1.2 x -19.9 = -23.88
  //   122 0.9 DL - 1.5 EQX:    FY = 279.45 + 51.3 = 330.75
  EXPECT_FLOAT_EQ(p.ReactionTable(1, positionOf(p, 1, 108), 2), 394.6f);
  EXPECT_FLOAT_EQ(p.ReactionTable(1, positionOf(p, 1, 113), 2), 473.52f);
  EXPECT_FLOAT_EQ(p.ReactionTable(1, positionOf(p, 1, 113), 4), 52.8f);
  EXPECT_FLOAT_EQ(p.ReactionTable(1, positionOf(p, 1, 113), kReactionFX), -23.88f);
  EXPECT_FLOAT_EQ(p.ReactionTable(1, positionOf(p, 1, 122), 2), 330.75f);
  // The soil takes the service combinations, the design the factored ones as read; the primary cases
  // neither. The wind and earthquake combinations take the increased SBC.
  const std::vector<CaseUse> soil = soilCases(p, 1), concrete = designCases(p, 1);
  ASSERT_EQ(soil.size(), 9u);
  ASSERT_EQ(concrete.size(), 13u);
  EXPECT_EQ(soil.front().loadCase, 101);
  EXPECT_EQ(concrete.front().loadCase, 110);
  for (const CaseUse& u : concrete) EXPECT_EQ(u.factor, 1.0) << "factored case " << u.loadCase;
  EXPECT_EQ(p.allowable(1, positionOf(p, 1, 101)), 200);
  EXPECT_EQ(p.allowable(1, positionOf(p, 1, 108)), 250);
  EXPECT_TRUE(basisWarnings(p).empty());
}

// The same frame whose reaction table holds those combinations as cases (tests/data/combined_cases.ANL,
// written by make_primary_cases.py) gives the same footings and the same schedule.
TEST(LoadCombinations, FootingsAsFromTheSameCombinationsInTheListing) {
  auto built = design("primary_cases.ANL"), read = design("combined_cases.ANL");
  const Project &a = *built->p, &b = *read->p;
  EXPECT_TRUE(b.Combinations.empty());
  for (const Combination& c : a.Combinations) {
    const LoadCaseDef* def = findLoadCase(b.LoadCases, c.number);
    ASSERT_TRUE(def) << c.number;
    EXPECT_EQ(def->title, c.title);
    EXPECT_EQ(roleOf(b, c.number), c.role) << c.number;
    for (int s = 1; s <= 4; ++s)
      for (int k = 2; k <= kReactionFZ; ++k)
        EXPECT_FLOAT_EQ(a.ReactionTable(s, positionOf(a, s, c.number), k), b.ReactionTable(s, positionOf(b, s, c.number), k));
  }
  ASSERT_EQ(a.FootingCount, b.FootingCount);
  for (int s = 1; s <= a.FootingCount; ++s) {
    EXPECT_EQ(a.FootingTable[s].ReqSize, b.FootingTable[s].ReqSize) << s;
    EXPECT_EQ(a.FootingTable[s].SizeL, b.FootingTable[s].SizeL) << s;
  }
  ASSERT_EQ(a.DesignGroupCount, b.DesignGroupCount);
  ASSERT_GT(a.DesignGroupCount, 0);
  for (int r = 1; r <= a.DesignGroupCount; ++r) {
    const SizeGroupRecord &x = a.DesignGroupTable[r], &y = b.DesignGroupTable[r];
    EXPECT_EQ(x.GroupSize, y.GroupSize);
    EXPECT_EQ(x.TotalDepth, y.TotalDepth);
    EXPECT_EQ(x.NetPressure, y.NetPressure);
    EXPECT_EQ(x.LoadFactor, 1.0);
    EXPECT_EQ(x.design.Mu, y.design.Mu);
    EXPECT_EQ(x.design.n, y.design.n);
    EXPECT_EQ(x.checks, y.checks);
  }
}

// A listing of one support whose only case is a factored combination 1.5 DL (FY 600): the design takes
// it as read (Mu from q = 600/B^2 x 1) and the soil 600/1.5 = 400 kN, with a warning. The same support
// with a service case of FY 400 (designed at 1.5 x 400 = 600) gives the same footing: the factored case is
// not multiplied again.
TEST(CaseBasis, AFactoredCaseIsNotFactoredAgain) {
  ListingBuilder factored;
  factored.commands = {"LOAD 1 LOADTYPE DEAD TITLE DL", "LOAD COMB 2 1.5 DL", "1 1.5"};
  factored.reactions = reactionRow(1, 2, 600, 12, 9);
  ListingBuilder service;
  service.reactions = reactionRow(1, 1, 400, 8, 6);
  auto f = design(factored.text(), {}, true), s = design(service.text(), {}, true);
  ASSERT_EQ(f->p->DesignGroupCount, 1);
  ASSERT_EQ(s->p->DesignGroupCount, 1);
  EXPECT_EQ(designCases(*f->p, 1).front().factor, 1.0);
  EXPECT_NEAR(soilCases(*f->p, 1).front().factor, 1 / 1.5, 1e-15);
  EXPECT_EQ(designCases(*s->p, 1).front().factor, 1.5);
  EXPECT_EQ(f->p->FootingTable[1].ReqSize, s->p->FootingTable[1].ReqSize);
  const SizeGroupRecord &x = f->p->DesignGroupTable[1], &y = s->p->DesignGroupTable[1];
  EXPECT_EQ(x.LoadFactor, 1.0);
  EXPECT_EQ(y.LoadFactor, 1.5);
  // Equal but for the rounding of q to a whole kN/m2 before (service) or after (factored) the factor;
  // factored again it would be 1.5 times larger.
  EXPECT_NEAR(x.design.Mu, y.design.Mu, 0.01 * y.design.Mu);
  const std::vector<std::string> doubts = basisWarnings(*f->p);
  ASSERT_EQ(doubts.size(), 1u);
  EXPECT_NE(doubts.front().find("No service case"), std::string::npos);
}

// Without a factored case the design takes each service case x 1.5, or x 1.2 where it includes wind or
// earthquake together with imposed load (IS 456 Table 18).
TEST(CaseBasis, ServiceCasesTakeTheFactorOfTheirContent) {
  auto r = std::make_unique<CaseRun>();
  readListing(*r->p, PLINTOVA_TEST_DATA "/primary_cases.ANL", r->prompter);
  ASSERT_TRUE(acceptDesignInputs(*r->p, "1.5", "200"));
  const std::vector<Combination> given = {{101, "DL + IL", CaseRole::Service, {{1, 1}, {2, 1}}},
                                          {102, "DL + WL", CaseRole::Service, {{1, 1}, {3, 1}}},
                                          {103, "DL + IL - EQ", CaseRole::Service, {{1, 1}, {2, 1}, {4, -1}}}};
  std::vector<std::string> notes;
  ASSERT_EQ(applyCaseBasis(*r->p, {{}, given, false}, notes), "");
  EXPECT_EQ(factorsOf(*r->p, 101), (CaseFactors{1.0, 1.5}));
  EXPECT_EQ(factorsOf(*r->p, 102), (CaseFactors{1.0, 1.5}));
  EXPECT_EQ(factorsOf(*r->p, 103), (CaseFactors{1.0, 1.2}));
  EXPECT_EQ(factorsOf(*r->p, 1), (CaseFactors{}));
  EXPECT_EQ(r->p->allowable(1, positionOf(*r->p, 1, 103)), 250) << "an earthquake combination by its content";
}

TEST(CaseBasis, DoubtsAndRefusals) {
  // Primary cases only, not built (a P-delta analysis): each alone, as before, with a warning.
  ListingBuilder pdelta;
  pdelta.commands = {"LOAD 1 LOADTYPE DEAD TITLE DL", "LOAD 2 LOADTYPE LIVE TITLE LL", "PDELTA ANALYSIS"};
  pdelta.reactions = reactionRow(1, 1, 300) + reactionRow(0, 2, 100);
  auto r = design(pdelta.text(), {}, true);
  EXPECT_TRUE(r->p->Combinations.empty());
  EXPECT_EQ(factorsOf(*r->p, 1), (CaseFactors{1.0, 1.5}));
  EXPECT_TRUE(std::any_of(r->prompter.calls.begin(), r->prompter.calls.end(),
                          [](const auto& call) { return call.text.find("PDELTA") != std::string::npos; }));
  EXPECT_NE(basisWarnings(*r->p).front().find("primary loads only"), std::string::npos);
  // Asked for, they are built.
  auto insisted = design(pdelta.text(), {{}, std::nullopt, true}, true);
  EXPECT_EQ(insisted->p->Combinations.size(), 2u) << "DL + IL and 1.5 (DL + IL)";

  // A case used on its own and inside a combination in use.
  auto twice = design("primary_cases.ANL", {{{1, CaseRole::Service}}, std::vector<Combination>{{101, "DL + IL", CaseRole::Service, {{1, 1}, {2, 1}}}}, false});
  bool warned = false;
  for (const std::string& d : basisWarnings(*twice->p)) warned = warned || d.find("Load case 1 is used on its own") == 0;
  EXPECT_TRUE(warned);

  // More cases than a support holds: refused, naming the limit.
  std::vector<Combination> many;
  for (int n = 101; n <= 100 + kMostCasesPerSupport; ++n) many.push_back({n, "", CaseRole::Service, {{1, 1}}});
  auto full = design("primary_cases.ANL", {{}, many, false});
  EXPECT_NE(full->refusal.find("at most " + std::to_string(kMostCasesPerSupport)), std::string::npos) << full->refusal;
  // A combination of a case the listing does not hold, and a role for one.
  auto unknown = design("primary_cases.ANL", {{}, std::vector<Combination>{{101, "", CaseRole::Service, {{7, 1}}}}, false});
  EXPECT_NE(unknown->refusal.find("load case 7"), std::string::npos) << unknown->refusal;
  auto role = design("primary_cases.ANL", {{{7, CaseRole::Dead}}, std::nullopt, false});
  EXPECT_EQ(role->refusal, "Load case 7 is not in the listing.");
}

// A listing whose cases are service combinations with no roles (FRAME1) designs as before: every case
// for the soil as read and for the design x 1.5, nothing built, nothing doubtful.
TEST(CaseBasis, ServiceCombinationsAsBefore) {
  auto r = design(PLINTOVA_EXAMPLES "/FRAME1.ANL");
  const Project& p = *r->p;
  EXPECT_TRUE(p.Combinations.empty());
  EXPECT_TRUE(basisWarnings(p).empty());
  for (int s = 1; s <= p.FootingCount; ++s) {
    ASSERT_EQ(soilCases(p, s).size(), static_cast<std::size_t>(p.lastCasePosition(s) + 1));
    for (const CaseUse& u : designCases(p, s)) EXPECT_EQ(u.factor, 1.5);
  }
  for (int g = 1; g <= p.DesignGroupCount; ++g) EXPECT_EQ(p.DesignGroupTable[g].LoadFactor, 1.5);
}

}  // namespace
}  // namespace plintova
