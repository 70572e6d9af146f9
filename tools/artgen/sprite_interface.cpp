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

#include "sprite_canvas.h"
#include "sprite_parts.h"

namespace artgen {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kButtonGrey = qRgb(192, 192, 192);
constexpr QRgb kSignRed = qRgb(224, 0, 0);
constexpr QRgb kDarkRed = qRgb(128, 0, 0);

// ---- Window icon ----------------------------------------------------------------------------

constexpr QRgb kIconHair = qRgb(52, 34, 22);
constexpr QRgb kIconSkin = qRgb(238, 192, 152);
constexpr QRgb kIconSkinShade = qRgb(204, 146, 108);
constexpr QRgb kIconEye = qRgb(40, 28, 20);
constexpr QRgb kIconLips = qRgb(176, 76, 64);
constexpr QRgb kIconShirt = qRgb(44, 76, 150);

constexpr std::array kIconSizes = {16, 32};

// The icon is drawn afresh at each size, in unit coordinates (0..1 across the icon), with the
// small details only where there are pixels enough to show them.
class IconPainter {
 public:
  explicit IconPainter(int size) : size_(size), canvas_(size, size, kWhite) {}

  QImage draw() {
    if (size_ >= 32) {
      fill(ellipse(0.5, 1.08, 0.48, 0.24), kIconShirt);
    }
    fill(ellipse(0.5, 0.42, 0.36, 0.39), kIconHair);
    fill(ears(), kIconSkin);
    fill(face(), kIconSkin);
    fill(beard(), kIconHair);
    drawEyes();
    drawMouth();
    if (size_ >= 32) {
      drawNose();
    }
    return canvas_.image();
  }

 private:
  // A region in unit coordinates, tested at the pixel's centre.
  Region ellipse(double cx, double cy, double rx, double ry) const {
    const Region unit = artgen::ellipse(cx, cy, rx, ry);
    const double scale = size_;
    return [=](double x, double y) { return unit((x + 0.5) / scale, (y + 0.5) / scale); };
  }

  Region face() const {
    const Region oval = ellipse(0.5, 0.52, 0.27, 0.34);
    const double hairline = 0.27 * size_;
    return [=](double x, double y) { return oval(x, y) && y + 0.5 >= hairline; };
  }

  Region ears() const {
    const Region left = ellipse(0.22, 0.5, 0.06, 0.09);
    const Region right = ellipse(0.78, 0.5, 0.06, 0.09);
    return [=](double x, double y) { return left(x, y) || right(x, y); };
  }

  // Full beard from the cheekbones down, leaving the cheeks and a gap for the lips.
  Region beard() const {
    const Region outer = ellipse(0.5, 0.62, 0.29, 0.35);
    const Region cheeks = ellipse(0.5, 0.5, 0.2, 0.15);
    const double top = 0.56 * size_;
    return [=](double x, double y) { return outer(x, y) && y + 0.5 > top && !cheeks(x, y); };
  }

  int px(double unit) const { return static_cast<int>(std::floor(unit * size_)); }

  void fill(const Region& region, QRgb colour) { canvas_.fillWhere(region, colour); }

  void drawEyes() {
    const int y = px(0.45);
    const int mid = size_ / 2;
    const int offset = static_cast<int>(std::lround(0.11 * size_));
    if (size_ < 32) {
      canvas_.plot(mid - offset, y, kIconEye);
      canvas_.plot(mid + offset - 1, y, kIconEye);
      return;
    }
    // Each eye is white with a pupil in the middle, under a heavy brow.
    const int unit = size_ / 32;
    for (const int side : {-1, 1}) {
      const int left = mid + side * offset - 2 * unit;
      canvas_.fillRect(left, y, 4 * unit, 2 * unit, kWhite);
      canvas_.fillRect(left + unit, y, 2 * unit, 2 * unit, kIconEye);
      canvas_.fillRect(left - (side < 0 ? unit : 0), y - 2 * unit, 5 * unit, unit, kIconHair);
    }
  }

  void drawMouth() {
    const int mid = size_ / 2;
    const int y = px(0.74);
    const int half = std::max(1, size_ / 16);
    canvas_.fillRect(mid - half, y, 2 * half, std::max(1, size_ / 32), kIconLips);
  }

  void drawNose() {
    const int mid = size_ / 2;
    const int y = px(0.6);
    const int unit = size_ / 32;
    canvas_.fillRect(mid - unit, y, 2 * unit, unit, kIconSkinShade);
  }

  int size_;
  Canvas canvas_;
};

void drawIcons(const AssetSink& sink) {
  for (const int size : kIconSizes) {
    sink(QStringLiteral("icon%1.png").arg(size), IconPainter(size).draw());
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
