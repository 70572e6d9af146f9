// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>

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

// The x of a line target after each tick 1..33, from its start at y = 293 to its last
// position in play at y = -37, worked out once, away from this code, in single precision
// in the rules' order. Along the second line that order gives other floats than the same
// formula worked out in double precision on 15 ticks, and than a x (b / d) on 23.
TEST_F(Movement, LinePathPassesItsPinnedPositions) {
  struct Line {
    float x0;
    float x1;
    std::array<float, 33> x;
  };
  const Line lines[] = {
      {17, 300, {26.6587029F, 36.3174057F, 45.9761086F, 55.6348114F, 65.2935181F, 74.9522171F,
                 84.6109238F, 94.2696228F, 103.928329F, 113.587029F, 123.245735F, 132.904434F,
                 142.563141F, 152.221848F, 161.880539F, 171.539246F, 181.197952F, 190.856659F,
                 200.515366F, 210.174057F, 219.832764F, 229.49147F,  239.150177F, 248.808868F,
                 258.46759F,  268.126282F, 277.784973F, 287.443695F, 297.102386F, 306.761078F,
                 316.4198F,   326.078491F, 335.737213F}},
      {202, 3, {195.208191F,  188.416382F,  181.624573F, 174.832764F, 168.040955F, 161.249146F,
                154.457336F,  147.665527F,  140.873718F, 134.081909F, 127.2901F,   120.498291F,
                113.706482F,  106.914673F,  100.122864F, 93.3310547F, 86.5392456F, 79.7474365F,
                72.9556274F,  66.1638184F,  59.3720093F, 52.5802002F, 45.7883911F, 38.996582F,
                32.2047729F,  25.4129639F,  18.6211548F, 11.8293457F, 5.03753662F, -1.75427246F,
                -8.54608154F, -15.3378906F, -22.1296997F}},
  };
  for (const Line& line : lines) {
    SCOPED_TRACE(::testing::Message() << "line from " << line.x0 << " to " << line.x1);
    TargetSlot& t = Place(1, line.x0, 293, 1, 1, 2);
    t.lineX0 = line.x0;
    t.lineY0 = 293;
    t.lineX1 = line.x1;
    t.lineY1 = 0;
    for (std::size_t tick = 0; tick < line.x.size(); ++tick) {
      game.Timer1_Timer();
      ASSERT_EQ(t.posY, 283.0F - 10.0F * static_cast<float>(tick)) << "tick " << tick + 1;
      ASSERT_EQ(t.posX, line.x.at(tick)) << "tick " << tick + 1;
    }
  }
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
