// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's window played on the native Wayland platform, under a headless Weston that
// with_weston.sh starts for this process.
//
// What goes where: the window, its frames and its pointer go through the real Wayland
// platform plugin and the compositor, and every picture checked is read back from the
// compositor's screenshots. The headless compositor has no input devices, so no real
// pointer exists: the clicks and moves are injected in this process into the window
// system interface (QWindowSystemInterface, and QTest's window overloads that call it), the
// entry point where the platform plugin hands in the pointer events it gets from the
// compositor. The pointer picture has no seat to reach the compositor by; what the
// platform window is given for the playfield is checked in this process.
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>

#include "compositor.h"
#include "game/random.h"
#include "head_aim.h"
#include "sound/sound.h"
#include "ui/application.h"
#include "ui/form1.h"
#include "ui/playfield_surface.h"
#include "ui/playfield_widget.h"

namespace headpop {
namespace {

constexpr int kHeadSize = 37;
constexpr int kMaxWave = 5;
constexpr int kShots = 20;

// A picture as the playfield shows it: clipped to the drawing area, on black.
QImage OnBlack(const QImage& picture) {
  QImage shown(PlayfieldSurface::kWidth, PlayfieldSurface::kHeight, QImage::Format_RGB32);
  shown.fill(Qt::black);
  QPainter(&shown).drawImage(0, 0, picture);
  return shown;
}

int PixelsDiffering(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      count += (a.pixel(x, y) & 0xFFFFFFU) != (b.pixel(x, y) & 0xFFFFFFU) ? 1 : 0;
    }
  }
  return count;
}

class WaylandWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    scale = qRound(form.devicePixelRatio());
    ASSERT_TRUE(WaitFor(10000, [this] {
      const auto shown = test_support::FindShownWindow(QStringLiteral("Headpop"), error);
      if (shown) {
        client = shown->client;
      }
      return shown.has_value();
    })) << qPrintable(error);
  }

  // Runs the event loop until `done` holds or the time runs out, looking every `step`
  // milliseconds. A look that takes a screenshot holds the game still while it runs.
  static bool WaitFor(int milliseconds, const std::function<bool()>& done, int step = 50) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
      if (deadline.hasExpired()) {
        return false;
      }
      QTest::qWait(step);
    }
    return true;
  }

  // A part of the client area (logical pixels) as the compositor shows it, in device pixels.
  QImage Shown(const QRect& part) {
    const QImage screen = test_support::TakeScreenshot(error);
    const QRect onScreen = part.translated(client.topLeft());
    return screen.copy(QRect(onScreen.topLeft() * scale, onScreen.size() * scale));
  }

  // The playfield's drawing area as the compositor shows it, in logical pixels: each pixel
  // must be a whole scale x scale block, or the picture is null.
  QImage ShownPlayfield() {
    const QImage shown = Shown(PlayfieldArea());
    if (shown.isNull()) {
      return {};
    }
    QImage logical(PlayfieldSurface::kWidth, PlayfieldSurface::kHeight, QImage::Format_RGB32);
    for (int y = 0; y < logical.height(); ++y) {
      for (int x = 0; x < logical.width(); ++x) {
        const QRgb pixel = shown.pixel(x * scale, y * scale);
        for (int j = 0; j < scale; ++j) {
          for (int i = 0; i < scale; ++i) {
            if (shown.pixel(x * scale + i, y * scale + j) != pixel) {
              error =
                  QStringLiteral("pixel %1,%2 of the playfield is no whole block").arg(x).arg(y);
              return {};
            }
          }
        }
        logical.setPixel(x, y, pixel);
      }
    }
    return logical;
  }

  QRect PlayfieldArea() const {
    const PlayfieldWidget& playfield = form.Playfield();
    return {playfield.mapTo(&form, playfield.contentsRect().topLeft()),
            QSize(PlayfieldSurface::kWidth, PlayfieldSurface::kHeight)};
  }

  template <typename T = QWidget>
  T* Child(const char* name) {
    return form.findChild<T*>(QLatin1String(name));
  }

  QPoint Middle(const char* name) { return Child(name)->geometry().center(); }

  // The pointer comes into the window at `point`, reported as the platform plugin reports
  // a pointer entering its surface. QTest has no enter of its own, and the window hands a
  // pointer picture to the platform only once the pointer is in it.
  void PointerEnters(const QPoint& point) {
    QWindow* window = form.windowHandle();
    QWindowSystemInterface::handleEnterEvent<QWindowSystemInterface::SynchronousDelivery>(
        window, point, window->mapToGlobal(point));
  }

  // The compositor shows the label as the window paints it there.
  bool LabelShown(const char* name) {
    const QRect area = Child(name)->geometry();
    const QImage painted = form.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = Shown(area);
    return !shown.isNull() && shown == painted;
  }

  NullSound sound;
  ClockRandom random;
  Form1 form{sound, random};
  int scale = 1;
  QRect client;
  QString error;
};

