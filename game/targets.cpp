// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Targets: the wave spawn and the movement tick.
#include "game/game.h"
#include "game/level_rules.h"

namespace headpop {
namespace {

constexpr float kStep = 10;  // pixels per tick, upward and (zigzag) sideways
constexpr int16_t kMaxWaveSize = 5;
constexpr int16_t kFrameCount = 3;
constexpr int16_t kLine = 2;
constexpr int16_t kZigzag = 3;
constexpr int16_t kLeft = 1;
constexpr int16_t kRight = 2;

SpriteSet SetOfKind(int16_t kind) {
  switch (kind) {
    case 2:
      return SpriteSet::pic2;
    case 3:
      return SpriteSet::pic3;
    default:
      return SpriteSet::pic1;
  }
}

// floor(r * n) + 1 from one draw.
int16_t DrawOneTo(RandomSource& random, float n) {
  return static_cast<int16_t>(DrawBelow(random, n) + 1);
}

}  // namespace

void Game::DrawTarget(const TargetSlot& target) {
  window_.DrawSprite(SetOfKind(target.kind), target.frame, target.posX, target.posY);
}

float Game::TargetWidth() const { return window_.SpriteScaleWidth(SpriteSet::pic1, 1); }
float Game::TargetHeight() const { return window_.SpriteScaleHeight(SpriteSet::pic1, 1); }

void Game::SpawnWave() {
  random_.Reseed();
  int16_t n = DrawOneTo(random_, kMaxWaveSize);
  while (state_.level >= kFirstFlatQuotaLevel && n < 2) {
    n = DrawOneTo(random_, kMaxWaveSize);
  }
  for (int16_t created = 0; created < n; ++created) {
    TargetSlot* slot = nullptr;
    for (const SlotNo j : SlotNo::All()) {
      if (state_.targets[j].kind == 0) {
        slot = &state_.targets[j];
        break;
      }
    }
    if (slot == nullptr) {
      continue;  // a full table is no error: this target is simply not created
    }
    // Kept on purpose (see docs/deviations.md, "start column 308").
    const float width = window_.PlayfieldScaleWidth();
    slot->posX = static_cast<float>(DrawBelow(random_, width));
    slot->posY = window_.PlayfieldScaleHeight();
    slot->frame = 1;
    slot->kind = DrawOneTo(random_, 3);
    slot->pathKind = DrawOneTo(random_, 3);
    if (slot->pathKind == kLine) {
      slot->lineX0 = slot->posX;
      slot->lineY0 = slot->posY;
      slot->lineX1 = static_cast<float>(DrawBelow(random_, window_.PlayfieldScaleWidth()));
      slot->lineY1 = 0;
    }
    if (slot->pathKind == kZigzag) {
      slot->zigRun = DrawOneTo(random_, 10);
      slot->zigDir = DrawOneTo(random_, 2);
    }
    DrawTarget(*slot);
  }
}

void Game::MoveTarget(TargetSlot& target) {
  target.posY = target.posY - kStep;  // every path kind rises; kStraightUp does nothing else
  if (target.pathKind == kLine) {
    // Single precision, in exactly this order.
    const float a = target.posY - target.lineY0;
    const float b = target.lineX1 - target.lineX0;
    const float c = a * b;
    const float d = target.lineY1 - target.lineY0;
    const float e = c / d;
    target.posX = e + target.lineX0;
  } else if (target.pathKind == kZigzag) {
    // Deviation (see docs/deviations.md, "zigzag run length"): zigRun is drawn at spawn
    // but never counted down, so targets turn only at the side walls.
    // A blocked step turns the target and starts over in the new direction, at most once.
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (target.zigDir == kLeft) {
        if (target.posX - kStep < 0) {
          target.zigDir = kRight;
          continue;
        }
        target.posX = target.posX - kStep;
      } else {
        if (target.posX + TargetWidth() + kStep > window_.PlayfieldScaleWidth()) {
          target.zigDir = kLeft;
          continue;
        }
        target.posX = target.posX + kStep;
      }
      break;
    }
  }
}

void Game::Timer1_Timer() {
  for (const SlotNo i : SlotNo::All()) {
    TargetSlot& target = state_.targets[i];
    if (target.kind == 0) {
      continue;
    }
    DrawTarget(target);
    MoveTarget(target);
    const bool escaped = TargetHeight() + target.posY < 0;
    if (!escaped) {
      target.frame = static_cast<int16_t>(target.frame + 1);
      if (target.frame == kFrameCount + 1) {
        target.frame = 1;
      }
      DrawTarget(target);
      continue;
    }
    target.kind = 0;
    state_.remaining = static_cast<int16_t>(state_.remaining - 1);
    state_.escaped = static_cast<int16_t>(state_.escaped + 1);
    // Kept on purpose (see docs/deviations.md, "last wave unseen").
    SpawnWave();
    if (state_.remaining == 0) {
      if (state_.escaped >= LossThresholdOfLevel(state_.level)) {
        GameLost();
      } else {
        LevelComplete();
      }
      return;  // the later slots wait, unmoved, until the slots are freed
    }
  }
}

}  // namespace headpop
