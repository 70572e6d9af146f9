// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "game/random.h"
#include "sound/sound.h"
#include "ui/playfield_widget.h"

namespace headpop {
namespace {

class Window : public ::testing::Test {
 protected:
  Window() {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  template <typename T = QWidget>
  T* Child(const char* name) {
    T* child = form.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QColor TextColour(const char* name) { return Child(name)->palette().color(QPalette::WindowText); }
  PlayfieldWidget* Picture1() { return Child<PlayfieldWidget>("Picture1"); }
  // The middle of the first head whose middle is in sight, in drawing-area pixels;
  // kNowhere if there is none.
  static constexpr QPoint kNowhere{-1, -1};
  QPoint OnAHeadInSight() {
    for (const SlotNo i : SlotNo::All()) {
      const TargetSlot& head = form.Rules().State().targets[i];
      const QPoint centre(static_cast<int>(head.posX) + 18, static_cast<int>(head.posY) + 18);
      if (head.kind != 0 && QRect(0, 0, 309, 293).contains(centre)) {
        return centre;
      }
    }
    return kNowhere;
  }

  // A point of the client area, from drawing-area pixels.
  static QPoint OnClient(QPoint drawingArea) { return drawingArea + QPoint(18, 58); }
  // A press and a release handed to the window as the window system hands them: the toolkit
  // finds the widget under the press itself. Points in drawing-area pixels.
  void PressAndRelease(Qt::MouseButton button, QPoint press, QPoint release,
                       Qt::KeyboardModifiers modifiers = {}) {
    QWindow* window = form.windowHandle();
    ASSERT_NE(window, nullptr);
    QTest::mousePress(window, button, modifiers, OnClient(press));
    QTest::mouseRelease(window, button, modifiers, OnClient(release));
  }

  NullSound sound;
  ClockRandom random{1, [] { return uint64_t{0}; }};
  Form1 form{sound, random};
};

TEST_F(Window, ControlsHaveTheirDesignGeometry) {
  struct Case {
    const char* name;
    QRect geometry;
  };
  const Case cases[] = {
      {"Picture1", QRect(16, 56, 313, 297)}, {"Command1", QRect(112, 360, 81, 49)},
      {"Command2", QRect(200, 360, 49, 49)}, {"Label4", QRect(16, 360, 38, 17)},
      {"scorelbl", QRect(56, 360, 51, 17)},  {"Label1", QRect(40, 384, 44, 17)},
      {"Label3", QRect(256, 384, 57, 20)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Child(c.name)->geometry(), c.geometry) << c.name;
  }
  // Sized to its text: its caption's width and the two borders.
  auto* level = Child<QLabel>("levellbl");
  EXPECT_EQ(level->geometry(),
            QRect(88, 384, level->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 4, 17));
  EXPECT_EQ(form.size(), QSize(348, 419));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Headpop"));
  EXPECT_EQ(Picture1()->contentsRect(), QRect(2, 2, 309, 293));
  EXPECT_EQ(Picture1()->Area().geometry(), QRect(2, 2, 309, 293));
}

TEST_F(Window, LabelsShowTheirTextsInTheirColoursAndFitTheirSizes) {
  struct Case {
    const char* name;
    QString text;
    QColor colour;
  };
  const Case cases[] = {
      {"Label4", QStringLiteral("Poin :"), QColor(255, 255, 255)},
      {"scorelbl", QStringLiteral("00"), QColor(0, 255, 255)},
      {"Label1", QStringLiteral("Level :"), QColor(255, 255, 255)},
      {"levellbl", QStringLiteral("00"), QColor(255, 255, 0)},
      {"Label3", QStringLiteral("&About ?"), QColor(128, 128, 128)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* label = Child<QLabel>(c.name);
    EXPECT_EQ(label->text(), c.text);
    EXPECT_EQ(TextColour(c.name), c.colour);
    EXPECT_EQ(label->frameWidth(), 2);
    const QString plain = QString(c.text).remove(QLatin1Char('&'));
    // The ink of the caption fits inside the border.
    const QRect ink = label->fontMetrics().tightBoundingRect(plain);
    EXPECT_GE(ink.left(), 0);
    EXPECT_LT(ink.right(), label->contentsRect().width());
    EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height());
    EXPECT_TRUE(QFontInfo(label->font()).bold());
  }
  auto* about = Child<QLabel>("Label3");
  EXPECT_TRUE(about->autoFillBackground());
  EXPECT_EQ(about->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_FALSE(Child<QLabel>("Label4")->autoFillBackground());
}

// The '&' of the caption shows as an underline under the A, in the label's own face, and
// changes nothing else of what the label shows.
TEST_F(Window, TheAboutLabelUnderlinesTheAOfItsAccessKeyAndNothingElse) {
  auto* about = Child<QLabel>("Label3");
  const QImage withKey = about->grab().toImage();
  about->setText(QStringLiteral("About ?"));
  const QImage plain = about->grab().toImage();
  about->setText(QStringLiteral("&About ?"));
  ASSERT_EQ(withKey.size(), plain.size());
  const QRect content = about->contentsRect();
  const int advanceOfA = about->fontMetrics().horizontalAdvance(QLatin1Char('A'));
  QRegion changed;
  int lowestInkOfA = -1;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      if (withKey.pixel(x, y) != plain.pixel(x, y)) {
        changed += QRect(x, y, 1, 1);
      }
      if (content.contains(x, y) && x < content.left() + advanceOfA &&
          plain.pixel(x, y) != QColor(Qt::black).rgb()) {
        lowestInkOfA = y;
      }
    }
  }
  ASSERT_FALSE(changed.isEmpty()) << "no underline";
  const QRect line = changed.boundingRect();
  EXPECT_GT(line.top(), lowestInkOfA) << "the line lies under the A";
  EXPECT_LE(line.height(), 2);
  EXPECT_GE(line.left(), content.left());
  EXPECT_LE(line.right(), content.left() + advanceOfA);
  EXPECT_GE(line.width(), advanceOfA - 2);
  EXPECT_EQ(changed.rectCount(), 1) << "a solid line";
}

TEST_F(Window, TheLevelLabelGrowsToTheRightAndTheScoreLabelKeepsItsWidth) {
  form.SetLevelCaption(" 1");
  const QRect one = Child("levellbl")->geometry();
  form.SetLevelCaption(" 10");
  const QRect ten = Child("levellbl")->geometry();
  EXPECT_EQ(one.topLeft(), QPoint(88, 384));
  EXPECT_EQ(ten.topLeft(), QPoint(88, 384));
  EXPECT_GT(ten.width(), one.width());
  form.SetScoreCaption(" 5750");
  EXPECT_EQ(Child("scorelbl")->geometry(), QRect(56, 360, 51, 17));
  EXPECT_TRUE(Child<QLabel>("scorelbl")->alignment().testFlag(Qt::AlignHCenter));
}

TEST_F(Window, ButtonsShowTheirPicturesAndTips) {
  auto* start = Child<QPushButton>("Command1");
  auto* quit = Child<QPushButton>("Command2");
  EXPECT_EQ(start->toolTip(), QStringLiteral("Let's Get it on !!"));
  EXPECT_EQ(quit->toolTip(), QStringLiteral("I want Out.."));
  EXPECT_EQ(start->iconSize(), QSize(70, 40));
  EXPECT_EQ(quit->iconSize(), QSize(40, 40));
  EXPECT_TRUE(start->text().isEmpty());
}

TEST_F(Window, NeitherButtonIsTheWindowsDefault) {
  // Return with the focus elsewhere presses nothing.
  Child("Picture1")->setFocus();
  QTest::keyClick(Child("Picture1"), Qt::Key_Return);
  QTest::keyClick(Child("Picture1"), Qt::Key_Escape);
  EXPECT_NE(form.Rules().State().gameOver, 0);
}

// Every row of the hover table, from either colour: a move over Label3 turns it yellow; over
// the window's background or either button, grey; over any other label or the playfield,
// border or drawing area, it keeps its colour.
TEST_F(Window, TheAboutHighlightFollowsEveryRowOfTheHoverTable) {
  enum class After { Yellow, Grey, Kept };
  struct Row {
    const char* over;  // the widget under the point, "" for the window's background
    QPoint where;      // in the client area
    After after;
  };
  const auto centre = [&](const char* name) { return Child(name)->geometry().center(); };
  const Row rows[] = {
      {"Label3", centre("Label3"), After::Yellow},
      {"", QPoint(340, 10), After::Grey},
      {"Command1", centre("Command1"), After::Grey},
      {"Command2", centre("Command2"), After::Grey},
      {"Label4", centre("Label4"), After::Kept},
      {"scorelbl", centre("scorelbl"), After::Kept},
      {"Label1", centre("Label1"), After::Kept},
      {"levellbl", centre("levellbl"), After::Kept},
      {"Picture1Area", centre("Picture1"), After::Kept},
      {"Picture1", QPoint(17, 200), After::Kept},  // its border
  };
  const QColor yellow(255, 255, 0);
  const QColor grey(128, 128, 128);
  // Other points of Label3 and of the background than the rows', so that each move of a
  // row goes somewhere new.
  const QPoint toYellow = Child("Label3")->geometry().topLeft() + QPoint(3, 3);
  const QPoint toGrey(5, 200);
  for (const Row& row : rows) {
    const QWidget* under = form.childAt(row.where);
    ASSERT_EQ(under != nullptr ? under->objectName().toStdString() : "", row.over);
    for (const bool fromYellow : {true, false}) {
      SCOPED_TRACE(::testing::Message()
                   << "over '" << row.over << "', from " << (fromYellow ? "yellow" : "grey"));
      QTest::mouseMove(&form, fromYellow ? toYellow : toGrey);
      QApplication::processEvents();
      ASSERT_EQ(TextColour("Label3").name().toStdString(),
                (fromYellow ? yellow : grey).name().toStdString());
      QTest::mouseMove(&form, row.where);
      QApplication::processEvents();
      const QColor expected = row.after == After::Yellow ? yellow
                              : row.after == After::Grey ? grey
                              : fromYellow               ? yellow
                                                         : grey;
      EXPECT_EQ(TextColour("Label3").name().toStdString(), expected.name().toStdString());
    }
  }
}

TEST_F(Window, FocusStartsOnStartAndTabsThroughThePlayfieldToQuit) {
  EXPECT_EQ(QApplication::focusWidget(), Child("Command1"));
  const char* order[] = {"Picture1", "Command2", "Command1"};
  for (const char* next : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Child(next)) << next;
  }
}

TEST_F(Window, SpaceAndReturnOnTheFocusedStartButtonClickIt) {
  for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
    form.Rules().Label3_Click();
    ASSERT_NE(form.Rules().State().gameOver, 0);
    QTest::keyClick(Child("Command1"), key);
    EXPECT_EQ(form.Rules().State().gameOver, 0) << key;
  }
}

TEST_F(Window, ReleasesArriveInDrawingAreaPixelsForAnyButtonAndAnywhere) {
  QSignalSpy spy(Picture1(), &PlayfieldWidget::Released);
  struct Case {
    Qt::MouseButton button;
    QPoint press;  // in drawing-area pixels
    QPoint release;
    int code;
  };
  const Case cases[] = {
      {Qt::LeftButton, {0, 0}, {0, 0}, 1},         {Qt::LeftButton, {308, 292}, {308, 292}, 1},
      {Qt::RightButton, {98, 98}, {98, 98}, 2},    {Qt::MiddleButton, {98, 98}, {98, 98}, 4},
      {Qt::LeftButton, {48, 48}, {-1, 293}, 1},     // onto the border
      {Qt::LeftButton, {48, 48}, {-32, 398}, 1},    // out of the window
      {Qt::RightButton, {300, 10}, {400, -70}, 2},  // out of the window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "released at " << c.release.x() << ", " << c.release.y());
    spy.clear();
    PressAndRelease(c.button, c.press, c.release);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<int16_t>(), c.code);
    EXPECT_EQ(spy.at(0).at(2).toFloat(), static_cast<float>(c.release.x()));
    EXPECT_EQ(spy.at(0).at(3).toFloat(), static_cast<float>(c.release.y()));
  }
  // A press on the drawing area gives Picture1 the focus, as a click on it always did.
  EXPECT_EQ(QApplication::focusWidget(), Picture1());
  spy.clear();
  PressAndRelease(Qt::LeftButton, {9, 9}, {9, 9}, Qt::ShiftModifier | Qt::ControlModifier);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(1).value<int16_t>(), 3);
}

