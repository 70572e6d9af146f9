// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace headpop {

struct SoundLibrary;

// One effect as the sound server takes it: 16-bit samples, channels interleaved, at the
// file's own rate and channel count (the server converts to its output when it plays).
struct DecodedEffect {
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;
};

// Larger files are not decoded: an effect lasts a second or so, and a huge file would keep
// sound back and hold its memory for nothing.
inline constexpr std::uintmax_t kMaxEffectFileBytes = std::uintmax_t{8} << 20U;  // 8 MiB
// The most decoded bytes a sound server keeps for one sample (PulseAudio's limit).
inline constexpr std::size_t kMaxDecodedBytes = std::size_t{16} << 20U;  // 16 MiB

// Reads a WAV file with the library's decoder. Empty, with the reason in `why`, when the
// path is not an ordinary file, is too large, is not a WAV file, cannot be decoded or
// holds no sound. Never blocks on a FIFO or a device.
std::optional<DecodedEffect> DecodeEffectFile(const SoundLibrary& library, const std::string& path,
                                              std::string& why);

}  // namespace headpop
