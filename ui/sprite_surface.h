// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "game/sprite_scale.h"

namespace headpop {

// A hidden holder of one sprite picture: 40 x 40 pixels shown in a 37 x 37 image area.
// It reports the area's size in its scale unit: twips as designed, pixels once switched.
class SpriteSurface {
 public:
  explicit SpriteSurface(QImage picture = {}) : picture_(std::move(picture)) {}

  const QImage& Picture() const { return picture_; }
  void SetPixelUnits() { scale_.SetPixelUnits(); }
  float ScaleWidth() const { return scale_.Width(); }
  float ScaleHeight() const { return scale_.Height(); }

 private:
  QImage picture_;
  SpriteScale scale_;
};

}  // namespace headpop
