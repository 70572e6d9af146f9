#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The sound back-ends side by side, in one run on one machine: start-up, memory, the idle
# title screen (every thread), playing at level 10, and 20 shots timed at the null sink.
# Usage: bench/compare_sound.sh [BUILD_DIR]
# shellcheck disable=SC2034,SC2154  # bench_lib.sh sets and reads these
set -euo pipefail
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/release}" && pwd)
bench_bin=$build/bench
read -r -a backends <<<"${BENCH_BACKENDS:-pulse canberra sdl-owner sdl-helper}"
work=$(mktemp -d /tmp/headpop-compare.XXXXXX)
rows=$work/rows.tsv
notes=$work/notes.txt
: >"$rows"
: >"$notes"
# shellcheck source=bench/bench_lib.sh
source "$here/bench_lib.sh"
cleanup() {
  local pid
  for pid in $(jobs -p); do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wait_for_quiet_cpu "${BENCH_QUIET_WAIT:-60}"
pin=(taskset -c 1)
taskset -pc 0 $$ >/dev/null
start_xvfb
start_pulse
export DISPLAY=$xvfb_display QT_QPA_PLATFORM=xcb

declare -A ms kb idle idle_cpu settled play shots_median shots_worst shots_cold call_max shots_cpu
runs=${BENCH_STARTUP_RUNS:-11}
for b in "${backends[@]}"; do
  HEADPOP_BENCH_SOUND=$b startup_once "$bench_bin/headpop_bench_driver" startup >/dev/null
done
for ((i = 0; i < runs; i++)); do
  for b in "${backends[@]}"; do
    line=$(HEADPOP_BENCH_SOUND=$b startup_once "$bench_bin/headpop_bench_driver" startup)
    ms[$b]+="$(field "$line" first_frame_ms) "
    kb[$b]+="$(field "$line" rss_kb) "
  done
done
for b in "${backends[@]}"; do
  export HEADPOP_BENCH_SOUND=$b
  echo "== $b" >>"$notes"
  measure_idle title "${BENCH_IDLE_SECONDS:-10}"
  idle[$b]=$idle_all_wakeups
  idle_cpu[$b]=$idle_all_cpu_us
  settled[$b]=$rss_settled_kb
  measure_cpu "$work/play10-$b.out" "${BENCH_SECONDS:-20}" "$bench_bin/headpop_bench_driver" \
    play 10 5 $((${BENCH_SECONDS:-20} + 3))
  play[$b]=$cpu_percent
  measure_shots "$work/play1-$b.out" "${BENCH_SHOTS:-20}"
  shots_median[$b]=$sound_median
  shots_worst[$b]=$sound_worst
  shots_cold[$b]=$sound_cold_median
  call_max[$b]=$(field "$play_effect_line" max)
  shots_cpu[$b]=$(task_delta "$work/shots-a" "$work/shots-b" | awk '{ s += $4 } END { printf "%.0f", s / 1000 }')
  echo "startup ms: ${ms[$b]}; rss kB: ${kb[$b]}" >>"$notes"
done
unset HEADPOP_BENCH_SOUND
echo
echo "| back-end | start-up ms (median) | resident kB after first frame | title: wake-ups of all threads in ${BENCH_IDLE_SECONDS:-10} s | title: CPU µs | resident kB, sound ready | CPU playing level 10, % | shot latency median ms | worst ms | cold median ms | longest PlayEffect call µs | CPU µs of all threads during the shots |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
for b in "${backends[@]}"; do
  echo "| $b | $(printf '%s\n' ${ms[$b]} | median) | $(printf '%s\n' ${kb[$b]} | median) | ${idle[$b]} | ${idle_cpu[$b]} | ${settled[$b]} | ${play[$b]} | ${shots_median[$b]} | ${shots_worst[$b]} | ${shots_cold[$b]} | ${call_max[$b]} | ${shots_cpu[$b]} |"
done
echo
echo "Notes:"
sed 's/^/  /' "$notes"
