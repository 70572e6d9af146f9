// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace headpop {

// The sprite sets: the three target kinds (item = animation frame 1..3) and the
// explosion stages (item 1..5).
enum class SpriteSet : uint8_t { pic1, pic2, pic3, ledakpic };

// The holders of the screen pictures.
enum class ScreenPicture : uint8_t { Picture2, backpic, levelpic, winpic, losepic };

enum class GameTimer : uint8_t { Timer1, Timer2 };

// The names the game gives its sprite sets and picture holders.
constexpr std::string_view NameOf(SpriteSet set) {
  switch (set) {
    case SpriteSet::pic1:
      return "pic1";
    case SpriteSet::pic2:
      return "pic2";
    case SpriteSet::pic3:
      return "pic3";
    case SpriteSet::ledakpic:
      break;
  }
  return "ledakpic";
}

constexpr std::string_view NameOf(ScreenPicture holder) {
  switch (holder) {
    case ScreenPicture::Picture2:
      return "Picture2";
    case ScreenPicture::backpic:
      return "backpic";
    case ScreenPicture::levelpic:
      return "levelpic";
    case ScreenPicture::winpic:
      return "winpic";
    case ScreenPicture::losepic:
      break;
  }
  return "losepic";
}

// Everything the rules ask of the window. The window carries it out at once; the
// rules never see a widget.
class GameWindow {
 public:
  GameWindow() = default;
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;
  virtual ~GameWindow() = default;

  // The playfield.
  virtual void DrawSprite(SpriteSet set, int16_t item, float x, float y) = 0;
  virtual void ClearPlayfield() = 0;
  virtual void SetScreenPicture(ScreenPicture holder) = 0;
  virtual void SetPixelUnits(SpriteSet set, int16_t item) = 0;
  virtual float SpriteScaleWidth(SpriteSet set, int16_t item) const = 0;
  virtual float SpriteScaleHeight(SpriteSet set, int16_t item) const = 0;
  virtual float PlayfieldScaleWidth() const = 0;
  virtual float PlayfieldScaleHeight() const = 0;

  // The controls.
  virtual void SetScoreCaption(const std::string& text) = 0;
  virtual void SetLevelCaption(const std::string& text) = 0;
  virtual void SetTimerEnabled(GameTimer timer, bool enabled) = 0;
  virtual void SetTimer1Interval(int16_t milliseconds) = 0;
  virtual void FocusStartButton() = 0;

  // A modal question with Yes and No; true when the answer is Yes.
  virtual bool AskYesNo(const std::string& prompt, const std::string& title) = 0;
  virtual void EndProgram() = 0;

  // Sound: looked for once; played without waiting.
  virtual bool DetectSoundFiles() = 0;
  virtual void PlaySoundFile(std::string_view name) = 0;
};

}  // namespace headpop
