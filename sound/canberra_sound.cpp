// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/canberra_sound.h"

#include <canberra.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "sound/sound_files.h"

namespace headpop {

CanberraSound::CanberraSound(std::string program_folder) : folder_(std::move(program_folder)) {
  if (folder_.empty() || folder_.back() != '/') {
    folder_ += '/';
  }
}

CanberraSound::~CanberraSound() {
  if (context_ != nullptr) {
    ca_context_destroy(context_);
  }
}

bool CanberraSound::DetectSoundFiles() {
  found_ = DetectSoundFilesIn(folder_);
  return found_;
}

std::string CanberraSound::Id(std::string_view name) const {
  return "headpop-" + std::to_string(getpid()) + "-" + std::string(name);
}

void CanberraSound::Prepare() {
  if (!found_ || context_ != nullptr) {
    return;
  }
  if (ca_context_create(&context_) != CA_SUCCESS) {
    context_ = nullptr;
    return;
  }
  ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Headpop", nullptr);
  const int opened = ca_context_open(context_);
  if (opened != CA_SUCCESS) {
    std::fprintf(stderr, "headpop: no sound: %s\n", ca_strerror(opened));
  }
  for (const char* name : {"explosion.wav", "fire.wav"}) {
    const std::string path = folder_ + name;
    const int cached = ca_context_cache(context_, CA_PROP_EVENT_ID, Id(name).c_str(),
                                        CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
    if (cached != CA_SUCCESS) {
      std::fprintf(stderr, "headpop: no sound for %s: %s\n", path.c_str(), ca_strerror(cached));
    }
  }
}

void CanberraSound::PlayEffect(std::string_view name) {
  if (!found_ || (name != "fire.wav" && name != "explosion.wav")) {
    return;
  }
  Prepare();
  if (context_ == nullptr) {
    return;
  }
  const std::string path = folder_ + std::string(name);
  ca_context_cancel(context_, 1);
  ca_context_play(context_, 1, CA_PROP_EVENT_ID, Id(name).c_str(), CA_PROP_MEDIA_FILENAME,
                  path.c_str(), CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
}

}  // namespace headpop
