// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/game_state.h"
#include "game/game_window.h"

namespace headpop::model {

// The five screens a player can tell apart, read from the game's flags.
enum class PlayState : uint8_t { Title, Playing, BetweenLevels, Won, Lost };
inline constexpr int kPlayStateCount = 5;

PlayState StateOf(const GameState& state, std::optional<ScreenPicture> shown);
const char* NameOf(PlayState state);

// What a window tells of itself, whatever the toolkit.
struct WindowFacts {
  bool timer1Enabled = false;
  bool timer2Enabled = false;
  int timer1Interval = 0;
  std::optional<ScreenPicture> shown;
};

// The rules every state obeys, in the slots and flags and against the window's timers and
// screen: "" when all hold, else what does not.
std::string CheckState(const GameState& state, const WindowFacts& window);

}  // namespace headpop::model
