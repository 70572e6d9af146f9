# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers of run_bench.sh: the servers, the /proc accounting, the measurements and the
# table. Sourced, not run; it uses run_bench.sh's $work, $rows, $notes, $pin and $bench_bin.
# It sets its results in variables that run_bench.sh reads, hence SC2034 and SC2154.
# shellcheck shell=bash disable=SC2034,SC2154

# ---------------------------------------------------------------- arithmetic and text
div() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# The value of key=value in a line of "key=value" words.
field() { tr ' ' '\n' <<<"$1" | awk -F= -v k="$2" '$1 == k { print $2; exit }'; }

# A measured figure: a plain non-negative number (a failed step leaves it empty or -1).
is_figure() { [[ $1 =~ ^[0-9]+(\.[0-9]+)?$ ]]; }

median() { grep . | sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan";
  else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The median CPU time of one Google Benchmark, in ns, from its CSV report.
micro_median_ns() {
  awk -F, -v name="\"$2_median\"" '$1 == name {
    f = ($5 == "\"us\"") ? 1e3 : ($5 == "\"ms\"") ? 1e6 : 1; printf "%.1f", $4 * f }' "$1"
}

# ---------------------------------------------------------------- table rows
# row FIGURE MEASURED UNIT BUDGET_TEXT REFERENCE RATIO VERDICT
row() { printf '%s\t%s %s\t%s\t%s\t%s\t%s\n' "$@" >>"$rows"; }

# A figure against a multiple of its reference: row_ratio FIGURE VALUE UNIT REF REF_NAME MAX
row_ratio() {
  local ratio verdict
  ratio=$(div "$2" "$4")
  verdict=$(awk -v r="$ratio" -v m="$6" 'BEGIN { print (r <= m) ? "pass" : "FAIL" }')
  is_figure "$2" && is_figure "$4" || verdict=FAIL
  row "$1" "$2" "$3" "≤ $6 × reference" "$4 $3 ($5)" "$ratio" "$verdict"
}

# A figure with no budget of its own, set beside a reference to explain another:
# row_info FIGURE VALUE UNIT REF REF_NAME
row_info() {
  row "$1" "$2" "$3" "(none)" "$4 $3 ($5)" "$(div "$2" "$4")" "for comparison"
}

# A figure against a fixed budget, with an optional reference beside it:
# row_limit FIGURE VALUE UNIT MAX [REF REF_NAME]. A budget of 0 must be met exactly,
# others are upper limits.
row_limit() {
  local verdict ratio="" reference=""
  verdict=$(awk -v v="$2" -v m="$4" 'BEGIN { print (v <= m) ? "pass" : "FAIL" }')
  is_figure "$2" || verdict=FAIL
  if [ $# -ge 6 ]; then
    reference="$5 $3 ($6)"
    ratio=$(div "$2" "$5")
  fi
  local budget="≤ $4 $3"
  [ "$4" = 0 ] && budget="= 0"
  row "$1" "$2" "$3" "$budget" "$reference" "$ratio" "$verdict"
}

# The two rows of one timer from the driver's summary line: mean, and 99th percentile
# of the deviation from nominal. timer_rows OUTPUT_FILE NAME LABEL
timer_rows() {
  local line nominal mean p99 count off verdict
  line=$(grep "^$2 " "$1" || true)
  nominal=$(field "$line" nominal_ms)
  mean=$(field "$line" mean_ms)
  p99=$(field "$line" p99_dev_ms)
  count=$(field "$line" count)
  if [ -z "$mean" ] || [ "${count:-0}" -lt 50 ]; then
    row "$3: too few intervals measured (${count:-0})" "-" "" "" "" "" "FAIL"
    return
  fi
  off=$(awk -v m="$mean" -v n="$nominal" 'BEGIN { d = m - n; printf "%.3f", d < 0 ? -d : d }')
  verdict=$(awk -v o="$off" 'BEGIN { print (o <= 1) ? "pass" : "FAIL" }')
  row "$3: mean interval ($count intervals)" "$mean" ms "$nominal ± 1 ms" "" "" "$verdict"
  row_limit "$3: 99th percentile of the deviation from $nominal ms" "$p99" ms 3
}

# ---------------------------------------------------------------- a quiet CPU
# Waits up to $1 seconds for the machine to be at least 85 % idle over 2 s (other work
# would steal time from the measured programs), and notes what it found.
# Idle, total and stolen ticks of all CPUs so far; the idle (or, with a third argument,
# the stolen) share between two such readings. Time stolen by the host of a virtual
# machine can show up as run time of the measured threads.
cpu_ticks() {
  awk '/^cpu / { print $5 + $6, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9, $9 }' /proc/stat
}
idle_between() {
  awk -v a="$1" -v b="$2" -v k="${3:-1}" 'BEGIN { split(a, x, " "); split(b, y, " ");
    printf "%.0f", 100 * (y[k] - x[k]) / (y[2] - x[2]) }'
}

