// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <chrono>
#include <cstdint>
#include <vector>

#include "bench/interval_summary.h"
#include "game/tick_grid.h"
#include "ui/form1.h"

namespace headpop::bench {

// The screens a measurement needs, reached through the rules' own handlers and
// procedures, so that the game itself starts and stops its timers.
void ShowLevelComplete(Form1& form);
void ShowWon(Form1& form);
void ShowLost(Form1& form);
// Plays at the given level with its interval, a quota no run uses up and waves enough
// for 15 heads under way; from level 4 on every escape brings 2 or more, so they stay.
void PlayAtLevel(Form1& form, int16_t level);

int HeadsInFlight(const GameState& state);

// The rectangles of the drawing area that the occupied targets cover, as drawn.
std::vector<QRect> TargetRects(const GameState& state);

// Timestamps every timeout of one of the window's timers, found by its object name, from
// a given moment on. The log is sized up front: nothing is allocated while it records.
class TimerLog final : public QObject {
 public:
  using Clock = std::chrono::steady_clock;

  TimerLog(Form1& form, const char* timerName, Clock::time_point from);

  // Intervals between consecutive timeouts, ms.
  std::vector<double> IntervalsMs() const;
  // How far each timeout came after the nearest tick of a grid (before it: negative), ms.
  std::vector<double> LatenessMs(const TickGrid& grid) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Clock::time_point from_;
  std::vector<Clock::time_point> stamps_;
};

// Hits the first head whose middle is in sight, through a mouse release on the playfield
// as the window gets it from the window system; false if no head is in sight.
bool ShootAHeadInSight(Form1& form);

}  // namespace headpop::bench
