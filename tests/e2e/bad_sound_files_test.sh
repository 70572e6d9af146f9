#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Hostile sound files beside a copy of the game: it starts quickly, plays on, closes with
# status 0, and its shots sound or stay silent as detection and decoding decide.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
shipped=$(dirname "$GAME")

start_x
start_wm
start_pulse
screen_reference picture2 "$work/title.png"
screen_reference backpic "$work/back.png"

le32() {
  printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) \
    $((($1 >> 16) & 255)) $((($1 >> 24) & 255))
}

# A WAV file of SIZE bytes whose header claims all of it as 16-bit mono samples; sparse,
# so it costs no time or disk.
huge_wav() {
  local size=$2
  # shellcheck disable=SC2059  # the format is the header's bytes
  printf "RIFF$(le32 $((size - 8)))WAVEfmt $(le32 16)\\x01\\x00\\x01\\x00$(le32 44100)$(le32 88200)\\x02\\x00\\x10\\x00data$(le32 $((size - 44)))" >"$1"
  truncate -s "$size" "$1"
}

# make_sound KIND PATH: writes a hostile (or merely unusual) file in place of a sound.
make_sound() {
  local kind=$1 path=$2 name
  name=$(basename "$path")
  case $kind in
    empty) : >"$path" ;;
    short-header) head -c 20 "$shipped/$name" >"$path" ;;
    short-data) head -c $(($(stat -c %s "$shipped/$name") / 2)) "$shipped/$name" >"$path" ;;
    text) echo "Not a sound at all, only text with a .wav name." >"$path" ;;
    100MB) huge_wav "$path" $((100 * 1024 * 1024)) ;;
    directory) mkdir "$path" ;;
    dangling-link) ln -s "$work/nowhere/$name" "$path" ;;
    upper-case) cp "$shipped/$name" "$(dirname "$path")/$(tr '[:lower:]' '[:upper:]' <<<"$name")" ;;
    fifo) mkfifo "$path" ;;
    link-to-shipped) ln -s "$shipped/$name" "$path" ;;
    8bit-mono) sox "$shipped/$name" -b 8 -c 1 "$path" ;;
    48k-stereo) sox "$shipped/$name" -r 48000 -c 2 "$path" ;;
    *) fail "no such kind of file: $kind" ;;
  esac
}

# The miss plays fire.wav; the hit, where it is checked, explosion.wav.
record_every_shot

# bad_file_case FILE KIND MISS HIT: HIT "-" is not checked.
bad_file_case() {
  local case="$1 $2" dir=$work/case started elapsed
  mkdir "$dir"
  cp "$GAME" "$dir/headpop"
  for name in fire.wav explosion.wav; do
    if [ "$name" = "$1" ]; then
      make_sound "$2" "$dir/$name"
    else
      cp "$shipped/$name" "$dir/"
    fi
  done

  started=$(date +%s%3N)
  start_game "$dir/headpop"
  elapsed=$(($(date +%s%3N) - started))
  ((elapsed < 5000)) || check_failed "$case: the window took $elapsed ms to appear"
  expect_screen "$case: the title shows" "$work/title.png" "$PLAYFIELD" 3

  # shellcheck disable=SC2086  # "x y"
  click $START_BUTTON
  record_start
  click_playfield 154 40 # right after Start, every head is still below the bottom
  sleep 0.6
  record_stop
  expect_recording "$case" miss "$3"
  if [ "$4" != - ]; then
    if shoot_a_head "$work/back.png" 20; then
      expect_recording "$case" hit "$4"
    else
      check_failed "$case: no hit in 20 shots at the heads"
    fi
  fi
  # Still answering: About brings the title back at once.
  # shellcheck disable=SC2086
  click $ABOUT_LABEL
  expect_screen "$case: About answers" "$work/title.png" "$PLAYFIELD" 1

  wmctrl -i -c "$GAME_WIN"
  if wait_game_exit 3; then
    [ "$GAME_STATUS" = 0 ] ||
      check_failed "$case: closed with status $GAME_STATUS: $(tail -c 4000 "$work/game.err")"
  else
    check_failed "$case: still running 3 s after closing"
    end_process "$GAME_PID"
  fi
  rm -rf "$dir"
}

# file           kind              miss    hit
while read -r -u 3 file kind miss hit; do
  bad_file_case "$file" "$kind" "$miss" "$hit"
done 3<<'TABLE'
fire.wav         empty             silent  -
fire.wav         short-header      silent  -
fire.wav         short-data        loud    -
fire.wav         text              silent  -
fire.wav         100MB             silent  -
fire.wav         directory         silent  -
fire.wav         dangling-link     silent  -
fire.wav         upper-case        silent  -
fire.wav         fifo              silent  -
fire.wav         link-to-shipped   loud    -
fire.wav         8bit-mono         loud    -
fire.wav         48k-stereo        loud    -
explosion.wav    empty             loud    silent
explosion.wav    100MB             loud    silent
explosion.wav    directory         silent  -
explosion.wav    48k-stereo        loud    loud
TABLE
finish
