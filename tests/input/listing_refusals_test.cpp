// Listings that would give a silent wrong result are refused with a message that names the file and
// what was expected: a support without coordinates, a reaction table cut short, a file that is no
// listing, units that cannot be read. Line ends converted twice read as the listing itself.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "input/table_import.h"
#include "listing_builder.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

const std::string& frame1() {
  static const std::string text = fileText(PLINTOVA_EXAMPLES "/FRAME1.ANL");
  return text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// FRAME1 cut `column` characters into reaction line `line` (0 the first) of joint 17, whose lines read
//      17    1      2.32    839.27      2.74      8.22      0.00     -6.95
//            2    -29.31    750.12      2.74      8.22      0.01     37.72
//            3     33.95    928.43      2.74      8.22     -0.01    -51.62
std::string frame1CutAtJoint17(int line, std::size_t column) {
  std::size_t at = frame1().find("\n     17    1") + 1;
  for (int k = 0; k < line; ++k) at = frame1().find('\n', at) + 1;
  return frame1().substr(0, at + column);
}

}  // namespace

TEST(ListingRefusals, AListingThatWouldGiveAWrongPlanIsRefusedNamingFileAndExpectation) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> says;  // parts of the message, in order
  };
  const Case cases[] = {
      {"a support whose joint has no coordinates", replaced(frame1(), "40 29 0 21;", ""),
       {"The listing TEST.ANL gives no coordinates for the support joint 40:", "JOINT COORDINATES"}},
      {"a cut between two reaction lines of a support", frame1CutAtJoint17(3, 0),
       {"Joint 17 has 3 reaction lines in the listing TEST.ANL where joint 1, the first support, has 6",
        "cut short"}},
      {"a cut inside a number: 839. taken for FY and no moments", frame1CutAtJoint17(0, 30),
       {"The reaction line of joint 17 on line 414 of the listing TEST.ANL holds 4 numbers;",
        "first reaction line holds 8"}},
      {"a continuation line cut after MX", frame1CutAtJoint17(2, 52),
       {"line 416 of the listing TEST.ANL holds 5 numbers; a continuation line holds 7"}},
      {"an empty file", " \r\n\r\n", {"The file TEST.ANL is empty; an analysis listing (.ANL) was expected."}},
      {"a PDF", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj", {"The file TEST.ANL is a PDF document, not an analysis listing"}},
      {"a project file", "{\n  \"format\": \"plintova-project\",\n  \"version\": 1\n}\n",
       {"The file TEST.ANL is a Plintova project file, not an analysis listing (.ANL): open it as a project."}},
      {"bytes that are no text", std::string("PK\x03\x04\0\0UNIT", 10), {"The file TEST.ANL is not text"}},
      {"text without commands", "Footing loads, see the attached sheet.\n",
       {"The file TEST.ANL is not an analysis listing that can be read: it has no UNIT command.",
        "JOINT COORDINATES"}},
      {"a control character in the units of the reaction table",
       replaced(frame1(), "SUPPORT REACTIONS -UNIT KN   METE", "SUPPORT REACTIONS -UNIT KN\x01  METE"),
       {" NO SUPPORT REACTIONS  (or) Units differ \nThe listing TEST.ANL cannot be used: its reaction table gives its "
        "units as \"KN<01>  METE<04>\", which are not a force and a length unit",
        "such as KN METE"}},
      {"no reaction table", replaced(frame1(), "SUPPORT REACTIONS", "SUPPORT LIST"),
       {"The listing TEST.ANL cannot be used: it has no reaction table"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = readText(c.text);
    ASSERT_TRUE(r->refused);
    std::size_t at = 0;
    for (const std::string& part : c.says) {
      at = r->error.find(part, at);
      ASSERT_NE(at, std::string::npos) << "\"" << part << "\" in: " << r->error;
    }
  }
}

TEST(ListingRefusals, LineEndsConvertedTwiceReadAsTheListingAndAMissingEndMarkerIsAWarning) {
  const auto plain = readText(frame1());
  ASSERT_FALSE(plain->refused) << plain->error;
  // CR CR LF: every continuation line ("28 10 -") still continues, so every support keeps its joint.
  const auto twice = readText(replaced(frame1(), "\r\n", "\r\r\n"));
  ASSERT_FALSE(twice->refused) << twice->error;
  EXPECT_TRUE(twice->prompter.calls.empty());
  EXPECT_EQ(twice->project->JointCount, plain->project->JointCount);
  for (int j = 1; j <= plain->project->JointCount; ++j)
    for (int k = 0; k < 4; ++k) ASSERT_EQ(twice->project->JointTable[j][k], plain->project->JointTable[j][k]) << j;
  EXPECT_EQ(twice->project->MemberTotal, plain->project->MemberTotal);
  EXPECT_EQ(twice->project->RotatedMemberCount, plain->project->RotatedMemberCount);

  // A listing that ends with its complete reaction table, without the line that closes it: read, with
  // a warning that names the file.
  const std::string end = " ************** END OF LATEST ANALYSIS RESULT **************";
  const auto open = readText(frame1().substr(0, frame1().find(end)));
  ASSERT_FALSE(open->refused) << open->error;
  EXPECT_EQ(open->project->supportCount(), 40);
  ASSERT_EQ(open->prompter.texts().size(), 1u);
  EXPECT_EQ(open->prompter.texts()[0].find("The listing TEST.ANL has no line \"END OF LATEST ANALYSIS RESULT\""), 0u);

  // Tables read CR CR LF as one line end too.
  for (const char* name : {"FRAME1.csv", "FRAME1.tsv"}) {
    const std::string text = fileText(std::string(PLINTOVA_TEST_DATA "/") + name);
    const auto format = *tableFormatOf(name);
    Project once, converted;
    readTableText(once, replaced(replaced(text, "\r\n", "\n"), "\n", "\r\n"), name, format);
    readTableText(converted, replaced(replaced(text, "\r\n", "\n"), "\n", "\r\r\n"), name, format);
    ASSERT_EQ(converted.supportCount(), once.supportCount());
    for (int s = 1; s <= once.supportCount(); ++s)
      for (int k = 0; k <= 4; ++k) EXPECT_EQ(converted.ReactionTable(s, 1, k), once.ReactionTable(s, 1, k));
  }
}
