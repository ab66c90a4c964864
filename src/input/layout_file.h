// The layout file (.SCR) beside the listing: the column offset steps of every footing between runs.
#pragma once

#include <string>

#include "model/project.h"

namespace plintova {

// Writes the steps of footings 1..FootingCount (for an offset typed in millimetres, the nearest step,
// which is all the file can hold): line 1 " " + (OffsetX + 2) per footing, line 2 a
// carriage return then " " + (OffsetZ + 5) per footing, each line ended by CR LF. Written through the
// safe file writer (a temporary file renamed over the old one; never over the listing, a read-only file
// or anything but a regular file). Returns an empty string on success, or the message to show when the
// file could not be written.
std::string writeLayout(const Project& p);

enum class LayoutStatus {
  None,        // there is no layout file
  Applied,     // its steps were read and the footings moved
  Ignored,     // it was written for another plan: its first line does not hold FootingCount values
  Unreadable,  // it exists but cannot be read (permissions, not a regular file, too large)
};

struct LayoutResult {
  LayoutStatus status = LayoutStatus::None;
  std::string message;  // for Ignored and Unreadable: what happened, with the file's name and the reason
  // True when the file was read, whether or not its steps fitted the plan.
  explicit operator bool() const { return status == LayoutStatus::Applied || status == LayoutStatus::Ignored; }
};

// Reads the layout file of the project's listing without ever waiting on it (a named pipe is refused).
// A first line that does not hold exactly FootingCount values changes nothing. Steps outside -1..+1 are
// ignored. The steps become the offsets of the engineer's decisions, and each footing whose column
// section is known moves to where its steps put it (offsetPosition).
LayoutResult readLayout(Project& p);

}  // namespace plintova
