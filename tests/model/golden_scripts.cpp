// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The golden replays' scripts: scripted games that pin the exact behaviour, arithmetic
// included, through every later change, run alike over every front-end.
#include "tests/model/golden_scripts.h"

namespace headpop::model {
namespace {

// Each returns "" when the run did what it is there to show, else what it missed.
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

const Scenario kScenarios[] = {
    {"won_game", 101, WonGame},
    {"lost_game", 202, LostGame},
    {"about_mid_level", 303, AboutInMidLevel},
    {"restart_mid_play", 404, RestartInMidPlay},
    {"level4_waves", 505, Level4Waves},
    {"two_escapes_in_one_tick", 606, TwoEscapesInOneTick},
};

}  // namespace

std::span<const Scenario> GoldenScenarios() { return kScenarios; }

GoldenRun RunScenario(const Scenario& scenario, ReplayDriver& driver) {
  Replay replay(driver);
  GoldenRun run;
  run.missed = scenario.script(replay);
  run.failure = replay.Failure();
  run.trace = "# " + std::string(scenario.name) + ", seed " + std::to_string(scenario.seed) + "\n" +
              replay.Trace();
  return run;
}

}  // namespace headpop::model
