// The input files of a project that no output may ever write over.
#pragma once

#include <string>
#include <vector>

#include "output/safe_file.h"

namespace plintova {

// The listing at `anlPath` and the layout file beside it: an export onto either would destroy the
// engineer's input. Empty when no listing was read.
std::vector<ProtectedFile> projectInputFiles(const std::string& anlPath);

// Only the listing, for the writer of the layout file itself.
std::vector<ProtectedFile> listingFile(const std::string& anlPath);

}  // namespace plintova
