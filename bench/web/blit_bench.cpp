// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared playfield's sprite blit against a plain copy of the same 37 rows, built with
// the page's compiler and flags and timed in the browser by bench/web/web_bench.mjs.
#include <array>
#include <cstdint>
#include <cstring>

#include "game/playfield_pixels.h"

#define HEADPOP_EXPORT(name) __attribute__((export_name(#name)))

namespace {

constexpr int kSide = 40;
constexpr float kInsideX = 100.4F;  // rounds to column 100: the whole sprite is inside
constexpr float kInsideY = 120.0F;

headpop::PlayfieldPixels playfield;
std::array<headpop::Pixel, kSide* kSide> sprite = [] {
  std::array<headpop::Pixel, kSide * kSide> pixels{};
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = headpop::kOpaque | static_cast<headpop::Pixel>(i * 2654435761U >> 8U);
  }
  return pixels;
}();

}  // namespace

extern "C" {

// Draws one 37 x 37 sprite `times` times; returns a pixel, so that nothing is left out.
HEADPOP_EXPORT(Blit) uint32_t Blit(int32_t times) {
  const headpop::PixelRows rows{sprite.data(), kSide, kSide, kSide};
  for (int32_t i = 0; i < times; ++i) {
    playfield.DrawSprite(rows, kInsideX, kInsideY);
  }
  return playfield.Data()[120 * headpop::PlayfieldPixels::kWidth + 100];
}

// Copies the same 37 rows of 37 pixels `times` times, row addresses worked out once.
HEADPOP_EXPORT(Copy) uint32_t Copy(int32_t times) {
  constexpr int kSize = headpop::PlayfieldPixels::kSpriteSize;
  headpop::Pixel* to = playfield.Data() + 120 * headpop::PlayfieldPixels::kWidth + 100;
  for (int32_t i = 0; i < times; ++i) {
    for (int row = 0; row < kSize; ++row) {
      std::memcpy(to + row * headpop::PlayfieldPixels::kWidth, sprite.data() + row * kSide,
                  kSize * sizeof(headpop::Pixel));
    }
    // Keeps the compiler from copying the rows once for all the rounds.
    asm volatile("" : : "r"(to) : "memory");
  }
  return to[0];
}
}
