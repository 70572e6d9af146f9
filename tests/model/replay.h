// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "tests/model/replay_driver.h"

namespace headpop::model {

// A scripted run of a front-end that writes a trace: after every event while recording,
// the state and every occupied slot, floats printed exactly. The front-end is checked
// after every event, recorded or not. The same script gives the same trace over every
// driver.
class Replay {
 public:
  explicit Replay(ReplayDriver& driver) : driver_(driver) {}

  // While off, only notes reach the trace: fast-forwarding stays out of it.
  void Record(bool on) { recording_ = on; }
  void Note(const std::string& text);

  void Start();
  void About();
  void Tick(GameTimer timer);
  // A click with the left button at a playfield pixel.
  void Shoot(int x, int y);

  // Shoots every target in view once, as a quick player would.
  void ShootEveryTargetInView();
  // One round: every target in view shot, then a tick of each timer.
  void PlayRound();
  // Plays rounds until the level in play ends; false (and a failure) if it never does.
  bool ClearLevel();
  // From the title or a finished game: a new game, played until `level` begins.
  void PlayUntilLevel(int level);

  const GameState& State() const { return driver_.State(); }
  PlayState Now() const { return driver_.Now(); }

  const std::string& Trace() const { return trace_; }
  // The first event after which the check failed, or a level that never ended, or "".
  const std::string& Failure() const { return failure_; }

 private:
  void After(const std::string& event);

  ReplayDriver& driver_;
  bool recording_ = true;
  uint64_t events_ = 0;
  std::string trace_;
  std::string failure_;
};

}  // namespace headpop::model
