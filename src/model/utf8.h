// UTF-8 text read character by character: the names, titles and file names the program writes out are
// UTF-8, and each output format says what becomes of bytes that are not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace plintova {

// Length of the well-formed multi-byte UTF-8 sequence that starts at s[i] (2 to 4), or 0 when the bytes
// there are none: an ASCII byte, a stray continuation byte, a truncated sequence, an overlong form, a
// surrogate or a code point beyond U+10FFFF.
std::size_t utf8SequenceAt(std::string_view s, std::size_t i);

// The next code point of UTF-8 text at `i`, which it advances past it; a broken sequence gives U+FFFD and
// moves on by one byte. Lenient: the lead byte alone decides the sequence's length.
std::uint32_t nextCodePoint(std::string_view s, std::size_t& i);

}  // namespace plintova
