// The bar bending schedule as the drawing sheet shows it: every bar mark, the totals by diameter and the
// bends' basis, as a block that goes on over as many columns and sheets as it needs.
#pragma once

#include "draw/primitives.h"
#include "model/project.h"
#include "print/sheet_blocks.h"
#include "print/sheet_schedule.h"

namespace plintova::print {

// The table's text: a row per bar mark (its member over lines where long, as `measure` sets it), then a row
// per diameter and the total weight.
SheetSchedule sheetBarSchedule(const Project& project, const draw::TextMeasure& measure);

// The table as a block ("BAR BENDING SCHEDULE") on sheets of its own; nothing before the schedule is designed.
SheetBlock barScheduleBlock(const Project& project, const draw::TextMeasure& measure);

}  // namespace plintova::print
