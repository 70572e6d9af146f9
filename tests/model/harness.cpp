// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/model/harness.h"

#include <QCoreApplication>
#include <QTest>
#include <stdexcept>

#include "ui/playfield_widget.h"

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

QPoint OnWidget(QPoint playfield) {
  const QPoint widget = playfield + QPoint(PlayfieldWidget::kBorder, PlayfieldWidget::kBorder);
  if (widget.isNull()) {
    throw std::invalid_argument("QTest cannot aim at a widget's point (0, 0)");
  }
  return widget;
}

}  // namespace

Harness::Harness(uint64_t seed)
    : random_(seed, [this] { return nanoseconds_; }),
      form_(sound_, random_),
      command1_(Control(form_, "Command1")),
      label3_(Control(form_, "Label3")),
      picture1_(Control(form_, "Picture1")) {
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
  QTest::mousePress(picture1_, button, modifiers, OnWidget(press));
  QTest::mouseRelease(picture1_, button, modifiers, OnWidget(release));
}

void Harness::FlushRepaints() { QCoreApplication::sendPostedEvents(); }

}  // namespace headpop::model
