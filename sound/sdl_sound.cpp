#include "sound/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

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

void ReportNoSound(const char* what) { std::fprintf(stderr, "headpop: no sound: %s\n", what); }

}  // namespace

SdlSound::SdlSound(std::string program_folder) : folder_(std::move(program_folder)) {
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
      // Channel 0 is the only one: playing on it halts whatever it was playing.
      Mix_PlayChannel(0, effect.chunk, 0);
      return;
    }
  }
}

void SdlSound::OpenAudioAndLoad() {
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Headpop");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportNoSound(SDL_GetError());
    return;
  }
  subsystem_started_ = true;
  if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
    ReportNoSound(Mix_GetError());
    return;
  }
  audio_open_ = true;
  Mix_AllocateChannels(1);
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
}

void SdlSound::Shutdown() {
  for (Effect& effect : effects_) {
    if (effect.chunk != nullptr) {
      Mix_FreeChunk(effect.chunk);  // halts the channel if it is playing this chunk
      effect.chunk = nullptr;
    }
  }
  if (audio_open_) {
    Mix_CloseAudio();
    Mix_Quit();
    audio_open_ = false;
  }
  if (subsystem_started_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystem_started_ = false;
  }
}

}  // namespace headpop
