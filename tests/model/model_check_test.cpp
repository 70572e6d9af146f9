// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The model check must see every kind of fault it is there for: a ghost, a missed erase,
// a sprite drawn at the wrong pixel, sprites left on a screen, and broken rules.
#include "tests/model/model_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/model/harness.h"

namespace headpop::model {
namespace {

// A level in play with its first wave in view.
class Level {
 public:
  Level() {
    harness.Start(false);
    for (int tick = 0; tick < 5; ++tick) {
      harness.Tick(GameTimer::Timer1);
    }
  }

  Form1& form() { return harness.Window(); }
  GameState& state() { return form().Rules().State(); }

  // Puts a target into the first free slot and draws it, as a spawn would.
  SlotNo Place(float x, float y, int16_t kind = 2, int16_t frame = 1) {
    for (const SlotNo i : SlotNo::All()) {
      TargetSlot& t = state().targets[i];
      if (t.kind == 0) {
        t = TargetSlot{kind, x, y, frame, 1};
        form().DrawSprite(SetOf(kind), frame, x, y);
        return i;
      }
    }
    throw std::logic_error("no free slot");
  }

  static SpriteSet SetOf(int16_t kind) {
    return kind == 1 ? SpriteSet::pic1 : kind == 2 ? SpriteSet::pic2 : SpriteSet::pic3;
  }

  // The first pixel, in reading order, that a sprite drawn at (left, top) changes.
  std::string FirstInkOf(SpriteSet set, int item, int left, int top) {
    const QImage& picture = form().Art().Sprite(set, item).Picture();
    for (int v = 0; v < 37; ++v) {
      for (int u = 0; u < 37; ++u) {
        if ((picture.pixel(u, v) & 0xFFFFFFU) != 0) {
          return "pixel (" + std::to_string(left + u) + ", " + std::to_string(top + v) + ") is #";
        }
      }
    }
    return "a blank sprite";
  }

