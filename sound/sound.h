// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace headpop {

// The game's two optional effects, seen from the window: found once at start-up,
// then started by file name without waiting for them.
class Sound {
 public:
  Sound() = default;
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;
  virtual ~Sound() = default;

  // True when both "explosion.wav" and "fire.wav" are in the program's folder.
  virtual bool DetectSoundFiles() = 0;

  // Starts the named effect ("fire.wav" or "explosion.wav") and returns at once;
  // an effect still playing is cut off.
  virtual void PlayEffect(std::string_view name) = 0;

  // The window is on the screen: a good moment to get the effects ready to play, without
  // waiting for it. Until then, only the files have been looked for.
  virtual void Prepare() {}
};

// No sound at all: detection finds nothing and playing does nothing.
class NullSound final : public Sound {
 public:
  bool DetectSoundFiles() override { return false; }
  void PlayEffect(std::string_view /*name*/) override {}
};

}  // namespace headpop
