// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <random>
#include <string>

#include "tests/model/harness.h"
#include "tests/model/model_check.h"

namespace headpop::model {

// What a run did, for the driver's own sanity and for the log.
struct FuzzReport {
  std::string failure;  // "" when every check held after every event
  uint64_t events = 0;
  std::array<uint64_t, kPlayStateCount> eventsIn{};  // events that left the game in each state
  std::array<uint64_t, kPlayStateCount> startsIn{};  // Start pressed in each state
  std::array<uint64_t, kPlayStateCount> aboutsIn{};  // About pressed in each state
  int won = 0;
  int lost = 0;
  int hits = 0;
  int releasesThroughQt = 0;
  int mostTargets = 0;  // occupied slots at once
  int mostBlasts = 0;

  std::string Summary() const;
};

// Sends random events to the real window and checks the model after each one. One seed
// gives one run: the driver's own generator chooses every event and seeds the game's.
class Fuzzer {
 public:
  explicit Fuzzer(uint64_t seed);

  FuzzReport Run(uint64_t events);

 private:
  // Hunter shoots at targets and wins, Idle never shoots and loses, Chaos presses
  // anything, Swarm shoots and lets the explosions pile up.
  enum class Mode : uint8_t { Hunter, Idle, Chaos, Swarm };
  enum class Kind : uint8_t { Timer1, Timer2, Aimed, Field, Wild, Start, About };
  static constexpr int kKinds = 7;

  struct Event {
    uint64_t index = 0;
    Kind kind = Kind::Timer1;
    bool throughQt = false;
    int16_t button = 0;
    int16_t shift = 0;
    float x = 0;
    float y = 0;
    QPoint press;
    std::string Describe() const;
  };

  Kind Pick();
  void ChooseMode(bool gameEnded);
  Event Make(uint64_t index, Kind kind);
  void AimAtTarget(Event& event);
  void AimAnywhere(Event& event);
  void AimWild(Event& event);
  void MaybeThroughQt(Event& event);
  std::string Send(const Event& event);
  std::string History() const;
  bool Chance(int percent);
  float Between(float low, float high);

  std::mt19937_64 random_;
  Harness harness_;
  ModelCheck check_;
  Mode mode_ = Mode::Hunter;
  uint64_t modeLeft_ = 0;
  int gamesEnded_ = 0;
  std::deque<Event> recent_;
  FuzzReport report_;
};

}  // namespace headpop::model
