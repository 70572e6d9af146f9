// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <system_error>

namespace headpop {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return {};
  }
  return exe.parent_path().string();
}

std::string StoredFileName(const std::string& path) {
  const std::filesystem::path full(path);
  const std::string name = full.filename().string();
  if (name.empty()) {
    return {};
  }
  const std::string folder = full.has_parent_path() ? full.parent_path().string() : ".";
  const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) {
    return {};
  }
  // Kept on purpose (see docs/deviations.md, "letter case"): match against the listing
  // rather than asking open() or stat() by name, which a case-insensitive file system
  // would answer for a stored "FIRE.WAV" too.
  // Kept on purpose (see docs/deviations.md, "hidden files"): nothing to filter out.
  while (const dirent* entry = readdir(dir.get())) {
    if (name != entry->d_name) {
      continue;
    }
    // stat, not open: a FIFO of that name must not block the game.
    struct stat info {};
    if (fstatat(dirfd(dir.get()), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode)) {
      return entry->d_name;
    }
    return {};
  }
  return {};
}

bool DetectSoundFilesIn(std::string folder) {
  // Deviation (see docs/deviations.md, "folder blanks"): blanks are ordinary name
  // characters on Linux, so the folder is not trimmed; trimming would look elsewhere.
  if (folder.empty() || folder.back() != '/') {
    folder += '/';
  }
  // Both files are always looked up, explosion first.
  const std::string explosion = StoredFileName(folder + "explosion.wav");
  const std::string fire = StoredFileName(folder + "fire.wav");
  return explosion == "explosion.wav" && fire == "fire.wav";
}

}  // namespace headpop
