// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "game/random.h"
#include "tests/model/replay_driver.h"
#include "web/front_end.h"

namespace headpop::model {

// The page's module driven as the page drives it, through its exported functions, with a
// generator on the replay's virtual clock. The page's part (timers, labels, sound) is not
// here: what the module told the page is read back from its window.
class WasmReplayDriver final : public ReplayDriver {
 public:
  explicit WasmReplayDriver(uint64_t seed);

  void Start() override;
  void About() override;
  bool Tick(GameTimer timer) override;
  void Shoot(int x, int y) override;
  const GameState& State() const override;
  PlayState Now() const override;
  std::string Check() override;

 private:
  void Advance(int milliseconds);

  uint64_t nanoseconds_ = 0;
  ClockRandom random_;
  WebFrontEnd frontEnd_;
};

}  // namespace headpop::model
