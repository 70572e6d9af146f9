// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/scripted_random.h"

namespace headpop {
namespace {

TEST(DrawBelow, NeverReachesNEvenForTheLargestNumberBelowOne) {
  const float largest = std::nextafter(1.0F, 0.0F);
  for (const float n : {2.0F, 3.0F, 5.0F, 10.0F, 309.0F}) {
    testing::ScriptedRandom random;
    random.Add({largest, 0.0F});
    EXPECT_EQ(DrawBelow(random, n), static_cast<int>(n) - 1) << n;
    EXPECT_EQ(DrawBelow(random, n), 0) << n;
  }
}

std::vector<float> Sequence(RandomSource& random, int count) {
  std::vector<float> values;
  for (int i = 0; i < count; ++i) {
    values.push_back(random.Next());
  }
  return values;
}

TEST(ClockRandom, TwoReseedsInOneClockReadingStartDifferentSequences) {
  ClockRandom random(7, [] { return uint64_t{1234}; });
  random.Reseed();
  const std::vector<float> first = Sequence(random, 8);
  random.Reseed();
  EXPECT_NE(Sequence(random, 8), first);
}

TEST(ClockRandom, SameSeedAndClockRepeatTheRun) {
  auto run = [] {
    uint64_t now = 0;
    ClockRandom random(99, [&now] { return now += 1000; });
    random.Reseed();
    std::vector<float> values = Sequence(random, 4);
    random.Reseed();
    const std::vector<float> more = Sequence(random, 4);
    values.insert(values.end(), more.begin(), more.end());
    return values;
  };
  EXPECT_EQ(run(), run());
}

TEST(ClockRandom, NumbersAreInTheUnitIntervalAndSpreadEvenly) {
  ClockRandom random;
  std::vector<int> buckets(10);
  constexpr int kDraws = 100000;
  for (int i = 0; i < kDraws; ++i) {
    const float r = random.Next();
    ASSERT_GE(r, 0.0F);
    ASSERT_LT(r, 1.0F);
    ++buckets.at(DrawBelow(random, 10));
  }
  for (const int count : buckets) {
    EXPECT_NEAR(count, kDraws / 10, kDraws / 100);
  }
}

}  // namespace
}  // namespace headpop
