// A map from 64-bit keys to 32-bit values held in one array (open addressing, linear probing): the
// lattices and lookups of a frame hold tens of thousands of entries, which a node-based map would
// allocate one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plintova {

class FlatMap {
 public:
  // The value of the key, or `absent` when the map does not hold it.
  int32_t get(uint64_t key, int32_t absent = 0) const {
    if (slots_.empty()) return absent;
    const Slot& s = slots_[slotOf(key)];
    return s.used ? s.value : absent;
  }
  bool contains(uint64_t key) const { return !slots_.empty() && slots_[slotOf(key)].used; }
  // Sets the key's value, replacing one it held.
  void set(uint64_t key, int32_t value) { slotFor(key).value = value; }
  // Sets the key's value unless the map holds the key already (the first value stays).
  void emplace(uint64_t key, int32_t value) {
    const std::size_t before = size_;
    Slot& s = slotFor(key);
    if (size_ != before) s.value = value;
  }
  void erase(uint64_t key);
  // Room for n keys without growing.
  void reserve(std::size_t n);
  void clear() {
    slots_.clear();
    size_ = 0;
  }
  std::size_t size() const { return size_; }
  // The same keys with the same values, whatever the order they were added in.
  bool operator==(const FlatMap& other) const;

 private:
  struct Slot {
    uint64_t key = 0;
    int32_t value = 0;
    bool used = false;
  };
  std::size_t home(uint64_t key) const {
    // Fibonacci hashing: the top bits of the product spread keys that differ in any bits.
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  // The key's slot, or the free slot where it would go.
  std::size_t slotOf(uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = home(key);
    while (slots_[i].used && slots_[i].key != key) i = (i + 1) & mask;
    return i;
  }
  // The key's slot, taken (and counted) when the map did not hold the key.
  Slot& slotFor(uint64_t key);
  void rehash(std::size_t slotCount);

  std::vector<Slot> slots_;  // a power of two of them, at most half used
  std::size_t size_ = 0;
  int shift_ = 64;
};

inline FlatMap::Slot& FlatMap::slotFor(uint64_t key) {
  if ((size_ + 1) * 2 > slots_.size()) rehash(slots_.empty() ? 16 : slots_.size() * 2);
  Slot& s = slots_[slotOf(key)];
  if (!s.used) {
    s.used = true;
    s.key = key;
    ++size_;
  }
  return s;
}

inline void FlatMap::reserve(std::size_t n) {
  std::size_t count = 16;
  while (count < n * 2) count *= 2;
  if (count > slots_.size()) rehash(count);
}

inline void FlatMap::rehash(std::size_t slotCount) {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(slotCount, Slot{});
  shift_ = 64;
  for (std::size_t c = slotCount; c > 1; c >>= 1) --shift_;
  for (const Slot& s : old)
    if (s.used) slots_[slotOf(s.key)] = s;
}

inline void FlatMap::erase(uint64_t key) {
  if (slots_.empty()) return;
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = slotOf(key);
  if (!slots_[hole].used) return;
  // Backward-shift deletion: every later entry of the run whose home does not lie cyclically in
  // (hole, j] moves into the hole, so that no search stops early at a freed slot.
  for (std::size_t j = (hole + 1) & mask; slots_[j].used; j = (j + 1) & mask) {
    const std::size_t h = home(slots_[j].key);
    const bool stays = hole <= j ? (hole < h && h <= j) : (hole < h || h <= j);
    if (stays) continue;
    slots_[hole] = slots_[j];
    hole = j;
  }
  slots_[hole] = Slot{};
  --size_;
}

inline bool FlatMap::operator==(const FlatMap& other) const {
  if (size_ != other.size_) return false;
  for (const Slot& s : slots_)
    if (s.used && (!other.contains(s.key) || other.get(s.key) != s.value)) return false;
  return true;
}

}  // namespace plintova
