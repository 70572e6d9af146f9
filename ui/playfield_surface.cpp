// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playfield_surface.h"

namespace headpop {
namespace {

// RGB32 rows are whole 32-bit pixels, so a row's bytes give its stride in pixels.
PixelRows RowsOf(const QImage& image) {
  if (image.isNull()) {
    return {};
  }
  return {reinterpret_cast<const Pixel*>(image.constBits()), image.width(), image.height(),
          static_cast<std::ptrdiff_t>(image.bytesPerLine() / sizeof(Pixel))};
}

}  // namespace

PlayfieldSurface::PlayfieldSurface()
    : image_(reinterpret_cast<uchar*>(pixels_.Data()), kWidth, kHeight,
             static_cast<qsizetype>(kWidth * sizeof(Pixel)), QImage::Format_RGB32) {}

QRect PlayfieldSurface::DrawSprite(const QImage& sprite, float x, float y) {
  const PixelRect changed = pixels_.DrawSprite(RowsOf(sprite), x, y);
  if (changed.Empty()) {
    return {};
  }
  return {changed.left, changed.top, changed.width, changed.height};
}

void PlayfieldSurface::SetScreenPicture(const QImage& picture) {
  screenPicture_ = picture.format() == QImage::Format_RGB32
                       ? picture
                       : picture.convertToFormat(QImage::Format_RGB32);
  pixels_.SetScreenPicture(RowsOf(screenPicture_));
}

}  // namespace headpop
