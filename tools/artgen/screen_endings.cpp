// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two endings: a party when the player wins, a dripping "game over" when they lose.
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <optional>

#include "screen_figure.h"
#include "screen_paint.h"
#include "screen_pictures.h"

namespace artgen::screen {

namespace {

const QSize kSize(311, 290);
const QColor kBannerRed(200, 20, 40);
const QColor kBannerGold(255, 200, 40);
const QColor kBannerInk(70, 0, 10);
const QColor kWinnerBlue(40, 110, 255);
const QColor kWinnerGlow(40, 120, 255, 200);
const QColor kNightInk(0, 10, 50);
const QColor kPaintRed(230, 20, 24);
const QColor kPaintDark(40, 0, 0);
const QColor kVignetteInner(220, 90, 140);
const QColor kVignetteOuter(70, 10, 60);
const QColor kVignetteRim(190, 20, 30);
const std::array<QColor, 6> kConfetti{QColor(255, 60, 60),  QColor(255, 220, 40),
                                      QColor(60, 220, 80),  QColor(60, 160, 255),
                                      QColor(240, 90, 240), QColor(255, 150, 30)};

const WomanLook kBrunette{QColor(250, 210, 176), QColor(110, 60, 30),  QColor(60, 150, 70),
                          QColor(210, 20, 50),   QColor(40, 170, 230), HairStyle::Bob};
const WomanLook kRedhead{QColor(255, 220, 196), QColor(220, 90, 30),  QColor(40, 120, 200),
                         QColor(220, 30, 80),   QColor(250, 200, 40), HairStyle::Long};
const WomanLook kGunslinger{QColor(250, 214, 186), QColor(40, 30, 40),  QColor(120, 70, 200),
                            QColor(200, 0, 40),    QColor(150, 20, 40), HairStyle::Long};

void drawConfetti(QPainter& p, std::uint32_t seed) {
  Rng rng(seed);
  p.save();
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 70; ++i) {
    const QPointF at(rng.range(0, 275), rng.range(0, kSize.height()));
    const QColor colour = kConfetti[rng.next() % kConfetti.size()];
    p.save();
    p.translate(at);
    p.rotate(rng.range(0, 180));
    p.setBrush(colour);
    p.drawRect(QRectF(-2.5, -1.2, 5, 2.4));
    p.restore();
  }
  for (int i = 0; i < 9; ++i) {
    drawSparkle(p, QPointF(rng.range(8, 270), rng.range(70, 280)), rng.range(4, 8),
                QColor(255, 255, 200));
  }
  p.restore();
}

// Ribbon arched across the top, its cut ends tucked behind.
QPainterPath bannerBand(const QRectF& band, qreal rise) {
  QPainterPath fine;
  constexpr int kSteps = 24;
  fine.moveTo(band.topLeft());
  for (int i = 1; i <= kSteps; ++i) {
    fine.lineTo(band.left() + band.width() * i / kSteps, band.top());
  }
  for (int i = kSteps; i >= 0; --i) {
    fine.lineTo(band.left() + band.width() * i / kSteps, band.bottom());
  }
  fine.closeSubpath();
  return arched(fine, rise);
}

QPainterPath bannerTail(qreal innerX, qreal outerX, qreal top, qreal bottom) {
  QPainterPath tail(QPointF(innerX, top));
  tail.lineTo(outerX, top);
  tail.lineTo(outerX + (innerX - outerX) * 0.3, (top + bottom) / 2);
  tail.lineTo(outerX, bottom);
  tail.lineTo(innerX, bottom);
  tail.closeSubpath();
  return tail;
}

void drawBanner(QPainter& p) {
  const QRectF band(28, 14, 226, 46);
  constexpr qreal kRise = 9;
  const QPainterPath left = bannerTail(46, 4, 26, 70);
  const QPainterPath right = bannerTail(236, 278, 26, 70);
  const QPainterPath front = bannerBand(band, kRise);
  QPainterPath whole = front.united(left).united(right);
  drawGlow(p, whole, kBannerGold, 10, 7);
  drawGlow(p, whole, QColor(255, 120, 20, 160), 4, 3);
  for (const QPainterPath& tail : {left, right}) {
    drawInked(p, tail, kBannerRed.darker(150), kBannerInk, 2);
  }
  drawInked(p, front, shaded(front.boundingRect(), kBannerRed, 140, 140), kBannerInk, 2);
  p.strokePath(bannerBand(band.adjusted(4, 4, -4, -4), kRise),
               QPen(kBannerGold, 1.5, Qt::DashLine));
  const QRectF words = band.adjusted(14, 6, -14, -6);
  const QPainterPath text =
      arched(fitInto(textPath(QStringLiteral("YOU WON!"), Typeface::SansBold, 40), words), kRise);
  drawLettering(
      p, text,
      {verticalGradient(text.boundingRect(),
                        {{0, QColor(255, 255, 220)}, {0.5, kBannerGold}, {1, QColor(255, 140, 0)}}),
       {{kBannerInk, 5}},
       QPointF(2, 2),
       QColor(60, 0, 0, 200),
       true});
}

// The same top-to-bottom shading in every letter of the column.
QBrush letterBands(qreal top, qreal pitch) {
  QLinearGradient bands =
      verticalGradient(QRectF(0, top, 1, pitch), {{0, QColor(200, 240, 255)}, {0.8, kWinnerBlue}});
  bands.setSpread(QGradient::RepeatSpread);
  return bands;
}

// "WINNER" read from top to bottom down the right edge.
void drawWinnerColumn(QPainter& p) {
  const QString word = QStringLiteral("WINNER");
  constexpr qreal kTop = 6;
  constexpr qreal kPitch = 47;
  QPainterPath letters;
  for (qsizetype i = 0; i < word.size(); ++i) {
    const QRectF cell(281, kTop + kPitch * static_cast<qreal>(i), 26, 38);
    letters.addPath(fitInto(textPath(word.mid(i, 1), Typeface::SansBold, 40), cell, Fit::Squash));
  }
  drawGlow(p, letters, kWinnerGlow, 6, 5);
  drawLettering(p, letters,
                {letterBands(kTop, kPitch),
                 {{kNightInk, 4.5}, {Qt::white, 2}},
                 QPointF(),
                 Qt::transparent,
                 false});
}

// Paint runs off the bottom of the lettering: a drip hangs wherever a letter stands thick on
// the baseline (not from a crossbar above an open counter).
bool inkAcross(const QPainterPath& shape, qreal x, qreal y, qreal halfWidth) {
  return shape.contains(QPointF(x - halfWidth, y)) && shape.contains(QPointF(x + halfWidth, y));
}

// Where a drip can hang at `x`: the lowest point there on which the letter is thick enough.
std::optional<qreal> dripFoot(const QPainterPath& text, qreal x, qreal halfWidth) {
  const QRectF box = text.boundingRect();
  constexpr qreal kStep = 0.5;
  const int steps = static_cast<int>(box.height() * 0.15 / kStep);
  for (int i = 0; i < steps; ++i) {
    const qreal y = box.bottom() - kStep * i;
    if (inkAcross(text, x, y - 2, halfWidth)) {
      return y;
    }
  }
  return std::nullopt;
}

QPainterPath drip(QPointF foot, qreal width, qreal length) {
  QPainterPath shape;
  shape.addRoundedRect(QRectF(foot.x() - width / 2, foot.y() - 3, width, length), width / 2,
                       width / 2);
  shape.addEllipse(QPointF(foot.x(), foot.y() - 3 + length), width * 0.7, width * 0.8);
  shape.addEllipse(QPointF(foot.x(), foot.y() - 1.5), width * 1.1, 3.5);
  return shape;
}

QPainterPath withDrips(const QPainterPath& text, std::uint32_t seed, qreal longest) {
  const QRectF box = text.boundingRect();
  Rng rng(seed);
  QPainterPath drips;
  qreal x = box.left() + 4;
  while (x < box.right() - 2) {
    const qreal width = rng.range(4, 7);
    const std::optional<qreal> foot = dripFoot(text, x, width / 2);
    if (foot && rng.unit() < 0.6) {
      drips.addPath(drip(QPointF(x, *foot), width, rng.range(longest * 0.25, longest)));
    }
    x += rng.range(7, 14);
  }
  return text.united(drips);
}

void drawPaintWords(QPainter& p, const QString& words, const QRectF& box, qreal longest,
                    std::uint32_t seed) {
  const QPainterPath shape =
      withDrips(fitInto(textPath(words, Typeface::SansBold, 48), box), seed, longest);
  const QRectF bounds = shape.boundingRect();
  drawLettering(
      p, shape,
      {verticalGradient(
           bounds, {{0, QColor(255, 120, 110)}, {0.35, kPaintRed}, {1, kPaintRed.darker(170)}}),
       {{QColor(255, 230, 220), 6}, {kPaintDark, 3.5}},
       QPointF(3, 3),
       QColor(90, 0, 0, 200),
       true});
}

void drawVignette(QPainter& p) {
  const QPointF centre(155, 150);
  constexpr qreal kRadius = 86;
  QPainterPath disc;
  disc.addEllipse(centre, kRadius, kRadius);
  drawGlow(p, disc, QColor(255, 40, 60, 150), 6, 6);
  QRadialGradient backdrop(centre - QPointF(0, 30), kRadius * 1.3);
  backdrop.setColorAt(0, kVignetteInner);
  backdrop.setColorAt(1, kVignetteOuter);
  p.fillPath(disc, backdrop);
  p.save();
  p.setClipPath(disc, Qt::IntersectClip);
  drawWoman(p, kGunslinger, {QPointF(148, 140), 0.95, ArmPose::Down, ArmPose::Pistol, true, 4});
  QRadialGradient shade(centre, kRadius);
  shade.setColorAt(0.7, QColor(0, 0, 0, 0));
  shade.setColorAt(1, QColor(0, 0, 0, 190));
  p.fillPath(disc, shade);
  p.restore();
  p.strokePath(disc, QPen(kPaintDark, 6));
  p.strokePath(disc, QPen(kVignetteRim, 3));
  p.strokePath(disc, QPen(QColor(255, 160, 160), 1));
}

}  // namespace

QImage drawWinScreen() {
  QImage image = newCanvas(kSize, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  drawConfetti(p, 0x51a7e);
  drawWoman(p, kBrunette, {QPointF(68, 160), 0.88, ArmPose::Down, ArmPose::Cheer, false, -5});
  drawWoman(p, kRedhead, {QPointF(213, 160), 0.88, ArmPose::Cheer, ArmPose::Down, true, 5});
  drawBanner(p);
  drawWinnerColumn(p);
  return image;
}

QImage drawLoseScreen() {
  QImage image = newCanvas(kSize, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  drawVignette(p);
  drawPaintWords(p, QStringLiteral("YOU LOST!"), QRectF(16, 6, 279, 46), 30, 0xd21b);
  drawPaintWords(p, QStringLiteral("GAME OVER"), QRectF(14, 230, 283, 38), 18, 0x6a3e);
  return image;
}

}  // namespace artgen::screen
