// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/game_fixture.h"

namespace headpop {
namespace {

enum class Screen { Title, Playing, BetweenLevels, Won, Lost };

const char* NameOf(Screen s) {
  constexpr const char* kNames[] = {"Title", "Playing", "BetweenLevels", "Won", "Lost"};
  return kNames[static_cast<int>(s)];
}

class Flow : public testing::GameFixture {
 protected:
  // The state as the flags, the timers and the picture shown define it together.
  std::string StateName() {
    const bool over = state().gameOver != kFalse16;
    const bool between = state().betweenLevels;
    const auto picture = window.screen;
    if (window.TimersRunning() && !over && !between && picture == ScreenPicture::backpic) {
      return "Playing";
    }
    if (!window.TimersStopped()) {
      return "inconsistent";
    }
    if (over && picture == ScreenPicture::Picture2) {
      return "Title";
    }
    if (!over && between && picture == ScreenPicture::levelpic) {
      return "BetweenLevels";
    }
    if (over && !between && picture == ScreenPicture::winpic) {
      return "Won";
    }
    if (over && !between && picture == ScreenPicture::losepic) {
      return "Lost";
    }
    return "inconsistent";
  }

  // Shoots the target in slot 1 as the last of the level's quota.
  void ShootLastOfQuota() {
    state().remaining = 1;
    game.Picture1_MouseUp(1, 0, target(1).posX + 1, target(1).posY + 1);
  }

