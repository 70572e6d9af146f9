// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sprite blit of the shared playfield against a plain copy of the same 37 rows of pixels. A
// copy reads the sprite and writes the playfield; the XOR reads both and writes the playfield, so
// twice the copy's time is the memory-traffic limit of the blit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "game/game_window.h"
#include "game/playfield_pixels.h"
#include "ui/pictures.h"

namespace headpop {
namespace {

constexpr float kInsideX = 100.4F;  // rounds to column 100: the whole sprite is inside
constexpr float kInsideY = 120.0F;

const QImage& ATargetSprite() {
  static const Pictures pictures;
  return pictures.Sprite(SpriteSet::pic2, 2).Picture();
}

void BM_DrawSprite(benchmark::State& state) {
  PlayfieldPixels surface;
  const QImage& picture = ATargetSprite();
  const PixelRows sprite{reinterpret_cast<const Pixel*>(picture.constBits()), picture.width(),
                         picture.height(),
                         static_cast<std::ptrdiff_t>(picture.bytesPerLine() / sizeof(Pixel))};
  for (auto _ : state) {
    benchmark::DoNotOptimize(surface.DrawSprite(sprite, kInsideX, kInsideY));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawSprite);

// The reference: the same rows copied with memcpy between the same two images, with
// the row addresses worked out once, so that nothing but the pixels' traffic is timed.
void BM_PlainCopyOf37Rows(benchmark::State& state) {
  QImage playfield(PlayfieldPixels::kWidth, PlayfieldPixels::kHeight, QImage::Format_RGB32);
  playfield.fill(0);
  const QImage& sprite = ATargetSprite();
  constexpr int kSize = PlayfieldPixels::kSpriteSize;
  constexpr std::size_t kRowBytes = kSize * sizeof(uint32_t);
  uchar* dst = playfield.scanLine(static_cast<int>(kInsideY)) + 100 * sizeof(uint32_t);
  const uchar* src = sprite.constBits();
  const auto dstStride = static_cast<std::size_t>(playfield.bytesPerLine());
  const auto srcStride = static_cast<std::size_t>(sprite.bytesPerLine());
  for (auto _ : state) {
    for (std::size_t row = 0; row < kSize; ++row) {
      std::memcpy(dst + row * dstStride, src + row * srcStride, kRowBytes);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopyOf37Rows);

}  // namespace
}  // namespace headpop
