// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks that a window shown at a whole scale factor is its picture at scale 1 with every
// pixel enlarged into a square block, wherever the window shows a picture.

#include <QImage>
#include <QRegion>
#include <QString>

namespace headpop {

class Form1;

namespace test_support {

// Where `picture` appears pixel for pixel in `image` inside `within`; empty when nowhere.
QRect FindPicture(const QImage& image, const QImage& picture, const QRect& within);

// The parts of `form` that show pictures, in logical pixels: the window background outside
// every control, the playfield's drawing area and both button pictures, found in `atScale1`
// (the window at scale 1). Text and the style's frames are drawn afresh at each scale and are
// left out. Empty, with `error` set, when a button picture is not shown unaltered.
QRegion PictureRegion(const Form1& form, const QImage& atScale1, QString& error);

// Empty when every pixel of `region` in `small` is a factor x factor block of that pixel in
// `large`; otherwise where the first one differs.
QString FirstBlockMismatch(const QImage& small, const QImage& large, int factor,
                           const QRegion& region);

// Both in one: empty when `large` is `small` enlarged by `factor` in all of the window's
// pictures.
QString CompareWindowPictures(const Form1& form, const QImage& small, const QImage& large,
                              int factor);

}  // namespace test_support
}  // namespace headpop
