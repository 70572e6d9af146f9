// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/playfield_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace headpop {
namespace {

constexpr int kW = PlayfieldPixels::kWidth;
constexpr int kH = PlayfieldPixels::kHeight;

// Pixels of a picture that the test owns, viewed as the blit sees them.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, kOpaque) {}
  Pixel& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  PixelRows Rows() const { return {pixels.data(), width, height, width}; }
};

// A 40 x 40 sprite whose every pixel of the shown 37 x 37 is distinct and non-black, with
// a black rim where the picture is never shown.
Picture TestSprite(uint32_t salt) {
  Picture sprite(40, 40);
  for (int v = 0; v < 37; ++v) {
    for (int u = 0; u < 37; ++u) {
      sprite.At(u, v) =
          kOpaque | ((salt + static_cast<uint32_t>(v * 37 + u + 1)) * 2654435761U >> 8U);
    }
  }
  return sprite;
}

// A screen picture with a pattern everywhere.
Picture TestScreen(int width, int height) {
  Picture screen(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      screen.At(x, y) =
          kOpaque | static_cast<uint32_t>((x & 0xFF) << 16U | (y & 0xFF) << 8U | ((x * y) & 0xFF));
    }
  }
  return screen;
}

std::vector<Pixel> Copy(const PlayfieldPixels& surface) {
  return {surface.Data(), surface.Data() + static_cast<std::ptrdiff_t>(kW) * kH};
}

Pixel At(const PlayfieldPixels& surface, int x, int y) {
  return surface.Data()[static_cast<std::ptrdiff_t>(y) * kW + x];
}

// The bounding rectangle of the pixels that differ between two playfields.
PixelRect Changed(const std::vector<Pixel>& before, const PlayfieldPixels& after) {
  int left = kW;
  int top = kH;
  int right = -1;
  int bottom = -1;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (before[static_cast<std::size_t>(y) * kW + x] != At(after, x, y)) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0) {
    return {};
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

class Surface : public ::testing::Test {
 protected:
  Surface() { surface.SetScreenPicture(screen.Rows()); }

  Picture screen = TestScreen(311, 291);
  PlayfieldPixels surface;
  Picture sprite = TestSprite(1);
};

TEST_F(Surface, DrawingTwiceRestoresAndOnlyTheClippedSpriteChanges) {
  struct Case {
    float x;
    float y;
    PixelRect expected;  // the visible part of the sprite
  };
  const Case cases[] = {
      {100, 100, {100, 100, 37, 37}},
      {0, 0, {0, 0, 37, 37}},
      {0, 293, {}},
      {50, 283, {50, 283, 37, 10}},
      {300, 10, {300, 10, 9, 37}},
      {308, 10, {308, 10, 1, 37}},
      {-20, -30, {0, 0, 17, 7}},
      {50, -37, {}},
      {12.5F, 0, {12, 0, 37, 37}},
      {13.5F, 0, {14, 0, 37, 37}},
      {-0.5F, 2.5F, {0, 2, 37, 37}},
      {272, 256, {272, 256, 37, 37}},
      {std::numeric_limits<float>::quiet_NaN(), 0, {}},
      {1e30F, 5, {}},
      {5, -1e30F, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    const std::vector<Pixel> before = Copy(surface);
    const PixelRect reported = surface.DrawSprite(sprite.Rows(), c.x, c.y);
    EXPECT_EQ(reported, c.expected);
    EXPECT_EQ(Changed(before, surface), c.expected);
    surface.DrawSprite(sprite.Rows(), c.x, c.y);
    EXPECT_EQ(Copy(surface), before);
  }
}

TEST_F(Surface, EachSpritePixelsColourIsXoredAndTheTopByteKept) {
  const std::vector<Pixel> before = Copy(surface);
  // A top byte of 0 in the sprite (as a picture's alpha might be) must not clear the
  // playfield's.
  sprite.At(17, 5) &= 0x00FFFFFFU;
  surface.DrawSprite(sprite.Rows(), 40, 60);
  for (const auto& [u, v] : {std::pair{0, 0}, {36, 0}, {0, 36}, {36, 36}, {17, 5}}) {
    const Pixel expected =
        (before[static_cast<std::size_t>(60 + v) * kW + 40 + u] ^ sprite.At(u, v)) | kOpaque;
    EXPECT_EQ(At(surface, 40 + u, 60 + v), expected);
  }
}

TEST_F(Surface, ASpriteIsReadThroughItsStride) {
  // The same sprite inside a wider picture: only its stride differs.
  Picture wide(64, 40);
  for (int v = 0; v < 40; ++v) {
    std::memcpy(&wide.At(0, v), &sprite.At(0, v), 40 * sizeof(Pixel));
  }
  PlayfieldPixels other;
  other.SetScreenPicture(screen.Rows());
  surface.DrawSprite(sprite.Rows(), 100.0F, 33.0F);
  other.DrawSprite(wide.Rows(), 100.0F, 33.0F);
  EXPECT_EQ(Copy(other), Copy(surface));
}

TEST_F(Surface, BlackSpritePixelsLeaveThePlayfieldAlone) {
  Picture dot(40, 40);
  dot.At(5, 5) = kOpaque | 0xFF0000U;
  const std::vector<Pixel> before = Copy(surface);
  surface.DrawSprite(dot.Rows(), 10, 10);
  EXPECT_EQ(Changed(before, surface), (PixelRect{15, 15, 1, 1}));
}

TEST_F(Surface, OverlappingSpritesEraseInEitherOrder) {
  const Picture other = TestSprite(999);
  const std::vector<Pixel> before = Copy(surface);
  for (const bool firstOut : {true, false}) {
    surface.DrawSprite(sprite.Rows(), 100, 100);
    surface.DrawSprite(other.Rows(), 120, 110);
    surface.DrawSprite(firstOut ? sprite.Rows() : other.Rows(), firstOut ? 100.0F : 120.0F,
                       firstOut ? 100.0F : 110.0F);
    surface.DrawSprite(firstOut ? other.Rows() : sprite.Rows(), firstOut ? 120.0F : 100.0F,
                       firstOut ? 110.0F : 100.0F);
    EXPECT_EQ(Copy(surface), before);
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
    PlayfieldPixels surface;
    Picture picture = TestScreen(c.width, c.height);
    // A picture's top byte may be anything; the playfield shows it opaque.
    picture.At(0, 0) &= 0x00FFFFFFU;
    surface.SetScreenPicture(picture.Rows());
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const bool inPicture = x < c.width && y < c.height;
        const Pixel expected = inPicture ? picture.At(x, y) | kOpaque : kOpaqueBlack;
        ASSERT_EQ(At(surface, x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST_F(Surface, ClearRemovesEverySpriteAndKeepsThePicture) {
  const std::vector<Pixel> clean = Copy(surface);
  surface.DrawSprite(sprite.Rows(), 10, 10);
  surface.DrawSprite(sprite.Rows(), 200, 250);
  surface.Clear();
  EXPECT_EQ(Copy(surface), clean);
}

TEST(SurfaceStart, IsBlackWithNoPicture) {
  PlayfieldPixels surface;
  Picture sprite = TestSprite(3);
  surface.DrawSprite(sprite.Rows(), 0, 0);
  surface.Clear();
  EXPECT_EQ(Copy(surface), std::vector<Pixel>(static_cast<std::size_t>(kW) * kH, kOpaqueBlack));
  // A picture with no pixels is no picture.
  surface.SetScreenPicture({});
  EXPECT_EQ(At(surface, 308, 292), kOpaqueBlack);
}

}  // namespace
}  // namespace headpop
