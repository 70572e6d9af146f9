// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Compares two screenshots of the game's window, at scale 1 and at a whole factor, in every
// part that shows a picture. The parts come from a window of our own, on the offscreen
// platform: its controls have the geometry of the one in the screenshots.
// usage: compare_scaled_screenshots SCALE1.png SCALED.png FACTOR
#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "game/random.h"
#include "sound/sound.h"
#include "ui/form1.h"
#include "window_blocks.h"

int main(int argc, char* argv[]) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  QApplication app(argc, argv);
  if (argc != 4 || std::atoi(argv[3]) < 1) {
    std::fprintf(stderr, "usage: compare_scaled_screenshots SCALE1.png SCALED.png FACTOR\n");
    return 2;
  }
  const QImage small =
      QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
  const QImage large =
      QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
  if (small.isNull() || large.isNull()) {
    std::fprintf(stderr, "cannot read %s or %s\n", argv[1], argv[2]);
    return 2;
  }
  headpop::NullSound sound;
  headpop::ClockRandom random;
  const headpop::Form1 form(sound, random);
  const QString mismatch =
      headpop::test_support::CompareWindowPictures(form, small, large, std::atoi(argv[3]));
  if (!mismatch.isEmpty()) {
    std::fprintf(stderr, "%s against %s: %s\n", argv[2], argv[1], qPrintable(mismatch));
    return 1;
  }
  return 0;
}
