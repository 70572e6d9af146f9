// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "sound/sound.h"

namespace headpop::bench {

// The sound back-end named by HEADPOP_BENCH_SOUND (pulse, canberra, sdl-owner, sdl-helper;
// pulse when unset), for the same program folder.
std::unique_ptr<Sound> MakeBenchSound(const char* folder);

}  // namespace headpop::bench
