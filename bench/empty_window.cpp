// The references: an empty Qt Widgets window of the game's size, either reporting its
// first frame ("startup") or running one 100 ms timer for a while ("timer SECONDS").
#include <QApplication>
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
  window.show();
  if (argc >= 2 && std::strcmp(argv[1], "startup") == 0) {
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
  std::fprintf(stderr, "usage: %s startup | timer SECONDS\n", argv[0]);
  return 2;
}
