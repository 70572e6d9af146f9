// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "game/tick_grid.h"

namespace headpop {

// A periodic timer as the rules see it, enabled or not, ticking every period from the
// moment it was enabled, that wakes the program only for the ticks that have work. The
// QTimer underneath (the waker) runs only while the owner says there is work, and is
// set each time for the next tick of the grid, so a tick that comes after a sleep keeps
// the phase it would have had.
class GridTimer {
 public:
  using Clock = std::function<TickGrid::Duration()>;

  // The steady clock, as durations since its epoch.
  static TickGrid::Duration SteadyNow();

  GridTimer(QObject* parent, const QString& name, std::chrono::milliseconds period,
            Clock now = SteadyNow);

  bool Enabled() const { return enabled_; }
  std::chrono::milliseconds Period() const { return period_; }
  // The grid of the current enabling; none before the first.
  const std::optional<TickGrid>& Grid() const { return grid_; }
  // Its timeout is the tick; only Follow may start or stop it.
  QTimer& Waker() { return waker_; }
  const QTimer& Waker() const { return waker_; }

  // Enabling a disabled timer starts a new grid now; enabling an enabled one changes
  // nothing, as with a QTimer. Disabling stops the waker.
  void SetEnabled(bool enabled);
  // Call after anything that may change whether the next tick has work, the ticks
  // themselves included: sets the waker for the next tick, or lets it sleep.
  void Follow(bool work);

 private:
  Clock now_;
  std::chrono::milliseconds period_;
  QTimer waker_;
  bool enabled_ = false;
  std::optional<TickGrid> grid_;
  // The tick the waker was last set for: a waker that fires a little early must not
  // bring the same tick twice.
  TickGrid::Duration lastTick_{};
};

}  // namespace headpop
