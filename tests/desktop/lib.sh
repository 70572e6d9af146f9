# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the install and package tests: checks of an installed tree under ROOT (the
# prefix, e.g. STAGE/usr), and starting the installed game to see where it looks.

app_id=io.github.headpop.Headpop
icon_sizes=(16 32 48 64 128 256)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The program's folder with the executable and both sounds, the command as a relative link
# into it, the desktop entry, the metainfo and the icon at every size.
check_layout() {
  local root=$1
  local program=$root/lib/headpop
  if [ ! -f "$program/headpop" ] || [ -L "$program/headpop" ] || [ ! -x "$program/headpop" ]; then
    fail "no executable $program/headpop"
  fi
  local sound
  for sound in fire.wav explosion.wav; do
    [ -s "$program/$sound" ] || fail "no $sound beside the executable"
  done
  [ -L "$root/bin/headpop" ] || fail "$root/bin/headpop is not a symbolic link"
  [ "$(readlink "$root/bin/headpop")" = ../lib/headpop/headpop ] ||
    fail "$root/bin/headpop points to $(readlink "$root/bin/headpop")"
  [ -f "$root/share/applications/$app_id.desktop" ] || fail "no desktop entry"
  [ -f "$root/share/metainfo/$app_id.metainfo.xml" ] || fail "no metainfo"
  local size icon
  for size in "${icon_sizes[@]}"; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "no icon at $size pixels"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] ||
      fail "the $size-pixel icon is $(identify -format '%wx%h' "$icon")"
  done
}

# The desktop entry's command line with its field codes (%f, %U, ...) removed.
exec_line() {
  local line
  line=$(sed -n 's/^Exec=//p' "$1/share/applications/$app_id.desktop")
  echo "${line//%[a-zA-Z]/}"
}

# end_game PID [STARTED_PID]: ends the game by its process id and waits for the process this
# script started for it (the game itself, or the strace that runs it); a game that ignores
# SIGTERM for 10 seconds is killed.
end_game() {
  local pid=$1 started=${2:-$1}
  kill "$pid" 2>/dev/null || true
  local _
  for _ in $(seq 100); do
    kill -0 "$started" 2>/dev/null || break
    sleep 0.1
  done
  # Only while the process this script started is still there: once it has been reaped its
  # id may belong to another process.
  if kill -0 "$started" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$started" 2>/dev/null || true
}

# expect_sounds_from FOLDER WORKDIR COMMAND...
# Starts COMMAND in WORKDIR under strace and waits until the game has opened both sound
# files: they must come from FOLDER, and nothing of that name from anywhere else (WORKDIR
# holds decoys). The game decodes the files only after detection found both, so opening them
# shows that detection said yes. SDL_AUDIODRIVER=dummy needs no sound server.
expect_sounds_from() {
  local folder=$1 workdir=$2
  shift 2
  local log
  log=$(mktemp)
  (cd "$workdir" && exec env SDL_AUDIODRIVER=dummy strace -f -qq -o "$log" -e trace=openat \
    "$@" >/dev/null 2>&1) &
  local tracer=$!
  local found=
  local _
  for _ in $(seq 300); do
    if grep -q "\"$folder/fire.wav\", O_RDONLY) = [0-9]" "$log" &&
      grep -q "\"$folder/explosion.wav\", O_RDONLY) = [0-9]" "$log"; then
      found=yes
      break
    fi
    kill -0 "$tracer" 2>/dev/null || break
    sleep 0.1
  done
  local pid
  pid=$(awk 'NR == 1 { print $1 }' "$log")
  [ -n "$pid" ] && end_game "$pid" "$tracer"
  local strays
  strays=$(grep -E '(fire|explosion)\.wav' "$log" | grep -v "\"$folder/" || true)
  rm -f "$log"
  [ -n "$found" ] || fail "$* (in $workdir) did not open both sounds in $folder"
  [ -z "$strays" ] || fail "$* (in $workdir) looked elsewhere: $strays"
}

# A folder to start the game from, holding decoy sound files.
decoy_workdir() {
  local dir=$1
  mkdir -p "$dir"
  : >"$dir/fire.wav"
  : >"$dir/explosion.wav"
}
