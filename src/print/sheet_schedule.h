// The footing schedule as the drawing sheet shows it: its cells from the designed rows, and the table
// measured and drawn in paper millimetres.
#pragma once

#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"

namespace plintova::print {

// The schedule's columns, left to right.
enum SheetScheduleColumn {
  kSchMark, kSchCount, kSchSize, kSchDepth, kSchPedestal, kSchBottomL, kSchBottomB, kSchTop, kSchJoints,
  kSheetScheduleColumns
};

// The schedule's text: one row per group row (square footings, the same bars both ways), then one per
// hand-resized and one per combined footing (their layers of bars by direction), in the schedule's
// order. Dimensions in mm; bars as "12 Ø @ 150 c/c". A cell may hold several lines. `message` stands in
// place of the rows when there are none to show: no schedule designed yet, or one out of date.
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
constexpr double kScheduleText = 7.5;
constexpr double kScheduleHeaderText = 7;
constexpr double kScheduleTitleText = 9;
// Height of the title above the table ("FOOTING SCHEDULE"), mm.
constexpr double kScheduleTitleHeight = 7;

TableSize measureSchedule(const SheetSchedule& schedule, const draw::TextMeasure& measure);

// Draws the title, the header and rows [first, last) (and the message, when there is one and `first`
// is 0) with the table's top-left corner of the title at (x, z). Returns the height drawn.
double drawSchedule(const SheetSchedule& schedule, const TableSize& size, std::size_t first, std::size_t last,
                    double x, double z, const std::string& title, std::vector<draw::Primitive>& out);

// How many rows from `first` fit in `height` mm below the title and header (at least none).
std::size_t rowsThatFit(const TableSize& size, std::size_t first, double height);

}  // namespace plintova::print
