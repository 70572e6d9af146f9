#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game's sound through a real sound server: what a miss and a hit play at a null sink,
# recorded from its monitor, for the shipped files, for a folder that lacks one of them,
# and when the working folder holds other files of the same names.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
shipped=$(dirname "$GAME")

start_x
start_pulse
screen_reference backpic "$work/back.png"

# program folders: the game with both, one or none of the shipped sounds
for folder in both only-fire only-explosion none; do
  mkdir "$work/$folder"
  cp "$GAME" "$work/$folder/headpop"
done
cp "$shipped/fire.wav" "$shipped/explosion.wav" "$work/both/"
cp "$shipped/fire.wav" "$work/only-fire/"
cp "$shipped/explosion.wav" "$work/only-explosion/"
# working folders: silent files of the same names, or the shipped ones
mkdir "$work/silent-cwd" "$work/loud-cwd" "$work/empty-cwd"
for name in fire explosion; do
  sox -n -r 44100 -c 1 -b 16 "$work/silent-cwd/$name.wav" trim 0 0.5
  cp "$shipped/$name.wav" "$work/loud-cwd/"
done

# The miss plays fire.wav (0.22 s), the hit explosion.wav (0.95 s).
record_every_shot

# sound_case CASE PROGRAM_FOLDER WORKING_FOLDER MISS HIT
sound_case() {
  start_game "$2/headpop" env -C "$3"
  # shellcheck disable=SC2086  # "x y"
  click $START_BUTTON
  # Right after Start every head is still below the bottom edge: the top is empty.
  record_start
  click_playfield 154 40
  sleep 0.8
  record_stop
  expect_recording "$1" miss "$4" 0.1 0.5
  if shoot_a_head "$work/back.png" 20; then
    expect_recording "$1" hit "$5" 0.6 1.3
  else
    check_failed "$1: no hit in 20 shots at the heads"
  fi
  end_process "$GAME_PID"
}

sound_case "the shipped files" "$work/both" "$work/empty-cwd" loud loud
sound_case "without explosion.wav" "$work/only-fire" "$work/empty-cwd" silent silent
sound_case "without fire.wav" "$work/only-explosion" "$work/empty-cwd" silent silent
sound_case "silent files in the working folder" "$work/both" "$work/silent-cwd" loud loud
sound_case "sounds only in the working folder" "$work/none" "$work/loud-cwd" silent silent
finish
