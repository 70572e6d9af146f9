// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace headpop {

// The folder that holds the running executable, without a trailing '/'; symbolic
// links are resolved, so a game started through a link finds its real folder.
// "" when the kernel will not tell.
std::string ProgramFolder();

// The name (without folder) of the ordinary file at `path`, spelled as the folder's
// listing stores it, or "" when there is none. Links are followed to decide what
// the entry is: a directory, a broken link or a device does not count.
std::string StoredFileName(const std::string& path);

// True when `folder` holds both "explosion.wav" and "fire.wav" as ordinary files
// with exactly those names.
bool DetectSoundFilesIn(std::string folder);

}  // namespace headpop
