// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "tests/model/harness.h"
#include "tests/model/model_check.h"
#include "tests/model/replay_driver.h"

namespace headpop::model {

// The desktop window under Qt: clicks through Qt's own mouse events, and the full model
// check, pixels included, after every event.
class QtReplayDriver final : public ReplayDriver {
 public:
  explicit QtReplayDriver(uint64_t seed) : harness_(seed), check_(harness_.Window().Art()) {}

  void Start() override { harness_.Start(true); }
  void About() override { harness_.About(true); }
  bool Tick(GameTimer timer) override { return harness_.Tick(timer); }
  void Shoot(int x, int y) override {
    harness_.ReleaseThroughQt(Qt::LeftButton, {}, {x, y}, {x, y});
  }
  const GameState& State() const override { return harness_.State(); }
  PlayState Now() const override { return StateOf(harness_.Window()); }
  std::string Check() override { return check_(harness_.Window()); }

 private:
  Harness harness_;
  ModelCheck check_;
};

}  // namespace headpop::model
