// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/model/model_check.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>

#include "tests/model/float_text.h"
#include "ui/playfield_widget.h"

namespace headpop::model {
namespace {

constexpr int kWidth = 309;
constexpr int kHeight = 293;
constexpr int kShown = 37;  // the part of each 40 x 40 sprite picture that is drawn
constexpr int kTargetSets = 3;
constexpr int kFrames = 3;
constexpr int kStages = 5;

std::string Colour(QRgb pixel) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "#%02x%02x%02x", qRed(pixel), qGreen(pixel),
                qBlue(pixel));
  return text.data();
}

// Index into the sprite table, or none for a set and item the game has no picture for.
std::optional<std::size_t> SpriteIndex(int set, int item) {
  if (set >= 1 && set <= kTargetSets && item >= 1 && item <= kFrames) {
    return static_cast<std::size_t>((set - 1) * kFrames + item - 1);
  }
  if (set == kTargetSets + 1 && item >= 1 && item <= kStages) {
    return static_cast<std::size_t>(kTargetSets * kFrames + item - 1);
  }
  return std::nullopt;
}

// Half to even, worked out by hand; positions beyond any reach are drawn nowhere.
std::optional<int> PixelOf(float value) {
  constexpr double kBeyondReach = 1.0e6;
  const double v = value;
  if (!(std::fabs(v) < kBeyondReach)) {
    return std::nullopt;
  }
  const double below = std::floor(v);
  const double fraction = v - below;
  auto pixel = static_cast<int>(below);
  if (fraction > 0.5 || (fraction == 0.5 && pixel % 2 != 0)) {
    ++pixel;
  }
  return pixel;
}

bool Covers(float x, float y, int column, int row) {
  const std::optional<int> left = PixelOf(x);
  const std::optional<int> top = PixelOf(y);
  return left && top && column >= *left && column < *left + kShown && row >= *top &&
         row < *top + kShown;
}

// Black, then the picture unscaled from the top-left corner, cut to the playfield.
QImage ScreenOnBlack(const QImage& picture) {
  QImage screen(kWidth, kHeight, QImage::Format_RGB32);
  screen.fill(qRgb(0, 0, 0));
  const QImage source = picture.convertToFormat(QImage::Format_RGB32);
  const int rows = std::min(kHeight, source.height());
  const int columns = std::min(kWidth, source.width());
  for (int row = 0; row < rows; ++row) {
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row));
    auto* to = reinterpret_cast<QRgb*>(screen.scanLine(row));
    for (int column = 0; column < columns; ++column) {
      to[column] = qRgb(qRed(from[column]), qGreen(from[column]), qBlue(from[column]));
    }
  }
  return screen;
}

std::string Covering(const GameState& s, int column, int row) {
  std::string found;
  auto add = [&found](const std::string& what) { found += found.empty() ? what : ", " + what; };
  for (const SlotNo i : SlotNo::All()) {
    const TargetSlot& t = s.targets[i];
    if (t.kind != 0 && Covers(t.posX, t.posY, column, row)) {
      add("target " + std::to_string(i.Number()) + " (kind " + std::to_string(t.kind) + ", frame " +
          std::to_string(t.frame) + ", at " + FloatText(t.posX) + ", " + FloatText(t.posY) + ")");
    }
    const BlastSlot& b = s.blasts[i];
    if (b.blastStage != 0 && Covers(b.blastX, b.blastY, column, row)) {
      add("blast " + std::to_string(i.Number()) + " (stage " + std::to_string(b.blastStage) +
          ", at " + FloatText(b.blastX) + ", " + FloatText(b.blastY) + ")");
    }
  }
  return found.empty() ? "covered by no sprite" : "covered by " + found;
}

}  // namespace

PlayState StateOf(const Form1& form) { return StateOf(form.Rules().State(), form.ShownScreen()); }

ModelCheck::ModelCheck(const Pictures& art)
    : black_(ScreenOnBlack(QImage())), expected_(static_cast<std::size_t>(kWidth * kHeight)) {
  for (const ScreenPicture holder :
       {ScreenPicture::Picture2, ScreenPicture::backpic, ScreenPicture::levelpic,
        ScreenPicture::winpic, ScreenPicture::losepic}) {
    screens_.at(static_cast<std::size_t>(holder)) = ScreenOnBlack(art.Screen(holder));
  }
  const std::array<SpriteSet, 4> sets = {SpriteSet::pic1, SpriteSet::pic2, SpriteSet::pic3,
                                         SpriteSet::ledakpic};
  for (int set = 1; set <= kTargetSets + 1; ++set) {
    const int items = set <= kTargetSets ? kFrames : kStages;
    for (int item = 1; item <= items; ++item) {
      sprites_.at(*SpriteIndex(set, item)) =
          art.Sprite(sets.at(static_cast<std::size_t>(set - 1)), item)
              .Picture()
              .convertToFormat(QImage::Format_RGB32);
    }
  }
}

