// Number walks, values and lines of the listing reader's text primitives.
#include "input/listing_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/numbers.h"

using namespace plintova;
using namespace plintova::listing;

namespace {

bool sameValue(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (a == 0 && b == 0); }

}  // namespace

TEST(ListingText, FastValuesAgreeWithTheSharedNumericValue) {
  std::vector<std::string> texts = {
      "", "  ", "-", ".", "-0.00", "3000.0 mm", "  12  D E S I G N", "1E-05", "2.17185E+007", "1 D 3",
      "7866.85-120061.42", "   12. 1 1 2; 2 2 3", "0.1", "0.3", "123456789012345", "1234567890123456",
      "0.0000000000000000000001", "0.00000000000000000000001", "1.5e-3x", "- 4 . 5", "99999999999999999999999",
      std::string(400, '9'), "0." + std::string(400, '0') + "1", "1E-400", "1E400", "\x02", " \f PAGE NO. 3"};
  std::mt19937 rng(12345);
  const std::string alphabet = "0123456789.-+ EeDd*;/x\t";
  for (int i = 0; i < 20000; ++i) {
    std::string t;
    int len = static_cast<int>(rng() % 24);
    for (int k = 0; k < len; ++k) t.push_back(alphabet[rng() % alphabet.size()]);
    texts.push_back(t);
  }
  for (const auto& t : texts) {
    EXPECT_TRUE(sameValue(textValue(t), numericValue(t))) << "[" << t << "]";
    EXPECT_EQ(lineValueIsZero(t), numericValue(t) == 0.0) << "[" << t << "]";
  }
}

TEST(ListingText, NumberWalksFindEveryNumberOfALine) {
  // Touching fields of the reaction table split at a "-" that follows a digit; a sign stays.
  std::string_view row = "   7866.85-120061.42     -0.00";
  std::size_t p = nextNumberStart(row, 0);
  EXPECT_EQ(numberEndSplittingMinus(row, p, row.size()), 10u);
  EXPECT_EQ(valueAt(row, 10), -120061.42);
  EXPECT_EQ(numberEndSplittingMinus(row, 25, row.size()), row.size());
  EXPECT_EQ(numberEnd(row, p), 20u);  // elsewhere the run goes on

  // An exponent belongs to its number, so its digits are not read as a further value.
  std::string_view joint = "E 2.17185E+007;3";
  EXPECT_EQ(numberEndWithExponent(joint, 2, joint.size()), 14u);
  EXPECT_EQ(valueAt(joint, 2), 21718500);

  // The second number may be the last character of its line.
  EXPECT_EQ(secondNumberStart("    27.  4", 10), 9u);
  EXPECT_EQ(secondNumberStart("    10. MEMBER INCIDENCES", 25), npos);

  EXPECT_EQ(valueAfter("LENGTH:  3000.0 mm  CROSS SECTION:  300.0 mm X  450.0 mm", "X"), 450);
  EXPECT_EQ(valueAfter("C O L U M N   N O.   12  D E S I G N", "C O L U M N   N O."), 12);
}

TEST(ListingText, ContinuationMarksAndCommentedInput) {
  EXPECT_EQ(scanEndBeforeContinuation("    9. 5 16.5 -"), 14u);
  EXPECT_EQ(scanEndBeforeContinuation("    9. 5 16.5 -  "), 14u);
  EXPECT_FALSE(endsWithContinuation("    9. 5 -16.5"));
  EXPECT_FALSE(endsWithContinuation("    9. 5 16.5-"));
  EXPECT_TRUE(isCommentLine("    45. *START CONCRETE DESIGN"));
  EXPECT_TRUE(isCommentLine("   *FC 20"));
  EXPECT_FALSE(isCommentLine("    45. START CONCRETE DESIGN"));
}

