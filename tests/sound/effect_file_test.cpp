// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an effect: what is decoded, and what is refused, with its reason.
#include "sound/effect_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "sound/sound_library.h"
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

const SoundLibrary& Library() {
  std::string why;
  const SoundLibrary* library = SoundLibrary::Get(why);
  if (library == nullptr) {
    throw std::runtime_error(why);
  }
  return *library;
}

enum class Outcome { kDecodes, kRefused, kEither };

struct EffectCase {
  const char* label;
  std::function<void(const fs::path&)> make;
  Outcome outcome;
  const char* reason = "";  // part of the reason given for a refusal
};

std::function<void(const fs::path&)> Bytes(std::function<std::string()> bytes) {
  return [bytes = std::move(bytes)](const fs::path& at) { WriteBytes(at, bytes()); };
}

std::string ValidTone() { return ToneWav(44100, 1, 16, 4410); }

class EffectFileTest : public ::testing::TestWithParam<EffectCase> {};

// Whatever stands in a sound file's place, reading it ends: with the sound, or with a
// reason and nothing else.
TEST_P(EffectFileTest, DecodesOrRefusesWithAReason) {
  const TempDir temp;
  const fs::path path = temp.path() / "fire.wav";
  GetParam().make(path);
  std::string why;
  const auto effect = DecodeEffectFile(Library(), path.string(), why);
  switch (GetParam().outcome) {
    case Outcome::kDecodes:
      ASSERT_TRUE(effect.has_value()) << why;
      EXPECT_FALSE(effect->samples.empty());
      EXPECT_EQ(effect->samples.size() % static_cast<std::size_t>(effect->channels), 0U);
      break;
    case Outcome::kRefused:
      EXPECT_FALSE(effect.has_value());
      EXPECT_NE(why.find(GetParam().reason), std::string::npos) << why;
      break;
    case Outcome::kEither:
      EXPECT_TRUE(effect.has_value() || !why.empty());
      break;
  }
  EXPECT_FALSE(effect.has_value() && !why.empty()) << why;
}

// A Sun audio file, which the decoder reads well, but not a WAV file.
std::string SunAudio() {
  std::string out(".snd\0\0\0\x18\0\0\x10\0\0\0\0\x03\0\0\xac\x44\0\0\0\x01", 24);
  return out + std::string(4096, '\x10');
}