TEST_F(WaylandWindow, RunsOnTheNativePlatformAtItsClientSize) {
  EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
  EXPECT_EQ(client.size(), QSize(Form1::kClientWidth, Form1::kClientHeight));
}

TEST_F(WaylandWindow, StartRaisesHeadsOnTheBackgroundAndAShotScores) {
  const QImage title = OnBlack(form.Art().Screen(ScreenPicture::Picture2));
  const QImage background = OnBlack(form.Art().Screen(ScreenPicture::backpic));
  ASSERT_TRUE(WaitFor(5000, [&] { return ShownPlayfield() == title; }))
      << "the compositor never showed the title picture; " << qPrintable(error);

  QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, Middle("Command1"));
  ASSERT_EQ(Child<QLabel>("scorelbl")->text(), QStringLiteral(" 0"));
  // Heads show within two seconds of play; the steps leave the game that long to play,
  // however long the screenshots take.
  int differing = 0;
  EXPECT_TRUE(WaitFor(
      10000,
      [&] {
        const QImage shown = ShownPlayfield();
        differing = shown.isNull() ? -1 : PixelsDiffering(shown, background);
        return differing > 0 && differing <= kMaxWave * kHeadSize * kHeadSize;
      },
      250))
      << "no heads over the background: " << differing << " pixels differ; " << qPrintable(error);

  // Each try: the frame the compositor shows, a head found on it, and a click at once. The
  // screenshot is taken without running the event loop, so the game stands still from the
  // picture to the click; the compositor may show it one movement tick behind.
  bool hit = false;
  for (int shot = 0; shot < kShots && !hit; ++shot) {
    QTest::qWait(30);  // the latest frames go to the compositor
    const QImage shown = ShownPlayfield();
    const auto aim =
        shown.isNull() ? std::nullopt : test_support::AimPoint(shown, background, kHeadSize);
    if (!aim) {
      QTest::qWait(100);
      continue;
    }
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, PlayfieldArea().topLeft() + *aim);
    hit = Child<QLabel>("scorelbl")->text() == QStringLiteral(" 10");
  }
  ASSERT_TRUE(hit) << "no hit in " << kShots << " shots; " << qPrintable(error);
  EXPECT_TRUE(WaitFor(2000, [&] { return LabelShown("scorelbl"); }))
      << "the compositor does not show the score label as it paints itself";
}

TEST_F(WaylandWindow, PlayfieldGivesThePlatformWindowTheGunsight) {
  QWindow* window = form.windowHandle();
  const QCursor expected = form.Art().GunsightCursor(form.devicePixelRatio());
  PointerEnters(PlayfieldArea().center());
  QTest::mouseMove(window, PlayfieldArea().center() + QPoint(1, 1));
  EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(window->cursor().pixmap().toImage(), expected.pixmap().toImage());
  EXPECT_EQ(window->cursor().hotSpot(), expected.hotSpot());
  QTest::mouseMove(window, Middle("Command1"));
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace headpop

// The application starts as the game's does: the platform is the one the game would take.
int main(int argc, char* argv[]) {
  ::testing::InitGoogleTest(&argc, argv);
  const std::unique_ptr<QApplication> app = headpop::StartApplication(argc, argv);
  if (!app) {
    return 1;
  }
  return RUN_ALL_TESTS();
}
