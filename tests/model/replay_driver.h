// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "game/game_state.h"
#include "game/game_window.h"
#include "tests/model/state_check.h"

namespace headpop::model {

// A front-end that a scripted replay drives: the desktop window under Qt, or the page's
// WebAssembly module. Time is virtual and moves exactly alike in every driver: 1 ms per
// click, one interval per timer tick, read by the game's generator as its clock.
class ReplayDriver {
 public:
  ReplayDriver() = default;
  ReplayDriver(const ReplayDriver&) = delete;
  ReplayDriver& operator=(const ReplayDriver&) = delete;
  virtual ~ReplayDriver() = default;

  static constexpr int kClickMilliseconds = 1;
  static constexpr int kExplosionInterval = 80;

  virtual void Start() = 0;  // Command1 clicked
  virtual void About() = 0;  // Label3 clicked
  // False when the timer is stopped, so that the tick never comes.
  virtual bool Tick(GameTimer timer) = 0;
  // The left button pressed and released at a playfield pixel.
  virtual void Shoot(int x, int y) = 0;

  virtual const GameState& State() const = 0;
  virtual PlayState Now() const = 0;
  // "" when the front-end agrees with the rules, else what does not.
  virtual std::string Check() = 0;
};

}  // namespace headpop::model
