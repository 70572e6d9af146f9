#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <array>

#include "game/game_window.h"
#include "ui/sprite_surface.h"

namespace headpop {

// Every picture of the window, loaded once from the embedded resources.
class Pictures {
 public:
  Pictures();

  SpriteSurface& Sprite(SpriteSet set, int item);
  const SpriteSurface& Sprite(SpriteSet set, int item) const;
  const QImage& Screen(ScreenPicture holder) const;

  const QPixmap& WindowBackground() const { return windowBackground_; }
  const QIcon& WindowIcon() const { return windowIcon_; }
  const QPixmap& StartPicture() const { return startPicture_; }
  const QPixmap& QuitPicture() const { return quitPicture_; }
  const QPixmap& Gunsight() const { return gunsight_; }

  static constexpr int kTargetFrames = 3;
  static constexpr int kBlastStages = 5;

 private:
  // pic1, pic2, pic3 items 1..3, then ledakpic items 1..5.
  std::array<SpriteSurface, 3 * kTargetFrames + kBlastStages> sprites_;
  std::array<QImage, 5> screens_;
  QPixmap windowBackground_;
  QIcon windowIcon_;
  QPixmap startPicture_;
  QPixmap quitPicture_;
  QPixmap gunsight_;
};

}  // namespace headpop
