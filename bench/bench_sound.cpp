// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_sound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "sound/pulse_sound.h"

namespace headpop::bench {
namespace {

class TimedSound final : public Sound {
 public:
  explicit TimedSound(const char* folder) : sound_(folder) { calls_us_.reserve(4096); }
  ~TimedSound() override {
    if (calls_us_.empty()) {
      return;
    }
    std::sort(calls_us_.begin(), calls_us_.end());
    std::printf("play_effect_us n=%zu median=%.1f max=%.1f\n", calls_us_.size(),
                calls_us_[calls_us_.size() / 2], calls_us_.back());
  }
  TimedSound(const TimedSound&) = delete;
  TimedSound& operator=(const TimedSound&) = delete;

  bool DetectSoundFiles() override { return sound_.DetectSoundFiles(); }
  void PlayEffect(std::string_view name) override {
    const auto start = std::chrono::steady_clock::now();
    sound_.PlayEffect(name);
    calls_us_.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  void Prepare() override { sound_.Prepare(); }

 private:
  PulseSound sound_;
  std::vector<double> calls_us_;
};

}  // namespace

std::unique_ptr<Sound> MakeTimedSound(const char* folder) {
  return std::make_unique<TimedSound>(folder);
}

}  // namespace headpop::bench
