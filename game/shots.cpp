// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Shots and the explosions they leave.
#include "game/game.h"
#include "game/level_rules.h"

namespace headpop {
namespace {

constexpr int16_t kLastBlastStage = 5;

}  // namespace

void Game::DrawBlast(const BlastSlot& blast) {
  window_.DrawSprite(SpriteSet::ledakpic, blast.blastStage, blast.blastX, blast.blastY);
}

bool Game::AnyTargetLeft() const {
  for (const SlotNo i : SlotNo::All()) {
    if (state_.targets[i].kind != 0) {
      return true;
    }
  }
  return false;
}

void Game::StartExplosion(float x, float y) {
  for (const SlotNo j : SlotNo::All()) {
    BlastSlot& blast = state_.blasts[j];
    if (blast.blastStage == 0) {
      blast.blastStage = 1;
      blast.blastX = x;
      blast.blastY = y;
      DrawBlast(blast);
      return;
    }
  }
  // Every explosion slot busy: the hit counts all the same, with no explosion.
}

void Game::Picture1_MouseUp(int16_t /*button*/, int16_t /*shift*/, float x, float y) {
  if (state_.gameOver != kFalse16) {
    return;
  }
  if (state_.betweenLevels) {
    return;
  }
  const float w = TargetWidth();
  const float h = TargetHeight();
  TargetSlot* hit = nullptr;
  for (const SlotNo i : SlotNo::All()) {
    TargetSlot& target = state_.targets[i];
    if (target.kind == 0) {
      continue;
    }
    // Closed rectangle: all four edges hit. NaN coordinates compare false and miss.
    const float right = target.posX + w;
    const float bottom = target.posY + h;
    if (target.posX <= x && x <= right && target.posY <= y && y <= bottom) {
      hit = &target;
      break;
    }
  }
  if (hit == nullptr) {
    PlayEffect(kMissSound);
    return;
  }
  state_.remaining = static_cast<int16_t>(state_.remaining - 1);
  state_.score = static_cast<int16_t>(state_.score + kPointsPerHit);
  window_.SetScoreCaption(NumberText(state_.score));
  PlayEffect(kHitSound);
  DrawTarget(*hit);
  hit->kind = 0;
  StartExplosion(hit->posX, hit->posY);
  if (state_.remaining == 0) {
    LevelComplete();
    return;
  }
  if (!AnyTargetLeft()) {
    SpawnWave();
  }
}

bool Game::Timer2HasWork() const {
  for (const SlotNo j : SlotNo::All()) {
    if (state_.blasts[j].blastStage != 0) {
      return true;
    }
  }
  return false;
}

void Game::Timer2_Timer() {
  for (const SlotNo j : SlotNo::All()) {
    BlastSlot& blast = state_.blasts[j];
    if (blast.blastStage == 0) {
      continue;
    }
    DrawBlast(blast);
    if (blast.blastStage == kLastBlastStage) {
      blast.blastStage = 0;
    } else {
      blast.blastStage = static_cast<int16_t>(blast.blastStage + 1);
      DrawBlast(blast);
    }
  }
}

}  // namespace headpop
