#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window under X: at scales 2 and 3, on a screen that reports 192 dots per inch (2)
# and on one that reports 144 (1.5, which the game rounds to 2), every picture in it is its
# picture at scale 1 enlarged into square blocks. The committed screenshots in docs/ must show
# the same.
# usage: screenshots_test.sh HEADPOP COMPARE_PROGRAM SOURCE_DIR SCRATCH_DIR
set -euo pipefail
game=$1
compare=$2
source_dir=$3
scratch=$4
rm -rf "$scratch"
mkdir -p "$scratch"

shoot() {  # NAME [VARIABLE=VALUE...]
  local name=$1
  shift
  env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u SCREEN_DPI "$@" \
    "$source_dir/scripts/screenshot.sh" "$game" "$scratch/$name.png" >/dev/null
}

shoot scale1
shoot scale2 QT_SCALE_FACTOR=2
shoot scale3 QT_SCALE_FACTOR=3
shoot dpi192 SCREEN_DPI=192
shoot dpi144 SCREEN_DPI=144

status=0
check() {  # LARGE FACTOR [SMALL]
  local small=${3:-$scratch/scale1.png}
  if "$compare" "$small" "$1" "$2"; then
    echo "ok: $(basename "$1") is $(basename "$small") in blocks of $2"
  else
    status=1
  fi
}
check "$scratch/scale2.png" 2
check "$scratch/scale3.png" 3
check "$scratch/dpi192.png" 2
check "$scratch/dpi144.png" 2
check "$source_dir/docs/screenshot-scale2.png" 2 "$source_dir/docs/screenshot-scale1.png"
exit $status
