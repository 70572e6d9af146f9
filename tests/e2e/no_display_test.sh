#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Without a display the game says so in one sentence and exits with status 1: no abort, no
# core dump, whether no display is named or the named one has no server.
source "$(dirname "$0")/lib.sh"

# A display number with no server behind it (and none being started: no lock file).
dead=700
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do
  dead=$((dead + 1))
done

# Any core file would land in the working folder.
mkdir "$work/cwd"
cd "$work/cwd"
ulimit -c unlimited 2>/dev/null || true

# expect_one_sentence CASE [VAR=VALUE...]: runs the game without a usable display.
expect_one_sentence() {
  local case=$1 status=0 lines
  shift
  timeout 20 env "$@" "$GAME" >"$work/out" 2>"$work/err" </dev/null || status=$?
  lines=$(wc -l <"$work/err")
  if [ "$status" != 1 ]; then
    check_failed "$case: exit status $status, not 1; stderr: $(cat "$work/err")"
  elif [ "$lines" != 1 ] || ! grep -q '^headpop: .*[a-z].*\.$' "$work/err"; then
    check_failed "$case: not one sentence on stderr: $(cat "$work/err")"
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

expect_one_sentence "no DISPLAY"
expect_one_sentence "DISPLAY :$dead, where no server runs" DISPLAY=":$dead"
finish
