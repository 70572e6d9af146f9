#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real game under a virtual X server without a window manager, as a player would:
# the window, the title, Start, rising heads, a hit, About, and the quit question.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

start_x
screen_reference picture2 "$work/title.png"
screen_reference backpic "$work/back.png"
window_reference "$work/labels-00.png" 00 00
window_reference "$work/labels-0-1.png" " 0" " 1"
window_reference "$work/labels-10-1.png" " 10" " 1"
for labels in 00 0-1 10-1; do
  convert "$work/labels-$labels.png" -crop "$SCORE_LABEL" +repage "$work/score-$labels.png"
  convert "$work/labels-$labels.png" -crop "$LEVEL_LABEL" +repage "$work/level-$labels.png"
done
# Rendered before the game runs: the game's own question is then the only one by that name.
readonly QUIT_TITLE="I don't believe it !!" QUIT_PROMPT="Are you sure to go to Hell ??"
buttons=$("$E2E_REFERENCE" question "$work/question.png" "$QUIT_TITLE" "$QUIT_PROMPT" \
  2>>"$work/reference.log") || fail "cannot render the reference question"
read -r _ yes_button <<<"$(grep '^Yes ' <<<"$buttons")"
read -r _ no_button <<<"$(grep '^No ' <<<"$buttons")"

start_game "$GAME"

# The window: its client size, centred on the screen (to the pixel: nothing decorates it).
read -r screen_w screen_h <<<"$(xdotool getdisplaygeometry)"
eval "$(xdotool getwindowgeometry --shell "$GAME_WIN")"
if [ "$WIDTH" != "$CLIENT_W" ] || [ "$HEIGHT" != "$CLIENT_H" ]; then
  check_failed "client area is ${WIDTH}x$HEIGHT, not ${CLIENT_W}x$CLIENT_H"
fi
centre_x=$(((screen_w - CLIENT_W) / 2)) centre_y=$(((screen_h - CLIENT_H) / 2))
if ((X < centre_x || X > centre_x + 1 || Y < centre_y || Y > centre_y + 1)); then
  check_failed "window at $X,$Y, not centred at $centre_x,$centre_y"
fi
note "window ${WIDTH}x$HEIGHT at $X,$Y on a ${screen_w}x$screen_h screen"

expect_screen "the title picture fills the playfield" "$work/title.png" "$PLAYFIELD" 5
expect_screen "the score label starts at 00" "$work/score-00.png" "$SCORE_LABEL"
expect_screen "the level label starts at 00" "$work/level-00.png" "$LEVEL_LABEL"

# Start: the labels show the new game, and the heads rise on the background.
# shellcheck disable=SC2086  # "x y"
click $START_BUTTON
expect_screen "Start shows score \" 0\"" "$work/score-0-1.png" "$SCORE_LABEL" 1
expect_screen "Start shows level \" 1\"" "$work/level-0-1.png" "$LEVEL_LABEL" 1

heads_rise() {
  local differing
  grab "$work/now.png" "$PLAYFIELD"
  differing=$(pixels_differing "$work/now.png" "$work/back.png")
  # Something rose, and no more than the first wave's heads differ from the background.
  [ "$differing" -gt 0 ] && [ "$differing" -le $((MAX_WAVE * TARGET_SIZE * TARGET_SIZE)) ]
}
if wait_until 2 heads_rise; then
  note "heads rise on the background"
else
  check_failed "no heads on the background within 2 s:" \
    "$(pixels_differing "$work/now.png" "$work/back.png") pixels differ"
fi

# A click on a head scores ten.
if shoot_a_head "$work/back.png" 20; then
  expect_screen "the hit shows score \" 10\"" "$work/score-10-1.png" "$SCORE_LABEL" 1
else
  check_failed "no hit in 20 shots at the heads"
fi

# About: back to the title, the game stopped.
# shellcheck disable=SC2086
click $ABOUT_LABEL
expect_screen "About shows the title again" "$work/title.png" "$PLAYFIELD" 1
sleep 0.5 # a few movement ticks: nothing may move on the title any more
expect_screen "the title stays still after About" "$work/title.png" "$PLAYFIELD" 0

# Start again: a fresh game.
# shellcheck disable=SC2086
click $START_BUTTON
expect_screen "a second Start shows score \" 0\" again" "$work/score-0-1.png" "$SCORE_LABEL" 1
expect_screen "a second Start keeps level \" 1\"" "$work/level-0-1.png" "$LEVEL_LABEL" 1

question_window() {
  xdotool search --onlyvisible --name "^$QUIT_TITLE\$" 2>/dev/null | head -n 1
}
question_open() { [ -n "$(question_window)" ]; }
question_gone() { ! question_open; }

# ask_to_quit: clicks the quit button and checks the question; sets QUESTION.
ask_to_quit() {
  # shellcheck disable=SC2086
  click $QUIT_BUTTON
  wait_until 3 question_open || fail "no window titled \"$QUIT_TITLE\" after the quit button"
  QUESTION=$(question_window)
  [ "$(xdotool getwindowname "$QUESTION")" = "$QUIT_TITLE" ] ||
    check_failed "the question's title is \"$(xdotool getwindowname "$QUESTION")\""
  # Same size as the reference, and the same prompt above the buttons (the buttons'
  # focus and hover looks depend on the pointer's history).
  wait_until 2 question_prompt_matches ||
    check_failed "the question does not show \"$QUIT_PROMPT\" as the reference does"
}

question_prompt_matches() {
  local prompt_area
  import -silent -window "$QUESTION" "$work/question-live.png" 2>/dev/null || return 1
  [ "$(identify -format %wx%h "$work/question-live.png")" = \
    "$(identify -format %wx%h "$work/question.png")" ] || return 1
  prompt_area=$(identify -format %w "$work/question.png")x${yes_button##*+}+0+0
  convert "$work/question-live.png" -crop "$prompt_area" +repage "$work/prompt-live.png"
  convert "$work/question.png" -crop "$prompt_area" +repage "$work/prompt.png"
  [ "$(pixels_differing "$work/prompt-live.png" "$work/prompt.png")" = 0 ]
}

# click_button WxH+X+Y: clicks the middle of a button of the question.
click_button() {
  local size=${1%%+*} offset=${1#*+}
  xdotool mousemove --window "$QUESTION" $((${offset%+*} + ${size%x*} / 2)) \
    $((${offset#*+} + ${size#*x} / 2)) click 1
}

# Quit, then No: the question closes and the game plays on.
ask_to_quit
note "the quit question asks \"$QUIT_PROMPT\""
grab "$work/before-no.png" "$PLAYFIELD"
click_button "$no_button"
wait_until 3 question_gone || check_failed "the question stays open after No"
sleep 0.3
is_running "$GAME_PID" || fail "the game ended after No"
xdotool search --onlyvisible --name '^Headpop$' >/dev/null || check_failed "no game window after No"
if wait_until 1 screen_differs "$work/before-no.png" "$PLAYFIELD"; then
  note "No keeps the game running"
else
  check_failed "the heads stopped after No"
fi

# Quit, then Yes: the program ends with status 0.
ask_to_quit
click_button "$yes_button"
if wait_game_exit 5; then
  [ "$GAME_STATUS" = 0 ] || check_failed "Yes ended the game with status $GAME_STATUS"
  note "Yes ends the game with status $GAME_STATUS"
else
  check_failed "the game still runs 5 s after Yes"
fi
finish
