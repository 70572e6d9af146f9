# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared helpers of the end-to-end tests, sourced by each test script.
#
# Each script gets its own work folder and the servers it asks for, from the shared
# scripts/test-servers.sh: a virtual X server (start_x), a window manager (start_wm), a
# sound server with a null sink (start_pulse). Every process started here is ended by its
# id when the script exits, whatever the outcome.
#
# Coordinates are in the game window's client area unless said otherwise.
#
# Every script takes the same arguments: HEADPOP REFERENCE_RENDER HEAD_FINDER, the game
# and our two helpers (see reference_render.cpp and head_finder.cpp).

# shellcheck shell=bash disable=SC2034  # the layout and the results are for the sourcing scripts
set -euo pipefail

GAME=${1:?usage: $0 HEADPOP REFERENCE_RENDER HEAD_FINDER}
E2E_REFERENCE=${2:?usage: $0 HEADPOP REFERENCE_RENDER HEAD_FINDER}
E2E_AIM=${3:?usage: $0 HEADPOP REFERENCE_RENDER HEAD_FINDER}

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ASSETS=$(cd "$E2E_DIR/../../assets" && pwd)
# shellcheck source=scripts/test-servers.sh
source "$E2E_DIR/../../scripts/test-servers.sh"

# The game's layout in its 348 x 419 client area.
readonly CLIENT_W=348 CLIENT_H=419
readonly PLAYFIELD=309x293+18+58 PLAYFIELD_X=18 PLAYFIELD_Y=58
readonly SCORE_LABEL=51x17+56+360
readonly LEVEL_LABEL=24x17+88+384 # the level label grows to the right, up to Start's edge
readonly START_BUTTON="152 384" QUIT_BUTTON="224 384" ABOUT_LABEL="284 394"
readonly TARGET_SIZE=37 MAX_WAVE=5

use_work_folder e2e
mkdir -p "$work/run"
chmod 700 "$work/run"
# Nor the user's sessions or servers.
export XDG_RUNTIME_DIR=$work/run
unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE SESSION_MANAGER
# A session bus that is not there: the toolkit's bus client gives up at once instead of
# launching a bus daemon of its own for the display, which would outlive the test.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/run/no-session-bus
unset PULSE_SERVER DISPLAY
servers_dir=$work

GAME_PID='' GAME_WIN='' GAME_STATUS=''
failures=0

note() { echo "-- $*"; }
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Records a failed check and goes on, so one run reports every broken case.
check_failed() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
finish() {
  if [ "$failures" -ne 0 ]; then
    fail "$failures check(s) failed"
  fi
  echo "PASS"
}

# --- the game ------------------------------------------------------------------------

# start_game EXECUTABLE [COMMAND PREFIX...]: starts the game and waits for its window.
# GAME_PID is the process started (the prefix's, if it does not exec the game).
start_game() {
  local exe=$1 window_pid
  shift
  GAME_STATUS=''
  if find_game_window >/dev/null; then
    fail "a game window is still open before the game starts"
  fi
  "$@" "$exe" </dev/null >"$work/game.out" 2>"$work/game.err" &
  GAME_PID=$!
  track_pid "$GAME_PID"
  wait_until 15 find_game_window >/dev/null ||
    fail "no game window within 15 s; stderr: $(cat "$work/game.err")"
  GAME_WIN=$(find_game_window)
  # A prefix that runs the game as its child (strace) leaves a second process to end.
  window_pid=$(xdotool getwindowpid "$GAME_WIN")
  [ "$window_pid" = "$GAME_PID" ] || track_pid "$window_pid"
}

find_game_window() { xdotool search --onlyvisible --name '^Headpop$' 2>/dev/null | head -n 1 | grep .; }

# wait_game_exit SECONDS: sets GAME_STATUS, or fails when the game is still running.
wait_game_exit() {
  wait_until "$1" game_ended || return 1
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  forget_pid "$GAME_PID"
}

game_ended() { ! is_running "$GAME_PID"; }

# click X Y [BUTTON]: presses and releases a mouse button at a point of the client area.
click() {
  xdotool mousemove --window "$GAME_WIN" "$1" "$2" click "${3:-1}"
}

click_playfield() { click $((PLAYFIELD_X + $1)) $((PLAYFIELD_Y + $2)) "${3:-1}"; }

# --- pictures ------------------------------------------------------------------------

# grab OUT.png [GEOMETRY]: the game's client area as it is on the screen, or a part of it.
grab() {
  import -silent -window "$GAME_WIN" "$work/grab.png"
  convert "$work/grab.png" -crop "${2:-${CLIENT_W}x$CLIENT_H+0+0}" +repage "$1"
}

# Number of pixels that differ between two pictures of one size.
pixels_differing() {
  local count
  count=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  echo "${count%% *}"
}

# screen_equals REFERENCE.png [GEOMETRY]: the window, or a part of it, matches exactly.
screen_equals() {
  grab "$work/now.png" "${2:-}"
  [ "$(pixels_differing "$work/now.png" "$1")" = 0 ]
}

screen_differs() {
  grab "$work/now.png" "${2:-}"
  [ "$(pixels_differing "$work/now.png" "$1")" != 0 ]
}

# expect_screen TEXT REFERENCE.png GEOMETRY [SECONDS]: waits for an exact match (GEOMETRY ""
# for the whole window).
expect_screen() {
  if wait_until "${4:-3}" screen_equals "$2" "$3"; then
    note "$1"
  else
    check_failed "$1: $(pixels_differing "$work/now.png" "$2") pixels differ in ${3:-the window}"
    cp "$work/now.png" "$work/failed-$(date +%s%N).png"
  fi
}