  void Reach(Screen s) {
    switch (s) {
      case Screen::Title:
        return;
      case Screen::Playing:
        StartGame();
        return;
      case Screen::BetweenLevels:
        StartGame();
        ShootLastOfQuota();
        return;
      case Screen::Won:
        StartGame();
        state().level = 10;
        ShootLastOfQuota();
        return;
      case Screen::Lost:
        StartGame();
        state().remaining = 1;
        state().escaped = 3;
        target(1).posY = -37;
        ScriptStraightWave({5});  // the wave that the escape brings
        game.Timer1_Timer();
        return;
    }
  }
};

struct Transition {
  Screen from;
  const char* event;
  const char* to;
};

class FlowTable : public Flow, public ::testing::WithParamInterface<Transition> {};

TEST_P(FlowTable, EventLeadsToState) {
  const Transition& t = GetParam();
  Reach(t.from);
  ASSERT_EQ(StateName(), NameOf(t.from));
  const GameState before = state();
  const std::string event = t.event;
  window.Forget();
  if (event == "Command1") {
    ScriptStraightWave({7});
    game.Command1_Click();
  } else if (event == "Command2 No") {
    window.answerYes = false;
    game.Command2_Click();
    EXPECT_EQ(window.programEnded, 0);
  } else if (event == "Command2 Yes") {
    window.answerYes = true;
    game.Command2_Click();
    EXPECT_EQ(window.programEnded, 1);
  } else if (event == "Label3") {
    game.Label3_Click();
  } else if (event == "release") {
    game.Picture1_MouseUp(1, 0, 150, 150);
  }
  EXPECT_EQ(StateName(), t.to);
  if (event.starts_with("Command2") || (event == "release" && t.from != Screen::Playing)) {
    // Nothing changes: no field, no drawing, no sound, no timer.
    EXPECT_EQ(state().level, before.level);
    EXPECT_EQ(state().score, before.score);
    EXPECT_EQ(state().remaining, before.remaining);
    EXPECT_EQ(state().gameOver, before.gameOver);
    EXPECT_EQ(state().betweenLevels, before.betweenLevels);
    std::vector<std::string> allowed;
    if (event.starts_with("Command2")) {
      allowed.emplace_back("AskYesNo");
      if (event == "Command2 Yes") {
        allowed.emplace_back("EndProgram");
      }
    }
    EXPECT_EQ(window.calls, allowed);
  }
}

std::string TransitionName(const ::testing::TestParamInfo<Transition>& info) {
  std::string name = std::string(NameOf(info.param.from)) + "_" + info.param.event;
  for (char& c : name) {
    if (c == ' ') {
      c = '_';
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    EventByState, FlowTable,
    ::testing::Values(Transition{Screen::Title, "Command1", "Playing"},
                      Transition{Screen::Playing, "Command1", "Playing"},
                      Transition{Screen::BetweenLevels, "Command1", "Playing"},
                      Transition{Screen::Won, "Command1", "Playing"},
                      Transition{Screen::Lost, "Command1", "Playing"},
                      Transition{Screen::Title, "Command2 No", "Title"},
                      Transition{Screen::Playing, "Command2 No", "Playing"},
                      Transition{Screen::BetweenLevels, "Command2 No", "BetweenLevels"},
                      Transition{Screen::Won, "Command2 No", "Won"},
                      Transition{Screen::Lost, "Command2 No", "Lost"},
                      Transition{Screen::Title, "Command2 Yes", "Title"},
                      Transition{Screen::Playing, "Command2 Yes", "Playing"},
                      Transition{Screen::BetweenLevels, "Command2 Yes", "BetweenLevels"},
                      Transition{Screen::Won, "Command2 Yes", "Won"},
                      Transition{Screen::Lost, "Command2 Yes", "Lost"},
                      Transition{Screen::Title, "Label3", "Title"},
                      Transition{Screen::Playing, "Label3", "Title"},
                      Transition{Screen::BetweenLevels, "Label3", "Title"},
                      Transition{Screen::Won, "Label3", "Title"},
                      Transition{Screen::Lost, "Label3", "Title"},
                      Transition{Screen::Title, "release", "Title"},
                      Transition{Screen::BetweenLevels, "release", "BetweenLevels"},
                      Transition{Screen::Won, "release", "Won"},
                      Transition{Screen::Lost, "release", "Lost"}),
    TransitionName);

TEST_F(Flow, StartUpRunsItsStepsInOrderAndShowsTheTitle) {
  testing::RecordingWindow fresh;
  testing::ScriptedRandom unused;
  Game loading(fresh, unused);
  loading.Form_Load();
  const std::vector<std::string> expected = {
      "DetectSoundFiles",      "SetPixelUnits(pic1,1)",     "SetPixelUnits(pic2,1)",
      "SetPixelUnits(pic3,1)", "SetPixelUnits(pic1,2)",     "SetPixelUnits(pic2,2)",
      "SetPixelUnits(pic3,2)", "SetPixelUnits(pic1,3)",     "SetPixelUnits(pic2,3)",
      "SetPixelUnits(pic3,3)", "SetScreenPicture(Picture2)"};
  EXPECT_EQ(fresh.calls, expected);
  EXPECT_TRUE(loading.State().soundOn);
  EXPECT_EQ(fresh.scoreCaption, "00");
  EXPECT_EQ(fresh.levelCaption, "00");
  EXPECT_TRUE(fresh.TimersStopped());
  EXPECT_EQ(fresh.SpriteScaleWidth(SpriteSet::ledakpic, 1), 555.0F);  // never switched
}

TEST_F(Flow, NewGameRunsItsStepsInOrder) {
  window.Forget();
  ScriptStraightWave({42});
  game.Command1_Click();
  const std::vector<std::string> expected = {"ClearPlayfield",         "SetScreenPicture(backpic)",
                                             "SetScoreCaption( 0)",    "SetLevelCaption( 1)",
                                             "SetTimer1Interval(200)", "DrawSprite(pic1,1,42,293)",
                                             "Enable(Timer1)",         "Enable(Timer2)"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_EQ(state().level, 1);
  EXPECT_EQ(state().remaining, 20);
  EXPECT_EQ(state().escaped, 0);
  EXPECT_EQ(state().score, 0);
  EXPECT_EQ(state().interval, 200);
  EXPECT_EQ(state().gameOver, kFalse16);
}

TEST_F(Flow, RestartDuringPlayDropsEverythingAndStartsLevelOneAgain) {
  StartGame();
  state().level = 5;
  state().score = 300;
  state().remaining = 7;
  Place(9, 50, 50);
  blast(3).blastStage = 2;
  ScriptStraightWave({11});
  game.Command1_Click();
  EXPECT_EQ(state().level, 1);
  EXPECT_EQ(state().score, 0);
  EXPECT_EQ(state().remaining, 20);
  EXPECT_EQ(state().interval, 200);
  EXPECT_EQ(OccupiedTargets(), 1);
  EXPECT_EQ(target(1).posX, 11);
  EXPECT_EQ(blast(3).blastStage, 0);
  EXPECT_EQ(window.levelCaption, " 1");
  EXPECT_EQ(window.scoreCaption, " 0");
  // The running timers are left enabled, not stopped first.
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "Disable(Timer1)"), 0);
}

TEST_F(Flow, LevelCompletePreparesTheNextLevelBehindItsScreen) {
  StartGame();
  Place(5, 200, 100);
  ShootLastOfQuota();
  const std::vector<std::string> expected = {"Disable(Timer1)",        "Disable(Timer2)",
                                             "SetTimer1Interval(200)", "SetLevelCaption( 2)",
                                             "ClearPlayfield",         "SetScreenPicture(levelpic)",
                                             "FocusStartButton"};
  const auto first = std::find(window.calls.begin(), window.calls.end(), "Disable(Timer1)");
  EXPECT_EQ(std::vector<std::string>(first, window.calls.end()), expected);
  EXPECT_EQ(state().level, 2);
  EXPECT_EQ(state().remaining, 40);
  EXPECT_EQ(state().escaped, 0);
  EXPECT_TRUE(state().betweenLevels);
  EXPECT_EQ(state().score, 10);
  EXPECT_EQ(target(5).kind, 1);  // frozen, unseen, until the player continues
}

TEST_F(Flow, ContinuingDropsLeftoversAndKeepsTheScore) {
  Reach(Screen::BetweenLevels);
  Place(5, 200, 100);
  blast(2).blastStage = 3;
  window.Forget();
  ScriptStraightWave({30, 60});
  game.Command1_Click();
  const std::vector<std::string> expected = {"ClearPlayfield",
                                             "SetScreenPicture(backpic)",
                                             "DrawSprite(pic1,1,30,293)",
                                             "DrawSprite(pic1,1,60,293)",
                                             "Enable(Timer1)",
                                             "Enable(Timer2)"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_EQ(OccupiedTargets(), 2);
  EXPECT_EQ(blast(2).blastStage, 0);
  EXPECT_EQ(state().score, 10);
  EXPECT_EQ(state().level, 2);
  EXPECT_FALSE(state().betweenLevels);
}

TEST_F(Flow, QuotaAndIntervalOfEachLevelAsItBegins) {
  struct Row {
    int16_t level;
    int16_t remaining;
    int16_t interval;
  };
  constexpr Row kRows[] = {{2, 40, 200}, {3, 60, 180}, {4, 65, 180}, {5, 65, 160}, {6, 65, 160},
                           {7, 65, 140}, {8, 65, 140}, {9, 65, 100}, {10, 65, 100}};
  StartGame();
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.level);
    ShootLastOfQuota();
    EXPECT_EQ(state().level, row.level);
    EXPECT_EQ(state().remaining, row.remaining);
    EXPECT_EQ(state().interval, row.interval);
    EXPECT_EQ(window.timer1Interval, row.interval);
    EXPECT_EQ(window.levelCaption, NumberText(row.level));
    ScriptStraightWave({100, 150});  // level 4 on: at least two per wave
    game.Command1_Click();
  }
}

TEST_F(Flow, CompletingLevelTenWinsAtOnceAndKeepsTheLevelLabel) {
  StartGame();
  state().level = 10;
  window.levelCaption = " 10";
  ShootLastOfQuota();
  EXPECT_EQ(StateName(), "Won");
  EXPECT_EQ(state().level, 11);
  EXPECT_EQ(window.levelCaption, " 10");
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "SetScreenPicture(levelpic)"), 0);
  ScriptStraightWave({1});
  game.Command1_Click();
  EXPECT_EQ(state().level, 1);
  EXPECT_EQ(window.scoreCaption, " 0");
}

