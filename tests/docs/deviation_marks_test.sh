#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every heading of docs/deviations.md is marked at its spot in the source, and every mark
# names a heading: a comment of one line, "Deviation (see docs/deviations.md, "heading")"
# or the same with "Kept on purpose". Every folder that holds a mark is named in the grep
# line that the document gives its reader.
set -euo pipefail
shopt -s nullglob
root=${1:?usage: $0 SOURCE_ROOT}
doc=$root/docs/deviations.md
self=$(realpath "$0")

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

mapfile -t headings < <(sed -n 's/^### "\(.*\)"$/\1/p' "$doc")
[ ${#headings[@]} -gt 0 ] || fail "no quoted heading in $doc"

# The folders that the reader is told to grep: the words after the pattern in the line
# `grep -rn 'deviations.md' FOLDER...`.
grep_line=$(grep -o "\`grep -rn 'deviations.md' [^\`]*\`" "$doc" | head -n 1 || true)
[ -n "$grep_line" ] || fail "$doc gives no \`grep -rn 'deviations.md' ...\` line"
read -r -a named <<<"$(sed "s/^\`grep -rn 'deviations.md' //; s/\`$//" <<<"$grep_line")"

# Every line that starts a mark, or names a heading of the document, whole or not; not in
# the document itself, other prose, build folders or this test.
mark_start='(Deviation|Kept on purpose) \(see|deviations\.md, "'
whole_mark='(Deviation|Kept on purpose) \(see docs/deviations\.md, "([^"]+)"\)'
sources=()
for entry in "$root"/* "$root"/.[!.]*; do
  name=${entry##*/}
  case $name in
    .git | docs | node_modules | build* | obj-*) continue ;;
  esac
  [ ! -e "$entry/CMakeCache.txt" ] || continue # a build folder of another name
  sources+=("$entry")
done
mapfile -t lines < <(grep -rnIE --exclude='*.md' --exclude-dir=node_modules "$mark_start" \
  "${sources[@]}" | grep -v "^$self:" || true)

declare -A marked=()
for line in "${lines[@]}"; do
  file=${line%%:*}
  where=${line#"$root"/}
  where=${where%%:*}:$(cut -d: -f2 <<<"$line")
  if [[ ! $line =~ $whole_mark ]]; then
    fail "$where: a mark that does not name its heading whole on one line: ${line#*:*:}"
    continue
  fi
  heading=${BASH_REMATCH[2]}
  found=0
  for h in "${headings[@]}"; do
    [ "$h" != "$heading" ] || found=1
  done
  [ "$found" -eq 1 ] || fail "$where: the mark names \"$heading\", which is no heading"
  marked[$heading]=1
  relative=${file#"$root"/}
  folder=${relative%%/*}
  [ "$folder" != "$relative" ] || folder=.
  if [[ " ${named[*]} " != *" $folder "* ]]; then
    fail "$where: a mark in $folder/, which the grep line of the document does not name"
  fi
done

for h in "${headings[@]}"; do
  [ -n "${marked[$h]:-}" ] || fail "the heading \"$h\" has no mark in the source"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS: ${#headings[@]} headings, ${#lines[@]} marks"
