// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace headpop::bench {
namespace {

long long WallMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

class FirstPaintWatch final : public QObject {
 public:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // Queued: the paint events of this frame and the flush to the window system all
      // happen within the one update being handled now, so this runs after them.
      QMetaObject::invokeMethod(
          this, [] { Report(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  static void Report() {
    const char* exec = std::getenv(kExecTimeVariable);
    const long long start = exec != nullptr ? std::atoll(exec) : 0;
    const double ms = start > 0 ? static_cast<double>(WallMicroseconds() - start) / 1000.0 : -1.0;
    std::printf("first_frame_ms=%.2f rss_kb=%ld\n", ms, ResidentKilobytes());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  }

  bool seen_ = false;
};

}  // namespace

void ReportFirstFrameThenQuit() {
  static FirstPaintWatch watch;
  QCoreApplication::instance()->installEventFilter(&watch);
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

}  // namespace headpop::bench
