#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as a packager does, with dpkg-buildpackage in a clean copy of the
# source, and holds it to lintian; checks what it holds and what it depends on, unpacks it
# into a scratch folder and starts the unpacked game under an X server of our own: through
# its /usr/games link, from another working folder, it must open a window and find its
# sounds. Without a display it must say so in one sentence and exit with status 1.
# usage: package_test.sh SOURCE_DIR SCRATCH_DIR VERSION
set -euo pipefail
source_dir=$1
scratch=$2
version=$3
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=scripts/test-servers.sh
. "$source_dir/scripts/test-servers.sh"
trap end_started_processes EXIT

rm -rf "$scratch"
tree=$scratch/headpop
mkdir -p "$tree"

# The files git tracks, as they stand in the work tree: a developer's uncommitted edits are
# what gets packaged, a file not yet added to git is missing as it would be from a clone,
# and nothing a build left in the source tree comes along. Outside git, the whole tree but
# its build folders.
if command -v git >/dev/null &&
  [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$(realpath "$source_dir")" ]; then
  git -C "$source_dir" ls-files -z --cached |
    (cd "$source_dir" && while IFS= read -r -d '' file; do
      [ -e "$file" ] || [ -L "$file" ] || continue # deleted, and not yet committed
      printf '%s\0' "$file"
    done) | tar -C "$source_dir" --null -T - -cf - | tar -C "$tree" -xf -
else
  tar -C "$source_dir" --exclude=./build --exclude='./obj-*' -cf - . | tar -C "$tree" -xf -
fi

# The package lands beside the copy, in the scratch folder. No make of ours around it.
(cd "$tree" && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL \
  dpkg-buildpackage -us -uc -b -J"$(nproc)") >"$scratch/build.log" 2>&1 ||
  fail "dpkg-buildpackage failed: $(tail -n 30 "$scratch/build.log")"
arch=$(dpkg --print-architecture)
deb=$scratch/headpop_${version}_$arch.deb
changes=$scratch/headpop_${version}_$arch.changes
[ -f "$deb" ] || fail "no $deb; the build made: $(ls "$scratch")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
  fail "the package is version $(dpkg-deb -f "$deb" Version), the project $version"

# lintian on everything the build made (the package, its debug symbols, the .buildinfo and
# the .changes): no error and no warning. Info and pedantic notes are shown, and allowed.
status=0
lintian --pedantic --display-info --fail-on error,warning "$changes" >"$scratch/lintian.log" 2>&1 ||
  status=$?
cat "$scratch/lintian.log"
case $status in
  0) ;;
  2) fail "lintian reports errors or warnings" ;;
  *) fail "lintian could not check the package (status $status)" ;;
esac
! grep -q '^[EW]: ' "$scratch/lintian.log" || fail "lintian reports errors or warnings"

# Runtime libraries only, as dpkg-shlibdeps found them in the executable, and what it opens
# at run time: both platform plugins, the fonts that hold the labels' faces, and the sound
# libraries.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
mapfile -t depended < <(echo "$depends" | sed 's/[,|]/\n/g' | awk 'NF { print $1 }')
for package in "${depended[@]}"; do
  case $package in *-dev) fail "depends on the development package $package" ;; esac
done
needed=(libc6 libqt6widgets6 qt6-qpa-plugins qt6-wayland)
needed+=(libpulse0 libsndfile1) # the sound libraries
for face in DejaVuSansCondensed-Bold.ttf DejaVuSans-Bold.ttf; do
  owner=$(dpkg -S "/usr/share/fonts/truetype/dejavu/$face" | cut -d: -f1) ||
    fail "no installed package holds $face"
  needed+=("$owner")
done
for package in "${needed[@]}"; do
  printf '%s\n' "${depended[@]}" | grep -qx -- "$package" || fail "does not depend on $package"
done

# Nothing but the game and Debian's papers for it: no tests, tools or libraries of the build.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$scratch/contents"
{
  echo ./usr/games/headpop
  printf './usr/lib/games/headpop/%s\n' explosion.wav fire.wav headpop
  echo "./usr/share/applications/$app_id.desktop"
  printf './usr/share/doc/headpop/%s\n' changelog.gz copyright
  for size in "${icon_sizes[@]}"; do
    echo "./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  done
  echo ./usr/share/man/man6/headpop.6.gz
  echo "./usr/share/metainfo/$app_id.metainfo.xml"
} | sort >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/contents" || fail "the package holds other files"

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr
check_layout "$root" games lib/games/headpop
check_manual "$root/share/man/man6/headpop.6.gz"

start_x
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
decoy_workdir "$scratch/elsewhere"
folder=$(realpath "$root/lib/games/headpop")
expect_sounds_from "$folder" "$scratch/elsewhere" "$root/games/headpop"
# The desktop entry's command, through PATH as a desktop runs it: /usr/games is on it.
read -r -a command <<<"$(exec_line "$root")"
PATH="$root/games:$PATH" expect_sounds_from "$folder" "$scratch/elsewhere" "${command[@]}"
# And it shows its window there.
"$root/games/headpop" >/dev/null 2>&1 &
game=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Headpop$' >/dev/null ||
  fail "the unpacked game opened no window"
end_game "$game"
end_process "$x_pid"

# No display at all, and a display that nobody serves: one sentence, status 1.
number=4000
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
  number=$((number + 1))
done
for display in "" ":$number"; do
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$root/games/headpop" \
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
