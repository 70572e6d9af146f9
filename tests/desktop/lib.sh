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

# check_layout ROOT BINDIR PROGRAMDIR: under the prefix ROOT (e.g. STAGE/usr), the program's
# folder PROGRAMDIR with the executable and both sounds, the command in BINDIR as a relative
# link into it, the desktop entry, the metainfo, the icon at every size and the manual page.
check_layout() {
  local root=$1 bindir=$2 programdir=$3
  local program=$root/$programdir
  if [ ! -f "$program/headpop" ] || [ -L "$program/headpop" ] || [ ! -x "$program/headpop" ]; then
    fail "no executable $program/headpop"
  fi
  local sound
  for sound in fire.wav explosion.wav; do
    [ -s "$program/$sound" ] || fail "no $sound beside the executable"
  done
  local command=$root/$bindir/headpop target
  target=$(realpath -ms --relative-to="/$bindir" "/$programdir/headpop")
  [ -L "$command" ] || fail "$command is not a symbolic link"
  [ "$(readlink "$command")" = "$target" ] ||
    fail "$command points to $(readlink "$command"), not $target"
  [ -f "$root/share/applications/$app_id.desktop" ] || fail "no desktop entry"
  [ -f "$root/share/metainfo/$app_id.metainfo.xml" ] || fail "no metainfo"
  local size icon
  for size in "${icon_sizes[@]}"; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "no icon at $size pixels"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] ||
      fail "the $size-pixel icon is $(identify -format '%wx%h' "$icon")"
  done
  local manual
  manual=$(find "$root/share/man/man6" -name 'headpop.6*' 2>/dev/null)
  [ -n "$manual" ] || fail "no manual page in section 6"
}

# check_manual FILE: the manual page renders, and the formatter has nothing to say about it.
check_manual() {
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null) ||
    fail "man cannot render $1: $warnings"
  [ -z "$warnings" ] || fail "the manual page draws warnings: $warnings"
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
# shows that detection said yes; it decodes them whether or not a sound server answers.
expect_sounds_from() {
  local folder=$1 workdir=$2
  shift 2
  local log
  log=$(mktemp)
  (cd "$workdir" && exec strace -f -qq -o "$log" -e trace=openat \
    "$@" >/dev/null 2>&1) &
  local tracer=$!
  local found=
  local _
  for _ in $(seq 300); do
    if grep -q "\"$folder/fire.wav\", O_RDONLY[|A-Z_]*) = [0-9]" "$log" &&
      grep -q "\"$folder/explosion.wav\", O_RDONLY[|A-Z_]*) = [0-9]" "$log"; then
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
