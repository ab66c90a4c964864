// SHA-256 (FIPS 180-4) of a run of bytes, by the processor's SHA instructions where it has them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace plintova {

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest sha256(std::string_view bytes);

// The same digest by the portable rounds alone, whatever the processor (for tests that compare them).
Sha256Digest sha256Portable(std::string_view bytes);

}  // namespace plintova
