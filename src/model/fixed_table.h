// Fixed-capacity tables with checked indices: the model's tables never grow and never write out of range.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace plintova {

// Raised when code indexes a table outside its capacity. Reaching it is a programming error: every
// input that could exceed a capacity is refused with a message before the tables are written.
class IndexError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

[[noreturn]] void throwIndexError(const char* table, long long index, long long size);

// N elements, indices 0..N-1, all zero-initialised, held on the heap so a Project can live anywhere.
template <class T, std::size_t N>
class FixedTable {
 public:
  FixedTable() : data_(N) {}
  T& operator[](long long i) {
    if (i < 0 || static_cast<std::size_t>(i) >= N) throwIndexError("table", i, N);
    return data_[static_cast<std::size_t>(i)];
  }
  const T& operator[](long long i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= N) throwIndexError("table", i, N);
    return data_[static_cast<std::size_t>(i)];
  }
  static constexpr std::size_t size() { return N; }
  void clear() { std::fill(data_.begin(), data_.end(), T{}); }

 private:
  std::vector<T> data_;
};

// A small inline array with checked indices, for arrays inside records (Members, CfMembers, rows).
template <class T, std::size_t N>
class CheckedArray {
 public:
  T& operator[](long long i) {
    if (i < 0 || static_cast<std::size_t>(i) >= N) throwIndexError("array", i, N);
    return data_[static_cast<std::size_t>(i)];
  }
  const T& operator[](long long i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= N) throwIndexError("array", i, N);
    return data_[static_cast<std::size_t>(i)];
  }
  static constexpr std::size_t size() { return N; }
  bool operator==(const CheckedArray&) const = default;

 private:
  std::array<T, N> data_{};
};

}  // namespace plintova
