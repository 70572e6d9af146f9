// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The compositor's view, for the test scripts:
//   wayland_probe window TITLE   prints "CLIENT FRAME", each as WIDTHxHEIGHT+X+Y in the
//                                output's logical pixels; status 1 while no such window shows
//   wayland_probe shot OUT.png   writes what the output shows
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "compositor.h"

namespace {

QString Geometry(const QRect& r) {
  return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

}  // namespace

int main(int argc, char* argv[]) {
  const QCoreApplication app(argc, argv);
  QString error;
  if (argc == 3 && std::strcmp(argv[1], "window") == 0) {
    const auto shown =
        headpop::test_support::FindShownWindow(QString::fromLocal8Bit(argv[2]), error);
    if (!shown) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
    std::printf("%s %s\n", qPrintable(Geometry(shown->client)), qPrintable(Geometry(shown->frame)));
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "shot") == 0) {
    const QImage shot = headpop::test_support::TakeScreenshot(error);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]))) {
      std::fprintf(stderr, "no screenshot: %s\n", qPrintable(error));
      return 1;
    }
    return 0;
  }
  std::fprintf(stderr, "usage: wayland_probe window TITLE | shot OUT.png\n");
  return 2;
}
