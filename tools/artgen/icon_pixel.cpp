// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The small icons: each pixel is tested once, at its centre, and the features are placed on
// whole pixels, so that 16 and 32 pixels still read as a face.

#include <algorithm>
#include <cmath>

#include "icon_parts.h"
#include "sprite_canvas.h"

namespace artgen::icon {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);

class PixelIcon {
 public:
  explicit PixelIcon(int size) : size_(size), canvas_(size, size, kWhite) {}

  QImage draw() {
    if (size_ >= 32) {
      fill(shirt, kShirt);
    }
    fill(hair, kHair);
    fill(ears, kSkin);
    fill(face, kSkin);
    fill(beard, kHair);
    drawEyes();
    drawMouth();
    if (size_ >= 32) {
      drawNose();
    }
    return canvas_.image();
  }

 private:
  void fill(bool (*shape)(double u, double v), QRgb colour) {
    const double scale = size_;
    canvas_.fillWhere(
        [=](double x, double y) { return shape((x + 0.5) / scale, (y + 0.5) / scale); }, colour);
  }

  int px(double unit) const { return static_cast<int>(std::floor(unit * size_)); }

  void drawEyes() {
    const int y = px(kEyeY);
    const int mid = size_ / 2;
    const int offset = static_cast<int>(std::lround(kEyeOffset * size_));
    if (size_ < 32) {
      canvas_.plot(mid - offset, y, kEye);
      canvas_.plot(mid + offset - 1, y, kEye);
      return;
    }
    // Each eye is white with a pupil in the middle, under a heavy brow.
    const int unit = size_ / 32;
    for (const int side : {-1, 1}) {
      const int left = mid + side * offset - 2 * unit;
      canvas_.fillRect(left, y, 4 * unit, 2 * unit, kWhite);
      canvas_.fillRect(left + unit, y, 2 * unit, 2 * unit, kEye);
      canvas_.fillRect(left - (side < 0 ? unit : 0), y - 2 * unit, 5 * unit, unit, kHair);
    }
  }

  void drawMouth() {
    const int mid = size_ / 2;
    const int y = px(kMouthY);
    const int half = std::max(1, size_ / 16);
    canvas_.fillRect(mid - half, y, 2 * half, std::max(1, size_ / 32), kLips);
  }

  void drawNose() {
    const int mid = size_ / 2;
    const int y = px(kNoseY);
    const int unit = size_ / 32;
    canvas_.fillRect(mid - unit, y, 2 * unit, unit, kSkinShade);
  }

  int size_;
  Canvas canvas_;
};

}  // namespace

QImage drawPixelIcon(int size) { return PixelIcon(size).draw(); }

}  // namespace artgen::icon
