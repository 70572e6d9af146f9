// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_window.h"

#include <algorithm>

#include "game/one_based.h"
#include "web/page_imports.h"

namespace headpop {
namespace {

constexpr int kTargetFrames = 3;
constexpr int kBlastStages = 5;
constexpr int kLargestPictureSide = 1024;

int32_t Length(std::string_view text) { return static_cast<int32_t>(text.size()); }

}  // namespace

Pixel* WebWindow::PictureRoom(int picture, int width, int height) {
  if (picture < 0 || picture >= kPictures || width <= 0 || height <= 0 ||
      width > kLargestPictureSide || height > kLargestPictureSide) {
    return nullptr;
  }
  Picture& room = pictures_.at(static_cast<std::size_t>(picture));
  room.pixels.assign(static_cast<std::size_t>(width) * height, kOpaqueBlack);
  room.width = width;
  room.height = height;
  return room.pixels.data();
}

int WebWindow::SpriteNumber(SpriteSet set, int16_t item) {
  const int items = set == SpriteSet::ledakpic ? kBlastStages : kTargetFrames;
  if (item < 1 || item > items) {
    IndexOutsideTable(item, 1, items);  // the rules never ask for an item a set lacks
  }
  return static_cast<int>(set) * kTargetFrames + item - 1;
}

void WebWindow::Changed(const PixelRect& area) {
  if (area.Empty()) {
    return;
  }
  if (changed_.Empty()) {
    changed_ = area;
    return;
  }
  const int left = std::min(changed_.left, area.left);
  const int top = std::min(changed_.top, area.top);
  const int right = std::max(changed_.left + changed_.width, area.left + area.width);
  const int bottom = std::max(changed_.top + changed_.height, area.top + area.height);
  changed_ = {left, top, right - left, bottom - top};
}

PixelRect WebWindow::TakeChangedArea() {
  const PixelRect area = changed_;
  changed_ = {};
  return area;
}

bool WebWindow::TimerEnabled(GameTimer timer) const {
  return timerEnabled_.at(static_cast<std::size_t>(timer));
}

void WebWindow::DrawSprite(SpriteSet set, int16_t item, float x, float y) {
  const Picture& sprite = pictures_.at(static_cast<std::size_t>(SpriteNumber(set, item)));
  Changed(playfield_.DrawSprite(sprite.Rows(), x, y));
}

void WebWindow::ClearPlayfield() {
  playfield_.Clear();
  Changed({0, 0, PlayfieldPixels::kWidth, PlayfieldPixels::kHeight});
}

void WebWindow::SetScreenPicture(ScreenPicture holder) {
  shownScreen_ = holder;
  const Picture& picture = pictures_.at(kSprites + static_cast<std::size_t>(holder));
  playfield_.SetScreenPicture(picture.Rows());
  Changed({0, 0, PlayfieldPixels::kWidth, PlayfieldPixels::kHeight});
}

void WebWindow::SetPixelUnits(SpriteSet set, int16_t item) {
  scales_.at(static_cast<std::size_t>(SpriteNumber(set, item))).SetPixelUnits();
}

float WebWindow::SpriteScaleWidth(SpriteSet set, int16_t item) const {
  return scales_.at(static_cast<std::size_t>(SpriteNumber(set, item))).Width();
}

float WebWindow::SpriteScaleHeight(SpriteSet set, int16_t item) const {
  return scales_.at(static_cast<std::size_t>(SpriteNumber(set, item))).Height();
}

float WebWindow::PlayfieldScaleWidth() const { return PlayfieldPixels::kWidth; }

float WebWindow::PlayfieldScaleHeight() const { return PlayfieldPixels::kHeight; }

void WebWindow::SetScoreCaption(const std::string& text) {
  PageSetCaption(0, text.data(), Length(text));
}

void WebWindow::SetLevelCaption(const std::string& text) {
  PageSetCaption(1, text.data(), Length(text));
}

void WebWindow::SetTimerEnabled(GameTimer timer, bool enabled) {
  timerEnabled_.at(static_cast<std::size_t>(timer)) = enabled;
  PageSetTimerEnabled(static_cast<int32_t>(timer), enabled ? 1 : 0);
}

void WebWindow::SetTimer1Interval(int16_t milliseconds) {
  timer1Interval_ = milliseconds;
  PageSetTimer1Interval(milliseconds);
}

void WebWindow::FocusStartButton() { PageFocusStartButton(); }

// Deviation (see docs/deviations.md, "quit question in the browser"): answered later.
// The question opens and the handler returns at once, as after No; the answer comes as an
// event of its own (QuitQuestion_Answered), which calls the handler again.
bool WebWindow::AskYesNo(const std::string& prompt, const std::string& title) {
  if (answer_) {
    const bool yes = *answer_;
    answer_.reset();
    return yes;
  }
  PageAskYesNo(prompt.data(), Length(prompt), title.data(), Length(title));
  return false;
}

void WebWindow::EndProgram() {
  ended_ = true;
  timerEnabled_ = {};
  PageEndProgram();
}

bool WebWindow::DetectSoundFiles() { return PageSoundFilesFound() != 0; }

void WebWindow::PlaySoundFile(std::string_view name) {
  PagePlaySoundFile(name.data(), Length(name));
}

}  // namespace headpop
