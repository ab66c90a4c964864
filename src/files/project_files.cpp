// The input files of a project that no output may ever write over, and the layout file's name.
#include "files/project_files.h"

#include <string_view>

namespace plintova {

std::vector<ProtectedFile> listingFile(const std::string& anlPath) {
  if (anlPath.empty()) return {};
  return {{anlPath, "the listing"}};
}

std::vector<ProtectedFile> projectInputFiles(const std::string& anlPath) {
  if (anlPath.empty()) return {};
  return {{anlPath, "the listing"}, {layoutPathFor(anlPath), "the layout file"}};
}

std::string layoutPathFor(const std::string& anlPath) {
  constexpr std::string_view ext = ".ANL";
  if (anlPath.size() >= ext.size() && std::string_view(anlPath).substr(anlPath.size() - ext.size()) == ext)
    return anlPath.substr(0, anlPath.size() - ext.size()) + ".SCR";
  return anlPath + ".SCR";
}

}  // namespace plintova
