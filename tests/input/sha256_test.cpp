// The listing's digest: the standard's test messages, and the processor's SHA instructions against the
// portable rounds at every length where the padding changes shape.
#include <gtest/gtest.h>

#include <string>

#include "input/fingerprints.h"
#include "input/sha256.h"

namespace plintova {
namespace {

std::string hexOf(const Sha256Digest& d) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s;
  for (uint8_t b : d) {
    s += kHex[b >> 4];
    s += kHex[b & 0x0F];
  }
  return s;
}

TEST(Sha256, StandardMessagesGiveTheirPublishedDigests) {
  struct Case {
    std::string message;
    const char* digest;
  };
  const Case cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 56 bytes: the length no longer fits in the message's block, so the padding takes a second one.
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.substr(0, 20));
    EXPECT_EQ(hexOf(sha256(c.message)), c.digest);
    EXPECT_EQ(hexOf(sha256Portable(c.message)), c.digest);
  }
  // The fingerprint text is the digest's leading hex digits.
  EXPECT_EQ(sha256Hex("abc", 16), "ba7816bf8f01cfea");
}

TEST(Sha256, FastRoundsAgreeWithPortableAtEveryTailLength) {
  // Bytes of every value, lengths across the one- and two-block tails and several whole blocks.
  std::string bytes;
  uint32_t x = 12345;
  for (int i = 0; i < 700; ++i) {
    x = x * 1103515245u + 12345u;
    bytes += static_cast<char>(x >> 24);
  }
  for (std::size_t n = 0; n <= bytes.size(); ++n)
    ASSERT_EQ(sha256(std::string_view(bytes).substr(0, n)), sha256Portable(std::string_view(bytes).substr(0, n)))
        << "length " << n;
}

}  // namespace
}  // namespace plintova
