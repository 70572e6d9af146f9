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

# ---------------------------------------------------------------- verdicts
# A figure that depends on how fast the machine runs the program (a time, a CPU share) is
# judged only if the machine was quiet while it was measured: at least $quiet_idle_min %
# idle, not counting the benchmarks' own programs and servers, over the figure's own
# window. Counts and sizes (pixels, the idle screens' wake-ups, resident memory) do not
# depend on other work, and are always judged. A missing figure fails whatever the
# machine did.
quiet_idle_min=${BENCH_QUIET_IDLE:-85}

# The windows the rows that follow are judged in (a figure and its reference may have
# one each): judged_in NAME..., or judged_in with none for rows judged always.
judged_windows=()
judged_in() { judged_windows=("$@"); }

# verdict MET [FIGURE_PRESENT]: pass, FAIL, or not judged with the least idle share of
# the windows.
verdict() {
  local idle='' name
  [ "${2:-1}" = 1 ] || { echo FAIL; return; }
  for name in "${judged_windows[@]}"; do
    if [ -n "${window_idle[$name]:-}" ] && { [ -z "$idle" ] || [ "${window_idle[$name]}" -lt "$idle" ]; }; then
      idle=${window_idle[$name]}
    fi
  done
  if [ -n "$idle" ] && [ "$idle" -lt "$quiet_idle_min" ]; then
    echo "not judged (machine busy, $idle % idle)"
  elif [ "$1" = 1 ]; then
    echo pass
  else
    echo FAIL
  fi
}

# 1 when awk's condition holds of v (and m), else 0.
holds() { awk -v v="$2" -v m="${3:-}" "BEGIN { print ($1) ? 1 : 0 }"; }

