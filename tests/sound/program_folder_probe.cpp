// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints ProgramFolder(), so a test can start it through a symbolic link.
#include <cstdio>

#include "sound/sound_files.h"

int main() {
  std::printf("%s", headpop::ProgramFolder().c_str());
  return 0;
}
