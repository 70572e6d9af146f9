// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_label.h"

#include <QMouseEvent>

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

}  // namespace headpop
