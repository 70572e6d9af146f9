#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sound/sound.h"

struct Mix_Chunk;

namespace headpop {

// Plays the two effects through SDL2_mixer on a single channel, so a new effect
// cuts off the one still playing. Both files are decoded once, at detection, from
// the program folder: a file removed later still plays, and the working folder
// does not matter.
class SdlSound final : public Sound {
 public:
  // Larger files are not decoded: an effect lasts a second or so, and decoding (and
  // resampling) a huge file would hold up start-up for seconds.
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{8} << 20U;  // 8 MiB

  explicit SdlSound(std::string program_folder);
  ~SdlSound() override;

  // Looks for the files; when both are there, opens audio and decodes them. The
  // result follows the files alone: without an audio device the game still
  // believes sound is on and every effect is silent.
  bool DetectSoundFiles() override;

  // Starts the named effect and returns at once; unknown names are ignored.
  void PlayEffect(std::string_view name) override;

 private:
  struct Effect {
    std::string_view name;
    Mix_Chunk* chunk = nullptr;
  };

  void OpenAudioAndLoad();
  void Shutdown();

  std::string folder_;
  bool subsystem_started_ = false;
  bool audio_open_ = false;
  std::array<Effect, 2> effects_{{{"explosion.wav"}, {"fire.wav"}}};
};

}  // namespace headpop
