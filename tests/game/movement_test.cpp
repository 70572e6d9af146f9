// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "game/level_rules.h"
#include "tests/support/game_fixture.h"

namespace headpop {
namespace {

class Movement : public testing::GameFixture {
 protected:
  Movement() { StartGame(); }

  TargetSlot& Zigzag(int slot, float x, int16_t dir) {
    TargetSlot& t = Place(slot, x, 200, 1, 1, 3);
    t.zigDir = dir;
    t.zigRun = 5;
    return t;
  }
};

TEST_F(Movement, ATargetShowsAfterOneTickAndEscapesOnItsThirtyFourthAtMinus47) {
  // The started game's target in slot 1 rises straight up from y = 293.
  std::vector<float> ys;
  int ticks = 0;
  while (state().escaped == 0) {
    ASSERT_LT(ticks, 40);
    ScriptStraightWave({200});  // the wave its escape brings, into slot 1 again
    game.Timer1_Timer();
    ++ticks;
    if (state().escaped == 0) {
      ys.push_back(target(1).posY);
      random.numbers.clear();
    }
  }
  EXPECT_EQ(ys.front(), 283);  // top 10 rows visible after the first tick
  EXPECT_EQ(ys.back(), -37);   // wholly above, still in play on the 33rd
  EXPECT_EQ(ticks, 34);
  EXPECT_EQ(ys.size(), 33U);
  EXPECT_EQ(state().escaped, 1);
  EXPECT_EQ(state().remaining, 19);
}

TEST_F(Movement, EachTickErasesMovesAndRedrawsWithTheNextFrame) {
  Place(1, 100, 200, 2, 3);
  game.Timer1_Timer();
  const std::vector<testing::RecordingWindow::Sprite> expected = {{SpriteSet::pic2, 3, 100, 200},
                                                                  {SpriteSet::pic2, 1, 100, 190}};
  EXPECT_EQ(window.sprites, expected);
  game.Timer1_Timer();
  EXPECT_EQ(target(1).frame, 2);
}

TEST_F(Movement, FreeSlotsAreSkippedWithoutDrawing) {
  target(1).kind = 0;
  game.Timer1_Timer();
  EXPECT_TRUE(window.calls.empty());
}

TEST_F(Movement, ZigzagStepsAndTurnsAtTheWalls) {
  struct Case {
    float x;
    int16_t dir;
    float expectedX;
    int16_t expectedDir;
  };
  constexpr Case kCases[] = {
      {10, 1, 0, 1},    {9, 1, 19, 2},    {100, 1, 90, 1}, {262, 2, 272, 2},
      {263, 2, 253, 1}, {308, 2, 298, 1}, {0, 1, 10, 2},   {100, 2, 110, 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "x " << c.x << " dir " << c.dir);
    TargetSlot& t = Zigzag(1, c.x, c.dir);
    game.Timer1_Timer();
    EXPECT_EQ(t.posX, c.expectedX);
    EXPECT_EQ(t.zigDir, c.expectedDir);
    EXPECT_EQ(t.posY, 190);
    EXPECT_EQ(t.zigRun, 5);  // never counted down
  }
}

TEST_F(Movement, LinePathComputesInSinglePrecisionInItsOrder) {
  TargetSlot& t = Place(1, 17, 293, 1, 1, 2);
  t.lineX0 = 17;
  t.lineY0 = 293;
  t.lineX1 = 300;
  t.lineY1 = 0;
  float expectedX = 0;
  for (int tick = 1; tick <= 10; ++tick) {
    game.Timer1_Timer();
    const float y = 293.0F - 10.0F * static_cast<float>(tick);
    const volatile float a = y - 293.0F;
    const volatile float b = 300.0F - 17.0F;
    const volatile float c = a * b;
    const volatile float d = 0.0F - 293.0F;
    const volatile float e = c / d;
    expectedX = e + 17.0F;
    ASSERT_EQ(t.posX, expectedX) << "tick " << tick;
    ASSERT_EQ(t.posY, y);
  }
  EXPECT_NE(expectedX, static_cast<float>(static_cast<int>(expectedX)));  // fractional
}

TEST_F(Movement, LinePathAimedAtItsOwnColumnRisesStraightUp) {
  TargetSlot& t = Place(1, 40, 293, 1, 1, 2);
  t.lineX0 = 40;
  t.lineY0 = 293;
  t.lineX1 = 40;
  t.lineY1 = 0;
  for (int tick = 0; tick < 5; ++tick) {
    game.Timer1_Timer();
    EXPECT_EQ(t.posX, 40);
  }
}

TEST_F(Movement, TheEscapeThatUsesUpTheQuotaDecidesByFourTimesTheLevel) {
  struct Case {
    int16_t level;
    int16_t escapedBefore;
    const char* screen;
  };
  const Case cases[] = {{1, 3, "losepic"},  {1, 2, "levelpic"}, {10, 39, "losepic"},
                        {10, 38, "winpic"}, {5, 19, "losepic"}, {5, 18, "levelpic"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "level " << c.level << " escaped " << c.escapedBefore);
    ScriptStraightWave({1});
    game.Command1_Click();
    state().level = c.level;
    state().remaining = 1;
    state().escaped = c.escapedBefore;
    target(1).posY = -37;
    ScriptStraightWave({1, 2});  // the escape spawns a wave before the test
    game.Timer1_Timer();
    ASSERT_TRUE(window.screen.has_value());
    EXPECT_EQ(NameOf(*window.screen), c.screen);
    EXPECT_TRUE(window.TimersStopped());
    if (std::string(c.screen) == "levelpic") {
      EXPECT_EQ(state().level, c.level + 1);
      EXPECT_EQ(state().remaining, QuotaOfLevel(state().level));
    } else {
      EXPECT_EQ(state().remaining, 0);
    }
  }
}

TEST_F(Movement, TheTickEndsAfterTheLevelEndsAndLaterSlotsStayUntouched) {
  state().remaining = 1;
  target(1).kind = 0;
  Place(3, 50, -37);
  TargetSlot& later = Place(7, 80, 150, 3, 2);
  ScriptStraightWave({5});  // fills slot 1
  game.Timer1_Timer();
  EXPECT_EQ(later.posY, 150);
  EXPECT_EQ(later.frame, 2);
  EXPECT_EQ(target(1).posY, 293);  // the last wave is never moved nor seen
  const bool drewSlot7 = std::any_of(window.sprites.begin(), window.sprites.end(),
                                     [](const auto& s) { return s.set == SpriteSet::pic3; });
  EXPECT_FALSE(drewSlot7);
}

TEST_F(Movement, TwoEscapesInOneTickSpawnTwoWaves) {
  Place(1, 10, -37);
  Place(2, 60, -37);
  ScriptStraightWave({100});
  ScriptStraightWave({200});
  const int reseedsBefore = random.reseeds;
  game.Timer1_Timer();
  EXPECT_EQ(random.reseeds - reseedsBefore, 2);
  EXPECT_EQ(state().escaped, 2);
  EXPECT_EQ(state().remaining, 18);
}

TEST_F(Movement, AnEscapeInAFullTableRefillsExactlyThatSlot) {
  FillAllSlots();
  target(6).posY = -37;
  ScriptStraightWave({33, 44, 55});
  random.numbers.resize(4);  // only the first target finds a slot and draws its fields
  game.Timer1_Timer();
  EXPECT_EQ(target(6).kind, 1);
  EXPECT_EQ(target(6).posX, 33);
  EXPECT_EQ(target(6).posY, 293);  // in the escaped slot itself: it waits for the next tick
  EXPECT_EQ(OccupiedTargets(), 20);
}

TEST_F(Movement, ATargetSpawnedAboveTheEscapedSlotMovesInTheSameTick) {
  Place(1, 10, -37);
  Place(2, 20, 100);
  ScriptStraightWave({1, 2});  // slot 1 again, then slot 3
  game.Timer1_Timer();
  EXPECT_EQ(target(1).posY, 293);
  EXPECT_EQ(target(3).posY, 283);
  EXPECT_EQ(target(3).frame, 2);
}

}  // namespace
}  // namespace headpop
