// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace headpop {

// A pixel of 32 bits: the colour in the low 24 bits, the top byte opaque (0xff) and kept
// so. In memory that is B, G, R, A for a little-endian Qt RGB32 image and R, G, B, A for a
// canvas: XOR works the same on both, as long as sprites and playfield share the order.
using Pixel = uint32_t;
inline constexpr Pixel kOpaque = 0xFF000000U;
inline constexpr Pixel kOpaqueBlack = kOpaque;

// Rows of pixels that someone else owns; stride is in pixels from one row to the next.
struct PixelRows {
  const Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelRect&) const = default;
};

// The retained raster of the playfield's drawing area, shared by every front-end. Screen
// pictures replace its contents; sprites are XOR-ed into it, so drawing a sprite twice at
// one place restores every pixel. Nothing drawn outside the area is kept.
class PlayfieldPixels {
 public:
  static constexpr int kWidth = 309;
  static constexpr int kHeight = 293;
  static constexpr int kSpriteSize = 37;  // the shown part of every 40 x 40 sprite picture

  PlayfieldPixels();

  // XORs the colour of the top-left 37 x 37 pixels of sprite with the playfield at (x, y)
  // rounded half to even, clipped to the area. Returns the rectangle that changed (empty
  // when the sprite lies wholly outside, or the position is not a number or beyond reach).
  PixelRect DrawSprite(const PixelRows& sprite, float x, float y);

  // Back to black under the current screen picture: every sprite drawing is gone.
  void Clear();

  // The picture becomes the current screen picture and is shown unscaled from the top-left
  // corner, clipped, on black; a picture with no pixels means none. Its pixels are read
  // again by Clear(), so they must stay where they are until another picture is set.
  void SetScreenPicture(const PixelRows& picture);

  // kWidth x kHeight pixels, row after row with no gap: one row is kWidth pixels.
  const Pixel* Data() const { return pixels_.data(); }
  Pixel* Data() { return pixels_.data(); }

 private:
  std::vector<Pixel> pixels_;
  PixelRows screenPicture_;
};

}  // namespace headpop
