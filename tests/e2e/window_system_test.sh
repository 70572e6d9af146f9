#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game under a window manager: its frame opens centred on the screen; covered and
# uncovered, minimised and restored it shows exactly what it showed before; closed through
# the window manager, or ended by a signal from the session, it ends at once.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

start_x
start_wm
start_pulse # sound on, as a player has it: the sound library must not take over signals
screen_reference picture2 "$work/title.png"

start_game "$GAME"

# Centred on the screen's area for windows: the whole frame, title bar included, not the
# client area alone. The window manager says how wide its frame is on each side.
frame_centred() {
  local extents area x y
  extents=$(xprop -id "$GAME_WIN" _NET_FRAME_EXTENTS | sed -n 's/^[^=]*= //p')
  IFS=', ' read -r frame_left frame_right frame_top frame_bottom <<<"$extents"
  area=$(xprop -root _NET_WORKAREA | sed -n 's/^[^=]*= //p')
  IFS=', ' read -r area_x area_y area_w area_h _ <<<"$area"
  x=$(xwininfo -id "$GAME_WIN" | awk '/Absolute upper-left X:/ { print $4 }')
  y=$(xwininfo -id "$GAME_WIN" | awk '/Absolute upper-left Y:/ { print $4 }')
  frame_x=$((x - frame_left)) frame_y=$((y - frame_top))
  frame_w=$((CLIENT_W + frame_left + frame_right)) frame_h=$((CLIENT_H + frame_top + frame_bottom))
  centre_x=$((area_x + (area_w - frame_w) / 2)) centre_y=$((area_y + (area_h - frame_h) / 2))
  [ "$frame_top" -gt 0 ] && [ "$frame_x" = "$centre_x" ] && [ "$frame_y" = "$centre_y" ]
}
if wait_until 3 frame_centred; then
  note "the ${frame_w}x$frame_h frame with its $frame_top-pixel title bar is centred at" \
    "$frame_x,$frame_y in the ${area_w}x$area_h area"
elif [ "${frame_top:-0}" -le 0 ]; then
  check_failed "the window manager gave the window no title bar: frame extents '$frame_left," \
    "$frame_right, $frame_top, $frame_bottom'"
else
  check_failed "the ${frame_w}x$frame_h frame is at $frame_x,$frame_y, not centred at" \
    "$centre_x,$centre_y in the ${area_w}x$area_h area at $area_x,$area_y"
fi

expect_screen "the title picture fills the playfield" "$work/title.png" "$PLAYFIELD" 5
# The whole window, at rest on the title screen, is what every test below expects back.
sleep 0.3
grab "$work/at-rest.png"

# Covered by another client's window, then uncovered.
eval "$(xdotool getwindowgeometry --shell "$GAME_WIN")"
xmessage -geometry "260x200+$((X + 40))+$((Y + 80))" -buttons '' 'covering the game' \
  >/dev/null 2>&1 &
cover_pid=$!
track_pid "$cover_pid"
if wait_until 5 screen_differs "$work/at-rest.png"; then
  note "another window covers the game"
else
  check_failed "the covering window never showed over the game"
fi
end_process "$cover_pid"
expect_screen "uncovered, the window is as it was" "$work/at-rest.png" "" 2

# Minimised by the window manager, then restored.
map_state() { xwininfo -id "$GAME_WIN" | awk '/Map State:/ { print $3 }'; }
is_unmapped() { [ "$(map_state)" = IsUnMapped ]; }
is_viewable() { [ "$(map_state)" = IsViewable ]; }
xdotool windowminimize "$GAME_WIN"
wait_until 3 is_unmapped || check_failed "the window manager did not minimise the game"
wmctrl -i -a "$GAME_WIN"
wait_until 3 is_viewable || check_failed "the window manager did not restore the game"
expect_screen "minimised and restored, the window is as it was" "$work/at-rest.png" "" 2

# Closed through the window manager while playing: the program ends at once, status 0.
# shellcheck disable=SC2086  # "x y"
click $START_BUTTON
sleep 0.5
wmctrl -i -c "$GAME_WIN"
if wait_game_exit 2; then
  [ "$GAME_STATUS" = 0 ] || check_failed "closing ended the game with status $GAME_STATUS"
  note "closing the window ends the game with status $GAME_STATUS"
else
  check_failed "the game still runs 2 s after its window was closed"
fi

# The session's signals end it: a logout's SIGTERM, and Ctrl+C (SIGINT) in the terminal it
# was started from. Background jobs of a script ignore SIGINT, so
# that is put back to its default first.
for signal in TERM INT; do
  start_game "$GAME" env --default-signal=INT
  kill -s "$signal" "$GAME_PID"
  if wait_game_exit 2; then
    expected=$((128 + $(kill -l "$signal")))
    [ "$GAME_STATUS" = "$expected" ] ||
      check_failed "SIG$signal ended the game with status $GAME_STATUS, not $expected"
    note "SIG$signal ends the game"
  else
    check_failed "the game ignores SIG$signal"
    end_process "$GAME_PID"
  fi
done
finish
