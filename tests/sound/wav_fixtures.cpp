// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav_fixtures.h"

#include <cmath>
#include <numbers>

namespace headpop::test_support {
namespace {

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
  }
}

}  // namespace

std::string WavHeader(uint32_t sample_rate, uint16_t channels, uint16_t bits, uint32_t data_bytes) {
  const uint32_t block_align = channels * bits / 8U;
  std::string out = "RIFF";
  AppendLittleEndian(out, 36 + data_bytes, 4);
  out += "WAVEfmt ";
  AppendLittleEndian(out, 16, 4);
  AppendLittleEndian(out, 1, 2);
  AppendLittleEndian(out, channels, 2);
  AppendLittleEndian(out, sample_rate, 4);
  AppendLittleEndian(out, sample_rate * block_align, 4);
  AppendLittleEndian(out, block_align, 2);
  AppendLittleEndian(out, bits, 2);
  out += "data";
  AppendLittleEndian(out, data_bytes, 4);
  return out;
}

std::string ToneWav(uint32_t sample_rate, uint16_t channels, uint16_t bits, uint32_t frames) {
  const uint32_t data_bytes = frames * channels * (bits / 8U);
  std::string out = WavHeader(sample_rate, channels, bits, data_bytes);
  out.reserve(out.size() + data_bytes);
  for (uint32_t i = 0; i < frames; ++i) {
    const double value =
        0.25 * std::sin(2.0 * std::numbers::pi * 440.0 * i / static_cast<double>(sample_rate));
    for (uint16_t c = 0; c < channels; ++c) {
      if (bits == 8) {
        AppendLittleEndian(out, static_cast<uint32_t>(std::lround(128.0 + 127.0 * value)), 1);
      } else {
        const auto sample = static_cast<int16_t>(std::lround(32767.0 * value));
        AppendLittleEndian(out, static_cast<uint16_t>(sample), 2);
      }
    }
  }
  return out;
}

std::string RandomBytes(size_t count, uint32_t seed) {
  std::string out(count, '\0');
  uint32_t state = seed == 0 ? 1 : seed;
  for (char& c : out) {
    state ^= state << 13U;
    state ^= state >> 17U;
    state ^= state << 5U;
    c = static_cast<char>(state >> 24U);
  }
  return out;
}

}  // namespace headpop::test_support
