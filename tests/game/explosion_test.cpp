// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/support/game_fixture.h"

namespace headpop {
namespace {

class Explosions : public testing::GameFixture {
 protected:
  Explosions() { StartGame(); }
  BlastSlot& Start(int slot, int16_t stage, float x, float y) {
    BlastSlot& b = blast(slot);
    b.blastStage = stage;
    b.blastX = x;
    b.blastY = y;
    return b;
  }
};

TEST_F(Explosions, RunFiveStagesThenFreeTheirSlot) {
  BlastSlot& b = Start(1, 1, 12.5F, 40);
  using Sprite = testing::RecordingWindow::Sprite;
  std::vector<Sprite> expected;
  for (int16_t stage = 1; stage <= 5; ++stage) {
    expected.push_back({SpriteSet::ledakpic, stage, 12.5F, 40});
    if (stage < 5) {
      expected.push_back({SpriteSet::ledakpic, static_cast<int16_t>(stage + 1), 12.5F, 40});
    }
    game.Timer2_Timer();
    EXPECT_EQ(b.blastStage, stage < 5 ? stage + 1 : 0);
  }
  EXPECT_EQ(window.sprites, expected);
  window.Forget();
  game.Timer2_Timer();
  EXPECT_TRUE(window.sprites.empty());
}

// A window sleeps through Timer2's ticks exactly while one would find every slot free.
TEST_F(Explosions, Timer2HasWorkFromAHitUntilItsFifthTick) {
  EXPECT_FALSE(game.Timer2HasWork());
  Place(5, 200, 200);
  target(1).posY = 100;
  game.Picture1_MouseUp(1, 0, 110, 110);
  for (int tick = 1; tick <= 5; ++tick) {
    EXPECT_TRUE(game.Timer2HasWork()) << "before tick " << tick;
    game.Timer2_Timer();
  }
  EXPECT_FALSE(game.Timer2HasWork());
  Start(20, 4, 0, 0);
  EXPECT_TRUE(game.Timer2HasWork());
  ScriptStraightWave({100});
  game.Command1_Click();  // a new game drops every explosion
  EXPECT_FALSE(game.Timer2HasWork());
}

TEST_F(Explosions, EachSlotStepsOnItsOwn) {
  Start(2, 5, 0, 0);
  Start(7, 2, 50, 50);
  game.Timer2_Timer();
  EXPECT_EQ(blast(2).blastStage, 0);
  EXPECT_EQ(blast(7).blastStage, 3);
}

TEST_F(Explosions, AHitTakesTheLowestFreeSlot) {
  Start(2, 3, 0, 0);
  Start(3, 3, 0, 0);
  Place(5, 200, 200);
  target(1).posY = 100;
  game.Picture1_MouseUp(1, 0, 110, 110);
  EXPECT_EQ(blast(1).blastStage, 1);
  blast(1).blastStage = 0;
  Start(1, 5, 0, 0);
  game.Timer2_Timer();  // slot 1 is free again at once
  Place(1, 100, 100);
  game.Picture1_MouseUp(1, 0, 110, 110);
  EXPECT_EQ(blast(1).blastStage, 1);
  EXPECT_EQ(blast(4).blastStage, 0);
}

TEST_F(Explosions, TwentyRunningExplosionsRunOnWhenAHitGetsNone) {
  for (int slot = 1; slot <= 20; ++slot) {
    Start(slot, 2, 5.0F * static_cast<float>(slot), 0);
  }
  Place(5, 200, 200);
  target(1).posY = 100;
  game.Picture1_MouseUp(1, 0, 110, 110);
  game.Timer2_Timer();
  for (int slot = 1; slot <= 20; ++slot) {
    EXPECT_EQ(blast(slot).blastStage, 3);
  }
}

}  // namespace
}  // namespace headpop
