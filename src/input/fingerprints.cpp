// Fingerprints of what was read: the SHA-256 of the input's bytes and a short one of each support's reactions.
#include "input/fingerprints.h"

#include <algorithm>
#include <charconv>

#include "input/sha256.h"

namespace plintova {

namespace {

std::string supportPrint(const Project& p, int s) {
  std::string text;
  char buf[32];
  const int last = p.lastCasePosition(s);
  for (int c = 0; c <= last; ++c) {
    for (int k = 1; k <= 4; ++k) {
      const auto r = std::to_chars(buf, buf + sizeof buf, p.ReactionTable(s, c, k).value());
      text.append(buf, r.ptr);
      text += k < 4 ? ' ' : '\n';
    }
  }
  return sha256Hex(text, 16);
}

}  // namespace

std::string sha256Hex(std::string_view bytes, std::size_t digits) {
  const Sha256Digest md = sha256(bytes);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (std::size_t i = 0; i < md.size() && hex.size() < digits; ++i) {
    hex += kHex[md[i] >> 4];
    hex += kHex[md[i] & 0x0F];
  }
  hex.resize(std::min(hex.size(), digits));
  return hex;
}

std::vector<std::string> supportPrints(const Project& p) {
  const int n = p.supportCount();
  std::vector<std::string> prints(static_cast<std::size_t>(n) + 1);
  for (int s = 1; s <= n; ++s) prints[static_cast<std::size_t>(s)] = supportPrint(p, s);
  return prints;
}

void fingerprintSupports(Project& p) { p.SupportPrints = supportPrints(p); }

void fingerprintBytes(Project& p, std::string_view bytes) {
  p.ListingBytes.reset();
  p.ListingByteCount = 0;
  p.ListingSha256 = sha256Hex(bytes);
}

void keepInputBytes(Project& p, FileBytes bytes) {
  p.ListingSha256.clear();
  p.ListingByteCount = bytes.size();
  p.ListingBytes = std::move(bytes).release();
}

const std::string& listingSha256(const Project& p) {
  if (p.ListingSha256.empty() && p.ListingBytes) {
    p.ListingSha256 = sha256Hex(std::string_view(p.ListingBytes.get(), p.ListingByteCount));
    p.ListingBytes.reset();
    p.ListingByteCount = 0;
  }
  return p.ListingSha256;
}

}  // namespace plintova
