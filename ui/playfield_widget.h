// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QRegion>
#include <cstdint>

#include "ui/playfield_surface.h"

namespace headpop {

// The drawing area inside Picture1's border: shows the playfield surface, carries the
// playfield's pointer and takes the shots. A press on it grabs the mouse, so its release
// arrives here wherever it happens, in drawing-area pixels.
class PlayfieldArea : public QWidget {
  Q_OBJECT

 public:
  explicit PlayfieldArea(QWidget* parent);

  PlayfieldSurface& Surface() { return surface_; }
  const PlayfieldSurface& Surface() const { return surface_; }
  // Drawing-area pixels painted so far, for the paint benchmark.
  long long PaintedPixels() const { return paintedPixels_; }

 signals:
  // Button and shift use the classic codes: left 1, right 2, middle 4; Shift 1, Ctrl 2, Alt 4.
  void Released(int16_t button, int16_t shift, float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  PlayfieldSurface surface_;
  long long paintedPixels_ = 0;
};

// Picture1: a 2-pixel sunken border around the drawing area. The border is no part of the
// drawing area: a press on it shoots nothing, and the pointer over it is the window's own.
// Picture1 takes the keyboard focus in the window's tab order; its drawing area never does.
class PlayfieldWidget : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kBorder = 2;

  explicit PlayfieldWidget(QWidget* parent = nullptr);

  PlayfieldArea& Area() { return *area_; }
  const PlayfieldArea& Area() const { return *area_; }
  PlayfieldSurface& Surface() { return area_->Surface(); }
  const PlayfieldSurface& Surface() const { return area_->Surface(); }

  // Schedules a repaint of a rectangle of the drawing area: at the end of the event being
  // handled, if it is handled inside a ShowChangesAtEnd, or else on a later pass of the
  // event loop.
  void RepaintArea(const QRect& area);

  // Around the handling of an event: everything it changed is painted, and handed to the
  // window system, as the handling ends. A movement tick then costs the event loop no
  // second pass, and the system no wake-up to make one; each costs as much CPU as the
  // tick's work itself. Scopes may nest (a modal question runs timer ticks inside a click);
  // each paints what is pending as it ends.
  class ShowChangesAtEnd {
   public:
    explicit ShowChangesAtEnd(PlayfieldWidget& widget);
    ~ShowChangesAtEnd();
    ShowChangesAtEnd(const ShowChangesAtEnd&) = delete;
    ShowChangesAtEnd& operator=(const ShowChangesAtEnd&) = delete;

   private:
    PlayfieldWidget& widget_;
  };
  // Drawing-area pixels painted so far, for the paint benchmark.
  long long PaintedPixels() const { return area_->PaintedPixels(); }

 signals:
  // The drawing area's releases (see PlayfieldArea::Released).
  void Released(int16_t button, int16_t shift, float x, float y);

 private:
  PlayfieldArea* area_;
  int showScopes_ = 0;  // ShowChangesAtEnd alive
  QRegion pending_;     // changed inside them, not yet painted
};

}  // namespace headpop
