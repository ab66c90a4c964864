// Units of a listing: the length of its UNIT command, the force and length of its reaction table, and
// one frame printed in other units read to the same model.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "listing_builder.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

// The joint at Y = 3 listing units, read in whole millimetres.
int heightOfJoint2(const std::string& listing) {
  auto r = readText(listing);
  EXPECT_FALSE(r->refused) << r->error;
  return r->refused ? -1 : r->project->JointTable[2][2];
}

}  // namespace

TEST(ListingUnits, TheFirstUnitCommandNamingALengthGivesTheCoordinates) {
  const std::pair<const char*, int> commands[] = {
      {"METER KN", 3000}, {"KN METER", 3000}, {"METRES KNS", 3000}, {"meter kn", 3000}, {"MMS KN", 3},
      {"KNS MMS", 3},     {"MM NEWTON", 3},   {"CM KG", 30},          {"FEET KIP", 914},  {"KIP FT", 914},
      {"INCHES POUND", 76}, {"POUND IN", 76}, {"MTON METER;", 3000}};
  for (const auto& [command, y] : commands) {
    ListingBuilder b;
    b.unit = command;
    EXPECT_EQ(heightOfJoint2(b.text()), y) << command;
  }
  // A command naming only a force leaves the length to the next; a later length does not count.
  ListingBuilder b;
  b.unit = "MMS KN";
  b.commands = {"UNIT METER KN"};
  EXPECT_EQ(heightOfJoint2("    1. UNIT KN\n" + b.text()), 3);
  // The joints are searched from the first UNIT command, also when the length is named after them
  // (here by the design's "UNIT MMS NEWTON").
  b = ListingBuilder{};
  b.unit = "KN";
  EXPECT_EQ(heightOfJoint2(b.text()), 3);

  // A length word not known here is refused, and so are UNIT commands that never name a length.
  for (const char* command : {"DME KN", "KN YARD", "WEIGHT"}) {
    b = ListingBuilder{};
    b.unit = command;
    EXPECT_EQ(readText(b.text())->error, " Units Should be Meter or mm ") << command;
  }
  b = ListingBuilder{};
  b.unit = "KN";
  b.design = {"START CONCRETE DESIGN", "FYMAIN 415 ALL", "FC 25 ALL"};
  EXPECT_EQ(readText(b.text())->error, " Units Should be Meter or mm ");
}

TEST(ListingUnits, ReactionsAreConvertedFromTheUnitsOfTheirHeading) {
  struct Case {
    const char* units;
    double fy, mx, mz;           // as printed
    double fyKn, mxKnm, mzKnm;   // worked out by hand
  };
  const Case cases[] = {
      {"KN   METE", 500.37, -12.5, 3.25, 500.37, -12.5, 3.25},
      // -120061.42 fills its field and touches the FORCE-Z before it.
      {"KN   MMS ", 7866.85, -120061.42, 2500, 7866.85, -120.06142, 2.5},
      {"KNS  MMS ", 500, 1234.5, -0.5, 500, 1.2345, -0.0005},
      {"NEWT MMS ", 500000, -25000000, 0, 500, -25, 0},
      {"KIP  FEET", 100, 10, -2, 444.82216, 13.5581794368, -2.71163588736},
      {"POUN INCH", 1000, 1200, 0, 4.4482216, 0.135581794368, 0},
      {"MTON METE", 50, 3, -1, 490.3325, 29.41995, -9.80665},
      {"KG   CMS ", 20000, 500000, 0, 196.133, 49.03325, 0},
  };
  for (const Case& c : cases) {
    ListingBuilder b;
    b.reactionUnits = c.units;
    b.reactions = reactionRow(1, 1, c.fy, c.mx, c.mz) + reactionRow(0, 2, c.fy, c.mz, c.mx);
    auto r = readText(b.text());
    ASSERT_FALSE(r->refused) << c.units << ": " << r->error;
    const Project& p = *r->project;
    EXPECT_EQ(p.ReactionTable(1, 1, 1), 2.0f) << c.units;  // the load case number is not a force
    EXPECT_FLOAT_EQ(p.ReactionTable(1, 0, 2).value(), static_cast<float>(c.fyKn)) << c.units;
    EXPECT_FLOAT_EQ(p.ReactionTable(1, 0, 3).value(), static_cast<float>(c.mxKnm)) << c.units;
    EXPECT_FLOAT_EQ(p.ReactionTable(1, 0, 4).value(), static_cast<float>(c.mzKnm)) << c.units;
    EXPECT_FLOAT_EQ(p.ReactionTable(1, 1, 3).value(), static_cast<float>(c.mzKnm)) << c.units;
  }
  // As printed in kN and metres: the caption says so and nothing is converted.
  auto metres = readText(ListingBuilder{}.text());
  EXPECT_EQ(metres->summary.unitsCaption, "Reactions in KN METE, in kN, kN·m");
  auto old = readFile(testData("reactions_in_other_units.ANL"));
  ASSERT_FALSE(old->refused) << old->error;
  EXPECT_EQ(old->summary.unitsCaption, "Reactions in KIP FEET, converted to kN, kN·m");
  EXPECT_FLOAT_EQ(old->project->ReactionTable(1, 0, 2).value(), 3780.98836f);
  EXPECT_FLOAT_EQ(old->project->ReactionTable(1, 0, 3).value(), 16.947724296f);
  EXPECT_FLOAT_EQ(old->project->ReactionTable(1, 0, 4).value(), -11.8634070072f);
}

