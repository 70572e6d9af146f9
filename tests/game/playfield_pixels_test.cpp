// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playfield_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>

namespace headpop {
namespace {

// A sprite whose every pixel of the shown 37 x 37 is distinct and non-black, with a black
// rim where the picture is never shown.
QImage TestSprite(uint32_t salt) {
  QImage sprite(40, 40, QImage::Format_RGB32);
  sprite.fill(Qt::black);
  for (int v = 0; v < 37; ++v) {
    for (int u = 0; u < 37; ++u) {
      sprite.setPixel(
          u, v, 0xFF000000U | ((salt + static_cast<uint32_t>(v * 37 + u + 1)) * 2654435761U >> 8U));
    }
  }
  return sprite;
}

// A screen picture of the classic 311 x 291 size with a pattern everywhere.
QImage TestScreen(int width, int height) {
  QImage screen(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      screen.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF));
    }
  }
  return screen;
}

class Surface : public ::testing::Test {
 protected:
  Surface() { surface.SetScreenPicture(TestScreen(311, 291)); }

  // Pixels that differ between two images.
  static QRect Changed(const QImage& before, const QImage& after) {
    QRect changed;
    for (int y = 0; y < before.height(); ++y) {
      for (int x = 0; x < before.width(); ++x) {
        if (before.pixel(x, y) != after.pixel(x, y)) {
          changed |= QRect(x, y, 1, 1);
        }
      }
    }
    return changed;
  }

  PlayfieldSurface surface;
  QImage sprite = TestSprite(1);
};

TEST_F(Surface, DrawingTwiceRestoresAndOnlyTheClippedSpriteChanges) {
  struct Case {
    float x;
    float y;
    QRect expected;  // the visible part of the sprite
  };
  const Case cases[] = {
      {100, 100, QRect(100, 100, 37, 37)},
      {0, 0, QRect(0, 0, 37, 37)},
      {0, 293, QRect()},
      {50, 283, QRect(50, 283, 37, 10)},
      {300, 10, QRect(300, 10, 9, 37)},
      {308, 10, QRect(308, 10, 1, 37)},
      {-20, -30, QRect(0, 0, 17, 7)},
      {50, -37, QRect()},
      {12.5F, 0, QRect(12, 0, 37, 37)},
      {13.5F, 0, QRect(14, 0, 37, 37)},
      {-0.5F, 2.5F, QRect(0, 2, 37, 37)},
      {272, 256, QRect(272, 256, 37, 37)},
      {std::numeric_limits<float>::quiet_NaN(), 0, QRect()},
      {1e30F, 5, QRect()},
      {5, -1e30F, QRect()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    const QImage before = surface.Pixels().copy();
    const QRect reported = surface.DrawSprite(sprite, c.x, c.y);
    EXPECT_EQ(reported, c.expected);
    EXPECT_EQ(Changed(before, surface.Pixels()), c.expected);
    surface.DrawSprite(sprite, c.x, c.y);
    EXPECT_EQ(surface.Pixels(), before);
  }
}

TEST_F(Surface, EachSpritePixelIsXoredWithThePlayfield) {
  const QImage before = surface.Pixels().copy();
  surface.DrawSprite(sprite, 40, 60);
  for (const QPoint p :
       {QPoint(0, 0), QPoint(36, 0), QPoint(0, 36), QPoint(36, 36), QPoint(17, 5)}) {
    const QRgb expected = (before.pixel(40 + p.x(), 60 + p.y()) ^ sprite.pixel(p)) | 0xFF000000U;
    EXPECT_EQ(surface.Pixels().pixel(40 + p.x(), 60 + p.y()), expected);
  }
}

TEST_F(Surface, BlackSpritePixelsLeaveThePlayfieldAlone) {
  QImage dot(40, 40, QImage::Format_RGB32);
  dot.fill(Qt::black);
  dot.setPixel(5, 5, qRgb(255, 0, 0));
  const QImage before = surface.Pixels().copy();
  surface.DrawSprite(dot, 10, 10);
  EXPECT_EQ(Changed(before, surface.Pixels()), QRect(15, 15, 1, 1));
}

TEST_F(Surface, OverlappingSpritesEraseInEitherOrder) {
  const QImage other = TestSprite(999);
  const QImage before = surface.Pixels().copy();
  for (const bool firstOut : {true, false}) {
    surface.DrawSprite(sprite, 100, 100);
    surface.DrawSprite(other, 120, 110);
    surface.DrawSprite(firstOut ? sprite : other, firstOut ? 100.0F : 120.0F,
                       firstOut ? 100.0F : 110.0F);
    surface.DrawSprite(firstOut ? other : sprite, firstOut ? 120.0F : 100.0F,
                       firstOut ? 110.0F : 100.0F);
    EXPECT_EQ(surface.Pixels(), before);
  }
}

TEST(SurfacePicture, IsShownUnscaledFromTheTopLeftOnBlack) {
  // 311 wide loses 2 columns; 291 high leaves 2 black rows below, 290 high 3.
  struct Case {
    int width;
    int height;
  };
  constexpr Case kCases[] = {{311, 291}, {311, 290}, {309, 293}, {100, 50}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    PlayfieldSurface surface;
    const QImage picture = TestScreen(c.width, c.height);
    surface.SetScreenPicture(picture);
    const QImage& shown = surface.Pixels();
    ASSERT_EQ(shown.size(), QSize(309, 293));
    for (int y = 0; y < 293; ++y) {
      for (int x = 0; x < 309; ++x) {
        const bool inPicture = x < c.width && y < c.height;
        const QRgb expected = inPicture ? picture.pixel(x, y) : qRgb(0, 0, 0);
        ASSERT_EQ(shown.pixel(x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST_F(Surface, ClearRemovesEverySpriteAndKeepsThePicture) {
  const QImage clean = surface.Pixels().copy();
  surface.DrawSprite(sprite, 10, 10);
  surface.DrawSprite(sprite, 200, 250);
  surface.Clear();
  EXPECT_EQ(surface.Pixels(), clean);
}

TEST(SurfaceStart, IsBlackWithNoPicture) {
  PlayfieldSurface surface;
  surface.Clear();
  EXPECT_EQ(surface.Pixels().pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(surface.Pixels().pixel(308, 292), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace headpop
