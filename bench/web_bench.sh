#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's figures against their budgets, as rows of bench/run_bench.sh's table: the
# module's size, the title's first frame in headless Chromium against a page with one
# empty canvas, the blit against a plain copy of its rows in the same engine, and the
# timers' mean intervals. Usage: bench/web_bench.sh BUILD_DIR ROWS_FILE [NOTES_FILE]
# The times are judged only if the machine was quiet while the browser ran them (see
# bench_lib.sh, "verdicts"); the idle share goes to NOTES_FILE.
# Knobs: BENCH_WEB_RUNS page loads of each kind (default 11), BENCH_WEB_TIMER_SECONDS (60).
set -euo pipefail
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR ROWS_FILE}" && pwd)
# shellcheck disable=SC2034 # bench_lib.sh's row() writes to it
rows=${2:?usage: $0 BUILD_DIR ROWS_FILE}
notes=${3:-/dev/null}
runs=${BENCH_WEB_RUNS:-11}
timer_seconds=${BENCH_WEB_TIMER_SECONDS:-60}

# shellcheck source=bench/bench_lib.sh
source "$here/bench_lib.sh" # and with it scripts/test-servers.sh

module=$build/web/headpop.wasm
blit_module=$build/wasm/bench/web/blit_bench.wasm
for file in "$module" "$blit_module"; do
  if [ ! -f "$file" ]; then
    echo "missing $file: build first (make bench does)" >&2
    exit 1
  fi
done

# The site with the benchmark's pages beside it.
site=$(mktemp -d /tmp/headpop-web-bench.XXXXXX)
trap 'end_started_processes; rm -rf "$site"' EXIT
cp -r "$build/web/." "$site"
mkdir "$site/bench"
cp "$here/web/blit.html" "$here/web/empty_canvas.html" "$here/web/title_image.html" \
  "$blit_module" "$site/bench"

row_limit "the page's WebAssembly module" "$(div "$(stat -c %s "$module")" 1024)" KB 100

window_open page
start_web_server "$site"
start_chromium
figures=$(node "$here/web/web_bench.mjs" "$chromium_endpoint" "$web_server_url" "$runs" \
  "$timer_seconds")
window_close page
figure() { sed -n "s/^$1=//p" <<<"$figures"; }

judged_in page

row_ratio "page: navigation to the title's first frame, median of $runs" \
  "$(figure first_frame_ms)" ms "$(figure empty_frame_ms)" "a page with one empty canvas" 1.5
row_info "page: a page showing only the title picture, its first frame, median of $runs" \
  "$(figure title_image_ms)" ms "$(figure empty_frame_ms)" "a page with one empty canvas"
row_ratio "page: DrawSprite, one 37 x 37 sprite" "$(figure blit_ns)" ns "$(figure copy_ns)" \
  "plain copy of 37 rows, same engine" 2
for timer in "timer1 200" "timer2 80"; do
  read -r name interval <<<"$timer"
  mean=$(figure "${name}_mean_ms")
  error=$(awk -v m="$mean" -v i="$interval" 'BEGIN { d = m - i; printf "%.3f", d < 0 ? -d : d }')
  row_limit "page: ${name^} at $interval ms, mean interval's error over ${timer_seconds} s" \
    "$error" ms 1
done
