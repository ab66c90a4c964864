// The footing drawing as a DXF file for CAD programs, written from the sheet's primitives.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "print/sheet_layout.h"

namespace plintova::draw {

// The layer a primitive of the sheet goes on: GRID, GRID-TEXT, FOOTING, PEDESTAL, COLUMN, MARK,
// DIMENSION, SCHEDULE, NOTES or TITLE.
std::string dxfLayer(const Primitive& p);

// Text as DXF holds it: ASCII, with the diameter sign as %%c and any other character as \U+XXXX.
std::string dxfText(const std::string& utf8);

// Writes the drawing to the file `path` as an AutoCAD 2000 DXF in millimetres: model space holds `plan`
// (print::cadPlan) at 1:1, the plan at its true coordinates (X to the right, Z downward drawn as -Y) and
// its annotation at the drawing's scale; every sheet of `sheets` is a paper-space layout of its own
// ("Sheet 1", ...) holding what the printed sheet shows, in paper millimetres within a border of the real
// paper. Boxes and polylines are LWPOLYLINEs, filled ones also SOLIDs, circles CIRCLEs, every line of a
// text a TEXT (rotated 0 or 90 degrees) and every dimension a DIMENSION with its dimension style and
// block. Returns "" or the reason. Writes the file directly: callers go through the safe writer.
std::string writeDxfFile(const print::Sheet& plan, const std::vector<print::Sheet>& sheets, const std::string& path);

// Writes the project's footing drawing (print::cadPlan and print::footingSheets with the engineer's sheet
// settings) as a DXF file through the safe file writer: never over the listing or its layout file, never
// half a file over a good one. Returns the message to show, empty on success.
std::string writeSheetDxf(const Project& project, const std::string& path);

}  // namespace plintova::draw
