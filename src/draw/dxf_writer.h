// The footing drawing as a DXF file for CAD programs, written with dxflib from the sheet's primitives.
#pragma once

#include <string>

#include "model/project.h"
#include "print/sheet_layout.h"

namespace plintova::draw {

// The layer a primitive of the sheet goes on: GRID, GRID-TEXT, FOOTING, PEDESTAL, COLUMN, MARK,
// DIMENSION, SCHEDULE, NOTES or TITLE.
std::string dxfLayer(const Primitive& p);

// Text as DXF holds it: ASCII, with the diameter sign as %%c and any other character as \U+XXXX.
std::string dxfText(const std::string& utf8);

// Writes the sheet to the file `path` as an R2000 DXF in millimetres: model space at 1:1, everything on
// the sheet multiplied by its scale, so that the plan lies at its true coordinates (X to the right, Z
// downward drawn as -Y) with the schedule, notes and title block beside it at the drawing's scale. Boxes
// and polylines are LWPOLYLINEs (closed where they close), circles CIRCLEs and every line of a text a
// TEXT. Returns "" or the reason. Writes the file directly: callers go through the safe writer.
std::string writeDxfFile(const print::Sheet& sheet, const std::string& path);

// Writes the project's footing drawing (print::cadSheet with the engineer's sheet settings) as a DXF file
// through the safe file writer: never over the listing or its layout file, never half a file over a
// good one. Returns the message to show, empty on success.
std::string writeSheetDxf(const Project& project, const std::string& path);

}  // namespace plintova::draw
