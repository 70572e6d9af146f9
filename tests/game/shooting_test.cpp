// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/support/game_fixture.h"

namespace headpop {
namespace {

class Shooting : public testing::GameFixture {
 protected:
  Shooting() {
    StartGame();
    reseedsAtStart = random.reseeds;
    target(1).posY = 100;  // the started target, at (100, 100)
    state().soundOn = true;
  }
  void Shoot(float x, float y, int16_t button = 1, int16_t shift = 0) {
    game.Picture1_MouseUp(button, shift, x, y);
  }
  int WavesSpawned() const { return random.reseeds - reseedsAtStart; }
  int reseedsAtStart = 0;
};

TEST_F(Shooting, TheClosedRectangleOfATargetHits) {
  struct Case {
    float x;
    float y;
    bool hits;
  };
  constexpr Case kCases[] = {
      {100, 100, true},     {137, 137, true},     {137, 100, true},      {100, 137, true},
      {118.5F, 120, true},  {99.99F, 120, false}, {137.01F, 120, false}, {120, 99.9F, false},
      {120, 137.5F, false}, {-5, -5, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    Place(1, 100, 100);
    state().remaining = 10;
    Place(2, 250, 250);  // keeps the field from emptying
    window.Forget();
    Shoot(c.x, c.y);
    EXPECT_EQ(target(1).kind == 0, c.hits);
    EXPECT_EQ(window.sounds, std::vector<std::string>{c.hits ? "explosion.wav" : "fire.wav"});
  }
}

TEST_F(Shooting, OnlyTheLowestSlotUnderTheShotIsHit) {
  Place(1, 250, 250);
  Place(4, 100, 100, 2);
  Place(9, 110, 110, 3);
  Shoot(120, 120);
  EXPECT_EQ(target(4).kind, 0);
  EXPECT_EQ(target(9).kind, 3);
}

TEST_F(Shooting, EveryButtonAndModifierShootsAlike) {
  for (const int button : {1, 2, 4}) {
    for (const int shift : {0, 1, 2, 4, 7}) {
      Place(1, 100, 100);
      Place(2, 250, 250);
      state().remaining = 10;
      Shoot(110, 110, static_cast<int16_t>(button), static_cast<int16_t>(shift));
      EXPECT_EQ(target(1).kind, 0) << button << " " << shift;
    }
  }
}

TEST_F(Shooting, AHitScoresErasesAndStartsAnExplosionInThisOrder) {
  Place(2, 250, 250);
  target(1).frame = 3;
  Shoot(110, 110);
  const std::vector<std::string> expected = {"SetScoreCaption( 10)", "PlaySoundFile(explosion.wav)",
                                             "DrawSprite(pic1,3,100,100)",
                                             "DrawSprite(ledakpic,1,100,100)"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_EQ(state().score, 10);
  EXPECT_EQ(state().remaining, 19);
  EXPECT_EQ(blast(1).blastStage, 1);
  EXPECT_EQ(blast(1).blastX, 100);
  EXPECT_EQ(blast(1).blastY, 100);
}

TEST_F(Shooting, AMissOnlyPlaysItsSound) {
  const GameState before = state();
  Shoot(5, 5);
  EXPECT_EQ(window.calls, std::vector<std::string>{"PlaySoundFile(fire.wav)"});
  EXPECT_EQ(state().remaining, before.remaining);
  EXPECT_EQ(state().score, before.score);
}

TEST_F(Shooting, WithoutSoundNothingIsPlayed) {
  state().soundOn = false;
  Place(2, 250, 250);
  Shoot(5, 5);
  Shoot(110, 110);
  EXPECT_TRUE(window.sounds.empty());
}

TEST_F(Shooting, ReleasesOutsideAPlayingLevelDoNothing) {
  for (const auto& [over, between] : {std::pair{kTrue16, false}, std::pair{kTrue16, true},
                                      std::pair{kFalse16, true}, std::pair{int16_t{1}, false}}) {
    state().gameOver = over;
    state().betweenLevels = between;
    window.Forget();
    Shoot(110, 110);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(target(1).kind, 1);
  }
}

TEST_F(Shooting, WithEveryExplosionSlotBusyAHitStillCounts) {
  for (int slot = 1; slot <= 20; ++slot) {
    blast(slot).blastStage = 3;
  }
  Place(2, 250, 250);
  Shoot(110, 110);
  EXPECT_EQ(target(1).kind, 0);
  EXPECT_EQ(state().score, 10);
  EXPECT_EQ(state().remaining, 19);
  EXPECT_EQ(window.sprites.size(), 1U);  // the erase, no explosion
}

TEST_F(Shooting, TheLastOfTheQuotaCompletesTheLevelWithoutANewWave) {
  state().remaining = 1;
  state().escaped = 10;  // not consulted on a hit
  Shoot(110, 110);
  EXPECT_EQ(blast(1).blastStage, 1);
  EXPECT_EQ(window.sounds, std::vector<std::string>{"explosion.wav"});
  EXPECT_EQ(state().level, 2);
  EXPECT_TRUE(state().betweenLevels);
  EXPECT_EQ(WavesSpawned(), 0);
}

TEST_F(Shooting, HittingTheLastTargetOnTheFieldBringsAWaveAtOnce) {
  ScriptStraightWave({10, 20});
  Shoot(110, 110);
  EXPECT_EQ(WavesSpawned(), 1);
  EXPECT_EQ(OccupiedTargets(), 2);
}

TEST_F(Shooting, NotANumberMisses) {
  Shoot(std::numeric_limits<float>::quiet_NaN(), 110);
  EXPECT_EQ(target(1).kind, 1);
}

}  // namespace
}  // namespace headpop
