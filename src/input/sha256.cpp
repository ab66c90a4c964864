// SHA-256 (FIPS 180-4). The listing's digest is taken over tens of megabytes when a project is saved or
// a report written; the processor's SHA extensions do that at about 2 GB/s, the portable rounds at a
// few hundred MB/s, so the extensions are used where the processor reports them.
#include "input/sha256.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <immintrin.h>
#define PLINTOVA_SHA_EXTENSIONS 1
#endif

namespace plintova {

namespace {

alignas(16) constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

using Blocks = void (*)(uint32_t state[8], const unsigned char* data, std::size_t blocks);

uint32_t rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void portableBlocks(uint32_t state[8], const unsigned char* data, std::size_t blocks) {
  for (; blocks > 0; --blocks, data += 64) {
    uint32_t w[64];
    for (int t = 0; t < 16; ++t)
      w[t] = (uint32_t{data[4 * t]} << 24) | (uint32_t{data[4 * t + 1]} << 16) | (uint32_t{data[4 * t + 2]} << 8) |
             uint32_t{data[4 * t + 3]};
    for (int t = 16; t < 64; ++t) {
      const uint32_t s0 = rotr(w[t - 15], 7) ^ rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
      const uint32_t s1 = rotr(w[t - 2], 17) ^ rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
      w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int t = 0; t < 64; ++t) {
      const uint32_t t1 = h + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[t] + w[t];
      const uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
      h = g;
      g = f;
      f = e;
      e = d + t1;
      d = c;
      c = b;
      b = a;
      a = t1 + t2;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
  }
}

#ifdef PLINTOVA_SHA_EXTENSIONS
// The 64 rounds as 16 groups of four: each group's message words (big-endian in the block) are added
// to their round constants and fed to two double rounds; the words of group g >= 4 come from those of
// groups g-4 .. g-1 by the message-schedule instructions. The state is kept as ABEF and CDGH, the
// order the round instruction takes.
__attribute__((target("sha,sse4.1,ssse3"))) void extensionBlocks(uint32_t state[8], const unsigned char* data,
                                                                std::size_t blocks) {
  const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
  __m128i tmp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[0]));
  __m128i state1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[4]));
  tmp = _mm_shuffle_epi32(tmp, 0xB1);                // CDAB
  state1 = _mm_shuffle_epi32(state1, 0x1B);          // EFGH
  __m128i state0 = _mm_alignr_epi8(tmp, state1, 8);  // ABEF
  state1 = _mm_blend_epi16(state1, tmp, 0xF0);       // CDGH
  for (; blocks > 0; --blocks, data += 64) {
    const __m128i abefBefore = state0, cdghBefore = state1;
    __m128i words[4];
    for (int g = 0; g < 16; ++g) {
      __m128i& mine = words[g % 4];
      if (g < 4) {
        mine = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * g)), byteSwap);
      } else {
        const __m128i& last = words[(g + 3) % 4];
        const __m128i& beforeLast = words[(g + 2) % 4];
        mine = _mm_sha256msg1_epu32(mine, words[(g + 1) % 4]);
        mine = _mm_add_epi32(mine, _mm_alignr_epi8(last, beforeLast, 4));
        mine = _mm_sha256msg2_epu32(mine, last);
      }
      __m128i msg = _mm_add_epi32(mine, _mm_load_si128(reinterpret_cast<const __m128i*>(&kRound[4 * g])));
      state1 = _mm_sha256rnds2_epu32(state1, state0, msg);
      msg = _mm_shuffle_epi32(msg, 0x0E);
      state0 = _mm_sha256rnds2_epu32(state0, state1, msg);
    }
    state0 = _mm_add_epi32(state0, abefBefore);
    state1 = _mm_add_epi32(state1, cdghBefore);
  }
  tmp = _mm_shuffle_epi32(state0, 0x1B);        // FEBA
  state1 = _mm_shuffle_epi32(state1, 0xB1);     // DCHG
  state0 = _mm_blend_epi16(tmp, state1, 0xF0);  // DCBA
  state1 = _mm_alignr_epi8(state1, tmp, 8);     // ABEF -> HGFE
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[0]), state0);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[4]), state1);
}
#endif

Sha256Digest digest(std::string_view bytes, Blocks blocks) {
  uint32_t state[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t whole = bytes.size() / 64;
  blocks(state, data, whole);
  // The tail: the remaining bytes, a 1 bit, zeros, and the message's length in bits, big-endian, in
  // one block or two.
  unsigned char tail[128] = {};
  const std::size_t rest = bytes.size() % 64;
  if (rest > 0) std::memcpy(tail, data + whole * 64, rest);
  tail[rest] = 0x80;
  const std::size_t tailBlocks = rest < 56 ? 1 : 2;
  const uint64_t bits = static_cast<uint64_t>(bytes.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tailBlocks * 64 - 1 - i] = static_cast<unsigned char>(bits >> (8 * i));
  blocks(state, tail, tailBlocks);
  Sha256Digest out{};
  for (int i = 0; i < 8; ++i)
    for (int b = 0; b < 4; ++b) out[static_cast<std::size_t>(4 * i + b)] = static_cast<uint8_t>(state[i] >> (24 - 8 * b));
  return out;
}

Blocks fastestBlocks() {
#ifdef PLINTOVA_SHA_EXTENSIONS
  // CPUID leaf 1: SSSE3 (ECX bit 9) and SSE4.1 (bit 19); leaf 7: the SHA extensions (EBX bit 29).
  unsigned a = 0, b = 0, c = 0, d = 0;
  const bool shuffles = __get_cpuid(1, &a, &b, &c, &d) && (c & (1u << 9)) && (c & (1u << 19));
  if (shuffles && __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & (1u << 29))) return extensionBlocks;
#endif
  return portableBlocks;
}

}  // namespace

Sha256Digest sha256(std::string_view bytes) {
  static const Blocks blocks = fastestBlocks();
  return digest(bytes, blocks);
}

Sha256Digest sha256Portable(std::string_view bytes) { return digest(bytes, portableBlocks); }

}  // namespace plintova
