#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages one set needs, and nothing else:
#   play    building the game and playing it (what `make run` needs)
#   test    the above, and the test kit: virtual servers, linters, the test libraries
#   bench   the above, and what only the benchmarks need
# Idempotent: it asks apt only for what is missing, updates the package lists only when
# something is, and waits for another apt run to finish. `--list SET` prints the set's
# packages, one a line, and installs nothing.
set -euo pipefail

# Each package is named once, in the first set that needs it; a set includes the ones above it.
play_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  # The toolkit's platform plugins: X11, and native Wayland.
  qt6-qpa-plugins qt6-wayland
  libsdl2-mixer-dev
  # The labels' faces.
  fonts-dejavu-core fonts-dejavu-extra
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # The toolkit's private interfaces: tests switch on accessibility and report a pointer
  # entering a window as the platform does.
  qt6-base-private-dev
  clang-format clang-tidy shellcheck reuse
  xvfb xauth x11-utils xdotool openbox wmctrl weston imagemagick
  pulseaudio pulseaudio-utils sox libpulse-dev
  libx11-dev libxtst-dev
  desktop-file-utils appstream strace
  dpkg-dev debhelper lintian fakeroot man-db
)
bench_packages=()

usage() {
  echo "usage: $0 [--list] play|test|bench" >&2
  exit 2
}

list_only=0
if [ "${1:-}" = --list ]; then
  list_only=1
  shift
fi
[ $# -eq 1 ] || usage

packages=("${play_packages[@]}")
case $1 in
  play) ;;
  test) packages+=("${test_packages[@]}") ;;
  bench) packages+=("${test_packages[@]}" "${bench_packages[@]}") ;;
  *) usage ;;
esac

if [ "$list_only" -eq 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600
"${sudo[@]}" apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