TEST(ListingUnits, TheTableReadIsTheFirstInKnAndMetresElseTheFirstInKnownUnits) {
  auto firstFy = [](const char* units1, const char* units2) {
    ListingBuilder b;
    b.reactionUnits = units1;
    b.reactions = reactionRow(1, 1, 100);
    b.laterTables = reactionTable(units2, reactionRow(1, 1, 700));
    auto r = readText(b.text());
    return r->refused ? r->error : numberText(r->project->ReactionTable(1, 0, 2)) + " " + r->summary.unitsCaption;
  };
  EXPECT_EQ(firstFy("KIP  FEET", "KN   METE"), "700 Reactions in KN METE, in kN, kN·m");
  EXPECT_EQ(firstFy("KN   MMS ", "KIP  FEET"), "100 Reactions in KN MMS, converted to kN, kN·m");
  EXPECT_EQ(firstFy("DNS  METE", "KNS  MMS "), "700 Reactions in KNS MMS, converted to kN, kN·m");
  // Units not known: the message says how the heading gives them.
  for (const std::string unknown : {"DNS  METE", "KN   KM  ", "KN       ", "MMS  KN  "})
    EXPECT_EQ(firstFy(unknown.c_str(), unknown.c_str()),
              " NO SUPPORT REACTIONS  (or) Units differ \nThe listing TEST.ANL cannot be used: its reaction table gives "
              "its units as \"" + unknown.substr(0, unknown.find_last_not_of(' ') + 1) +
                  "\", which are not a force and a length unit the program knows (such as KN METE, KNS MMS or KIP "
                  "FEET).") << unknown;
}

TEST(ListingUnits, TheExampleFrameInMillimetresReadsAsInMetres) {
  auto metres = readFile(std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL");
  ASSERT_FALSE(metres->refused) << metres->error;
  const Project& m = *metres->project;
  EXPECT_EQ(metres->summary.unitsCaption, "Reactions in KN METE, in kN, kN·m");
  // Every value in kN mm divides to exactly the value in kN m: the same model to the last bit, and
  // a project saved from one listing finds the same reactions in the other.
  for (const char* name : {"frame1_kn_mms.ANL", "frame1_kns_mms_24_cases.ANL"}) {
    auto mm = readFile(testData(name));
    ASSERT_FALSE(mm->refused) << name << ": " << mm->error;
    const Project& p = *mm->project;
    ASSERT_EQ(p.JointCount, m.JointCount) << name;
    for (int j = 1; j <= m.JointCount; ++j)
      for (int k = 0; k < 4; ++k) ASSERT_EQ(p.JointTable[j][k], m.JointTable[j][k]) << name << " joint " << j;
    ASSERT_EQ(p.supportCount(), 40) << name;
    EXPECT_EQ(p.ColumnSectionCount, m.ColumnSectionCount);
    for (int s = 1; s <= 40; ++s)
      for (int c = 0; c < 6; ++c)
        for (int k = 1; k <= 4; ++k) ASSERT_EQ(p.ReactionTable(s, c, k), m.ReactionTable(s, c, k)) << name;
  }
  auto mm = readFile(testData("frame1_kn_mms.ANL"));
  EXPECT_EQ(mm->summary.unitsCaption, "Reactions in KN MMS, converted to kN, kN·m");
  EXPECT_EQ(mm->project->SupportPrints, m.SupportPrints);

  // 24 cases of which 18 are combinations; factored moments run into the field before them.
  auto cases = readFile(testData("frame1_kns_mms_24_cases.ANL"));
  const Project& p = *cases->project;
  EXPECT_EQ(cases->summary.loadCasesCaption, "LOAD CASES :   24");
  EXPECT_EQ(cases->summary.unitsCaption, "Reactions in KNS MMS, converted to kN, kN·m");
  for (int s = 1; s <= 40; ++s) EXPECT_EQ(p.lastCasePosition(s), 23) << s;
  EXPECT_EQ(p.ReactionTable(1, 20, 1), 21.0f);                 // "21 56.54 798.74 -5.01 -15045.00 -18.75-114181.88"
  EXPECT_EQ(p.ReactionTable(1, 20, 2), 798.74f);
  EXPECT_FLOAT_EQ(p.ReactionTable(1, 20, 4).value(), -114.18188f);
  EXPECT_FLOAT_EQ(p.ReactionTable(1, 21, 3).value(), -106.49812f);  // "56.14-106498.12"
}

TEST(ListingUnits, TheExampleFrameInFeetAndKipsReadsAsInMetresToItsPrintedPrecision) {
  auto metres = readFile(std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL");
  auto feet = readFile(testData("frame1_kip_feet.ANL"));
  ASSERT_FALSE(feet->refused) << feet->error;
  const Project &m = *metres->project, &p = *feet->project;
  EXPECT_EQ(feet->summary.unitsCaption, "Reactions in KIP FEET, converted to kN, kN·m");
  ASSERT_EQ(p.JointCount, m.JointCount);
  for (int j = 1; j <= m.JointCount; ++j)
    for (int k = 0; k < 4; ++k) ASSERT_EQ(p.JointTable[j][k], m.JointTable[j][k]) << "joint " << j;
  // Values printed to 1e-5 kip or kip ft: within 2.5e-5 kN or kN m and two units of single precision.
  ASSERT_EQ(p.supportCount(), 40);
  for (int s = 1; s <= 40; ++s)
    for (int c = 0; c < 6; ++c) {
      EXPECT_EQ(p.ReactionTable(s, c, 1), m.ReactionTable(s, c, 1));
      for (int k = 2; k <= 4; ++k) {
        const double want = m.ReactionTable(s, c, k);
        EXPECT_NEAR(p.ReactionTable(s, c, k), want, 2.5e-5 + 2.4e-7 * std::fabs(want)) << s << " " << c << " " << k;
      }
    }
}