cpu_idle_percent() {
  local a
  a=$(cpu_ticks)
  sleep 2
  idle_between "$a" "$(cpu_ticks)"
}

wait_for_quiet_cpu() {
  local deadline=$((SECONDS + $1)) idle
  idle=$(cpu_idle_percent)
  while [ "$idle" -lt 85 ] && [ "$SECONDS" -lt "$deadline" ]; do
    echo "waiting for a quiet CPU: ${idle} % idle" >&2
    idle=$(cpu_idle_percent)
  done
  quiet_idle=$idle
  if [ "$idle" -lt 85 ]; then
    echo "CPU still busy after $1 s (${idle} % idle): figures below are disturbed" >>"$notes"
  fi
}

# ---------------------------------------------------------------- servers
run_with_timeout() { timeout --kill-after=5 "$@"; }

# shellcheck source=scripts/test-servers.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/test-servers.sh"

# An X server and a sound server with the null sink headpop_bench (scripts/test-servers.sh);
# the measured programs get a home and a runtime folder of their own in $work.
start_servers() {
  servers_dir=$work
  start_x
  start_pulse headpop_bench
  mkdir -p "$work/home" "$work/run"
  chmod 700 "$work/run"
  export HOME=$work/home XDG_RUNTIME_DIR=$work/run
}

# ---------------------------------------------------------------- /proc accounting
# One line per thread: tid, voluntary and involuntary switches, nanoseconds on a CPU, name.
task_stats() {
  local task tid
  for task in /proc/"$1"/task/*; do
    tid=${task##*/}
    awk -v tid="$tid" -v comm="$(cat "$task/comm" 2>/dev/null)" -v rt="$(cut -d' ' -f1 \
      "$task/schedstat" 2>/dev/null)" '/^voluntary_ctxt_switches/ { v = $2 }
      /^nonvoluntary_ctxt_switches/ { n = $2 }
      END { gsub(/ /, "_", comm); print tid, v, n, rt, comm }' "$task/status" 2>/dev/null || true
  done
}

# The change per thread between two task_stats snapshots: tid, voluntary, involuntary, ns, name.
task_delta() {
  awk 'NR == FNR { v[$1] = $2; n[$1] = $3; r[$1] = $4; next }
       { print $1, $2 - v[$1], $3 - n[$1], $4 - r[$1], $5 }' "$1" "$2"
}

# Resident kB per mapped file (anonymous memory as [anon]), one "name kB" line each.
resident_by_mapping() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { name = ($6 == "") ? "[anon]" : $6 }
       /^Rss:/ { rss[name] += $2 }
       END { for (n in rss) print n, rss[n] }' /proc/"$1"/smaps 2>/dev/null | sort || true
}

# Notes where the game's resident memory goes beyond the reference's: the largest
# differences per mapping, and how many libraries only the game maps.
note_resident_difference() {
  [ -s "$1" ] && [ -s "$2" ] || return 0
  {
    echo "resident memory, game minus empty window, by mapping (kB):"
    join -a1 -a2 -e0 -o0,1.2,2.2 "$1" "$2" | awk '{ print $2 - $3, $1 }' | sort -rn |
      awk 'NR <= 14 { printf "    %6d %s\n", $1, $2 }'
    join -a1 -a2 -e0 -o0,1.2,2.2 "$1" "$2" | awk '{ total += $2 - $3 }
      $3 == 0 && $1 ~ /\.so/ { only++ } END { printf "    %6d in all; %d libraries only the game maps\n", total, only }'
  } >>"$notes"
}

# User and system clock ticks of the whole process.
process_ticks() { sed 's/.*) //' /proc/"$1"/stat | awk '{ print $12 + $13 }'; }

