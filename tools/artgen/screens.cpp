// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "artgen.h"
#include "screen_pictures.h"

namespace artgen {

void drawScreens(const AssetSink& sink) {
  sink(QStringLiteral("picture2.png"), screen::drawTitleScreen());
  sink(QStringLiteral("backpic.png"), screen::drawPlayBackground());
  sink(QStringLiteral("levelpic.png"), screen::drawLevelScreen());
  sink(QStringLiteral("winpic.png"), screen::drawWinScreen());
  sink(QStringLiteral("losepic.png"), screen::drawLoseScreen());
  sink(QStringLiteral("window.png"), screen::drawWindowBackground());
}

}  // namespace artgen
