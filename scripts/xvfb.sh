# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the scripts and tests that need a display: starts a virtual X server of our own
# and ends it by its process id. Xvfb picks a free display number itself (-displayfd), so
# servers started side by side never collide.
#   start_xvfb [WIDTHxHEIGHTxDEPTH]   sets DISPLAY and xvfb_pid; returns once it accepts clients
#   stop_xvfb

start_xvfb() {
  local screen=${1:-1280x1024x24}
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  # The number is written once the server is ready.
  local _
  for _ in $(seq 200); do
    [ -s "$number_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$number_file" ]; then
    rm -f "$number_file"
    echo "Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
  export DISPLAY
  rm -f "$number_file"
}

stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}
