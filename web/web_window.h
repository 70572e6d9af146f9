// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_window.h"
#include "game/playfield_pixels.h"
#include "game/sprite_scale.h"

namespace headpop {

// The window of the page as the rules see it. The playfield's pixels live here, in the
// module's memory, where the page's canvas reads them; every other operation goes to the
// page through one import each (page_imports.h). It also keeps what it told the page
// about the timers and the screen, so that a driver without a page can read them.
class WebWindow final : public GameWindow {
 public:
  // The pictures the page hands over, in this order: pic1, pic2, pic3 items 1..3,
  // ledakpic items 1..5, then the screens Picture2, backpic, levelpic, winpic, losepic.
  static constexpr int kSprites = 14;
  static constexpr int kPictures = kSprites + 5;

  // Room for picture number `picture` (see above) of that size, which the page fills with
  // R, G, B, A bytes; null for a number or size out of range.
  Pixel* PictureRoom(int picture, int width, int height);

  const PlayfieldPixels& Playfield() const { return playfield_; }
  // The part of the playfield changed since the last call (empty if none), and forgotten.
  PixelRect TakeChangedArea();

  bool TimerEnabled(GameTimer timer) const;
  int Timer1Interval() const { return timer1Interval_; }
  std::optional<ScreenPicture> ShownScreen() const { return shownScreen_; }
  bool Ended() const { return ended_; }
  // The quit question's answer, for the next AskYesNo.
  void Answer(bool yes) { answer_ = yes; }

  // GameWindow
  void DrawSprite(SpriteSet set, int16_t item, float x, float y) override;
  void ClearPlayfield() override;
  void SetScreenPicture(ScreenPicture holder) override;
  void SetPixelUnits(SpriteSet set, int16_t item) override;
  float SpriteScaleWidth(SpriteSet set, int16_t item) const override;
  float SpriteScaleHeight(SpriteSet set, int16_t item) const override;
  float PlayfieldScaleWidth() const override;
  float PlayfieldScaleHeight() const override;
  void SetScoreCaption(const std::string& text) override;
  void SetLevelCaption(const std::string& text) override;
  void SetTimerEnabled(GameTimer timer, bool enabled) override;
  void SetTimer1Interval(int16_t milliseconds) override;
  void FocusStartButton() override;
  bool AskYesNo(const std::string& prompt, const std::string& title) override;
  void EndProgram() override;
  bool DetectSoundFiles() override;
  void PlaySoundFile(std::string_view name) override;

 private:
  struct Picture {
    std::vector<Pixel> pixels;
    int width = 0;
    int height = 0;
    PixelRows Rows() const { return {pixels.data(), width, height, width}; }
  };
  static int SpriteNumber(SpriteSet set, int16_t item);
  void Changed(const PixelRect& area);

  PlayfieldPixels playfield_;
  std::array<Picture, kPictures> pictures_;
  std::array<SpriteScale, kSprites> scales_;
  PixelRect changed_;
  std::array<bool, 2> timerEnabled_{};
  int timer1Interval_ = 1;  // the design value
  std::optional<ScreenPicture> shownScreen_;
  std::optional<bool> answer_;
  bool ended_ = false;
};

}  // namespace headpop
