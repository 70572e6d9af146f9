// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "game/one_based.h"

namespace headpop {

// Target and explosion slots are numbered 1..20, levels 1..10.
using SlotNo = Index<1, 20>;
using LevelNo = Index<1, 10>;

// The 16-bit truth values of gameOver.
inline constexpr int16_t kTrue16 = -1;
inline constexpr int16_t kFalse16 = 0;

// One target rising through the playfield; kind 0 marks a free slot.
struct TargetSlot {
  int16_t kind = 0;      // 0 free, 1..3 the sprite set pic1..pic3
  float posX = 0;        // left edge, playfield pixels
  float posY = 0;        // top edge
  int16_t frame = 0;     // animation frame 1..3
  int16_t pathKind = 0;  // 1 straight up, 2 line, 3 zigzag
  float lineX0 = 0;      // line path: start point
  float lineY0 = 0;
  float lineX1 = 0;  // line path: the point aimed at on the top edge
  float lineY1 = 0;
  int16_t zigDir = 0;  // zigzag: 1 left, 2 right
  int16_t zigRun = 0;  // zigzag: run length drawn at spawn
};

// One explosion animation; blastStage 0 marks a free slot.
struct BlastSlot {
  int16_t blastStage = 0;  // 0 free, 1..5 the ledakpic item on the playfield
  float blastX = 0;
  float blastY = 0;
};

// Every variable of the game. The window owns exactly one; a new game resets it.
struct GameState {
  Table<TargetSlot, SlotNo> targets;
  Table<BlastSlot, SlotNo> blasts;
  int16_t level = 0;      // 1..10 in a game, 11 once won, 0 before the first game
  int16_t score = 0;      // 10 per hit
  int16_t remaining = 0;  // the level's quota still open
  int16_t escaped = 0;    // targets that left at the top during this level
  int16_t interval = 0;   // movement interval of the level, ms
  Table<int16_t, LevelNo> levelInterval;
  int16_t gameOver = kFalse16;  // kTrue16 while no game is in progress
  bool betweenLevels = false;   // the level-complete screen waits for the start button
  bool soundOn = false;         // both sound files were found at start-up
};

}  // namespace headpop
