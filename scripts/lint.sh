#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the tracked sources and changes nothing: clang-format over all C++, clang-tidy over
# the game, its window and its sound (with the compile commands of a configured build), then
# every shell script through shellcheck. Prints each finding and fails if there is any.
#   scripts/lint.sh [BUILD_DIR]    (default build/test; `make lint` configures it first)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/test}
jobs=$(nproc)

failed=()
step() { echo "== $*"; }

step "clang-format"
mapfile -t cxx < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${cxx[@]}"; then
  failed+=(clang-format)
fi

step "clang-tidy over game/, ui/ and sound/"
if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "no $build_dir/compile_commands.json: configure a build first (make lint does)" >&2
  exit 2
fi
mapfile -t tidy_sources < <(git ls-files 'game/*.cpp' 'ui/*.cpp' 'sound/*.cpp')
# One file per run, two at a time on two cores; the headers come with the files that
# include them (HeaderFilterRegex in .clang-tidy).
if ! printf '%s\0' "${tidy_sources[@]}" |
  xargs -0 -n 1 -P "$jobs" clang-tidy -p "$build_dir" --quiet --warnings-as-errors='*' \
    2> >(grep -v '^[0-9]* warnings\? generated\.$' >&2); then
  failed+=(clang-tidy)
fi

step "shellcheck"
scripts=()
while IFS= read -r file; do
  if [[ $file == *.sh ]] || head -n 1 "$file" | grep -qE '^#!.*[/ ](ba)?sh$'; then
    scripts+=("$file")
  fi
done < <(git ls-files)
# Sourced files are followed from the folder of the script that sources them.
if ! shellcheck -S warning -x -P SCRIPTDIR "${scripts[@]}"; then
  failed+=(shellcheck)
fi

if [ ${#failed[@]} -ne 0 ]; then
  echo "lint failed: ${failed[*]}" >&2
  exit 1
fi
echo "lint clean: ${#cxx[@]} C++ files formatted, ${#tidy_sources[@]} tidy, ${#scripts[@]} scripts"
