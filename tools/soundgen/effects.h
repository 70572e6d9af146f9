// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

inline constexpr uint32_t kSampleRate = 44100;

// The shot on a miss: a sharp noise crack whose pitch drops fast. Mono, in [-1, 1].
std::vector<double> SynthesiseFire();

// A hit: an impact, a low boom and a rumble of filtered noise dying away.
std::vector<double> SynthesiseExplosion();

}  // namespace soundgen
