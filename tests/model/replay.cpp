// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/model/replay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "tests/model/float_text.h"

namespace headpop::model {
namespace {

constexpr int kLastColumn = 308;
constexpr int kLastRow = 292;
constexpr int kToCentre = 18;
constexpr int kRoundsPerLevel = 2000;  // far more than any level needs

std::string Entry(const std::string& event, PlayState state, const GameState& s) {
  std::string text = event + ": " + NameOf(state) + " level " + std::to_string(s.level) +
                     " score " + std::to_string(s.score) + " remaining " +
                     std::to_string(s.remaining) + " escaped " + std::to_string(s.escaped) + "\n";
  for (const SlotNo i : SlotNo::All()) {
    const TargetSlot& t = s.targets[i];
    if (t.kind != 0) {
      text += "  target " + std::to_string(i.Number()) + " kind " + std::to_string(t.kind) + " x " +
              FloatText(t.posX) + " y " + FloatText(t.posY) + " frame " + std::to_string(t.frame) +
              " path " + std::to_string(t.pathKind) + "\n";
    }
  }
  for (const SlotNo j : SlotNo::All()) {
    const BlastSlot& b = s.blasts[j];
    if (b.blastStage != 0) {
      text += "  blast " + std::to_string(j.Number()) + " stage " + std::to_string(b.blastStage) +
              " x " + FloatText(b.blastX) + " y " + FloatText(b.blastY) + "\n";
    }
  }
  return text;
}

// The pixel a player would click to hit a target in view: its middle, kept on the field.
bool AimPoint(const TargetSlot& t, int& x, int& y) {
  const int left = static_cast<int>(std::lround(t.posX));
  const int top = static_cast<int>(std::lround(t.posY));
  if (t.kind == 0 || top > kLastRow || left > kLastColumn) {
    return false;
  }
  x = std::clamp(left + kToCentre, 0, kLastColumn);
  y = std::clamp(top + kToCentre, 0, kLastRow);
  return true;
}

}  // namespace

void Replay::Note(const std::string& text) { trace_ += "-- " + text + "\n"; }

void Replay::After(const std::string& event) {
  ++events_;
  if (recording_) {
    trace_ += std::to_string(events_) + " " + Entry(event, Now(), State());
  }
  if (failure_.empty()) {
    if (std::string found = driver_.Check(); !found.empty()) {
      failure_ = "after event " + std::to_string(events_) + " (" + event + "): " + found;
    }
  }
}

void Replay::Start() {
  driver_.Start();
  After("Start");
}

void Replay::About() {
  driver_.About();
  After("About");
}

void Replay::Tick(GameTimer timer) {
  const char* name = timer == GameTimer::Timer1 ? "Timer1" : "Timer2";
  After(driver_.Tick(timer) ? name : std::string(name) + " (stopped)");
}

void Replay::Shoot(int x, int y) {
  driver_.Shoot(x, y);
  After("shot at " + std::to_string(x) + ", " + std::to_string(y));
}

void Replay::ShootEveryTargetInView() {
  for (const SlotNo i : SlotNo::All()) {
    int x = 0;
    int y = 0;
    if (Now() == PlayState::Playing && AimPoint(State().targets[i], x, y)) {
      Shoot(x, y);
    }
  }
}

void Replay::PlayRound() {
  ShootEveryTargetInView();
  Tick(GameTimer::Timer2);
  Tick(GameTimer::Timer1);
}

bool Replay::ClearLevel() {
  const int16_t level = State().level;
  for (int round = 0; round < kRoundsPerLevel; ++round) {
    if (Now() != PlayState::Playing || State().level != level) {
      return true;
    }
    PlayRound();
  }
  if (failure_.empty()) {
    failure_ = "level " + std::to_string(level) + " never ended";
  }
  return false;
}

void Replay::PlayUntilLevel(int level) {
  Start();
  while (Now() == PlayState::Playing && State().level < level) {
    if (!ClearLevel()) {
      return;
    }
    if (Now() == PlayState::BetweenLevels) {
      Note("level " + std::to_string(State().level) + " after event " + std::to_string(events_) +
           ", score " + std::to_string(State().score));
      Start();
    }
  }
}

}  // namespace headpop::model
