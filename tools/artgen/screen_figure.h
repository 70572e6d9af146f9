// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The cartoon woman who appears on the level, win and lose screens.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace artgen::screen {

enum class HairStyle { Long, Bob };
enum class ArmPose { Down, Cheer, Pistol };

struct WomanLook {
  QColor skin;
  QColor hair;
  QColor iris;
  QColor lips;
  QColor dress;
  HairStyle style = HairStyle::Long;
};

// The figure is drawn from the top of the hair to well below the picture's edge: callers
// place it so that the bust is cut by the frame.
struct WomanPose {
  QPointF face;                   // centre of the face in the picture
  qreal scale = 1;                // 1 gives a face about 78 pixels tall
  ArmPose left = ArmPose::Down;   // arm on the picture's left
  ArmPose right = ArmPose::Down;  // arm on the picture's right; only this one can hold the pistol
  bool wink = false;              // the right eye closed
  qreal tiltDegrees = 0;
};

void drawWoman(QPainter& p, const WomanLook& look, const WomanPose& pose);

}  // namespace artgen::screen
