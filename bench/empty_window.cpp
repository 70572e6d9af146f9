// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The references: an empty Qt Widgets window of the game's size, either reporting its
// first frame ("startup") or running one 100 ms timer for a while ("timer SECONDS"); and
// the same window with one line of text in a label ("startup-text"), the least any window
// that shows text pays for the toolkit's fonts.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/first_frame.h"

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
  if (argc >= 3 && std::strcmp(argv[1], "timer") == 0) {
    constexpr int kTickMs = 100;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [] {});
    tick.start();
    QTimer::singleShot(std::atoi(argv[2]) * 1000, &app, &QCoreApplication::quit);
    return QApplication::exec();
  }
  std::fprintf(stderr, "usage: %s startup | startup-text | timer SECONDS\n", argv[0]);
  return 2;
}
