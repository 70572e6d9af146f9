// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/tick_grid.h"

namespace headpop {

TickGrid::Duration TickGrid::NextTickAfter(Duration moment) const {
  const Duration first = enabledAt_ + period_;
  if (moment < first) {
    return first;
  }
  // moment lies in [first + k × period, first + (k + 1) × period).
  const auto k = (moment - first) / period_;
  return first + (k + 1) * period_;
}

std::chrono::milliseconds WholeMillisecondsUntil(TickGrid::Duration now, TickGrid::Duration tick) {
  if (tick <= now) {
    return std::chrono::milliseconds(0);
  }
  return std::chrono::ceil<std::chrono::milliseconds>(tick - now);
}

}  // namespace headpop
