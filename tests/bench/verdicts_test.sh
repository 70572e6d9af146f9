#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The benchmarks' verdicts on recorded machine states: a figure's window is busy or quiet
# by the machine's idle share with the benchmarks' own CPU time counted as idle; a time
# measured on a busy machine is not judged, a count always is, a missing figure always
# fails; and the report fails only for a budget missed where it was judged.
set -euo pipefail
lib=${1:?usage: $0 BENCH_LIB_SH}

failures=0
expect() {
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: got '$2', expected '$3'" >&2
    failures=$((failures + 1))
  fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rows=$work/rows.tsv
notes=$work/notes.txt
: >"$rows"
: >"$notes"
fake=$work/proc
export BENCH_PROC_ROOT=$fake

# /proc as the benchmarks read it: all CPUs' ticks (user nice system idle iowait irq
# softirq steal), and per process its parent and its own and its reaped children's ticks.
machine() {
  mkdir -p "$fake"
  printf 'cpu  %s 0 0\ncpu0 0 0 0 0 0 0 0 0 0 0\n' "$1" >"$fake/stat"
}
process() {  # process PID PPID NAME UTIME STIME CUTIME CSTIME
  mkdir -p "$fake/$1"
  echo "$1 ($3) S $2 1 1 0 -1 0 0 0 0 0 $4 $5 $6 $7 20 0 1 0 100 0 0" >"$fake/$1/stat"
}

# shellcheck source=bench/bench_lib.sh
source "$lib"

# The script itself, a measured program under it with a name that holds ") ", a server it
# started, and a compiler that is none of its own.
machine "100 0 50 1000 0 0 0 0"
process $$ 1 bench 10 5 0 0
process 4001 $$ "a) b" 100 20 0 0
process 4002 4001 Xvfb 7 3 0 0
process 4003 1 cc1plus 500 0 0 0
expect "own ticks" "$(own_ticks)" 145

# Quiet: of 1000 ticks, 500 idle and 450 the benchmarks' own (a program busy on one core).
window_open quiet
machine "550 0 100 1500 0 0 0 0"
process 4001 $$ "a) b" 500 70 0 0
expect "own ticks later" "$(own_ticks)" 595
window_close quiet
expect "quiet idle share" "${window_idle[quiet]}" 95

# Busy: other work took most of 1000 ticks; 300 idle, 100 our own (a reaped program's
# ticks now with the script's children), 50 stolen by the host.
window_open busy
machine "1150 0 150 1800 0 0 0 50"
rm -r "${fake:?}/4001" "$fake/4002"
process $$ 1 bench 10 5 650 30
window_close busy
expect "busy idle share" "${window_idle[busy]}" 40
expect "noted" "$(grep -c 'machine during busy: 40 % idle' "$notes")" 1

last_verdict() { tail -n 1 "$rows" | cut -f6; }

judged_in quiet
row_limit "a time within budget" 2.5 ms 3
expect "quiet, met" "$(last_verdict)" pass
row_ratio "a time over budget" 130 ns 50 "reference" 2
expect "quiet, missed" "$(last_verdict)" FAIL

judged_in busy
row_limit "a time over budget" 9 ms 3
expect "busy, missed" "$(last_verdict)" "not judged (machine busy, 40 % idle)"
row_limit "a figure that never came" "" ms 3
expect "busy, missing" "$(last_verdict)" FAIL

# A figure and its reference measured apart: the busier window decides.
judged_in quiet busy
row_ratio "against a reference" 9 % 1 "reference" 5
expect "either busy" "$(last_verdict)" "not judged (machine busy, 40 % idle)"

judged_in
row_limit "a count" 0 "" 0
expect "count met" "$(last_verdict)" pass
row_ratio "a count over budget" 13 "" 10 "reference" 1.2
expect "count missed on a busy machine" "$(last_verdict)" FAIL

# Timers beside the machine's own bare timer: judged where that keeps to 3 ms, not where
# even it is late; without it, judged as any time.
judged_in quiet
machine_timer_p99=2.7
row_timer "a late timer on a steady machine" 5.9 3
expect "steady machine, late timer" "$(last_verdict)" FAIL
row_timer "a timer within budget" 1.2 3
expect "steady machine, timer met" "$(last_verdict)" pass
machine_timer_p99=4.5
row_timer "a late timer on a machine late itself" 5.9 3
expect "machine late itself" "$(last_verdict)" "not judged (machine's own timer late)"
row_timer "a timer figure that never came" "" 3
expect "machine late itself, figure missing" "$(last_verdict)" FAIL
machine_timer_p99=""
row_timer "a timer with no reference" 4 3
expect "no reference, missed" "$(last_verdict)" FAIL

# The report: fails for a budget missed where judged, not for one that was not judged.
quiet_idle=40
status=0
print_report >"$work/report" || status=$?
expect "report with failures" "$status" 1
expect "report counts the figures not judged" \
  "$(grep -c '^programs apart, while they were measured: 3 figures were not judged' "$work/report")" 1
grep -v FAIL "$rows" >"$work/kept"
mv "$work/kept" "$rows"
status=0
print_report >/dev/null || status=$?
expect "report with nothing missed where judged" "$status" 0

if [ "$failures" -gt 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "all verdicts as expected"
