// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_library.h"

#include <dlfcn.h>

namespace headpop {
namespace {

void* OpenLibrary(const char* file_name, std::string& why) {
  void* handle = dlopen(file_name, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = dlerror();
    why = error != nullptr ? error : file_name;
  }
  return handle;
}

template <typename Function>
bool Find(void* handle, const char* file_name, const char* name, Function& function,
          std::string& why) {
  void* address = dlsym(handle, name);
  if (address == nullptr) {
    why = std::string(file_name) + " has no " + name;
    return false;
  }
  // dlsym hands out functions as object pointers; POSIX guarantees the round trip.
  function = reinterpret_cast<Function>(address);
  return true;
}

}  // namespace

std::optional<SoundLibrary> SoundLibrary::Open(const char* pulse_file, const char* sndfile_file,
                                               std::string& why) {
  // Kept open even when incomplete: nothing in them has run, and closing would gain nothing.
  void* pulse = OpenLibrary(pulse_file, why);
  if (pulse == nullptr) {
    return std::nullopt;
  }
  void* sndfile = OpenLibrary(sndfile_file, why);
  if (sndfile == nullptr) {
    return std::nullopt;
  }
  SoundLibrary l;
  bool complete = true;
#define HEADPOP_FIND(name) complete = complete && Find(pulse, pulse_file, #name, l.name, why);
  HEADPOP_PULSE_FUNCTIONS(HEADPOP_FIND)
#undef HEADPOP_FIND
#define HEADPOP_FIND(name) complete = complete && Find(sndfile, sndfile_file, #name, l.name, why);
  HEADPOP_SNDFILE_FUNCTIONS(HEADPOP_FIND)
#undef HEADPOP_FIND
  if (!complete) {
    return std::nullopt;
  }
  return l;
}

const SoundLibrary* SoundLibrary::Get(std::string& why) {
  struct Loaded {
    std::optional<SoundLibrary> library;
    std::string why;
  };
  static const Loaded loaded = [] {  // once per run, however many threads ask
    Loaded l;
    l.library = Open(kPulseFileName, kSndfileFileName, l.why);
    return l;
  }();
  if (!loaded.library) {
    why = loaded.why;
    return nullptr;
  }
  return &*loaded.library;
}

}  // namespace headpop
