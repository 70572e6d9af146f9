// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "sound/sound_files.h"
#include "temp_dir.h"

namespace headpop {
namespace {

namespace fs = std::filesystem;

std::string OutputOf(const fs::path& program) {
  const std::string command = "'" + program.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return "<popen failed>";
  }
  std::string output;
  std::array<char, 256> buffer{};
  while (const size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
    output.append(buffer.data(), n);
  }
  pclose(pipe);
  return output;
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningBinary) {
  EXPECT_EQ(ProgramFolder(), fs::canonical(HEADPOP_TEST_BINARY_DIR).string());
}

// The game may be started through a link in a bin/ folder; its sounds sit beside
// the real executable, not beside the link.
TEST(ProgramFolderTest, FollowsTheLinkTheProgramWasStartedThrough) {
  const test_support::TempDir temp;
  const fs::path probe = fs::canonical(HEADPOP_PROBE_PATH);
  fs::create_directory(temp.path() / "bin");
  fs::create_symlink(probe, temp.path() / "bin" / "headpop");

  EXPECT_EQ(OutputOf(temp.path() / "bin" / "headpop"), probe.parent_path().string());
}

}  // namespace
}  // namespace headpop
