// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures around the playfield: the window icon, the two button faces and the mouse
// pointer.

#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <array>
#include <cmath>

#include "icon_parts.h"
#include "sprite_canvas.h"
#include "sprite_parts.h"

namespace artgen {
namespace {

constexpr QRgb kButtonGrey = qRgb(192, 192, 192);
constexpr QRgb kSignRed = qRgb(224, 0, 0);
constexpr QRgb kDarkRed = qRgb(128, 0, 0);

// ---- Window icon ----------------------------------------------------------------------------

// The hicolor sizes a desktop asks for, for its menus and launchers. From 48 up there are
// pixels enough for soft edges and small details, on a rounded tile with clear corners as
// menus show icons; below that every pixel is placed by hand, on white to the edges.
constexpr std::array kIconSizes = {16, 32, 48, 64, 128, 256};
constexpr int kSmoothIconSize = 48;
// The window's own icon is opaque at every size: 16 and 32 are the small icons above; 48 and
// 64 serve title bars at 3 and 4 times the scale, and task bars and window switchers.
constexpr std::array kLargeWindowIconSizes = {48, 64};

void drawIcons(const AssetSink& sink) {
  for (const int size : kIconSizes) {
    sink(QStringLiteral("icon%1.png").arg(size),
         size < kSmoothIconSize ? icon::drawPixelIcon(size)
                                : icon::drawSmoothIcon(size, icon::Backdrop::kTile));
  }
  for (const int size : kLargeWindowIconSizes) {
    sink(QStringLiteral("windowicon%1.png").arg(size),
         icon::drawSmoothIcon(size, icon::Backdrop::kSquare));
  }
}

// ---- Start button ---------------------------------------------------------------------------

constexpr QRgb kOvalTop = qRgb(255, 120, 110);
constexpr QRgb kOvalBottom = qRgb(176, 0, 0);
constexpr QRgb kLetters = qRgb(255, 0, 0);

QFont startFont() {
  const int id = QFontDatabase::addApplicationFont(
      QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
  QFont font(id >= 0 ? QFontDatabase::applicationFontFamilies(id).value(0)
                     : QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(17);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void drawStartButton(const AssetSink& sink) {
  QImage image(70, 40, QImage::Format_RGB32);
  image.fill(QColor::fromRgb(kButtonGrey));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF oval(1.5, 1.5, 67, 37);
  QLinearGradient body(0, oval.top(), 0, oval.bottom());
  body.setColorAt(0, QColor::fromRgb(kOvalTop));
  body.setColorAt(1, QColor::fromRgb(kOvalBottom));
  p.setPen(QPen(QColor::fromRgb(kDarkRed), 1.5));
  p.setBrush(body);
  p.drawEllipse(oval);
  // Gloss: a pale highlight across the top of the oval.
  QLinearGradient gloss(0, 3, 0, 18);
  gloss.setColorAt(0, QColor(255, 255, 255, 200));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawEllipse(QRectF(9, 3, 52, 16));

  QPainterPath word;
  const QFont font = startFont();
  word.addText(0, 0, font, QStringLiteral("Start"));
  const QRectF box = word.boundingRect();
  word.translate(35 - box.center().x(), 20 - box.center().y());
  p.setPen(QPen(QColor::fromRgb(kDarkRed), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(word);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(kLetters));
  p.drawPath(word);
  p.end();
  sink(QStringLiteral("start.png"), image);
}

// ---- Quit button ----------------------------------------------------------------------------

void drawQuitButton(const AssetSink& sink) {
  Canvas c(40, 40, kButtonGrey);
  const double mid = 19.5;
  const Region sign = [=](double x, double y) {
    const double dx = x - mid;
    const double dy = y - mid;
    const double r = std::hypot(dx, dy);
    const bool ring = r >= 13.2 && r <= 17.5;
    const bool bar = r < 14 && std::abs(dx - dy) <= 3.6;
    return ring || bar;
  };
  c.fillOutlinedWhere(sign, kSignRed, kDarkRed);
  sink(QStringLiteral("quit.png"), c.image());
}

// ---- Gunsight pointer -----------------------------------------------------------------------

constexpr QRgb kClear = qRgba(0, 0, 0, 0);
constexpr QRgb kOpaqueBlack = qRgba(0, 0, 0, 255);
constexpr QRgb kOpaqueWhite = qRgba(255, 255, 255, 255);

void drawGunsight(const AssetSink& sink) {
  Canvas c(32, 32, kClear, QImage::Format_ARGB32);
  const double hot = 15;  // the pointer's hot spot, on a pixel centre
  c.fillRing(hot, hot, 9.6, 11.5, kOpaqueBlack);
  c.fillRing(hot, hot, 5.6, 6.5, kOpaqueWhite);
  // Deviation (see docs/deviations.md, "gunsight inner ring"): round the hot spot, black
  // on light colours and white on dark ones, where the screen cannot be inverted.
  c.fillRing(hot, hot, 1.6, 2.5, kOpaqueWhite);
  c.fillRing(hot, hot, 0.5, 1.5, kOpaqueBlack);
  sink(QStringLiteral("gunsight.png"), c.image());
}

}  // namespace

void drawInterfacePictures(const AssetSink& sink) {
  drawIcons(sink);
  drawStartButton(sink);
  drawQuitButton(sink);
  drawGunsight(sink);
}

}  // namespace artgen
