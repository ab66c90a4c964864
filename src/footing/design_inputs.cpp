// The engineer's two design inputs, founding depth and safe bearing capacity, checked and stored.
#include "footing/design_inputs.h"

#include "model/numbers.h"

namespace plintova {

namespace {

constexpr float kMaxDepth = 6.0f;          // m
constexpr double kSoilUnitWeight = 20.0;   // kN/m3 above the footing
constexpr int kMinSbc = 50, kMaxSbc = 1000;  // kN/m2
constexpr double kLaterCaseFactor = 1.25;  // allowable pressure of every load case after the first

}  // namespace

bool acceptDesignInputs(Project& p, const std::string& depthText, const std::string& sbcText) {
  if (!isNumeric(depthText)) return false;
  const float depth = static_cast<float>(numericValue(depthText));
  if (depth < 0.0f || depth > kMaxDepth) return false;
  p.EarthPressure = static_cast<float>(depth * kSoilUnitWeight);

  if (!isNumeric(sbcText)) return false;
  const auto sbc = toInt16(numericValue(sbcText));
  if (!sbc || *sbc < kMinSbc || *sbc > kMaxSbc) return false;
  p.CaseSbc[0] = *sbc;
  for (int c = 1; c <= cap::kLastCase; ++c) p.CaseSbc[c] = static_cast<float>(*sbc * kLaterCaseFactor);
  return true;
}

}  // namespace plintova
