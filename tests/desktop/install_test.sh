#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` into a scratch folder: the layout, the desktop files against the
# validators, the manual page, where the installed game looks for its sounds however it is
# started, and uninstalling by the install manifest.
# usage: install_test.sh BUILD_DIR SCRATCH_DIR VERSION
set -euo pipefail
build=$1
scratch=$2
version=$3
# shellcheck source=tests/desktop/lib.sh
. "$(dirname "$0")/lib.sh"

rm -rf "$scratch"
mkdir -p "$scratch"
stage=$scratch/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr --component headpop >/dev/null
root=$stage/usr
check_layout "$root" bin lib/headpop

desktop=$root/share/applications/$app_id.desktop
metainfo=$root/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
  fail "appstreamcli rejects the metainfo: $(cat "$scratch/appstream.log")"
# They must name each other, the installed icon and the installed command.
grep -qx "Icon=$app_id" "$desktop" || fail "the entry names another icon"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo has another id"
grep -q "<binary>headpop</binary>" "$metainfo" || fail "the metainfo does not provide headpop"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the newest release in the metainfo is $newest, not $version"
read -r -a command <<<"$(exec_line "$root")"
[ "${command[0]}" = headpop ] || fail "the entry runs ${command[0]}, not the installed command"

# The manual page renders without a complaint from the formatter, for this version.
manual=$root/share/man/man6/headpop.6
check_manual "$manual"
manual_version=$(sed -n 's/^\.TH HEADPOP 6 [^ ]* "headpop \([^"]*\)".*/\1/p' "$manual")
[ "$manual_version" = "$version" ] || fail "the manual page is of version '$manual_version'"

# The game finds its real folder through the link, from anywhere, with decoys in the
# working folder; from the entry's command line as a desktop runs it (through PATH); and
# through a link to the link, as a user's own ~/bin might hold.
folder=$(realpath "$root/lib/headpop")
decoy_workdir "$scratch/elsewhere"
export QT_QPA_PLATFORM=offscreen
expect_sounds_from "$folder" "$scratch/elsewhere" "$root/bin/headpop"
PATH="$root/bin:$PATH" expect_sounds_from "$folder" "$scratch/elsewhere" "${command[@]}"
mkdir -p "$scratch/home/bin"
ln -s "$root/bin/headpop" "$scratch/home/bin/headpop"
expect_sounds_from "$folder" "$scratch/elsewhere" "$scratch/home/bin/headpop"

# Removing what the manifest lists (paths as installed, without DESTDIR) leaves no file and
# no link behind.
manifest=$build/install_manifest_headpop.txt
[ -f "$manifest" ] || fail "no $manifest"
grep -qx /usr/bin/headpop "$manifest" || fail "the manifest does not list the link"
sed "s|^|$stage|" "$manifest" | xargs -d '\n' rm -f
left=$(find "$stage" ! -type d)
[ -z "$left" ] || fail "left after removing the manifest's files: $left"
echo "install layout, desktop files, start-up folder and manifest: ok"
