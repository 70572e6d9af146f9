// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace artgen {

// Receives each finished picture under its file name (without folder), e.g. "pic1_1.png".
using AssetSink = std::function<void(const QString& fileName, const QImage& image)>;

// The 14 sprites (40 x 40, exact-black background), the icons, the gunsight pointer
// and the two button pictures.
void drawSprites(const AssetSink& sink);

// The five playfield screens and the window background.
void drawScreens(const AssetSink& sink);

}  // namespace artgen
