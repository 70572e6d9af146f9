// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/random.h"

#include <chrono>
#include <utility>

namespace headpop {
namespace {

uint64_t SplitMix64(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31U);
}

uint64_t Rotl(uint64_t x, unsigned k) { return (x << k) | (x >> (64U - k)); }

uint64_t SteadyNanoseconds() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

}  // namespace

ClockRandom::ClockRandom() : ClockRandom(SteadyNanoseconds(), SteadyNanoseconds) {}

ClockRandom::ClockRandom(uint64_t seed, Clock clock) : clock_(std::move(clock)) {
  for (uint64_t& word : state_) {
    word = SplitMix64(seed);
  }
}

void ClockRandom::Reseed() {
  // The old state goes into the new seed, so an unchanged clock still moves on.
  uint64_t seed = clock_() ^ NextBits();
  for (uint64_t& word : state_) {
    word = SplitMix64(seed);
  }
}

float ClockRandom::Next() {
  // 24 bits: every value k / 2^24 is exact in a float and below 1.
  constexpr float kScale = 1.0F / 16777216.0F;
  return static_cast<float>(NextBits() >> 40U) * kScale;
}

uint64_t ClockRandom::NextBits() {
  // xoshiro256**
  const uint64_t result = Rotl(state_[1] * 5, 7) * 9;
  const uint64_t t = state_[1] << 17U;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = Rotl(state_[3], 45);
  return result;
}

}  // namespace headpop
