# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034  # the addresses and ids are for the sourcing scripts
# Sourced by the page's tests and benchmarks: a local web server for the site and Debian's
# Chromium, headless, each started here and ended by its process id. Nothing goes beyond
# this machine: the server listens on the loopback address, the browser fetches nothing
# of its own (no updates, no sync, no QUIC) and starts from a fresh profile.
#   start_web_server DIR  sets web_server_pid and web_server_url (http://127.0.0.1:PORT/)
#   start_chromium        sets chromium_pid and chromium_endpoint (its DevTools socket)
#   stop_chromium, stop_web_server

start_web_server() {
  local dir=${1:?usage: start_web_server DIR}
  web_server_log=$(mktemp)
  # Port 0: the system picks a free one, and the server says which.
  python3 "$(dirname "${BASH_SOURCE[0]}")/serve_site.py" "$dir" 0 >"$web_server_log" 2>&1 &
  web_server_pid=$!
  local port='' _
  for _ in $(seq 200); do
    port=$(sed -n 's/^Serving HTTP on [^ ]* port \([0-9]*\).*/\1/p' "$web_server_log")
    [ -n "$port" ] && break
    kill -0 "$web_server_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$port" ]; then
    echo "the web server did not start:" >&2
    cat "$web_server_log" >&2
    return 1
  fi
  web_server_url="http://127.0.0.1:$port/"
}

stop_web_server() {
  if [ -n "${web_server_pid:-}" ]; then
    kill "$web_server_pid" 2>/dev/null || true
    wait "$web_server_pid" 2>/dev/null || true
    web_server_pid=
    if grep -q Traceback "$web_server_log"; then
      echo "the web server reported errors:" >&2
      cat "$web_server_log" >&2
    fi
    rm -f "$web_server_log"
  fi
}

start_chromium() {
  chromium_profile=$(mktemp -d)
  chromium_log=$chromium_profile.log
  : >"$chromium_log"
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --disable-features=MediaRouter --autoplay-policy=user-gesture-required \
    --user-data-dir="$chromium_profile" --remote-debugging-address=127.0.0.1 \
    --remote-debugging-port=0 about:blank >"$chromium_log" 2>&1 &
  chromium_pid=$!
  chromium_endpoint=''
  local _
  for _ in $(seq 400); do
    chromium_endpoint=$(sed -n 's/^DevTools listening on \(ws:.*\)$/\1/p' "$chromium_log")
    [ -n "$chromium_endpoint" ] && break
    kill -0 "$chromium_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$chromium_endpoint" ]; then
    echo "Chromium did not start:" >&2
    cat "$chromium_log" >&2
    return 1
  fi
}

stop_chromium() {
  if [ -n "${chromium_pid:-}" ]; then
    kill "$chromium_pid" 2>/dev/null || true
    # The browser ends its own helper processes as it shuts down.
    local _
    for _ in $(seq 100); do
      kill -0 "$chromium_pid" 2>/dev/null || break
      sleep 0.05
    done
    kill -9 "$chromium_pid" 2>/dev/null || true
    wait "$chromium_pid" 2>/dev/null || true
    chromium_pid=
    rm -rf "$chromium_profile" "$chromium_log"
  fi
}
