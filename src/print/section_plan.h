// A combined footing's views beyond its section: where its bands of bars across lie, and its plan with
// the top and bottom steel.
#pragma once

#include <string>

#include "print/section_parts.h"
#include "print/sheet_sections.h"

namespace plintova::print {

// A combined row's stretch of one layer across, m from its first end: the band under a column, or the
// stretches between and beyond the bands for the layer "elsewhere". Empty where the row has no beam.
struct Stretch {
  double lo = 0, hi = 0;
};
std::vector<Stretch> combinedStretches(const Project& p, const FootingRow& row, const SteelLayer& layer);

// The bars of a combined row's layer across as dots of its longitudinal section, model mm from the centre.
section::Dots combinedDots(const Project& p, const FootingRow& row, const SteelLayer& layer, double cover,
                           const std::string& tag);

// A combined row's line of columns runs along X.
bool combinedAlongX(const Project& p, const FootingRow& row);

// The plan of a combined row: the bottom bars along L solid in one half, the top bars dashed in the other,
// the bars across in their bands and between, the bands' limits dimensioned.
SectionView combinedPlanView(const Project& p, const FootingRow& row, const section::RowMarks& marks, double width,
                             const draw::TextMeasure& measure);

}  // namespace plintova::print
