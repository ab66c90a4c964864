// Depth and reinforcement design of the size groups into schedule rows, the row edits and the
// single-footing estimates of the detail popup.
#pragma once

#include "model/project.h"
#include "model/prompter.h"

#include <vector>

namespace plintova {

// The Design command: builds the shear table, finds the grade column and designs every ticked size
// group that has footings into a schedule row (DesignGroupTable 1..DesignGroupCount), in group order;
// each row keeps its group's mark (GroupMark), the mark its footings show on the plan. A group whose
// footing is not wider than its pedestal gets no row (its footings keep their mark) and one message
// names every such group ("No schedule row for F1 (0.1 m): the footing is not wider than its 0.4 m
// pedestal."). Refuses with a message, leaving the schedule as it was, when the listing gave no
// concrete or steel grade (Fck or Fe 0) or a group holds more footings than a row can (100).
bool DesignAllGroups(Project& p, Prompter& prompter);

// Recomputes schedule row r from its record, starting from its current total depth (raised to what
// bending needs when it is shallower). Rows outside 1..DesignGroupCount are left alone.
void RedesignScheduleRow(Project& p, int r);

// The total depth (m) that bending alone needs in group row r, where its design starts and below
// which a typed depth is raised: the moment depth rounded up to a 50 mm step with 60 mm of cover, at
// least 0.25 m. 0 for a row that does not exist.
float groupBendingDepth(const Project& p, int r);

// Bar diameter edit: 10 -> 12 -> 16 -> 20 -> 10, any other diameter stays; then the row is redesigned.
// False when r is not a schedule row.
bool cycleBarDia(Project& p, int r);

// Total depth edit with the typed value v (m); no range check beyond a finite single. The row is
// redesigned, so a depth below the bending requirement comes back raised. False when refused.
bool editTotalDepth(Project& p, int r, double v);

// Pedestal edit with the typed sides (m, along X and along Z): accepted only when both lie between 0 and
// GroupSize; the depth is then designed afresh. False (nothing changes) when refused.
bool editPedestal(Project& p, int r, const PedestalSides& sides);

// Largest net soil pressure of footing s (reactions as read) over all its load-case positions, for its
// plan size SizeL x SizeB; 0 for a footing that is not in the table.
float FootingPeakPressure(const Project& p, int s);

// Effective depth estimate of footing s (m, two decimals) for the detail popup: the unrounded design
// with a 0.6 m pedestal and the peak pressure, done once across each plan direction.
float FootingDepthEstimate(const Project& p, int s);

// Mu / (fck B d^2) at which the group rows' bending depth is found: 0.138, the limiting moment of Fe 415
// (IS 456 Annex G-1.1 c), or the steel grade's own limiting factor where that is smaller (0.133 for
// Fe 500, 0.130 for Fe 550), so that no row is designed beyond its limiting moment. Fe 250 keeps 0.138,
// a deeper section than its own 0.148 would give.
double groupBendingFactor(int fe);

// The next diameter of the design options' diameters, after the largest the smallest; a diameter
// outside them is returned unchanged.
int16_t nextBarDia(int16_t dia, const std::vector<int>& diameters);

// The older procedure of the group rows, kept as the floor of their depth: governing pressure q,
// cantilever (B - a)/2 to 0.01 m, d = D - 60 mm from Mu = 0.138 fck B d^2 rounded to a 50 mm total
// depth (at least 250 mm), deepened by 25 mm while tv1 > tc (Table 19 at the steel needed) or tv2 > tp,
// bars of BarDia over B - 120 mm. Writes TotalDepth and the quantities of `row`.
void olderGroupDesign(const Project& p, SizeGroupRecord& row);

}  // namespace plintova
