#!/usr/bin/env bash
# Takes a screenshot of the game's real window under a virtual X server of its own.
# usage: scripts/screenshot.sh PATH_TO_HEADPOP OUTPUT.png
set -euo pipefail
game=${1:?path to the headpop executable}
out=${2:?output PNG}

display_number=$((90 + RANDOM % 100))
while [ -e "/tmp/.X11-unix/X${display_number}" ] || [ -e "/tmp/.X${display_number}-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=":${display_number}"

Xvfb "$DISPLAY" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$game" >/dev/null 2>&1 &
game_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Headpop$' | head -n 1)
sleep 0.5  # let the first frame paint
import -window "$window" "$out"
echo "wrote $out"
