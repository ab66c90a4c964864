// Fingerprints of what was read: the SHA-256 of the input's bytes and a short one of each support's
// reactions, so that a saved project can tell whether its listing changed and where.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/project.h"

namespace plintova {

// SHA-256 of `bytes` as lower-case hex digits, the first `digits` of them; empty if the digest fails.
std::string sha256Hex(std::string_view bytes, std::size_t digits = 64);

// Sets ListingSha256 from the input's bytes and SupportPrints from the reaction table just read (before
// sizing replaces zero or upward loads): each support's load case numbers, FY, MX and MZ in the
// shortest text that reads back to the same single-precision value (locale-independent, so the desktop
// and the batch tool agree), hashed to 16 hex digits.
void fingerprintInput(Project& p, std::string_view bytes);

}  // namespace plintova
