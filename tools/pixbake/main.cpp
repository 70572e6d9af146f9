// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// headpop-pixbake IN.png OUT.pix: writes a picture's pixels in the form the program embeds
// and shows in place (see ui/baked_picture.h). Run by the build for every picture.
#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstring>

#include "ui/baked_picture.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s IN.png OUT.pix\n", argv[0]);
    return 2;
  }
  const QImage read(QString::fromLocal8Bit(argv[1]));
  if (read.isNull() || read.width() > static_cast<int>(headpop::kBakedPictureMaxSide) ||
      read.height() > static_cast<int>(headpop::kBakedPictureMaxSide)) {
    std::fprintf(stderr, "%s: cannot read %s as a picture of at most %u x %u\n", argv[0], argv[1],
                 headpop::kBakedPictureMaxSide, headpop::kBakedPictureMaxSide);
    return 1;
  }
  const QImage image =
      read.convertToFormat(read.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  headpop::BakedPictureHeader header{};
  std::memcpy(header.magic, headpop::kBakedPictureMagic, sizeof header.magic);
  header.width = static_cast<uint32_t>(image.width());
  header.height = static_cast<uint32_t>(image.height());
  header.format = static_cast<uint32_t>(image.format());

  QFile out(QString::fromLocal8Bit(argv[2]));
  bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                 out.write(reinterpret_cast<const char*>(&header), sizeof header) ==
                     static_cast<qint64>(sizeof header);
  const auto rowBytes = static_cast<qint64>(image.width()) * 4;
  for (int y = 0; written && y < image.height(); ++y) {
    written =
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
  }
  if (!written || !out.flush()) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    out.remove();
    return 1;
  }
  return 0;
}
