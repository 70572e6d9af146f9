// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playfield_surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

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

// XORs the rows of a sprite into the playfield. The two never share memory, which lets
// the compiler vectorise; a whole-width sprite, the usual case, gets a loop of fixed
// length. Built for AVX2 as well, chosen at run time where the processor has it.
__attribute__((target_clones("avx2", "default"))) void XorRows(uchar* dst, std::ptrdiff_t dstStride,
                                                               const uchar* src,
                                                               std::ptrdiff_t srcStride, int width,
                                                               int height) {
  // Keep the alpha byte of RGB32 at 0xff: only red, green and blue are XOR-ed.
  constexpr uint32_t kColourBits = 0x00FFFFFFU;
  const auto xorRow = [](uint32_t* __restrict d, const uint32_t* __restrict s, int n) {
    for (int u = 0; u < n; ++u) {
      d[u] ^= s[u] & kColourBits;
    }
  };
  for (int row = 0; row < height; ++row) {
    auto* d = reinterpret_cast<uint32_t*>(dst + row * dstStride);
    const auto* s = reinterpret_cast<const uint32_t*>(src + row * srcStride);
    if (width == PlayfieldSurface::kSpriteSize) {
      xorRow(d, s, PlayfieldSurface::kSpriteSize);
    } else {
      xorRow(d, s, width);
    }
  }
}

}  // namespace

PlayfieldSurface::PlayfieldSurface() : pixels_(kWidth, kHeight, QImage::Format_RGB32) {
  pixels_.fill(Qt::black);
}

QRect PlayfieldSurface::DrawSprite(const QImage& sprite, float x, float y) {
  int left = 0;
  int top = 0;
  if (!RoundToPixel(x, left) || !RoundToPixel(y, top)) {
    return {};
  }
  const int size = std::min({kSpriteSize, sprite.width(), sprite.height()});
  const QRect changed = QRect(left, top, size, size) & pixels_.rect();
  if (changed.isEmpty()) {
    return {};
  }
  // Row addresses come from one base each: a scanLine() call per row costs more than the
  // row's pixels.
  const auto dstStride = static_cast<std::ptrdiff_t>(pixels_.bytesPerLine());
  const auto srcStride = static_cast<std::ptrdiff_t>(sprite.bytesPerLine());
  constexpr auto kPixelBytes = static_cast<std::ptrdiff_t>(sizeof(uint32_t));
  XorRows(pixels_.bits() + changed.top() * dstStride + changed.left() * kPixelBytes, dstStride,
          sprite.constBits() + (changed.top() - top) * srcStride +
              (changed.left() - left) * kPixelBytes,
          srcStride, changed.width(), changed.height());
  return changed;
}

void PlayfieldSurface::Clear() {
  pixels_.fill(Qt::black);
  if (screenPicture_.isNull()) {
    return;
  }
  QPainter painter(&pixels_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(0, 0), screenPicture_);
}

void PlayfieldSurface::SetScreenPicture(const QImage& picture) {
  screenPicture_ = picture;
  Clear();
}

}  // namespace headpop
