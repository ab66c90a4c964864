// Properties of sizing and of the width for a chosen length over thousands of random supports.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "footing/footing_width.h"
#include "footing_test_support.h"
#include "model/numbers.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

// A full project of random supports: 1 to 36 load cases each, loads of 1 to 3000 kN (a few zero or
// upward), moments up to 300 kN m of either sign and often zero.
std::unique_ptr<Project> randomProject(std::mt19937& rng, int supports, bool upward) {
  std::uniform_int_distribution<int> sbc(50, 1000), cases(1, 36), zero(0, 4);
  std::uniform_real_distribution<float> depth(0.5f, 6.0f), load(1.0f, 3000.0f), moment(-300.0f, 300.0f);
  auto p = makeProject(std::to_string(sbc(rng)).c_str(), std::to_string(depth(rng)).c_str());
  for (int s = 1; s <= supports; ++s) {
    std::vector<Case> list(static_cast<std::size_t>(cases(rng)));
    for (Case& c : list) {
      c.fy = upward && zero(rng) == 0 ? -load(rng) / 100 : load(rng);
      c.mx = zero(rng) == 0 ? 0.0f : moment(rng);
      c.mz = zero(rng) == 0 ? 0.0f : moment(rng);
    }
    addSupport(*p, s, 1000 * s, 0, list);
  }
  return p;
}

double edgePressure(double P, double M, double L) { return P / (L * L) + 6.0 * M / (L * L * L); }

}  // namespace

TEST(FootingProperties, EverySizedFootingKeepsEveryCaseAllowableAndInCompressionOrHeldDown) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 8; ++round) {
    auto p = randomProject(rng, 500, true);
    const Project asRead = *p;
    RecordingPrompter prompter;
    sizeFootings(*p, prompter);
    for (int s = 1; s <= p->FootingCount; ++s) {
      const double L = p->FootingTable[s].ReqSize;
      bool critical = L >= 6.0;  // some requirement must hold the side where it is
      for (int c = 0; c <= p->lastCasePosition(s); ++c) {
        const double fy = p->ReactionTable(s, c, 2);
        ASSERT_EQ(fy, asRead.ReactionTable(s, c, 2));  // kept as read
        const double M = std::fabs(p->ReactionTable(s, c, 3)) + std::fabs(p->ReactionTable(s, c, 4));
        if (fy <= 0) {
          // Held down by its weight and standing against overturning, and not by much more.
          const double mx = std::fabs(p->ReactionTable(s, c, 3)), mz = std::fabs(p->ReactionTable(s, c, 4));
          ASSERT_TRUE(heldDown(*p, L + 1e-5, L + 1e-5, -fy, mx, mz, fy)) << "support " << s << " case " << c;
          if (!heldDown(*p, L - 0.002, L - 0.002, -fy, mx, mz, fy)) critical = true;
          continue;
        }
        const double P = static_cast<float>(fy * 1.1);
        const double q = p->CaseSbc[c];
        // Within the rounding of the stored side (up to the millimetre, less than 0.01 mm below).
        ASSERT_LE(edgePressure(P, M, L + 1e-5), q * (1 + 1e-6)) << "support " << s << " case " << c;
        const double side = 6.0 * M / P;
        if (side <= 6.0) {
          ASSERT_LE(side, L + 1e-5) << "support " << s << " case " << c;
        }
        if (edgePressure(P, M, L - 0.002) > q || side > L - 0.002) critical = true;
      }
      // A footing no case needs is the least side: its pedestal with 150 mm beyond it on each side.
      EXPECT_TRUE(critical || std::fabs(L - leastSide(*p, s)) < 1e-6) << "support " << s << " is larger than any case needs: " << L;
    }
  }
}

TEST(FootingProperties, TheWidthForAChosenLengthPassesEveryCornerOfEveryCase) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> length(0.5f, 6.0f);
  for (int round = 0; round < 6; ++round) {
    auto p = randomProject(rng, 500, false);
    RecordingPrompter prompter;
    const double E = p->EarthPressure;
    for (int s = 1; s <= p->FootingCount; ++s) {
      const float L = roundToSingle(length(rng), 2);
      const double B = WidthForLength(*p, s, L, prompter);
      // Corner pressures at width b: the heaviest within the allowable value, the lightest not below
      // minus the earth pressure.
      auto passes = [&](double b, int c) {
        const double P = static_cast<float>(1.1 * p->ReactionTable(s, c, 2));
        const double mx = std::fabs(p->ReactionTable(s, c, 3)), mz = std::fabs(p->ReactionTable(s, c, 4));
        const double direct = P / (L * b), bending = 6.0 * mz / (b * L * L) + 6.0 * mx / (L * b * b);
        return direct + bending <= p->CaseSbc[c] * (1 + 1e-6) && direct - bending >= -E * (1 + 1e-6) - 1e-9;
      };
      bool tight = B <= 0.01;
      for (int c = 0; c <= p->lastCasePosition(s); ++c) {
        // The width rounds up, except that one less than 0.01 mm above a 0.01 m step keeps the step.
        ASSERT_TRUE(passes(B + 1e-4, c)) << "support " << s << " case " << c << " L " << L << " B " << B;
        // The true width lies less than 0.01 m below B (and at most 0.01 mm above it).
        if (!tight && !passes(B - 0.011, c)) tight = true;
      }
      EXPECT_TRUE(tight) << "support " << s << ": a narrower footing would do, B " << B;
    }
    EXPECT_TRUE(prompter.calls.empty());
  }
}
