// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "game/game_state.h"

namespace headpop {

inline constexpr int16_t kLastLevel = 10;
inline constexpr int16_t kWonLevel = kLastLevel + 1;
inline constexpr int16_t kFirstFlatQuotaLevel = 4;  // also the first level of waves of 2..5
inline constexpr int16_t kFlatQuota = 65;           // 65, not 4 x 20
inline constexpr int16_t kQuotaPerLevel = 20;
inline constexpr int16_t kLossPerLevel = 4;
inline constexpr int16_t kPointsPerHit = 10;

// Targets a level must see (hits plus escapes) before it ends.
// Kept on purpose (see docs/deviations.md, "flat quota").
constexpr int16_t QuotaOfLevel(int16_t level) {
  return level >= kFirstFlatQuotaLevel ? kFlatQuota : static_cast<int16_t>(level * kQuotaPerLevel);
}

// Escapes that lose the game when the quota runs out through an escape.
constexpr int16_t LossThresholdOfLevel(int16_t level) {
  return static_cast<int16_t>(kLossPerLevel * level);
}

// Stores the five distinct intervals at the even levels, then copies each down to the
// odd level below it.
void FillLevelTable(Table<int16_t, LevelNo>& levelInterval);

}  // namespace headpop