// The border is no part of the drawing area: a press on any side of it shoots nothing,
// wherever it is released, not even on the bottom border under a head whose top rows show.
TEST_F(Window, APressOnTheBorderShootsNothing) {
  QTest::mouseClick(Child("Command1"), Qt::LeftButton);
  form.SetTimerEnabled(GameTimer::Timer1, false);
  form.SetTimerEnabled(GameTimer::Timer2, false);
  form.Rules().Timer1_Timer();  // the first wave's top 10 rows show
  int underHead = -1;
  for (const SlotNo i : SlotNo::All()) {
    const TargetSlot& head = form.Rules().State().targets[i];
    if (head.kind != 0 && head.posX >= 0 && head.posX <= 300) {
      ASSERT_EQ(head.posY, 283.0F);
      underHead = static_cast<int>(head.posX) + 5;
      break;
    }
  }
  ASSERT_GE(underHead, 0) << "no head of the first wave in the playfield's columns";

  QSignalSpy spy(Picture1(), &PlayfieldWidget::Released);
  struct Case {
    const char* side;
    QPoint press;  // in drawing-area pixels
  };
  const Case cases[] = {
      {"left", {-2, 150}},          {"left", {-1, 150}},          {"right", {309, 150}},
      {"right", {310, 150}},        {"top", {150, -2}},           {"top", {150, -1}},
      {"bottom", {underHead, 293}}, {"bottom", {underHead, 294}}, {"corner", {310, 294}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.side << " border at " << c.press.x() << ", " << c.press.y());
    for (const QPoint release : {c.press, QPoint(underHead, 290)}) {
      PressAndRelease(Qt::LeftButton, c.press, release);
      EXPECT_EQ(spy.count(), 0) << "released at " << release.x() << ", " << release.y();
      spy.clear();
    }
  }
  EXPECT_EQ(form.Rules().State().score, 0);
  // One pixel higher, on the drawing area's bottom row, the same head is hit.
  PressAndRelease(Qt::LeftButton, {underHead, 292}, {underHead, 292});
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(form.Rules().State().score, 10);
}