present() { is_figure "$1" && { [ $# -lt 2 ] || is_figure "$2"; } && echo 1 || echo 0; }

# ---------------------------------------------------------------- table rows
# row FIGURE MEASURED UNIT BUDGET_TEXT REFERENCE RATIO VERDICT
row() { printf '%s\t%s %s\t%s\t%s\t%s\t%s\n' "$@" >>"$rows"; }

# A figure against a multiple of its reference: row_ratio FIGURE VALUE UNIT REF REF_NAME MAX
row_ratio() {
  local ratio
  ratio=$(div "$2" "$4")
  row "$1" "$2" "$3" "≤ $6 × reference" "$4 $3 ($5)" "$ratio" \
    "$(verdict "$(holds 'v <= m' "$ratio" "$6")" "$(present "$2" "$4")")"
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
  local ratio="" reference=""
  if [ $# -ge 6 ]; then
    reference="$5 $3 ($6)"
    ratio=$(div "$2" "$5")
  fi
  local budget="≤ $4 $3"
  [ "$4" = 0 ] && budget="= 0"
  row "$1" "$2" "$3" "$budget" "$reference" "$ratio" \
    "$(verdict "$(holds 'v <= m' "$2" "$4")" "$(present "$2")")"
}

# How well the machine itself keeps time: the 99th percentile of the deviation of a bare
# precise 100 ms timer on the measured core, from the same run (run_bench.sh sets it).
# A host that is slow to wake an idle virtual CPU makes every program's timers late; where
# even the bare timer misses the timers' 3 ms, their figures say nothing of the game's and
# are not judged. machine_timer_p99 stays empty where it was not measured.
machine_timer_p99=""
machine_timer_budget_ms=3

# A timer's figure against its budget, with the bare timer beside it: row_timer FIGURE
# VALUE MAX
row_timer() {
  if is_figure "$machine_timer_p99" && is_figure "$2" &&
    [ "$(holds 'v > m' "$machine_timer_p99" "$machine_timer_budget_ms")" = 1 ]; then
    row "$1" "$2" ms "≤ $3 ms" "$machine_timer_p99 ms (a bare precise timer's 99th percentile)" \
      "" "not judged (machine's own timer late)"
  elif is_figure "$machine_timer_p99"; then
    row_limit "$1" "$2" ms "$3" "$machine_timer_p99" "a bare precise timer's 99th percentile"
  else
    row_limit "$1" "$2" ms "$3"
  fi
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
  row "$3: mean interval ($count intervals)" "$mean" ms "$nominal ± 1 ms" "" "" \
    "$(verdict "$(holds 'v <= 1' "$off")")"
  row_timer "$3: 99th percentile of the deviation from $nominal ms" "$p99" 3
}

# The rows of a timer that sleeps through ticks with no work, from the driver's line
# "NAME_grid period_ms= count= mean_late_ms= p99_late_ms= worst_late_ms=": how late its
# ticks came after their points on the grid. The mean may be up to 1.5 ms: the wait is
# rounded up to the next whole millisecond (up to 1 ms, so a tick never comes early), and
# the event loop rounds its own wait up as well. grid_rows OUTPUT_FILE NAME LABEL
grid_rows() {
  local line count
  line=$(grep "^$2_grid " "$1" || true)
  count=$(field "$line" count)
  if [ "${count:-0}" -lt 50 ]; then
    row "$3: too few ticks measured (${count:-0})" "-" "" "" "" "" "FAIL"
    return
  fi
  row_timer "$3: mean lateness behind its grid point ($count ticks)" \
    "$(field "$line" mean_late_ms)" 1.5
  row_timer "$3: 99th percentile of the lateness" "$(field "$line" p99_late_ms)" 3
}

# ---------------------------------------------------------------- a quiet CPU
# Idle, total and stolen ticks of all CPUs so far; the idle (or, with a third argument,
# the stolen) share between two such readings. Time stolen by the host of a virtual
# machine can show up as run time of the measured threads. BENCH_PROC_ROOT stands in for
# /proc in the verdicts' test.
proc_root=${BENCH_PROC_ROOT:-/proc}
cpu_ticks() {
  awk '/^cpu / { print $5 + $6, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9, $9 }' "$proc_root/stat"
}
idle_between() {
  awk -v a="$1" -v b="$2" -v k="${3:-1}" 'BEGIN { split(a, x, " "); split(b, y, " ");
    printf "%.0f", 100 * (y[k] - x[k]) / (y[2] - x[2]) }'
}

# CPU ticks of this script and every process under it so far: for each one still running,
# its own time and that of its children it has reaped (a reaped child's time moves into
# its parent's), all in the same clock ticks as /proc/stat.
own_ticks() {
  # A process may end between the listing and the reading: cat goes on without it.
  { cat "$proc_root"/[0-9]*/stat 2>/dev/null || true; } | awk -v top="$$" '{
      pid = $1; sub(/^.*\) /, "")
      parent[pid] = $2; ticks[pid] = $12 + $13 + $14 + $15
    }
    END {
      for (pid in ticks) {
        for (p = pid; p != "" && p != top && p > 1; p = parent[p]) {}
        if (p == top) { total += ticks[pid] }
      }
      print total + 0
    }'
}

# The idle share between two "idle total stolen own" readings, with own time as idle.
idle_apart_from_own() {
  awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, " "); split(b, y, " ")
    total = y[2] - x[2]; share = total > 0 ? 100 * (y[1] - x[1] + y[4] - x[4]) / total : 0
    printf "%.0f", (share > 100) ? 100 : share }'
}

# Each figure's window: the machine's idle share over it, the benchmarks' own CPU time
# counted as idle, so that only other work makes it busy. window_open NAME ...
# window_close NAME sets window_idle[NAME] and notes it.
declare -A window_start window_idle
window_open() { window_start[$1]="$(cpu_ticks) $(own_ticks)"; }
window_close() {
  local b
  b="$(cpu_ticks) $(own_ticks)"
  window_idle[$1]=$(idle_apart_from_own "${window_start[$1]}" "$b")
  echo "machine during $1: ${window_idle[$1]} % idle apart from the benchmarks' own programs ($(idle_between "${window_start[$1]}" "$b" 3) % stolen)" >>"$notes"
}

cpu_idle_percent() {
  local a
  a=$(cpu_ticks)
  sleep 2
  idle_between "$a" "$(cpu_ticks)"
}

