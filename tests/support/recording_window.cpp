// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recording_window.h"

#include <sstream>

namespace headpop::testing {

void RecordingWindow::DrawSprite(SpriteSet set, int16_t item, float x, float y) {
  std::ostringstream call;
  call << "DrawSprite(" << headpop::NameOf(set) << "," << item << "," << x << "," << y << ")";
  calls.push_back(call.str());
  sprites.push_back({set, item, x, y});
}

void RecordingWindow::SetScreenPicture(ScreenPicture holder) {
  calls.push_back("SetScreenPicture(" + std::string(headpop::NameOf(holder)) + ")");
  screen = holder;
}

void RecordingWindow::SetPixelUnits(SpriteSet set, int16_t item) {
  calls.push_back("SetPixelUnits(" + std::string(headpop::NameOf(set)) + "," +
                  std::to_string(item) + ")");
  pixelUnits_[{set, item}] = true;
}

float RecordingWindow::SpriteScaleWidth(SpriteSet set, int16_t item) const {
  const auto it = pixelUnits_.find({set, item});
  return it != pixelUnits_.end() && it->second ? 37.0F : 555.0F;
}

float RecordingWindow::SpriteScaleHeight(SpriteSet set, int16_t item) const {
  return SpriteScaleWidth(set, item);
}

void RecordingWindow::SetScoreCaption(const std::string& text) {
  calls.push_back("SetScoreCaption(" + text + ")");
  scoreCaption = text;
}

void RecordingWindow::SetLevelCaption(const std::string& text) {
  calls.push_back("SetLevelCaption(" + text + ")");
  levelCaption = text;
}

void RecordingWindow::SetTimerEnabled(GameTimer timer, bool enabled) {
  const std::string name = timer == GameTimer::Timer1 ? "Timer1" : "Timer2";
  calls.push_back(std::string(enabled ? "Enable(" : "Disable(") + name + ")");
  timerEnabled[timer] = enabled;
}

void RecordingWindow::SetTimer1Interval(int16_t milliseconds) {
  calls.push_back("SetTimer1Interval(" + std::to_string(milliseconds) + ")");
  timer1Interval = milliseconds;
}

bool RecordingWindow::AskYesNo(const std::string& prompt, const std::string& title) {
  calls.emplace_back("AskYesNo");
  questions.emplace_back(prompt, title);
  return answerYes;
}

void RecordingWindow::EndProgram() {
  calls.emplace_back("EndProgram");
  ++programEnded;
}

bool RecordingWindow::DetectSoundFiles() {
  calls.emplace_back("DetectSoundFiles");
  return soundFilesPresent;
}

void RecordingWindow::PlaySoundFile(std::string_view name) {
  calls.push_back("PlaySoundFile(" + std::string(name) + ")");
  sounds.emplace_back(name);
}

}  // namespace headpop::testing
