// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprite_canvas.h"

#include <cmath>
#include <cstdlib>

namespace artgen {

Canvas::Canvas(int width, int height, QRgb background, QImage::Format format)
    : image_(width, height, format), clip_(0, 0, width, height) {
  image_.fill(QColor::fromRgba(background));
}

void Canvas::plot(int x, int y, QRgb colour) {
  if (clip_.contains(x, y)) {
    image_.setPixel(x, y, colour);
  }
}

void Canvas::fillRect(int x, int y, int width, int height, QRgb colour) {
  for (int row = y; row < y + height; ++row) {
    for (int col = x; col < x + width; ++col) {
      plot(col, row, colour);
    }
  }
}

void Canvas::paint(const std::function<std::optional<QRgb>(double x, double y)>& shader) {
  for (int y = clip_.top(); y <= clip_.bottom(); ++y) {
    for (int x = clip_.left(); x <= clip_.right(); ++x) {
      if (const std::optional<QRgb> colour = shader(x, y)) {
        image_.setPixel(x, y, *colour);
      }
    }
  }
}

void Canvas::fillWhere(const Region& inside, QRgb colour) {
  paint([&](double x, double y) { return inside(x, y) ? std::optional(colour) : std::nullopt; });
}

void Canvas::fillOutlinedWhere(const Region& inside, QRgb fill, QRgb outline) {
  fillWhere(
      [&](double x, double y) {
        return inside(x - 1, y) || inside(x + 1, y) || inside(x, y - 1) || inside(x, y + 1);
      },
      outline);
  fillWhere(inside, fill);
}

Region ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double u = (x - cx) / rx;
    const double v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
  };
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, QRgb colour) {
  fillWhere(ellipse(cx, cy, rx, ry), colour);
}

void Canvas::fillOutlinedEllipse(double cx, double cy, double rx, double ry, QRgb fill,
                                 QRgb outline) {
  fillOutlinedWhere(ellipse(cx, cy, rx, ry), fill, outline);
}

void Canvas::fillRing(double cx, double cy, double innerRadius, double outerRadius, QRgb colour) {
  fillWhere(
      [=](double x, double y) {
        const double r = std::hypot(x - cx, y - cy);
        return r >= innerRadius && r <= outerRadius;
      },
      colour);
}

void Canvas::line(int x0, int y0, int x1, int y1, QRgb colour) {
  // Bresenham: exactly one pixel per step, no gaps and no blending.
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    plot(x0, y0, colour);
    if (x0 == x1 && y0 == y1) {
      return;
    }
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void Canvas::stamp(int x, int y, std::initializer_list<std::string_view> rows,
                   std::initializer_list<PaletteEntry> palette) {
  int row = y;
  for (const std::string_view pattern : rows) {
    for (int i = 0; i < static_cast<int>(pattern.size()); ++i) {
      for (const auto& [key, colour] : palette) {
        if (pattern[i] == key) {
          plot(x + i, row, colour);
        }
      }
    }
    ++row;
  }
}

Canvas spriteCanvas() {
  Canvas canvas(kSpriteSize, kSpriteSize, qRgb(0, 0, 0));
  canvas.setClip(QRect(0, 0, kSpriteShown, kSpriteShown));
  return canvas;
}

std::uint32_t XorShift::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

}  // namespace artgen
