// The pressure-check workbook as a grid of cells: grouped, hand-resized and combined footings.
#pragma once

#include <string>
#include <vector>

#include "footing/case_basis.h"
#include "model/project.h"

namespace plintova {

// One spreadsheet cell. A number keeps the general-format text of the program's value in text and
// the value that text reads as in number (2.346, not the single's 2.3459999...); a text cell keeps its
// text. Empty cells have neither. The style only formats the cell: a heading (bold on grey), a label
// beside a value (italic), a cell of a failing row (on light red) or a total (bold).
struct Cell {
  enum Kind { Empty, Number, Text } kind = Empty;
  enum Style { Plain, Heading, Label, Fail, Total };
  Style style = Plain;  // beside the kind: a cell of the large pressure sheets is 48 bytes, not 56
  double number = 0;
  std::string text;

  static Cell numberCell(double v);  // non-finite values become text cells ("NaN", "Infinity")
  static Cell textCell(std::string t, Style style = Plain);
  bool operator==(const Cell&) const = default;
};

// A sheet: rows[0] is spreadsheet row 1, rows[i][0] column A; rows may differ in length. The first
// `frozenRows` rows stay in view while the rest scrolls, and are repeated at the top of every printed
// page; `columnWidths` are in characters (column A first). Every sheet prints landscape, as wide as one
// page.
struct Sheet {
  std::string name;
  std::vector<std::vector<Cell>> rows;
  int frozenRows = 0;
  std::vector<double> columnWidths;

  // The cell at 1-based (row, column), growing the grid as needed.
  Cell& at(int row, int column);
};

// The whole workbook, its sheets named for what they hold and its marks as the drawing gives them:
//  - "Pressures - groups", the grouped footings of every schedule row, under a frozen heading row (Joint,
//    Load case, FY kN, MX kN·m, MZ kN·m, Mark, Size m, pmin, pmax and Allowable kN/m²), each footing's
//    cases in a block after an empty row; the cells of a failing case's row styled Fail;
//  - "Pressures - resized", the hand-resized footings (marks R1, R2, ...), laid out alike with L m and B m
//    in place of Size m;
//  - combined footing n on a sheet named "C<n>": the two members' loads side by
//    side from row 5 under a heading in row 4, the joints in (3, 4) and (3, 9), the SBC in (2, 8), the
//    centre distance, length and width in (23, 8), (30, 8) and (31, 8), each value with its label in the
//    cell to its left. When the loads reach row 23 (19 or more cases) the distance, length and width go
//    to column 11 of their rows, labelled in column 10, so that no load is overwritten;
//  - "Schedule": the group rows in the schedule's columns, the pedestal as two numbers (Peda X, Peda Z:
//    its sides along X and along Z, m), with their pedestal's steel and their checks, then the rows of
//    hand-resized and combined footings with their pedestal's sides (Pedestal X m, Pedestal Z m), their
//    steel both ways, their pedestals and their checks (the checks last); flagged rows Fail;
//  - "Quantities": concrete, pedestals, lean concrete, reinforcement, excavation and formwork per row and
//    in total;
//  - "Bar bending schedule": every bar mark, the totals by diameter (design/bar_bending.h).
// Every sheet's columns are as wide as their texts.
std::vector<Sheet> buildWorkbook(const Project& p);

// Number of load cases from which a combined sheet's loads reach its row 23.
constexpr int kCombinedCasesThatReachRow23 = 19;

// Soil pressures of one load case for the workbook, rounded to two decimals.
// pmax is the peak under the contact (the no-tension pressure where the underside lifts off), pmin the
// linear pressure at the lightest corner; both with the moments about the footing's centre.
struct PressureCheck {
  float pmin = 0, pmax = 0;
  bool fails = false;   // pmax above the allowable pressure, pmin below minus the earth pressure, or no
                        // contact balances the load
  bool uplift = false;  // FY zero or upward: no bearing, the row's uplift check takes the case ("UPLIFT")
};
PressureCheck groupedPressure(const Project& p, int s, const CaseUse& u);
PressureCheck resizedPressure(const Project& p, int s, const CaseUse& u);
// Load-case position c as read.
PressureCheck groupedPressure(const Project& p, int s, int c);
PressureCheck resizedPressure(const Project& p, int s, int c);

// Ordering key of a grouped footing of side S: its largest 1.1 FY / S^2 + 6 max(|MX|, |MZ|) / S^3
// over its load cases, 0 when all are negative.
float groupedFootingSortKey(const Project& p, int s, float S);

}  // namespace plintova
