// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace headpop::test_support {

// A valid PCM WAV file holding a quiet 440 Hz tone; `bits` is 8 or 16.
std::string ToneWav(uint32_t sample_rate, uint16_t channels, uint16_t bits, uint32_t frames);

// The same header a PCM WAV file starts with, declaring `data_bytes` of samples.
std::string WavHeader(uint32_t sample_rate, uint16_t channels, uint16_t bits, uint32_t data_bytes);

// Bytes from a fixed seed, the same on every run.
std::string RandomBytes(size_t count, uint32_t seed);

}  // namespace headpop::test_support
