// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers that run while playing, on the real window, never shown: the blits and the
// repaint requests are timed, the painting is not (a hidden widget paints nothing). Sound is
// on, but its effects go nowhere: a real one would send the sound server a play request
// per iteration, hundreds of thousands a second. What a real PlayEffect call costs the game
// thread is measured with the real sound, in the shots of run_bench.sh. Each iteration first puts
// the slots back as they were, so every iteration does the same work; that copy is a few hundred
// bytes.
//
// Each handler has a reference in the same run: the same blits as the handler makes, done
// as plain copies of the sprites' rows (memcpy, row addresses worked out once), so that
// a slower or faster machine moves both alike.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLabel>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

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

// The window, noting every blit the rules ask of it while recording.
class RecordingForm final : public Form1 {
 public:
  struct Blit {
    SpriteSet set;
    int16_t item;
    float x;
    float y;
  };

  using Form1::Form1;

  std::vector<Blit> Record(const std::function<void()>& handler) {
    blits_.clear();
    recording_ = true;
    handler();
    recording_ = false;
    return blits_;
  }

  void DrawSprite(SpriteSet set, int16_t item, float x, float y) override {
    if (recording_) {
      blits_.push_back({set, item, x, y});
    }
    Form1::DrawSprite(set, item, x, y);
  }

 private:
  bool recording_ = false;
  std::vector<Blit> blits_;
};

// A handler's blits as plain copies into a playfield of the same size, clipped and
// rounded as the blit clips and rounds them.
class PlainCopies {
 public:
  PlainCopies(const Pictures& pictures, const std::vector<RecordingForm::Blit>& blits)
      : playfield_(PlayfieldSurface::kWidth, PlayfieldSurface::kHeight, QImage::Format_RGB32) {
    playfield_.fill(0);
    const QRect field = playfield_.rect();
    for (const RecordingForm::Blit& blit : blits) {
      const QImage& sprite = pictures.Sprite(blit.set, blit.item).Picture();
      const int left = static_cast<int>(std::lrintf(blit.x));
      const int top = static_cast<int>(std::lrintf(blit.y));
      const QRect area =
          QRect(left, top, PlayfieldSurface::kSpriteSize, PlayfieldSurface::kSpriteSize) & field;
      if (area.isEmpty()) {
        continue;
      }
      constexpr auto kPixelBytes = static_cast<std::ptrdiff_t>(sizeof(uint32_t));
      const auto dstStride = static_cast<std::ptrdiff_t>(playfield_.bytesPerLine());
      const auto srcStride = static_cast<std::ptrdiff_t>(sprite.bytesPerLine());
      rows_.push_back(
          {playfield_.bits() + area.top() * dstStride + area.left() * kPixelBytes,
           sprite.constBits() + (area.top() - top) * srcStride + (area.left() - left) * kPixelBytes,
           static_cast<std::size_t>(area.width()) * sizeof(uint32_t), area.height(),
           static_cast<std::size_t>(sprite.bytesPerLine())});
    }
  }

  void Copy() {
    const auto dstStride = static_cast<std::size_t>(playfield_.bytesPerLine());
    for (const Rows& r : rows_) {
      for (int row = 0; row < r.count; ++row) {
        std::memcpy(r.dst + static_cast<std::size_t>(row) * dstStride,
                    r.src + static_cast<std::size_t>(row) * r.srcStride, r.bytes);
      }
    }
  }

 private:
  struct Rows {
    uchar* dst;
    const uchar* src;
    std::size_t bytes;
    int count;
    std::size_t srcStride;
  };
  QImage playfield_;
  std::vector<Rows> rows_;
};

class HiddenGame {
 public:
  HiddenGame() {
    form_.Rules().Command1_Click();
    State().remaining = kPlentyLeft;
  }

  Game& Rules() { return form_.Rules(); }
  GameState& State() { return form_.Rules().State(); }
  QFont ScoreFont() const {
    const auto* score = form_.findChild<QLabel*>(QStringLiteral("scorelbl"));
    return score != nullptr ? score->font() : QFont();
  }
  // The blits one call of a handler makes, from the state as it is; the state is put back.
  PlainCopies CopiesOf(const std::function<void()>& handler) {
    const GameState before = State();
    const std::vector<RecordingForm::Blit> blits = form_.Record(handler);
    State() = before;
    return PlainCopies(form_.Art(), blits);
  }

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
  RecordingForm form_{sound_, random_};
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

void BM_PlainCopyOfTimer1Blits(benchmark::State& state) {
  HiddenGame game;
  game.FillTargets();
  PlainCopies copies = game.CopiesOf([&game] { game.Rules().Timer1_Timer(); });
  for (auto _ : state) {
    copies.Copy();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopyOfTimer1Blits);

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

// What any window pays to show a hit: its two blits as plain copies, and a new caption
// on a label of the score's face and size.
void BM_PlainCopyOfAHitsBlitsAndCaption(benchmark::State& state) {
  HiddenGame game;
  game.FillTargets();
  TargetSlot& lone = game.State().targets[SlotNo::At(SlotNo::kLast)];
  lone.posX = kLoneX;
  lone.posY = kLoneY;
  PlainCopies copies = game.CopiesOf([&game] {
    game.State().remaining = kPlentyLeft;
    game.Rules().Picture1_MouseUp(1, 0, kLoneX + 18, kLoneY + 18);
  });
  QLabel label;
  label.setFont(game.ScoreFont());
  label.setGeometry(56, 360, 51, 17);
  label.setTextFormat(Qt::PlainText);
  bool ten = false;
  for (auto _ : state) {
    copies.Copy();
    ten = !ten;
    label.setText(ten ? QStringLiteral(" 10") : QStringLiteral(" 0"));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopyOfAHitsBlitsAndCaption);

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

void BM_PlainCopyOfTimer2Blits(benchmark::State& state) {
  HiddenGame game;
  game.FillBlasts();
  PlainCopies copies = game.CopiesOf([&game] { game.Rules().Timer2_Timer(); });
  for (auto _ : state) {
    copies.Copy();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopyOfTimer2Blits);

}  // namespace
}  // namespace headpop
