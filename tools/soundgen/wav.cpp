// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soundgen/wav.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace soundgen {
namespace {

// Written byte by byte: WAV is little-endian whatever the machine is.
class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Tag(std::string_view four) { out_.insert(out_.end(), four.begin(), four.end()); }
  void U16(uint16_t value) {
    out_.push_back(static_cast<uint8_t>(value & 0xFFU));
    out_.push_back(static_cast<uint8_t>(value >> 8U));
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value & 0xFFFFU));
    U16(static_cast<uint16_t>(value >> 16U));
  }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<double>& samples, uint32_t sample_rate) {
  constexpr uint16_t kChannels = 1;
  constexpr uint16_t kBitsPerSample = 16;
  constexpr uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
  const auto data_bytes = static_cast<uint32_t>(samples.size() * kBlockAlign);

  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  LittleEndianWriter w(out);
  w.Tag("RIFF");
  w.U32(36 + data_bytes);
  w.Tag("WAVE");
  w.Tag("fmt ");
  w.U32(16);
  w.U16(1);  // PCM
  w.U16(kChannels);
  w.U32(sample_rate);
  w.U32(sample_rate * kBlockAlign);
  w.U16(kBlockAlign);
  w.U16(kBitsPerSample);
  w.Tag("data");
  w.U32(data_bytes);
  for (const double sample : samples) {
    const double scaled = std::round(std::clamp(sample, -1.0, 1.0) * 32767.0);
    w.U16(static_cast<uint16_t>(static_cast<int16_t>(scaled)));
  }
  return out;
}

}  // namespace soundgen
