// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/model/state_check.h"

#include <utility>

namespace headpop::model {
namespace {

constexpr int kTargetSets = 3;
constexpr int kFrames = 3;
constexpr int kStages = 5;
constexpr int kPathKinds = 3;
constexpr int kZigzag = 3;
constexpr int kWonLevel = 11;  // the level after the last, once the game is won

bool Playing(const GameState& s) { return s.gameOver == kFalse16 && !s.betweenLevels; }

class Complaints {
 public:
  void Unless(bool holds, const std::string& what) {
    if (!holds) {
      text_ += text_.empty() ? what : "; " + what;
    }
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

void CheckSlots(const GameState& s, Complaints& complaints) {
  for (const SlotNo i : SlotNo::All()) {
    const TargetSlot& t = s.targets[i];
    const std::string slot = "target " + std::to_string(i.Number());
    complaints.Unless(t.kind >= 0 && t.kind <= kTargetSets,
                      slot + " has kind " + std::to_string(t.kind));
    if (t.kind != 0) {
      complaints.Unless(t.frame >= 1 && t.frame <= kFrames,
                        slot + " has frame " + std::to_string(t.frame));
      complaints.Unless(t.pathKind >= 1 && t.pathKind <= kPathKinds,
                        slot + " has path kind " + std::to_string(t.pathKind));
      complaints.Unless(t.pathKind != kZigzag || t.zigDir == 1 || t.zigDir == 2,
                        slot + " zigzags in direction " + std::to_string(t.zigDir));
    }
    const int16_t stage = s.blasts[i].blastStage;
    complaints.Unless(stage >= 0 && stage <= kStages, "blast " + std::to_string(i.Number()) +
                                                          " has stage " + std::to_string(stage));
  }
}

void CheckFlags(const GameState& s, const WindowFacts& window, Complaints& complaints) {
  const bool playing = Playing(s);
  complaints.Unless(s.level >= 0 && s.level <= kWonLevel, "level " + std::to_string(s.level));
  complaints.Unless(s.gameOver == kTrue16 || s.gameOver == kFalse16,
                    "gameOver " + std::to_string(s.gameOver));
  complaints.Unless(s.remaining >= 0, "remaining " + std::to_string(s.remaining));
  complaints.Unless(s.escaped >= 0, "escaped " + std::to_string(s.escaped));
  for (const auto& [name, enabled] :
       {std::pair{"Timer1", window.timer1Enabled}, std::pair{"Timer2", window.timer2Enabled}}) {
    complaints.Unless(enabled == playing,
                      std::string(name) + (playing ? " stopped in play" : " running out of play"));
  }
  complaints.Unless(!playing || window.timer1Interval == s.interval,
                    "Timer1 interval " + std::to_string(window.timer1Interval) + " ms, level's " +
                        std::to_string(s.interval) + " ms");

  const std::optional<ScreenPicture> shown = window.shown;
  complaints.Unless(shown.has_value(), "no screen picture shown");
  if (!shown) {
    return;
  }
  const std::string screen = " with " + std::string(NameOf(*shown)) + " shown";
  const bool levelComplete = s.gameOver == kFalse16 && s.betweenLevels;
  const bool over = *shown == ScreenPicture::Picture2 || *shown == ScreenPicture::winpic ||
                    *shown == ScreenPicture::losepic;
  complaints.Unless(playing == (*shown == ScreenPicture::backpic),
                    std::string(playing ? "playing" : "not playing") + screen);
  complaints.Unless(levelComplete == (*shown == ScreenPicture::levelpic),
                    std::string(levelComplete ? "between levels" : "not between levels") + screen);
  complaints.Unless((s.gameOver != kFalse16) == over,
                    "gameOver " + std::to_string(s.gameOver) + screen);
  complaints.Unless(*shown != ScreenPicture::winpic || s.level == kWonLevel,
                    "level " + std::to_string(s.level) + screen);
}

}  // namespace

PlayState StateOf(const GameState& s, std::optional<ScreenPicture> shown) {
  if (s.gameOver == kFalse16) {
    return s.betweenLevels ? PlayState::BetweenLevels : PlayState::Playing;
  }
  switch (shown.value_or(ScreenPicture::Picture2)) {
    case ScreenPicture::winpic:
      return PlayState::Won;
    case ScreenPicture::losepic:
      return PlayState::Lost;
    default:
      return PlayState::Title;
  }
}

const char* NameOf(PlayState state) {
  switch (state) {
    case PlayState::Title:
      return "Title";
    case PlayState::Playing:
      return "Playing";
    case PlayState::BetweenLevels:
      return "BetweenLevels";
    case PlayState::Won:
      return "Won";
    case PlayState::Lost:
      break;
  }
  return "Lost";
}

std::string CheckState(const GameState& state, const WindowFacts& window) {
  Complaints complaints;
  CheckSlots(state, complaints);
  CheckFlags(state, window, complaints);
  return complaints.Take();
}

}  // namespace headpop::model
