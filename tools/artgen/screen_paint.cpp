// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen_paint.h"

#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace artgen::screen {

namespace {

const QString kFontFolder = QStringLiteral("/usr/share/fonts/truetype/dejavu/");

QString fontFile(Typeface face) {
  switch (face) {
    case Typeface::Sans:
      return kFontFolder + QStringLiteral("DejaVuSans.ttf");
    case Typeface::SansBold:
      return kFontFolder + QStringLiteral("DejaVuSans-Bold.ttf");
    case Typeface::CondensedBold:
      return kFontFolder + QStringLiteral("DejaVuSansCondensed-Bold.ttf");
    case Typeface::SerifBold:
      return kFontFolder + QStringLiteral("DejaVuSerif-Bold.ttf");
  }
  return {};
}

// Running-sum box blur of one row or column of premultiplied pixels; outside counts as clear.
void blurRun(QRgb* first, int count, std::ptrdiff_t step, int radius, std::vector<QRgb>& copy) {
  copy.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    copy[static_cast<std::size_t>(i)] = first[i * step];
  }
  std::array<int, 4> sum{};
  const auto add = [&](int index, int sign) {
    if (index < 0 || index >= count) {
      return;
    }
    const QRgb c = copy[static_cast<std::size_t>(index)];
    sum[0] += sign * qAlpha(c);
    sum[1] += sign * qRed(c);
    sum[2] += sign * qGreen(c);
    sum[3] += sign * qBlue(c);
  };
  for (int i = -radius; i <= radius; ++i) {
    add(i, 1);
  }
  const int window = 2 * radius + 1;
  for (int i = 0; i < count; ++i) {
    first[i * step] = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
    add(i - radius, -1);
    add(i + radius + 1, 1);
  }
}

void boxBlur(QImage& image, int radius) {
  auto* base = reinterpret_cast<QRgb*>(image.bits());
  const std::ptrdiff_t stride = image.bytesPerLine() / 4;
  std::vector<QRgb> copy;
  for (int y = 0; y < image.height(); ++y) {
    blurRun(base + y * stride, image.width(), 1, radius, copy);
  }
  for (int x = 0; x < image.width(); ++x) {
    blurRun(base + x, image.height(), stride, radius, copy);
  }
}

// Smooth random field in [-1, 1], bilinear between grid points `cell` pixels apart.
class ValueNoise {
 public:
  ValueNoise(QSize size, int cell, Rng& rng)
      : cell_(std::max(cell, 1)),
        columns_(size.width() / cell_ + 2),
        values_(static_cast<std::size_t>(columns_) *
                static_cast<std::size_t>(size.height() / cell_ + 2)) {
    for (qreal& v : values_) {
      v = rng.range(-1, 1);
    }
  }

  qreal at(int x, int y) const {
    const int gx = x / cell_;
    const int gy = y / cell_;
    const qreal fx = smooth(static_cast<qreal>(x % cell_) / cell_);
    const qreal fy = smooth(static_cast<qreal>(y % cell_) / cell_);
    const qreal top = std::lerp(grid(gx, gy), grid(gx + 1, gy), fx);
    const qreal bottom = std::lerp(grid(gx, gy + 1), grid(gx + 1, gy + 1), fx);
    return std::lerp(top, bottom, fy);
  }

 private:
  static qreal smooth(qreal t) { return t * t * (3 - 2 * t); }
  qreal grid(int gx, int gy) const {
    return values_[static_cast<std::size_t>(gy) * static_cast<std::size_t>(columns_) +
                   static_cast<std::size_t>(gx)];
  }

  int cell_;
  int columns_;
  std::vector<qreal> values_;
};

}  // namespace

std::uint32_t Rng::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

qreal Rng::unit() { return static_cast<qreal>(next()) / 4294967296.0; }

qreal Rng::range(qreal lo, qreal hi) { return lo + (hi - lo) * unit(); }

