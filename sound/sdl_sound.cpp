// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sdl_sound.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "sound/sdl_mixer_library.h"
#include "sound/sound_files.h"

namespace headpop {
namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
// 512 frames is about 12 ms: a shot should be heard as the mouse is clicked.
constexpr int kBufferFrames = 512;

// An effect still worth playing this long after it was asked for; later it would sound
// out of step with the game (closing the device can take the sound service a second).
constexpr std::chrono::milliseconds kStillTimely{100};

void ReportNoSound(const std::string& what) {
  std::fprintf(stderr, "headpop: no sound: %s\n", what.c_str());
}

}  // namespace

SdlSound::SdlSound(std::string program_folder, std::chrono::milliseconds close_when_quiet_for)
    : folder_(std::move(program_folder)), close_when_quiet_for_(close_when_quiet_for) {
  if (folder_.empty() || folder_.back() != '/') {
    folder_ += '/';
  }
}

SdlSound::~SdlSound() { Shutdown(); }

bool SdlSound::DetectSoundFiles() {
  Shutdown();
  const bool found = DetectSoundFilesIn(folder_);
  if (found) {
    stopping_ = false;
    helper_ = std::thread([this] { ManageDevice(); });
  }
  return found;
}

void SdlSound::Prepare() {
  if (!helper_.joinable()) {
    return;  // no files: nothing to prepare
  }
  const std::lock_guard lock(mutex_);
  prepare_asked_ = true;
  changed_.notify_all();
}

void SdlSound::PlayEffect(std::string_view name) {
  if (!helper_.joinable()) {
    return;
  }
  for (const Effect& effect : effects_) {
    if (effect.name != name) {
      continue;
    }
    const std::lock_guard lock(mutex_);
    if (unavailable_ || (loaded_ && effect.chunk == nullptr)) {
      return;  // no sound this run, or a file that would not decode
    }
    if (loaded_ && audio_open_ && !busy_) {
      Start(effect);
    } else {
      // The helper loads or opens the device, or finishes closing it first, then plays
      // the latest effect asked for.
      waiting_ = &effect;
      waiting_since_ = Clock::now();
      changed_.notify_all();
    }
    return;
  }
}

SdlSound::Device SdlSound::DeviceState() {
  const std::lock_guard lock(mutex_);
  if (unavailable_) {
    return Device::kUnavailable;
  }
  if (busy_) {
    return Device::kBusy;
  }
  if (!loaded_) {
    return Device::kNotLoaded;
  }
  return audio_open_ ? Device::kOpen : Device::kClosed;
}

void SdlSound::Opened(int bytes_per_second) {
  audio_open_ = true;
  bytes_per_second_ = bytes_per_second;
  close_at_ = Clock::now() + close_when_quiet_for_;
}

void SdlSound::Start(const Effect& effect) {
  // Channel 0 is the only one: playing on it halts whatever it was playing.
  library_->PlayChannel(0, effect.chunk, 0);
  const auto length = std::chrono::milliseconds(
      bytes_per_second_ > 0 ? int64_t{effect.chunk->alen} * 1000 / bytes_per_second_ : 0);
  close_at_ = Clock::now() + length + close_when_quiet_for_;
  changed_.notify_all();
}

int SdlSound::OpenDevice() {
  if (library_->InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportNoSound(library_->GetError());
    return 0;
  }
  if (library_->OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
    ReportNoSound(library_->GetError());
    library_->QuitSubSystem(SDL_INIT_AUDIO);  // not left running without a device either
    return 0;
  }
  library_->AllocateChannels(1);
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  library_->QuerySpec(&frequency, &format, &channels);
  return frequency * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
}

void SdlSound::CloseDevice() {
  library_->CloseAudio();
  // The whole audio subsystem goes, not only the device: without a sound server SDL's ALSA
  // back end polls for new devices ten times a second for as long as it is running.
  library_->QuitSubSystem(SDL_INIT_AUDIO);
}

