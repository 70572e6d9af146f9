// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The groups of pictures that drawSprites() hands to the sink.

#include "artgen.h"

namespace artgen {

// pic1_*.png to pic3_*.png: the three heads, three animation frames each.
void drawHeads(const AssetSink& sink);

// ledakpic_1.png to ledakpic_5.png: the explosion left by a hit head.
void drawExplosions(const AssetSink& sink);

// icon*.png, start.png, quit.png and gunsight.png.
void drawInterfacePictures(const AssetSink& sink);

}  // namespace artgen
