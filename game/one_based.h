// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace headpop {

// Reports a number outside its table on standard error and aborts. Reaching it is a fault in
// the rules, never an input, so there is nothing to recover: the program stops where it is.
[[noreturn]] void IndexOutsideTable(int number, int first, int last);

// A number within kFirst..kLast, the way the game numbers its slots and levels.
// There is no implicit conversion from int: an index is obtained only from All()
// (every number in order, lowest first) or from At(), which refuses numbers outside
// the range. So index 0 of a table numbered from 1 cannot be formed by accident.
template <int kFirstNumber, int kLastNumber>
class Index {
  static_assert(kFirstNumber <= kLastNumber);

 public:
  static constexpr int kFirst = kFirstNumber;
  static constexpr int kLast = kLastNumber;
  static constexpr int kCount = kLast - kFirst + 1;

  // Aborts (IndexOutsideTable) on a number outside the range.
  static constexpr Index At(int number) {
    if (number < kFirst || number > kLast) {
      IndexOutsideTable(number, kFirst, kLast);
    }
    return Index(number);
  }

  constexpr int Number() const { return number_; }
  constexpr bool operator==(const Index&) const = default;

  class Iterator {
   public:
    constexpr explicit Iterator(int number) : number_(number) {}
    constexpr Index operator*() const { return Index(number_); }
    constexpr Iterator& operator++() {
      ++number_;
      return *this;
    }
    constexpr bool operator==(const Iterator&) const = default;

   private:
    int number_;
  };

  struct Range {
    constexpr Iterator begin() const { return Iterator(kFirst); }
    constexpr Iterator end() const { return Iterator(kLast + 1); }
  };

  // Every index from kFirst up to kLast: the order in which every scan runs.
  static constexpr Range All() { return {}; }

 private:
  constexpr explicit Index(int number) : number_(number) {}
  int number_;
};

// A fixed table addressed only by its Index type.
template <typename T, typename IndexType>
class Table {
 public:
  constexpr T& operator[](IndexType index) { return items_[Offset(index)]; }
  constexpr const T& operator[](IndexType index) const { return items_[Offset(index)]; }

 private:
  static constexpr std::size_t Offset(IndexType index) {
    return static_cast<std::size_t>(index.Number() - IndexType::kFirst);
  }
  std::array<T, IndexType::kCount> items_{};
};

}  // namespace headpop