// The pointer is the gunsight over the drawing area, and the window's own arrow over the
// border and elsewhere.
TEST_F(Window, TheGunsightShowsOverTheDrawingAreaAloneAndTheArrowOverItsBorder) {
  struct Case {
    QPoint at;  // in drawing-area pixels
    bool gunsight;
  };
  const Case cases[] = {
      {{0, 0}, true},      {{308, 292}, true}, {{154, 146}, true},  {{0, 292}, true},
      {{-1, 100}, false},  {{-2, 100}, false}, {{309, 100}, false}, {{310, 100}, false},
      {{100, -1}, false},  {{100, -2}, false}, {{100, 293}, false}, {{100, 294}, false},
      {{-10, 100}, false},  // the window's background
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "at " << c.at.x() << ", " << c.at.y());
    const QWidget* under = form.childAt(OnClient(c.at));
    const QCursor shown = (under != nullptr ? under : &form)->cursor();
    if (c.gunsight) {
      EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
      EXPECT_EQ(shown.hotSpot(), QPoint(15, 15));
    } else {
      EXPECT_EQ(shown.shape(), Qt::ArrowCursor);
    }
  }
}

TEST_F(Window, StartsOnTheTitleWithNoTimerAndTargetFramesInPixels) {
  QImage title(309, 293, QImage::Format_RGB32);
  title.fill(Qt::black);
  QPainter(&title).drawImage(0, 0, QImage(QStringLiteral(HEADPOP_PICTURES_DIR "/picture2.png")));
  EXPECT_EQ(Picture1()->Surface().Pixels(), title);
  EXPECT_FALSE(form.TimerEnabled(GameTimer::Timer1));
  EXPECT_FALSE(form.TimerEnabled(GameTimer::Timer2));
  EXPECT_FALSE(Child<QTimer>("Timer2")->isActive());
  EXPECT_EQ(Child<QTimer>("Timer1")->interval(), 1);
  EXPECT_EQ(form.Timer2Schedule().Period(), std::chrono::milliseconds(80));
  EXPECT_EQ(Child<QTimer>("Timer1")->timerType(), Qt::PreciseTimer);
  for (const SpriteSet set : {SpriteSet::pic1, SpriteSet::pic2, SpriteSet::pic3}) {
    EXPECT_EQ(form.SpriteScaleWidth(set, 3), 37.0F);
  }
  EXPECT_EQ(form.SpriteScaleWidth(SpriteSet::ledakpic, 1), 555.0F);
  EXPECT_EQ(form.PlayfieldScaleWidth(), 309.0F);
  EXPECT_EQ(form.PlayfieldScaleHeight(), 293.0F);
}

