// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/playfield_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace headpop {
namespace {

// Round half to even (the default floating-point rounding mode) to a pixel coordinate.
// Positions far outside the playfield, or not numbers, are reported as not drawable.
bool RoundToPixel(float value, int& pixel) {
  constexpr float kFarOutside = 1.0e6F;
  if (!(std::fabs(value) < kFarOutside)) {
    return false;
  }
  pixel = static_cast<int>(std::lrintf(value));
  return true;
}

// Only red, green and blue are XOR-ed: the top byte stays opaque.
constexpr Pixel kColourBits = 0x00FFFFFFU;

void XorRow(Pixel* __restrict dst, const Pixel* __restrict src, int n) {
  for (int u = 0; u < n; ++u) {
    dst[u] ^= src[u] & kColourBits;
  }
}

// XORs the rows of a sprite into the playfield. The two never share memory, which lets
// the compiler vectorise; a whole-width sprite, the usual case, gets a loop of fixed
// length. On x86-64 it is built for AVX2 as well, chosen at run time where the processor
// has it.
#if defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void XorRows(Pixel* dst, std::ptrdiff_t dstStride, const Pixel* src, std::ptrdiff_t srcStride,
             int width, int height) {
  for (int row = 0; row < height; ++row) {
    if (width == PlayfieldPixels::kSpriteSize) {
      XorRow(dst + row * dstStride, src + row * srcStride, PlayfieldPixels::kSpriteSize);
    } else {
      XorRow(dst + row * dstStride, src + row * srcStride, width);
    }
  }
}

}  // namespace

PlayfieldPixels::PlayfieldPixels()
    : pixels_(static_cast<std::size_t>(kWidth) * kHeight, kOpaqueBlack) {}

PixelRect PlayfieldPixels::DrawSprite(const PixelRows& sprite, float x, float y) {
  int left = 0;
  int top = 0;
  if (!RoundToPixel(x, left) || !RoundToPixel(y, top)) {
    return {};
  }
  const int size = std::min({kSpriteSize, sprite.width, sprite.height});
  const int firstColumn = std::max(left, 0);
  const int firstRow = std::max(top, 0);
  const int endColumn = std::min(left + size, kWidth);
  const int endRow = std::min(top + size, kHeight);
  if (firstColumn >= endColumn || firstRow >= endRow) {
    return {};
  }
  XorRows(pixels_.data() + static_cast<std::ptrdiff_t>(firstRow) * kWidth + firstColumn, kWidth,
          sprite.pixels + (firstRow - top) * sprite.stride + (firstColumn - left), sprite.stride,
          endColumn - firstColumn, endRow - firstRow);
  return {firstColumn, firstRow, endColumn - firstColumn, endRow - firstRow};
}

void PlayfieldPixels::Clear() {
  std::fill(pixels_.begin(), pixels_.end(), kOpaqueBlack);
  if (screenPicture_.pixels == nullptr) {
    return;
  }
  const int columns = std::min(kWidth, screenPicture_.width);
  const int rows = std::min(kHeight, screenPicture_.height);
  for (int row = 0; row < rows; ++row) {
    const Pixel* from = screenPicture_.pixels + row * screenPicture_.stride;
    Pixel* to = pixels_.data() + static_cast<std::ptrdiff_t>(row) * kWidth;
    for (int column = 0; column < columns; ++column) {
      to[column] = from[column] | kOpaque;
    }
  }
}

void PlayfieldPixels::SetScreenPicture(const PixelRows& picture) {
  const bool none = picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0;
  screenPicture_ = none ? PixelRows{} : picture;
  Clear();
}

}  // namespace headpop
