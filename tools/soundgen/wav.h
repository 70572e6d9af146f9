// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

// A complete RIFF/WAVE file of 16-bit PCM mono; samples are clamped to [-1, 1].
std::vector<uint8_t> EncodeWav(const std::vector<double>& samples, uint32_t sample_rate);

}  // namespace soundgen
