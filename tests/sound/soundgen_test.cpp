// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <vector>

#include "tools/soundgen/effects.h"
#include "tools/soundgen/wav.h"

namespace soundgen {
namespace {

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8U) | (bytes[at + 2] << 16U) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24U);
}

uint16_t ReadU16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8U));
}

int16_t SampleAt(const std::vector<uint8_t>& wav, size_t index) {
  return static_cast<int16_t>(ReadU16(wav, 44 + 2 * index));
}

std::string TagAt(const std::vector<uint8_t>& bytes, size_t at) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(at),
          bytes.begin() + static_cast<std::ptrdiff_t>(at + 4)};
}

TEST(EncodeWavTest, WritesACanonicalHeaderAndClampedLittleEndianSamples) {
  const std::vector<uint8_t> wav = EncodeWav({0.0, 0.5, -1.0, 2.0, -3.0}, 22050);

  ASSERT_EQ(wav.size(), 44U + 10U);
  EXPECT_EQ(TagAt(wav, 0), "RIFF");
  EXPECT_EQ(ReadU32(wav, 4), wav.size() - 8);
  EXPECT_EQ(TagAt(wav, 8), "WAVE");
  EXPECT_EQ(TagAt(wav, 12), "fmt ");
  EXPECT_EQ(ReadU32(wav, 16), 16U);
  EXPECT_EQ(ReadU16(wav, 20), 1U);  // PCM
  EXPECT_EQ(ReadU16(wav, 22), 1U);  // mono
  EXPECT_EQ(ReadU32(wav, 24), 22050U);
  EXPECT_EQ(ReadU32(wav, 28), 44100U);  // bytes per second
  EXPECT_EQ(ReadU16(wav, 32), 2U);
  EXPECT_EQ(ReadU16(wav, 34), 16U);
  EXPECT_EQ(TagAt(wav, 36), "data");
  EXPECT_EQ(ReadU32(wav, 40), 10U);
  const std::vector<int16_t> expected = {0, 16384, -32767, 32767, -32767};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(SampleAt(wav, i), expected[i]) << "sample " << i;
  }
}

struct EffectCase {
  const char* name;
  std::vector<double> (*synthesise)();
  double max_seconds;
};

class EffectTest : public ::testing::TestWithParam<EffectCase> {};

double Rms(const std::vector<double>& s, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) {
    sum += s[i] * s[i];
  }
  return std::sqrt(sum / static_cast<double>(to - from));
}

// What a player hears as a clean effect: loud but not clipped, no offset, an
// instant start and a tail that dies to nothing without a click.
TEST_P(EffectTest, IsLoudCleanAndDiesAway) {
  const std::vector<double> s = GetParam().synthesise();
  const double seconds = static_cast<double>(s.size()) / kSampleRate;
  EXPECT_GT(seconds, 0.1);
  EXPECT_LT(seconds, GetParam().max_seconds);
  ASSERT_TRUE(std::all_of(s.begin(), s.end(), [](double x) { return std::isfinite(x); }));

  const auto loudest = std::max_element(
      s.begin(), s.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
  EXPECT_GT(std::abs(*loudest), 0.8);
  EXPECT_LT(std::abs(*loudest), 0.95);
  EXPECT_LT(static_cast<double>(loudest - s.begin()) / kSampleRate, 0.03) << "slow attack";

  const double mean = std::accumulate(s.begin(), s.end(), 0.0) / static_cast<double>(s.size());
  EXPECT_LT(std::abs(mean), 0.005);

  EXPECT_EQ(s.front(), 0.0);
  EXPECT_EQ(s.back(), 0.0);
  const size_t tail = kSampleRate / 200;  // the last 5 ms
  EXPECT_LT(Rms(s, s.size() - tail, s.size()), 0.003);
  const size_t quarter = s.size() / 4;
  EXPECT_GT(Rms(s, 0, quarter), 10.0 * Rms(s, 3 * quarter, s.size()));
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectTest,
                         ::testing::Values(EffectCase{"fire", &SynthesiseFire, 0.3},
                                           EffectCase{"explosion", &SynthesiseExplosion, 1.0}),
                         [](const auto& p) { return std::string(p.param.name); });

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct AssetCase {
  const char* label;
  const char* file;
  std::vector<double> (*synthesise)();
};

class CommittedAssetTest : public ::testing::TestWithParam<AssetCase> {};

// The committed files must be what the generator makes now; a sample may differ by
// one step where another maths library rounds differently.
TEST_P(CommittedAssetTest, MatchesTheGenerator) {
  const std::vector<uint8_t> committed =
      ReadFile(std::filesystem::path(HEADPOP_SOUND_ASSETS) / GetParam().file);
  const std::vector<uint8_t> fresh = EncodeWav(GetParam().synthesise(), kSampleRate);
  ASSERT_EQ(committed.size(), fresh.size()) << "run the regenerate-sounds target";
  ASSERT_TRUE(std::equal(fresh.begin(), fresh.begin() + 44, committed.begin()));
  int worst = 0;
  for (size_t i = 0; i < (fresh.size() - 44) / 2; ++i) {
    worst = std::max(worst, std::abs(SampleAt(fresh, i) - SampleAt(committed, i)));
  }
  EXPECT_LE(worst, 1) << "run the regenerate-sounds target";
}

INSTANTIATE_TEST_SUITE_P(Assets, CommittedAssetTest,
                         ::testing::Values(AssetCase{"fire", "fire.wav", &SynthesiseFire},
                                           AssetCase{"explosion", "explosion.wav",
                                                     &SynthesiseExplosion}),
                         [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace soundgen
