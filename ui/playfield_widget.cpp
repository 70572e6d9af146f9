// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playfield_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <utility>

namespace headpop {
namespace {

int16_t ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int16_t ShiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) {
    code |= 1;
  }
  if (modifiers.testFlag(Qt::ControlModifier)) {
    code |= 2;
  }
  if (modifiers.testFlag(Qt::AltModifier)) {
    code |= 4;
  }
  return static_cast<int16_t>(code);
}

// Qt hands a widget the mouse position rounded to whole logical pixels, which on a high-DPI
// screen moves a device pixel in the right half of a logical pixel into the next one. The
// position in the window keeps the fraction; the widget lies at a whole offset in it.
QPointF ExactPosition(const QMouseEvent& event) {
  const QPointF local = event.position();
  if (local != QPointF(local.toPoint())) {
    return local;  // not rounded: exact already
  }
  const QPointF scene = event.scenePosition();
  return local + (scene - QPointF(scene.toPoint()));
}

}  // namespace

PlayfieldArea::PlayfieldArea(QWidget* parent) : QWidget(parent) {
  setFixedSize(PlayfieldSurface::kWidth, PlayfieldSurface::kHeight);
  // Every pixel is painted from the surface: no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlayfieldArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& rect : event->region()) {
    const QRect area = rect & surface_.Pixels().rect();
    if (!area.isEmpty()) {
      painter.drawImage(area.topLeft(), surface_.Pixels(), area);
      paintedPixels_ += static_cast<long long>(area.width()) * area.height();
    }
  }
}

void PlayfieldArea::mousePressEvent(QMouseEvent* event) {
  // Taken, so that it goes no further; the release is the shot.
  event->accept();
}

void PlayfieldArea::mouseReleaseEvent(QMouseEvent* event) {
  // The press grabbed the mouse, so the release arrives here wherever it happens.
  const QPointF pos = ExactPosition(*event);
  // The rules work in whole drawing-area pixels: a device pixel of a high-DPI screen lies
  // inside a logical pixel, and counts as that pixel.
  emit Released(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                static_cast<float>(std::floor(pos.x())), static_cast<float>(std::floor(pos.y())));
  event->accept();
}

PlayfieldWidget::PlayfieldWidget(QWidget* parent) : QFrame(parent), area_(new PlayfieldArea(this)) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setLineWidth(kBorder);
  setFixedSize(PlayfieldSurface::kWidth + 2 * kBorder, PlayfieldSurface::kHeight + 2 * kBorder);
  area_->setObjectName(QStringLiteral("Picture1Area"));
  area_->move(kBorder, kBorder);
  setFocusPolicy(Qt::StrongFocus);
  // Moves and presses over the playfield, border included, are no one else's.
  setAttribute(Qt::WA_NoMousePropagation);
  connect(area_, &PlayfieldArea::Released, this, &PlayfieldWidget::Released);
}

void PlayfieldWidget::RepaintArea(const QRect& area) {
  if (area.isEmpty()) {
    return;
  }
  if (showScopes_ > 0) {
    pending_ += area;
  } else {
    area_->update(area);
  }
}

PlayfieldWidget::ShowChangesAtEnd::ShowChangesAtEnd(PlayfieldWidget& widget) : widget_(widget) {
  ++widget_.showScopes_;
}

PlayfieldWidget::ShowChangesAtEnd::~ShowChangesAtEnd() {
  --widget_.showScopes_;
  if (!widget_.pending_.isEmpty()) {
    const QRegion changed = std::exchange(widget_.pending_, QRegion());
    // At once, and only the changed rectangles; a hidden widget paints nothing, and shows
    // everything when it is shown.
    widget_.area_->repaint(changed);
  }
}

}  // namespace headpop
