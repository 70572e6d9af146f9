// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace headpop {

// The game's one source of uniform numbers in [0, 1).
class RandomSource {
 public:
  RandomSource() = default;
  RandomSource(const RandomSource&) = delete;
  RandomSource& operator=(const RandomSource&) = delete;
  virtual ~RandomSource() = default;

  // Starts a new sequence from the clock.
  virtual void Reseed() = 0;
  // The next number r, 0 <= r < 1.
  virtual float Next() = 0;
};

// A whole number 0 .. n - 1 from one draw: floor(r * n). The product is formed in double,
// where it is exact for a 24-bit r and any n the game uses, so no rounding can carry it
// up to n, whatever r below 1 is drawn.
inline int DrawBelow(RandomSource& random, float n) {
  const double product = static_cast<double>(random.Next()) * static_cast<double>(n);
  return static_cast<int>(product);  // product >= 0, so truncation is the floor
}

// xoshiro-style generator reseeded from a high-resolution clock.
// Deviation (see docs/deviations.md, "reseeding"): a reseed mixes the clock reading
// with the generator's own state, so two reseeds within one clock reading still start
// different sequences; two waves spawned in one tick are therefore not identical.
class ClockRandom final : public RandomSource {
 public:
  using Clock = std::function<uint64_t()>;

  // The steady clock in nanoseconds.
  ClockRandom();
  // A given clock, for repeatable runs.
  ClockRandom(uint64_t seed, Clock clock);

  void Reseed() override;
  float Next() override;

 private:
  uint64_t NextBits();

  Clock clock_;
  uint64_t state_[4] = {};
};

}  // namespace headpop
