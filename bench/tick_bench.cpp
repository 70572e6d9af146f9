// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers that run while playing, on the real window, never shown: the blits and the
// repaint requests are timed, the painting is not (a hidden widget paints nothing). Sound is
// on, but its effects go nowhere: a real one would send the sound server a play request
// per iteration, hundreds of thousands a second. What a real PlayEffect call costs the game
// thread is measured with the real sound, in the shots of run_bench.sh. Each iteration first puts
// the slots back as they were, so every iteration does the same work; that copy is a few hundred
// bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

#include "game/game.h"
#include "game/random.h"
#include "sound/sound.h"
#include "ui/form1.h"
#include "ui/playfield_surface.h"

namespace headpop {
namespace {

constexpr int16_t kPlentyLeft = 30000;  // no level ends while a benchmark runs
// Where the hit target of the shot sits: no other target covers it.
constexpr float kLoneX = 270;
constexpr float kLoneY = 10;

// Sound on, as with both files found; effects asked for are dropped.
class SilentSound final : public Sound {
 public:
  bool DetectSoundFiles() override { return true; }
  void PlayEffect(std::string_view /*name*/) override {}
};

class HiddenGame {
 public:
  HiddenGame() {
    form_.Rules().Command1_Click();
    State().remaining = kPlentyLeft;
  }

  Game& Rules() { return form_.Rules(); }
  GameState& State() { return form_.Rules().State(); }

  // Twenty targets spread over the field, all three kinds, frames and paths mixed; none
  // escapes within one tick.
  void FillTargets() {
    for (const SlotNo slot : SlotNo::All()) {
      const int n = slot.Number();
      TargetSlot& t = State().targets[slot];
      t.kind = static_cast<int16_t>(1 + n % 3);
      t.frame = static_cast<int16_t>(1 + (n / 3) % 3);
      t.pathKind = static_cast<int16_t>(1 + (n / 2) % 3);
      t.posX = static_cast<float>(12 * n);
      t.posY = static_cast<float>(60 + 9 * n);
      t.lineX0 = t.posX;
      t.lineY0 = static_cast<float>(PlayfieldSurface::kHeight);
      t.lineX1 = static_cast<float>((12 * n + 150) % 300);
      t.lineY1 = 0;
      t.zigDir = static_cast<int16_t>(1 + n % 2);
      t.zigRun = 5;
    }
  }

  // Twenty explosions at stages 1 to 4, so each one is drawn away and drawn again.
  void FillBlasts() {
    for (const SlotNo slot : SlotNo::All()) {
      const int n = slot.Number();
      BlastSlot& b = State().blasts[slot];
      b.blastStage = static_cast<int16_t>(1 + n % 4);
      b.blastX = static_cast<float>(13 * n);
      b.blastY = static_cast<float>(20 + 11 * n);
    }
  }

 private:
  SilentSound sound_;
  ClockRandom random_{1, [] { return uint64_t{0}; }};
  Form1 form_{sound_, random_};
};

void BM_Timer1WithTwentyTargets(benchmark::State& state) {
  HiddenGame game;
  game.FillTargets();
  const auto targets = game.State().targets;
  for (auto _ : state) {
    game.State().targets = targets;
    game.Rules().Timer1_Timer();
  }
}
BENCHMARK(BM_Timer1WithTwentyTargets);

// A hit on the last of twenty targets: every slot is tested, the score label changes,
// the hit sound starts and an explosion begins.
void BM_MouseUpOnAHit(benchmark::State& state) {
  HiddenGame game;
  game.FillTargets();
  TargetSlot& lone = game.State().targets[SlotNo::At(SlotNo::kLast)];
  lone.posX = kLoneX;
  lone.posY = kLoneY;
  const auto targets = game.State().targets;
  const auto blasts = game.State().blasts;
  const float x = kLoneX + 18;
  const float y = kLoneY + 18;
  int16_t score = 0;
  for (auto _ : state) {
    game.State().targets = targets;
    game.State().blasts = blasts;
    game.State().remaining = kPlentyLeft;
    score = static_cast<int16_t>(score == 0 ? 10 : 0);  // the caption changes every time
    game.State().score = score;
    game.Rules().Picture1_MouseUp(1, 0, x, y);
  }
}
BENCHMARK(BM_MouseUpOnAHit);

void BM_Timer2WithTwentyExplosions(benchmark::State& state) {
  HiddenGame game;
  game.FillBlasts();
  const auto blasts = game.State().blasts;
  for (auto _ : state) {
    game.State().blasts = blasts;
    game.Rules().Timer2_Timer();
  }
}
BENCHMARK(BM_Timer2WithTwentyExplosions);

}  // namespace
}  // namespace headpop