# A screen picture of the game as the playfield shows it: clipped to 309 x 293 on black.
screen_reference() {
  convert -size 309x293 xc:black "$E2E_ASSETS/$1.png" -geometry +0+0 -composite "$2"
}

# The whole window as it looks with these captions, rendered by our widgets on this display.
window_reference() {
  "$E2E_REFERENCE" window "$1" "$2" "$3" 2>>"$work/reference.log" ||
    fail "cannot render the reference window"
}

# Shoots at a head and prints "x y" (client coordinates) of the shot, or prints nothing
# when no head shows whole enough. BACKGROUND is the playfield's background picture; the
# heads are what differs.
shoot_at_head() {
  "$E2E_AIM" "$GAME_WIN" "$PLAYFIELD_X" "$PLAYFIELD_Y" "$TARGET_SIZE" "$1" \
    2>>"$work/aim.log" || true
}

# shoot_a_head BACKGROUND TRIES: aims at heads until the score changes; fails after TRIES.
# A script may define before_shot and after_shot (given "hit", "miss" or "none") to watch
# each try.
shoot_a_head() {
  local try point tries=
  grab "$work/score-before.png" "$SCORE_LABEL"
  for ((try = 1; try <= $2; try++)); do
    call_if_defined before_shot
    point=$(shoot_at_head "$1")
    if [ -z "$point" ]; then
      call_if_defined after_shot none
      tries+=" none"
      sleep 0.1
      continue
    fi
    if wait_until 0.6 screen_differs "$work/score-before.png" "$SCORE_LABEL"; then
      call_if_defined after_shot hit
      note "hit a head at ($point) on try $try"
      return 0
    fi
    call_if_defined after_shot miss
    tries+=" ($point)"
  done
  note "tries without a hit:$tries"
  [ ! -s "$work/aim.log" ] || note "the aim said: $(tail -n 3 "$work/aim.log")"
  return 1
}

call_if_defined() {
  if declare -F "$1" >/dev/null; then
    "$@"
  fi
}

# --- sound ---------------------------------------------------------------------------

readonly RATE=44100 FRAME_BYTES=4 # 16-bit stereo
readonly LOUD=0.1 SILENT=0.001     # peak amplitudes: the effects peak near 0.9

# One recording of the sink's monitor runs for the whole session, and each recording
# the tests ask for is a stretch of it: a new recorder may wait up to two seconds for an
# idle sink's first data, a running one keeps it awake.
# It starts with the first recording asked for.
SESSION_RECORDING=''
start_recorder() {
  SESSION_RECORDING=$work/session.raw
  parec --raw --device=null.monitor --format=s16le --rate=$RATE --channels=2 \
    --latency-msec=20 >"$SESSION_RECORDING" 2>>"$work/parec.log" &
  track_pid $!
  wait_until 10 test -s "$SESSION_RECORDING" || fail "the recorder did not start"
}

recorded_bytes() {
  local size
  size=$(stat -c %s "$SESSION_RECORDING")
  echo $((size / FRAME_BYTES * FRAME_BYTES))
}

record_start() {
  [ -n "$SESSION_RECORDING" ] || start_recorder
  RECORD_FROM=$(recorded_bytes)
}

# Ends the stretch begun by record_start, in the file $RECORDING.
record_stop() {
  local to
  to=$(recorded_bytes)
  RECORDING=$work/recording.raw
  dd if="$SESSION_RECORDING" of="$RECORDING" iflag=skip_bytes,count_bytes bs=64K \
    skip="$RECORD_FROM" count=$((to - RECORD_FROM)) status=none
  [ -s "$RECORDING" ] || fail "the recorder stopped recording"
}

# Makes shoot_a_head record every shot: afterwards $RECORDING holds the last, and for a
# hit it lasts until the explosion's sound (0.95 s) is over.
# shellcheck disable=SC2317  # shoot_a_head calls them
record_every_shot() {
  before_shot() { record_start; }
  after_shot() {
    [ "$1" != hit ] || sleep 1.3
    record_stop
  }
}

# Peak amplitude (0 .. 1) of the last recording.
recorded_peak() {
  sox -t raw -r $RATE -e signed -b 16 -c 2 "$RECORDING" -n stat 2>&1 |
    awk '/^Maximum amplitude/ { print $3 }'
}

# Seconds from the first to the last sample above 1 % of full scale.
recorded_sound_length() {
  sox -t raw -r $RATE -e signed -b 16 -c 2 "$RECORDING" -n \
    silence 1 1s 1% reverse silence 1 1s 1% reverse stat 2>&1 |
    awk '/^Length \(seconds\)/ { print $3 }'
}

# expect_recording CASE EVENT loud|silent [MIN_SECONDS MAX_SECONDS]: checks the last
# recording's peak and, when given bounds, how long it sounded.
expect_recording() {
  local peak length
  peak=$(recorded_peak)
  length=$(recorded_sound_length)
  if [ "$3" = silent ]; then
    if greater "$peak" "$SILENT"; then
      check_failed "$1: the $2 sounded (peak $peak), where it should be silent"
      return
    fi
  elif ! greater "$peak" "$LOUD"; then
    check_failed "$1: the $2 was silent (peak $peak)"
    return
  elif [ $# -ge 5 ] && { greater "$4" "${length:-0}" || greater "${length:-0}" "$5"; }; then
    check_failed "$1: the $2 sounded for $length s, not $4 .. $5 s"
    return
  fi
  note "$1: $2 $3 (peak $peak, ${length:-0} s)"
}

# Is the first number larger than the second?
greater() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
