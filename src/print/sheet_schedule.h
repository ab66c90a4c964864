// The footing schedule as the drawing sheet shows it: its cells from the designed rows, and the table
// measured and drawn in paper millimetres.
#pragma once

#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"
#include "print/sheet_blocks.h"

namespace plintova::print {

// The schedule's columns, left to right (then kSchRemarks while a row fails a check).
enum SheetScheduleColumn {
  kSchMark, kSchCount, kSchSize, kSchDepth, kSchPedestal, kSchBottomL, kSchBottomB, kSchTop, kSchJoints,
  kSheetScheduleColumns, kSchRemarks = kSheetScheduleColumns
};

// The schedule's text: one row per group row (square footings, the same bars both ways), then one per
// hand-resized and one per combined footing (their layers of bars by direction), in the schedule's
// order. Dimensions in mm; bars as "12 Ø @ 150 c/c". A cell may hold several lines. `message` stands in
// place of the rows when there are none to show: no schedule designed yet, or one out of date. While any
// row fails a check, a last column, REMARKS, names each failing row's failed checks.
struct SheetSchedule {
  std::vector<std::string> headers;
  std::vector<std::vector<std::string>> rows;
  std::string message;
};

SheetSchedule sheetSchedule(const Project& project);

// The table's measurements: column widths and row heights, mm.
struct TableSize {
  std::vector<double> columns;
  double header = 0;
  std::vector<double> rows;
  double message = 0;  // height of the message row (0 without one)
  double width = 0;
};

// Text sizes of the table, points.
constexpr double kScheduleText = 10;
constexpr double kScheduleHeaderText = 10;
constexpr double kScheduleTitleText = 12;
// Height of the title above the table ("FOOTING SCHEDULE"), mm.
constexpr double kScheduleTitleHeight = 8;

TableSize measureSchedule(const SheetSchedule& schedule, const draw::TextMeasure& measure);

// Draws the title, the header and rows [first, last) (and the message, when there is one and `first`
// is 0) with the table's top-left corner of the title at (x, z). Returns the height drawn.
double drawSchedule(const SheetSchedule& schedule, const TableSize& size, std::size_t first, std::size_t last,
                    double x, double z, const std::string& title, std::vector<draw::Primitive>& out);

// The schedule as a block of the sheet: its title, header (and message) repeated over every piece.
SheetBlock scheduleBlock(const SheetSchedule& schedule, const draw::TextMeasure& measure);

}  // namespace plintova::print
