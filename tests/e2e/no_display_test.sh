#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Without a display the game says so in one sentence and exits with status 1: no abort, no
# core dump, whether no display is named or the named one has no server, X or Wayland. The
# sentence names what it could not reach.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

# A display number with no server behind it (and none being started: no lock file).
dead=700
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do
  dead=$((dead + 1))
done

# Any core file would land in the working folder.
mkdir "$work/cwd"
cd "$work/cwd" || exit
ulimit -c unlimited 2>/dev/null || true

# A Wayland socket name with no compositor behind it, in our own runtime folder.
dead_socket=wayland-nobody

# expect_one_sentence CASE NAMED [VAR=VALUE...]: runs the game without a usable display; the
# sentence must hold NAMED.
expect_one_sentence() {
  local case=$1 named=$2 status=0 lines
  shift 2
  timeout 20 env "$@" "$GAME" >"$work/out" 2>"$work/err" </dev/null || status=$?
  lines=$(wc -l <"$work/err")
  if [ "$status" != 1 ]; then
    check_failed "$case: exit status $status, not 1; stderr: $(cat "$work/err")"
  elif [ "$lines" != 1 ] || ! grep -q '^headpop: .*[a-z].*\.$' "$work/err"; then
    check_failed "$case: not one sentence on stderr: $(cat "$work/err")"
  elif ! grep -qF -- "$named" "$work/err"; then
    check_failed "$case: the sentence does not name $named: $(cat "$work/err")"
  elif [ -s "$work/out" ]; then
    check_failed "$case: printed on stdout: $(cat "$work/out")"
  else
    note "$case: $(cat "$work/err")"
  fi
  if compgen -G 'core*' >/dev/null; then
    check_failed "$case: dumped core"
    rm -f core*
  fi
}

expect_one_sentence "neither DISPLAY nor WAYLAND_DISPLAY" "neither DISPLAY nor WAYLAND_DISPLAY"
expect_one_sentence "DISPLAY :$dead, where no server runs" "X display \":$dead\"" DISPLAY=":$dead"
expect_one_sentence "the wayland platform, WAYLAND_DISPLAY where no compositor listens" \
  "Wayland display \"$dead_socket\"" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$dead_socket"
expect_one_sentence "WAYLAND_DISPLAY where no compositor listens, and no DISPLAY" \
  "Wayland display \"$dead_socket\" nor on an X display" WAYLAND_DISPLAY="$dead_socket"
expect_one_sentence "neither a compositor nor an X server listens" \
  "Wayland display \"$dead_socket\" nor on the X display \":$dead\"" \
  WAYLAND_DISPLAY="$dead_socket" DISPLAY=":$dead"
finish
