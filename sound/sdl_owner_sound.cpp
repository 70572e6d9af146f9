// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sdl_owner_sound.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "sound/sdl_mixer_library.h"
#include "sound/sound_files.h"

namespace headpop {
namespace {

constexpr std::array<std::string_view, 2> kNames{"explosion.wav", "fire.wav"};
constexpr auto kCloseWhenQuietFor = std::chrono::seconds(2);

}  // namespace

SdlOwnerSound::SdlOwnerSound(std::string program_folder) : folder_(std::move(program_folder)) {
  if (folder_.empty() || folder_.back() != '/') {
    folder_ += '/';
  }
}

SdlOwnerSound::~SdlOwnerSound() {
  if (owner_.joinable()) {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    asked_.notify_all();
    owner_.join();
  }
}

bool SdlOwnerSound::DetectSoundFiles() {
  const bool found = DetectSoundFilesIn(folder_);
  if (found && !owner_.joinable()) {
    owner_ = std::thread([this] { Own(); });
  }
  return found;
}

void SdlOwnerSound::Prepare() {
  if (owner_.joinable()) {
    const std::lock_guard lock(mutex_);
    prepare_ = true;
    asked_.notify_all();
  }
}

void SdlOwnerSound::PlayEffect(std::string_view name) {
  if (!owner_.joinable()) {
    return;
  }
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) {
      const std::lock_guard lock(mutex_);
      wanted_ = static_cast<int>(i);
      asked_.notify_all();
    }
  }
}

void SdlOwnerSound::Own() {
  using Clock = std::chrono::steady_clock;
  bool open = false;
  bool loaded = false;
  Clock::time_point close_at;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (wanted_ < 0 && !(prepare_ && !loaded)) {
      if (open) {
        if (asked_.wait_until(lock, close_at) == std::cv_status::timeout && wanted_ < 0) {
          lock.unlock();
          library_->CloseAudio();
          library_->QuitSubSystem(SDL_INIT_AUDIO);
          lock.lock();
          open = false;
        }
      } else {
        asked_.wait(lock);
      }
      continue;
    }
    const int wanted = wanted_;
    wanted_ = -1;
    lock.unlock();
    if (!loaded) {
      loaded = true;
      std::string why;
      library_ = MixerLibrary::Get(why);
      if (library_ == nullptr) {
        std::fprintf(stderr, "headpop: no sound: %s\n", why.c_str());
      } else {
        library_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
      }
    }
    if (library_ != nullptr && !open) {
      open = library_->InitSubSystem(SDL_INIT_AUDIO) == 0 &&
             library_->OpenAudio(44100, AUDIO_S16SYS, 2, 512) == 0;
      if (open) {
        library_->AllocateChannels(1);
        for (std::size_t i = 0; i < kNames.size(); ++i) {
          if (chunks_[i] == nullptr) {
            chunks_[i] = library_->LoadWAV((folder_ + std::string(kNames[i])).c_str());
          }
        }
      } else {
        library_->QuitSubSystem(SDL_INIT_AUDIO);
      }
    }
    if (open && wanted >= 0 && chunks_[static_cast<std::size_t>(wanted)] != nullptr) {
      library_->PlayChannel(0, chunks_[static_cast<std::size_t>(wanted)], 0);
    }
    lock.lock();
    // Kept open a little past the longest effect.
    close_at = Clock::now() + std::chrono::seconds(1) + kCloseWhenQuietFor;
  }
  lock.unlock();
  if (library_ != nullptr) {
    for (Mix_Chunk*& chunk : chunks_) {
      if (chunk != nullptr) {
        library_->FreeChunk(chunk);
        chunk = nullptr;
      }
    }
    if (open) {
      library_->CloseAudio();
    }
    library_->Quit();
    library_->TLSCleanup();
  }
}

}  // namespace headpop
