// The pressure-check workbook as a grid of cells: grouped, hand-resized and combined footings.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// One spreadsheet cell. A number keeps the general-format text of the program's value in text and
// the value that text reads as in number (2.346, not the single's 2.3459999...); a text cell keeps its
// text. Empty cells have neither.
struct Cell {
  enum Kind { Empty, Number, Text } kind = Empty;
  double number = 0;
  std::string text;

  static Cell numberCell(double v);  // non-finite values become text cells ("NaN", "Infinity")
  static Cell textCell(std::string t);
  bool operator==(const Cell&) const = default;
};

// A sheet: rows[0] is spreadsheet row 1, rows[i][0] column A; rows may differ in length.
struct Sheet {
  std::string name;
  std::vector<std::vector<Cell>> rows;

  // The cell at 1-based (row, column), growing the grid as needed.
  Cell& at(int row, int column);
};

// The whole workbook: "Sheet1" the grouped footings of every schedule row, "Sheet2" the hand-resized
// footings, "Sheet3" empty, and combined footing n on sheet n + 3 named "CF<n+3> <a>  <b>".
std::vector<Sheet> buildWorkbook(const Project& p);

// Soil pressures of one load case for the workbook, rounded to two decimals.
struct PressureCheck {
  float pmin = 0, pmax = 0;
  bool fails = false;  // pmax above the allowable pressure or pmin below minus the earth pressure
};
PressureCheck groupedPressure(const Project& p, int s, int c);
PressureCheck resizedPressure(const Project& p, int s, int c);

// Ordering key of a grouped footing of side S: its largest 1.1 FY / S^2 + 6 max(|MX|, |MZ|) / S^3
// over its load cases, 0 when all are negative.
float groupedFootingSortKey(const Project& p, int s, float S);

}  // namespace plintova
