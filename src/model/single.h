// A quantity stored in single precision that takes part in arithmetic only as a double.
#pragma once

namespace plintova {

// The model stores its quantities in single precision after their rounding, and every expression is
// evaluated in double precision from those stored values. A plain float field breaks the second rule
// quietly: `std::fabs(a) + std::fabs(b)` or `6 * a` on floats is float arithmetic, and a pressure
// then comes out 0.01 off after rounding. A Single holds a float but converts only to double, so every
// expression that reads one is a double expression by construction; assigning to it rounds to single.
class Single {
 public:
  constexpr Single() = default;
  constexpr Single(double v) : v_(static_cast<float>(v)) {}  // NOLINT: stored in single precision
  constexpr operator double() const { return v_; }          // NOLINT: read as a double
  constexpr float value() const { return v_; }

  Single& operator+=(double d) { return *this = *this + d; }
  Single& operator-=(double d) { return *this = *this - d; }

 private:
  float v_ = 0;
};

}  // namespace plintova
