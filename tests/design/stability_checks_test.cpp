// Uplift, sliding and overturning of a footing, worked by hand.
#include "design/stability_checks.h"

#include <gtest/gtest.h>

#include "../footing/footing_test_support.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

// To 1e-6: the pedestal's sides are held in single precision, so a 0.6 m side weighs a few 1e-8 more.
void expectCheck(const CodeCheck& c, const std::string& name, double demand, double capacity, bool ok) {
  EXPECT_EQ(c.name, name);
  EXPECT_NEAR(c.demand, demand, 1e-6) << name;
  EXPECT_NEAR(c.capacity, capacity, 1e-6) << name;
  EXPECT_EQ(c.ok, ok) << name;
}

}  // namespace

// A 2 x 2 m footing 0.5 m deep under a 0.6 m pedestal, founded at 1.5 m: W = 124.52 kN (footing 50,
// pedestal 9, soil 65.52; the default options, no water table). 0.9 W = 112.068.
//  Case 1, FY 200 down, FX 30, FZ 40, MX 50, MZ 20: N = 0.9 (W + FY) = 292.068.
//    sliding     1.4 sqrt(30^2 + 40^2) = 70       against 0.5 N = 146.034          (ratio 0.48)
//    overturning about the edges parallel to X: 1.4 x 50 = 70 against N B/2 = 292.068 (0.24)
//  Case 2, FY 60 up, FX 25, MZ 10: U = 60, N = 0.9 W - 60 = 52.068.
//    uplift      1.4 x 60 = 84                    against 0.9 W = 112.068          (0.75)
//    sliding     1.4 x 25 = 35                    against 0.5 N = 26.034           fails
//    overturning about the edges parallel to Z: 1.4 x 10 = 14 against N L/2 = 52.068 (0.27)
// Each check reports the case whose demand takes the largest share of its capacity.
TEST(StabilityChecks, UpliftSlidingAndOverturningOfTheWorstCases) {
  auto p = makeProject("200", "1.5");
  const int s = addSupport(*p, 7, 0, 0, {{200, 50, 20}, {-60, 0, 10}});
  p->ReactionTable(s, 0, kReactionFX) = 30;
  p->ReactionTable(s, 0, kReactionFZ) = 40;
  p->ReactionTable(s, 1, kReactionFX) = 25;
  StabilityFooting f;
  f.L = f.B = 2;
  f.D = 0.5;
  f.pedestal = PedestalSides::square(0.6);
  f.supports = {s};
  const std::vector<CodeCheck> checks = stabilityChecks(*p, f);
  ASSERT_EQ(checks.size(), 3u);
  expectCheck(checks[0], "uplift at joint 7, load case 2", 84, 112.068, true);
  expectCheck(checks[1], "sliding at joint 7, load case 2", 35, 26.034, false);
  expectCheck(checks[2], "overturning about the edges parallel to Z at joint 7, load case 2", 14, 52.068, true);
  EXPECT_EQ(checks[1].clause, "IS 456 cl. 20.2 (sliding)");

  // The support point 1 m above the underside adds |FX| h and |FZ| h: case 2 about the edges parallel to Z
  // 1.4 x (10 + 25 x 1) = 49 against 52.068 (case 1 about X: 1.4 x (50 + 40) = 126 against 292.068).
  p->decisions.options.supportHeight = 1;
  expectCheck(stabilityChecks(*p, f)[2], "overturning about the edges parallel to Z at joint 7, load case 2", 49,
              52.068, true);

  // A table without fx and fz: sliding is not checked, and says so; overturning takes the moments alone.
  p->HorizontalForcesKnown = false;
  const std::vector<CodeCheck> without = stabilityChecks(*p, f);
  expectCheck(without[1], "sliding at joint 7, load case 1: horizontal forces not given, not checked", 0, 146.034,
              true);
  EXPECT_EQ(without[2].name,
            "overturning about the edges parallel to Z at joint 7, load case 2 (moments only: horizontal forces not "
            "given)");
}