QPainterPath textPath(const QString& text, Typeface face, qreal pixelSize, qreal tracking) {
  const QRawFont font(fontFile(face), pixelSize, QFont::PreferNoHinting);
  const QList<quint32> glyphs = font.glyphIndexesForString(text);
  const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  QPointF pen;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    path.addPath(font.pathForGlyph(glyphs[i]).translated(pen));
    pen += advances[i] + QPointF(tracking, 0);
  }
  return path;
}

QTransform fitTransform(const QRectF& from, const QRectF& box) {
  const qreal scale = std::min(box.width() / from.width(), box.height() / from.height());
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(scale, scale);
  t.translate(-from.center().x(), -from.center().y());
  return t;
}

QPainterPath fitInto(const QPainterPath& path, const QRectF& box, Fit fit) {
  const QRectF bounds = path.boundingRect();
  const qreal sy = box.height() / bounds.height();
  const qreal sx = box.width() / bounds.width();
  const qreal scaleY = fit == Fit::Squash ? sy : std::min(sx, sy);
  const qreal scaleX = std::min(scaleY, sx);
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(scaleX, scaleY);
  t.translate(-bounds.center().x(), -bounds.center().y());
  return t.map(path);
}

QPainterPath arched(const QPainterPath& path, qreal rise) {
  const QRectF bounds = path.boundingRect();
  const qreal half = bounds.width() / 2;
  QPainterPath bent = path;
  for (int i = 0; i < bent.elementCount(); ++i) {
    const QPainterPath::Element e = bent.elementAt(i);
    const qreal u = (e.x - bounds.center().x()) / half;
    bent.setElementPositionAt(i, e.x, e.y - rise * (1 - u * u));
  }
  return bent;
}

QColor mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(static_cast<float>(std::lerp(a.redF(), b.redF(), t)),
                          static_cast<float>(std::lerp(a.greenF(), b.greenF(), t)),
                          static_cast<float>(std::lerp(a.blueF(), b.blueF(), t)),
                          static_cast<float>(std::lerp(a.alphaF(), b.alphaF(), t)));
}

QPen roundPen(const QColor& colour, qreal width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient verticalGradient(const QRectF& box,
                                 std::initializer_list<std::pair<qreal, QColor>> stops) {
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  for (const auto& [at, colour] : stops) {
    g.setColorAt(at, colour);
  }
  return g;
}

QLinearGradient shaded(const QRectF& box, const QColor& colour, int light, int dark) {
  return verticalGradient(box,
                          {{0, colour.lighter(light)}, {0.5, colour}, {1, colour.darker(dark)}});
}

void drawLettering(QPainter& p, const QPainterPath& shape, const Lettering& style) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal widest = style.outlines.empty() ? 0 : style.outlines.front().width;
  if (style.shadow.alpha() > 0) {
    const QPainterPath moved = shape.translated(style.shadowOffset);
    if (widest > 0) {
      p.strokePath(moved, roundPen(style.shadow, widest));
    }
    p.fillPath(moved, style.shadow);
  }
  for (const Stroke& outline : style.outlines) {
    p.strokePath(shape, roundPen(outline.colour, outline.width));
  }
  p.fillPath(shape, style.fill);
  if (style.gloss) {
    const QRectF box = shape.boundingRect();
    p.setClipPath(shape, Qt::IntersectClip);
    p.fillRect(box, verticalGradient(box, {{0.0, QColor(255, 255, 255, 150)},
                                           {0.45, QColor(255, 255, 255, 40)},
                                           {0.5, QColor(255, 255, 255, 0)}}));
  }
  p.restore();
}

void drawGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, qreal spread,
              int blurRadius) {
  QImage layer(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter g(&layer);
    g.setRenderHint(QPainter::Antialiasing);
    g.setTransform(p.worldTransform());
    g.fillPath(shape, colour);
    g.strokePath(shape, roundPen(colour, spread));
  }
  // Three box passes come close to a gaussian.
  for (int pass = 0; pass < 3; ++pass) {
    boxBlur(layer, blurRadius);
  }
  p.save();
  p.resetTransform();
  p.drawImage(0, 0, layer);
  p.restore();
}

