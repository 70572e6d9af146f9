// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_dir.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace headpop::test_support {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "headpop-sound-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed for " + pattern);
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

ScopedWorkingFolder::ScopedWorkingFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

ScopedWorkingFolder::~ScopedWorkingFolder() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace headpop::test_support
