// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Title screen: a framed portrait of a grotesque head, the game's name, credits and two badges.
#include <QRadialGradient>
#include <array>

#include "screen_paint.h"
#include "screen_pictures.h"

namespace artgen::screen {

namespace {

const QSize kSize(311, 291);
const QColor kChequerGrey(168, 170, 178);
const QColor kChequerWhite(242, 242, 242);
const QColor kInk(20, 12, 16);
const QColor kTitleRed(230, 20, 20);
const QColor kTitleGreen(40, 200, 40);
const QColor kCreditRed(200, 0, 0);
const QColor kFrameGold(230, 180, 50);
const QColor kBackdrop(140, 70, 190);
const QColor kGhoulSkin(156, 196, 84);
const QColor kNoseRed(214, 80, 90);
const QColor kEyeYellow(255, 248, 214);
const QColor kVein(220, 40, 40);
const QColor kIris(240, 170, 0);
const QColor kMouth(70, 0, 16);
const QColor kTooth(250, 244, 210);
const QColor kGoldTooth(255, 200, 40);
const QColor kHair(40, 30, 24);
const QColor kBadgeBlue(30, 90, 220);
const QColor kBadgeYellow(255, 220, 30);
const QColor kBadgeRed(230, 30, 30);

// --- The portrait. Head units: the skull spans about x -48..48, y -58..56. ---

QPainterPath skull() {
  QPainterPath path(QPointF(0, -58));
  path.cubicTo(36, -60, 52, -36, 48, -8);
  path.cubicTo(46, 16, 42, 40, 22, 52);
  path.cubicTo(10, 58, -10, 58, -22, 52);
  path.cubicTo(-42, 40, -46, 16, -48, -8);
  path.cubicTo(-52, -36, -36, -60, 0, -58);
  return path;
}

void drawEars(QPainter& p) {
  for (qreal side : {-1.0, 1.0}) {
    QPainterPath ear;
    ear.addEllipse(QPointF(50 * side, 0), 13, 19);
    drawInked(p, ear, kGhoulSkin.darker(115), kInk, 2);
    QPainterPath inner;
    inner.addEllipse(QPointF(52 * side, 1), 6, 11);
    p.fillPath(inner, kGhoulSkin.darker(150));
  }
}

void drawNeck(QPainter& p) {
  QPainterPath neck;
  neck.addRect(QRectF(-20, 40, 40, 40));
  drawInked(p, neck, kGhoulSkin.darker(130), kInk, 2);
  QPainterPath shirt(QPointF(-80, 74));
  shirt.quadTo(0, 50, 80, 74);
  shirt.lineTo(80, 110);
  shirt.lineTo(-80, 110);
  shirt.closeSubpath();
  drawInked(p, shirt, QColor(230, 110, 20), kInk, 2);
  p.save();
  p.setClipPath(shirt, Qt::IntersectClip);
  for (int stripe = 0; stripe < 10; ++stripe) {
    p.fillRect(QRectF(-76 + 16 * stripe, 50, 7, 60), QColor(255, 210, 40));
  }
  p.restore();
  p.strokePath(shirt, roundPen(kInk, 2));
}

void drawHairTufts(QPainter& p) {
  const std::array<std::pair<QPointF, QPointF>, 5> hairs{{{QPointF(-6, -57), QPointF(-14, -76)},
                                                          {QPointF(2, -58), QPointF(4, -80)},
                                                          {QPointF(9, -57), QPointF(20, -74)},
                                                          {QPointF(-44, -20), QPointF(-58, -30)},
                                                          {QPointF(44, -22), QPointF(58, -34)}}};
  for (const auto& [root, tip] : hairs) {
    QPainterPath hair(root);
    const QPointF mid = (root + tip) / 2;
    hair.cubicTo(mid + QPointF(6, 0), mid - QPointF(6, 0), tip);
    p.strokePath(hair, roundPen(kHair, 2.2));
  }
}

void drawWrinkles(QPainter& p) {
  for (int i = 0; i < 3; ++i) {
    const qreal y = -44 + 5 * i;
    QPainterPath line(QPointF(-20 + 3 * i, y));
    line.quadTo(-6, y - 4, 0, y);
    line.quadTo(8, y + 3, 20 - 3 * i, y - 2);
    p.strokePath(line, roundPen(kGhoulSkin.darker(160), 1.4));
  }
}

struct Eye {
  QPointF centre;
  qreal radius = 0;
  QPointF gaze;   // where the pupil sits, relative to the centre
  qreal lid = 0;  // how far down the upper lid hangs, 0..1
};

void drawVeins(QPainter& p, const Eye& eye) {
  for (qreal angle : {200.0, 330.0, 20.0}) {
    const QLineF spoke = QLineF::fromPolar(eye.radius, angle).translated(eye.centre);
    QPainterPath vein(spoke.p2());
    vein.lineTo(spoke.pointAt(0.7) + QPointF(1.5, -1.5));
    vein.lineTo(spoke.pointAt(0.5));
    p.strokePath(vein, roundPen(kVein, 0.9));
  }
}

void drawEye(QPainter& p, const Eye& eye) {
  QPainterPath ball;
  ball.addEllipse(eye.centre, eye.radius, eye.radius);
  QRadialGradient white(eye.centre - QPointF(eye.radius, eye.radius) * 0.3, eye.radius * 1.3);
  white.setColorAt(0, Qt::white);
  white.setColorAt(1, kEyeYellow.darker(115));
  drawInked(p, ball, white, kInk, 2);
  p.save();
  p.setClipPath(ball, Qt::IntersectClip);
  drawVeins(p, eye);
  const QPointF pupil = eye.centre + eye.gaze;
  p.setPen(QPen(kInk, 1));
  p.setBrush(kIris);
  p.drawEllipse(pupil, eye.radius * 0.45, eye.radius * 0.45);
  p.setBrush(kInk);
  p.drawEllipse(pupil, eye.radius * 0.22, eye.radius * 0.22);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(pupil + QPointF(-1.5, -1.5), 1.4, 1.4);
  const qreal lidEdge = eye.centre.y() - eye.radius + 2 * eye.radius * eye.lid;
  QPainterPath lid;
  lid.addRect(QRectF(eye.centre.x() - eye.radius, eye.centre.y() - eye.radius - 1, 2 * eye.radius,
                     lidEdge - eye.centre.y() + eye.radius + 1));
  drawInked(p, lid, kGhoulSkin.darker(125), kInk, 2);
  p.restore();
  QPainterPath bag(eye.centre + QPointF(-eye.radius * 0.8, eye.radius * 1.05));
  bag.quadTo(eye.centre + QPointF(0, eye.radius * 1.5),
             eye.centre + QPointF(eye.radius * 0.8, eye.radius * 1.05));
  p.strokePath(bag, roundPen(kGhoulSkin.darker(170), 1.3));
}

void drawBrows(QPainter& p) {
  for (const QPolygonF& brow : {QPolygonF{{-36, -36}, {-6, -30}, {-8, -25}, {-34, -29}},
                                QPolygonF{{4, -32}, {30, -40}, {32, -33}, {6, -27}}}) {
    QPainterPath path;
    path.addPolygon(brow);
    path.closeSubpath();
    drawInked(p, path, kHair, kInk, 1.5);
  }
}

void drawWart(QPainter& p, QPointF at, qreal radius) {
  QPainterPath wart;
  wart.addEllipse(at, radius, radius);
  drawInked(p, wart, kGhoulSkin.darker(140), kInk, 1);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(at + QPointF(-radius, -radius) * 0.35, radius * 0.35, radius * 0.35);
}

void drawNose(QPainter& p) {
  QPainterPath nose;
  nose.addEllipse(QPointF(3, 8), 15, 13);
  QRadialGradient bulb(QPointF(-2, 2), 18);
  bulb.setColorAt(0, kNoseRed.lighter(135));
  bulb.setColorAt(1, kNoseRed.darker(150));
  drawInked(p, nose, bulb, kInk, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(-4, 15), 3, 2);
  p.drawEllipse(QPointF(10, 15), 3, 2);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(QPointF(-4, 2), 4, 2.5);
  drawWart(p, QPointF(13, 1), 2.6);
}

// Crooked teeth hanging from the upper lip, one of them gold, with a gap where one fell out.
void drawTeeth(QPainter& p) {
  struct Tooth {
    qreal x = 0;
    qreal width = 0;
    qreal length = 0;
    bool gold = false;
  };
  const std::array<Tooth, 6> teeth{{{-26, 6, 6, false},
                                    {-19, 7, 9, false},
                                    {-11, 8, 11, false},
                                    {6, 8, 10, true},
                                    {15, 7, 12, false},
                                    {23, 6, 7, false}}};
  for (const Tooth& t : teeth) {
    QPainterPath tooth;
    tooth.addRoundedRect(QRectF(t.x, 20, t.width, t.length + 4), 2, 2);
    drawInked(p, tooth, t.gold ? kGoldTooth : kTooth, kInk, 1);
  }
  for (qreal x : {-8.0, 10.0}) {
    QPainterPath tooth;
    tooth.addRoundedRect(QRectF(x, 38, 7, 12), 2, 2);
    drawInked(p, tooth, kTooth, kInk, 1);
  }
}

void drawMouth(QPainter& p) {
  QPainterPath mouth(QPointF(-33, 26));
  mouth.cubicTo(-16, 20, 12, 26, 34, 21);
  mouth.cubicTo(28, 44, 14, 50, 0, 49);
  mouth.cubicTo(-16, 49, -30, 42, -33, 26);
  drawInked(p, mouth, kMouth, kInk, 2);
  p.save();
  p.setClipPath(mouth, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 80, 100));
  p.drawEllipse(QPointF(4, 48), 13, 7);
  drawTeeth(p);
  p.restore();
  p.strokePath(mouth, roundPen(kInk, 2));
}

void drawStubble(QPainter& p) {
  Rng rng(0x5b1e);
  p.setPen(Qt::NoPen);
  p.setBrush(kGhoulSkin.darker(180));
  for (int i = 0; i < 26; ++i) {
    const QPointF at(rng.range(-22, 22), rng.range(50, 56));
    if (skull().contains(at)) {
      p.drawEllipse(at, 0.7, 0.7);
    }
  }
}

void drawGhoul(QPainter& p) {
  drawNeck(p);
  drawEars(p);
  QRadialGradient skin(QPointF(-14, -24), 80);
  skin.setColorAt(0, kGhoulSkin.lighter(130));
  skin.setColorAt(0.6, kGhoulSkin);
  skin.setColorAt(1, kGhoulSkin.darker(150));
  drawInked(p, skull(), skin, kInk, 2.4);
  drawHairTufts(p);
  drawWrinkles(p);
  drawEye(p, {QPointF(-20, -14), 14, QPointF(-4, 3), 0.25});
  drawEye(p, {QPointF(18, -17), 10.5, QPointF(3, -2), 0.42});
  drawBrows(p);
  drawMouth(p);
  drawNose(p);
  drawWart(p, QPointF(-35, 14), 3.4);
  drawWart(p, QPointF(28, -42), 2.4);
  drawStubble(p);
}

void drawPortrait(QPainter& p, const QRectF& frame) {
  QPainterPath outer;
  outer.addRoundedRect(frame, 8, 8);
  p.fillPath(outer.translated(3, 4), QColor(0, 0, 0, 110));
  drawInked(p, outer, shaded(frame, kFrameGold, 140, 160), kInk, 2);
  const QRectF window = frame.adjusted(7, 7, -7, -7);
  QPainterPath inner;
  inner.addRoundedRect(window, 4, 4);
  QRadialGradient backdrop(window.center(), window.height() * 0.7);
  backdrop.setColorAt(0, kBackdrop.lighter(150));
  backdrop.setColorAt(1, kBackdrop.darker(200));
  drawInked(p, inner, backdrop, kInk, 2);
  p.save();
  p.setClipPath(inner, Qt::IntersectClip);
  p.fillPath(starburst(window.center(), window.height(), 0, 14), QColor(255, 255, 255, 28));
  p.translate(window.center() + QPointF(0, -2));
  p.scale(0.86, 0.86);
  drawGhoul(p);
  p.restore();
  p.strokePath(inner, roundPen(kInk, 2));
}

// --- Lettering ---

void drawCredits(QPainter& p) {
  const QRectF plaque(14, 150, 283, 88);
  QPainterPath panel;
  panel.addRoundedRect(plaque, 10, 10);
  p.fillPath(panel.translated(2, 3), QColor(0, 0, 0, 80));
  drawInked(p, panel, QColor(255, 255, 255, 225), kCreditRed, 2);
  const std::array<QString, 4> lines{
      QStringLiteral("Programming: the Headpop team"), QStringLiteral("Pictures: the Headpop team"),
      QStringLiteral("Sound: the Headpop team"), QStringLiteral("(c) 2026 the Headpop team")};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QPainterPath line = textPath(lines[i], Typeface::SansBold, 12.5);
    const QRectF b = line.boundingRect();
    line.translate(plaque.center().x() - b.center().x(),
                   plaque.top() + 24 + 19.0 * static_cast<qreal>(i));
    p.fillPath(line, i + 1 == lines.size() ? kCreditRed.darker(130) : kCreditRed);
  }
}

