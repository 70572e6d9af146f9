// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "sound/sound.h"

namespace headpop::bench {

// The game's own sound for the same program folder, with every PlayEffect call timed on
// the game thread; the figures are printed as "play_effect_us n=... median=... max=..."
// when it is destroyed.
std::unique_ptr<Sound> MakeTimedSound(const char* folder);

}  // namespace headpop::bench
