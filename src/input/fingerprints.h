// Fingerprints of what was read: the SHA-256 of the input's bytes and a short one of each support's
// reactions, so that a saved project can tell whether its listing changed and where.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/safe_file.h"
#include "model/project.h"

namespace plintova {

// SHA-256 of `bytes` as lower-case hex digits, the first `digits` of them; empty if the digest fails.
std::string sha256Hex(std::string_view bytes, std::size_t digits = 64);

// Sets SupportPrints from the reaction table just read (before sizing replaces zero or upward loads and
// combinations are added): each support's load case numbers, FY, MX and MZ in the shortest text that
// reads back to the same single-precision value (locale-independent, so the desktop and the batch tool
// agree), hashed to 16 hex digits.
void fingerprintSupports(Project& p);
// The same fingerprints, made from a project that is only read (on another thread, say).
std::vector<std::string> supportPrints(const Project& p);

// Sets ListingSha256 from the input's bytes at once (a text given in memory).
void fingerprintBytes(Project& p, std::string_view bytes);

// Keeps the bytes of a file read, whose SHA-256 listingSha256 makes when it is first asked for.
void keepInputBytes(Project& p, FileBytes bytes);

// The SHA-256 of the input's bytes: made now from the bytes kept, which are then let go.
const std::string& listingSha256(const Project& p);

}  // namespace plintova
