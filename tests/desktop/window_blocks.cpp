// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_blocks.h"

#include <QPushButton>

#include "ui/form1.h"
#include "ui/playfield_widget.h"

namespace headpop::test_support {
namespace {

QString Hex(QRgb pixel) { return QStringLiteral("#%1").arg(pixel & 0xFFFFFFU, 6, 16, QChar('0')); }

bool MatchesAt(const QImage& image, const QImage& picture, const QPoint& at) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if ((image.pixel(at.x() + x, at.y() + y) & 0xFFFFFFU) != (picture.pixel(x, y) & 0xFFFFFFU)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

QRect FindPicture(const QImage& image, const QImage& picture, const QRect& within) {
  const QRect inside = within & image.rect();
  for (int y = inside.top(); y + picture.height() <= inside.bottom() + 1; ++y) {
    for (int x = inside.left(); x + picture.width() <= inside.right() + 1; ++x) {
      if (MatchesAt(image, picture, QPoint(x, y))) {
        return {QPoint(x, y), picture.size()};
      }
    }
  }
  return {};
}

QRegion PictureRegion(const Form1& form, const QImage& atScale1, QString& error) {
  QRegion region(form.rect());
  for (const QWidget* control :
       form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!control->isHidden()) {
      region -= control->geometry();
    }
  }
  const PlayfieldWidget& playfield = form.Playfield();
  region += playfield.contentsRect().translated(playfield.pos());
  for (const char* name : {"Command1", "Command2"}) {
    const auto* button = form.findChild<QPushButton*>(QLatin1String(name));
    const QImage picture = button->icon().pixmap(button->iconSize(), 1.0).toImage();
    const QRect shown = FindPicture(atScale1, picture, button->geometry());
    if (shown.isEmpty()) {
      error = QStringLiteral("the picture of %1 is not shown unaltered at scale 1").arg(name);
      return {};
    }
    region += shown;
  }
  return region;
}

QString FirstBlockMismatch(const QImage& small, const QImage& large, int factor,
                           const QRegion& region) {
  if (large.size() != small.size() * factor) {
    return QStringLiteral("%1 x %2 is not %3 times %4 x %5")
        .arg(large.width())
        .arg(large.height())
        .arg(factor)
        .arg(small.width())
        .arg(small.height());
  }
  for (const QRect& rect : region) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QRgb expected = small.pixel(x, y) & 0xFFFFFFU;
        for (int j = 0; j < factor; ++j) {
          for (int i = 0; i < factor; ++i) {
            const QRgb got = large.pixel(x * factor + i, y * factor + j) & 0xFFFFFFU;
            if (got != expected) {
              return QStringLiteral("pixel (%1, %2) is %3 at scale 1, but (%4, %5) is %6")
                  .arg(x)
                  .arg(y)
                  .arg(Hex(expected))
                  .arg(x * factor + i)
                  .arg(y * factor + j)
                  .arg(Hex(got));
            }
          }
        }
      }
    }
  }
  return {};
}

QString CompareWindowPictures(const Form1& form, const QImage& small, const QImage& large,
                              int factor) {
  QString error;
  const QRegion region = PictureRegion(form, small, error);
  return error.isEmpty() ? FirstBlockMismatch(small, large, factor, region) : error;
}

}  // namespace headpop::test_support