// The window hands the desktop its icon at 16 and 32 pixels and, for larger title bars and
// task bars, at 48 and 64: every image opaque to its corners.
TEST_F(Window, TheWindowIconIsOpaqueAtEachOfItsSizes) {
  const QIcon icon = form.windowIcon();
  const QList<QSize> expected = {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
  EXPECT_EQ(icon.availableSizes(), expected);
  for (const QSize& size : icon.availableSizes()) {
    SCOPED_TRACE(::testing::Message() << size.width() << " pixels");
    const QImage image = icon.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), size);
    int translucent = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        translucent += qAlpha(image.pixel(x, y)) != 255 ? 1 : 0;
      }
    }
    EXPECT_EQ(translucent, 0);
  }
}

TEST_F(Window, StartThroughTheButtonBeginsLevelOneWithBothTimers) {
  QTest::mouseClick(Child("Command1"), Qt::LeftButton);
  EXPECT_EQ(Child<QLabel>("scorelbl")->text(), QStringLiteral(" 0"));
  EXPECT_EQ(Child<QLabel>("levellbl")->text(), QStringLiteral(" 1"));
  EXPECT_TRUE(Child<QTimer>("Timer1")->isActive());
  EXPECT_TRUE(form.TimerEnabled(GameTimer::Timer2));
  EXPECT_EQ(Child<QTimer>("Timer1")->interval(), 200);
  EXPECT_EQ(form.ShownScreen(), ScreenPicture::backpic);

  // Raise the first wave into sight and shoot one of its heads through the widget.
  for (int tick = 0; tick < 10; ++tick) {
    form.Rules().Timer1_Timer();
  }
  const QPoint onHead = OnAHeadInSight();
  ASSERT_NE(onHead, kNowhere) << "no head of the first wave in sight";
  PressAndRelease(Qt::LeftButton, onHead, onHead);
  EXPECT_EQ(Child<QLabel>("scorelbl")->text(), QStringLiteral(" 10"));

  QTest::mouseClick(Child("Label3"), Qt::LeftButton);
  EXPECT_FALSE(Child<QTimer>("Timer1")->isActive());
  EXPECT_FALSE(form.TimerEnabled(GameTimer::Timer2));
  EXPECT_FALSE(Child<QTimer>("Timer2")->isActive());
  EXPECT_EQ(form.ShownScreen(), ScreenPicture::Picture2);
}

