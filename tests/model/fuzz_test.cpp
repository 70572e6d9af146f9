// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The event fuzzer over the real window.
//
//   HEADPOP_FUZZ_EVENTS  events of the whole suite, shared by its shards (default 1000000)
//   HEADPOP_FUZZ_SEED    the suite's seed (default below); each shard adds its number
//
// A longer run with a fresh seed:
//   HEADPOP_FUZZ_EVENTS=20000000 HEADPOP_FUZZ_SEED=$RANDOM ctest --test-dir <build> -R Fuzz
// A failure prints the seed and the event; the same two variables replay it exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/model/fuzzer.h"

namespace headpop::model {
namespace {

constexpr uint64_t kDefaultEvents = 1000000;
constexpr uint64_t kDefaultSeed = 20240611;
constexpr int kShards = 4;
// Below this many events a shard may not get through a whole game, so the driver's
// sanity counts are not asserted.
constexpr uint64_t kEnoughForSanity = 20000;

uint64_t FromEnvironment(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  return text == nullptr || *text == '\0' ? fallback : std::stoull(text, nullptr, 0);
}

class Fuzz : public ::testing::TestWithParam<int> {};

TEST_P(Fuzz, EveryEventKeepsThePlayfieldAndTheRules) {
  const uint64_t total = FromEnvironment("HEADPOP_FUZZ_EVENTS", kDefaultEvents);
  const uint64_t suiteSeed = FromEnvironment("HEADPOP_FUZZ_SEED", kDefaultSeed);
  const uint64_t events = (total + kShards - 1) / kShards;
  const uint64_t seed = suiteSeed + static_cast<uint64_t>(GetParam());
  const std::string replay = "HEADPOP_FUZZ_SEED=" + std::to_string(suiteSeed) +
                             " HEADPOP_FUZZ_EVENTS=" + std::to_string(total) + " shard " +
                             std::to_string(GetParam()) + " (seed " + std::to_string(seed) + ")";
  std::cout << replay << ": " << events << " events\n";

  const FuzzReport report = Fuzzer(seed).Run(events);
  std::cout << report.Summary() << "\n";
  ASSERT_EQ(report.failure, "") << replay;

  if (events < kEnoughForSanity) {
    std::cout << "too few events for the driver's sanity counts\n";
    return;
  }
  for (int state = 0; state < kPlayStateCount; ++state) {
    EXPECT_GT(report.eventsIn.at(static_cast<std::size_t>(state)), 0U)
        << "never in " << NameOf(static_cast<PlayState>(state)) << "; " << replay;
  }
  EXPECT_GE(report.won, 1) << replay;
  EXPECT_GE(report.lost, 1) << replay;
}

INSTANTIATE_TEST_SUITE_P(Shards, Fuzz, ::testing::Range(0, kShards));

}  // namespace
}  // namespace headpop::model
