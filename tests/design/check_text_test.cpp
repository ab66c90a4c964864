// A code check in words: demand before capacity, symbols and units, and enough digits to be true.
#include "design/check_text.h"

#include <gtest/gtest.h>

#include "design/is456.h"

using namespace plintova;

namespace {

CodeCheck check(const std::string& name, double demand, double capacity, const std::string& unit) {
  return is456::makeCheck(CheckKind::Other, name, demand, capacity, unit, "");
}

}  // namespace

TEST(CheckText, DemandThenCapacityWithAtLeastThreeDigitsAndMoreWhereTheRelationNeedsThem) {
  const struct {
    CodeCheck c;
    const char* text;
  } cases[] = {
      {check("one-way shear", 0.3308, 0.3283, "N/mm2"), "τv 0.331 N/mm² > τc 0.328 N/mm²"},
      // 0.331 > 0.331 would not hold, nor 0.3309 > 0.3309: five digits.
      {check("one-way shear along B", 0.33091, 0.33086, "N/mm2"), "τv 0.33091 N/mm² > τc 0.33086 N/mm²"},
      {check("bending", 122.4796, 696.9173, "kN m"), "Mu 122 kN·m ≤ Mu,lim 697 kN·m"},
      {check("steel for bending along L", 520.4512, 572.8931, "kN m"), "Mu 520 kN·m ≤ Mu,r 573 kN·m"},
      // The whole part stays whole: 1257, not 1260.
      {check("minimum steel", 864, 1256.637, "mm2"), "As,min 864 mm² ≤ As 1257 mm²"},
      {check("bearing at joint 40, load case 2", 250.004, 250, "kN/m2"), "p 250.004 kN/m² > allowable 250 kN/m²"},
      {check("punching at joint 21", 0.7082879, 1.25, "N/mm2"), "τv 0.708 N/mm² ≤ τp 1.25 N/mm²"},
      {check("edge depth", 150, 400, "mm"), "D,min 150 mm ≤ D 400 mm"},
      {check("development length, bottom along L", 402.9576, 385, "mm"), "Ld 403 mm > available 385 mm"},
      {check("resultant within the base", 0.41234, 1.6, "m"), "e 0.412 m ≤ L/2 1.6 m"},
  };
  for (const auto& c : cases) EXPECT_EQ(checkRelationText(c.c), c.text) << c.c.name;
}

TEST(CheckText, LinesNameTheCheckItsVerdictAndClauseWithTheFailedOnesFirst) {
  std::vector<CodeCheck> checks = {check("bending", 100, 200, "kN m"), check("one-way shear", 0.35, 0.33, "N/mm2"),
                                   check("punching", 0.7, 1.25, "N/mm2"), check("bar spacing", 320, 300, "mm")};
  checks[1].clause = "IS 456 cl. 34.2.4.1 a";
  EXPECT_EQ(checkLineText(checks[1]), "one-way shear FAILS: τv 0.35 N/mm² > τc 0.33 N/mm² (IS 456 cl. 34.2.4.1 a)");
  EXPECT_EQ(checksText(checks),
            "one-way shear FAILS: τv 0.35 N/mm² > τc 0.33 N/mm² (IS 456 cl. 34.2.4.1 a)\n"
            "bar spacing FAILS: s 320 mm > s,max 300 mm\n"
            "bending OK: Mu 100 kN·m ≤ Mu,lim 200 kN·m\n"
            "punching OK: τv 0.7 N/mm² ≤ τp 1.25 N/mm²");
}
