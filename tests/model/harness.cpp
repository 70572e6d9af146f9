// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/model/harness.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <stdexcept>

namespace headpop::model {
namespace {

constexpr int kExplosionInterval = 80;
constexpr int kClickTime = 1;

QWidget* Control(Form1& form, const char* name) {
  auto* child = form.findChild<QWidget*>(QLatin1String(name));
  if (child == nullptr) {
    throw std::logic_error(std::string("the window has no ") + name);
  }
  return child;
}

// One mouse event handed to a widget, as Qt hands it to the widget found under the pointer
// or holding the mouse. Unlike QTest's, which aims at a widget's centre when asked for its
// point (0, 0), it goes to any point.
void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers, QPoint at) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons,
                    modifiers);
  QCoreApplication::sendEvent(widget, &event);
}

}  // namespace

Harness::Harness(uint64_t seed)
    : random_(seed, [this] { return nanoseconds_; }),
      form_(sound_, random_),
      command1_(Control(form_, "Command1")),
      label3_(Control(form_, "Label3")),
      drawingArea_(Control(form_, "Picture1Area")) {
  form_.show();
  if (!QTest::qWaitForWindowExposed(&form_)) {
    throw std::runtime_error("the window never showed");
  }
}

void Harness::Advance(int milliseconds) {
  nanoseconds_ += static_cast<uint64_t>(milliseconds) * 1000000U;
}

bool Harness::Tick(GameTimer timer) {
  if (!form_.TimerEnabled(timer)) {
    return false;
  }
  if (timer == GameTimer::Timer1) {
    Advance(form_.Timer1Interval());
    form_.Rules().Timer1_Timer();
  } else {
    Advance(kExplosionInterval);
    form_.Rules().Timer2_Timer();
  }
  return true;
}

void Harness::Start(bool throughQt) {
  Advance(kClickTime);
  if (throughQt) {
    QTest::mouseClick(command1_, Qt::LeftButton);
  } else {
    form_.Rules().Command1_Click();
  }
}

void Harness::About(bool throughQt) {
  Advance(kClickTime);
  if (throughQt) {
    QTest::mouseClick(label3_, Qt::LeftButton);
  } else {
    form_.Rules().Label3_Click();
  }
}

void Harness::Release(int16_t button, int16_t shift, float x, float y) {
  Advance(kClickTime);
  form_.Rules().Picture1_MouseUp(button, shift, x, y);
}

void Harness::ReleaseThroughQt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                               QPoint press, QPoint release) {
  Advance(kClickTime);
  SendMouse(drawingArea_, QEvent::MouseButtonPress, button, button, modifiers, press);
  SendMouse(drawingArea_, QEvent::MouseButtonRelease, button, {}, modifiers, release);
}

void Harness::FlushRepaints() { QCoreApplication::sendPostedEvents(); }

}  // namespace headpop::model
