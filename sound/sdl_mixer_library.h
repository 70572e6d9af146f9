// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <optional>
#include <string>

namespace headpop {

// The entry points of SDL2_mixer, and of SDL2 beneath it, that the game uses, looked up in
// the library when sound is first needed. Linked in the usual way, the two libraries and the
// forty-odd they bring (synthesisers, decoders, the sound servers' clients) would all be
// loaded and relocated before the window could open, to play two short files.
struct MixerLibrary {
  // The library's file name, as its package installs it.
  static constexpr const char* kFileName = "libSDL2_mixer-2.0.so.0";

  // Opens the library on the first call and keeps it for the rest of the run (unloading a
  // library whose threads may still run is not safe). Null, with the reason in `why`, when
  // it cannot be loaded. Safe to call from any thread.
  static const MixerLibrary* Get(std::string& why);

  // Opens a library by file name and looks every entry point up in it; empty, with the
  // reason in `why`, if the library or any entry point is missing.
  static std::optional<MixerLibrary> Open(const char* file_name, std::string& why);

  decltype(&SDL_SetHint) SetHint = nullptr;
  decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
  decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
  decltype(&SDL_GetError) GetError = nullptr;
  decltype(&SDL_TLSCleanup) TLSCleanup = nullptr;
  decltype(&Mix_OpenAudio) OpenAudio = nullptr;
  decltype(&Mix_AllocateChannels) AllocateChannels = nullptr;
  decltype(&Mix_QuerySpec) QuerySpec = nullptr;
  decltype(&Mix_LoadWAV) LoadWAV = nullptr;
  decltype(&Mix_PlayChannel) PlayChannel = nullptr;
  decltype(&Mix_FreeChunk) FreeChunk = nullptr;
  decltype(&Mix_CloseAudio) CloseAudio = nullptr;
  decltype(&Mix_Quit) Quit = nullptr;
};

}  // namespace headpop
