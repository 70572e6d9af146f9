#pragma once

#include <QFrame>
#include <cstdint>

#include "ui/playfield_surface.h"

namespace headpop {

// Picture1: shows the playfield surface inside a 2-pixel sunken border, repainting only
// what changed, and reports mouse releases in drawing-area pixels.
class PlayfieldWidget : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kBorder = 2;

  explicit PlayfieldWidget(QWidget* parent = nullptr);

  PlayfieldSurface& Surface() { return surface_; }
  const PlayfieldSurface& Surface() const { return surface_; }

  // Schedules a repaint of a rectangle of the drawing area.
  void RepaintArea(const QRect& area);
  // Drawing-area pixels painted so far, for the paint benchmark.
  long long PaintedPixels() const { return paintedPixels_; }

 signals:
  // Button and shift use the classic codes: left 1, right 2, middle 4; Shift 1, Ctrl 2, Alt 4.
  void Released(int16_t button, int16_t shift, float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  PlayfieldSurface surface_;
  long long paintedPixels_ = 0;
};

}  // namespace headpop
