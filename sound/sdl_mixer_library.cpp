// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sdl_mixer_library.h"

#include <dlfcn.h>

namespace headpop {
namespace {

// Looks `name` up in the library or its dependencies (SDL2 comes with SDL2_mixer).
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

std::optional<MixerLibrary> MixerLibrary::Open(const char* file_name, std::string& why) {
  void* handle = dlopen(file_name, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = dlerror();
    why = error != nullptr ? error : file_name;
    return std::nullopt;
  }
  MixerLibrary l;
  const auto find = [&](const char* name, auto& function) {
    return Find(handle, file_name, name, function, why);
  };
  const bool complete =
      find("SDL_SetHint", l.SetHint) && find("SDL_InitSubSystem", l.InitSubSystem) &&
      find("SDL_QuitSubSystem", l.QuitSubSystem) && find("SDL_GetError", l.GetError) &&
      find("SDL_TLSCleanup", l.TLSCleanup) && find("Mix_OpenAudio", l.OpenAudio) &&
      find("Mix_AllocateChannels", l.AllocateChannels) && find("Mix_QuerySpec", l.QuerySpec) &&
      find("Mix_LoadWAV", l.LoadWAV) && find("Mix_PlayChannel", l.PlayChannel) &&
      find("Mix_FreeChunk", l.FreeChunk) && find("Mix_CloseAudio", l.CloseAudio) &&
      find("Mix_Quit", l.Quit);
  // Kept open even when incomplete: nothing in it has run, and closing would gain nothing.
  if (!complete) {
    return std::nullopt;
  }
  return l;
}

const MixerLibrary* MixerLibrary::Get(std::string& why) {
  struct Loaded {
    std::optional<MixerLibrary> library;
    std::string why;
  };
  static const Loaded loaded = [] {  // once per run, however many threads ask
    Loaded l;
    l.library = Open(kFileName, l.why);
    return l;
  }();
  if (!loaded.library) {
    why = loaded.why;
    return nullptr;
  }
  return &*loaded.library;
}

}  // namespace headpop
