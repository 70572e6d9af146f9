// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the buttons, the About label and the end of a level or a game.
#include "game/game.h"
#include "game/level_rules.h"

namespace headpop {

std::string NumberText(int16_t value) {
  // Appended rather than " " + ..., which GCC 12 at -O3 misreads as an overlapping copy.
  return std::string(1, ' ').append(std::to_string(value));
}

Game::Game(GameWindow& window, RandomSource& random) : window_(window), random_(random) {}

void Game::Form_Load() {
  state_.soundOn = window_.DetectSoundFiles();
  state_.gameOver = kTrue16;
  FillLevelTable(state_.levelInterval);
  for (int16_t item = 1; item <= 3; ++item) {
    window_.SetPixelUnits(SpriteSet::pic1, item);
    window_.SetPixelUnits(SpriteSet::pic2, item);
    window_.SetPixelUnits(SpriteSet::pic3, item);
  }
  window_.SetScreenPicture(ScreenPicture::Picture2);
}

void Game::ShowPlayfield() {
  window_.ClearPlayfield();
  window_.SetScreenPicture(ScreenPicture::backpic);
}

void Game::FreeAllSlots() {
  for (const SlotNo i : SlotNo::All()) {
    state_.targets[i].kind = 0;
    state_.blasts[i].blastStage = 0;
  }
}

void Game::StartTimers() {
  window_.SetTimerEnabled(GameTimer::Timer1, true);
  window_.SetTimerEnabled(GameTimer::Timer2, true);
}

void Game::StopTimers() {
  window_.SetTimerEnabled(GameTimer::Timer1, false);
  window_.SetTimerEnabled(GameTimer::Timer2, false);
}

// Kept on purpose (see docs/deviations.md, "restart keeps timers"): a restart during play
// leaves the running timers enabled.
void Game::NewGame() {
  ShowPlayfield();
  FreeAllSlots();
  state_.level = 1;
  state_.interval = state_.levelInterval[LevelNo::At(1)];
  state_.remaining = QuotaOfLevel(state_.level);
  state_.escaped = 0;
  state_.score = 0;
  state_.betweenLevels = false;
  window_.SetScoreCaption(NumberText(state_.score));
  window_.SetLevelCaption(NumberText(state_.level));
  window_.SetTimer1Interval(state_.interval);
  SpawnWave();
  state_.gameOver = kFalse16;
  StartTimers();
}

void Game::Command1_Click() {
  // gameOver is tested before betweenLevels, so only the level-complete screen of a game
  // still in progress continues; the title, won, lost and playing states start a new game.
  // Kept on purpose (see docs/deviations.md, "about between levels").
  if (state_.gameOver == kFalse16 && state_.betweenLevels) {
    ShowPlayfield();
    FreeAllSlots();
    SpawnWave();
    StartTimers();
    state_.betweenLevels = false;
  } else {
    NewGame();
  }
}

// Kept on purpose (see docs/deviations.md, "quit pauses nothing").
void Game::Command2_Click() {
  if (window_.AskYesNo(std::string(kQuitPrompt), std::string(kQuitTitle))) {
    window_.EndProgram();
  }
}

void Game::Label3_Click() {
  StopTimers();
  state_.gameOver = kTrue16;
  window_.ClearPlayfield();
  window_.SetScreenPicture(ScreenPicture::Picture2);
}

void Game::LevelComplete() {
  StopTimers();
  state_.level = static_cast<int16_t>(state_.level + 1);
  if (state_.level == kWonLevel) {
    // Kept on purpose (see docs/deviations.md, "won level label").
    GameWon();
    return;
  }
  state_.escaped = 0;
  state_.remaining = QuotaOfLevel(state_.level);
  state_.interval = state_.levelInterval[LevelNo::At(state_.level)];
  window_.SetTimer1Interval(state_.interval);
  window_.SetLevelCaption(NumberText(state_.level));
  state_.betweenLevels = true;
  window_.ClearPlayfield();
  window_.SetScreenPicture(ScreenPicture::levelpic);
  window_.FocusStartButton();
}

void Game::GameWon() {
  window_.ClearPlayfield();
  window_.SetScreenPicture(ScreenPicture::winpic);
  state_.gameOver = kTrue16;
}

void Game::GameLost() {
  StopTimers();
  state_.gameOver = kTrue16;
  window_.ClearPlayfield();
  window_.SetScreenPicture(ScreenPicture::losepic);
}

void Game::PlayEffect(std::string_view name) {
  if (state_.soundOn) {
    window_.PlaySoundFile(name);
  }
}

}  // namespace headpop
