// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "game/game_window.h"
#include "game/random.h"

namespace headpop {

// The label text of a number: one blank for the sign, then the digits (" 10").
std::string NumberText(int16_t value);

// The rules and the flow of the game. It owns the one GameState; the window forwards its
// events here and carries out what the rules ask through GameWindow. Every handler and
// procedure runs its steps in a fixed order that the others rely on.
class Game {
 public:
  Game(GameWindow& window, RandomSource& random);

  GameState& State() { return state_; }
  const GameState& State() const { return state_; }

  // Events of the window.
  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Label3_Click();
  void Picture1_MouseUp(int16_t button, int16_t shift, float x, float y);
  void Timer1_Timer();
  void Timer2_Timer();

  // Whether a Timer2 tick would change anything: it steps only busy explosion slots. A
  // window may sleep through the ticks that would not, keeping their phase.
  bool Timer2HasWork() const;

  // Procedures.
  void ShowPlayfield();
  void SpawnWave();
  void NewGame();
  void LevelComplete();
  void GameWon();
  void GameLost();
  void PlayEffect(std::string_view name);

  static constexpr std::string_view kQuitPrompt = "Are you sure to go to Hell ??";
  static constexpr std::string_view kQuitTitle = "I don't believe it !!";
  static constexpr std::string_view kMissSound = "fire.wav";
  static constexpr std::string_view kHitSound = "explosion.wav";

 private:
  void DrawTarget(const TargetSlot& target);
  void DrawBlast(const BlastSlot& blast);
  void FreeAllSlots();
  void StartTimers();
  void StopTimers();
  void MoveTarget(TargetSlot& target);
  bool AnyTargetLeft() const;
  void StartExplosion(float x, float y);
  // w and h of a target: the scale size of the first frame of kind 1, for every kind.
  float TargetWidth() const;
  float TargetHeight() const;

  GameWindow& window_;
  RandomSource& random_;
  GameState state_;
};

}  // namespace headpop
