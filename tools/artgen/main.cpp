// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes every picture of the game as PNG into the folder given on the command line.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "artgen.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: headpop-artgen OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "headpop-artgen: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  const artgen::AssetSink sink = [&](const QString& name, const QImage& image) {
    // PNG without a time stamp or gamma chunk, so that a rerun gives identical bytes.
    if (!image.save(out.filePath(name), "PNG")) {
      std::fprintf(stderr, "headpop-artgen: cannot write %s\n", qPrintable(name));
      ok = false;
    }
  };
  artgen::drawSprites(sink);
  artgen::drawScreens(sink);
  return ok ? 0 : 1;
}
