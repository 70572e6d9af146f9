// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "sound/sdl_mixer_library.h"
#include "temp_dir.h"
#include "wav_fixtures.h"

namespace headpop {
namespace {

namespace fs = std::filesystem;
using test_support::RandomBytes;
using test_support::TempDir;
using test_support::ToneWav;
using test_support::WavHeader;
using test_support::WriteBytes;

void CopyGeneratedSounds(const fs::path& folder) {
  for (const char* name : {"fire.wav", "explosion.wav"}) {
    fs::copy_file(fs::path(HEADPOP_SOUND_ASSETS) / name, folder / name,
                  fs::copy_options::overwrite_existing);
  }
}

bool AudioIsOpen() {
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

// Polls until the one channel has gone quiet; false if it still plays at the deadline.
bool FallsSilentWithin(std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Mix_Playing(0) != 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Polls until the helper has left the device as asked; false if not so by the deadline.
bool DeviceBecomes(SdlSound& sound, SdlSound::Device state, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (sound.DeviceState() != state) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// Asks for the sound to be made ready, as the window does once it is up, and waits for it.
bool MadeReady(SdlSound& sound) {
  sound.Prepare();
  return DeviceBecomes(sound, SdlSound::Device::kOpen, std::chrono::seconds(10));
}

// The dummy driver consumes audio in real time without any device, so playback
// can be observed on a machine without sound.
class SdlSoundTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override {
    // Every SdlSound has been destroyed by now: nothing of SDL may be left running.
    EXPECT_FALSE(AudioIsOpen());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
  }

  TempDir temp_;
};

TEST_F(SdlSoundTest, PlaysEachEffectOnceOnOneChannel) {
  CopyGeneratedSounds(temp_.path());
  // Decoys in the working folder: a player that looked files up by bare name
  // would load these and stay silent.
  const TempDir elsewhere;
  WriteBytes(elsewhere.path() / "fire.wav", "");
  WriteBytes(elsewhere.path() / "explosion.wav", "");
  const test_support::ScopedWorkingFolder in_elsewhere(elsewhere.path());

  SdlSound sound(temp_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  // Detection only looks: the library and the device wait for the window.
  EXPECT_EQ(sound.DeviceState(), SdlSound::Device::kNotLoaded);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
  ASSERT_TRUE(MadeReady(sound));
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
  EXPECT_EQ(frequency, 44100);
  EXPECT_EQ(format, AUDIO_S16SYS);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(Mix_AllocateChannels(-1), 1);

  sound.PlayEffect("fire.wav");
  // Still playing once the call has returned: the call does not wait for the end.
  EXPECT_NE(Mix_Playing(0), 0);
  const Mix_Chunk* fire = Mix_GetChunk(0);
  ASSERT_NE(fire, nullptr);

  sound.PlayEffect("explosion.wav");
  EXPECT_NE(Mix_Playing(0), 0);
  const Mix_Chunk* explosion = Mix_GetChunk(0);
  ASSERT_NE(explosion, nullptr);
  EXPECT_NE(explosion, fire) << "the explosion must replace the shot";
  EXPECT_GT(explosion->alen, fire->alen);

  // Under a second of sound: if it looped it would still be playing.
  EXPECT_TRUE(FallsSilentWithin(std::chrono::seconds(10)));
}

// An open device streams silence for ever, so a quiet one is closed, and every effect
// still plays afterwards, from the start, as often as it is asked for.
TEST_F(SdlSoundTest, ClosesTheQuietDeviceAndOpensItForTheNextEffect) {
  using Device = SdlSound::Device;
  CopyGeneratedSounds(temp_.path());
  SdlSound sound(temp_.path().string(), std::chrono::milliseconds(20));
  ASSERT_TRUE(sound.DetectSoundFiles());
  ASSERT_TRUE(MadeReady(sound));
  for (const char* name : {"fire.wav", "explosion.wav", "fire.wav"}) {
    ASSERT_TRUE(DeviceBecomes(sound, Device::kClosed, std::chrono::seconds(10))) << name;
    EXPECT_FALSE(AudioIsOpen()) << name;
    // Nothing of SDL's audio left running: no device, and no back end polling for one.
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U) << name;
    sound.PlayEffect(name);
    ASSERT_TRUE(DeviceBecomes(sound, Device::kOpen, std::chrono::seconds(10))) << name;
    EXPECT_NE(Mix_Playing(0), 0) << name;
    EXPECT_EQ(Mix_AllocateChannels(-1), 1) << name;
  }
  // Kept open while it sounds: the explosion lasts most of a second.
  sound.PlayEffect("explosion.wav");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(sound.DeviceState(), Device::kOpen);
  EXPECT_NE(Mix_Playing(0), 0);
  EXPECT_TRUE(DeviceBecomes(sound, Device::kClosed, std::chrono::seconds(10)));
}

// Before the window is up an effect has to wait for the library, the device and the
// decoding; it still plays.
TEST_F(SdlSoundTest, AnEffectAskedForBeforeTheWindowIsUpStillPlays) {
  CopyGeneratedSounds(temp_.path());
  SdlSound sound(temp_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.PlayEffect("fire.wav");
  ASSERT_TRUE(DeviceBecomes(sound, SdlSound::Device::kOpen, std::chrono::seconds(10)));
  EXPECT_NE(Mix_Playing(0), 0);
  sound.Prepare();  // too late to matter, and harmless
  EXPECT_EQ(sound.DeviceState(), SdlSound::Device::kOpen);
}

TEST_F(SdlSoundTest, PlaysFilesRemovedAfterStartUp) {
  CopyGeneratedSounds(temp_.path());
  SdlSound sound(temp_.path().string() + "/");
  ASSERT_TRUE(sound.DetectSoundFiles());
  ASSERT_TRUE(MadeReady(sound));
  fs::remove(temp_.path() / "fire.wav");
  fs::remove(temp_.path() / "explosion.wav");

  sound.PlayEffect("explosion.wav");
  EXPECT_NE(Mix_Playing(0), 0);
}

TEST_F(SdlSoundTest, IgnoresOtherNames) {
  CopyGeneratedSounds(temp_.path());
  SdlSound sound(temp_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  ASSERT_TRUE(MadeReady(sound));
  for (const char* name : {"", "FIRE.WAV", "fire", "boom.wav", "explosion.wav "}) {
    sound.PlayEffect(name);
    EXPECT_EQ(Mix_Playing(0), 0) << '"' << name << '"';
  }
}

TEST_F(SdlSoundTest, LeavesAudioClosedWithoutTheFiles) {
  WriteBytes(temp_.path() / "fire.wav", ToneWav(44100, 1, 16, 4410));
  SdlSound sound(temp_.path().string());
  EXPECT_FALSE(sound.DetectSoundFiles());
  sound.Prepare();
  sound.PlayEffect("fire.wav");
  EXPECT_EQ(sound.DeviceState(), SdlSound::Device::kNotLoaded);
  EXPECT_FALSE(AudioIsOpen());
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
}

TEST_F(SdlSoundTest, WithoutAnAudioDeviceStaysOnButSilent) {
  setenv("SDL_AUDIODRIVER", "headpop-no-such-driver", 1);
  CopyGeneratedSounds(temp_.path());
  SdlSound sound(temp_.path().string());

  ::testing::internal::CaptureStderr();
  const bool found = sound.DetectSoundFiles();
  sound.Prepare();
  const bool given_up =
      DeviceBecomes(sound, SdlSound::Device::kUnavailable, std::chrono::seconds(10));
  const std::string errors = ::testing::internal::GetCapturedStderr();

  EXPECT_TRUE(found) << "sound on follows the files, not the device";
  EXPECT_TRUE(given_up);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U) << "nothing of SDL's audio left running";
  EXPECT_NE(errors.find("headpop: no sound"), std::string::npos) << errors;
  EXPECT_FALSE(AudioIsOpen());
  sound.PlayEffect("fire.wav");
  sound.PlayEffect("explosion.wav");
  // Silent because nothing opened: SDL_mixer must not be asked about channels here, as
  // it reads the channels a closed device left behind.
  EXPECT_FALSE(AudioIsOpen());
}

enum class Outcome { kPlays, kSilent, kEither };

struct HostileFile {
  const char* label;
  std::function<std::string()> bytes;
  Outcome fire;
};

class HostileFileTest : public SdlSoundTest, public ::testing::WithParamInterface<HostileFile> {};

// A bad fire.wav beside a good explosion.wav: the game keeps its sound on, the bad
// effect is at worst silent, and the good one still plays.
TEST_P(HostileFileTest, NeverBreaksTheOtherEffect) {
  CopyGeneratedSounds(temp_.path());
  WriteBytes(temp_.path() / "fire.wav", GetParam().bytes());
  SdlSound sound(temp_.path().string());

  ::testing::internal::CaptureStderr();
  const bool found = sound.DetectSoundFiles();
  const bool ready = MadeReady(sound);
  ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(found);
  ASSERT_TRUE(ready);

  sound.PlayEffect("fire.wav");
  switch (GetParam().fire) {
    case Outcome::kPlays:
      EXPECT_NE(Mix_Playing(0), 0);
      break;
    case Outcome::kSilent:
      EXPECT_EQ(Mix_Playing(0), 0);
      break;
    case Outcome::kEither:
      break;
  }
  sound.PlayEffect("explosion.wav");
  EXPECT_NE(Mix_Playing(0), 0);
}

std::string ValidTone() { return ToneWav(44100, 1, 16, 4410); }

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFileTest,
    ::testing::Values(
        HostileFile{"Empty", [] { return std::string(); }, Outcome::kSilent},
        HostileFile{"TruncatedHeader", [] { return ValidTone().substr(0, 30); }, Outcome::kSilent},
        // How much of a short file SDL accepts is its own business; it must not crash.
        HostileFile{"TruncatedData",
                    [] {
                      const std::string full = ValidTone();
                      return full.substr(0, 44 + (full.size() - 44) / 2);
                    },
                    Outcome::kEither},
        HostileFile{"HeaderWithoutSamples", [] { return ValidTone().substr(0, 44); },
                    Outcome::kEither},
        HostileFile{"DeclaresFourGigabytes",
                    [] { return WavHeader(44100, 2, 16, 0xFFFFFF00U) + RandomBytes(4096, 7); },
                    Outcome::kEither},
        HostileFile{"TextRenamed",
                    [] {
                      std::string text;
                      for (int i = 0; i < 200; ++i) {
                        text += "This is a text file, not a sound.\n";
                      }
                      return text;
                    },
                    Outcome::kSilent},
        HostileFile{"RandomBytes", [] { return RandomBytes(65536, 12345); }, Outcome::kSilent},
        HostileFile{"RiffWithGarbage",
                    [] {
                      const std::string riff("RIFF\x10\x00\x01\x00WAVE", 12);
                      return riff + RandomBytes(65536, 99);
                    },
                    Outcome::kSilent},
        HostileFile{"EightBitMono", [] { return ToneWav(22050, 1, 8, 22050); }, Outcome::kPlays},
        HostileFile{"FortyEightKilohertzStereo", [] { return ToneWav(48000, 2, 16, 48000); },
                    Outcome::kPlays},
        // About 5 MB: long enough to be decoded and converted, small enough for a unit test.
        HostileFile{"Large", [] { return ToneWav(48000, 2, 16, 48000 * 28); }, Outcome::kPlays},
        // Just over the limit: skipped rather than holding up start-up.
        HostileFile{"TooLarge",
                    [] {
                      constexpr auto kFrames = SdlSound::kMaxFileBytes / 4;
                      return ToneWav(48000, 2, 16, static_cast<uint32_t>(kFrames));
                    },
                    Outcome::kSilent}),
    [](const auto& p) { return std::string(p.param.label); });

// Without a usable library the game goes on without sound, and says why.
TEST(MixerLibraryTest, ReportsALibraryThatIsMissingOrIncomplete) {
  std::string why;
  EXPECT_FALSE(MixerLibrary::Open("libheadpop-no-such-library.so.0", why));
  EXPECT_NE(why.find("libheadpop-no-such-library.so.0"), std::string::npos) << why;
  why.clear();
  // SDL2 alone has the SDL entry points but none of the mixer's.
  EXPECT_FALSE(MixerLibrary::Open("libSDL2-2.0.so.0", why));
  EXPECT_EQ(why, "libSDL2-2.0.so.0 has no Mix_OpenAudio");
}

TEST(MixerLibraryTest, FindsEveryEntryPointOfTheInstalledLibrary) {
  std::string why;
  const MixerLibrary* library = MixerLibrary::Get(why);
  ASSERT_NE(library, nullptr) << why;
  EXPECT_EQ(library, MixerLibrary::Get(why)) << "opened once";
  // The very functions this program was built against.
  EXPECT_EQ(library->OpenAudio, &Mix_OpenAudio);
  EXPECT_EQ(library->PlayChannel, &Mix_PlayChannel);
  EXPECT_EQ(library->InitSubSystem, &SDL_InitSubSystem);
}

}  // namespace
}  // namespace headpop
