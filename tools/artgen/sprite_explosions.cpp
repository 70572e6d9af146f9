// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The five stages of the explosion a hit head leaves behind, 80 ms each: the head bursts into
// debris, flares into a fireball that fills the square, then burns out to a few sparks.

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

#include "sprite_canvas.h"
#include "sprite_parts.h"

namespace artgen {
namespace {

constexpr QRgb kGrey = qRgb(170, 170, 170);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kGreen = qRgb(0, 255, 0);

constexpr double kMid = kSpriteCentre;

// Grey and yellow come up twice as often as the rest.
constexpr std::array kDebrisColours = {kGrey, kRed, kGreen, kYellow, kGrey, kYellow};
constexpr std::array kSparkColours = {kGrey, kYellow, kRed, kGrey, kYellow};

// Bits flying away from the centre: each a streak of `length` pixels pointing outwards, at a
// distance between `nearest` and `farthest` (in the square's own measure, so the corners fill
// too).
struct Scatter {
  int count;
  double nearest;
  double farthest;
  int length;
};

void scatter(Canvas& c, XorShift& rng, const Scatter& how, std::span<const QRgb> colours) {
  for (int i = 0; i < how.count; ++i) {
    const double angle = 2 * std::numbers::pi * rng.unit();
    const double reach = how.nearest + (how.farthest - how.nearest) * std::sqrt(rng.unit());
    const double ux = std::cos(angle);
    const double uy = std::sin(angle);
    const double toSquare = 1.0 / std::max(std::abs(ux), std::abs(uy));
    const QRgb colour =
        colours[static_cast<std::size_t>(rng.below(static_cast<int>(colours.size())))];
    for (int step = 0; step < how.length; ++step) {
      const double r = (reach - step) * std::min(toSquare, 1.3);
      c.plot(static_cast<int>(std::lround(kMid + ux * r)),
             static_cast<int>(std::lround(kMid + uy * r)), colour);
    }
  }
}

// A ragged ball of flame: yellow inside `core` of the radius, red out to the edge, the two
// dithered into each other so the ball looks like it boils.
struct Fireball {
  double radius;
  double core;
  double roughness;
};

void drawFireball(Canvas& c, XorShift& rng, const Fireball& ball) {
  const double phase1 = 2 * std::numbers::pi * rng.unit();
  const double phase2 = 2 * std::numbers::pi * rng.unit();
  c.paint([&](double x, double y) -> std::optional<QRgb> {
    const double dx = x - kMid;
    const double dy = y - kMid;
    const double angle = std::atan2(dy, dx);
    const double edge = ball.radius * (1.0 + ball.roughness * std::sin(3 * angle + phase1) +
                                       ball.roughness * std::sin(7 * angle + phase2));
    // Halfway between round and square, so that a big ball reaches into the corners.
    const double distance = 0.5 * (std::hypot(dx, dy) + std::max(std::abs(dx), std::abs(dy)));
    const double t = distance / edge + 0.3 * (rng.unit() - 0.5);
    if (t < ball.core) {
      return kYellow;
    }
    if (t < 1.0) {
      return kRed;
    }
    return std::nullopt;
  });
}

void save(const AssetSink& sink, int stage, const Canvas& canvas) {
  sink(QStringLiteral("ledakpic_%1.png").arg(stage), canvas.image());
}

void drawStage1(const AssetSink& sink) {
  Canvas c = spriteCanvas();
  XorShift rng(0x1eda0001);
  scatter(c, rng, {110, 2, 18, 2}, kDebrisColours);
  c.fillEllipse(kMid, kMid, 1.5, 1.5, kYellow);
  save(sink, 1, c);
}

void drawStage2(const AssetSink& sink) {
  Canvas c = spriteCanvas();
  XorShift rng(0x1eda0002);
  drawFireball(c, rng, {11, 0.55, 0.12});
  const std::array flecks = {kGreen};
  scatter(c, rng, {16, 2, 10, 1}, flecks);
  save(sink, 2, c);
}

void drawStage3(const AssetSink& sink) {
  Canvas c = spriteCanvas();
  XorShift rng(0x1eda0003);
  drawFireball(c, rng, {16, 0.55, 0.06});
  save(sink, 3, c);
}

void drawStage4(const AssetSink& sink) {
  Canvas c = spriteCanvas();
  XorShift rng(0x1eda0004);
  scatter(c, rng, {45, 6, 18, 2}, kSparkColours);
  save(sink, 4, c);
}

void drawStage5(const AssetSink& sink) {
  Canvas c = spriteCanvas();
  XorShift rng(0x1eda0005);
  scatter(c, rng, {14, 1, 8, 1}, kSparkColours);
  save(sink, 5, c);
}

}  // namespace

void drawExplosions(const AssetSink& sink) {
  drawStage1(sink);
  drawStage2(sink);
  drawStage3(sink);
  drawStage4(sink);
  drawStage5(sink);
}

}  // namespace artgen
