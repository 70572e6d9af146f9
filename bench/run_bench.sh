#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of Headpop against its budget and prints one table: figure,
# measured, budget, reference, ratio, verdict. Each figure is measured side by side with
# its reference in this one run, and a figure of time is judged only if the machine was
# quiet while it was measured (bench_lib.sh, "verdicts"); the exit status is non-zero
# only for a budget missed. Usage: bench/run_bench.sh [BUILD_DIR]  (default
# build/release). It starts its own X server (Xvfb) and sound server (PulseAudio with a
# null sink) and ends both by their process ids.
#
# Knobs (environment): BENCH_QUIET_WAIT seconds to wait for a quiet CPU (default 120),
# BENCH_QUIET_IDLE the idle share in % that counts as quiet (85), BENCH_SECONDS length of
# the CPU window while playing (30), BENCH_IDLE_SECONDS (10), BENCH_STARTUP_RUNS (11),
# BENCH_SHOTS (20).
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
build=$(cd "$build" && pwd)
bench_bin=$build/bench
quiet_wait=${BENCH_QUIET_WAIT:-120}
play_seconds=${BENCH_SECONDS:-30}
idle_seconds=${BENCH_IDLE_SECONDS:-10}
startup_runs=${BENCH_STARTUP_RUNS:-11}
shots=${BENCH_SHOTS:-20}
shooting_seconds=20

for program in headpop_micro_bench headpop_bench_driver headpop_bench_empty_window \
  headpop_bench_sound_latency; do
  if [ ! -x "$bench_bin/$program" ]; then
    echo "missing $bench_bin/$program: build first (make bench does)" >&2
    exit 1
  fi
done

work=$(mktemp -d /tmp/headpop-bench.XXXXXX)
rows=$work/rows.tsv
notes=$work/notes.txt
: >"$rows"
: >"$notes"

# shellcheck source=bench/bench_lib.sh
source "$here/bench_lib.sh"

