// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "sound/sound.h"

struct Mix_Chunk;

namespace headpop {

struct MixerLibrary;

// A trial back-end, measured against the others: SDL2_mixer, called by one thread only,
// which owns the device and is fed requests by the game thread. The device is opened for
// an effect and closed after 2 s of quiet, so it does not stream silence.
class SdlOwnerSound final : public Sound {
 public:
  explicit SdlOwnerSound(std::string program_folder);
  ~SdlOwnerSound() override;

  bool DetectSoundFiles() override;
  void PlayEffect(std::string_view name) override;
  void Prepare() override;

 private:
  void Own();

  std::string folder_;
  std::mutex mutex_;
  std::condition_variable asked_;
  bool stopping_ = false;
  bool prepare_ = false;
  int wanted_ = -1;  // index of the effect asked for, or -1
  std::thread owner_;
  // Only the owner thread touches these.
  const MixerLibrary* library_ = nullptr;
  std::array<Mix_Chunk*, 2> chunks_{};
};

}  // namespace headpop