void ModelCheck::XorSprite(const QImage& sprite, float x, float y) {
  const std::optional<int> left = PixelOf(x);
  const std::optional<int> top = PixelOf(y);
  if (!left || !top) {
    return;
  }
  const int firstColumn = std::max(0, -*left);
  const int endColumn = std::min({kShown, sprite.width(), kWidth - *left});
  const int firstRow = std::max(0, -*top);
  const int endRow = std::min({kShown, sprite.height(), kHeight - *top});
  for (int v = firstRow; v < endRow; ++v) {
    const auto* from = reinterpret_cast<const QRgb*>(sprite.constScanLine(v));
    QRgb* row = expected_.data() + static_cast<std::ptrdiff_t>(*top + v) * kWidth;
    for (int u = firstColumn; u < endColumn; ++u) {
      const QRgb a = row[*left + u];
      const QRgb b = from[u];
      row[*left + u] = qRgb(qRed(a) ^ qRed(b), qGreen(a) ^ qGreen(b), qBlue(a) ^ qBlue(b));
    }
  }
}

std::string ModelCheck::ComparePixels(const Form1& form, PlayState state) const {
  const QImage& real = form.Playfield().Surface().Pixels();
  if (real.width() != kWidth || real.height() != kHeight || real.format() != QImage::Format_RGB32) {
    return "the surface is not 309 x 293 RGB32";
  }
  // RGB32 rows of 309 pixels need no padding, so both images are one run of pixels.
  const auto* actual = reinterpret_cast<const QRgb*>(real.constBits());
  if (std::memcmp(actual, expected_.data(), expected_.size() * sizeof(QRgb)) == 0) {
    return {};
  }
  std::size_t at = 0;
  while (actual[at] == expected_[at]) {
    ++at;
  }
  const int column = static_cast<int>(at % kWidth);
  const int row = static_cast<int>(at / kWidth);
  const std::optional<ScreenPicture> shown = form.ShownScreen();
  std::string text = "pixel (" + std::to_string(column) + ", " + std::to_string(row) + ") is " +
                     Colour(actual[at]) + ", expected " + Colour(expected_[at]) + " on " +
                     (shown ? std::string(NameOf(*shown)) : "black") + " in " + NameOf(state) +
                     "; ";
  if (state == PlayState::Playing) {
    return text + Covering(form.Rules().State(), column, row);
  }
  return text + "sprites are cleared out of play";
}

std::string ModelCheck::operator()(const Form1& form) {
  const GameState& s = form.Rules().State();
  std::string complaints =
      CheckState(s, {form.TimerEnabled(GameTimer::Timer1), form.TimerEnabled(GameTimer::Timer2),
                     form.Timer1Interval(), form.ShownScreen()});

  const std::optional<ScreenPicture> shown = form.ShownScreen();
  const QImage& base = shown ? screens_.at(static_cast<std::size_t>(*shown)) : black_;
  std::memcpy(expected_.data(), base.constBits(), expected_.size() * sizeof(QRgb));
  const PlayState state = StateOf(form);
  if (state == PlayState::Playing) {
    for (const SlotNo i : SlotNo::All()) {
      const TargetSlot& t = s.targets[i];
      if (const auto sprite = SpriteIndex(t.kind, t.frame); t.kind != 0 && sprite) {
        XorSprite(sprites_.at(*sprite), t.posX, t.posY);
      }
      const BlastSlot& b = s.blasts[i];
      if (const auto sprite = SpriteIndex(kTargetSets + 1, b.blastStage);
          b.blastStage != 0 && sprite) {
        XorSprite(sprites_.at(*sprite), b.blastX, b.blastY);
      }
    }
  }
  const std::string pixels = ComparePixels(form, state);
  if (!pixels.empty()) {
    complaints += complaints.empty() ? pixels : "; " + pixels;
  }
  return complaints;
}

std::string CheckModel(const Form1& form) { return ModelCheck(form.Art())(form); }

}  // namespace headpop::model
