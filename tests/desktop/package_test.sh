#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack, checks what it holds and what it depends on, unpacks
# it into a scratch folder and starts the unpacked game under an X server of our own: through
# its bin/headpop link, from another working folder, it must open a window and find its
# sounds. Without a display it must say so in one sentence and exit with status 1.
# usage: package_test.sh BUILD_DIR SCRATCH_DIR SOURCE_DIR
set -euo pipefail
build=$1
scratch=$2
source_dir=$3
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=scripts/xvfb.sh
. "$source_dir/scripts/xvfb.sh"
trap stop_xvfb EXIT

rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -n 20 "$scratch/cpack.log")"
debs=("$scratch"/cpack/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  fail "expected one package, got ${debs[*]}"
fi
deb=${debs[0]}

# Runtime libraries only, as dpkg-shlibdeps found them in the executable, and what it loads
# at run time: the platform plugins and the sound library.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in $(echo "$depends" | sed 's/[,|]/\n/g' | awk '{ print $1 }'); do
  case $package in *-dev) fail "depends on the development package $package" ;; esac
done
for package in libqt6widgets6 libsdl2-mixer-2.0-0 libc6 qt6-qpa-plugins; do
  echo "$depends" | tr ',' '\n' | awk '{ print $1 }' | grep -qx "$package" ||
    fail "does not depend on $package"
done

# Nothing but the game: no tests, tools or libraries of the build.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$scratch/contents"
{
  echo ./usr/bin/headpop
  printf './usr/lib/headpop/%s\n' explosion.wav fire.wav headpop
  echo "./usr/share/applications/$app_id.desktop"
  for size in "${icon_sizes[@]}"; do
    echo "./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  done
  echo "./usr/share/metainfo/$app_id.metainfo.xml"
} | sort >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/contents" || fail "the package holds other files"

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr
check_layout "$root"

start_xvfb
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
decoy_workdir "$scratch/elsewhere"
folder=$(realpath "$root/lib/headpop")
expect_sounds_from "$folder" "$scratch/elsewhere" "$root/bin/headpop"
# And it shows its window there.
"$root/bin/headpop" >/dev/null 2>&1 &
game=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Headpop$' >/dev/null ||
  fail "the unpacked game opened no window"
end_game "$game"
stop_xvfb

# No display at all, and a display that nobody serves: one sentence, status 1.
number=4000
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
  number=$((number + 1))
done
for display in "" ":$number"; do
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$root/bin/headpop" \
    >"$scratch/out" 2>"$scratch/err" || status=$?
  [ "$status" -eq 1 ] || fail "with DISPLAY='$display' the exit status is $status"
  [ ! -s "$scratch/out" ] || fail "with DISPLAY='$display' it printed: $(cat "$scratch/out")"
  [ "$(wc -l <"$scratch/err")" -eq 1 ] ||
    fail "with DISPLAY='$display' not one line: $(cat "$scratch/err")"
  grep -q '^headpop: .*display' "$scratch/err" ||
    fail "with DISPLAY='$display' it said: $(cat "$scratch/err")"
  echo "DISPLAY='$display': $(cat "$scratch/err")"
done
echo "package: ok"
