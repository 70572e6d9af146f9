// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level_rules.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "tests/support/game_fixture.h"

namespace headpop {
namespace {

struct LevelRow {
  int16_t level;
  int16_t interval;
  int16_t quota;
  int16_t lossThreshold;
};

constexpr LevelRow kLevels[] = {
    {1, 200, 20, 4},  {2, 200, 40, 8},  {3, 180, 60, 12}, {4, 180, 65, 16}, {5, 160, 65, 20},
    {6, 160, 65, 24}, {7, 140, 65, 28}, {8, 140, 65, 32}, {9, 100, 65, 36}, {10, 100, 65, 40},
};

TEST(LevelRules, TableQuotaAndThresholdOfEveryLevel) {
  Table<int16_t, LevelNo> intervals;
  FillLevelTable(intervals);
  for (const LevelRow& row : kLevels) {
    SCOPED_TRACE(row.level);
    EXPECT_EQ(intervals[LevelNo::At(row.level)], row.interval);
    EXPECT_EQ(QuotaOfLevel(row.level), row.quota);
    EXPECT_EQ(LossThresholdOfLevel(row.level), row.lossThreshold);
  }
}

// A number outside its table is a fault in the rules: the program stops there, saying which.
TEST(LevelIndexDeathTest, NumbersOutsideTheTableStopTheProgram) {
  EXPECT_DEATH(static_cast<void>(LevelNo::At(0)), "index 0 outside its table 1\\.\\.10");
  EXPECT_DEATH(static_cast<void>(LevelNo::At(11)), "index 11 outside its table 1\\.\\.10");
  EXPECT_DEATH(static_cast<void>(SlotNo::At(0)), "index 0 outside its table 1\\.\\.20");
  EXPECT_DEATH(static_cast<void>(SlotNo::At(21)), "index 21 outside its table 1\\.\\.20");
  EXPECT_EQ(SlotNo::At(20).Number(), 20);
  EXPECT_EQ(LevelNo::At(1).Number(), 1);
}

TEST(LevelIndex, ScansRunFromTheLowestNumberUp) {
  std::vector<int> seen;
  for (const SlotNo i : SlotNo::All()) {
    seen.push_back(i.Number());
  }
  std::vector<int> expected(20);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_EQ(seen, expected);
}

using WindowLoad = testing::GameFixture;

TEST_F(WindowLoad, LeavesEverySlotFreeTheTableFilledAndNoGame) {
  EXPECT_EQ(state().gameOver, kTrue16);
  EXPECT_FALSE(state().betweenLevels);
  EXPECT_EQ(state().level, 0);
  for (const SlotNo i : SlotNo::All()) {
    EXPECT_EQ(state().targets[i].kind, 0);
    EXPECT_EQ(state().blasts[i].blastStage, 0);
  }
  for (const LevelRow& row : kLevels) {
    EXPECT_EQ(state().levelInterval[LevelNo::At(row.level)], row.interval);
  }
}

}  // namespace
}  // namespace headpop
