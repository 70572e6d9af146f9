// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/game_window.h"

namespace headpop::testing {

// A window that carries out nothing and records everything the rules ask of it, in order.
class RecordingWindow final : public GameWindow {
 public:
  struct Sprite {
    SpriteSet set;
    int16_t item;
    float x;
    float y;
    bool operator==(const Sprite&) const = default;
  };

  // Every call, spelled "Name(args)", in the order made.
  std::vector<std::string> calls;
  std::vector<Sprite> sprites;
  std::vector<std::string> sounds;
  std::string scoreCaption = "00";
  std::string levelCaption = "00";
  std::map<GameTimer, bool> timerEnabled = {{GameTimer::Timer1, false}, {GameTimer::Timer2, false}};
  int16_t timer1Interval = 1;
  std::optional<ScreenPicture> screen;  // none until the first is shown
  bool soundFilesPresent = true;
  bool answerYes = false;
  int programEnded = 0;
  std::vector<std::pair<std::string, std::string>> questions;

  bool TimersRunning() const {
    return timerEnabled.at(GameTimer::Timer1) && timerEnabled.at(GameTimer::Timer2);
  }
  bool TimersStopped() const {
    return !timerEnabled.at(GameTimer::Timer1) && !timerEnabled.at(GameTimer::Timer2);
  }
  void Forget() {
    calls.clear();
    sprites.clear();
    sounds.clear();
  }

  void DrawSprite(SpriteSet set, int16_t item, float x, float y) override;
  void ClearPlayfield() override { calls.emplace_back("ClearPlayfield"); }
  void SetScreenPicture(ScreenPicture holder) override;
  void SetPixelUnits(SpriteSet set, int16_t item) override;
  float SpriteScaleWidth(SpriteSet set, int16_t item) const override;
  float SpriteScaleHeight(SpriteSet set, int16_t item) const override;
  float PlayfieldScaleWidth() const override { return 309; }
  float PlayfieldScaleHeight() const override { return 293; }
  void SetScoreCaption(const std::string& text) override;
  void SetLevelCaption(const std::string& text) override;
  void SetTimerEnabled(GameTimer timer, bool enabled) override;
  void SetTimer1Interval(int16_t milliseconds) override;
  void FocusStartButton() override { calls.emplace_back("FocusStartButton"); }
  bool AskYesNo(const std::string& prompt, const std::string& title) override;
  void EndProgram() override;
  bool DetectSoundFiles() override;
  void PlaySoundFile(std::string_view name) override;

 private:
  std::map<std::pair<SpriteSet, int16_t>, bool> pixelUnits_;
};

}  // namespace headpop::testing
