// Listings beyond the model's capacities are refused with a message naming the limit; absurd bytes
// are refused or read, never a crash or a hang.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "listing_builder.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

std::string repeat(int n, const std::function<std::string(int)>& piece) {
  std::string out;
  for (int i = 1; i <= n; ++i) out += piece(i);
  return out;
}

// Joint lines of n joints, four to an echo line.
std::vector<std::string> jointLines(int n, const std::function<std::string(int)>& joint) {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; i += 4) {
    std::string s;
    for (int k = i; k < i + 4 && k <= n; ++k) s += joint(k) + "; ";
    lines.push_back(s);
  }
  return lines;
}

}  // namespace

// The tables grow with the listing: beyond the old fixed sizes (500 supports, 36 cases, 300 coordinates
// on an axis, joint numbers of 16 bits) a listing reads whole; beyond the limits it is refused by name.
TEST(ListingLimits, ListingsGrowPastTheOldTablesAndTheLimitsAreRefusedByName) {
  {
    ListingBuilder b;
    b.joints = jointLines(501, [](int j) { return std::to_string(j) + " " + std::to_string(j) + " 0 " + std::to_string(j / 20); });
    b.reactions = repeat(501, [](int s) { return reactionRow(s, 1, 100 + s); });
    auto r = readText(b.text());
    ASSERT_FALSE(r->refused) << r->error;
    EXPECT_EQ(r->project->supportCount(), 501);
    EXPECT_EQ(r->project->ReactionTable(501, 0, 2), 601.0f);
    EXPECT_EQ(r->project->LevelX[0], 501.0f);  // 501 distinct X coordinates
    b.reactions = repeat(cap::kFootings + 1, [](int s) { return reactionRow(s, 1, 100); });
    EXPECT_EQ(readText(b.text())->error, "The listing has 30001 supports; at most 30000 can be designed.");
  }
  {
    ListingBuilder b;
    b.joints = {"7 0 0 0; 8 0 3 0"};
    b.reactions = reactionRow(7, 1, 100) + repeat(cap::kCasePositions, [](int c) { return reactionRow(0, c + 1, 100); });
    EXPECT_EQ(readText(b.text())->error, "Joint 7 has 2001 reaction lines; at most 2000 load cases can be designed.");
    b.reactions = reactionRow(7, 1, 100) + repeat(499, [](int c) { return reactionRow(0, c + 1, 100 + c); });
    auto r = readText(b.text());
    ASSERT_FALSE(r->refused) << r->error;
    EXPECT_EQ(r->project->lastCasePosition(1), 499);
    EXPECT_EQ(r->project->ReactionTable(1, 499, 2), 599.0f);
  }
  {
    ListingBuilder b;
    b.commands = {"BETA 90 MEMB 1 TO 2000001"};
    EXPECT_EQ(readText(b.text())->error,
              "The listing has 2000001 entries in its BETA 90 MEMB lists; at most 2000000 can be read.");
    b.commands = {"BETA 90 MEMB 1 TO 1000000000"};
    EXPECT_EQ(readText(b.text())->error,
              "The listing has 1000000000 entries in its BETA 90 MEMB lists; at most 2000000 can be read.");
    b.commands = {"BETA 90 MEMB 1 TO 12001"};
    EXPECT_EQ(readText(b.text())->project->RotatedMemberCount, 12001);
  }
  {
    ListingBuilder b;
    b.joints = {"1 0 0 0; 40000 0 3 0"};
    b.reactions = reactionRow(40000, 1, 100);
    auto r = readText(b.text());
    ASSERT_FALSE(r->refused) << r->error;
    EXPECT_EQ(r->project->JointTable[2][0], 40000);
    b.joints = {"1 0 0 0; 10000000 0 0 0"};
    b.reactions = reactionRow(1, 1, 100);
    EXPECT_EQ(readText(b.text())->error, "Joint number 10000000 is too large; joint numbers up to 9999999 can be read.");
  }
}

TEST(ListingLimits, NumbersThatDoNotFitTheirTableAreRefused) {
  ListingBuilder b;
  b.joints = {"1 0 1E+400 0"};
  EXPECT_EQ(readText(b.text())->error, "Line 4 of the listing holds a number that cannot be read: 1E+400.");
  b.joints = {"1 0 3000000 0"};  // 3000 km in millimetres does not fit 32 bits
  EXPECT_EQ(readText(b.text())->error, "Line 4 of the listing holds a number that cannot be read: 3000000.");
  ListingBuilder r;
  r.reactions = "      1    1      0.00 " + std::string(400, '9') + "\n";
  EXPECT_NE(readText(r.text())->error.find("holds a number that cannot be read: 9999999999"), std::string::npos);
  ListingBuilder g;
  g.design = {"START CONCRETE DESIGN", "FYMAIN 415", "FC " + std::string(400, '9')};
  EXPECT_EQ(readText(g.text())->error, "The concrete grade FC 1.797693E+308 of the listing cannot be read.");
}

TEST(ListingLimits, AbsurdBytesAreRefusedOrReadNeverACrash) {
  std::ifstream in(std::string(PLINTOVA_EXAMPLES) + "/FRAME1.ANL", std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string frame = ss.str();
  std::vector<std::string> inputs = {"", "\n", "\r\n\r\n", std::string(1, '\0'), "UNIT", "    1. UNIT METER KN",
                                     "    1. UNIT METER KN\n    2. JOINT COORDINATES",
                                     "    1. UNIT METER KN\n    2. JOINT COORDINATES\n    3. MEMBER INCIDENCES"};
  // The listing cut anywhere.
  for (std::size_t cut = 0; cut < frame.size(); cut += frame.size() / 150) inputs.push_back(frame.substr(0, cut));
  // A line of a megabyte in each section, and numbers of 400 digits.
  ListingBuilder b;
  b.joints.push_back(std::string(1 << 20, '7'));
  inputs.push_back(b.text());
  b = {};
  b.reactions += "      9" + repeat(200000, [](int) { return " 1.5"; }) + "\n";
  inputs.push_back(b.text());
  b = {};
  b.commands = {"BETA 90 MEMB " + std::string(400, '3') + " TO " + std::string(400, '4')};
  inputs.push_back(b.text());
  // Long lines of numbers without blanks: each number must cost its own length, not the line's.
  b = {};
  b.joints.push_back(repeat(400000, [](int) { return "1;"; }));
  b.reactions += "      1    1" + repeat(400000, [](int) { return "1-"; }) + "\n";
  b.commands = {"BETA 90 MEMB 1 " + repeat(80000, [](int) { return "BETA 90 MEMB"; })};
  inputs.push_back(b.text());
  // Random bytes, and the listing with random bytes changed.
  std::mt19937 rng(7);
  for (int i = 0; i < 20; ++i) {
    std::string noise(4096, '\0');
    for (char& c : noise) c = static_cast<char>(rng());
    inputs.push_back(noise);
    std::string damaged = frame.substr(0, 60000);
    for (int k = 0; k < 200; ++k) damaged[rng() % damaged.size()] = static_cast<char>(rng());
    inputs.push_back(damaged);
  }
  for (const auto& text : inputs) {
    auto r = readText(text);  // throws nothing but ListingError, which readText catches
    if (!r->refused) {
      EXPECT_GE(r->project->supportCount(), 1);
    }
  }
}