# Waits up to $1 seconds for the machine to be quiet over 2 s (other work would steal
# time from the measured programs), and notes what it found.
wait_for_quiet_cpu() {
  local deadline=$((SECONDS + $1)) idle
  idle=$(cpu_idle_percent)
  while [ "$idle" -lt "$quiet_idle_min" ] && [ "$SECONDS" -lt "$deadline" ]; do
    echo "waiting for a quiet CPU: ${idle} % idle" >&2
    idle=$(cpu_idle_percent)
  done
  quiet_idle=$idle
  if [ "$idle" -lt "$quiet_idle_min" ]; then
    echo "CPU still busy after $1 s (${idle} % idle): figures measured while it stays busy are not judged" >>"$notes"
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

# Medians of start-up time and resident memory over $1 rounds, the programs in turn in
# each, after one unmeasured run of each (which fills the page cache).
measure_startup() {
  # name, then the program and its mode; "socket" is the one-label window with its frames
  # through the X socket instead of shared memory, as the game sends its own.
  local programs=(
    "game headpop_bench_driver startup"
    "empty headpop_bench_empty_window startup"
    "text headpop_bench_empty_window startup-text"
    "socket headpop_bench_empty_window startup-text"
  )
  local i entry name line
  declare -A ms kb
  for entry in "${programs[@]}"; do
    startup_of $entry >/dev/null
  done
  for ((i = 0; i < $1; i++)); do
    for entry in "${programs[@]}"; do
      name=${entry%% *}
      line=$(startup_of $entry)
      ms[$name]+="$(field "$line" first_frame_ms) "
      kb[$name]+="$(field "$line" rss_kb) "
    done
  done
  startup_game_ms=$(tr ' ' '\n' <<<"${ms[game]}" | median)
  startup_empty_ms=$(tr ' ' '\n' <<<"${ms[empty]}" | median)
  startup_text_ms=$(tr ' ' '\n' <<<"${ms[text]}" | median)
  startup_socket_ms=$(tr ' ' '\n' <<<"${ms[socket]}" | median)
  rss_game_kb=$(tr ' ' '\n' <<<"${kb[game]}" | median)
  rss_empty_kb=$(tr ' ' '\n' <<<"${kb[empty]}" | median)
  rss_text_kb=$(tr ' ' '\n' <<<"${kb[text]}" | median)
  echo "start-up ms, game: ${ms[game]}; empty window: ${ms[empty]}; with one label: ${ms[text]}; with one label, frames through the socket: ${ms[socket]}" >>"$notes"
  echo "resident kB, game: ${kb[game]}; empty window: ${kb[empty]}; with one label: ${kb[text]}" >>"$notes"
}

# startup_of NAME PROGRAM MODE: one start-up of a program of the benchmarks.
startup_of() {
  if [ "$1" = socket ]; then
    QT_XCB_NO_MITSHM=1 startup_once "$bench_bin/$2" "$3"
  else
    startup_once "$bench_bin/$2" "$3"
  fi
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
# kernel's per-thread run time, and the wake-ups per second of all its threads (their
# voluntary context switches); the seconds are the window named $3.
# measure_cpu OUTPUT_FILE SECONDS WINDOW PROGRAM ARGS...
measure_cpu() {
  local out=$1 seconds=$2 window=$3 pid ns
  shift 3
  "${pin[@]}" "$@" >"$out" 2>"$out.err" &
  pid=$!
  sleep 5
  resident_by_mapping "$pid" >"$work/rss-$(basename "$1")"
  task_stats "$pid" >"$work/cpu-a"
  window_open "$window"
  sleep "$seconds"
  task_stats "$pid" >"$work/cpu-b"
  window_close "$window"
  ns=$(task_delta "$work/cpu-a" "$work/cpu-b" | awk '{ s += $4 } END { print s }')
  wakeups_per_second=$(task_delta "$work/cpu-a" "$work/cpu-b" |
    awk -v s="$seconds" '{ v += $2 } END { printf "%.2f", v / s }')
  await_exit "$pid" 60
  cpu_percent=$(awk -v ns="$ns" -v s="$seconds" 'BEGIN { printf "%.3f", 100 * ns / (s * 1e9) }')
  {
    echo "CPU of $(basename "$1") ${*:2} over $seconds s: ${cpu_percent} %, ${wakeups_per_second} wake-ups a second; per thread (wakeups, preemptions, CPU µs):"
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
  echo "Times are judged only if the machine was at least ${quiet_idle_min} % idle, the benchmarks' own"
  echo "programs apart, while they were measured: $(grep -c 'not judged' "$rows" || true) figures were not judged."
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
