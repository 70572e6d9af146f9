// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QResource>
#include <QString>
#include <QtMath>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "ui/baked_picture.h"

namespace headpop {
namespace {

// A picture embedded as pixels, shown where it lies: read-only, it is copied only if
// something draws on it. Null if there is no such picture.
QImage LoadBaked(const QString& name) {
  const QResource resource(QStringLiteral(":/assets/%1.pix").arg(name));
  const auto* bytes = resource.data();
  if (bytes == nullptr) {
    return {};
  }
  const auto size = static_cast<std::size_t>(resource.size());
  BakedPictureHeader header{};
  if (resource.compressionAlgorithm() != QResource::NoCompression || size < sizeof header) {
    throw std::runtime_error("damaged picture " + name.toStdString());
  }
  std::memcpy(&header, bytes, sizeof header);
  const bool valid =
      std::memcmp(header.magic, kBakedPictureMagic, sizeof header.magic) == 0 && header.width > 0 &&
      header.width <= kBakedPictureMaxSide && header.height > 0 &&
      header.height <= kBakedPictureMaxSide &&
      (header.format == QImage::Format_RGB32 || header.format == QImage::Format_ARGB32) &&
      size == sizeof header + std::size_t{header.width} * header.height * 4;
  if (!valid) {
    throw std::runtime_error("damaged picture " + name.toStdString());
  }
  const uchar* pixels = bytes + sizeof header;
  const auto width = static_cast<int>(header.width);
  const auto height = static_cast<int>(header.height);
  const auto format = static_cast<QImage::Format>(header.format);
  const auto rowBytes = static_cast<qsizetype>(width) * 4;
  // Qt reads pixels in place only from 32-bit aligned memory; anywhere else they are copied.
  if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(uint32_t) != 0) {
    QImage copy(width, height, format);
    for (int y = 0; y < height; ++y) {
      std::memcpy(copy.scanLine(y), pixels + y * rowBytes, static_cast<std::size_t>(rowBytes));
    }
    return copy;
  }
  return QImage(pixels, width, height, rowBytes, format);
}

// The embedded picture of that name: its pixels if it was baked, or else decoded.
QImage Load(const QString& name) {
  QImage image = LoadBaked(name);
  if (image.isNull()) {
    image.load(QStringLiteral(":/assets/%1.png").arg(name));
  }
  if (image.isNull()) {
    throw std::runtime_error("missing picture " + name.toStdString());
  }
  return image;
}

QImage LoadOpaque(const QString& name) {
  // XOR drawing and unscaled copies work on opaque 32-bit pixels.
  return Load(name).convertToFormat(QImage::Format_RGB32);
}

// Hands out a picture at any size the style asks for, enlarged by nearest-neighbour
// sampling. Qt's own icon engine enlarges a picture smoothly for a high-DPI screen, which
// blurs pixel art.
class NearestNeighbourIconEngine : public QIconEngine {
 public:
  explicit NearestNeighbourIconEngine(QPixmap picture) : picture_(std::move(picture)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    // The buttons are never disabled or selected: one look serves every mode.
    if (size == picture_.size()) {
      return picture_;
    }
    return picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/,
             QIcon::State /*state*/) override {
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawPixmap(rect, picture_);
    painter->restore();
  }

  QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    return {picture_.size()};
  }

  QIconEngine* clone() const override { return new NearestNeighbourIconEngine(picture_); }

 private:
  QPixmap picture_;
};

QIcon NearestNeighbourIcon(const QString& name) {
  return QIcon(new NearestNeighbourIconEngine(QPixmap::fromImage(LoadOpaque(name))));
}

int ItemCount(SpriteSet set) {
  return set == SpriteSet::ledakpic ? Pictures::kBlastStages : Pictures::kTargetFrames;
}

std::size_t SpriteOffset(SpriteSet set, int item) {
  if (item < 1 || item > ItemCount(set)) {
    throw std::out_of_range("no such sprite item");
  }
  return static_cast<std::size_t>(static_cast<int>(set) * Pictures::kTargetFrames + item - 1);
}

constexpr std::array<const char*, 5> kScreenFiles = {"picture2", "backpic", "levelpic", "winpic",
                                                     "losepic"};

}  // namespace

Pictures::Pictures() {
  for (const SpriteSet set :
       {SpriteSet::pic1, SpriteSet::pic2, SpriteSet::pic3, SpriteSet::ledakpic}) {
    for (int item = 1; item <= ItemCount(set); ++item) {
      const std::string_view name = NameOf(set);
      sprites_.at(SpriteOffset(set, item)) = SpriteSurface(
          LoadOpaque(QStringLiteral("%1_%2")
                         .arg(QLatin1String(name.data(), static_cast<qsizetype>(name.size())))
                         .arg(item)));
    }
  }
  windowBackground_ = LoadOpaque(QStringLiteral("window"));
  // Opaque at every size.
  // Deviation (see docs/deviations.md, "larger window icons"): 48 and 64 pixels as well.
  for (const char* name : {"icon16", "icon32", "windowicon48", "windowicon64"}) {
    windowIcon_.addPixmap(QPixmap::fromImage(LoadOpaque(QLatin1String(name))));
  }
  startPicture_ = NearestNeighbourIcon(QStringLiteral("start"));
  quitPicture_ = NearestNeighbourIcon(QStringLiteral("quit"));
  gunsight_ = QPixmap::fromImage(Load(QStringLiteral("gunsight")));
}

QCursor Pictures::GunsightCursor(qreal devicePixelRatio) const {
  // A whole factor, so that every pixel of the pointer becomes a square block.
  const int factor = std::max(1, qRound(devicePixelRatio));
  if (factor == 1) {
    return QCursor(gunsight_, kGunsightHotSpot, kGunsightHotSpot);
  }
  // An enlarged picture at a device pixel ratio of 1, with its hot spot in the picture's own
  // pixels: that is how the X11 platform takes it, and it needs no further scaling. The hot
  // spot stays on the middle of the enlarged hot-spot pixel.
  const QPixmap enlarged =
      gunsight_.scaled(gunsight_.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  const int hotSpot = kGunsightHotSpot * factor + (factor - 1) / 2;
  return QCursor(enlarged, hotSpot, hotSpot);
}

SpriteSurface& Pictures::Sprite(SpriteSet set, int item) {
  return sprites_.at(SpriteOffset(set, item));
}

const SpriteSurface& Pictures::Sprite(SpriteSet set, int item) const {
  return sprites_.at(SpriteOffset(set, item));
}

const QImage& Pictures::Screen(ScreenPicture holder) const {
  const auto index = static_cast<std::size_t>(holder);
  QImage& screen = screens_.at(index);
  // Decoded when first shown: the five pictures are most of the decoding work, and only the
  // title picture is needed to open the window.
  if (screen.isNull()) {
    screen = LoadOpaque(QLatin1String(kScreenFiles.at(index)));
  }
  return screen;
}

}  // namespace headpop
