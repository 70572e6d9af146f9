// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level_rules.h"

#include <array>

namespace headpop {

// Kept on purpose (see docs/deviations.md, "interval steps").
void FillLevelTable(Table<int16_t, LevelNo>& levelInterval) {
  constexpr std::array<int16_t, 5> kEvenLevelIntervals = {200, 180, 160, 140, 100};
  int even = 2;
  for (const int16_t ms : kEvenLevelIntervals) {
    levelInterval[LevelNo::At(even)] = ms;
    even += 2;
  }
  for (int i = 2; i <= kLastLevel; i += 2) {
    levelInterval[LevelNo::At(i - 1)] = levelInterval[LevelNo::At(i)];
  }
}

}  // namespace headpop
