// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QResource>
#include <QString>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ui/baked_picture.h"
#include "ui/pictures.h"

namespace headpop {
namespace {

// The artwork as the generator drew it.
QImage Load(const char* name) {
  return QImage(QStringLiteral(HEADPOP_PICTURES_DIR "/") + QLatin1String(name));
}

TEST(Assets, EveryPictureHasItsSize) {
  struct Case {
    const char* name;
    int width;
    int height;
  };
  constexpr Case kCases[] = {
      {"picture2.png", 311, 291},   {"backpic.png", 311, 291}, {"levelpic.png", 311, 290},
      {"winpic.png", 311, 290},     {"losepic.png", 311, 290}, {"window.png", 350, 420},
      {"icon16.png", 16, 16},       {"icon32.png", 32, 32},    {"windowicon48.png", 48, 48},
      {"windowicon64.png", 64, 64}, {"start.png", 70, 40},     {"quit.png", 40, 40},
      {"gunsight.png", 32, 32},
  };
  for (const Case& c : kCases) {
    const QImage image = Load(c.name);
    ASSERT_FALSE(image.isNull()) << c.name;
    EXPECT_EQ(image.size(), QSize(c.width, c.height)) << c.name;
    if (QString::fromLatin1(c.name) != QStringLiteral("gunsight.png")) {
      EXPECT_FALSE(image.hasAlphaChannel()) << c.name << " must be opaque";
    }
  }
}

// Sprites: 40 x 40, exact black outside their shape and in the 3 columns and rows that are
// never shown, and each frame different from the others of its set.
TEST(Assets, SpritesAreOnExactBlackAndTheirFramesDiffer) {
  const std::pair<const char*, int> kSets[] = {
      {"pic1", 3}, {"pic2", 3}, {"pic3", 3}, {"ledakpic", 5}};
  for (const auto& [set, items] : kSets) {
    std::set<QByteArray> distinct;
    for (int item = 1; item <= items; ++item) {
      const QString name = QStringLiteral("%1_%2.png").arg(QLatin1String(set)).arg(item);
      SCOPED_TRACE(name.toStdString());
      const QImage image = Load(qPrintable(name)).convertToFormat(QImage::Format_RGB32);
      ASSERT_EQ(image.size(), QSize(40, 40));
      int coloured = 0;
      int blackInShownPart = 0;
      for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
          const bool shown = x < 37 && y < 37;
          const bool black = (image.pixel(x, y) & 0xFFFFFFU) == 0;
          if (!shown) {
            ASSERT_TRUE(black) << "pixel " << x << "," << y << " is never shown but not black";
          }
          coloured += black ? 0 : 1;
          blackInShownPart += shown && black ? 1 : 0;
        }
      }
      EXPECT_GT(coloured, 8);
      EXPECT_GT(blackInShownPart, 37 * 4) << "a shape on a black background";
      distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                 static_cast<int>(image.sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(items)) << set;
  }
}

TEST(Assets, GunsightIsTwoColoursAndTransparentWithItsCentreOnTheHotSpot) {
  const QImage pointer = Load("gunsight.png").convertToFormat(QImage::Format_ARGB32);
  int opaque = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb p = pointer.pixel(x, y);
      if (qAlpha(p) == 0) {
        continue;
      }
      ++opaque;
      ASSERT_EQ(qAlpha(p), 255) << x << "," << y;
      ASSERT_TRUE((p & 0xFFFFFFU) == 0 || (p & 0xFFFFFFU) == 0xFFFFFFU) << x << "," << y;
    }
  }
  EXPECT_GT(opaque, 50);
  // The ring around the hot spot is symmetric about (15, 15).
  for (int d = 0; d <= 12; ++d) {
    EXPECT_EQ(qAlpha(pointer.pixel(15 - d, 15)), qAlpha(pointer.pixel(15 + d, 15))) << d;
    EXPECT_EQ(qAlpha(pointer.pixel(15, 15 - d)), qAlpha(pointer.pixel(15, 15 + d))) << d;
  }
}

// What the window shows as it opens, or as a game starts, is embedded as pixels and shown
// where it lies (decoding it was a fifth of the start-up); the screens shown later are
// decoded when first shown (as pixels they would be resident from the start). Either way
// the program shows the artwork exactly.
TEST(Assets, TheProgramShowsTheArtworkExactlyWithoutDecodingAtStartUp) {
  const Pictures pictures;
  struct Case {
    std::string file;
    QImage shown;
    bool inPlace;
  };
  std::vector<Case> cases;
  for (const SpriteSet set :
       {SpriteSet::pic1, SpriteSet::pic2, SpriteSet::pic3, SpriteSet::ledakpic}) {
    const int items = set == SpriteSet::ledakpic ? Pictures::kBlastStages : Pictures::kTargetFrames;
    for (int item = 1; item <= items; ++item) {
      cases.push_back({std::string(NameOf(set)) + "_" + std::to_string(item),
                       pictures.Sprite(set, item).Picture(), true});
    }
  }
  const std::tuple<const char*, ScreenPicture, bool> kScreens[] = {
      {"picture2", ScreenPicture::Picture2, true},
      {"backpic", ScreenPicture::backpic, false},
      {"levelpic", ScreenPicture::levelpic, false},
      {"winpic", ScreenPicture::winpic, false},
      {"losepic", ScreenPicture::losepic, false}};
  for (const auto& [file, holder, inPlace] : kScreens) {
    cases.push_back({file, pictures.Screen(holder), inPlace});
  }
  cases.push_back({"window", pictures.WindowBackground(), true});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QImage drawn = Load((c.file + ".png").c_str());
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(c.shown, drawn.convertToFormat(QImage::Format_RGB32));
    const QResource baked(QStringLiteral(":/assets/%1.pix").arg(QString::fromStdString(c.file)));
    if (c.inPlace) {
      EXPECT_EQ(c.shown.constBits(), baked.data() + sizeof(BakedPictureHeader))
          << "decoded or copied, not shown in place";
    } else {
      EXPECT_FALSE(baked.isValid()) << "embedded as pixels, resident before it is shown";
    }
  }
  // The pictures that Qt turns into pixmaps and icons: the same pixels.
  EXPECT_EQ(pictures.Gunsight().toImage().convertToFormat(QImage::Format_ARGB32),
            Load("gunsight.png").convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(pictures.StartPicture().pixmap(70, 40).toImage().convertToFormat(QImage::Format_RGB32),
            Load("start.png").convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace headpop
