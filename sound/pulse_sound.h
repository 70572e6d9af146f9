// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sound/effect_file.h"
#include "sound/sound.h"

struct pa_context;
struct pa_mainloop_api;
struct pa_proplist;
struct pa_stream;
struct pa_threaded_mainloop;

namespace headpop {

struct SoundLibrary;

// Plays the two effects from the sound server's sample cache. Both are decoded once, from
// the program folder, and uploaded to the server once it is reached; a shot is then one
// play request, which the server mixes into its output. No stream is ever open, so there
// is nothing to open or close while the game runs, and nothing streams silence.
//
// The client library's thread sleeps in poll and runs the callbacks; the game thread takes
// its lock only to hand over a request, and never waits for the server. A server that is
// not there, or goes away, is tried again at the next effect asked for.
class PulseSound final : public Sound {
 public:
  explicit PulseSound(std::string program_folder);
  ~PulseSound() override;

  // Looks for the files, nothing more. The result follows the files alone: without a sound
  // server the game still believes sound is on and every effect is silent.
  bool DetectSoundFiles() override;

  // Plays the named effect, cutting off the one still playing, and returns at once;
  // unknown names are ignored.
  void PlayEffect(std::string_view name) override;

  // Loads the libraries, decodes the files and connects to the sound server, if the files
  // were found; returns without waiting for the server.
  void Prepare() override;

  // The connection as it stands, for tests.
  enum class Link : uint8_t {
    kNone,        // not prepared, no files, no library, or nothing decodable
    kConnecting,  // connecting, or uploading the effects
    kReady,       // both effects are in the server's cache
    kDown,        // no server, or it went away: tried again at the next effect
  };
  Link State();

 private:
  struct Effect {
    explicit Effect(std::string_view effect_name) : name(effect_name) {}
    std::string_view name;
    std::string sample;  // its name in the server's cache, unique to this process
    std::optional<DecodedEffect> sound;
    bool uploaded = false;
    PulseSound* owner = nullptr;
  };

  // Each reason for silence is said once per run.
  enum class Reason : uint8_t {
    kNoLibrary,
    kNoThread,
    kNoServer,
    kServerLost,
    kNotUploaded,
    kNotPlayed,
    kCount,
  };
  void Say(Reason reason, const std::string& text);

  // The following run with the client library's lock held.
  void ConnectSoon();
  static void Connect(pa_mainloop_api* api, void* self);
  void Reconnect();
  void Play(const Effect& effect);
  void UploadAll();
  void Upload(Effect& effect);
  void UploadEnded(Effect& effect, bool ok);
  void Ready();
  void RemoveSamples();
  static void ContextChanged(pa_context* context, void* self);
  static void UploadChanged(pa_stream* stream, void* effect);
  static void Started(pa_context* context, uint32_t index, void* self);
  static void Removed(pa_context* context, int success, void* self);

  std::string folder_;
  bool found_ = false;
  bool prepared_ = false;
  const SoundLibrary* library_ = nullptr;
  pa_threaded_mainloop* loop_ = nullptr;
  pa_proplist* play_properties_ = nullptr;
  std::array<Effect, 2> effects_{Effect("explosion.wav"), Effect("fire.wav")};
  std::array<bool, static_cast<std::size_t>(Reason::kCount)> said_{};

  // Guarded by the client library's lock.
  pa_context* context_ = nullptr;
  Link link_ = Link::kNone;
  bool was_ready_ = false;  // this connection had its effects uploaded
  int uploads_left_ = 0;
  const Effect* waiting_ = nullptr;  // asked for before the effects were uploaded
  uint32_t playing_ = UINT32_MAX;    // the server's index of the effect last started
  int starts_unanswered_ = 0;        // play requests whose index has not come back yet

  // The removal of the samples at exit, awaited for a moment.
  std::mutex removal_mutex_;
  std::condition_variable removal_done_;
  int removals_left_ = 0;
};

}  // namespace headpop
