// Temporary files with fresh names beside the file they will replace.
#include "model/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace plintova {

std::string createTemporaryBeside(const std::string& target, std::string& reason) {
  namespace fs = std::filesystem;
  const fs::path path(target);
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string stem = "." + path.filename().string() + ".tmp";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = folder / (stem + std::to_string(::getpid()) + "-" + std::to_string(attempt));
    int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return candidate.string();
    }
    if (errno != EEXIST) {
      reason = std::strerror(errno);
      return {};
    }
  }
  reason = "no temporary file name is free";
  return {};
}

}  // namespace plintova
