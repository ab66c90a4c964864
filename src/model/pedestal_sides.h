// The plan sides of a pedestal: along X and along Z, as the plan and the column window draw them.
#pragma once

#include <algorithm>

#include "model/single.h"

namespace plintova {

// Sides of a rectangular pedestal, m, in single precision like every stored size.
struct PedestalSides {
  Single x = 0, z = 0;

  static PedestalSides square(double a) { return {a, a}; }
  double shorter() const { return std::min<double>(x, z); }
  double longer() const { return std::max<double>(x, z); }
  double area() const { return static_cast<double>(x) * z; }
  // Short side over long side: beta_c of a loaded area (IS 456 cl. 31.6.3.1); 1 for a square.
  double aspect() const { return longer() > 0 ? shorter() / longer() : 1.0; }
  bool known() const { return x > 0 && z > 0; }
  bool operator==(const PedestalSides& o) const { return x.value() == o.x.value() && z.value() == o.z.value(); }
};

// The larger side in each direction: the envelope of two pedestals.
inline PedestalSides envelope(const PedestalSides& a, const PedestalSides& b) {
  return {std::max<double>(a.x, b.x), std::max<double>(a.z, b.z)};
}

}  // namespace plintova
