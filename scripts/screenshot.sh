#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes a screenshot of the game's real window under a virtual X server of its own.
# usage: scripts/screenshot.sh PATH_TO_HEADPOP OUTPUT.png
# The game sees this script's environment: QT_SCALE_FACTOR=2 gives the window at twice its
# size. SCREEN_DPI=192 makes the screen report 192 dots per inch to the desktop's programs
# (the Xft.dpi resource that a desktop's scale setting sets), a scale of 2. The screen is
# large enough for a scale of 3.
set -euo pipefail
game=${1:?path to the headpop executable}
out=${2:?output PNG}

# shellcheck source=scripts/test-servers.sh
. "$(dirname "$0")/test-servers.sh"
trap end_started_processes EXIT
start_x 1600x1400x24
if [ -n "${SCREEN_DPI:-}" ]; then
  # As xrdb writes it, with a tab: Qt reads the resource only so.
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:"$'\t'"${SCREEN_DPI}"
fi

"$game" >/dev/null 2>&1 &
track_pid $!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Headpop$' | head -n 1)
# The first frame is painted a little after the window shows: take pictures until two in a
# row agree and hold more than one colour. No time stamps in the file, so a rerun gives the
# same bytes.
last=
for _ in $(seq 100); do
  import -window "$window" -define png:exclude-chunks=date,time "$out"
  signature=$(identify -format '%k %#' "$out")
  if [ "${signature%% *}" -gt 1 ] && [ "$signature" = "$last" ]; then
    echo "wrote $out"
    exit 0
  fi
  last=$signature
  sleep 0.1
done
echo "the window never showed a settled picture" >&2
exit 1
