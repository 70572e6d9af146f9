// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_timer.h"

#include <gtest/gtest.h>

#include <QObject>

namespace headpop {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// Timer2's timer on a clock the test moves by hand; the waker's interval is what it was
// set for, so nothing here waits or depends on the machine's speed.
class GridTimerTest : public ::testing::Test {
 protected:
  void Enable() { timer.SetEnabled(true); }
  // The waker's wait when work appears `sinceEnabled` after the enabling.
  milliseconds WaitForWorkAt(nanoseconds sinceEnabled) {
    now = enabledAt + sinceEnabled;
    timer.Follow(true);
    EXPECT_TRUE(timer.Waker().isActive());
    return milliseconds(timer.Waker().interval());
  }
  // The waker fires `late` after the tick it was set for, and the tick leaves work or not.
  void Fire(nanoseconds tick, nanoseconds late, bool workLeft) {
    now = tick + late;
    timer.Waker().stop();  // a single-shot timer that has fired
    timer.Follow(workLeft);
  }

  const nanoseconds enabledAt = std::chrono::seconds(7) + microseconds(421);
  nanoseconds now = enabledAt;
  QObject owner;
  GridTimer timer{&owner, QStringLiteral("Timer2"), milliseconds(80), [this] { return now; }};
};

TEST_F(GridTimerTest, SleepsWhileEnabledWithNoWork) {
  Enable();
  timer.Follow(false);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(timer.Waker().isActive());
  EXPECT_EQ(timer.Waker().objectName(), QStringLiteral("Timer2"));
  EXPECT_EQ(timer.Waker().timerType(), Qt::PreciseTimer);
  EXPECT_EQ(timer.Period(), milliseconds(80));
}

// Work that appears anywhere in a period is first stepped at the next point of the grid
// counted from the enabling, and never before it.
TEST_F(GridTimerTest, WorkWakesItForTheNextTickOfTheGrid) {
  struct Case {
    nanoseconds sinceEnabled;
    milliseconds wait;
  };
  const Case cases[] = {
      {microseconds(400), milliseconds(80)},  // 79.6 ms to the first tick
      {milliseconds(30), milliseconds(50)},    {microseconds(79500), milliseconds(1)},
      {milliseconds(80), milliseconds(80)},  // on a tick that has passed: the next one
      {microseconds(85250), milliseconds(75)}, {milliseconds(1000), milliseconds(40)},
  };
  for (const Case& c : cases) {
    GridTimer fresh{&owner, QStringLiteral("Timer2"), milliseconds(80), [this] { return now; }};
    now = enabledAt;
    fresh.SetEnabled(true);
    now = enabledAt + c.sinceEnabled;
    fresh.Follow(true);
    EXPECT_TRUE(fresh.Waker().isActive());
    EXPECT_EQ(milliseconds(fresh.Waker().interval()), c.wait)
        << c.sinceEnabled.count() << " ns after enabling";
  }
}

TEST_F(GridTimerTest, EachTickWithWorkLeftSetsTheNextOneOnTheGridAndTheLastLetsItSleep) {
  Enable();
  EXPECT_EQ(WaitForWorkAt(milliseconds(130)), milliseconds(30));  // the tick at 160 ms
  Fire(enabledAt + milliseconds(160), microseconds(700), true);
  EXPECT_EQ(milliseconds(timer.Waker().interval()), milliseconds(80));  // 79.3 ms, rounded up
  // A late tick does not shift the grid: the next comes at 320 ms.
  Fire(enabledAt + milliseconds(240), milliseconds(9), true);
  EXPECT_EQ(milliseconds(timer.Waker().interval()), milliseconds(71));
  // A waker that fires a hair early still brings each tick once.
  Fire(enabledAt + milliseconds(320), -microseconds(200), true);
  EXPECT_EQ(milliseconds(timer.Waker().interval()), milliseconds(81));
  Fire(enabledAt + milliseconds(400), nanoseconds(0), false);
  EXPECT_FALSE(timer.Waker().isActive());
  EXPECT_TRUE(timer.Enabled());
  // Work again much later: the grid is the same.
  EXPECT_EQ(WaitForWorkAt(milliseconds(4043)), milliseconds(37));
}

TEST_F(GridTimerTest, DisablingStopsItAndEnablingAgainStartsANewGrid) {
  Enable();
  EXPECT_EQ(WaitForWorkAt(milliseconds(10)), milliseconds(70));
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(timer.Waker().isActive());
  timer.Follow(true);  // work while disabled wakes nothing
  EXPECT_FALSE(timer.Waker().isActive());
  now = enabledAt + milliseconds(30);
  timer.SetEnabled(true);
  ASSERT_TRUE(timer.Grid().has_value());
  EXPECT_EQ(timer.Grid()->EnabledAt(), enabledAt + milliseconds(30));
  EXPECT_EQ(WaitForWorkAt(milliseconds(40)), milliseconds(70));  // the tick at 110 ms
}

TEST_F(GridTimerTest, EnablingAnEnabledTimerKeepsItsGrid) {
  Enable();
  now = enabledAt + milliseconds(30);
  timer.SetEnabled(true);
  EXPECT_EQ(WaitForWorkAt(milliseconds(50)), milliseconds(30));  // the tick at 80 ms
}

}  // namespace
}  // namespace headpop
