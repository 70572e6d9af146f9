#include "sound/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

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

void ReportNoSound(const char* what) { std::fprintf(stderr, "headpop: no sound: %s\n", what); }

// Opens the mixer with its one channel: the bytes a second it plays, or 0 if it cannot.
int OpenMixer() {
  if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
    ReportNoSound(Mix_GetError());
    return 0;
  }
  Mix_AllocateChannels(1);
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  return frequency * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
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
    OpenAudioAndLoad();
  }
  return found;
}

void SdlSound::PlayEffect(std::string_view name) {
  for (const Effect& effect : effects_) {
    if (effect.name == name && effect.chunk != nullptr) {
      const std::lock_guard lock(mutex_);
      if (audio_open_ && !busy_) {
        Start(effect);
      } else {
        // The helper opens the device, or finishes closing it first, then plays the
        // latest effect asked for.
        waiting_ = &effect;
        waiting_since_ = Clock::now();
        changed_.notify_all();
      }
      return;
    }
  }
}

SdlSound::Device SdlSound::DeviceState() {
  const std::lock_guard lock(mutex_);
  if (busy_) {
    return Device::kBusy;
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
  Mix_PlayChannel(0, effect.chunk, 0);
  const auto length = std::chrono::milliseconds(
      bytes_per_second_ > 0 ? int64_t{effect.chunk->alen} * 1000 / bytes_per_second_ : 0);
  close_at_ = Clock::now() + length + close_when_quiet_for_;
  changed_.notify_all();
}

void SdlSound::ManageDevice() {
  const auto timely = [this] {
    return waiting_ != nullptr && Clock::now() - waiting_since_ < kStillTimely;
  };
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!audio_open_ && !timely()) {
      waiting_ = nullptr;
      changed_.wait(lock);  // asleep until an effect is asked for
    } else if (!audio_open_) {
      busy_ = true;
      lock.unlock();
      const int bytes_per_second = OpenMixer();
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
      Mix_CloseAudio();
      lock.lock();
      busy_ = false;
      audio_open_ = false;
    }
  }
}

void SdlSound::OpenAudioAndLoad() {
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Headpop");
  // SDL would otherwise catch SIGINT and SIGTERM to post a quit event that only an SDL
  // event loop reads: the game would then ignore Ctrl+C and the session's SIGTERM.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportNoSound(SDL_GetError());
    return;
  }
  subsystem_started_ = true;
  const int bytes_per_second = OpenMixer();
  if (bytes_per_second == 0) {
    return;
  }
  Opened(bytes_per_second);
  // Deviation (see docs/deviations.md, "sounds by full path"): the files that detection
  // found are decoded here, once, from the program's folder, not looked up by bare name in
  // the working folder at play time.
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
    effect.chunk = Mix_LoadWAV(path.c_str());
    if (effect.chunk == nullptr) {
      std::fprintf(stderr, "headpop: no sound for %s: %s\n", path.c_str(), Mix_GetError());
    }
  }
  stopping_ = false;
  helper_ = std::thread([this] { ManageDevice(); });
}

void SdlSound::Shutdown() {
  if (helper_.joinable()) {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    helper_.join();  // after an open or a close under way, if any
  }
  waiting_ = nullptr;
  for (Effect& effect : effects_) {
    if (effect.chunk != nullptr) {
      Mix_FreeChunk(effect.chunk);  // halts the channel if it is playing this chunk
      effect.chunk = nullptr;
    }
  }
  if (audio_open_) {
    Mix_CloseAudio();
    audio_open_ = false;
  }
  if (subsystem_started_) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystem_started_ = false;
  }
}

}  // namespace headpop
