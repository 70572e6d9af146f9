// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's two sound effects as WAV files into the folder given on the
// command line. Same bytes on every run: no clock, no random seed from outside.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "tools/soundgen/effects.h"
#include "tools/soundgen/wav.h"

namespace {

bool WriteWav(const std::filesystem::path& path, const std::vector<double>& samples) {
  const std::vector<uint8_t> bytes = soundgen::EncodeWav(samples, soundgen::kSampleRate);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "headpop-soundgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: headpop-soundgen OUTPUT_FOLDER\n");
    return 2;
  }
  const std::filesystem::path out(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) {
    std::fprintf(stderr, "headpop-soundgen: cannot create %s: %s\n", argv[1],
                 error.message().c_str());
    return 1;
  }
  bool ok = WriteWav(out / "fire.wav", soundgen::SynthesiseFire());
  ok = WriteWav(out / "explosion.wav", soundgen::SynthesiseExplosion()) && ok;
  return ok ? 0 : 1;
}
