// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "game/game.h"
#include "tests/support/recording_window.h"
#include "tests/support/scripted_random.h"

namespace headpop::testing {

// A loaded game on a recording window, with scripted random numbers.
class GameFixture : public ::testing::Test {
 protected:
  GameFixture() { game.Form_Load(); }

  GameState& state() { return game.State(); }
  TargetSlot& target(int slot) { return state().targets[SlotNo::At(slot)]; }
  BlastSlot& blast(int slot) { return state().blasts[SlotNo::At(slot)]; }

  // Scripts one wave of targets going straight up: its size, then per target the column,
  // kind and path kind.
  void ScriptStraightWave(std::initializer_list<int> columns, int kind = 1) {
    random.Add({Pick(static_cast<int>(columns.size()) - 1, 5)});
    for (const int column : columns) {
      random.Add({Pick(column, 309), Pick(kind - 1, 3), Pick(0, 3)});
    }
  }

  // Starts level 1 with one straight-up target of kind 1 in slot 1 at column 100.
  void StartGame() {
    ScriptStraightWave({100});
    game.Command1_Click();
    window.Forget();
  }

  // Puts a target straight into a slot, as a spawn would have left it, without drawing.
  TargetSlot& Place(int slot, float x, float y, int16_t kind = 1, int16_t frame = 1,
                    int16_t pathKind = 1) {
    TargetSlot& t = target(slot);
    t.kind = kind;
    t.posX = x;
    t.posY = y;
    t.frame = frame;
    t.pathKind = pathKind;
    return t;
  }

  void FillAllSlots() {
    for (int slot = 1; slot <= 20; ++slot) {
      Place(slot, 10.0F * static_cast<float>(slot), 100);
    }
  }

  int OccupiedTargets() {
    int n = 0;
    for (const SlotNo i : SlotNo::All()) {
      n += state().targets[i].kind != 0 ? 1 : 0;
    }
    return n;
  }

  RecordingWindow window;
  ScriptedRandom random;
  Game game{window, random};
};

}  // namespace headpop::testing