# Waits for a background program to end by itself, then for at most $2 more seconds.
await_exit() {
  local deadline=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.1
  done
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Waits until a program's window is on the X screen.
await_window() {
  run_with_timeout 15 xdotool search --sync --onlyvisible --pid "$1" >/dev/null 2>&1 || true
}

# ---------------------------------------------------------------- measurements
# Medians of start-up time and resident memory, runs of the two programs alternating
# after one unmeasured run of each (which fills the page cache).
# One start-up: the launcher notes the time and execs the program, which reports its
# first frame and quits; prints that report.
startup_once() {
  local out=$work/startup.out pid
  # shellcheck disable=SC2016 # expanded by the launcher, at its exec
  "${pin[@]}" bash -c 'export HEADPOP_BENCH_EXEC_US=${EPOCHREALTIME/./}; exec "$0" "$@"' \
    "$@" >"$out" 2>/dev/null &
  pid=$!
  await_exit "$pid" 30
  grep first_frame_ms "$out" || true
}

measure_startup() {
  local i line game_ms=() empty_ms=() text_ms=() game_kb=() empty_kb=() text_kb=()
  startup_once "$bench_bin/headpop_bench_driver" startup >/dev/null
  startup_once "$bench_bin/headpop_bench_empty_window" startup >/dev/null
  startup_once "$bench_bin/headpop_bench_empty_window" startup-text >/dev/null
  for ((i = 0; i < $1; i++)); do
    line=$(startup_once "$bench_bin/headpop_bench_driver" startup)
    game_ms+=("$(field "$line" first_frame_ms)")
    game_kb+=("$(field "$line" rss_kb)")
    line=$(startup_once "$bench_bin/headpop_bench_empty_window" startup)
    empty_ms+=("$(field "$line" first_frame_ms)")
    empty_kb+=("$(field "$line" rss_kb)")
    line=$(startup_once "$bench_bin/headpop_bench_empty_window" startup-text)
    text_ms+=("$(field "$line" first_frame_ms)")
    text_kb+=("$(field "$line" rss_kb)")
  done
  startup_game_ms=$(printf '%s\n' "${game_ms[@]}" | median)
  startup_empty_ms=$(printf '%s\n' "${empty_ms[@]}" | median)
  startup_text_ms=$(printf '%s\n' "${text_ms[@]}" | median)
  rss_game_kb=$(printf '%s\n' "${game_kb[@]}" | median)
  rss_empty_kb=$(printf '%s\n' "${empty_kb[@]}" | median)
  rss_text_kb=$(printf '%s\n' "${text_kb[@]}" | median)
  echo "start-up ms, game: ${game_ms[*]}; empty window: ${empty_ms[*]}; with one label: ${text_ms[*]}" >>"$notes"
  echo "resident kB, game: ${game_kb[*]}; empty window: ${empty_kb[*]}; with one label: ${text_kb[*]}" >>"$notes"
}

# One screen left alone: the main thread's wakeups over $2 seconds, and what the other
# threads and the process as a whole did meanwhile.
measure_idle() {
  local pid ticks_a ticks_b
  "${pin[@]}" "$bench_bin/headpop_bench_driver" "$1" $(($2 + 30)) >/dev/null 2>"$work/idle-$1.err" &
  pid=$!
  await_window "$pid"
  # The sound is made ready once the window is up: its libraries are loaded, the effects
  # decoded and uploaded to the sound server, all within the first second.
  sleep 5
  if [ "$1" = title ]; then
    resident_by_mapping "$pid" >"$work/rss-game"
    rss_settled_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  fi
  task_stats "$pid" >"$work/idle-a"
  ticks_a=$(process_ticks "$pid")
  sleep "$2"
  task_stats "$pid" >"$work/idle-b"
  ticks_b=$(process_ticks "$pid")
  kill "$pid" 2>/dev/null || true
  await_exit "$pid" 5
  idle_all_wakeups=$(task_delta "$work/idle-a" "$work/idle-b" | awk '{ s += $2 } END { print s + 0 }')
  idle_all_cpu_us=$(task_delta "$work/idle-a" "$work/idle-b" | awk '{ s += $4 } END { printf "%.0f", s / 1000 }')
  {
    echo "idle $1 over $2 s: process CPU $((ticks_b - ticks_a)) ticks; per thread (wakeups, preemptions, CPU µs):"
    task_delta "$work/idle-a" "$work/idle-b" |
      awk -v p="$pid" '{ printf "    %s%s: %d, %d, %.0f\n", $5, ($1 == p ? " (game thread)" : ""), $2, $3, $4 / 1000 }'
  } >>"$notes"
}

# CPU of a program over $2 seconds after 5 s of warm-up, in % of one core, from the
# kernel's per-thread run time. measure_cpu OUTPUT_FILE SECONDS PROGRAM ARGS...
measure_cpu() {
  local out=$1 seconds=$2 pid ns
  shift 2
  "${pin[@]}" "$@" >"$out" 2>"$out.err" &
  pid=$!
  sleep 5
  resident_by_mapping "$pid" >"$work/rss-$(basename "$1")"
  task_stats "$pid" >"$work/cpu-a"
  machine_a=$(cpu_ticks)
  sleep "$seconds"
  task_stats "$pid" >"$work/cpu-b"
  machine_b=$(cpu_ticks)
  machine_idle=$(idle_between "$machine_a" "$machine_b")
  machine_steal=$(idle_between "$machine_a" "$machine_b" 3)
  ns=$(task_delta "$work/cpu-a" "$work/cpu-b" | awk '{ s += $4 } END { print s }')
  await_exit "$pid" 20
  cpu_percent=$(awk -v ns="$ns" -v s="$seconds" 'BEGIN { printf "%.3f", 100 * ns / (s * 1e9) }')
  {
    echo "CPU of $(basename "$1") ${*:2} over $seconds s: ${cpu_percent} % (machine ${machine_idle} % idle, ${machine_steal} % stolen meanwhile); per thread (wakeups, preemptions, CPU µs):"
    grep '^timer' "$out" | sed 's/^/    /' || true
    task_delta "$work/cpu-a" "$work/cpu-b" |
      awk '{ printf "    %s: %d, %d, %.0f\n", $5, $2, $3, $4 / 1000 }'
  } >>"$notes"
}

# Plays level 1 for 48 s and shoots $2 times at the playfield through the X server,
# timing each shot's sound at the null sink.
measure_shots() {
  local out=$1 pid line x y deadline=$((SECONDS + 15))
  "${pin[@]}" "$bench_bin/headpop_bench_driver" play 1 3 45 >"$out" 2>"$out.err" &
  pid=$!
  until grep -qs '^click_x=' "$out" || [ "$SECONDS" -ge "$deadline" ]; do
    sleep 0.05
  done
  line=$(grep '^click_x=' "$out" || true)
  x=$(field "$line" click_x)
  y=$(field "$line" click_y)
  await_window "$pid"
  sleep 3
  task_stats "$pid" >"$work/shots-a"
  run_with_timeout 90 "$bench_bin/headpop_bench_sound_latency" "${x:-0}" "${y:-0}" \
    headpop_bench.monitor "$2" >"$work/sound.out" 2>&1 || true
  task_stats "$pid" >"$work/shots-b"
  line=$(grep '^sound_latency_ms' "$work/sound.out" || true)
  sound_median=$(field "$line" median)
  sound_count=$(field "$line" n)
  sound_worst=$(field "$line" max)
  sound_cold_median=$(field "$line" cold_median)
  [ -n "$sound_worst" ] || sound_worst=nan
  [ -n "$sound_median" ] || sound_median=nan
  {
    echo "sound latency: ${line:-no result}"
    grep '^shot' "$work/sound.out" | sed 's/^/    /' || true
    grep -v '^shot\|^sound_latency' "$work/sound.out" | sed 's/^/    /' || true
    echo "  while the shots were fired, per thread (wakeups, preemptions, CPU µs):"
    task_delta "$work/shots-a" "$work/shots-b" |
      awk '{ printf "    %s: %d, %d, %.0f\n", $5, $2, $3, $4 / 1000 }'
  } >>"$notes"
  await_exit "$pid" 60
  play_effect_line=$(grep '^play_effect_us' "$out" || true)
  echo "  PlayEffect on the game thread: ${play_effect_line:-not timed}" >>"$notes"
}

# ---------------------------------------------------------------- the report
print_report() {
  local cpu kernel
  cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
  kernel=$(uname -r)
  echo
  echo "Headpop benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "Machine: $cpu, $(nproc --all) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' \
    /proc/meminfo), Linux $kernel; CPU ${quiet_idle} % idle before the run"
  echo
  echo "| figure | measured | budget | reference | ratio | verdict |"
  echo "|---|---|---|---|---|---|"
  awk -F'\t' '{ printf "| %s | %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5, $6 }' "$rows"
  echo
  echo "Notes:"
  sed 's/^/  /' "$notes"
  if grep -q 'FAIL$' "$rows"; then
    return 1
  fi
}