// Counts the timer events that reach one object: each is a wake-up of the program.
class TimerEventCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    count += event->type() == QEvent::Timer ? 1 : 0;
    return false;
  }
};

// Timer2 stays enabled for the rules all through play, but its QTimer wakes the program
// only for the five ticks that step an explosion. Real time passes here, but only counts
// are checked, never how long anything took.
TEST_F(Window, Timer2WakesOnlyForTheFiveStepsOfAnExplosion) {
  QTest::mouseClick(Child("Command1"), Qt::LeftButton);
  form.SetTimerEnabled(GameTimer::Timer1, false);  // the heads stand still
  for (int tick = 0; tick < 10; ++tick) {
    form.Rules().Timer1_Timer();
  }
  auto* waker = Child<QTimer>("Timer2");
  TimerEventCounter wakeUps;
  waker->installEventFilter(&wakeUps);
  QTest::qWait(250);  // three ticks of the grid with nothing to step
  EXPECT_EQ(wakeUps.count, 0);
  EXPECT_FALSE(waker->isActive());
  EXPECT_TRUE(form.TimerEnabled(GameTimer::Timer2));

  const QPoint onHead = OnAHeadInSight();
  ASSERT_NE(onHead, kNowhere) << "no head of the first wave in sight";
  PressAndRelease(Qt::LeftButton, onHead, onHead);
  const BlastSlot& blast = form.Rules().State().blasts[SlotNo::At(1)];
  ASSERT_EQ(blast.blastStage, 1);
  EXPECT_TRUE(waker->isActive());
  EXPECT_TRUE(QTest::qWaitFor([&] { return blast.blastStage == 0; }, 10000));
  EXPECT_EQ(wakeUps.count, 5);
  QTest::qWait(250);
  EXPECT_EQ(wakeUps.count, 5);
  EXPECT_FALSE(waker->isActive());
  EXPECT_TRUE(form.TimerEnabled(GameTimer::Timer2));
}

// Records the region of every paint event the playfield gets.
class PaintRecorder : public QObject {
 public:
  QRegion painted;
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted |= static_cast<QPaintEvent*>(event)->region();
    }
    return false;
  }
};

