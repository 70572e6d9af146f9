// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_sound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/canberra_sound.h"
#include "sound/pulse_sound.h"
#include "sound/sdl_owner_sound.h"
#include "sound/sdl_sound.h"

namespace headpop::bench {
namespace {

// Times every PlayEffect call on the game thread, and prints the figures at the end.
class TimedSound final : public Sound {
 public:
  explicit TimedSound(std::unique_ptr<Sound> sound) : sound_(std::move(sound)) {}
  ~TimedSound() override {
    if (calls_us_.empty()) {
      return;
    }
    std::sort(calls_us_.begin(), calls_us_.end());
    std::printf("play_effect_us n=%zu median=%.1f max=%.1f\n", calls_us_.size(),
                calls_us_[calls_us_.size() / 2], calls_us_.back());
  }
  bool DetectSoundFiles() override { return sound_->DetectSoundFiles(); }
  void PlayEffect(std::string_view name) override {
    const auto start = std::chrono::steady_clock::now();
    sound_->PlayEffect(name);
    calls_us_.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  void Prepare() override { sound_->Prepare(); }

 private:
  std::unique_ptr<Sound> sound_;
  std::vector<double> calls_us_;
};

std::unique_ptr<Sound> MakeChosen(const char* folder) {
  const char* chosen = std::getenv("HEADPOP_BENCH_SOUND");
  const std::string name = chosen != nullptr ? chosen : "pulse";
  if (name == "canberra") {
    return std::make_unique<CanberraSound>(folder);
  }
  if (name == "sdl-owner") {
    return std::make_unique<SdlOwnerSound>(folder);
  }
  if (name == "sdl-helper") {
    return std::make_unique<SdlSound>(folder);
  }
  return std::make_unique<PulseSound>(folder);
}

}  // namespace

std::unique_ptr<Sound> MakeBenchSound(const char* folder) {
  return std::make_unique<TimedSound>(MakeChosen(folder));
}

}  // namespace headpop::bench
