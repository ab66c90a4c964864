// The Design command on the derived plan, and the engineer's schedule edits kept as decisions.
#pragma once

#include <optional>
#include <string>

#include "model/decisions.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Designs every ticked group that has footings into a schedule row, from the current assignment,
// then applies the engineer's schedule edits to the rows of their base sizes, in the order pedestal,
// depth, bar diameter, so that a row always comes out as its edits make it, however they were made;
// then checks every group row against IS 456 (flags only). Then designs a row for every hand-resized
// footing (footing order) and every combined footing (their order), each with its edits. Edits whose
// row is gone (the group lost its footings or its tick, the footing is no longer resized or combined)
// or that no longer fit the row (a pedestal not smaller than the footing) are dropped from the
// decisions and named in one message. False, with the schedule left as it was, when the design is
// refused (grades that cannot be designed, a group too large).
bool designSchedule(Project& p, Prompter& prompter);

// The schedule's rows, numbered 1..scheduleRowCount: the group rows (1..DesignGroupCount), then the
// rows of the hand-resized footings, then those of the combined footings.
int scheduleRowCount(const Project& p);
// Row r when it is a hand-resized or combined footing's row, null for a group row or no row.
const FootingRow* footingRowAt(const Project& p, int r);

enum class ScheduleField { Depth, Pedestal, BarDia };

// The decisions after an edit of schedule row r (any kind): a typed total depth (limits::typedDepthAllowed;
// the design raises a depth shallower than bending needs), a typed square pedestal (withPedestalEdit with
// both sides the value), or a click on the bar diameter (the next of 10, 12, 16, 20). Nothing when the
// edit is refused.
std::optional<Decisions> withScheduleEdit(const Project& p, int r, ScheduleField field, double value = 0);

// The decisions after the pedestal of schedule row r was typed as two sides (m, along X and along Z),
// each above zero and smaller than the footing's shorter side (limits::pedestalAllowed); it designs the
// depth afresh, so it takes back a depth edit of the row. Nothing when refused.
std::optional<Decisions> withPedestalEdit(const Project& p, int r, const PedestalSides& sides);

// What became of a total depth typed for schedule row r (m), once the row was designed with it: ""
// when the row uses it as typed; otherwise the message that says the row is deeper, to what, and why
// (bending needs more, or one-way shear or punching fails at the typed depth).
std::string typedDepthNote(const Project& p, int r, double typed);

}  // namespace plintova