TEST_F(Window, ABlitRepaintsOnlyItsRectangle) {
  QApplication::processEvents();
  PaintRecorder border;
  PaintRecorder area;
  Picture1()->installEventFilter(&border);
  Picture1()->Area().installEventFilter(&area);
  form.DrawSprite(SpriteSet::pic2, 1, 100, 100);
  form.DrawSprite(SpriteSet::ledakpic, 3, 300, -10);
  QApplication::processEvents();
  EXPECT_EQ(area.painted, QRegion(100, 100, 37, 37) | QRegion(300, 0, 9, 27));
  EXPECT_TRUE(border.painted.isEmpty());
}

// A tick is painted before its handler returns, and only where it drew: the event loop
// needs no second pass for it.
TEST_F(Window, ATickIsPaintedWhereItDrewAsItsHandlerEnds) {
  QTest::mouseClick(Child("Command1"), Qt::LeftButton);
  auto* tick = Child<QTimer>("Timer1");
  tick->stop();
  Child<QTimer>("Timer2")->stop();
  QApplication::processEvents();
  const auto heads = [&] {
    QRegion region;
    for (const SlotNo i : SlotNo::All()) {
      const TargetSlot& t = form.Rules().State().targets[i];
      if (t.kind != 0) {
        region |= QRect(qRound(t.posX), qRound(t.posY), 37, 37);
      }
    }
    return region & QRect(0, 0, 309, 293);
  };
  const QRegion before = heads();  // the first wave waits below the bottom edge
  PaintRecorder recorder;
  Picture1()->Area().installEventFilter(&recorder);
  QRegion paintedInHandler;
  bool ticked = false;
  // Connected after the window's own handler, so it runs once that has returned.
  QObject::connect(tick, &QTimer::timeout, &form, [&] {
    paintedInHandler = recorder.painted;
    ticked = true;
  });
  tick->setSingleShot(true);
  tick->start(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticked; }, 2000));
  EXPECT_FALSE(heads().isEmpty()) << "the wave has risen into sight";
  EXPECT_EQ(paintedInHandler, before | heads());
  QApplication::processEvents();
  EXPECT_EQ(recorder.painted, paintedInHandler) << "painted again on a later pass";
}

TEST_F(Window, ARepaintShowsExactlyThePixelsHeld) {
  form.SetScreenPicture(ScreenPicture::backpic);
  form.DrawSprite(SpriteSet::pic1, 2, 50.5F, 280);
  form.DrawSprite(SpriteSet::pic3, 1, 60, 270);
  form.DrawSprite(SpriteSet::ledakpic, 4, -12, 100);
  auto shown = [&] {
    return Picture1()->grab(QRect(2, 2, 309, 293)).toImage().convertToFormat(QImage::Format_RGB32);
  };
  const QImage held = Picture1()->Surface().Pixels();
  EXPECT_EQ(shown(), held);
  form.showMinimized();
  QApplication::processEvents();
  form.showNormal();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  Picture1()->repaint();
  EXPECT_EQ(shown(), held);
}

TEST_F(Window, TheQuitQuestionAsksWithItsTextsYesDefaultNoIcon) {
  for (const bool yes : {false, true}) {
    QString title;
    QString prompt;
    bool yesIsDefault = false;
    bool noIcon = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      prompt = box->text();
      yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
      noIcon = box->icon() == QMessageBox::NoIcon;
      box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    EXPECT_EQ(form.AskYesNo("Are you sure to go to Hell ??", "I don't believe it !!"), yes);
    EXPECT_EQ(title, QStringLiteral("I don't believe it !!"));
    EXPECT_EQ(prompt, QStringLiteral("Are you sure to go to Hell ??"));
    EXPECT_TRUE(yesIsDefault);
    EXPECT_TRUE(noIcon);
  }
}

// Getting the sound ready takes tens of milliseconds, so the window asks for it only once
// its first frame is out, and only once.
TEST(WindowSound, IsPreparedAfterTheFirstFrameAndOnlyOnce) {
  struct CountingSound final : Sound {
    bool DetectSoundFiles() override { return true; }
    void PlayEffect(std::string_view /*name*/) override {}
    void Prepare() override { ++prepared; }
    int prepared = 0;
  } sound;
  ClockRandom random{1, [] { return uint64_t{0}; }};
  Form1 form{sound, random};
  QCoreApplication::processEvents();
  EXPECT_EQ(sound.prepared, 0) << "not before the window is painted";
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(QTest::qWaitFor([&] { return sound.prepared == 1; }, 5000));
  form.repaint();
  form.hide();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
  EXPECT_EQ(sound.prepared, 1);
}

}  // namespace
}  // namespace headpop
