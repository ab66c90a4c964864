// Limits of the engineer's entries and decisions.
#include "model/limits.h"

#include <cmath>

#include "model/numbers.h"

namespace plintova::limits {

namespace {

// Sizes are kept in single precision on the 0.01 m grid, so a size one step from its base may lie a
// unit of the last place beyond 0.05 m from it.
constexpr double kGridAllowance = 0.0005;

std::string metres(double v) { return numberText(v) + " m"; }

}  // namespace

bool handLengthAllowed(double length) { return length >= kSmallestHandLength && length <= kLargestSide; }

bool combinedLengthAllowed(double length) { return length > 0 && length <= kLargestSide; }

bool groupBaseSizeAllowed(double base) { return base > 0 && base <= kLargestSide; }

bool groupSizeAllowed(double base, double size) {
  return size > 0 && std::fabs(size - base) <= kGroupSizeStep + kGridAllowance;
}

bool pedestalAllowed(double pedestal, double shorterSide) {
  return pedestal > 0 && pedestal < shorterSide && pedestal < kLargestSide;
}

bool columnOffsetAllowed(double mm) { return std::fabs(mm) <= kLargestColumnOffset; }

bool typedDepthAllowed(double depth) { return std::isfinite(depth) && depth <= kLargestTypedDepth; }

std::string handLengthRange() { return "from " + numberText(kSmallestHandLength) + " to " + metres(kLargestSide); }
std::string combinedLengthRange() { return "above 0 and at most " + metres(kLargestSide); }
std::string groupBaseSizeRange() { return "above 0 and at most " + metres(kLargestSide); }
std::string groupSizeRange(double base) {
  return "above 0 and within " + metres(kGroupSizeStep) + " of its base size " + metres(base);
}
std::string pedestalRange() { return "above 0 and below " + metres(kLargestSide) + " (and below the footing's side)"; }
std::string typedDepthRange() { return "a depth of at most " + metres(kLargestTypedDepth); }
std::string sbcRange() {
  return "a number from " + std::to_string(kSmallestSbc) + " to " + std::to_string(kLargestSbc) + " (kN/m2)";
}
std::string foundingDepthRange() { return "a number from 0 to " + numberText(kLargestFoundingDepth) + " (m)"; }

std::string columnOffsetRange() {
  return "a whole number of mm from -" + numberText(kLargestColumnOffset) + " to " + numberText(kLargestColumnOffset);
}

}  // namespace plintova::limits
