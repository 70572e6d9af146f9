// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long a shot takes to be heard: releases the mouse button through the X server
// (XTest) over the playfield and listens at the sound server's null sink, through its
// monitor source, for the first sample that is not silent.
//   headpop_bench_sound_latency X Y SOURCE SHOTS
// prints one line per shot and then "sound_latency_ms median=... min=... max=... n=...
// cold_median=...". Every fifth shot, the first among them, follows 5 s of quiet: those are
// the cold shots, the first after a quiet spell.
// A sample's time is when its 1 ms record fragment was read, less the record stream's
// reported latency and the samples that follow it in the fragment.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration;
using std::chrono::milliseconds;

constexpr uint32_t kRate = 44100;
constexpr std::size_t kFragmentFrames = 44;  // 1 ms
constexpr int kSilenceLimit = 16;            // the sink's silence is exact zeros
constexpr auto kQuietBeforeShot = milliseconds(300);
constexpr auto kQuietBeforeColdShot = milliseconds(5000);
constexpr int kColdEvery = 5;
constexpr auto kGiveUp = milliseconds(1500);

// Reads the monitor source without pause and notes the first loud sample after an armed
// moment, and when the last loud one was.
class Listener {
 public:
  explicit Listener(const char* source) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(kFragmentFrames * sizeof(int16_t));
    int error = 0;
    stream_ = pa_simple_new(nullptr, "headpop-bench", PA_STREAM_RECORD, source, "shot latency",
                            &spec, nullptr, &attr, &error);
    if (stream_ == nullptr) {
      std::fprintf(stderr, "cannot record from %s: %s\n", source, pa_strerror(error));
      return;
    }
    reader_ = std::thread([this] { Read(); });
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  ~Listener() {
    stop_ = true;
    if (reader_.joinable()) {
      reader_.join();
    }
    if (stream_ != nullptr) {
      pa_simple_free(stream_);
    }
  }

  bool Ready() const { return stream_ != nullptr; }

  bool WaitForQuiet(Clock::duration quiet, Clock::duration limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] {
      return started_ && Clock::now() - std::max(lastLoud_, startedAt_) >= quiet;
    });
  }

  void Arm(Clock::time_point after) {
    const std::lock_guard lock(mutex_);
    armedAfter_ = after;
    firstLoud_.reset();
  }

  std::optional<Clock::time_point> WaitForSound(Clock::duration limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return firstLoud_.has_value(); });
    return firstLoud_;
  }

 private:
  void Read() {
    std::array<int16_t, kFragmentFrames> samples{};
    while (!stop_) {
      int error = 0;
      if (pa_simple_read(stream_, samples.data(), sizeof(samples), &error) < 0) {
        std::fprintf(stderr, "record failed: %s\n", pa_strerror(error));
        return;
      }
      const Clock::time_point readAt = Clock::now();
      const pa_usec_t latency = pa_simple_get_latency(stream_, &error);
      const std::lock_guard lock(mutex_);
      if (!started_) {
        started_ = true;
        startedAt_ = readAt;
      }
      for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) <= kSilenceLimit) {
          continue;
        }
        const auto later = duration<double>(static_cast<double>(samples.size() - 1 - i) / kRate);
        const Clock::time_point at = readAt - std::chrono::microseconds(latency) -
                                     std::chrono::duration_cast<Clock::duration>(later);
        lastLoud_ = readAt;
        if (armedAfter_ && !firstLoud_ && at >= *armedAfter_ - milliseconds(5)) {
          firstLoud_ = at;
          firstLoudLatency_ = latency;
        }
      }
      changed_.notify_all();
    }
  }

  pa_simple* stream_ = nullptr;
  std::thread reader_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool started_ = false;
  Clock::time_point startedAt_;
  Clock::time_point lastLoud_;
  std::optional<Clock::time_point> armedAfter_;
  std::optional<Clock::time_point> firstLoud_;
  pa_usec_t firstLoudLatency_ = 0;

 public:
  // The record latency reported with the fragment that held the first loud sample, µs.
  pa_usec_t FirstLoudLatency() {
    const std::lock_guard lock(mutex_);
    return firstLoudLatency_;
  }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s X Y SOURCE SHOTS\n", argv[0]);
    return 2;
  }
  const int x = std::atoi(argv[1]);
  const int y = std::atoi(argv[2]);
  const int shots = std::atoi(argv[4]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  Listener listener(argv[3]);
  if (!listener.Ready()) {
    return 1;
  }
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XSync(display, False);

  std::vector<double> latencies;
  std::vector<double> cold;
  for (int shot = 0; shot < shots; ++shot) {
    const bool isCold = shot % kColdEvery == 0;
    if (!listener.WaitForQuiet(isCold ? kQuietBeforeColdShot : kQuietBeforeShot,
                               std::chrono::seconds(10))) {
      std::fprintf(stderr, "the sink never went quiet\n");
      break;
    }
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(milliseconds(30));
    // The server takes the release between the send and the end of the round trip.
    const Clock::time_point sent = Clock::now();
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    const Clock::time_point synced = Clock::now();
    const Clock::time_point released = sent + (synced - sent) / 2;
    listener.Arm(released);
    const std::optional<Clock::time_point> heard = listener.WaitForSound(kGiveUp);
    if (!heard) {
      std::printf("shot %d: no sound within %lld ms\n", shot + 1,
                  static_cast<long long>(kGiveUp.count()));
      continue;
    }
    const double ms = duration<double, std::milli>(*heard - released).count();
    std::printf("shot %d%s: %.2f ms (release round trip %.2f ms, record latency %.2f ms)\n",
                shot + 1, isCold ? " (cold)" : "", ms,
                duration<double, std::milli>(synced - sent).count(),
                static_cast<double>(listener.FirstLoudLatency()) / 1000.0);
    latencies.push_back(ms);
    if (isCold) {
      cold.push_back(ms);
    }
  }
  XCloseDisplay(display);
  if (latencies.empty()) {
    std::printf("sound_latency_ms median=nan min=nan max=nan n=0\n");
    return 1;
  }
  std::printf("sound_latency_ms median=%.2f min=%.2f max=%.2f n=%zu cold_median=%.2f\n",
              Median(latencies), *std::min_element(latencies.begin(), latencies.end()),
              *std::max_element(latencies.begin(), latencies.end()), latencies.size(),
              cold.empty() ? 0.0 : Median(cold));
  return 0;
}
