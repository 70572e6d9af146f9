// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/pulse_sound.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <utility>

#include "sound/sound_files.h"
#include "sound/sound_library.h"

namespace headpop {
namespace {

// How long the exit waits for the server to drop our samples: a server that does not
// answer by then does not hold the game up.
constexpr std::chrono::milliseconds kRemovalWait{500};

// Holds the client library's lock for one scope.
class Locked {
 public:
  Locked(const SoundLibrary& library, pa_threaded_mainloop* loop) : library_(library), loop_(loop) {
    library_.pa_threaded_mainloop_lock(loop_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  ~Locked() { library_.pa_threaded_mainloop_unlock(loop_); }

 private:
  const SoundLibrary& library_;
  pa_threaded_mainloop* loop_;
};

}  // namespace

PulseSound::PulseSound(std::string program_folder) : folder_(std::move(program_folder)) {
  if (folder_.empty() || folder_.back() != '/') {
    folder_ += '/';
  }
  // Named per process, so that two games on one server keep their own samples.
  for (Effect& effect : effects_) {
    effect.owner = this;
    effect.sample = "headpop-" + std::to_string(getpid()) + "-" + std::string(effect.name);
  }
}

PulseSound::~PulseSound() {
  if (loop_ == nullptr) {
    return;
  }
  const SoundLibrary& pa = *library_;
  {
    const Locked lock(pa, loop_);
    waiting_ = nullptr;
    RemoveSamples();
  }
  {
    std::unique_lock lock(removal_mutex_);
    removal_done_.wait_for(lock, kRemovalWait, [this] { return removals_left_ == 0; });
  }
  pa.pa_threaded_mainloop_stop(loop_);  // the thread has ended: no lock needed below
  if (context_ != nullptr) {
    pa.pa_context_set_state_callback(context_, nullptr, nullptr);
    pa.pa_context_disconnect(context_);
    pa.pa_context_unref(context_);
  }
  pa.pa_proplist_free(play_properties_);
  pa.pa_threaded_mainloop_free(loop_);
}

bool PulseSound::DetectSoundFiles() {
  found_ = DetectSoundFilesIn(folder_);
  return found_;
}

void PulseSound::Say(Reason reason, const std::string& text) {
  // Deviation (see docs/deviations.md, "reasons for silence"): once per run, on stderr.
  bool& said = said_.at(static_cast<std::size_t>(reason));
  if (!said) {
    said = true;
    std::fprintf(stderr, "headpop: no sound: %s\n", text.c_str());
  }
}

void PulseSound::Prepare() {
  if (!found_ || prepared_) {
    return;
  }
  prepared_ = true;
  std::string why;
  library_ = SoundLibrary::Get(why);
  if (library_ == nullptr) {
    Say(Reason::kNoLibrary, why);
    return;
  }
  const SoundLibrary& pa = *library_;
  bool any = false;
  // Deviation (see docs/deviations.md, "sounds by full path"): read from the program's folder.
  // Deviation (see docs/deviations.md, "sounds decoded at start-up"): read once, here.
  for (Effect& effect : effects_) {
    const std::string path = folder_ + std::string(effect.name);
    effect.sound = DecodeEffectFile(pa, path, why);
    if (!effect.sound) {
      // Deviation (see docs/deviations.md, "reasons for silence"): once, as it is read once.
      std::fprintf(stderr, "headpop: no sound for %s: %s\n", path.c_str(), why.c_str());
    }
    any = any || effect.sound.has_value();
  }
  if (!any) {
    return;
  }
  loop_ = pa.pa_threaded_mainloop_new();
  if (loop_ == nullptr) {
    Say(Reason::kNoThread, "cannot make the sound client's thread");
    return;
  }
  pa.pa_threaded_mainloop_set_name(loop_, "headpop-sound");
  if (pa.pa_threaded_mainloop_start(loop_) < 0) {
    Say(Reason::kNoThread, "cannot start the sound client's thread");
    pa.pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    return;
  }
  // The desktop's mixer shows and sets the game's effects as a game's sounds.
  play_properties_ = pa.pa_proplist_new();
  pa.pa_proplist_sets(play_properties_, PA_PROP_MEDIA_ROLE, "game");
  const Locked lock(pa, loop_);
  ConnectSoon();
}

void PulseSound::PlayEffect(std::string_view name) {
  if (!found_) {
    return;
  }
  for (const Effect& effect : effects_) {
    if (effect.name != name) {
      continue;
    }
    Prepare();  // at once, if the window has not asked yet
    if (loop_ == nullptr || !effect.sound) {
      return;  // no sound this run, or a file that would not decode: said already
    }
    const Locked lock(*library_, loop_);
    switch (link_) {
      case Link::kReady:
        Play(effect);
        break;
      case Link::kDown:
        ConnectSoon();
        [[fallthrough]];
      case Link::kConnecting:
      case Link::kNone:
        waiting_ = &effect;  // played once the effects are uploaded
        break;
    }
    return;
  }
}

PulseSound::Link PulseSound::State() {
  if (loop_ == nullptr) {
    return Link::kNone;
  }
  const Locked lock(*library_, loop_);
  return link_;
}

void PulseSound::ConnectSoon() {
  // Making a connection reads the client's configuration and asks the X server for the
  // sound server's address: the client library's thread does it, not the caller.
  link_ = Link::kConnecting;
  library_->pa_mainloop_api_once(library_->pa_threaded_mainloop_get_api(loop_), &Connect, this);
}

void PulseSound::Connect(pa_mainloop_api* /*api*/, void* self) {
  auto& sound = *static_cast<PulseSound*>(self);
  sound.Reconnect();
}

void PulseSound::Reconnect() {
  const SoundLibrary& pa = *library_;
  if (context_ != nullptr) {
    pa.pa_context_set_state_callback(context_, nullptr, nullptr);
    pa.pa_context_disconnect(context_);
    pa.pa_context_unref(context_);
  }
  context_ =
      pa.pa_context_new_with_proplist(pa.pa_threaded_mainloop_get_api(loop_), "Headpop", nullptr);
  if (context_ == nullptr) {
    Say(Reason::kNoServer, "cannot make a sound server connection");
    link_ = Link::kDown;
    return;
  }
  was_ready_ = false;
  uploads_left_ = 0;
  playing_ = PA_INVALID_INDEX;
  starts_unanswered_ = 0;
  pa.pa_context_set_state_callback(context_, &ContextChanged, this);
  // A game does not start a sound server of its own; a failure is told to ContextChanged.
  pa.pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
}

void PulseSound::ContextChanged(pa_context* context, void* self) {
  auto& sound = *static_cast<PulseSound*>(self);
  const SoundLibrary& pa = *sound.library_;
  switch (pa.pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
      sound.UploadAll();
      break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
      if (sound.was_ready_) {
        sound.Say(Reason::kServerLost, "the sound server went away");
      } else {
        sound.Say(Reason::kNoServer,
                  std::string("no sound server: ") + pa.pa_strerror(pa.pa_context_errno(context)));
      }
      sound.link_ = Link::kDown;
      sound.waiting_ = nullptr;
      break;
    default:
      break;
  }
}

void PulseSound::UploadAll() {
  // One count more than the uploads under way until all have been asked for, so that an
  // upload refused at once does not declare the others done.
  uploads_left_ = 1;
  for (Effect& effect : effects_) {
    effect.uploaded = false;
    if (effect.sound) {
      Upload(effect);
    }
  }
  --uploads_left_;
  if (uploads_left_ == 0 && link_ == Link::kConnecting) {
    Ready();
  }
}

void PulseSound::Upload(Effect& effect) {
  const SoundLibrary& pa = *library_;
  const DecodedEffect& sound = *effect.sound;
  // In the file's own rate and channels: the server converts as it plays, to whatever its
  // output is then.
  const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<uint32_t>(sound.rate),
                            static_cast<uint8_t>(sound.channels)};
  pa_channel_map map{};
  pa_stream* stream = nullptr;
  if (sound.channels <= static_cast<int>(PA_CHANNELS_MAX) && pa.pa_sample_spec_valid(&spec) != 0 &&
      pa.pa_channel_map_init_extend(&map, spec.channels, PA_CHANNEL_MAP_DEFAULT) != nullptr) {
    stream = pa.pa_stream_new(context_, effect.sample.c_str(), &spec, &map);
  }
  if (stream == nullptr) {
    Say(Reason::kNotUploaded, std::string(effect.name) + " has " + std::to_string(sound.channels) +
                                  " channels at " + std::to_string(sound.rate) +
                                  " Hz, which the server refuses");
    return;
  }
  pa.pa_stream_set_state_callback(stream, &UploadChanged, &effect);
  if (pa.pa_stream_connect_upload(stream, sound.samples.size() * sizeof(int16_t)) < 0) {
    Say(Reason::kNotUploaded, "the sound server would not take " + std::string(effect.name));
    pa.pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa.pa_stream_unref(stream);
    return;
  }
  ++uploads_left_;  // the stream keeps our reference until UploadChanged drops it
}

void PulseSound::UploadChanged(pa_stream* stream, void* effect_pointer) {
  auto& effect = *static_cast<Effect*>(effect_pointer);
  PulseSound& sound = *effect.owner;
  const SoundLibrary& pa = *sound.library_;
  switch (pa.pa_stream_get_state(stream)) {
    case PA_STREAM_READY: {
      // Copied by the library: the decoded effect stays ours for a later connection.
      const std::vector<int16_t>& samples = effect.sound->samples;
      pa.pa_stream_write(stream, samples.data(), samples.size() * sizeof(int16_t), nullptr, 0,
                         PA_SEEK_RELATIVE);
      pa.pa_stream_finish_upload(stream);  // a failure ends the stream, and is told here
      break;
    }
    case PA_STREAM_TERMINATED:  // the server has the sample
    case PA_STREAM_FAILED:
      sound.UploadEnded(effect, pa.pa_stream_get_state(stream) == PA_STREAM_TERMINATED);
      pa.pa_stream_unref(stream);
      break;
    default:
      break;
  }
}

void PulseSound::UploadEnded(Effect& effect, bool ok) {
  if (link_ != Link::kConnecting) {
    return;  // the connection that asked for it has gone
  }
  effect.uploaded = ok;
  if (!ok) {
    Say(Reason::kNotUploaded, "the sound server would not take " + std::string(effect.name));
  }
  if (--uploads_left_ == 0) {
    Ready();
  }
}

void PulseSound::Ready() {
  link_ = Link::kReady;
  was_ready_ = true;
  if (waiting_ != nullptr) {
    Play(*waiting_);
    waiting_ = nullptr;
  }
}

void PulseSound::Play(const Effect& effect) {
  const SoundLibrary& pa = *library_;
  if (!effect.uploaded) {
    return;
  }
  // The effect still playing is cut off. If its index has not come back yet, Started
  // ends it when it does.
  if (playing_ != PA_INVALID_INDEX) {
    if (pa_operation* op = pa.pa_context_kill_sink_input(context_, playing_, nullptr, nullptr)) {
      pa.pa_operation_unref(op);
    }
    playing_ = PA_INVALID_INDEX;
  }
  if (pa_operation* op = pa.pa_context_play_sample_with_proplist(
          context_, effect.sample.c_str(), nullptr, PA_VOLUME_INVALID, play_properties_, &Started,
          this)) {
    ++starts_unanswered_;
    pa.pa_operation_unref(op);
  }
}

void PulseSound::Started(pa_context* context, uint32_t index, void* self) {
  auto& sound = *static_cast<PulseSound*>(self);
  const SoundLibrary& pa = *sound.library_;
  // Answers come in the order of the requests: one with more still to come was
  // superseded while it was on its way, and is cut off at once.
  const bool superseded = --sound.starts_unanswered_ > 0;
  if (index == PA_INVALID_INDEX) {
    sound.Say(Reason::kNotPlayed, std::string("the sound server did not play an effect: ") +
                                      pa.pa_strerror(pa.pa_context_errno(context)));
  } else if (superseded) {
    if (pa_operation* op = pa.pa_context_kill_sink_input(context, index, nullptr, nullptr)) {
      pa.pa_operation_unref(op);
    }
  } else {
    sound.playing_ = index;
  }
}

void PulseSound::RemoveSamples() {
  const SoundLibrary& pa = *library_;
  if (context_ == nullptr || pa.pa_context_get_state(context_) != PA_CONTEXT_READY) {
    return;
  }
  for (const Effect& effect : effects_) {
    if (!effect.uploaded) {
      continue;
    }
    if (pa_operation* op =
            pa.pa_context_remove_sample(context_, effect.sample.c_str(), &Removed, this)) {
      const std::lock_guard lock(removal_mutex_);
      ++removals_left_;
      pa.pa_operation_unref(op);
    }
  }
}

void PulseSound::Removed(pa_context* /*context*/, int /*success*/, void* self) {
  auto& sound = *static_cast<PulseSound*>(self);
  const std::lock_guard lock(sound.removal_mutex_);
  --sound.removals_left_;
  sound.removal_done_.notify_all();
}

}  // namespace headpop
