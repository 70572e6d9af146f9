// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen_figure.h"

#include <QLineF>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <vector>

#include "screen_paint.h"

namespace artgen::screen {

namespace {

// Everything below is in face units: the face spans x -31..31, y -40..38.
const QColor kInk(34, 18, 24);
constexpr qreal kInkWidth = 2.0;
const QColor kEyeWhite(255, 253, 248);
const QColor kMouthInside(110, 16, 34);
const QColor kTongue(236, 104, 120);
const QColor kBlush(255, 92, 112, 110);
const QColor kPearl(250, 246, 236);
const QColor kGunLight(200, 208, 224);
const QColor kGunDark(70, 78, 100);
const QColor kGunGrip(236, 120, 170);

QPainterPath mirrored(const QPainterPath& path, qreal side) {
  return side > 0 ? path : QTransform::fromScale(-1, 1).map(path);
}

QPointF along(QPointF from, QPointF to, qreal t) { return from + (to - from) * t; }

QPainterPath segment(QPointF from, QPointF to) {
  QPainterPath path(from);
  path.lineTo(to);
  return path;
}

// A dot drawn as a round-capped stroke.
QPainterPath dot(QPointF at) { return segment(at, at + QPointF(0.01, 0)); }

QPainterPath faceShape() {
  QPainterPath path(QPointF(0, -40));
  path.cubicTo(18, -40, 31, -27, 31, -7);
  path.cubicTo(31, 13, 17, 36, 0, 38);
  path.cubicTo(-17, 36, -31, 13, -31, -7);
  path.cubicTo(-31, -27, -18, -40, 0, -40);
  return path;
}

QPainterPath hairBack(HairStyle style) {
  QPainterPath path(QPointF(0, -54));
  if (style == HairStyle::Long) {
    path.cubicTo(33, -54, 47, -30, 45, 0);
    path.cubicTo(44, 30, 48, 52, 50, 74);
    path.lineTo(-50, 74);
    path.cubicTo(-48, 52, -44, 30, -45, 0);
    path.cubicTo(-47, -30, -33, -54, 0, -54);
  } else {
    path.cubicTo(35, -54, 48, -30, 46, -2);
    path.cubicTo(45, 18, 52, 30, 41, 38);
    path.quadTo(32, 42, 27, 31);
    path.lineTo(-27, 31);
    path.quadTo(-32, 42, -41, 38);
    path.cubicTo(-52, 30, -45, 18, -46, -2);
    path.cubicTo(-48, -30, -35, -54, 0, -54);
  }
  return path;
}

// Side-swept fringe over the forehead.
QPainterPath fringe() {
  QPainterPath path(QPointF(-34, -2));
  path.cubicTo(-38, -36, -18, -51, 0, -51);
  path.cubicTo(20, -51, 38, -36, 34, -2);
  path.cubicTo(31, -20, 21, -30, 8, -31);
  path.cubicTo(-6, -32, -20, -26, -29, -10);
  path.closeSubpath();
  return path;
}

// A lock of long hair falling over the shoulder.
QPainterPath hairLock(qreal side) {
  QPainterPath path(QPointF(26, -12));
  path.cubicTo(40, 0, 41, 30, 41, 50);
  path.cubicTo(41, 70, 50, 84, 57, 96);
  path.cubicTo(44, 99, 34, 90, 30, 74);
  path.cubicTo(26, 58, 29, 30, 21, 8);
  path.closeSubpath();
  return mirrored(path, side);
}

QPainterPath bodyShape() {
  QPainterPath path(QPointF(-11, 12));
  path.lineTo(-12, 40);
  path.cubicTo(-28, 50, -50, 50, -60, 64);
  path.cubicTo(-68, 76, -70, 120, -72, 240);
  path.lineTo(72, 240);
  path.cubicTo(70, 120, 68, 76, 60, 64);
  path.cubicTo(50, 50, 28, 50, 12, 40);
  path.lineTo(11, 12);
  path.closeSubpath();
  return path;
}

QPainterPath dressShape() {
  QPainterPath cut(QPointF(-120, 38));
  cut.lineTo(-30, 44);
  cut.cubicTo(-24, 90, 24, 90, 30, 44);
  cut.lineTo(120, 38);
  cut.lineTo(120, 300);
  cut.lineTo(-120, 300);
  cut.closeSubpath();
  return bodyShape().intersected(cut);
}

QBrush hairBrush(const QColor& hair, const QRectF& box) {
  return verticalGradient(box,
                          {{0, mix(hair, Qt::white, 0.3)}, {0.5, hair}, {1, hair.darker(140)}});
}

void drawHairStrands(QPainter& p, const QColor& hair, const QPainterPath& clip) {
  p.save();
  p.setClipPath(clip, Qt::IntersectClip);
  for (qreal x : {-30.0, -18.0, -6.0, 8.0, 20.0, 32.0}) {
    QPainterPath strand(QPointF(x * 0.4, -52));
    strand.cubicTo(x * 0.9, -40, x * 1.3, -10, x * 1.35, 60);
    p.strokePath(strand, roundPen(hair.darker(150), 1.0));
  }
  QColor gleam = mix(hair, Qt::white, 0.55);
  gleam.setAlpha(170);
  QPainterPath shine(QPointF(-24, -38));
  shine.quadTo(-12, -48, 4, -47);
  p.strokePath(shine, roundPen(gleam, 2.2));
  p.restore();
}

void drawHairPart(QPainter& p, const QPainterPath& shape, const QColor& hair) {
  drawInked(p, shape, hairBrush(hair, shape.boundingRect()), kInk, kInkWidth);
  drawHairStrands(p, hair, shape);
}

void drawNecklace(QPainter& p) {
  p.save();
  p.setPen(QPen(kInk, 0.6));
  for (int i = 0; i <= 8; ++i) {
    const qreal t = i / 8.0;
    const QPointF at = along(along(QPointF(-14, 46), QPointF(0, 68), t),
                             along(QPointF(0, 68), QPointF(14, 46), t), t);
    QRadialGradient pearl(at + QPointF(-0.7, -0.7), 2.4);
    pearl.setColorAt(0, Qt::white);
    pearl.setColorAt(1, kPearl.darker(120));
    p.setBrush(pearl);
    p.drawEllipse(at, 2.1, 2.1);
  }
  p.restore();
}

void drawBody(QPainter& p, const WomanLook& look) {
  const QPainterPath body = bodyShape();
  drawInked(p, body, look.skin, kInk, kInkWidth);
  p.save();
  p.setClipPath(body, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(look.skin.darker(125));
  p.drawEllipse(QPointF(0, 30), 16, 10);  // shadow under the chin
  p.restore();
  const QPainterPath dress = dressShape();
  const QRectF box = dress.boundingRect();
  drawInked(p, dress, shaded(box, look.dress, 130, 160), kInk, kInkWidth);
  drawNecklace(p);
}

void drawEyeOpen(QPainter& p, qreal side, const QColor& iris) {
  QPainterPath white(QPointF(-8.5, 0));
  white.cubicTo(-5, -7, 5, -7, 8.5, -1);
  white.cubicTo(5, 5, -5, 5, -8.5, 0);
  const QPainterPath eye = mirrored(white, side);
  p.setPen(Qt::NoPen);
  p.fillPath(eye, kEyeWhite);
  p.save();
  p.setClipPath(eye, Qt::IntersectClip);
  QRadialGradient irisFill(QPointF(0.5, 0.5), 5);
  irisFill.setColorAt(0, iris.lighter(150));
  irisFill.setColorAt(1, iris.darker(140));
  p.setBrush(irisFill);
  p.setPen(QPen(kInk, 0.8));
  p.drawEllipse(QPointF(0.5 * side, -0.5), 4.7, 4.7);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(0.5 * side, -0.5), 2.2, 2.2);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(0.5 * side + 1.6, -2.3), 1.3, 1.3);
  p.restore();
  QPainterPath lid(QPointF(-8.5, 0));
  lid.cubicTo(-5, -7, 5, -7, 8.5, -1);
  lid.lineTo(11.5, -4.5);
  p.strokePath(mirrored(lid, side), roundPen(kInk, 2.4));
  QPainterPath lower(QPointF(8.5, -1));
  lower.cubicTo(5, 5, -5, 5, -8.5, 0);
  p.strokePath(mirrored(lower, side), roundPen(kInk, 0.8));
}

void drawEyeClosed(QPainter& p, qreal side) {
  QPainterPath lid(QPointF(-8, 0));
  lid.quadTo(0, -7, 8, 0);
  lid.lineTo(11, -3);
  p.strokePath(mirrored(lid, side), roundPen(kInk, 2.4));
}

void drawEye(QPainter& p, QPointF at, qreal side, const WomanLook& look, bool closed) {
  p.save();
  p.translate(at);
  if (closed) {
    drawEyeClosed(p, side);
  } else {
    drawEyeOpen(p, side, look.iris);
  }
  QPainterPath brow(QPointF(-8, -10));
  brow.quadTo(0, -15.5, 9, -10);
  p.strokePath(mirrored(brow, side), roundPen(look.hair.darker(170), 2.0));
  p.restore();
}

void drawMouth(QPainter& p, const WomanLook& look) {
  QPainterPath mouth(QPointF(-12, 17));
  mouth.quadTo(0, 21, 12, 17);
  mouth.quadTo(0, 34, -12, 17);
  p.fillPath(mouth, kMouthInside);
  p.save();
  p.setClipPath(mouth, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(-12, 15, 24, 7));
  p.setBrush(kTongue);
  p.drawEllipse(QPointF(0, 29), 7, 4.5);
  p.restore();
  p.strokePath(mouth, roundPen(look.lips, 2.2));
  p.strokePath(mouth, roundPen(kInk, 0.8));
  for (qreal side : {-1.0, 1.0}) {
    QPainterPath dimple(QPointF(13.2, 15));
    dimple.quadTo(14.8, 17, 13.8, 19.5);
    p.strokePath(mirrored(dimple, side), roundPen(kInk, 1.0));
  }
}

void drawFace(QPainter& p, const WomanLook& look, bool wink) {
  QRadialGradient skin(QPointF(-8, -14), 52);
  skin.setColorAt(0, look.skin.lighter(112));
  skin.setColorAt(0.6, look.skin);
  skin.setColorAt(1, look.skin.darker(118));
  drawInked(p, faceShape(), skin, kInk, kInkWidth);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (qreal side : {-1.0, 1.0}) {
    QRadialGradient blush(QPointF(19 * side, 9), 8);
    blush.setColorAt(0, kBlush);
    blush.setColorAt(1, QColor(255, 92, 112, 0));
    p.setBrush(blush);
    p.drawEllipse(QPointF(19 * side, 9), 8, 8);
  }
  drawEye(p, QPointF(-13, -4), -1, look, false);
  drawEye(p, QPointF(13, -4), 1, look, wink);
  QPainterPath nose(QPointF(1, -1));
  nose.quadTo(4.5, 7, 1.5, 9);
  nose.quadTo(-0.5, 10, -2.5, 8.5);
  p.strokePath(nose, roundPen(look.skin.darker(170), 1.6));
  drawMouth(p, look);
  p.restore();
}

// Open hand at the end of a raised arm; `dir` points from the elbow to the wrist.
std::vector<Limb> openHand(QPointF wrist, QLineF dir, qreal side) {
  std::vector<Limb> parts;
  const QPointF palm = wrist + QPointF(dir.dx(), dir.dy()) * (6 / dir.length());
  parts.push_back({dot(palm), 15});
  for (qreal spread : {-30.0, -10.0, 10.0, 30.0}) {
    const QLineF finger = QLineF::fromPolar(spread == -30.0 ? 14 : 17, dir.angle() + spread);
    parts.push_back({segment(palm, palm + QPointF(finger.dx(), finger.dy())), 4.4});
  }
  const QLineF thumb = QLineF::fromPolar(13, dir.angle() + 70 * side);
  parts.push_back({segment(palm, palm + QPointF(thumb.dx(), thumb.dy())), 5.0});
  return parts;
}

// Arms grow from behind the shoulders of the dress, so their roots never show.
const QPointF kShoulder(52, 76);

void drawCheerArm(QPainter& p, qreal side, const WomanLook& look) {
  const QPointF shoulder(kShoulder.x() * side, kShoulder.y());
  const QPointF elbow(88 * side, 28);
  const QPointF wrist(82 * side, -30);
  std::vector<Limb> arm{{segment(shoulder, elbow), 15}, {segment(elbow, wrist), 12.5}};
  for (Limb& part : openHand(wrist, QLineF(elbow, wrist), -side)) {
    arm.push_back(part);
  }
  drawLimbs(p, arm, look.skin, kInk, kInkWidth);
}

// A chunky toy-bright pistol pointing along +x; the origin is where the fist closes on the grip.
void drawPistol(QPainter& p) {
  const QRectF slide(-6, -26, 44, 15);
  QPainterPath grip(QPointF(-6, -12));
  grip.lineTo(9, -12);
  grip.lineTo(3, 15);
  grip.quadTo(-5, 19, -13, 14);
  grip.closeSubpath();
  drawInked(p, grip, shaded(grip.boundingRect(), kGunGrip, 120, 130), kInk, kInkWidth);
  QPainterPath guard(QPointF(9, -11));
  guard.cubicTo(10, 1, 22, 1, 24, -11);
  p.strokePath(guard, roundPen(kInk, 3.6));
  p.strokePath(guard, roundPen(kGunLight, 1.6));
  QPainterPath body;
  body.addRoundedRect(slide, 3, 3);
  body.addRect(QRectF(37, -23, 6, 9));                // muzzle
  body.addRect(QRectF(31, -30, 4, 5));                // front sight
  body.addRoundedRect(QRectF(-10, -28, 6, 8), 2, 2);  // hammer
  body = body.simplified();
  drawInked(p, body,
            verticalGradient(slide, {{0, kGunLight}, {0.5, kGunLight.darker(115)}, {1, kGunDark}}),
            kInk, kInkWidth);
  p.strokePath(segment(QPointF(-1, -22), QPointF(32, -22)),
               roundPen(QColor(255, 255, 255, 210), 1.8));
  p.strokePath(segment(QPointF(14, -16), QPointF(30, -16)), roundPen(kGunDark, 1.0));
}

// The forearm runs along the grip, so the pistol points up and away from her face.
const QPointF kPistolElbow(94, 110);
const QPointF kPistolWrist(60, 44);

void drawPistolHand(QPainter& p, const WomanLook& look) {
  const QPointF fist = along(kPistolElbow, kPistolWrist, 1.1);
  constexpr qreal kAim = -34;
  p.save();
  p.translate(fist);
  p.rotate(kAim);
  drawPistol(p);
  p.restore();
  drawLimbs(p, {{segment(kPistolElbow, kPistolWrist), 12.5}, {dot(fist), 19}}, look.skin, kInk,
            kInkWidth);
  p.save();
  p.translate(fist);
  p.rotate(kAim);
  drawLimbs(p, {{segment(QPointF(4, -7), QPointF(13, -6)), 4.6}}, look.skin, kInk, kInkWidth);
  for (qreal y : {-1.0, 4.0}) {
    p.strokePath(segment(QPointF(3, y), QPointF(9, y)), roundPen(kInk, 1.0));
  }
  p.restore();
}

enum class Layer { BehindBody, InFront };

void drawArms(QPainter& p, const WomanLook& look, const WomanPose& pose, Layer layer) {
  for (qreal side : {-1.0, 1.0}) {
    const ArmPose arm = side < 0 ? pose.left : pose.right;
    if (arm == ArmPose::Cheer && layer == Layer::BehindBody) {
      drawCheerArm(p, side, look);
    } else if (arm == ArmPose::Pistol && side > 0 && layer == Layer::BehindBody) {
      drawLimbs(p, {{segment(kShoulder, kPistolElbow), 15}}, look.skin, kInk, kInkWidth);
    } else if (arm == ArmPose::Pistol && side > 0) {
      drawPistolHand(p, look);
    }
  }
}

}  // namespace

void drawWoman(QPainter& p, const WomanLook& look, const WomanPose& pose) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(pose.face);
  p.rotate(pose.tiltDegrees);
  p.scale(pose.scale, pose.scale);
  drawHairPart(p, hairBack(look.style), look.hair);
  drawArms(p, look, pose, Layer::BehindBody);
  drawBody(p, look);
  if (look.style == HairStyle::Long) {
    drawHairPart(p, hairLock(-1), look.hair);
    drawHairPart(p, hairLock(1), look.hair);
  }
  drawArms(p, look, pose, Layer::InFront);
  drawFace(p, look, pose.wink);
  drawHairPart(p, fringe(), look.hair);
  p.restore();
}

}  // namespace artgen::screen
