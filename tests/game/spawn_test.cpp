// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/support/game_fixture.h"

namespace headpop {
namespace {

using testing::Pick;

class Spawn : public testing::GameFixture {};

TEST_F(Spawn, DrawsEachTargetsFieldsInOrderAndDrawsItBelowTheBottomEdge) {
  state().level = 1;
  random.Add({Pick(2, 5),                              // three targets
              Pick(308, 309), Pick(1, 3), Pick(0, 3),  // column 308, kind 2, straight up
              Pick(0, 309), Pick(2, 3), Pick(1, 3),    // column 0, kind 3, line ...
              Pick(150, 309),                          // ... aimed at column 150
              Pick(77, 309), Pick(0, 3), Pick(2, 3),   // column 77, kind 1, zigzag ...
              Pick(9, 10), Pick(1, 2)});               // ... run 10, moving right
  game.SpawnWave();
  EXPECT_EQ(random.reseeds, 1);
  EXPECT_TRUE(random.numbers.empty());

  const TargetSlot& a = target(1);
  EXPECT_EQ(a.kind, 2);
  EXPECT_EQ(a.posX, 308);
  EXPECT_EQ(a.posY, 293);
  EXPECT_EQ(a.frame, 1);
  EXPECT_EQ(a.pathKind, 1);

  const TargetSlot& b = target(2);
  EXPECT_EQ(b.kind, 3);
  EXPECT_EQ(b.pathKind, 2);
  EXPECT_EQ(b.lineX0, 0);
  EXPECT_EQ(b.lineY0, 293);
  EXPECT_EQ(b.lineX1, 150);
  EXPECT_EQ(b.lineY1, 0);

  const TargetSlot& c = target(3);
  EXPECT_EQ(c.kind, 1);
  EXPECT_EQ(c.pathKind, 3);
  EXPECT_EQ(c.zigRun, 10);
  EXPECT_EQ(c.zigDir, 2);

  const std::vector<testing::RecordingWindow::Sprite> drawn = {
      {SpriteSet::pic2, 1, 308, 293}, {SpriteSet::pic3, 1, 0, 293}, {SpriteSet::pic1, 1, 77, 293}};
  EXPECT_EQ(window.sprites, drawn);
}

TEST_F(Spawn, UnusedPathFieldsKeepWhatTheyHeld) {
  TargetSlot& old = target(1);
  old.lineX1 = 123;
  old.zigRun = 7;
  ScriptStraightWave({50});
  game.SpawnWave();
  EXPECT_EQ(target(1).lineX1, 123);
  EXPECT_EQ(target(1).zigRun, 7);
}

TEST_F(Spawn, WaveSizeDrawsUpToFiveAndFromLevelFourAtLeastTwo) {
  struct Case {
    int16_t level;
    std::vector<int> sizeDraws;  // k of floor(r * 5), in order
    int expectedTargets;
  };
  const Case cases[] = {
      {1, {0}, 1}, {1, {4}, 5}, {3, {0}, 1}, {4, {0, 0, 0, 1}, 2}, {10, {0, 3}, 4}, {4, {4}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "level " << c.level << " first size " << c.sizeDraws[0]);
    for (const SlotNo i : SlotNo::All()) {
      state().targets[i].kind = 0;
    }
    state().level = c.level;
    for (const int k : c.sizeDraws) {
      random.Add({Pick(k, 5)});
    }
    for (int t = 0; t < c.expectedTargets; ++t) {
      random.Add({Pick(t, 309), Pick(0, 3), Pick(0, 3)});
    }
    game.SpawnWave();
    EXPECT_EQ(OccupiedTargets(), c.expectedTargets);
    EXPECT_TRUE(random.numbers.empty());
  }
}

TEST_F(Spawn, TakesTheLowestFreeSlotsAndStopsWhenNoneIsLeft) {
  FillAllSlots();
  target(4).kind = 0;
  target(17).kind = 0;
  random.Add({Pick(4, 5)});  // five wanted, two slots free: only two draw their fields
  random.Add({Pick(10, 309), Pick(1, 3), Pick(0, 3), Pick(20, 309), Pick(2, 3), Pick(0, 3)});
  game.SpawnWave();
  EXPECT_TRUE(random.numbers.empty());
  EXPECT_EQ(target(4).posX, 10);
  EXPECT_EQ(target(4).kind, 2);
  EXPECT_EQ(target(17).posX, 20);
  EXPECT_EQ(target(17).kind, 3);
  EXPECT_EQ(window.sprites.size(), 2U);
}

TEST_F(Spawn, FullTableCreatesAndDrawsNothingButStillReseedsAndDrawsTheSize) {
  FillAllSlots();
  random.Add({Pick(4, 5)});
  game.SpawnWave();
  EXPECT_EQ(random.reseeds, 1);
  EXPECT_EQ(random.draws, 1);
  EXPECT_TRUE(window.sprites.empty());
}

}  // namespace
}  // namespace headpop
