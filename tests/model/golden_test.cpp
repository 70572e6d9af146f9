// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Golden replays over the desktop window: the scripted games of golden_scripts.cpp, whose
// traces must match the committed ones line by line. (tests/web runs the same scripts over
// the page's WebAssembly module.)
//
// After a change that is meant to alter the behaviour, write the traces anew with
//   cmake --build <build> --target regenerate-golden
// (or HEADPOP_REGENERATE_GOLDEN=1 ctest --test-dir <build> -R Golden) and review the diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

#include "tests/model/golden_scripts.h"
#include "tests/model/qt_replay_driver.h"

namespace headpop::model {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = Lines(expected);
  const std::vector<std::string> got = Lines(actual);
  for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
    const std::string w = i < want.size() ? want[i] : "(end of file)";
    const std::string g = i < got.size() ? got[i] : "(end of trace)";
    if (w != g) {
      std::string text = "line " + std::to_string(i + 1);
      text += "\n  expected: " + w;
      text += "\n  actual:   " + g;
      return text;
    }
  }
  return {};
}

void Write(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class Golden : public ::testing::TestWithParam<Scenario> {};

TEST_P(Golden, TraceMatchesTheCommittedOne) {
  const Scenario& scenario = GetParam();
  QtReplayDriver driver(scenario.seed);
  const GoldenRun run = RunScenario(scenario, driver);
  EXPECT_EQ(run.missed, "");
  EXPECT_EQ(run.failure, "");
  const std::string& trace = run.trace;

  const std::string file = std::string(scenario.name) + ".trace";
  const std::filesystem::path expectedPath = std::filesystem::path(HEADPOP_GOLDEN_DIR) / file;
  const char* regenerate = std::getenv("HEADPOP_REGENERATE_GOLDEN");
  if (regenerate != nullptr && *regenerate != '\0' && std::string(regenerate) != "0") {
    Write(expectedPath, trace);
    std::cout << "wrote " << expectedPath << "\n";
    return;
  }
  std::ifstream in(expectedPath, std::ios::binary);
  ASSERT_TRUE(in) << "no " << expectedPath << "; write it with HEADPOP_REGENERATE_GOLDEN=1";
  const std::string expected((std::istreambuf_iterator<char>(in)), {});
  const std::string difference = FirstDifference(expected, trace);
  if (!difference.empty()) {
    const std::filesystem::path actualPath = std::filesystem::path(HEADPOP_ACTUAL_DIR) / file;
    Write(actualPath, trace);
    ADD_FAILURE() << scenario.name << " differs from " << expectedPath << " at " << difference
                  << "\nthe whole trace is in " << actualPath;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Golden, ::testing::ValuesIn(GoldenScenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace headpop::model
