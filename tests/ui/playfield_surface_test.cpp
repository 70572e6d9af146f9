// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the Qt side adds to the shared playfield (tested in tests/game): the image over the
// playfield's own memory, and Qt pictures handed over as they lie.
#include "ui/playfield_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <vector>

namespace headpop {
namespace {

TEST(PlayfieldSurface, ShowsItsOwnPixelsWithoutACopyInEveryQtLayout) {
  PlayfieldSurface surface;
  const uchar* memory = surface.Pixels().constBits();
  ASSERT_EQ(surface.Pixels().format(), QImage::Format_RGB32);
  ASSERT_EQ(surface.Pixels().size(), QSize(309, 293));

  // A screen picture in another format: shown as RGB32, opaque.
  QImage picture(311, 291, QImage::Format_ARGB32);
  picture.fill(qRgba(10, 20, 30, 0));
  surface.SetScreenPicture(picture);
  EXPECT_EQ(surface.Pixels().pixel(308, 290), qRgb(10, 20, 30));
  EXPECT_EQ(surface.Pixels().pixel(0, 291), qRgb(0, 0, 0));

  // A sprite whose rows lie 64 pixels apart, wider than the picture itself.
  std::vector<uint32_t> rows(64 * 40, 0xFF000000U);
  rows[5 * 64 + 7] = qRgb(255, 0, 0);
  const QImage sprite(reinterpret_cast<const uchar*>(rows.data()), 40, 40, 64 * 4,
                      QImage::Format_RGB32);
  EXPECT_EQ(surface.DrawSprite(sprite, 100, 50), QRect(100, 50, 37, 37));
  EXPECT_EQ(surface.Pixels().pixel(107, 55), qRgb(255 ^ 10, 20, 30));
  EXPECT_EQ(surface.DrawSprite(sprite, 400, 50), QRect());
  EXPECT_EQ(surface.Pixels().constBits(), memory);
}

}  // namespace
}  // namespace headpop
