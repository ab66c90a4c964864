// The Design command on the derived plan, and the engineer's schedule edits kept as decisions.
#pragma once

#include <optional>

#include "model/decisions.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Designs every ticked group that has footings into a schedule row, from the current assignment,
// then applies the engineer's schedule edits to the rows of their base sizes, in the order pedestal,
// depth, bar diameter, so that a row always comes out as its edits make it, however they were made.
// Edits whose row is gone (the group lost its footings or its tick) or that no longer fit the row (a
// pedestal not smaller than the footing) are dropped from the decisions and named in one message.
// False, with the schedule left as it was, when the design is refused (no grades, a group too large).
bool designSchedule(Project& p, Prompter& prompter);

enum class ScheduleField { Depth, Pedestal, BarDia };

// The decisions after an edit of schedule row r: a typed total depth (any finite value; the design
// raises a depth shallower than bending needs), a typed pedestal (above zero and smaller than the
// footing; it designs the depth afresh, so it takes back a depth edit of the row), or a click on the
// bar diameter (the next of 10, 12, 16, 20). Nothing when the edit is refused.
std::optional<Decisions> withScheduleEdit(const Project& p, int r, ScheduleField field, double value = 0);

}  // namespace plintova
