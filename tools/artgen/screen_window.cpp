// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Window background: a blue panel in a textured rim, the title on top, a bevelled frame where
// the playfield sits, and the makers' credit beside the Quit button.
#include <QRadialGradient>

#include "screen_paint.h"
#include "screen_pictures.h"

namespace artgen::screen {

namespace {

const QSize kSize(350, 420);
const QRectF kVisible(0, 0, 348, 419);  // the window shows only this much
constexpr qreal kRimWidth = 7;
const QRectF kPlayfield(16, 56, 313, 297);
constexpr qreal kFrameWidth = 4;
const QRectF kCreditBox(254, 362, 88, 19);  // right of the Quit button, above the About label

const QColor kRim(118, 132, 160);
const QColor kRimLight(214, 224, 244);
const QColor kRimDark(34, 40, 60);
const QColor kPanelTop(52, 96, 206);
const QColor kPanelMiddle(30, 60, 156);
const QColor kPanelBottom(10, 22, 72);
const QColor kFrameLight(150, 176, 236);
const QColor kFrameDark(6, 12, 40);
const QColor kCreditGold(255, 214, 110);

QPainterPath rounded(const QRectF& box, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(box, radius, radius);
  return path;
}

// Light from the top left: `raised` edges are bright there and dark at the bottom right.
QPen edgePen(const QRectF& box, bool raised, qreal width) {
  QLinearGradient light(box.topLeft(), box.bottomRight());
  light.setColorAt(0, raised ? kRimLight : kRimDark);
  light.setColorAt(1, raised ? kRimDark : kRimLight);
  return QPen(QBrush(light), width);
}

void drawRim(QPainter& p) {
  const QPainterPath outer = rounded(kVisible.adjusted(0.5, 0.5, -0.5, -0.5), 16);
  p.fillPath(outer, kRim);
  paintGrain(p, outer, {30, 34, 4}, 0x71e);
  p.strokePath(outer, edgePen(kVisible, true, 2));
  const QRectF inner = kVisible.adjusted(kRimWidth, kRimWidth, -kRimWidth, -kRimWidth);
  p.strokePath(rounded(inner.adjusted(-1, -1, 1, 1), 11), edgePen(inner, false, 2));
}

void drawPanel(QPainter& p) {
  const QRectF inner = kVisible.adjusted(kRimWidth, kRimWidth, -kRimWidth, -kRimWidth);
  const QPainterPath panel = rounded(inner, 10);
  p.fillPath(panel, verticalGradient(inner, {{0, kPanelTop},
                                             {0.35, kPanelMiddle},
                                             {0.8, kPanelBottom},
                                             {1, kPanelBottom.darker(130)}}));
  QRadialGradient halo(QPointF(inner.center().x(), 26), 150);
  halo.setColorAt(0, QColor(120, 170, 255, 120));
  halo.setColorAt(1, QColor(120, 170, 255, 0));
  p.fillPath(panel, halo);
  paintGrain(p, panel, {5, 0, 1}, 0xb1e);
}

void drawFrame(QPainter& p) {
  const QRectF outer = kPlayfield.adjusted(-kFrameWidth, -kFrameWidth, kFrameWidth, kFrameWidth);
  p.fillRect(outer, Qt::black);
  drawBevel(p, outer, kFrameWidth / 2, kFrameLight, kFrameDark);
  drawBevel(p, outer.adjusted(kFrameWidth / 2, kFrameWidth / 2, -kFrameWidth / 2, -kFrameWidth / 2),
            kFrameWidth / 2, kFrameDark, kFrameLight);
}

void drawCredit(QPainter& p) {
  QPainterPath top = textPath(QStringLiteral("by the"), Typeface::CondensedBold, 9);
  QPainterPath bottom = textPath(QStringLiteral("Headpop team"), Typeface::CondensedBold, 10);
  top.translate(kCreditBox.center().x() - top.boundingRect().center().x(), kCreditBox.top() + 7);
  bottom.translate(kCreditBox.center().x() - bottom.boundingRect().center().x(),
                   kCreditBox.bottom());
  QPainterPath credit = top;
  credit.addPath(bottom);
  drawLettering(p, credit,
                {verticalGradient(credit.boundingRect(), {{0, Qt::white}, {1, kCreditGold}}),
                 {{kFrameDark, 2}},
                 QPointF(1, 1),
                 QColor(0, 0, 0, 180),
                 false});
}

}  // namespace

QImage drawWindowBackground() {
  QImage image = newCanvas(kSize, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  drawRim(p);
  drawPanel(p);
  drawFrame(p);
  drawWordmark(p, QRectF(40, 9, 268, 40), WordmarkLayout::OneLine, 0.55);
  drawCredit(p);
  return image;
}

}  // namespace artgen::screen
