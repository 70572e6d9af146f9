// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/effect_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "sound/sound_library.h"

namespace headpop {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

bool IsWave(int format) {
  const int major = format & SF_FORMAT_TYPEMASK;
  return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX;
}

}  // namespace

std::optional<DecodedEffect> DecodeEffectFile(const SoundLibrary& library, const std::string& path,
                                              std::string& why) {
  why.clear();
  // Non-blocking, and checked on the descriptor itself: whatever took the file's place
  // since detection, a FIFO or a device, is refused without waiting on it.
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) {
    why = std::strerror(errno);
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    why = "not an ordinary file";
    return std::nullopt;
  }
  // Deviation (see docs/deviations.md, "effect size limit").
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxEffectFileBytes) {
    why = "larger than " + std::to_string(kMaxEffectFileBytes) + " bytes";
    return std::nullopt;
  }
  SF_INFO format{};
  SNDFILE* sound = library.sf_open_fd(file.get(), SFM_READ, &format, SF_FALSE);
  if (sound == nullptr) {
    why = library.sf_strerror(nullptr);
    return std::nullopt;
  }
  DecodedEffect effect;
  effect.rate = format.samplerate;
  effect.channels = format.channels;
  if (!IsWave(format.format)) {
    why = "not a WAV file";
  } else if (format.channels <= 0 || format.samplerate <= 0) {
    why = "no channels or no sample rate";
  } else {
    const auto channels = static_cast<std::size_t>(format.channels);
    constexpr std::size_t kChunkSamples = 16384;
    const std::size_t chunk_frames = std::max<std::size_t>(1, kChunkSamples / channels);
    std::vector<int16_t> chunk(chunk_frames * channels);
    while (why.empty()) {
      const sf_count_t frames =
          library.sf_readf_short(sound, chunk.data(), static_cast<sf_count_t>(chunk_frames));
      if (frames <= 0) {
        break;  // the end, or as far as a truncated file goes
      }
      const std::size_t count = static_cast<std::size_t>(frames) * channels;
      // Deviation (see docs/deviations.md, "effect size limit"): the server's own limit.
      if ((effect.samples.size() + count) * sizeof(int16_t) > kMaxDecodedBytes) {
        why = "longer than " + std::to_string(kMaxDecodedBytes) + " bytes of sound";
      } else {
        effect.samples.insert(effect.samples.end(), chunk.begin(),
                              chunk.begin() + static_cast<std::ptrdiff_t>(count));
      }
    }
    if (why.empty() && effect.samples.empty()) {
      why = "holds no sound";
    }
  }
  library.sf_close(sound);
  if (!why.empty()) {
    return std::nullopt;
  }
  return effect;
}

}  // namespace headpop
