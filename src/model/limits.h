// Limits of the engineer's entries and decisions: one definition each, applied by the windows, the
// project file and the batch tool alike, so that a value one of them refuses none of them takes.
#pragma once

#include <string>

namespace plintova::limits {

// Safe bearing capacity, kN/m2, after rounding to a whole number.
inline constexpr int kSmallestSbc = 50, kLargestSbc = 1000;
// Founding depth, m.
inline constexpr double kLargestFoundingDepth = 6;
// Largest plan side of any footing, m: isolated, hand-resized, grouped or combined. A larger side
// means reactions read in the wrong units, and its pressures and bars are no design.
inline constexpr double kLargestSide = 30;
// Smallest length of a hand-resized footing, m: one step of the wheel.
inline constexpr double kSmallestHandLength = 0.05;
// A size group's size steps by 0.05 m and stays within one step of the size that created it.
inline constexpr double kGroupSizeStep = 0.05;
// Largest total depth typed into the schedule, m. The design deepens a footing by itself where
// bending or shear need it; a typed depth only makes one deeper than that, and none is this deep.
inline constexpr double kLargestTypedDepth = 10;

// How far a footing's centre may stand off its column's along X or along Z, whole mm either way.
inline constexpr int kLargestColumnOffset = 5000;

// Each check is false for NaN and infinity.

// A hand-resized footing's length (m): from 0.05 to 30 m.
bool handLengthAllowed(double length);
// The start length (m) the engineer gives a combined footing: above 0 and at most 30 m (its
// cantilevers then make it at least 1 m longer than its columns are apart).
bool combinedLengthAllowed(double length);
// A size group's base size (m): above 0 and at most 30 m.
bool groupBaseSizeAllowed(double base);
// A size group's size (m): above 0 and within one step of its base size.
bool groupSizeAllowed(double base, double size);
// A typed pedestal (m): above 0 and smaller than the footing's shorter side (at most 30 m).
bool pedestalAllowed(double pedestal, double shorterSide = kLargestSide);
// A typed total depth (m): at most 10 m. A depth shallower than the design needs, 0 or below among them,
// is raised to what it needs, as the schedule has always taken it.
bool typedDepthAllowed(double depth);

// A column offset (mm) along one axis: at most 5000 mm either way.
bool columnOffsetAllowed(double mm);

// The limits in words, for messages: "from 0.05 to 30 m".
std::string handLengthRange();
std::string combinedLengthRange();
std::string groupBaseSizeRange();
std::string groupSizeRange(double base);
std::string pedestalRange();
std::string typedDepthRange();
std::string sbcRange();
std::string foundingDepthRange();
std::string columnOffsetRange();

}  // namespace plintova::limits