TEST(ListingText, LinesEndInCrLfOrLfAndTheLastNeedsNoEnd) {
  LineCursor c("one\r\ntwo\nthree");
  std::vector<std::string> lines;
  do lines.emplace_back(c.line());
  while (c.next());
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_TRUE(c.atEnd());

  LineCursor ended("a\n");
  EXPECT_FALSE(ended.next());  // no empty line after the last line end
  LineCursor empty("");
  EXPECT_EQ(empty.line(), "");
  EXPECT_FALSE(empty.findForward("UNIT"));

  // The current line is tested first; commented-out lines can be passed over.
  LineCursor f("  1. *UNIT FEET\n  2. UNIT METER KN\n");
  EXPECT_TRUE(f.findForward("UNIT"));
  EXPECT_EQ(f.lineNumber(), 1u);
  EXPECT_TRUE(f.findForward("UNIT", true));
  EXPECT_EQ(f.line(), "  2. UNIT METER KN");
  EXPECT_EQ(f.lineNumber(), 2u);
}

// The vector search must give memmem's answer for every marker length (one character, two, the
// listing's long markers) at every start near the sixteen-byte steps and the end of the text, and for
// near misses whose first and last characters match.
TEST(ListingText, MarkerSearchAgreesWithMemmem) {
  const std::vector<std::string> markers = {"U", "FC", "UNIT", "LENGTH:", "BETA 90 MEMB", "C O L U M N   N O.",
                                            "SUPPORT REACTIONS -UNIT KN   METE"};
  auto reference = [](const std::string& text, const std::string& marker) -> const char* {
    return static_cast<const char*>(memmem(text.data(), text.size(), marker.data(), marker.size()));
  };
  for (const std::string& marker : markers) {
    std::string nearMiss = marker;
    if (nearMiss.size() > 2) nearMiss[nearMiss.size() / 2] = '#';
    for (std::size_t size : {std::size_t{0}, marker.size() - 1, marker.size(), std::size_t{17}, std::size_t{40},
                             std::size_t{95}}) {
      for (std::size_t at = 0; at <= size; ++at) {
        for (const std::string* placed : {&marker, static_cast<const std::string*>(&nearMiss)}) {
          std::string text(size, ' ');
          if (at + placed->size() <= size) text.replace(at, placed->size(), *placed);
          // A near miss ahead of the marker must not hide it.
          if (at >= nearMiss.size() + 1) text.replace(0, nearMiss.size(), nearMiss);
          EXPECT_EQ(findBytes(text.data(), text.size(), marker), reference(text, marker))
              << "marker \"" << marker << "\" in " << size << " bytes, placed at " << at;
        }
      }
    }
  }
}

// The search for several markers at once gives the earliest of memmem's answers, with the markers in
// either order, wherever each stands relative to the other and to the 16- and 32-byte steps.
TEST(ListingText, SearchForAnyMarkerGivesTheEarliest) {
  const std::string first = "LOAD", second = "NONLINEAR";
  auto earliest = [&](const std::string& text) -> const char* {
    const char* best = nullptr;
    for (const std::string* m : {&first, &second, static_cast<const std::string*>(nullptr)}) {
      if (!m) break;
      const char* hit = static_cast<const char*>(memmem(text.data(), text.size(), m->data(), m->size()));
      if (hit && (!best || hit < best)) best = hit;
    }
    return best;
  };
  for (std::size_t size : {std::size_t{3}, std::size_t{40}, std::size_t{100}}) {
    for (std::size_t a = 0; a <= size; ++a) {
      for (std::size_t b = 0; b <= size; b += 3) {
        std::string text(size, '-');
        if (a + first.size() <= size) text.replace(a, first.size(), first);
        if (b + second.size() <= size) text.replace(b, second.size(), second);
        EXPECT_EQ(findAnyBytes(text.data(), text.size(), {first, second}), earliest(text)) << size << " " << a << " " << b;
        EXPECT_EQ(findAnyBytes(text.data(), text.size(), {second, first}), earliest(text)) << size << " " << a << " " << b;
      }
    }
  }
}