void drawInked(QPainter& p, const QPainterPath& shape, const QBrush& fill, const QColor& ink,
               qreal inkWidth) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(roundPen(ink, inkWidth));
  p.setBrush(fill);
  p.drawPath(shape);
  p.restore();
}

void drawLimbs(QPainter& p, const std::vector<Limb>& limbs, const QColor& colour, const QColor& ink,
               qreal inkWidth) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  for (const Limb& limb : limbs) {
    p.strokePath(limb.path, roundPen(ink, limb.width + 2 * inkWidth));
  }
  for (const Limb& limb : limbs) {
    p.strokePath(limb.path, roundPen(colour, limb.width));
  }
  p.restore();
}

void fillChequer(QPainter& p, const QRect& area, int cell, const QColor& even, const QColor& odd) {
  for (int y = area.top(); y <= area.bottom(); y += cell) {
    for (int x = area.left(); x <= area.right(); x += cell) {
      const bool isEven = ((x - area.left()) / cell + (y - area.top()) / cell) % 2 == 0;
      p.fillRect(QRect(x, y, cell, cell).intersected(area), isEven ? even : odd);
    }
  }
}

void paintGrain(QPainter& p, const QPainterPath& area, const Grain& grain, std::uint32_t seed) {
  const QRect box = area.boundingRect().toAlignedRect();
  if (box.isEmpty()) {
    return;
  }
  Rng rng(seed);
  const ValueNoise blotches(box.size(), grain.cell, rng);
  QImage noise(box.size(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < box.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(noise.scanLine(y));
    for (int x = 0; x < box.width(); ++x) {
      const qreal v = rng.range(-grain.fine, grain.fine) + blotches.at(x, y) * grain.blotch;
      const int a = std::clamp(static_cast<int>(std::lround(std::abs(v))), 0, 255);
      line[x] = v >= 0 ? qRgba(a, a, a, a) : qRgba(0, 0, 0, a);
    }
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipPath(area, Qt::IntersectClip);
  p.drawImage(box.topLeft(), noise);
  p.restore();
}

void drawBevel(QPainter& p, const QRectF& outer, qreal width, const QColor& topLeft,
               const QColor& bottomRight) {
  const QRectF inner = outer.adjusted(width, width, -width, -width);
  const QPolygonF upper{outer.bottomLeft(), outer.topLeft(), outer.topRight(),
                        inner.topRight(),   inner.topLeft(), inner.bottomLeft()};
  const QPolygonF lower{outer.bottomLeft(), outer.bottomRight(), outer.topRight(),
                        inner.topRight(),   inner.bottomRight(), inner.bottomLeft()};
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(topLeft);
  p.drawPolygon(upper);
  p.setBrush(bottomRight);
  p.drawPolygon(lower);
  p.restore();
}

QPainterPath starburst(QPointF centre, qreal outer, qreal inner, int points,
                       qreal rotationDegrees) {
  QPolygonF polygon;
  const qreal start = rotationDegrees * std::numbers::pi / 180;
  for (int i = 0; i < 2 * points; ++i) {
    const qreal angle = start + std::numbers::pi * i / points;
    const qreal r = i % 2 == 0 ? outer : inner;
    polygon << centre + QPointF(r * std::sin(angle), -r * std::cos(angle));
  }
  QPainterPath path;
  path.addPolygon(polygon);
  path.closeSubpath();
  return path;
}

void drawSparkle(QPainter& p, QPointF centre, qreal size, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillPath(starburst(centre, size, size * 0.18, 4), colour);
  QRadialGradient core(centre, size * 0.45);
  core.setColorAt(0, Qt::white);
  core.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(core);
  p.drawEllipse(centre, size * 0.45, size * 0.45);
  p.restore();
}

QImage newCanvas(QSize size, const QColor& background) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  return image;
}

}  // namespace artgen::screen
