// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "temp_dir.h"

struct pa_simple;

namespace headpop::test_support {

// A PulseAudio server of the test's own, in a folder of its own, ended by its process id.
// This process's clients are pointed at it (PULSE_SERVER and friends), and nothing reaches
// the user's own server or files.
class PulseServer {
 public:
  enum class Sinks : uint8_t { kNullSink, kNone };

  explicit PulseServer(Sinks sinks = Sinks::kNullSink);
  ~PulseServer();
  PulseServer(const PulseServer&) = delete;
  PulseServer& operator=(const PulseServer&) = delete;

  // Starts the server (again, on the same socket), and waits until it answers.
  void Start();
  // Ends the server and waits until it has gone.
  void Stop();
  bool Running() const { return pid_ > 0; }

  // The names in the server's sample cache.
  std::vector<std::string> Samples() const;
  // The monitor of the null sink.
  static constexpr const char* kMonitor = "null.monitor";

 private:
  TempDir folder_;
  Sinks sinks_;
  pid_t pid_ = -1;
};

// Points this process's sound clients at a socket where no server answers.
void PointAtNoServer(const std::filesystem::path& folder);

// Records the null sink's monitor without pause, and tells when it sounded.
class MonitorRecorder {
 public:
  using Clock = std::chrono::steady_clock;

  MonitorRecorder();
  ~MonitorRecorder();
  MonitorRecorder(const MonitorRecorder&) = delete;
  MonitorRecorder& operator=(const MonitorRecorder&) = delete;

  // Recording: the monitor has delivered data.
  bool Ready();

  // The times of the first and last samples louder than `level` (of full scale) recorded
  // between `from` and `to`; empty when none was.
  struct Span {
    Clock::time_point first;
    Clock::time_point last;
  };
  std::optional<Span> Heard(Clock::time_point from, Clock::time_point to, double level = 0.01);

  // Waits until everything up to `until` has been recorded (for at most 5 s more).
  void WaitFor(Clock::time_point until);

 private:
  void Read();
  // The last few hundred fragments came in promptly.
  bool Steady();

  pa_simple* stream_ = nullptr;
  std::thread reader_;
  bool stop_ = false;  // guarded by mutex_
  std::mutex mutex_;
  // One entry per 1 ms fragment: when it was read, and its peak.
  std::vector<std::pair<Clock::time_point, int>> peaks_;
  std::vector<Clock::duration> behind_;  // how far the reader was behind, per fragment
};

}  // namespace headpop::test_support
