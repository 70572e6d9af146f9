// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pulse/pulseaudio.h>
#include <sndfile.h>

#include <optional>
#include <string>

namespace headpop {

// The entry points of the sound server's client library and of the file decoder, looked up
// when sound is first needed, after the window's first frame. Linked in the usual way, the
// two and the twenty-odd libraries they bring (codecs, the bus and X clients) would be
// loaded and relocated before the window could open: 3.5 ms and 1.1 MB of start-up.
// clang-format off
#define HEADPOP_PULSE_FUNCTIONS(X) \
  X(pa_threaded_mainloop_new) X(pa_threaded_mainloop_free) X(pa_threaded_mainloop_start) \
  X(pa_threaded_mainloop_stop) X(pa_threaded_mainloop_lock) X(pa_threaded_mainloop_unlock) \
  X(pa_threaded_mainloop_get_api) X(pa_threaded_mainloop_set_name) X(pa_mainloop_api_once) \
  X(pa_context_new_with_proplist) X(pa_context_unref) X(pa_context_connect) \
  X(pa_context_disconnect) X(pa_context_set_state_callback) X(pa_context_get_state) \
  X(pa_context_errno) X(pa_context_play_sample_with_proplist) X(pa_context_kill_sink_input) \
  X(pa_context_remove_sample) X(pa_stream_new) X(pa_stream_unref) \
  X(pa_stream_connect_upload) X(pa_stream_write) X(pa_stream_finish_upload) \
  X(pa_stream_set_state_callback) X(pa_stream_get_state) X(pa_operation_unref) \
  X(pa_proplist_new) X(pa_proplist_free) X(pa_proplist_sets) X(pa_channel_map_init_extend) \
  X(pa_sample_spec_valid) X(pa_strerror)

#define HEADPOP_SNDFILE_FUNCTIONS(X) X(sf_open_fd) X(sf_readf_short) X(sf_close) X(sf_strerror)
// clang-format on

struct SoundLibrary {
  // The libraries' file names, as their packages install them.
  static constexpr const char* kPulseFileName = "libpulse.so.0";
  static constexpr const char* kSndfileFileName = "libsndfile.so.1";

  // Opens both libraries on the first call and keeps them for the rest of the run
  // (unloading a library whose thread may still run is not safe). Null, with the reason
  // in `why`, when either cannot be loaded. Safe to call from any thread.
  static const SoundLibrary* Get(std::string& why);

  // Opens the libraries by file name and looks every entry point up; empty, with the
  // reason in `why`, if a library or an entry point is missing.
  static std::optional<SoundLibrary> Open(const char* pulse_file, const char* sndfile_file,
                                          std::string& why);

// The argument is the name being declared, which cannot stand in parentheses.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define HEADPOP_ENTRY_POINT(name) decltype(&::name) name = nullptr;
  HEADPOP_PULSE_FUNCTIONS(HEADPOP_ENTRY_POINT)
  HEADPOP_SNDFILE_FUNCTIONS(HEADPOP_ENTRY_POINT)
#undef HEADPOP_ENTRY_POINT
};

}  // namespace headpop
