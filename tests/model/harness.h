// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>

#include "game/random.h"
#include "sound/sound.h"
#include "ui/form1.h"

namespace headpop::model {

// The real window under the offscreen platform with a repeatable generator, driven by
// hand. Time is virtual: a tick is the timer's handler called at once, and only while the
// timer runs, as the real timer would fire it. Clicks go straight to the rules or through
// Qt's own mouse events on the controls.
class Harness {
 public:
  explicit Harness(uint64_t seed);

  Form1& Window() { return form_; }
  const Form1& Window() const { return form_; }
  const GameState& State() const { return form_.Rules().State(); }

  // False when the timer is stopped and the tick therefore never comes.
  bool Tick(GameTimer timer);
  void Start(bool throughQt);
  void About(bool throughQt);
  // A release reported straight to the rules, in playfield pixels.
  void Release(int16_t button, int16_t shift, float x, float y);
  // A press and a release on Picture1's drawing area through Qt, both in playfield pixels;
  // the release may lie anywhere, since the press grabs the mouse.
  void ReleaseThroughQt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint press,
                        QPoint release);
  // Delivers the pending repaints (but not the real timers, which never fire here).
  static void FlushRepaints();

 private:
  void Advance(int milliseconds);

  uint64_t nanoseconds_ = 0;
  NullSound sound_;
  ClockRandom random_;
  Form1 form_;
  QWidget* command1_;
  QWidget* label3_;
  QWidget* drawingArea_;
};

}  // namespace headpop::model
