// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

#include "game/playfield_pixels.h"

namespace headpop {

// The playfield's pixels (game/playfield_pixels.h) as Qt sees them: the same memory shown
// as an RGB32 image, and Qt pictures handed to the blit as they lie, without a copy.
class PlayfieldSurface {
 public:
  static constexpr int kWidth = PlayfieldPixels::kWidth;
  static constexpr int kHeight = PlayfieldPixels::kHeight;
  static constexpr int kSpriteSize = PlayfieldPixels::kSpriteSize;

  PlayfieldSurface();
  PlayfieldSurface(const PlayfieldSurface&) = delete;
  PlayfieldSurface& operator=(const PlayfieldSurface&) = delete;

  // See PlayfieldPixels::DrawSprite; sprite is Format_RGB32.
  QRect DrawSprite(const QImage& sprite, float x, float y);
  void Clear() { pixels_.Clear(); }
  // The surface keeps a (shared, not deep) copy of the picture, so its pixels stay put.
  void SetScreenPicture(const QImage& picture);

  // The playfield's own pixels, not a copy.
  const QImage& Pixels() const { return image_; }

 private:
  PlayfieldPixels pixels_;
  QImage image_;  // over pixels_'s memory
  QImage screenPicture_;
};

}  // namespace headpop
