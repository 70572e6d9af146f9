// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace headpop {

// A hidden holder of one sprite picture: 40 x 40 pixels shown in a 37 x 37 image area.
// It reports the area's size in its scale unit: twips as designed, pixels once switched.
class SpriteSurface {
 public:
  static constexpr float kTwipsPerPixel = 15;
  static constexpr float kImageAreaPixels = 37;

  explicit SpriteSurface(QImage picture = {}) : picture_(std::move(picture)) {}

  const QImage& Picture() const { return picture_; }
  void SetPixelUnits() { pixelUnits_ = true; }
  float ScaleWidth() const { return ToScale(kImageAreaPixels); }
  float ScaleHeight() const { return ToScale(kImageAreaPixels); }

 private:
  float ToScale(float pixels) const { return pixelUnits_ ? pixels : pixels * kTwipsPerPixel; }

  QImage picture_;
  bool pixelUnits_ = false;
};

}  // namespace headpop
