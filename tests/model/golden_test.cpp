// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Golden replays: scripted games whose traces must match the committed ones line by line.
// They pin the exact behaviour, arithmetic included, through every later change.
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

#include "tests/model/replay.h"

namespace headpop::model {
namespace {

// Each returns "" when the run did what it is there to show, else what it missed.
using Script = std::string (*)(Replay&);

std::string WonGame(Replay& r) {
  r.Record(false);
  r.PlayUntilLevel(10);
  r.Record(true);
  r.Note("level 10, to the end");
  r.ClearLevel();
  if (r.Now() != PlayState::Won || r.State().level != 11) {
    return "level 10 did not end in a win";
  }
  r.Shoot(150, 150);  // the won screen takes no shots
  r.Start();
  return r.State().level == 1 && r.State().score == 0 ? "" : "Start after the win began no game";
}

std::string LostGame(Replay& r) {
  r.Start();
  r.Shoot(5, 5);  // a miss: no target is near the top yet
  r.Record(false);
  // Nothing is shot: the quota runs out through escapes.
  for (int tick = 0; tick < 500 && r.Now() == PlayState::Playing; ++tick) {
    r.Record(r.State().escaped > 0);
    r.Tick(GameTimer::Timer1);
  }
  if (r.Now() != PlayState::Lost) {
    return "the game was not lost";
  }
  r.Tick(GameTimer::Timer1);
  r.Shoot(150, 150);
  r.Start();
  return r.Now() == PlayState::Playing ? "" : "Start after the loss began no game";
}

std::string AboutInMidLevel(Replay& r) {
  r.Start();
  for (int round = 0; round < 6; ++round) {
    r.PlayRound();
  }
  r.About();
  // The timers are stopped and the field is the title's: ticks never come, shots are ignored.
  r.Tick(GameTimer::Timer1);
  r.Tick(GameTimer::Timer2);
  r.Shoot(150, 150);
  r.Start();
  r.PlayRound();
  r.Record(false);
  r.ClearLevel();
  r.Record(true);
  r.Note("About on the level-complete screen");
  r.About();
  if (!r.State().betweenLevels || r.Now() != PlayState::Title) {
    return "About between levels did not leave betweenLevels set on the title";
  }
  r.Start();
  return r.State().level == 1 ? "" : "Start after About between levels went on to level 2";
}

std::string RestartInMidPlay(Replay& r) {
  r.Record(false);
  r.PlayUntilLevel(2);
  r.Record(true);
  r.Note("level 2 in play");
  for (int round = 0; round < 5; ++round) {
    r.PlayRound();
  }
  const int16_t score = r.State().score;
  r.Start();
  r.PlayRound();
  r.PlayRound();
  return score > 0 && r.State().level == 1 && r.Now() == PlayState::Playing
             ? ""
             : "Start in level 2 did not begin again at level 1";
}

std::string Level4Waves(Replay& r) {
  r.Record(false);
  r.PlayUntilLevel(4);
  r.Record(true);
  r.Note("level 4: waves of two to five");
  r.ClearLevel();
  return r.Now() == PlayState::BetweenLevels && r.State().level == 5 ? ""
                                                                     : "level 4 was not completed";
}

std::string TwoEscapesInOneTick(Replay& r) {
  r.Start();
  r.Record(false);
  for (int tick = 0; tick < 200; ++tick) {
    const int16_t escaped = r.State().escaped;
    r.Record(tick >= 30);  // the first wave leaves at the top on tick 34
    r.Tick(GameTimer::Timer1);
    if (r.State().escaped >= escaped + 2) {
      r.Tick(GameTimer::Timer1);
      return "";
    }
  }
  return "no tick saw two escapes";
}

struct Scenario {
  const char* name;
  uint64_t seed;
  Script script;
};

const Scenario kScenarios[] = {
    {"won_game", 101, WonGame},
    {"lost_game", 202, LostGame},
    {"about_mid_level", 303, AboutInMidLevel},
    {"restart_mid_play", 404, RestartInMidPlay},
    {"level4_waves", 505, Level4Waves},
    {"two_escapes_in_one_tick", 606, TwoEscapesInOneTick},
};

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
  Replay replay(scenario.seed);
  EXPECT_EQ(scenario.script(replay), "");
  EXPECT_EQ(replay.Failure(), "");
  const std::string trace = "# " + std::string(scenario.name) + ", seed " +
                            std::to_string(scenario.seed) + "\n" + replay.Trace();

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

INSTANTIATE_TEST_SUITE_P(Scenarios, Golden, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace headpop::model
