// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// In-play background. The heads are XOR-drawn over it, so it stays black almost everywhere:
// only a few dark dirt mounds, a crack and a signpost stone break the night.
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "screen_paint.h"
#include "screen_pictures.h"

namespace artgen::screen {

namespace {

const QSize kSize(311, 291);
const QColor kDirt(112, 74, 40);
const QColor kDirtDark(52, 32, 16);
const QColor kHole(14, 8, 4);
const QColor kCrack(92, 58, 30);
const QColor kCrackDeep(22, 13, 6);
const QColor kFlagOrange(255, 130, 20);
const QColor kPole(200, 190, 170);
const QColor kSprout(80, 200, 60);
const QColor kStone(150, 152, 156);
const QColor kStoneInk(40, 40, 44);

enum class Topping { None, Flag, Sprout };

struct Mound {
  QPointF base;  // middle of the mound's foot
  qreal width = 0;
  qreal height = 0;
  Topping topping = Topping::None;
  std::uint32_t seed = 1;
};

const std::array<Mound, 7> kMounds{{{QPointF(62, 176), 70, 22, Topping::Flag, 11},
                                    {QPointF(172, 150), 58, 18, Topping::Sprout, 12},
                                    {QPointF(268, 190), 62, 20, Topping::Flag, 13},
                                    {QPointF(118, 258), 82, 26, Topping::Sprout, 14},
                                    {QPointF(222, 266), 76, 24, Topping::Flag, 15},
                                    {QPointF(292, 288), 40, 13, Topping::None, 16},
                                    {QPointF(150, 205), 36, 11, Topping::None, 17}}};

// The crest of a lumpy heap: a half-dome with a few random bumps, from foot to foot.
QPolygonF moundCrest(const Mound& m, Rng& rng) {
  const qreal left = m.base.x() - m.width / 2;
  QPolygonF crest{QPointF(left, m.base.y())};
  constexpr int kSteps = 14;
  for (int i = 1; i < kSteps; ++i) {
    const qreal t = static_cast<qreal>(i) / kSteps;
    const qreal dome = std::pow(std::sin(t * std::numbers::pi), 0.7);
    crest << QPointF(left + t * m.width, m.base.y() - m.height * dome + rng.range(-1.5, 1.5));
  }
  crest << QPointF(left + m.width, m.base.y());
  return crest;
}

QPointF moundTop(const Mound& m) { return m.base - QPointF(0, m.height); }

void drawPebbles(QPainter& p, const QPainterPath& heap, Rng& rng) {
  const QRectF box = heap.boundingRect();
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 7; ++i) {
    const QPointF at(rng.range(box.left(), box.right()), rng.range(box.top(), box.bottom()));
    if (!heap.contains(at)) {
      continue;
    }
    p.setBrush(rng.unit() < 0.5 ? kDirt.lighter(140) : kDirtDark);
    p.drawEllipse(at, rng.range(1, 2.2), rng.range(0.8, 1.5));
  }
}

void drawFlag(QPainter& p, QPointF foot) {
  const QPointF top = foot - QPointF(0, 26);
  QPainterPath pole(foot);
  pole.lineTo(top);
  p.strokePath(pole, roundPen(kPole, 1.6));
  QPainterPath pennant(top);
  pennant.cubicTo(top + QPointF(6, -2), top + QPointF(11, 4), top + QPointF(17, 4));
  pennant.cubicTo(top + QPointF(11, 6), top + QPointF(6, 9), top + QPointF(0, 10));
  pennant.closeSubpath();
  p.fillPath(pennant, shaded(pennant.boundingRect(), kFlagOrange, 130, 130));
}

void drawSprout(QPainter& p, QPointF hole) {
  QRadialGradient pit(hole, 8);
  pit.setColorAt(0, kHole);
  pit.setColorAt(0.8, kHole);
  pit.setColorAt(1, kDirtDark);
  p.setPen(QPen(kDirt.lighter(130), 1));
  p.setBrush(pit);
  p.drawEllipse(hole, 9, 3.5);
  QPainterPath stem(hole);
  stem.quadTo(hole + QPointF(-3, -7), hole + QPointF(0, -13));
  p.strokePath(stem, roundPen(kSprout.darker(130), 1.8));
  for (qreal side : {-1.0, 1.0}) {
    QPainterPath leaf(hole + QPointF(0, -12));
    leaf.quadTo(hole + QPointF(5 * side, -20), hole + QPointF(10 * side, -16));
    leaf.quadTo(hole + QPointF(5 * side, -11), hole + QPointF(0, -12));
    p.fillPath(leaf, shaded(leaf.boundingRect(), kSprout, 140, 120));
  }
}

void drawMound(QPainter& p, const Mound& m) {
  Rng rng(m.seed);
  const QPolygonF crest = moundCrest(m, rng);
  QPainterPath heap;
  heap.addPolygon(crest);
  heap.closeSubpath();
  p.fillPath(heap, verticalGradient(heap.boundingRect(), {{0, kDirt}, {1, kDirtDark}}));
  paintGrain(p, heap, {28, 18, 6}, m.seed * 7);
  QPainterPath rim;
  rim.addPolygon(crest.mid(2, crest.size() - 4));
  p.save();
  p.setClipPath(heap, Qt::IntersectClip);
  p.strokePath(rim.translated(0, 1), roundPen(kDirt.lighter(135), 1.4));
  p.restore();
  drawPebbles(p, heap, rng);
  if (m.topping == Topping::Flag) {
    drawFlag(p, moundTop(m) + QPointF(m.width * 0.12, 2));
  } else if (m.topping == Topping::Sprout) {
    drawSprout(p, moundTop(m) + QPointF(0, 3));
  }
}

// A jagged line that wanders between two points, with a few short side cracks.
QPolygonF jagged(QPointF from, QPointF to, int steps, qreal wander, Rng& rng) {
  const QPointF along = (to - from) / steps;
  const QPointF across = QPointF(-along.y(), along.x()) / std::hypot(along.x(), along.y());
  QPolygonF line{from};
  for (int i = 1; i < steps; ++i) {
    line << from + along * i + across * rng.range(-wander, wander);
  }
  line << to;
  return line;
}

// The crack as a filled sliver: widest in the middle, running out to points at both ends.
QPainterPath crackShape(const QPolygonF& line, qreal width) {
  QPolygonF left;
  QPolygonF right;
  const qsizetype last = line.size() - 1;
  for (qsizetype i = 0; i <= last; ++i) {
    const QPointF dir = line[std::min(i + 1, last)] - line[std::max<qsizetype>(i - 1, 0)];
    const QPointF normal = QPointF(-dir.y(), dir.x()) / std::hypot(dir.x(), dir.y());
    const qreal t = static_cast<qreal>(i) / static_cast<qreal>(last);
    const qreal half = width / 2 * std::sin(t * std::numbers::pi);
    left << line[i] + normal * half;
    right.prepend(line[i] - normal * half);
  }
  QPainterPath shape;
  shape.setFillRule(Qt::WindingFill);  // sharp bends fold the outline over itself
  shape.addPolygon(left + right);
  shape.closeSubpath();
  return shape;
}

void drawCrackLine(QPainter& p, const QPolygonF& line, qreal width) {
  p.fillPath(crackShape(line, width), kCrack);
  p.fillPath(crackShape(line, width * 0.6).translated(0.5, 0.5), kCrackDeep);
}

void drawCrack(QPainter& p) {
  Rng rng(0xc4ac);
  const QPolygonF trunk = jagged(QPointF(4, 10), QPointF(152, 120), 14, 7, rng);
  drawCrackLine(p, trunk, 6);
  for (int branch : {3, 7, 10}) {
    const QPointF root = trunk[branch];
    const QPointF tip = root + QPointF(rng.range(-14, 18), rng.range(12, 22));
    drawCrackLine(p, jagged(root, tip, 4, 2.5, rng), 2.6);
  }
}

void drawSignpost(QPainter& p) {
  QPainterPath post;
  post.addRect(QRectF(18, 262, 10, 30));
  drawInked(p, post, kStone.darker(140), kStoneInk, 1.2);
  QPainterPath slab(QPointF(4, 262));
  slab.lineTo(3, 236);
  slab.quadTo(4, 226, 16, 224);
  slab.lineTo(34, 225);
  slab.quadTo(44, 228, 43, 238);
  slab.lineTo(42, 258);
  slab.lineTo(36, 264);
  slab.closeSubpath();
  drawInked(p, slab, shaded(slab.boundingRect(), kStone, 120, 150), kStoneInk, 1.4);
  paintGrain(p, slab, {22, 26, 5}, 0x57a9e);
  // Carved arrow pointing up, where the heads come from... and go.
  QPainterPath arrow(QPointF(23, 230));
  arrow.lineTo(31, 240);
  arrow.lineTo(26, 240);
  arrow.lineTo(26, 255);
  arrow.lineTo(20, 255);
  arrow.lineTo(20, 240);
  arrow.lineTo(15, 240);
  arrow.closeSubpath();
  p.fillPath(arrow.translated(0.8, 0.8), kStone.lighter(140));
  p.fillPath(arrow, kStoneInk);
  QPainterPath chip(QPointF(38, 230));
  chip.lineTo(34, 236);
  chip.lineTo(37, 242);
  p.strokePath(chip, roundPen(kStoneInk, 0.9));
}

}  // namespace

QImage drawPlayBackground() {
  QImage image = newCanvas(kSize, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  drawCrack(p);
  for (const Mound& m : kMounds) {
    drawMound(p, m);
  }
  drawSignpost(p);
  return image;
}

}  // namespace artgen::screen
