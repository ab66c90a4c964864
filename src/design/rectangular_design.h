// Limit-state design of the schedule row of a hand-resized (rectangular) footing to IS 456:2000.
#pragma once

#include "model/project.h"

namespace plintova {

// The row of hand-resized footing s (kind HandResized, SizeL along X by SizeB along Z), mark R<number>, with
// the engineer's edits. Net pressure q: the largest P/(L B) + 6|MX|/(L B^2) + 6|MZ|/(L^2 B) over the
// footing's load cases with P = FY as read, rounded up to a whole kN/m2 as the group design does, taken
// uniform under the footing and factored by 1.5. Each direction is a cantilever (side - a)/2 beyond
// the pedestal face with its moment over the full width (cl. 34.2.3.2); the depth starts on the 50 mm
// step that the larger moment needs (at least 250 mm; an edited depth below it is raised to it) and is
// deepened by 25 mm while bending, one-way shear in either direction (cl. 34.2.4.1 a) or punching
// (cl. 34.2.4.1 b) fails. The bars along the longer side form the outer (lower) layer; the steel that
// runs along the shorter side is split into a central band as wide as the shorter side holding
// 2/(beta + 1) of it and the outer strips (cl. 34.3.1 c). Bars of the design options' diameters (the edited
// diameter when set), spaced at most 3 d and 300 mm, developed within the cantilever less the cover;
// where no diameter develops, the shortest is taken and the row is flagged. Layers, in order:
// "bottom along L" and "bottom along B", the shorter direction's as "..., central band" and
// "..., outer strips" (a square footing has no band). The checks are described in docs/design-rows.md.
// Grades that cannot be designed with (model/grades.h) give the row undesigned: size only.
FootingRow designRectangularRow(const Project& p, int s, int number, const RowEdit& edit);

}  // namespace plintova
