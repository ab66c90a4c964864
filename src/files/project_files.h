// The input files of a project, by name: the layout file beside a listing, and the files no output may
// ever write over.
#pragma once

#include <string>
#include <vector>

#include "files/safe_file.h"

namespace plintova {

// The layout file of a listing: FRAME1.ANL gives FRAME1.SCR; a name that does not end in ".ANL"
// (a lower-case extension, no extension) gets ".SCR" appended, so the layout file is never the listing.
std::string layoutPathFor(const std::string& anlPath);

// The listing at `anlPath` and the layout file beside it: an export onto either would destroy the
// engineer's input. Empty when no listing was read.
std::vector<ProtectedFile> projectInputFiles(const std::string& anlPath);

// Only the listing, for the writer of the layout file itself.
std::vector<ProtectedFile> listingFile(const std::string& anlPath);

}  // namespace plintova
