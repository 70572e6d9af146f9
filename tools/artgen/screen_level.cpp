// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Level complete: a smiling woman waves in front of rainbow rings.
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "screen_figure.h"
#include "screen_paint.h"
#include "screen_pictures.h"

namespace artgen::screen {

namespace {

const QSize kSize(311, 290);
const QPointF kRingCentre(155, 122);
constexpr qreal kRingWidth = 11;
const std::array<QColor, 7> kRainbow{
    QColor(230, 30, 40),  QColor(250, 130, 20), QColor(250, 220, 30), QColor(60, 190, 60),
    QColor(30, 190, 220), QColor(40, 80, 220),  QColor(150, 50, 200)};
const QColor kLetterGreen(40, 200, 40);
const QColor kLetterYellow(255, 236, 40);
const QColor kDeepGreen(0, 70, 10);
const QColor kLetterInk(10, 10, 10);

const WomanLook kHostess{QColor(255, 214, 184), QColor(250, 200, 70), QColor(40, 140, 210),
                         QColor(220, 30, 70),   QColor(220, 40, 120), HairStyle::Long};

// Each ring is shaded like a tube: light on its inner edge, darker outside.
void drawRings(QPainter& p) {
  const qreal reach = std::hypot(kSize.width(), kSize.height());
  p.setPen(Qt::NoPen);
  const int count = static_cast<int>(reach / kRingWidth) + 1;
  for (int i = count; i >= 1; --i) {
    const qreal r = i * kRingWidth;
    const QColor colour = kRainbow[static_cast<std::size_t>(i) % kRainbow.size()];
    QRadialGradient tube(kRingCentre, r);
    tube.setColorAt((r - kRingWidth) / r, colour.lighter(130));
    tube.setColorAt(1, colour.darker(125));
    p.setBrush(tube);
    p.drawEllipse(kRingCentre, r, r);
  }
  QRadialGradient fade(kRingCentre, reach * 0.7);
  fade.setColorAt(0.3, QColor(0, 0, 0, 0));
  fade.setColorAt(1, QColor(0, 0, 0, 150));
  p.fillRect(QRect(QPoint(0, 0), kSize), fade);
}

Lettering greenOnYellow(const QRectF& box) {
  return {shaded(box, kLetterGreen, 140, 140),
          {{kLetterInk, 9}, {kLetterYellow, 5}},
          QPointF(3, 3),
          QColor(0, 0, 0, 160),
          true};
}

Lettering yellowOnGreen(const QRectF& box) {
  return {verticalGradient(
              box, {{0, QColor(255, 255, 200)}, {0.5, kLetterYellow}, {1, QColor(240, 150, 0)}}),
          {{kLetterInk, 10}, {kDeepGreen.lighter(220), 6}},
          QPointF(3, 3),
          QColor(0, 0, 0, 160),
          true};
}

void drawWords(QPainter& p) {
  const QRectF top(14, 6, 283, 46);
  drawLettering(p, fitInto(textPath(QStringLiteral("Well done!"), Typeface::SansBold, 40), top),
                yellowOnGreen(top));
  const QRectF ready(12, 206, 287, 32);
  drawLettering(
      p, fitInto(textPath(QStringLiteral("Get ready for the"), Typeface::SansBold, 30), ready),
      greenOnYellow(ready));
  const QRectF next(20, 242, 271, 40);
  drawLettering(p, fitInto(textPath(QStringLiteral("next level!"), Typeface::SansBold, 36), next),
                greenOnYellow(next));
}

}  // namespace

QImage drawLevelScreen() {
  QImage image = newCanvas(kSize, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  drawRings(p);
  drawWoman(p, kHostess, {QPointF(155, 122), 1.2, ArmPose::Cheer, ArmPose::Down, false, -4});
  drawWords(p);
  return image;
}

}  // namespace artgen::screen
