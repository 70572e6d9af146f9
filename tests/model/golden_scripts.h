// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tests/model/replay.h"

namespace headpop::model {

// A scripted game whose trace is committed in tests/model/expected/NAME.trace. The script
// returns "" when the run did what it is there to show, else what it missed.
struct Scenario {
  const char* name;
  uint64_t seed;
  std::string (*script)(Replay&);
};

std::span<const Scenario> GoldenScenarios();

struct GoldenRun {
  std::string trace;    // the whole text of the trace file
  std::string missed;   // what the script missed, or ""
  std::string failure;  // the first failed check, or ""
};

// Runs a scenario over a driver made for its seed.
GoldenRun RunScenario(const Scenario& scenario, ReplayDriver& driver);

}  // namespace headpop::model