void drawZapBadge(QPainter& p, const QRectF& box) {
  QPainterPath pill;
  pill.addRoundedRect(box, box.height() / 2, box.height() / 2);
  p.fillPath(pill.translated(2, 3), QColor(0, 0, 0, 90));
  drawInked(p, pill, shaded(box, kBadgeBlue, 160, 170), Qt::white, 3);
  p.strokePath(pill, roundPen(kInk, 1));
  QTransform lean;  // italic slant about the badge's centre, for speed
  lean.translate(box.center().x(), box.center().y());
  lean.shear(-0.25, 0);
  lean.translate(-box.center().x(), -box.center().y());
  const QPainterPath word = lean.map(fitInto(
      textPath(QStringLiteral("ZAP!"), Typeface::SansBold, 30), box.adjusted(20, 6, -20, -6)));
  drawLettering(p, word,
                {verticalGradient(word.boundingRect(),
                                  {{0, Qt::white}, {0.5, kBadgeYellow}, {1, QColor(255, 140, 0)}}),
                 {{kInk, 5}},
                 QPointF(2, 2),
                 QColor(0, 0, 0, 150),
                 false});
}

void drawPowBadge(QPainter& p, const QRectF& box) {
  const QPainterPath burst =
      QTransform()
          .translate(box.center().x(), box.center().y())
          .scale(box.width() / box.height(), 1)
          .map(starburst(QPointF(), box.height() / 2, box.height() / 3.2, 14, 6));
  p.fillPath(burst.translated(2, 3), QColor(0, 0, 0, 90));
  QRadialGradient fill(box.center(), box.width() / 2);
  fill.setColorAt(0, kBadgeYellow);
  fill.setColorAt(0.55, QColor(255, 150, 20));
  fill.setColorAt(1, kBadgeRed);
  drawInked(p, burst, fill, kInk, 2);
  const QPainterPath word = fitInto(textPath(QStringLiteral("POW!"), Typeface::SansBold, 30),
                                    box.adjusted(26, 11, -26, -11));
  drawLettering(
      p, word,
      {QBrush(Qt::white), {{kInk, 5}, {kBadgeRed, 3}}, QPointF(2, 2), QColor(0, 0, 0, 150), false});
}

}  // namespace

