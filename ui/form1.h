// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "game/game.h"
#include "game/game_window.h"
#include "game/random.h"
#include "sound/sound.h"
#include "ui/grid_timer.h"
#include "ui/pictures.h"

class QLabel;
class QPushButton;

namespace headpop {

class AboutLabel;
class PlayfieldWidget;

// The game's one window. It builds its controls in their design state, forwards every
// event to the rules and carries out what they ask; it holds no game state itself.
class Form1 : public QWidget, public GameWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 348;
  static constexpr int kClientHeight = 419;

  Form1(Sound& sound, RandomSource& random, QWidget* parent = nullptr);
  ~Form1() override;

  Game& Rules() { return game_; }
  const Game& Rules() const { return game_; }
  const PlayfieldWidget& Playfield() const { return *picture1_; }
  const Pictures& Art() const { return pictures_; }
  // The holder whose picture the playfield shows, if any has been shown.
  std::optional<ScreenPicture> ShownScreen() const { return shownScreen_; }
  // As the rules set them; Timer2 sleeps through the ticks that would find no explosion.
  bool TimerEnabled(GameTimer timer) const;
  int Timer1Interval() const { return timer1_.interval(); }
  const GridTimer& Timer2Schedule() const { return timer2_; }

  // GameWindow
  void DrawSprite(SpriteSet set, int16_t item, float x, float y) override;
  void ClearPlayfield() override;
  void SetScreenPicture(ScreenPicture holder) override;
  void SetPixelUnits(SpriteSet set, int16_t item) override;
  float SpriteScaleWidth(SpriteSet set, int16_t item) const override;
  float SpriteScaleHeight(SpriteSet set, int16_t item) const override;
  float PlayfieldScaleWidth() const override;
  float PlayfieldScaleHeight() const override;
  void SetScoreCaption(const std::string& text) override;
  void SetLevelCaption(const std::string& text) override;
  void SetTimerEnabled(GameTimer timer, bool enabled) override;
  void SetTimer1Interval(int16_t milliseconds) override;
  void FocusStartButton() override;
  bool AskYesNo(const std::string& prompt, const std::string& title) override;
  void EndProgram() override;
  bool DetectSoundFiles() override;
  void PlaySoundFile(std::string_view name) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ConnectEvents();
  // A slot that hands an event to the rules; the playfield shows what it changed as the
  // handler returns.
  std::function<void()> ToRules(void (Game::*handler)());
  void SetAboutHighlight(bool on);
  void ShowPointerForScreen();
  // Centres the frame, as far as it is known, on the screen's area for windows.
  void CentreFrameOnScreen();
  // Queued after the first frame (see paintEvent).
  void PrepareSound();
  void ShowLevelCaption(const QString& caption);
  // Lets Timer2 wake for its next tick only if that tick has an explosion to step.
  void FollowExplosions();

  Sound& sound_;
  Pictures pictures_;
  PlayfieldWidget* picture1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* scorelbl_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* levellbl_ = nullptr;
  AboutLabel* label3_ = nullptr;
  std::optional<ScreenPicture> shownScreen_;
  bool soundPrepareAsked_ = false;
  bool frameCentred_ = false;  // centred again once the window manager framed it
  QTimer timer1_;
  GridTimer timer2_;
  Game game_;
};

}  // namespace headpop
