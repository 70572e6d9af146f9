// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace headpop {

// The moments a periodic timer ticks at: one period after it was enabled, then every
// period while it stays enabled. A front-end that sleeps through ticks with nothing to do
// wakes for the next of these moments, so the work keeps the phase it would have had if
// the timer had never slept. Moments are durations since any fixed point of one steady
// clock.
class TickGrid {
 public:
  using Duration = std::chrono::nanoseconds;

  TickGrid(Duration enabledAt, Duration period) : enabledAt_(enabledAt), period_(period) {}

  Duration EnabledAt() const { return enabledAt_; }
  Duration Period() const { return period_; }

  // The first tick strictly after `moment`.
  Duration NextTickAfter(Duration moment) const;

 private:
  Duration enabledAt_;
  Duration period_;
};

// How long a timer of whole milliseconds, started at `now`, must be set for so that it
// fires at `tick` and never before: the wait rounded up to the next millisecond.
std::chrono::milliseconds WholeMillisecondsUntil(TickGrid::Duration now, TickGrid::Duration tick);

}  // namespace headpop
