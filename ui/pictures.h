// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <array>

#include "game/game_window.h"
#include "ui/sprite_surface.h"

namespace headpop {

// Every picture of the window, loaded once from the embedded resources, the screen pictures
// when first shown. On a high-DPI screen the pictures are enlarged by whole factors with
// nearest-neighbour sampling, so that they stay as crisp as at their own size.
class Pictures {
 public:
  Pictures();

  SpriteSurface& Sprite(SpriteSet set, int item);
  const SpriteSurface& Sprite(SpriteSet set, int item) const;
  // Decoded on first use; throws std::out_of_range for a holder outside the five.
  const QImage& Screen(ScreenPicture holder) const;

  const QImage& WindowBackground() const { return windowBackground_; }
  const QIcon& WindowIcon() const { return windowIcon_; }
  // The button faces, at their own size (70 x 40 and 40 x 40) in logical pixels.
  const QIcon& StartPicture() const { return startPicture_; }
  const QIcon& QuitPicture() const { return quitPicture_; }
  const QPixmap& Gunsight() const { return gunsight_; }
  // The pointer over the playfield for a screen of the given device pixel ratio.
  QCursor GunsightCursor(qreal devicePixelRatio) const;

  static constexpr int kGunsightHotSpot = 15;

  static constexpr int kTargetFrames = 3;
  static constexpr int kBlastStages = 5;

 private:
  // pic1, pic2, pic3 items 1..3, then ledakpic items 1..5.
  std::array<SpriteSurface, 3 * kTargetFrames + kBlastStages> sprites_;
  mutable std::array<QImage, 5> screens_;  // null until first shown
  QImage windowBackground_;
  QIcon windowIcon_;
  QIcon startPicture_;
  QIcon quitPicture_;
  QPixmap gunsight_;
};

}  // namespace headpop