TEST_F(Flow, LostScreenKeepsLabelsUntilTheNextGame) {
  StartGame();
  state().score = 70;
  window.scoreCaption = " 70";
  state().remaining = 1;
  state().escaped = 3;
  target(1).posY = -37;
  ScriptStraightWave({5});
  game.Timer1_Timer();
  EXPECT_EQ(StateName(), "Lost");
  EXPECT_EQ(window.scoreCaption, " 70");
  EXPECT_EQ(window.levelCaption, " 1");
  EXPECT_EQ(state().score, 70);
}

TEST_F(Flow, AboutOnTheLevelCompleteScreenAbandonsTheNextLevel) {
  Reach(Screen::BetweenLevels);
  game.Label3_Click();
  EXPECT_TRUE(state().betweenLevels);  // left as it was; gameOver decides
  ScriptStraightWave({3});
  game.Command1_Click();
  EXPECT_EQ(state().level, 1);
  EXPECT_EQ(state().score, 0);
  EXPECT_FALSE(state().betweenLevels);
}

TEST_F(Flow, AboutStopsTheTimersBeforeAnythingElse) {
  StartGame();
  game.Label3_Click();
  const std::vector<std::string> expected = {"Disable(Timer1)", "Disable(Timer2)", "ClearPlayfield",
                                             "SetScreenPicture(Picture2)"};
  EXPECT_EQ(window.calls, expected);
}

TEST_F(Flow, TheQuitQuestionHasItsTextsAndTouchesNothing) {
  StartGame();
  window.answerYes = false;
  game.Command2_Click();
  ASSERT_EQ(window.questions.size(), 1U);
  EXPECT_EQ(window.questions[0].first, "Are you sure to go to Hell ??");
  EXPECT_EQ(window.questions[0].second, "I don't believe it !!");
  EXPECT_TRUE(window.TimersRunning());
}

TEST(NumberTextOf, IsOneBlankThenTheDigits) {
  EXPECT_EQ(NumberText(0), " 0");
  EXPECT_EQ(NumberText(1), " 1");
  EXPECT_EQ(NumberText(10), " 10");
  EXPECT_EQ(NumberText(120), " 120");
  EXPECT_EQ(NumberText(5750), " 5750");
}

}  // namespace
}  // namespace headpop
