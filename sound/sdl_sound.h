#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

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

  // An open device keeps the sound service streaming silence, which costs a few per cent
  // of a core and hundreds of wake-ups a second; so the device is closed once no effect
  // has sounded for this long, and the next effect opens it again (in a few ms). Both
  // wait on the sound service, so a helper thread does them, never the caller.
  static constexpr std::chrono::milliseconds kCloseWhenQuietFor{2000};

  explicit SdlSound(std::string program_folder,
                    std::chrono::milliseconds close_when_quiet_for = kCloseWhenQuietFor);
  ~SdlSound() override;

  // Looks for the files; when both are there, opens audio and decodes them. The
  // result follows the files alone: without an audio device the game still
  // believes sound is on and every effect is silent.
  bool DetectSoundFiles() override;

  // Starts the named effect and returns at once; unknown names are ignored.
  void PlayEffect(std::string_view name) override;

  // The device as the helper left it. Only while it is not busy may SDL_mixer's state be
  // looked at from another thread.
  enum class Device : uint8_t { kClosed, kBusy, kOpen };
  Device DeviceState();

 private:
  struct Effect {
    std::string_view name;
    Mix_Chunk* chunk = nullptr;
  };

  using Clock = std::chrono::steady_clock;

  void OpenAudioAndLoad();
  void Shutdown();
  // With mutex_ held: the device has opened, playing this many bytes a second.
  void Opened(int bytes_per_second);
  // With mutex_ held and the device open.
  void Start(const Effect& effect);
  // The helper thread: opens the device for an effect asked for while it was closed, and
  // closes it once it has been quiet long enough.
  void ManageDevice();

  std::string folder_;
  std::chrono::milliseconds close_when_quiet_for_;
  bool subsystem_started_ = false;

  std::mutex mutex_;  // guards what follows, and every use of the device
  std::condition_variable changed_;
  std::thread helper_;
  bool stopping_ = false;
  bool audio_open_ = false;
  bool busy_ = false;  // the helper is opening or closing the device, without the mutex
  int bytes_per_second_ = 0;
  Clock::time_point close_at_;
  const Effect* waiting_ = nullptr;  // asked for while the device was closed or busy
  Clock::time_point waiting_since_;
  std::array<Effect, 2> effects_{{{"explosion.wav"}, {"fire.wav"}}};
};

}  // namespace headpop
