// The flat map against the standard library's map under long runs of insertions, replacements and
// erasures on keys that share their home slots.
#include "model/flat_map.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

using namespace plintova;

namespace {

void expectSame(const FlatMap& map, const std::unordered_map<uint64_t, int32_t>& reference, uint64_t keys) {
  ASSERT_EQ(map.size(), reference.size());
  for (uint64_t k = 0; k < keys; ++k) {
    auto it = reference.find(k << 40);
    ASSERT_EQ(map.contains(k << 40), it != reference.end()) << "key " << k;
    ASSERT_EQ(map.get(k << 40, -1), it == reference.end() ? -1 : it->second) << "key " << k;
  }
}

}  // namespace

TEST(FlatMap, AgreesWithAStandardMapThroughEveryChange) {
  // Few distinct keys, all multiples of 2^40, so that runs of occupied slots form and erasures must
  // move entries back into the holes they leave.
  for (uint64_t keys : {5u, 40u, 300u}) {
    std::mt19937 rng(static_cast<unsigned>(keys));
    FlatMap map;
    std::unordered_map<uint64_t, int32_t> reference;
    for (int step = 0; step < 6000; ++step) {
      const uint64_t key = (rng() % keys) << 40;
      const auto value = static_cast<int32_t>(rng() % 1000) - 500;
      switch (rng() % 4) {
        case 0:
          map.set(key, value);
          reference[key] = value;
          break;
        case 1:
          map.emplace(key, value);
          reference.emplace(key, value);
          break;
        default:
          map.erase(key);
          reference.erase(key);
      }
      if (step % 97 == 0 || keys == 5) expectSame(map, reference, keys);
    }
    expectSame(map, reference, keys);
  }
}

TEST(FlatMap, EqualityIgnoresOrderAndRoom) {
  FlatMap a, b;
  b.reserve(1000);
  for (uint64_t k = 1; k <= 50; ++k) a.set(k * 7, static_cast<int32_t>(k));
  for (uint64_t k = 50; k >= 1; --k) b.set(k * 7, static_cast<int32_t>(k));
  EXPECT_TRUE(a == b);
  b.set(7, 99);
  EXPECT_FALSE(a == b);
  b.set(7, 1);
  b.erase(14);
  EXPECT_FALSE(a == b);
  b.set(15, 2);
  EXPECT_FALSE(a == b);  // the same size and values, another key
  a.clear();
  EXPECT_EQ(a.size(), 0u);
  EXPECT_EQ(a.get(7), 0);
}
