// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "sound/sound.h"

struct ca_context;

namespace headpop {

// A trial back-end, measured against the others: the freedesktop event-sound library,
// which caches both effects in the sound server and plays them from there.
class CanberraSound final : public Sound {
 public:
  explicit CanberraSound(std::string program_folder);
  ~CanberraSound() override;

  bool DetectSoundFiles() override;
  void PlayEffect(std::string_view name) override;
  void Prepare() override;

 private:
  std::string Id(std::string_view name) const;

  std::string folder_;
  bool found_ = false;
  ca_context* context_ = nullptr;
};

}  // namespace headpop
