# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by every script that runs the game against servers of its own: the tests, the
# screenshots and the benchmarks. Each server is started on demand, recorded by its process
# id and ended by that id, never by name; each picks a free display or socket, or has a
# runtime folder of its own, so scripts run side by side.
#
#   start_x [WIDTHxHEIGHTxDEPTH]  a virtual X server (Xvfb); sets DISPLAY
#   start_wm                      a window manager (openbox) on that display
#   start_weston [OPTION...]      a headless Wayland compositor (Weston) with its screenshot
#                                 and debug protocols; sets WAYLAND_DISPLAY and
#                                 XDG_RUNTIME_DIR; OPTIONs go to weston (--scale=2)
#   start_pulse [SINK]            a sound server (PulseAudio) playing into a null sink named
#                                 SINK ("null"), whose monitor SINK.monitor records it; sets
#                                 PULSE_SERVER and PULSE_CLIENTCONFIG
#   start_web_server DIR          a file server for the page's site DIR on the loopback
#                                 address, on a free port; sets web_server_url
#   start_chromium                Debian's Chromium, headless, from a fresh profile, fetching
#                                 nothing of its own; sets chromium_endpoint (its DevTools
#                                 socket, for playwright-core's connectOverCDP)
#
# start_KIND sets KIND_pid and logs to $servers_dir/KIND.log. servers_dir is the folder for
# logs, sockets and runtime folders: set it before the first start, or a private one is
# made (and removed by end_started_processes). A start that fails prints the server's log
# and returns 1.
#
#   track_pid PID                 ends PID with the servers (the scripts' own programs)
#   end_process PID               ends one process: SIGTERM, then SIGKILL after 3 s
#   end_started_processes         ends every one, the last started first
#   wait_until SECONDS COMMAND... runs COMMAND until it succeeds or the time runs out
#   use_work_folder NAME          a private folder $work with the home, configuration and
#                                 cache the game sees (exported); on exit, or when
#                                 interrupted, ends every started process and removes the
#                                 folder, unless the script failed and E2E_KEEP is set

started_pids=()
servers_dir=${servers_dir:-}
servers_dir_is_ours=''

servers_folder() {
  if [ -z "$servers_dir" ]; then
    servers_dir=$(mktemp -d "${TMPDIR:-/tmp}/headpop-servers.XXXXXX")
    servers_dir_is_ours=yes
  fi
  mkdir -p "$servers_dir"
}

use_work_folder() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/headpop-${1:?usage: use_work_folder NAME}.XXXXXX")
  mkdir -p "$work/home" "$work/config" "$work/cache"
  # Nothing reaches the user's own files.
  export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
  trap end_and_remove_work_folder EXIT
  # Interrupted by hand or by a time-out, the script still ends what it started.
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

end_and_remove_work_folder() {
  local status=$?
  end_started_processes
  if [ "$status" -ne 0 ] && [ -n "${E2E_KEEP:-}" ]; then
    echo "work folder kept: $work" >&2
  else
    rm -rf "$work"
  fi
}

wait_until() {
  local limit=$1 deadline
  shift
  deadline=$(($(date +%s%3N) + $(awk -v s="$limit" 'BEGIN { printf "%.0f", s * 1000 }')))
  while ! "$@"; do
    [ "$(date +%s%3N)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Running, and not a zombie waiting to be reaped.
is_running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ $state != Z* ]]
}

track_pid() { started_pids+=("$1"); }

forget_pid() {
  local kept=() pid
  for pid in "${started_pids[@]}"; do
    [ "$pid" = "$1" ] || kept+=("$pid")
  done
  started_pids=("${kept[@]}")
}

# Only ids this script started and has not yet reaped are signalled: a reaped id may
# already belong to another process.
end_process() {
  local pid=$1 i
  kill "$pid" 2>/dev/null || true
  for ((i = 0; i < 30; i++)); do
    is_running "$pid" || break
    sleep 0.1
  done
  if is_running "$pid"; then
    echo "note: process $pid ignored SIGTERM; killing it" >&2
    kill -KILL "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
  forget_pid "$pid"
}

end_started_processes() {
  local i
  for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
    end_process "${started_pids[i]}"
  done
  if [ -n "$servers_dir_is_ours" ]; then
    rm -rf "$servers_dir"
    servers_dir='' servers_dir_is_ours=''
  fi
}

server_failed() {
  echo "$1 did not start:" >&2
  cat "$servers_dir/$2.log" >&2 2>/dev/null || true
  return 1
}

# --- X ---------------------------------------------------------------------------------

