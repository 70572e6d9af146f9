// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The references: an empty Qt Widgets window of the game's size, either reporting its
// first frame ("startup") or running one 100 ms timer for a while ("timer SECONDS"); the
// same window with one line of text in a label ("startup-text"), the least any window
// that shows text pays for the toolkit's fonts; and the same window with one precise
// 100 ms timer whose intervals it summarises as the game driver does ("precise-timer
// SECONDS"), how well the machine itself keeps time.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/first_frame.h"
#include "bench/interval_summary.h"

namespace {

constexpr int kTickMs = 100;

int RunPreciseTimer(QApplication& app, int seconds) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> intervalsMs;
  Clock::time_point last{};
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setInterval(kTickMs);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const Clock::time_point now = Clock::now();
    if (last != Clock::time_point{}) {
      intervalsMs.push_back(std::chrono::duration<double, std::milli>(now - last).count());
    }
    last = now;
  });
  tick.start();
  QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
  const int status = QApplication::exec();
  headpop::bench::PrintSummary(stdout, "reference_timer",
                               headpop::bench::Summarise(intervalsMs, kTickMs), kTickMs);
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(348, 419);
  if (argc >= 2 && std::strcmp(argv[1], "startup-text") == 0) {
    // The face and size of the game's small labels.
    auto* label = new QLabel(QStringLiteral("Poin :"), &window);
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(11);
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(16, 360, 38, 17);
  }
  window.show();
  if (argc >= 2 && std::strncmp(argv[1], "startup", 7) == 0) {
    headpop::bench::ReportFirstFrameThenQuit();
    return QApplication::exec();
  }
  if (argc >= 3 && std::strcmp(argv[1], "precise-timer") == 0) {
    return RunPreciseTimer(app, std::atoi(argv[2]));
  }
  if (argc >= 3 && std::strcmp(argv[1], "timer") == 0) {
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [] {});
    tick.start();
    QTimer::singleShot(std::atoi(argv[2]) * 1000, &app, &QCoreApplication::quit);
    return QApplication::exec();
  }
  std::fprintf(stderr, "usage: %s startup | startup-text | timer SECONDS | precise-timer SECONDS\n",
               argv[0]);
  return 2;
}
