// The model's tables: checked indices up to a limit set far above real buildings, storage that grows
// with what a listing holds, and references that stay valid while a table grows.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>

namespace plintova {

// Raised when code indexes a table outside its limit. Reaching it is a programming error: every input
// that could exceed a limit is refused with a message before the tables are written.
class IndexError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

[[noreturn]] void throwIndexError(const char* table, long long index, long long size);

// Indices 0..Limit-1, every element zero until written. Storage holds the elements up to the highest
// one written, so memory follows the listing, not the limit; reading beyond it gives a zero element.
// A deque keeps references to elements valid while later elements are added, as a fixed array did.
template <class T, std::size_t Limit>
class LimitedTable {
 public:
  T& operator[](long long i) {
    check(i);
    const auto at = static_cast<std::size_t>(i);
    if (at >= data_.size()) data_.resize(at + 1);
    return data_[at];
  }
  const T& operator[](long long i) const {
    check(i);
    const auto at = static_cast<std::size_t>(i);
    if (at >= data_.size()) return zero();
    return data_[at];
  }
  static constexpr std::size_t limit() { return Limit; }
  // Elements held: one past the highest written (or reserved) so far.
  std::size_t stored() const { return data_.size(); }
  void clear() { data_.clear(); }
  bool operator==(const LimitedTable& other) const {
    const std::size_t n = std::max(data_.size(), other.data_.size());
    for (std::size_t i = 0; i < n; ++i)
      if (!((*this)[static_cast<long long>(i)] == other[static_cast<long long>(i)])) return false;
    return true;
  }

 private:
  static void check(long long i) {
    if (i < 0 || static_cast<std::size_t>(i) >= Limit) throwIndexError("table", i, static_cast<long long>(Limit));
  }
  static const T& zero() {
    static const T z{};
    return z;
  }
  std::deque<T> data_;
};

// A small inline array of fixed size with checked indices, for the fixed parts of records (a joint's
// number and coordinates, a combined footing's two members).
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
