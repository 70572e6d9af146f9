#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages one set needs, and nothing else:
#   play    building the game and playing it (what `make run` needs)
#   web     the above, and building the page and serving it (`make web`, `make serve`)
#   test    the above, and the test kit: virtual servers, a browser, linters, the test
#           libraries, and the locked npm packages that drive the browser (`npm ci`)
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
  # Sound: the sound server's client and the file decoder (headers; both are opened at run time).
  libpulse-dev libsndfile1-dev
  # The labels' faces.
  fonts-dejavu-core fonts-dejavu-extra
)
# WebAssembly from Debian's clang alone, and Python's web server for the site.
web_packages=(
  clang lld wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32
  python3
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # The toolkit's private interfaces: tests switch on accessibility and report a pointer
  # entering a window as the platform does.
  qt6-base-private-dev
  clang-format clang-tidy shellcheck reuse
  xvfb xauth x11-utils xdotool openbox wmctrl weston imagemagick
  pulseaudio pulseaudio-utils sox
  libx11-dev libxtst-dev
  desktop-file-utils appstream strace
  dpkg-dev debhelper lintian fakeroot man-db
  # The page's tests: Debian's Chromium, and Node with npm (the nodejs package of this
  # machine's sources; Debian's own npm package would conflict with it).
  chromium nodejs
)
bench_packages=()

usage() {
  echo "usage: $0 [--list] play|web|test|bench" >&2
  exit 2
}

list_only=0
if [ "${1:-}" = --list ]; then
  list_only=1
  shift
fi
[ $# -eq 1 ] || usage

set=$1
packages=("${play_packages[@]}")
case $set in
  play) ;;
  web) packages+=("${web_packages[@]}") ;;
  test) packages+=("${web_packages[@]}" "${test_packages[@]}") ;;
  bench) packages+=("${web_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
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

if [ ${#missing[@]} -ne 0 ]; then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 \
    "${missing[@]}"
fi

# The test kit's npm packages, exactly as package-lock.json has them, into node_modules:
# again only when the lock has changed since the last install. No browser is downloaded:
# the tests drive Debian's Chromium.
if [ "$set" = test ] || [ "$set" = bench ]; then
  root=$(cd "$(dirname "$0")/.." && pwd)
  stamp=$root/node_modules/.installed-lock.sha256
  lock_sum=$(sha256sum <"$root/package-lock.json")
  if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$lock_sum" ]; then
    echo "Installing the npm packages of package-lock.json"
    (cd "$root" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
    echo "$lock_sum" >"$stamp"
  fi
fi