void drawWordmark(QPainter& p, const QRectF& box, WordmarkLayout layout, qreal outline) {
  QPainterPath head = textPath(QStringLiteral("Head"), Typeface::SansBold, 60);
  QPainterPath pop = textPath(QStringLiteral("pop"), Typeface::SansBold, 60);
  if (layout == WordmarkLayout::Stacked) {
    pop.translate(head.boundingRect().right() - pop.boundingRect().right(), 54);
  } else {
    pop.translate(head.boundingRect().right() + 1, 0);
  }
  QPainterPath both = head;
  both.addPath(pop);
  const QTransform fit = fitTransform(both.boundingRect(), box);
  head = fit.map(head);
  pop = fit.map(pop);
  const auto style = [outline](const QPainterPath& part, const QColor& colour) {
    return Lettering{shaded(part.boundingRect(), colour, 160, 190),
                     {{kInk, 9 * outline}, {Qt::white, 4.5 * outline}},
                     QPointF(3, 3) * outline,
                     QColor(0, 0, 0, 130),
                     true};
  };
  drawLettering(p, head, style(head, kTitleRed));
  drawLettering(p, pop, style(pop, kTitleGreen));
}

QImage drawTitleScreen() {
  QImage image = newCanvas(kSize, kChequerWhite);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  fillChequer(p, QRect(QPoint(0, 0), kSize), 16, kChequerGrey, kChequerWhite);
  drawPortrait(p, QRectF(8, 8, 122, 136));
  drawWordmark(p, QRectF(136, 12, 164, 124), WordmarkLayout::Stacked, 1);
  drawCredits(p);
  drawZapBadge(p, QRectF(22, 248, 118, 36));
  drawPowBadge(p, QRectF(168, 242, 124, 48));
  return image;
}

}  // namespace artgen::screen
