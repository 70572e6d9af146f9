// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

namespace headpop {

// The retained raster of the playfield's drawing area. Screen pictures replace its
// contents; sprites are XOR-ed into it, so drawing a sprite twice at one place restores
// every pixel. Nothing drawn outside the area is kept.
class PlayfieldSurface {
 public:
  static constexpr int kWidth = 309;
  static constexpr int kHeight = 293;
  static constexpr int kSpriteSize = 37;  // the shown part of every 40 x 40 sprite picture

  PlayfieldSurface();

  // XORs the top-left 37 x 37 pixels of sprite (Format_RGB32) with the playfield at
  // (x, y) rounded half to even, clipped to the area. Returns the rectangle that changed
  // (empty when the sprite lies wholly outside).
  QRect DrawSprite(const QImage& sprite, float x, float y);

  // Back to black under the current screen picture: every sprite drawing is gone.
  void Clear();

  // The picture (or none) becomes the current screen picture and is shown unscaled from
  // the top-left corner, clipped, on black. The surface keeps a copy (shared, not deep).
  void SetScreenPicture(const QImage& picture);

  const QImage& Pixels() const { return pixels_; }

 private:
  QImage pixels_;
  QImage screenPicture_;
};

}  // namespace headpop
