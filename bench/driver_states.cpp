// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/driver_states.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "game/game.h"
#include "ui/playfield_surface.h"
#include "ui/playfield_widget.h"

namespace headpop::bench {
namespace {

constexpr int16_t kNeverUsedUp = 32000;
constexpr int kHeadsWanted = 15;
constexpr std::size_t kLogCapacity = 1U << 16U;

}  // namespace

void ShowLevelComplete(Form1& form) {
  form.Rules().Command1_Click();
  form.Rules().LevelComplete();
}

void ShowWon(Form1& form) {
  form.Rules().Command1_Click();
  form.Rules().State().level = static_cast<int16_t>(LevelNo::kLast);
  form.Rules().LevelComplete();
}

void ShowLost(Form1& form) {
  form.Rules().Command1_Click();
  form.Rules().GameLost();
}

void PlayAtLevel(Form1& form, int16_t level) {
  Game& rules = form.Rules();
  rules.Command1_Click();
  GameState& state = rules.State();
  state.level = level;
  state.interval = state.levelInterval[LevelNo::At(level)];
  state.remaining = kNeverUsedUp;
  form.SetTimer1Interval(state.interval);
  form.SetLevelCaption(NumberText(level));
  while (HeadsInFlight(state) < kHeadsWanted) {
    rules.SpawnWave();
  }
}

int HeadsInFlight(const GameState& state) {
  int heads = 0;
  for (const SlotNo slot : SlotNo::All()) {
    heads += state.targets[slot].kind != 0 ? 1 : 0;
  }
  return heads;
}

std::vector<QRect> TargetRects(const GameState& state) {
  const QRect field(0, 0, PlayfieldSurface::kWidth, PlayfieldSurface::kHeight);
  std::vector<QRect> rects;
  for (const SlotNo slot : SlotNo::All()) {
    const TargetSlot& t = state.targets[slot];
    if (t.kind != 0) {
      // The surface rounds half to even, as lrintf does in the default rounding mode.
      const QRect drawn(static_cast<int>(std::lrintf(t.posX)),
                        static_cast<int>(std::lrintf(t.posY)), PlayfieldSurface::kSpriteSize,
                        PlayfieldSurface::kSpriteSize);
      rects.push_back(drawn & field);
    }
  }
  return rects;
}

TimerLog::TimerLog(Form1& form, const char* timerName, Clock::time_point from) : from_(from) {
  stamps_.reserve(kLogCapacity);
  auto* timer = form.findChild<QTimer*>(QLatin1String(timerName));
  if (timer == nullptr) {
    return;
  }
  // Stamped as the timer's event reaches it, before the tick's handler (which paints) runs.
  timer->installEventFilter(this);
}

bool TimerLog::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::Timer) {
    const Clock::time_point now = Clock::now();
    if (now >= from_ && stamps_.size() < kLogCapacity) {
      stamps_.push_back(now);
    }
  }
  return false;
}

std::vector<double> TimerLog::IntervalsMs() const {
  std::vector<double> intervals;
  for (std::size_t i = 1; i < stamps_.size(); ++i) {
    intervals.push_back(
        std::chrono::duration<double, std::milli>(stamps_[i] - stamps_[i - 1]).count());
  }
  return intervals;
}

std::vector<double> TimerLog::LatenessMs(const TickGrid& grid) const {
  std::vector<double> lateness;
  const double enabledAt = std::chrono::duration<double, std::milli>(grid.EnabledAt()).count();
  const double period = std::chrono::duration<double, std::milli>(grid.Period()).count();
  for (const Clock::time_point stamp : stamps_) {
    const double since =
        std::chrono::duration<double, std::milli>(stamp.time_since_epoch()).count() - enabledAt;
    lateness.push_back(since - std::round(since / period) * period);
  }
  return lateness;
}

bool ShootAHeadInSight(Form1& form) {
  const QRect field(0, 0, PlayfieldSurface::kWidth, PlayfieldSurface::kHeight);
  for (const QRect& head : TargetRects(form.Rules().State())) {
    if (head.width() == PlayfieldSurface::kSpriteSize &&
        head.height() == PlayfieldSurface::kSpriteSize && field.contains(head.center())) {
      auto* playfield = form.findChild<PlayfieldWidget*>(QStringLiteral("Picture1"));
      if (playfield == nullptr) {
        return false;
      }
      PlayfieldArea& area = playfield->Area();
      const QPointF local(head.center());
      QMouseEvent release(QEvent::MouseButtonRelease, local, area.mapTo(&form, local),
                          area.mapToGlobal(local), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&area, &release);
      return true;
    }
  }
  return false;
}

}  // namespace headpop::bench
