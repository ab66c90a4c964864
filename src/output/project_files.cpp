// The input files of a project that no output may ever write over.
#include "output/project_files.h"

#include "input/layout_file.h"

namespace plintova {

std::vector<ProtectedFile> listingFile(const std::string& anlPath) {
  if (anlPath.empty()) return {};
  return {{anlPath, "the listing"}};
}

std::vector<ProtectedFile> projectInputFiles(const std::string& anlPath) {
  if (anlPath.empty()) return {};
  return {{anlPath, "the listing"}, {layoutPathFor(anlPath), "the layout file"}};
}

}  // namespace plintova