INSTANTIATE_TEST_SUITE_P(
    Files, EffectFileTest,
    ::testing::Values(
        EffectCase{"Shipped",
                   [](const fs::path& at) {
                     fs::copy_file(fs::path(HEADPOP_SOUND_ASSETS) / "fire.wav", at);
                   },
                   Outcome::kDecodes},
        EffectCase{"EightBitMono", Bytes([] { return ToneWav(22050, 1, 8, 22050); }),
                   Outcome::kDecodes},
        EffectCase{"FortyEightKilohertzStereo", Bytes([] { return ToneWav(48000, 2, 16, 48000); }),
                   Outcome::kDecodes},
        // About 5 MB: long enough to matter, small enough for a unit test.
        EffectCase{"Large", Bytes([] { return ToneWav(48000, 2, 16, 48000 * 28); }),
                   Outcome::kDecodes},
        EffectCase{"TooLarge", Bytes([] {
                     constexpr auto kFrames = kMaxEffectFileBytes / 4;
                     return ToneWav(48000, 2, 16, static_cast<uint32_t>(kFrames));
                   }),
                   Outcome::kRefused, "larger than 8388608 bytes"},
        EffectCase{"Empty", Bytes([] { return std::string(); }), Outcome::kRefused},
        EffectCase{"TruncatedHeader", Bytes([] { return ValidTone().substr(0, 30); }),
                   Outcome::kRefused},
        EffectCase{"HeaderWithoutSamples", Bytes([] { return ValidTone().substr(0, 44); }),
                   Outcome::kRefused},
        // How much of a cut file the decoder takes is its own business; it must end.
        EffectCase{"TruncatedData", Bytes([] {
                     const std::string full = ValidTone();
                     return full.substr(0, 44 + (full.size() - 44) / 2);
                   }),
                   Outcome::kEither},
        EffectCase{"DeclaresFourGigabytes", Bytes([] {
                     return WavHeader(44100, 2, 16, 0xFFFFFF00U) + RandomBytes(4096, 7);
                   }),
                   Outcome::kEither},
        EffectCase{"TextRenamed", Bytes([] {
                     std::string text;
                     for (int i = 0; i < 200; ++i) {
                       text += "This is a text file, not a sound.\n";
                     }
                     return text;
                   }),
                   Outcome::kRefused},
        EffectCase{"RandomBytes", Bytes([] { return RandomBytes(65536, 12345); }),
                   Outcome::kRefused},
        EffectCase{"RiffWithGarbage", Bytes([] {
                     const std::string riff("RIFF\x10\x00\x01\x00WAVE", 12);
                     return riff + RandomBytes(65536, 99);
                   }),
                   Outcome::kRefused},
        EffectCase{"OtherFormatRenamed", Bytes(SunAudio), Outcome::kRefused, "not a WAV file"},
        EffectCase{"Folder", [](const fs::path& at) { fs::create_directory(at); },
                   Outcome::kRefused, "not an ordinary file"},
        // Opened without waiting for a writer that never comes.
        EffectCase{"Fifo", [](const fs::path& at) { ASSERT_EQ(mkfifo(at.c_str(), 0600), 0); },
                   Outcome::kRefused, "not an ordinary file"},
        EffectCase{"Missing", [](const fs::path& /*at*/) {}, Outcome::kRefused,
                   "No such file or directory"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(EffectFileTest, KeepsTheFilesOwnRateChannelsAndSamples) {
  const TempDir temp;
  const fs::path path = temp.path() / "fire.wav";
  const std::string wav = ToneWav(22050, 2, 16, 300);
  WriteBytes(path, wav);
  std::string why = "the reason a file read before was refused";
  const auto effect = DecodeEffectFile(Library(), path.string(), why);
  ASSERT_TRUE(effect.has_value()) << why;
  EXPECT_EQ(why, "");
  EXPECT_EQ(effect->rate, 22050);
  EXPECT_EQ(effect->channels, 2);
  ASSERT_EQ(effect->samples.size(), 600U);
  for (std::size_t i = 0; i < effect->samples.size(); ++i) {
    const auto low = static_cast<uint8_t>(wav[44 + 2 * i]);
    const auto high = static_cast<uint8_t>(wav[44 + 2 * i + 1]);
    ASSERT_EQ(effect->samples[i], static_cast<int16_t>(low | (high << 8U))) << i;
  }
}

// Without a usable library the game goes on without sound, and says why.
TEST(SoundLibraryTest, ReportsALibraryThatIsMissingOrIncomplete) {
  std::string why;
  EXPECT_FALSE(SoundLibrary::Open("libheadpop-no-such-library.so.0", "libsndfile.so.1", why));
  EXPECT_NE(why.find("libheadpop-no-such-library.so.0"), std::string::npos) << why;
  why.clear();
  // The decoder alone has none of the server client's entry points.
  EXPECT_FALSE(SoundLibrary::Open("libsndfile.so.1", "libsndfile.so.1", why));
  EXPECT_EQ(why, "libsndfile.so.1 has no pa_threaded_mainloop_new");
}

TEST(SoundLibraryTest, FindsEveryEntryPointOfTheInstalledLibraries) {
  std::string why;
  const SoundLibrary* library = SoundLibrary::Get(why);
  ASSERT_NE(library, nullptr) << why;
  EXPECT_EQ(library, SoundLibrary::Get(why)) << "opened once";
  EXPECT_NE(library->pa_context_play_sample_with_proplist, nullptr);
  EXPECT_NE(library->sf_readf_short, nullptr);
}

}  // namespace
}  // namespace headpop
