// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Finds a head on the live playfield, shoots it and prints where. It reads the game window's
// pixels straight from the X server and clicks from this same process, so the time from the
// picture to the shot stays well below a movement tick even on a busy machine, and the head
// is still there when the click comes.
//   head_finder WINDOW LEFT TOP HEAD_SIZE BACKGROUND.png
// The playfield is the part of the window at LEFT,TOP of the background picture's size;
// heads are what differs from the background. Prints "X Y" in the window's coordinates, or
// exits with status 1 when no head shows whole enough to aim at.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "head_aim.h"
#include "x_click.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 6) {
    std::fprintf(stderr, "usage: head_finder WINDOW LEFT TOP HEAD_SIZE BACKGROUND.png\n");
    return 2;
  }
  const auto window = static_cast<WId>(std::strtoul(argv[1], nullptr, 0));
  const int left = std::atoi(argv[2]);
  const int top = std::atoi(argv[3]);
  const int headSize = std::atoi(argv[4]);
  const QImage background =
      QImage(QString::fromLocal8Bit(argv[5])).convertToFormat(QImage::Format_RGB32);
  if (background.isNull()) {
    std::fprintf(stderr, "head_finder: cannot read %s\n", argv[5]);
    return 2;
  }
  const QImage shot = QGuiApplication::primaryScreen()
                          ->grabWindow(window, left, top, background.width(), background.height())
                          .toImage()
                          .convertToFormat(QImage::Format_RGB32);
  if (shot.size() != background.size()) {
    std::fprintf(stderr, "head_finder: cannot read window %s\n", argv[1]);
    return 2;
  }
  const std::optional<QPoint> aim = headpop::test_support::AimPoint(shot, background, headSize);
  if (!aim) {
    return 1;
  }
  const int x = left + aim->x();
  const int y = top + aim->y();
  if (!ClickInWindow(window, x, y)) {
    std::fprintf(stderr, "head_finder: cannot click in window %s\n", argv[1]);
    return 2;
  }
  std::printf("%d %d\n", x, y);
  return 0;
}