start_x() {
  local screen=${1:-1024x768x24} fifo number=''
  servers_folder
  fifo=$(mktemp -u "$servers_dir/displayfd.XXXXXX")
  mkfifo "$fifo"
  # -displayfd: the server takes a free display number and writes it once it accepts
  # clients; if it dies first, the read ends empty.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fifo" \
    >>"$servers_dir/x.log" 2>&1 &
  x_pid=$!
  track_pid "$x_pid"
  read -r -t 10 number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || server_failed Xvfb x || return 1
  export DISPLAY=":$number"
  # The pointer rests in a corner, away from every control.
  xdotool mousemove 0 0
}

start_wm() {
  servers_folder
  openbox --sm-disable >>"$servers_dir/wm.log" 2>&1 &
  wm_pid=$!
  track_pid "$wm_pid"
  wait_until 10 window_manager_answers || server_failed openbox wm
}

window_manager_answers() { wmctrl -m >/dev/null 2>&1; }

# --- Wayland ---------------------------------------------------------------------------

# The headless back-end has no input devices: nothing can move a pointer or press a key
# in it. The pixman renderer makes it draw its output, for the screenshots. --debug offers
# the screenshot protocol (weston-screenshooter) and the debug streams (weston-debug).
start_weston() {
  local run
  servers_folder
  run=$(mktemp -d "$servers_dir/weston-run.XXXXXX")
  chmod 700 "$run"
  XDG_RUNTIME_DIR=$run weston --backend=headless-backend.so --socket=wayland-headpop \
    --use-pixman --width=1024 --height=768 --idle-time=0 --no-config --debug "$@" \
    >>"$servers_dir/weston.log" 2>&1 &
  weston_pid=$!
  track_pid "$weston_pid"
  export XDG_RUNTIME_DIR=$run WAYLAND_DISPLAY=wayland-headpop
  wait_until 10 compositor_answers || server_failed Weston weston
}

compositor_answers() {
  is_running "$weston_pid" && [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] &&
    weston-debug --list >/dev/null 2>&1
}

# --- sound -----------------------------------------------------------------------------

start_pulse() {
  local sink=${1:-null} dir
  servers_folder
  dir=$(mktemp -d "$servers_dir/pulse.XXXXXX")
  mkdir -m 700 "$dir/run"
  mkdir "$dir/home"
  printf 'autospawn = no\n' >"$dir/client.conf"
  # Its own home and runtime folder; no display, so that it looks for no session bus
  # through X.
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" \
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n --use-pid-file=no \
    --log-target=stderr --load="module-null-sink sink_name=$sink" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    >>"$servers_dir/pulse.log" 2>&1 &
  pulse_pid=$!
  track_pid "$pulse_pid"
  export PULSE_SERVER=unix:$dir/native PULSE_CLIENTCONFIG=$dir/client.conf
  wait_until 10 sound_server_answers || server_failed PulseAudio pulse
}

sound_server_answers() { pactl info >/dev/null 2>&1; }

# --- the page --------------------------------------------------------------------------

start_web_server() {
  local dir=${1:?usage: start_web_server DIR} port
  servers_folder
  # Port 0: the system picks a free one, and the server's first line says which.
  python3 "$(dirname "${BASH_SOURCE[0]}")/serve_site.py" "$dir" 0 >"$servers_dir/web.log" 2>&1 &
  web_server_pid=$!
  track_pid "$web_server_pid"
  wait_until 10 web_server_answers || server_failed "The web server" web || return 1
  port=$(sed -n 's/^Serving HTTP on [^ ]* port \([0-9]*\)$/\1/p' "$servers_dir/web.log")
  # shellcheck disable=SC2034 # for the sourcing script
  web_server_url="http://127.0.0.1:$port/"
}

web_server_answers() { grep -q '^Serving HTTP on ' "$servers_dir/web.log"; }

# No sandbox (the tests run as root), no GPU, and nothing fetched beyond this machine: no
# updates, sync, component downloads or QUIC. The profile, and the home the browser
# writes its certificate store to, are the script's own.
start_chromium() {
  local profile
  servers_folder
  profile=$(mktemp -d "$servers_dir/chromium.XXXXXX")
  HOME=$profile chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --remote-debugging-address=127.0.0.1 \
    --remote-debugging-port=0 about:blank >"$servers_dir/chromium.log" 2>&1 &
  chromium_pid=$!
  track_pid "$chromium_pid"
  wait_until 30 chromium_answers || server_failed Chromium chromium || return 1
  # shellcheck disable=SC2034 # for the sourcing script
  chromium_endpoint=$(sed -n 's/^DevTools listening on \(ws:.*\)$/\1/p' "$servers_dir/chromium.log")
}

chromium_answers() {
  is_running "$chromium_pid" && grep -q '^DevTools listening on ws:' "$servers_dir/chromium.log"
}
