// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "tests/model/harness.h"
#include "tests/model/model_check.h"

namespace headpop::model {

// A scripted run of the real window that writes a trace: after every event while
// recording, the state and every occupied slot, floats printed exactly. The model is
// checked after every event, recorded or not.
class Replay {
 public:
  explicit Replay(uint64_t seed);

  // While off, only notes reach the trace: fast-forwarding stays out of it.
  void Record(bool on) { recording_ = on; }
  void Note(const std::string& text);

  void Start();
  void About();
  void Tick(GameTimer timer);
  // A click with the left button through Qt, at a playfield pixel.
  void Shoot(int x, int y);

  // Shoots every target in view once, as a quick player would.
  void ShootEveryTargetInView();
  // One round: every target in view shot, then a tick of each timer.
  void PlayRound();
  // Plays rounds until the level in play ends.
  void ClearLevel();
  // From the title or a finished game: a new game, played until `level` begins.
  void PlayUntilLevel(int level);

  const GameState& State() const { return harness_.State(); }
  PlayState Now() const;

  const std::string& Trace() const { return trace_; }
  // The first event after which the model check failed, or "".
  const std::string& Failure() const { return failure_; }

 private:
  void After(const std::string& event);

  Harness harness_;
  ModelCheck check_;
  bool recording_ = true;
  uint64_t events_ = 0;
  std::string trace_;
  std::string failure_;
};

}  // namespace headpop::model
