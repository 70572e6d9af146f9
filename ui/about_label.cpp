// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_label.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace headpop {

void AboutLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }

void AboutLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release of the left button over the label.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
  event->accept();
}

void AboutLabel::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMoved();
  event->accept();  // the window's own move handler must not see it
}

void AboutLabel::paintEvent(QPaintEvent* /*event*/) {
  // A label shows its access key only with a buddy, which would also make it a shortcut.
  // Drawn here as a plain-text caption with the key underlined in the label's own face:
  // a rich-text caption would lay out a document in the toolkit's default face first,
  // loading a face the window never shows.
  QPainter painter(this);
  drawFrame(&painter);
  const auto flags = static_cast<int>(
      QStyle::visualAlignment(layoutDirection(), alignment()).toInt() | Qt::TextShowMnemonic);
  style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), text(),
                        foregroundRole());
}

}  // namespace headpop
