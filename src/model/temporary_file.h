// Temporary files beside a target, for writing a file completely before it replaces the target.
#pragma once

#include <string>

namespace plintova {

// Creates an empty file with a fresh name in the folder of `target` (the same folder, so the final
// rename cannot cross file systems and replaces the target in one step). Returns its path, or "" with
// the reason in `reason`. An existing file is never reused or overwritten.
std::string createTemporaryBeside(const std::string& target, std::string& reason);

}  // namespace plintova
