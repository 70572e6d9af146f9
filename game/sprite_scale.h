// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace headpop {

// The scale unit of a sprite holder: a 37 x 37 image area that reports its size in twips as
// designed, and in pixels once switched.
class SpriteScale {
 public:
  static constexpr float kTwipsPerPixel = 15;
  static constexpr float kImageAreaPixels = 37;

  void SetPixelUnits() { pixelUnits_ = true; }
  float Width() const { return ToScale(kImageAreaPixels); }
  float Height() const { return ToScale(kImageAreaPixels); }

 private:
  float ToScale(float pixels) const { return pixelUnits_ ? pixels : pixels * kTwipsPerPixel; }

  bool pixelUnits_ = false;
};

}  // namespace headpop
