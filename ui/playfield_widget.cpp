#include "ui/playfield_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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

}  // namespace

PlayfieldWidget::PlayfieldWidget(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setLineWidth(kBorder);
  setFixedSize(PlayfieldSurface::kWidth + 2 * kBorder, PlayfieldSurface::kHeight + 2 * kBorder);
  // Every pixel is painted from the surface: no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PlayfieldWidget::RepaintArea(const QRect& area) {
  if (!area.isEmpty()) {
    update(area.translated(kBorder, kBorder));
  }
}

void PlayfieldWidget::paintEvent(QPaintEvent* event) {
  const QRect inside = contentsRect();
  if (!inside.contains(event->rect())) {
    QFrame::paintEvent(event);
  }
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& rect : event->region()) {
    const QRect area = rect & inside;
    if (!area.isEmpty()) {
      painter.drawImage(area.topLeft(), surface_.Pixels(), area.translated(-inside.topLeft()));
    }
  }
}

void PlayfieldWidget::mouseReleaseEvent(QMouseEvent* event) {
  // The press grabbed the mouse, so the release arrives here wherever it happens.
  const QPointF pos = event->position() - QPointF(kBorder, kBorder);
  emit Released(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                static_cast<float>(pos.x()), static_cast<float>(pos.y()));
  event->accept();
}

}  // namespace headpop
