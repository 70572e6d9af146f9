#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The packages a player's machine gets (the installer's play set, and the web set that
# builds and serves the page) hold no server, window manager, browser, Node or tool that
# only the tests or benchmarks need; and every package of every set is named once.
set -euo pipefail
installer=${1:?usage: $0 INSTALL_DEPS_SCRIPT}

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

mapfile -t play < <("$installer" --list play)
mapfile -t web < <("$installer" --list web)
mapfile -t test < <("$installer" --list test)
mapfile -t bench < <("$installer" --list bench)
[ ${#play[@]} -gt 0 ] || fail "the play set is empty"

# What a test session or a benchmark starts or uses, and a desktop already has or must not
# get twice: display and sound servers, window managers, test and lint tools.
forbidden='^(xvfb|xserver-.*|xwayland|weston|.*-compositor|pulseaudio.*|pipewire.*|jackd.*|openbox|.*-wm|wmctrl|xdotool|x11-utils|xauth|imagemagick.*|sox|strace|gdb|valgrind|googletest|libgtest-dev|libgmock-dev|libbenchmark-dev|clang-format.*|clang-tidy.*|shellcheck|reuse|lintian|debhelper|fakeroot|chromium.*|nodejs|npm)$'
for p in "${play[@]}"; do
  if [[ $p =~ $forbidden ]]; then
    fail "the play set names $p, which only tests or benchmarks need"
  fi
done
for p in "${web[@]}"; do
  if [[ $p =~ $forbidden ]]; then
    fail "the web set names $p, which only tests or benchmarks need"
  fi
done

# A package that is itself a server or window manager under another name gives itself
# away by what it provides.
if command -v apt-cache >/dev/null; then
  while IFS=$'\t' read -r p provides; do
    if [[ $provides =~ (x-window-manager|xserver|pulseaudio|x-display-manager) ]]; then
      fail "$p provides $provides"
    fi
  done < <(apt-cache show --no-all-versions "${web[@]}" 2>/dev/null |
    awk '/^Package: / { name = $2 } /^Provides: / { sub(/^Provides: /, ""); print name "\t" $0 }')
fi

# Each set includes the one before it, and names every package once.
declare -A in_web=() in_test=() in_bench=()
for p in "${web[@]}"; do in_web[$p]=1; done
for p in "${test[@]}"; do in_test[$p]=1; done
for p in "${bench[@]}"; do in_bench[$p]=1; done
for set in play web test bench; do
  declare -n list=$set
  dupes=$(printf '%s\n' "${list[@]}" | sort | uniq -d)
  [ -z "$dupes" ] || fail "the $set set names twice: $dupes"
done
for p in "${play[@]}"; do
  [ -n "${in_web[$p]:-}" ] || fail "the web set lacks $p of the play set"
done
for p in "${web[@]}"; do
  [ -n "${in_test[$p]:-}" ] || fail "the test set lacks $p of the web set"
done
for p in "${test[@]}"; do
  [ -n "${in_bench[$p]:-}" ] || fail "the bench set lacks $p of the test set"
done

# The test kit is in the test set, and the page's compiler in the web set.
for p in xvfb pulseaudio googletest chromium nodejs; do
  [ -n "${in_test[$p]:-}" ] || fail "the test set lacks $p"
done
for p in clang lld wasi-libc libc++-dev-wasm32; do
  [ -n "${in_web[$p]:-}" ] || fail "the web set lacks $p"
done

[ "$failures" -eq 0 ] || exit 1
echo PASS
