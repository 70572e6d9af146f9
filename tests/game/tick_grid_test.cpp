// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/tick_grid.h"

#include <gtest/gtest.h>

namespace headpop {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// Enabled at an odd moment, as a real clock gives it: 5 s, 333 µs and 7 ns.
constexpr nanoseconds kEnabledAt = std::chrono::seconds(5) + microseconds(333) + nanoseconds(7);
constexpr nanoseconds kPeriod = milliseconds(80);

TEST(TickGrid, TheNextTickIsTheFirstGridPointStrictlyAfterTheMoment) {
  const TickGrid grid(kEnabledAt, kPeriod);
  struct Case {
    nanoseconds sinceEnabled;
    nanoseconds nextSinceEnabled;
  };
  const Case cases[] = {
      {nanoseconds(0), milliseconds(80)},                      // the moment it was enabled
      {milliseconds(30), milliseconds(80)},                    // within the first period
      {milliseconds(80) - nanoseconds(1), milliseconds(80)},   // just before the first tick
      {milliseconds(80), milliseconds(160)},                   // on a tick: that one is taken
      {milliseconds(80) + nanoseconds(1), milliseconds(160)},  // just after it
      {milliseconds(250), milliseconds(320)},
      {milliseconds(1000), milliseconds(1040)},  // 12.5 periods
      {std::chrono::hours(3) + milliseconds(5), std::chrono::hours(3) + milliseconds(80)},
      {-milliseconds(10), milliseconds(80)},  // a moment before it was enabled
  };
  for (const Case& c : cases) {
    EXPECT_EQ(grid.NextTickAfter(kEnabledAt + c.sinceEnabled), kEnabledAt + c.nextSinceEnabled)
        << c.sinceEnabled.count() << " ns after enabling";
  }
}

TEST(TickGrid, AMillisecondTimerWaitsForTheTickAndNeverFiresBeforeIt) {
  struct Case {
    nanoseconds wait;
    milliseconds set;
  };
  const Case cases[] = {
      {milliseconds(50), milliseconds(50)}, {microseconds(49200), milliseconds(50)},
      {microseconds(300), milliseconds(1)}, {nanoseconds(1), milliseconds(1)},
      {milliseconds(80), milliseconds(80)}, {nanoseconds(0), milliseconds(0)},
      {-milliseconds(3), milliseconds(0)},  // the tick has passed: at once
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WholeMillisecondsUntil(kEnabledAt, kEnabledAt + c.wait), c.set)
        << c.wait.count() << " ns";
  }
  // Wherever a wait falls in the grid, the timer fires on the tick or less than 1 ms after.
  const TickGrid grid(kEnabledAt, kPeriod);
  for (nanoseconds now = kEnabledAt; now < kEnabledAt + 3 * kPeriod; now += microseconds(137)) {
    const nanoseconds tick = grid.NextTickAfter(now);
    const nanoseconds fires = now + WholeMillisecondsUntil(now, tick);
    EXPECT_GE(fires, tick);
    EXPECT_LT(fires, tick + milliseconds(1));
  }
}

}  // namespace
}  // namespace headpop
