// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a high-DPI screen. Run with QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS set
// to a whole factor of 2 or more.
#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "game/random.h"
#include "sound/sound.h"
#include "ui/form1.h"
#include "ui/playfield_widget.h"
#include "window_blocks.h"

namespace headpop {
namespace {

class HighDpiWindow : public ::testing::Test {
 protected:
  HighDpiWindow() {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    factor = static_cast<int>(std::lround(form.devicePixelRatio()));
  }

  void SetUp() override {
    ASSERT_GE(factor, 2) << "run with QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS of 2 or more";
    ASSERT_EQ(form.devicePixelRatio(), factor) << "a whole factor";
  }

  NullSound sound;
  ClockRandom random{1, [] { return uint64_t{0}; }};
  Form1 form{sound, random};
  int factor = 1;
};

// The window drawn at scale 1 and at the screen's scale, in one process: the playfield,
// the background and the button pictures must be the same pixels, only larger.
TEST_F(HighDpiWindow, EveryPictureIsEnlargedIntoSquareBlocks) {
  for (const bool playing : {false, true}) {
    SCOPED_TRACE(playing ? "playing, with heads on the field" : "title");
    if (playing) {
      form.Rules().Command1_Click();
      // No tick may change the field between the two pictures.
      form.SetTimerEnabled(GameTimer::Timer1, false);
      form.SetTimerEnabled(GameTimer::Timer2, false);
      for (int tick = 0; tick < 12; ++tick) {
        form.Rules().Timer1_Timer();  // raise the first wave into sight
      }
      bool inSight = false;
      for (const SlotNo slot : SlotNo::All()) {
        const TargetSlot& head = form.Rules().State().targets[slot];
        inSight = inSight || (head.kind != 0 && head.posY < 256 && head.posX < 272);
      }
      ASSERT_TRUE(inSight) << "no head of the first wave on the field";
    }
    QImage small(form.size(), QImage::Format_RGB32);
    form.render(&small);
    const QImage large = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString mismatch = test_support::CompareWindowPictures(form, small, large, factor);
    EXPECT_TRUE(mismatch.isEmpty()) << mismatch.toStdString();
  }
}

TEST_F(HighDpiWindow, PointerIsTheGunsightInBlocksWithItsHotSpotInTheMiddle) {
  const QCursor pointer = form.Playfield().Area().cursor();
  const QImage shown = pointer.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage gunsight = form.Art().Gunsight().toImage().convertToFormat(QImage::Format_ARGB32);
  const QString mismatch =
      test_support::FirstBlockMismatch(gunsight, shown, factor, QRegion(gunsight.rect()));
  EXPECT_TRUE(mismatch.isEmpty()) << mismatch.toStdString();
  // The X11 platform takes the picture as it is, in device pixels: the hot spot is on the
  // middle of the block that the hot-spot pixel (15, 15) became.
  const int middle = 15 * factor + (factor - 1) / 2;
  EXPECT_EQ(pointer.hotSpot(), QPoint(middle, middle));
  EXPECT_EQ(pointer.pixmap().devicePixelRatio(), 1.0);
}

// A release over any device pixel of a drawing-area pixel counts as that pixel: on the
// right and bottom edges of a head's closed rectangle it hits, one pixel further it misses,
// at every scale as at scale 1.
TEST_F(HighDpiWindow, AReleaseOnAnyDevicePixelOfAHeadsEdgeHits) {
  constexpr int kHeadX = 100;
  constexpr int kHeadY = 120;
  struct Case {
    const char* where;
    int x;  // drawing-area pixel
    int y;
    bool hits;
  };
  const Case cases[] = {
      {"left edge", kHeadX, kHeadY + 10, true},
      {"right edge", kHeadX + 37, kHeadY + 10, true},
      {"bottom edge", kHeadX + 10, kHeadY + 37, true},
      {"bottom right corner", kHeadX + 37, kHeadY + 37, true},
      {"left of the head", kHeadX - 1, kHeadY + 10, false},
      {"right of the head", kHeadX + 38, kHeadY + 10, false},
      {"below the head", kHeadX + 10, kHeadY + 38, false},
  };
  form.Rules().Command1_Click();
  // No tick may move the head while the test shoots at it.
  form.SetTimerEnabled(GameTimer::Timer1, false);
  form.SetTimerEnabled(GameTimer::Timer2, false);
  QWindow* window = form.windowHandle();
  ASSERT_NE(window, nullptr);
  // Drawing-area pixel (0, 0) is client pixel (18, 58).
  const QPoint origin =
      form.Playfield().pos() + QPoint(PlayfieldWidget::kBorder, PlayfieldWidget::kBorder);
  int timestamp = 1000;
  for (const Case& c : cases) {
    for (int i = 0; i < factor; ++i) {
      SCOPED_TRACE(testing::Message() << c.where << ", device pixel " << i << " of the pixel");
      GameState& state = form.Rules().State();
      for (const SlotNo slot : SlotNo::All()) {
        state.targets[slot] = TargetSlot{};
        state.blasts[slot] = BlastSlot{};
      }
      TargetSlot& head = state.targets[SlotNo::At(1)];
      head.kind = 1;
      head.frame = 1;
      head.posX = kHeadX;
      head.posY = kHeadY;
      const int scoreBefore = state.score;

      // Through the path QTest's own mouse functions take (declared in qtestmouse.h): a
      // window position in logical pixels, here between whole numbers as a device pixel is,
      // handed to the toolkit as the platform would. The same device pixel across and down,
      // so the corner case covers the diagonal.
      const double offset = static_cast<double>(i) / factor;
      const QPointF local(origin.x() + c.x + offset, origin.y() + c.y + offset);
      const QPointF global = window->mapToGlobal(local);
      qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton,
                          QEvent::MouseButtonPress, {}, timestamp += 600);
      qt_handleMouseEvent(window, local, global, {}, Qt::LeftButton, QEvent::MouseButtonRelease, {},
                          timestamp += 600);
      EXPECT_EQ(state.score - scoreBefore, c.hits ? 10 : 0);
    }
  }
}

}  // namespace
}  // namespace headpop
