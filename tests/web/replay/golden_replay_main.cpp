// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One golden replay over the page's module, as a WASI program: `golden_replay NAME` writes
// the scenario's trace to standard output, and says on standard error, with a failing exit
// status, what the script missed or which check failed; `golden_replay --list` names them.
// tests/web/golden_replay.mjs runs it under Node and holds each trace against
// tests/model/expected/NAME.trace.
#include <cstdio>
#include <string_view>

#include "tests/model/golden_scripts.h"
#include "tests/web/replay/wasm_replay_driver.h"

int main(int argc, char** argv) {
  using headpop::model::GoldenScenarios;
  if (argc != 2) {
    std::fputs("usage: golden_replay SCENARIO\n", stderr);
    return 2;
  }
  if (std::string_view(argv[1]) == "--list") {
    for (const auto& scenario : GoldenScenarios()) {
      std::printf("%s\n", scenario.name);
    }
    return 0;
  }
  for (const auto& scenario : GoldenScenarios()) {
    if (std::string_view(scenario.name) != argv[1]) {
      continue;
    }
    headpop::model::WasmReplayDriver driver(scenario.seed);
    const headpop::model::GoldenRun run = RunScenario(scenario, driver);
    std::fwrite(run.trace.data(), 1, run.trace.size(), stdout);
    std::fflush(stdout);
    if (!run.missed.empty()) {
      std::fprintf(stderr, "%s: the script missed: %s\n", scenario.name, run.missed.c_str());
    }
    if (!run.failure.empty()) {
      std::fprintf(stderr, "%s: %s\n", scenario.name, run.failure.c_str());
    }
    return run.missed.empty() && run.failure.empty() ? 0 : 1;
  }
  std::fprintf(stderr, "no scenario %s\n", argv[1]);
  return 2;
}
