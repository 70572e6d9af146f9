#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a Wayland session, seen only through the compositor: a headless
# Weston of our own, at scale 1 and then at scale 2, with an X server beside it as a
# desktop session has. Nothing is injected into the program. It must take the native
# Wayland platform by itself, open its window at its client size, tell the compositor that
# the window cannot be resized, and show the title picture; at scale 2 every picture is its
# picture at scale 1 in whole 2 x 2 blocks.
#
# What the compositor gets comes from its own tools: where the window is from its scene
# graph, the requests the program made from its protocol log (weston-debug), and the
# pixels from its screenshots (weston-screenshooter). The headless compositor has no input
# devices, so no pointer ever enters the window here: playing, and the gunsight, are
# checked by play_test.cpp, which drives the window from inside the game's process.
# usage: window_test.sh HEADPOP WAYLAND_PROBE COMPARE_SCALED_SCREENSHOTS ASSETS_DIR
set -euo pipefail
game=${1:?usage: $0 HEADPOP WAYLAND_PROBE COMPARE_SCALED_SCREENSHOTS ASSETS_DIR}
probe=${2:?}
compare=${3:?}
assets=${4:?}

# shellcheck source=scripts/test-servers.sh
source "$(dirname "$0")/../../scripts/test-servers.sh"
use_work_folder wayland
servers_dir=$work/servers
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-session-bus
# The program chooses its platform itself, as in a player's session.
unset QT_QPA_PLATFORM XDG_SESSION_TYPE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
# No sound server: the game stays silent, with its one line on standard error.
export PULSE_SERVER=unix:$work/no-sound-server

readonly CLIENT_SIZE=348x419 PLAYFIELD=309x293+18+58
failures=0
note() { echo "-- $*"; }
check_failed() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The title picture as the playfield shows it: clipped to the playfield, on black.
convert -size 309x293 xc:black "$assets/picture2.png" -geometry +0+0 -composite "$work/title.png"

start_x

shown_window() { "$probe" window Headpop >"$work/window" 2>"$work/probe.err"; }

# A frame as the compositor shows it: the screenshots come before the first frame has
# settled; take them until two in a row agree.
settled_client_area() {
  local out=$1 scale=$2 client last=''
  read -r client _ <"$work/window"
  local w=${client%%x*} rest=${client#*x}
  local h=${rest%%+*} x=${rest#*+}
  local y=${x#*+}
  x=${x%%+*}
  local _i
  for _i in $(seq 50); do
    "$probe" shot "$work/screen.png"
    convert "$work/screen.png" -crop "$((w * scale))x$((h * scale))+$((x * scale))+$((y * scale))" \
      +repage "$out"
    local now
    now=$(identify -format '%#' "$out")
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.1
  done
  return 1
}

for scale in 1 2; do
  note "scale $scale"
  start_weston --scale="$scale"
  # Every request and event between the compositor and its clients, from here on.
  weston-debug proto >"$work/proto-$scale.log" 2>&1 &
  proto_pid=$!
  track_pid "$proto_pid"
  wait_until 5 test -s "$work/proto-$scale.log" || true
  "$game" >"$work/game-$scale.out" 2>"$work/game-$scale.err" </dev/null &
  game_pid=$!
  track_pid "$game_pid"
  wait_until 15 shown_window ||
    { check_failed "no window on the compositor within 15 s: $(cat "$work/probe.err" "$work/game-$scale.err")"; break; }

  read -r client frame <"$work/window"
  note "the compositor placed the window at ${frame#*+}; its client area is $client"
  [ "${client%%+*}" = "$CLIENT_SIZE" ] ||
    check_failed "at scale $scale the client area is ${client%%+*}, not $CLIENT_SIZE"
  if xdotool search --name '^Headpop$' >/dev/null 2>&1; then
    check_failed "the window opened on the X server, not natively on the compositor"
  fi
  # A Wayland window that cannot be resized says so with equal smallest and largest sizes.
  for request in "set_min_size(${CLIENT_SIZE/x/, })" "set_max_size(${CLIENT_SIZE/x/, })" \
    'set_title("Headpop")'; do
    grep -F "xdg_toplevel@" "$work/proto-$scale.log" | grep -qF ".$request" ||
      check_failed "at scale $scale the program never asked the compositor for $request"
  done
  if grep -qF '"wl_seat"' "$work/proto-$scale.log"; then
    note "the compositor offers a seat"
  else
    note "the compositor offers no seat: no pointer enters the window, and no pointer picture reaches it"
  fi

  settled_client_area "$work/client-$scale.png" "$scale" ||
    check_failed "at scale $scale the window never showed a settled picture"
  if [ "$scale" = 1 ]; then
    convert "$work/client-1.png" -crop "$PLAYFIELD" +repage "$work/playfield.png"
    differing=$(compare -metric AE "$work/playfield.png" "$work/title.png" null: 2>&1 || true)
    if [ "${differing%% *}" = 0 ]; then
      note "the title picture fills the playfield, pixel for pixel"
    else
      check_failed "the playfield differs from the title picture in ${differing%% *} pixels"
    fi
  elif "$compare" "$work/client-1.png" "$work/client-2.png" 2; then
    note "at scale 2 every picture is its picture at scale 1 in whole 2 x 2 blocks"
  else
    check_failed "at scale 2 the pictures are not whole 2 x 2 blocks of scale 1"
  fi

  end_process "$game_pid"
  end_process "$proto_pid"
  end_process "$weston_pid"
done

if [ "$failures" -ne 0 ]; then
  echo "FAIL: $failures check(s) failed" >&2
  exit 1
fi
echo PASS
