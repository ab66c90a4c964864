// Recovery copies: the work of a plan written after every change, offered at the next start when the
// program did not end normally.
#pragma once

#include <string>
#include <vector>

namespace plintova {

// The folder of the recovery copies in the engineer's data folder.
std::string recoveryFolder();

// The recovery copy of the plan of a listing: one per listing, named after a hash of its full path.
std::string recoveryPathFor(const std::string& anlPath);

// The recovery copies present, newest first.
std::vector<std::string> recoveryCopies();

}  // namespace plintova