# Ends what this script started and has not yet reaped: the servers, and any program a
# failed step left running. A reaped process's id is never signalled, as it may be reused.
cleanup() {
  local pid
  for pid in $(jobs -p); do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ---------------------------------------------------------------- a quiet CPU
wait_for_quiet_cpu "$quiet_wait"

# The measured programs run on one core; this script, its helpers (every awk and cat of
# the /proc readings) and the servers it starts run on the other, where there are two.
pin=()
if [ "$(nproc)" -ge 2 ]; then
  pin=(taskset -c 1)
  taskset -pc 0 $$ >/dev/null
fi

# ---------------------------------------------------------------- micro-benchmarks
# Each against a reference timed in the same run, interleaved with it: the same blits as
# plain copies. The blit may take twice its copy (it reads two images where the copy
# reads one); a tick, half as much again for moving the heads and asking for the
# repaint; a hit, as much over what any window pays to show one (its blits and a new
# caption), for testing the twenty heads and asking for the sound and the repaint.
echo "micro-benchmarks ..." >&2
micro_csv=$work/micro.csv
window_open micro
"${pin[@]}" "$bench_bin/headpop_micro_bench" --benchmark_repetitions=15 \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.05 --benchmark_format=csv >"$micro_csv" 2>"$work/micro.err"
window_close micro
blit=$(micro_median_ns "$micro_csv" BM_DrawSprite)
copy=$(micro_median_ns "$micro_csv" BM_PlainCopyOf37Rows)
tick1=$(micro_median_ns "$micro_csv" BM_Timer1WithTwentyTargets)
tick1_copy=$(micro_median_ns "$micro_csv" BM_PlainCopyOfTimer1Blits)
shot=$(micro_median_ns "$micro_csv" BM_MouseUpOnAHit)
shot_copy=$(micro_median_ns "$micro_csv" BM_PlainCopyOfAHitsBlitsAndCaption)
tick2=$(micro_median_ns "$micro_csv" BM_Timer2WithTwentyExplosions)
tick2_copy=$(micro_median_ns "$micro_csv" BM_PlainCopyOfTimer2Blits)
judged_in micro
row_ratio "DrawSprite, one 37 x 37 sprite" "$blit" ns "$copy" "plain copy of 37 rows" 2
row_ratio "Timer1_Timer, 20 targets, blits, no paint" "$(div "$tick1" 1000)" µs \
  "$(div "$tick1_copy" 1000)" "its 40 blits as plain copies" 3
row_ratio "Picture1_MouseUp on a hit" "$(div "$shot" 1000)" µs "$(div "$shot_copy" 1000)" \
  "its 2 blits as plain copies, and a label's new caption" 3
row_ratio "Timer2_Timer, 20 explosions" "$(div "$tick2" 1000)" µs \
  "$(div "$tick2_copy" 1000)" "its 40 blits as plain copies" 3

# ---------------------------------------------------------------- servers
start_servers
export QT_QPA_PLATFORM=xcb

# ---------------------------------------------------------------- paint
echo "paint ..." >&2
paint=$(run_with_timeout 60 "$bench_bin/headpop_bench_driver" paint 300 2>/dev/null |
  grep '^paint ' || true)
paint_ratio=$(field "$paint" ratio)
judged_in  # a count of pixels: the machine's speed does not change it
row_limit "pixels painted per movement tick / area its blits changed" "$paint_ratio" "" 2
echo "paint: $paint" >>"$notes"

# ---------------------------------------------------------------- start-up
# Against the window with one label of text: the least that any Qt window showing text
# pays (the toolkit's fonts). The bare window, which shows none, is set beside it.
echo "start-up ..." >&2
window_open startup
measure_startup "$startup_runs"
window_close startup
judged_in startup
row_ratio "start-up: exec to first painted title frame" "$startup_game_ms" ms \
  "$startup_text_ms" "window with one label" 1.2
judged_in  # resident memory does not depend on other work
row_ratio "resident memory after the first frame" "$rss_game_kb" kB "$rss_text_kb" \
  "window with one label" 1.2
row_info "start-up of the window with one label" "$startup_text_ms" ms \
  "$startup_empty_ms" "empty Qt Widgets window"
row_info "resident memory of the window with one label" "$rss_text_kb" kB \
  "$rss_empty_kb" "empty Qt Widgets window"
# The game sends its frames through the X socket (fewer wake-ups while playing); what
# that alone costs the one-label window's first frame.
row_info "start-up of the window with one label, frames through the socket" \
  "$startup_socket_ms" ms "$startup_text_ms" "window with one label"

# ---------------------------------------------------------------- idle screens
for screen in title level won lost; do
  echo "idle: $screen ..." >&2
  measure_idle "$screen" "$idle_seconds"
  judged_in  # a count of wake-ups
  row_limit "idle on the $screen screen: wakeups of every thread in ${idle_seconds} s" \
    "$idle_all_wakeups" "" 0
done
# Sound is made ready after the first frame: what the title screen holds once it is.
row_info "resident memory on the title screen, 5 s on, sound ready" "${rss_settled_kb:-nan}" kB \
  "$rss_text_kb" "window with one label"

# ---------------------------------------------------------------- playing at level 10
# No shot during the CPU window; then a hit every 530 ms, each waking Timer2 from sleep.
echo "playing at level 10 for ${play_seconds} s, then ${shooting_seconds} s of hits, and the reference ..." >&2
window_open play10
measure_cpu "$work/play10.out" "$play_seconds" cpu-play10 \
  "$bench_bin/headpop_bench_driver" play 10 5 $((play_seconds + 3)) "$shooting_seconds"
window_close play10
play_cpu=$cpu_percent
play_wakeups=$wakeups_per_second
measure_cpu "$work/reference.out" "$play_seconds" cpu-reference \
  "$bench_bin/headpop_bench_empty_window" timer $((play_seconds + 6))
reference_cpu=$cpu_percent
reference_wakeups=$wakeups_per_second
# How well the machine keeps time on the measured core, for the timers' rows.
window_open timer-reference
"${pin[@]}" "$bench_bin/headpop_bench_empty_window" precise-timer "$play_seconds" \
  >"$work/timer-reference.out"
window_close timer-reference
machine_timer_p99=$(field "$(grep '^reference_timer ' "$work/timer-reference.out" || true)" \
  p99_dev_ms)
note_resident_difference "$work/rss-game" "$work/rss-headpop_bench_empty_window"
heads=$(field "$(grep fewest_heads "$work/play10.out" || true)" fewest_heads_in_flight)
# The wake-ups too are judged only on a quiet machine: a write that finds the X server's
# socket full, while other work keeps the server from reading it, waits and so wakes the
# game once more.
judged_in cpu-play10 cpu-reference
row_limit "CPU playing level 10 ($heads+ heads in flight), % of one core" "$play_cpu" % 1 \
  "$reference_cpu" "empty window, one 100 ms timer"
row_ratio "wake-ups a second playing level 10, no shot, all threads" "$play_wakeups" "" \
  "$reference_wakeups" "empty window, one 100 ms timer" 1.2
judged_in play10 timer-reference
timer_rows "$work/play10.out" timer1 "Timer1 at 100 ms"
grid_rows "$work/play10.out" timer2 "Timer2 on its 80 ms grid, a hit every 530 ms"

# ---------------------------------------------------------------- level 1, shooting
echo "playing at level 1, ${shots} shots ..." >&2
window_open level1
measure_shots "$work/play1.out" "$shots"
window_close level1
judged_in level1 timer-reference
timer_rows "$work/play1.out" timer1 "Timer1 at 200 ms"
judged_in level1
row_limit "sound: button release to first sound at the sink, median of $sound_count" \
  "$sound_median" ms 30
row_limit "sound: button release to first sound at the sink, worst of $sound_count" \
  "$sound_worst" ms 60

# ---------------------------------------------------------------- the page
echo "the page in headless Chromium ..." >&2
"$here/web_bench.sh" "$build" "$rows" "$notes"

print_report
