// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "artgen.h"
#include "sprite_parts.h"

namespace artgen {

void drawSprites(const AssetSink& sink) {
  drawHeads(sink);
  drawExplosions(sink);
  drawInterfacePictures(sink);
}

}  // namespace artgen
