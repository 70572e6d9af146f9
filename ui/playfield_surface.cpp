#include "ui/playfield_surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
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
  // Keep the alpha byte of RGB32 at 0xff: only red, green and blue are XOR-ed.
  constexpr uint32_t kColourBits = 0x00FFFFFFU;
  const int firstColumn = changed.left() - left;
  const int width = changed.width();
  for (int row = changed.top(); row <= changed.bottom(); ++row) {
    auto* dst = reinterpret_cast<uint32_t*>(pixels_.scanLine(row)) + changed.left();
    const auto* src =
        reinterpret_cast<const uint32_t*>(sprite.constScanLine(row - top)) + firstColumn;
    for (int u = 0; u < width; ++u) {
      dst[u] ^= src[u] & kColourBits;
    }
  }
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
