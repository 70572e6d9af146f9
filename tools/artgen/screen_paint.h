// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Painting helpers shared by the full-screen pictures: noise, lettering, glow, chequer, bevels.
#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace artgen::screen {

// Small xorshift generator: every run must draw exactly the same pictures.
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : state_(seed == 0 ? 0x9e3779b9U : seed) {}
  std::uint32_t next();
  qreal unit();  // in [0, 1)
  qreal range(qreal lo, qreal hi);

 private:
  std::uint32_t state_;
};

// The DejaVu faces we letter with, loaded straight from their files so that the
// outlines do not depend on the font configuration of the machine.
enum class Typeface { Sans, SansBold, CondensedBold, SerifBold };

// Outline of `text` with its baseline starting at the origin.
QPainterPath textPath(const QString& text, Typeface face, qreal pixelSize, qreal tracking = 0);

// Maps `from` onto the middle of `box`, scaled evenly to fit.
QTransform fitTransform(const QRectF& from, const QRectF& box);

enum class Fit { KeepAspect, Squash };
// Scales and moves `path` so that its bounding box sits centred in `box`. With Squash the
// height fills the box and too wide shapes get narrower.
QPainterPath fitInto(const QPainterPath& path, const QRectF& box, Fit fit = Fit::KeepAspect);

// Bends a shape: a point at the horizontal centre moves up by `rise`, the ends not at all.
QPainterPath arched(const QPainterPath& path, qreal rise);

// `a` moved towards `b` by `t` (0..1), alpha included.
QColor mix(const QColor& a, const QColor& b, qreal t);

QPen roundPen(const QColor& colour, qreal width);
QLinearGradient verticalGradient(const QRectF& box,
                                 std::initializer_list<std::pair<qreal, QColor>> stops);

// Top-lit shading of one colour: lighter(light) at the top, darker(dark) at the bottom.
QLinearGradient shaded(const QRectF& box, const QColor& colour, int light, int dark);

struct Stroke {
  QColor colour;
  qreal width = 0;
};

// Bold arcade lettering: an optional drop shadow, outlines from the widest down, the fill
// and an optional glossy top.
struct Lettering {
  QBrush fill;
  std::vector<Stroke> outlines;
  QPointF shadowOffset;
  QColor shadow = Qt::transparent;
  bool gloss = false;
};
void drawLettering(QPainter& p, const QPainterPath& shape, const Lettering& style);

// A soft halo of `colour` around `shape`, `spread` wide before blurring.
void drawGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, qreal spread,
              int blurRadius);

// Cartoon style: filled shape with an ink outline.
void drawInked(QPainter& p, const QPainterPath& shape, const QBrush& fill, const QColor& ink,
               qreal inkWidth);

// Thick round strokes (limbs, fingers) with one ink outline around all of them.
struct Limb {
  QPainterPath path;
  qreal width = 0;
};
void drawLimbs(QPainter& p, const std::vector<Limb>& limbs, const QColor& colour, const QColor& ink,
               qreal inkWidth);

void fillChequer(QPainter& p, const QRect& area, int cell, const QColor& even, const QColor& odd);

// Adds light and dark speckles (`fine`) and larger blotches (`blotch`, `cell` pixels across)
// inside `area`; strengths are alpha values up to 255.
struct Grain {
  int fine = 0;
  int blotch = 0;
  int cell = 1;
};
void paintGrain(QPainter& p, const QPainterPath& area, const Grain& grain, std::uint32_t seed);

// Rectangular bevel `width` wide inside `outer`: `topLeft` colours the top and left edges.
void drawBevel(QPainter& p, const QRectF& outer, qreal width, const QColor& topLeft,
               const QColor& bottomRight);

QPainterPath starburst(QPointF centre, qreal outer, qreal inner, int points,
                       qreal rotationDegrees = 0);

// Four-pointed twinkle.
void drawSparkle(QPainter& p, QPointF centre, qreal size, const QColor& colour);

QImage newCanvas(QSize size, const QColor& background);

}  // namespace artgen::screen
