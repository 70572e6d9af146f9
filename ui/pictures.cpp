#include "ui/pictures.h"

#include <QString>
#include <cstddef>
#include <stdexcept>

namespace headpop {
namespace {

QImage LoadOpaque(const QString& name) {
  QImage image(QStringLiteral(":/assets/") + name);
  if (image.isNull()) {
    throw std::runtime_error("missing picture " + name.toStdString());
  }
  // XOR drawing and unscaled copies work on opaque 32-bit pixels.
  return image.convertToFormat(QImage::Format_RGB32);
}

const char* SetName(SpriteSet set) {
  switch (set) {
    case SpriteSet::pic1:
      return "pic1";
    case SpriteSet::pic2:
      return "pic2";
    case SpriteSet::pic3:
      return "pic3";
    case SpriteSet::ledakpic:
      break;
  }
  return "ledakpic";
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

constexpr std::array<const char*, 5> kScreenFiles = {"picture2.png", "backpic.png", "levelpic.png",
                                                     "winpic.png", "losepic.png"};

}  // namespace

Pictures::Pictures() {
  for (const SpriteSet set :
       {SpriteSet::pic1, SpriteSet::pic2, SpriteSet::pic3, SpriteSet::ledakpic}) {
    for (int item = 1; item <= ItemCount(set); ++item) {
      sprites_.at(SpriteOffset(set, item)) = SpriteSurface(
          LoadOpaque(QStringLiteral("%1_%2.png").arg(QLatin1String(SetName(set))).arg(item)));
    }
  }
  for (std::size_t i = 0; i < kScreenFiles.size(); ++i) {
    screens_.at(i) = LoadOpaque(QLatin1String(kScreenFiles.at(i)));
  }
  windowBackground_ = QPixmap::fromImage(LoadOpaque(QStringLiteral("window.png")));
  windowIcon_.addPixmap(QPixmap::fromImage(LoadOpaque(QStringLiteral("icon16.png"))));
  windowIcon_.addPixmap(QPixmap::fromImage(LoadOpaque(QStringLiteral("icon32.png"))));
  startPicture_ = QPixmap::fromImage(LoadOpaque(QStringLiteral("start.png")));
  quitPicture_ = QPixmap::fromImage(LoadOpaque(QStringLiteral("quit.png")));
  gunsight_ = QPixmap(QStringLiteral(":/assets/gunsight.png"));
}

SpriteSurface& Pictures::Sprite(SpriteSet set, int item) {
  return sprites_.at(SpriteOffset(set, item));
}

const SpriteSurface& Pictures::Sprite(SpriteSet set, int item) const {
  return sprites_.at(SpriteOffset(set, item));
}

const QImage& Pictures::Screen(ScreenPicture holder) const {
  return screens_.at(static_cast<std::size_t>(holder));
}

}  // namespace headpop