  Harness harness{7};
  ModelCheck check{harness.Window().Art()};
};

TEST(Check, APlayedLevelHoldsAndEachPlayfieldFaultIsNamedAtItsFirstPixel) {
  struct Case {
    const char* fault;
    std::function<void(Level&, SlotNo)> make;
    SpriteSet firstSet;  // the sprite whose first ink is the first difference
    int firstItem;
    int firstTop;
    std::string covering;  // "#" stands for the placed target's slot
  };
  const Case cases[] = {
      {"a ghost nothing accounts for",
       [](Level& l, SlotNo) { l.form().DrawSprite(SpriteSet::pic2, 2, 100, 30); }, SpriteSet::pic2,
       2, 30, "covered by no sprite"},
      {"a target freed without its erase",
       [](Level& l, SlotNo placed) { l.state().targets[placed].kind = 0; }, SpriteSet::pic2, 1, 100,
       "covered by no sprite"},
      {"a target moved without a redraw",
       [](Level& l, SlotNo placed) { l.state().targets[placed].posY = 90; }, SpriteSet::pic2, 1, 90,
       "covered by target # (kind 2, frame 1, at 100, 90)"},
      {"an explosion erased twice",
       [](Level& l, SlotNo) {
         l.form().Rules().Picture1_MouseUp(1, 0, 101, 101);
         l.form().DrawSprite(SpriteSet::ledakpic, 1, 100, 100);
       },
       SpriteSet::ledakpic, 1, 100, "covered by blast 1 (stage 1, at 100, 100)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    Level level;
    const SlotNo placed = level.Place(100, 100);
    ASSERT_EQ(level.check(level.form()), "");
    c.make(level, placed);
    const std::string found = level.check(level.form());
    EXPECT_NE(found.find(level.FirstInkOf(c.firstSet, c.firstItem, 100, c.firstTop)),
              std::string::npos)
        << found;
    std::string covering = c.covering;
    if (const auto hash = covering.find('#'); hash != std::string::npos) {
      covering.replace(hash, 1, std::to_string(placed.Number()));
    }
    EXPECT_NE(found.find(covering), std::string::npos) << found;
  }
}

TEST(Check, OffTheLevelTheSurfaceHoldsTheScreenPictureAlone) {
  Level level;
  level.harness.About(false);
  // The slots are still taken, but About cleared their sprites away.
  ASSERT_NE(level.state().targets[SlotNo::At(1)].kind, 0);
  EXPECT_EQ(level.check(level.form()), "");
  level.form().DrawSprite(SpriteSet::pic1, 1, 150, 150);
  const std::string found = level.check(level.form());
  EXPECT_NE(found.find(level.FirstInkOf(SpriteSet::pic1, 1, 150, 150)), std::string::npos) << found;
  EXPECT_NE(found.find("on Picture2 in Title; sprites are cleared out of play"), std::string::npos)
      << found;
}

// A sprite lands on its position rounded half to even, and only its clipped part shows.
TEST(Check, HalfwayPositionsRoundToEvenAndClippedSpritesAgreeWithTheSurface) {
  struct Case {
    float x;
    float y;
    float drawnX;  // where the surface is made to draw it instead
    float drawnY;
    bool holds;
  };
  const Case cases[] = {
      {2.5F, 40.5F, 2, 40, true},        {3.5F, 41.5F, 4, 42, true},
      {2.5F, 40, 3, 40, false},          {3.5F, 40, 3, 40, false},
      {-0.5F, -1.5F, 0, -2, true},       {-1.5F, -0.5F, -1, 0, false},
      {307.5F, 291.5F, 308, 292, true},  {-36.5F, 100, -36, 100, true},
      {-35.5F, 100, -35, 100, false},    {100, 292.5F, 100, 292, true},
      {-37.5F, -37.5F, -38, -38, true},  {308.5F, 293.5F, 308, 294, true},
      {200.49998F, 100, 200, 100, true}, {200.50002F, 100, 201, 100, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "at " << c.x << ", " << c.y);
    Level level;
    level.Place(c.x, c.y, 3, 2);
    EXPECT_EQ(level.check(level.form()), "");
    level.form().DrawSprite(SpriteSet::pic3, 2, c.x, c.y);
    level.form().DrawSprite(SpriteSet::pic3, 2, c.drawnX, c.drawnY);
    EXPECT_EQ(level.check(level.form()).empty(), c.holds) << level.check(level.form());
  }
}

TEST(Check, EachBrokenRuleIsNamed) {
  struct Case {
    std::function<void(Level&, TargetSlot&)> brake;
    const char* named;
  };
  const Case cases[] = {
      {[](Level&, TargetSlot& t) { t.frame = 4; }, "has frame 4"},
      {[](Level&, TargetSlot& t) { t.frame = 0; }, "has frame 0"},
      {[](Level&, TargetSlot& t) { t.kind = 4; }, "has kind 4"},
      {[](Level&, TargetSlot& t) { t.kind = -1; }, "has kind -1"},
      {[](Level&, TargetSlot& t) { t.pathKind = 0; }, "has path kind 0"},
      {[](Level&, TargetSlot& t) { t.pathKind = 4; }, "has path kind 4"},
      {[](Level&, TargetSlot& t) { t.pathKind = 3; }, "zigzags in direction 0"},
      {[](Level&, TargetSlot& t) {
         t.pathKind = 3;
         t.zigDir = 3;
       },
       "zigzags in direction 3"},
      {[](Level& l, TargetSlot&) { l.state().blasts[SlotNo::At(20)].blastStage = 6; },
       "blast 20 has stage 6"},
      {[](Level& l, TargetSlot&) { l.state().blasts[SlotNo::At(20)].blastStage = -1; },
       "blast 20 has stage -1"},
      {[](Level& l, TargetSlot&) { l.state().remaining = -1; }, "remaining -1"},
      {[](Level& l, TargetSlot&) { l.state().escaped = -1; }, "escaped -1"},
      {[](Level& l, TargetSlot&) { l.state().level = 12; }, "level 12"},
      {[](Level& l, TargetSlot&) { l.state().level = -1; }, "level -1"},
      {[](Level& l, TargetSlot&) { l.state().gameOver = 1; }, "gameOver 1"},
      {[](Level& l, TargetSlot&) { l.form().SetTimerEnabled(GameTimer::Timer2, false); },
       "Timer2 stopped in play"},
      {[](Level& l, TargetSlot&) { l.form().SetTimerEnabled(GameTimer::Timer1, false); },
       "Timer1 stopped in play"},
      {[](Level& l, TargetSlot&) { l.form().SetTimer1Interval(123); },
       "Timer1 interval 123 ms, level's 200 ms"},
      {[](Level& l, TargetSlot&) { l.state().betweenLevels = true; },
       "between levels with backpic shown"},
      {[](Level& l, TargetSlot&) { l.form().SetScreenPicture(ScreenPicture::levelpic); },
       "playing with levelpic shown"},
      {[](Level& l, TargetSlot&) {
         l.harness.About(false);
         l.form().SetScreenPicture(ScreenPicture::backpic);
       },
       "not playing with backpic shown"},
      {[](Level& l, TargetSlot&) {
         l.harness.About(false);
         l.form().SetTimerEnabled(GameTimer::Timer1, true);
       },
       "Timer1 running out of play"},
      {[](Level& l, TargetSlot&) {
         l.harness.About(false);
         l.form().SetScreenPicture(ScreenPicture::winpic);
       },
       "level 1 with winpic shown"},
      {[](Level& l, TargetSlot&) {
         l.harness.About(false);
         l.state().gameOver = kFalse16;
         l.state().betweenLevels = true;
       },
       "between levels with Picture2 shown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.named);
    Level level;
    const SlotNo placed = level.Place(60, 60, 1);
    ASSERT_EQ(level.check(level.form()), "");
    c.brake(level, level.state().targets[placed]);
    const std::string found = level.check(level.form());
    EXPECT_NE(found.find(c.named), std::string::npos) << found;
  }
}

TEST(CheckOnce, NamesTheStateOfEachScreen) {
  Harness harness(3);
  const Form1& form = harness.Window();
  EXPECT_EQ(CheckModel(form), "");
  EXPECT_EQ(StateOf(form), PlayState::Title);
  harness.Start(true);
  EXPECT_EQ(StateOf(form), PlayState::Playing);
  EXPECT_EQ(CheckModel(form), "");
  harness.About(true);
  EXPECT_EQ(StateOf(form), PlayState::Title);
  EXPECT_EQ(CheckModel(form), "");
}

}  // namespace
}  // namespace headpop::model
