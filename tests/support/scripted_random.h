// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <stdexcept>

#include "game/random.h"

namespace headpop::testing {

// Hands out the numbers it was given, in order, and counts reseeds; running out is a
// test failure, reported as an exception.
class ScriptedRandom final : public RandomSource {
 public:
  std::deque<float> numbers;
  int reseeds = 0;
  int draws = 0;

  void Reseed() override { ++reseeds; }
  float Next() override {
    if (numbers.empty()) {
      throw std::logic_error("the script of random numbers ran out");
    }
    ++draws;
    const float r = numbers.front();
    numbers.pop_front();
    return r;
  }
  void Add(std::initializer_list<float> more) { numbers.insert(numbers.end(), more); }
};

// r that gives floor(r * n) == k, for a draw of k out of n.
constexpr float Pick(int k, int n) {
  return (static_cast<float>(k) + 0.5F) / static_cast<float>(n);
}

}  // namespace headpop::testing
