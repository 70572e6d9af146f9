// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_timer.h"

#include <algorithm>
#include <utility>

namespace headpop {

TickGrid::Duration GridTimer::SteadyNow() {
  return std::chrono::duration_cast<TickGrid::Duration>(
      std::chrono::steady_clock::now().time_since_epoch());
}

GridTimer::GridTimer(QObject* parent, const QString& name, std::chrono::milliseconds period,
                     Clock now)
    : now_(std::move(now)), period_(period) {
  waker_.setParent(parent);
  waker_.setObjectName(name);
  waker_.setTimerType(Qt::PreciseTimer);
  waker_.setSingleShot(true);
  waker_.setInterval(period);
}

void GridTimer::SetEnabled(bool enabled) {
  if (!enabled) {
    enabled_ = false;
    waker_.stop();
    return;
  }
  if (!enabled_) {
    enabled_ = true;
    grid_.emplace(now_(), period_);
    lastTick_ = grid_->EnabledAt();
  }
}

void GridTimer::Follow(bool work) {
  if (!enabled_ || !work) {
    waker_.stop();
    return;
  }
  if (waker_.isActive()) {
    return;  // already set for the next tick
  }
  const TickGrid::Duration now = now_();
  lastTick_ = grid_->NextTickAfter(std::max(now, lastTick_));
  waker_.start(WholeMillisecondsUntil(now, lastTick_));
}

}  // namespace headpop
