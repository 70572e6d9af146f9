// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real game window, built as the game's own main() builds it, driven into the state a
// whole-process measurement needs (see run_bench.sh):
//   startup                      the title screen; reports its first frame, then quits
//   title|level|won|lost SECONDS one screen, left alone for SECONDS
//   play LEVEL WARMUP SECONDS [SHOOTING]
//                                plays at LEVEL; after WARMUP seconds it logs the timers
//                                and the heads in flight for SECONDS with no shot, then
//                                hits a head every 530 ms for SHOOTING seconds, so that
//                                Timer2 wakes for explosions; prints it all, quits
//   paint TICKS                  counts the pixels painted per movement tick
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_sound.h"
#include "bench/driver_states.h"
#include "bench/first_frame.h"
#include "game/random.h"
#include "ui/application.h"
#include "ui/form1.h"
#include "ui/playfield_widget.h"

namespace headpop::bench {
namespace {

using Clock = std::chrono::steady_clock;

void QuitAfter(double seconds) {
  QTimer::singleShot(static_cast<int>(seconds * 1000), qApp, &QCoreApplication::quit);
}

void PrintSummary(const char* name, const TimerLog& log, double nominalMs) {
  PrintSummary(stdout, name, Summarise(log.IntervalsMs(), nominalMs), nominalMs);
}

// A hit every 530 ms: longer than an explosion (at most 400 ms), so Timer2 sleeps between
// any two, and 50 ms off a multiple of its 80 ms, so that the hits fall at every tenth of
// its grid in turn.
constexpr int kShotEveryMs = 530;

int Play(Form1& form, int16_t level, double warmup, double seconds, double shooting) {
  PlayAtLevel(form, level);
  const QPoint click = form.Playfield().mapToGlobal(
      QPoint(PlayfieldWidget::kBorder + 150, PlayfieldWidget::kBorder + 150));
  std::printf("click_x=%d click_y=%d\n", click.x(), click.y());
  std::fflush(stdout);

  const Clock::time_point from = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                    std::chrono::duration<double>(warmup));
  const Clock::time_point shootingFrom =
      from + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  TimerLog timer1(form, "Timer1", from);
  TimerLog timer2(form, "Timer2", from);
  int fewestHeads = SlotNo::kCount;
  auto* tick = form.findChild<QTimer*>(QStringLiteral("Timer1"));
  QObject::connect(tick, &QTimer::timeout, &form, [&] {
    if (const Clock::time_point now = Clock::now(); now >= from && now < shootingFrom) {
      fewestHeads = std::min(fewestHeads, HeadsInFlight(form.Rules().State()));
    }
  });
  QTimer shots;
  int hits = 0;
  shots.setInterval(kShotEveryMs);
  QObject::connect(&shots, &QTimer::timeout, &form,
                   [&] { hits += ShootAHeadInSight(form) ? 1 : 0; });
  QTimer::singleShot(static_cast<int>((warmup + seconds) * 1000), &shots,
                     qOverload<>(&QTimer::start));
  QuitAfter(warmup + seconds + shooting);
  const int status = QApplication::exec();
  PrintSummary("timer1", timer1, form.Rules().State().interval);
  const std::optional<TickGrid>& grid = form.Timer2Schedule().Grid();
  const LatenessSummary late =
      SummariseLateness(grid ? timer2.LatenessMs(*grid) : std::vector<double>());
  std::printf(
      "timer2_grid period_ms=80 count=%d mean_late_ms=%.3f p99_late_ms=%.3f "
      "worst_late_ms=%.3f\n",
      late.count, late.meanMs, late.p99Ms, late.worstMs);
  std::printf("fewest_heads_in_flight=%d hits=%d\n", fewestHeads, hits);
  return status;
}

// Ticks one at a time through Timer1 itself, as in play, with the timers otherwise stopped;
// after each tick the pixels it painted are set against the area its blits changed.
int CountPaint(Form1& form, int ticks) {
  PlayAtLevel(form, static_cast<int16_t>(LevelNo::kLast));
  form.SetTimerEnabled(GameTimer::Timer1, false);
  form.SetTimerEnabled(GameTimer::Timer2, false);
  QEventLoop shown;  // a loop of its own: quitting the application would close the window
  QTimer::singleShot(500, &shown, &QEventLoop::quit);
  shown.exec();
  auto* tick = form.findChild<QTimer*>(QStringLiteral("Timer1"));
  tick->setSingleShot(true);
  tick->setInterval(0);
  long long painted = 0;
  long long changed = 0;
  double worst = 0;
  for (int i = 0; i < ticks; ++i) {
    std::vector<QRect> rects = TargetRects(form.Rules().State());
    const long long before = form.Playfield().PaintedPixels();
    bool ticked = false;
    const QMetaObject::Connection after =
        QObject::connect(tick, &QTimer::timeout, &form, [&ticked] { ticked = true; });
    tick->start();
    QElapsedTimer waited;
    waited.start();
    while (!ticked && waited.elapsed() < 1000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QObject::disconnect(after);
    // Anything left for a later pass of the event loop is counted too.
    QCoreApplication::processEvents();
    for (const QRect& r : TargetRects(form.Rules().State())) {
      rects.push_back(r);
    }
    QRegion blits;
    for (const QRect& r : rects) {
      blits += r;
    }
    long long area = 0;
    for (const QRect& r : blits) {
      area += static_cast<long long>(r.width()) * r.height();
    }
    const long long tickPainted = form.Playfield().PaintedPixels() - before;
    painted += tickPainted;
    changed += area;
    if (area > 0) {
      worst = std::max(worst, static_cast<double>(tickPainted) / static_cast<double>(area));
    }
  }
  std::printf("paint ticks=%d painted_px=%lld changed_px=%lld ratio=%.3f worst_tick_ratio=%.3f\n",
              ticks, painted, changed,
              changed > 0 ? static_cast<double>(painted) / static_cast<double>(changed) : 0.0,
              worst);
  return 0;
}

int Run(int argc, char* argv[], Form1& form) {
  const std::string mode = argc >= 2 ? argv[1] : "";
  const auto arg = [&](int i) { return i < argc ? std::atof(argv[i]) : 0.0; };
  if (mode == "startup") {
    ReportFirstFrameThenQuit();
    return QApplication::exec();
  }
  const std::map<std::string, std::function<void(Form1&)>> screens = {
      {"title", [](Form1&) {}},
      {"level", ShowLevelComplete},
      {"won", ShowWon},
      {"lost", ShowLost},
  };
  if (const auto screen = screens.find(mode); screen != screens.end() && argc >= 3) {
    screen->second(form);
    QuitAfter(arg(2));
    return QApplication::exec();
  }
  if (mode == "play" && argc >= 5) {
    return Play(form, static_cast<int16_t>(arg(2)), arg(3), arg(4), arg(5));
  }
  if (mode == "paint" && argc >= 3) {
    return CountPaint(form, static_cast<int>(arg(2)));
  }
  std::fprintf(stderr,
               "usage: %s startup | title|level|won|lost SECONDS |"
               " play LEVEL WARMUP SECONDS [SHOOTING] | paint TICKS\n",
               argv[0]);
  return 2;
}

}  // namespace
}  // namespace headpop::bench

int main(int argc, char* argv[]) {
  // As the game's main() does, up to showing the window.
  const auto app = headpop::StartApplication(argc, argv);
  if (!app) {
    return 1;
  }
  const auto sound = headpop::bench::MakeTimedSound(HEADPOP_SOUND_FOLDER);
  headpop::ClockRandom random;
  headpop::Form1 window(*sound, random);
  window.show();
  return headpop::bench::Run(argc, argv, window);
}