int SdlSound::LoadAndOpen() {
  std::string why;
  library_ = MixerLibrary::Get(why);
  if (library_ == nullptr) {
    ReportNoSound(why);
    return 0;
  }
  library_->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Headpop");
  // SDL would otherwise catch SIGINT and SIGTERM to post a quit event that only an SDL
  // event loop reads: the game would then ignore Ctrl+C and the session's SIGTERM.
  library_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const int bytes_per_second = OpenDevice();
  if (bytes_per_second == 0) {
    return 0;
  }
  // Deviation (see docs/deviations.md, "sounds by full path"): the files that detection
  // found are decoded here, once, from the program's folder, not looked up by bare name in
  // the working folder at play time.
  // Deviation (see docs/deviations.md, "sounds decoded at start-up").
  for (Effect& effect : effects_) {
    const std::string path = folder_ + std::string(effect.name);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    // Deviation (see docs/deviations.md, "effect size limit").
    if (!error && size > kMaxFileBytes) {
      std::fprintf(stderr, "headpop: no sound for %s: larger than %ju bytes\n", path.c_str(),
                   kMaxFileBytes);
      continue;
    }
    effect.chunk = library_->LoadWAV(path.c_str());
    if (effect.chunk == nullptr) {
      std::fprintf(stderr, "headpop: no sound for %s: %s\n", path.c_str(), library_->GetError());
    }
  }
  return bytes_per_second;
}

void SdlSound::ManageDevice() {
  ManageDeviceUntilStopped();
  // SDL keeps an error buffer for every thread that calls it, and frees it by itself only
  // for threads it made.
  if (library_ != nullptr) {
    library_->TLSCleanup();
  }
}

void SdlSound::ManageDeviceUntilStopped() {
  const auto timely = [this] {
    return waiting_ != nullptr && Clock::now() - waiting_since_ < kStillTimely;
  };
  std::unique_lock lock(mutex_);
  // Nothing is loaded until the window is up or an effect is asked for.
  changed_.wait(lock, [this] { return stopping_ || prepare_asked_ || waiting_ != nullptr; });
  if (stopping_) {
    return;
  }
  busy_ = true;
  lock.unlock();
  const int loaded_bytes_per_second = LoadAndOpen();
  lock.lock();
  busy_ = false;
  if (loaded_bytes_per_second == 0) {
    unavailable_ = true;
    waiting_ = nullptr;
    return;
  }
  loaded_ = true;
  Opened(loaded_bytes_per_second);
  if (timely() && waiting_->chunk != nullptr) {
    Start(*waiting_);
  }
  waiting_ = nullptr;

  while (!stopping_) {
    if (!audio_open_ && !timely()) {
      waiting_ = nullptr;
      changed_.wait(lock);  // asleep until an effect is asked for
    } else if (!audio_open_) {
      busy_ = true;
      lock.unlock();
      const int bytes_per_second = OpenDevice();
      lock.lock();
      busy_ = false;
      if (bytes_per_second > 0) {
        Opened(bytes_per_second);
        if (timely()) {
          Start(*waiting_);
        }
      }
      waiting_ = nullptr;
    } else if (Clock::now() < close_at_) {
      changed_.wait_until(lock, close_at_);
    } else {
      busy_ = true;
      lock.unlock();
      CloseDevice();
      lock.lock();
      busy_ = false;
      audio_open_ = false;
    }
  }
}

void SdlSound::Shutdown() {
  if (helper_.joinable()) {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    helper_.join();  // after a load, an open or a close under way, if any
  }
  // The helper has ended: what it set is seen here without the mutex.
  waiting_ = nullptr;
  if (library_ != nullptr) {  // else nothing of SDL was ever started
    for (Effect& effect : effects_) {
      if (effect.chunk != nullptr) {
        library_->FreeChunk(effect.chunk);  // halts the channel if it is playing this chunk
        effect.chunk = nullptr;
      }
    }
    if (audio_open_) {
      CloseDevice();
    }
    library_->Quit();
  }
  audio_open_ = false;
  prepare_asked_ = false;
  loaded_ = false;
  unavailable_ = false;
}

}  // namespace headpop
