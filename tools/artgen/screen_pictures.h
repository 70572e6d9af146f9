// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The five playfield screens and the window background, one function per picture.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

namespace artgen::screen {

QImage drawTitleScreen();       // picture2.png
QImage drawPlayBackground();    // backpic.png
QImage drawLevelScreen();       // levelpic.png
QImage drawWinScreen();         // winpic.png
QImage drawLoseScreen();        // losepic.png
QImage drawWindowBackground();  // window.png

// The game's name in its red and green lettering ("Head" red, "pop" green), shared by the
// title screen and the window; `outline` scales the outline widths with the letter size.
enum class WordmarkLayout { Stacked, OneLine };
void drawWordmark(QPainter& p, const QRectF& box, WordmarkLayout layout, qreal outline);

}  // namespace artgen::screen
