// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pixel-exact drawing for the small pictures: every operation sets whole pixels in one pure
// colour, so nothing is blended and the pictures stay crisp when XOR-drawn.

#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

namespace artgen {

// A palette entry for Canvas::stamp(): the character used in the pattern and its colour.
using PaletteEntry = std::pair<char, QRgb>;

// A shape given as a test on pixel centres.
using Region = std::function<bool(double x, double y)>;

Region ellipse(double cx, double cy, double rx, double ry);

class Canvas {
 public:
  // Coordinates name pixel centres, so a circle centred on (18, 18) is symmetric about
  // pixel 18. Drawing outside `clip` is ignored.
  Canvas(int width, int height, QRgb background, QImage::Format format = QImage::Format_RGB32);

  void setClip(const QRect& clip) { clip_ = clip & image_.rect(); }
  const QImage& image() const { return image_; }

  void plot(int x, int y, QRgb colour);
  void fillRect(int x, int y, int width, int height, QRgb colour);
  void fillEllipse(double cx, double cy, double rx, double ry, QRgb colour);
  // An ellipse with a one-pixel rim of `outline` colour around it.
  void fillOutlinedEllipse(double cx, double cy, double rx, double ry, QRgb fill, QRgb outline);
  void fillRing(double cx, double cy, double innerRadius, double outerRadius, QRgb colour);
  void line(int x0, int y0, int x1, int y1, QRgb colour);
  // Gives each pixel the colour `shader` returns for its centre; no colour leaves it as it is.
  void paint(const std::function<std::optional<QRgb>(double x, double y)>& shader);
  // Sets every pixel whose centre satisfies `inside`.
  void fillWhere(const Region& inside, QRgb colour);
  // Same, with a one-pixel rim of `outline` colour on the pixels next to the region.
  void fillOutlinedWhere(const Region& inside, QRgb fill, QRgb outline);
  // Copies a small hand-drawn pattern with its top-left corner at (x, y); characters not in
  // the palette leave the pixel as it is.
  void stamp(int x, int y, std::initializer_list<std::string_view> rows,
             std::initializer_list<PaletteEntry> palette);

 private:
  QImage image_;
  QRect clip_;
};

inline constexpr int kSpriteSize = 40;
inline constexpr int kSpriteShown = 37;
inline constexpr int kSpriteCentre = kSpriteShown / 2;

// The 40 x 40 sprite picture on exact black; only its top-left 37 x 37 pixels are ever
// shown, so drawing is clipped to them and the margin stays black.
Canvas spriteCanvas();

// A small fixed-seed xorshift generator: the same pictures on every run and platform.
class XorShift {
 public:
  explicit XorShift(std::uint32_t seed) : state_(seed != 0 ? seed : 1) {}
  std::uint32_t next();
  // Uniform in [0, 1).
  double unit() { return static_cast<double>(next() >> 8) / static_cast<double>(1U << 24); }
  // Uniform integer in [0, bound).
  int below(int bound) { return static_cast<int>(next() % static_cast<std::uint32_t>(bound)); }

 private:
  std::uint32_t state_;
};

}  // namespace artgen
