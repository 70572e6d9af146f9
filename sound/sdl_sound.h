// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

struct MixerLibrary;

// Plays the two effects through SDL2_mixer on a single channel, so a new effect
// cuts off the one still playing. Both files are decoded once, from the program folder:
// a file removed later still plays, and the working folder does not matter.
//
// Detection only looks for the files. Loading the library, opening the device and decoding
// take the sound service tens of milliseconds, so a helper thread does them once the window
// is up (`Prepare`), or at the first effect asked for, whichever comes first.
class SdlSound final : public Sound {
 public:
  // Larger files are not decoded: an effect lasts a second or so, and decoding (and
  // resampling) a huge file would keep sound back for seconds.
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{8} << 20U;  // 8 MiB

  // An open device keeps the sound service streaming silence, which costs a few per cent
  // of a core and hundreds of wake-ups a second; so the device is closed once no effect
  // has sounded for this long, and the next effect opens it again (in a few ms). Both
  // wait on the sound service, so a helper thread does them, never the caller.
  static constexpr std::chrono::milliseconds kCloseWhenQuietFor{2000};

  explicit SdlSound(std::string program_folder,
                    std::chrono::milliseconds close_when_quiet_for = kCloseWhenQuietFor);
  ~SdlSound() override;

  // Looks for the files. The result follows the files alone: without a sound library or
  // an audio device the game still believes sound is on and every effect is silent.
  bool DetectSoundFiles() override;

  // Starts the named effect and returns at once; unknown names are ignored.
  void PlayEffect(std::string_view name) override;

  // Has the helper load the library, open the device and decode the files, if the files
  // were found; returns at once.
  void Prepare() override;

  // The device as the helper left it. Only while it is open may SDL_mixer's state be
  // looked at from another thread.
  enum class Device : uint8_t {
    kNotLoaded,    // no files, or not yet prepared
    kBusy,         // being loaded, opened or closed
    kOpen,         //
    kClosed,       // after a quiet spell
    kUnavailable,  // no library or no device: silent for the rest of the run
  };
  Device DeviceState();

 private:
  struct Effect {
    std::string_view name;
    Mix_Chunk* chunk = nullptr;
  };

  using Clock = std::chrono::steady_clock;

  // On the helper, without the mutex: loads the library, opens the device and decodes the
  // files; the device's bytes a second, or 0 when there is no sound to be had.
  int LoadAndOpen();
  // Without the mutex. Starts SDL's audio and opens the mixer with its one channel: the
  // bytes a second it plays, or 0 if it cannot (and then SDL's audio is stopped again).
  // The audio subsystem runs exactly while the device is open.
  int OpenDevice();
  void CloseDevice();
  void Shutdown();
  // With mutex_ held: the device has opened, playing this many bytes a second.
  void Opened(int bytes_per_second);
  // With mutex_ held and the device open.
  void Start(const Effect& effect);
  // The helper thread: loads and opens when asked, opens the device again for an effect
  // asked for while it was closed, and closes it once it has been quiet long enough.
  void ManageDevice();
  void ManageDeviceUntilStopped();

  std::string folder_;
  std::chrono::milliseconds close_when_quiet_for_;
  const MixerLibrary* library_ = nullptr;  // set by the helper before loaded_

  std::mutex mutex_;  // guards what follows, and every use of the device
  std::condition_variable changed_;
  std::thread helper_;
  bool stopping_ = false;
  bool prepare_asked_ = false;
  bool loaded_ = false;       // library loaded and files decoded
  bool unavailable_ = false;  // no sound to be had this run
  bool audio_open_ = false;
  bool busy_ = false;  // the helper is loading, opening or closing, without the mutex
  int bytes_per_second_ = 0;
  Clock::time_point close_at_;
  const Effect* waiting_ = nullptr;  // asked for while the device was not open
  Clock::time_point waiting_since_;
  std::array<Effect, 2> effects_{{{"explosion.wav"}, {"fire.wav"}}};
};

}  // namespace headpop
