// The layout file (.SCR) beside the listing: the column offset steps of every footing between runs.
#pragma once

#include <string>

#include "model/project.h"

namespace plintova {

// The layout file of a listing: FRAME1.ANL gives FRAME1.SCR; a name that does not end in ".ANL"
// (a lower-case extension, no extension) gets ".SCR" appended, so the layout file is never the listing.
std::string layoutPathFor(const std::string& anlPath);

// Writes the steps of footings 1..FootingCount: line 1 " " + (OffsetX + 2) per footing, line 2 a
// carriage return then " " + (OffsetZ + 5) per footing, each line ended by CR LF. The file is written
// to a temporary file in the same folder and renamed over the old one. Returns an empty string on
// success, or the message to show when the file could not be written.
std::string writeLayout(const Project& p);

// Reads the layout file of the project's listing: returns false when there is none or it cannot be
// read. A first line that does not hold exactly FootingCount values changes nothing. Steps outside
// -1..+1 are ignored. Each footing whose column section is known moves to where its steps put it:
// PosX = ColumnX + OffsetX * (dimension 4 / 2 - 115), PosZ = ColumnZ + OffsetZ * (dimension 3 / 2 - 115).
bool readLayout(Project& p);

}  // namespace plintova
