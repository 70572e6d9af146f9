#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A short session under strace (start, Start, shots, About, closed by the window manager):
# the game opens nothing but its libraries, fonts, system configuration, the toolkit's and
# the sound server's per-user files and its own two sounds, and writes no file at all.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
program_dir=$(cd "$(dirname "$GAME")" && pwd)

start_x
start_wm
start_pulse
screen_reference backpic "$work/back.png"

# The working folder is none of the game's business: anything it looks for there shows.
mkdir "$work/cwd"
cd "$work/cwd" || exit
trace=$work/trace
# LeakSanitizer cannot run under ptrace: in a sanitizer build it would fail at exit.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
fi
start_game "$program_dir/headpop" strace -f -qq -o "$trace" \
  -e trace=%file,openat,open,creat,rename,unlink,mkdir
# shellcheck disable=SC2086  # "x y"
click $START_BUTTON
sleep 0.3
click_playfield 154 40
shoot_a_head "$work/back.png" 20 || check_failed "no hit in 20 shots at the heads"
click_playfield 20 20 3 # a right-button miss
# shellcheck disable=SC2086
click $ABOUT_LABEL
sleep 0.3
wmctrl -i -c "$GAME_WIN"
wait_game_exit 10 || fail "the game still runs 10 s after closing"
[ "$GAME_STATUS" = 0 ] || check_failed "closed with status $GAME_STATUS"

# Extended regular expressions, each anchored at the start of an absolute path.
quote() { sed 's/[][\.*^$+?(){}|/]/\\&/g' <<<"$1"; }
readable=(
  '/(etc|usr|lib|lib64|proc|sys|dev)/' # libraries, plug-ins, fonts, system configuration
  '/var/cache/fontconfig/'             # the system's font cache
  '/var/lib/dbus/machine-id$'          # the toolkit's bus client
  "$(quote "$XDG_RUNTIME_DIR")(/|$)"
  "$(quote "$XDG_CACHE_HOME")/fontconfig/"  # fontconfig's per-user cache, looked for first
  "$(quote "$HOME")/\\.fontconfig/"         # ... and under its old name
  "$(quote "$HOME")/\\.icons/"              # the cursor theme
  "$(quote "$HOME")/\\.Xdefaults(-[^/]*)?$" # X resources, read by libX11
  "$(quote "$XDG_CONFIG_HOME")/pulse/"      # the sound server's client configuration, cookie
  "$(quote "$PULSE_CLIENTCONFIG")(\\.d)?$"
  "$(quote "$program_dir")(/(headpop|fire\\.wav|explosion\\.wav))?$"
)
writable=(
  '/(dev|proc)/'
  "$(quote "$XDG_RUNTIME_DIR")(/|$)"
)

# Prints every traced call, one a line: "syscall path flags". Calls on a path relative to an
# open folder (the *at calls with a descriptor) name that folder's entries, and the folder was
# opened, and checked, by path first.
awk '
  match($0, /^[0-9]+ +[a-z0-9_]+\(/) {
    call = substr($0, RSTART, RLENGTH - 1); sub(/^[0-9]+ +/, "", call)
    args = substr($0, RSTART + RLENGTH)
    if (args ~ /^[0-9]+, "/) next
    sub(/^AT_FDCWD, /, "", args)
    if (args !~ /^"/) next
    path = substr(args, 2); sub(/".*/, "", path)
    rest = substr(args, length(path) + 3)
    print call, path, rest
  }' "$trace" >"$work/calls"

offending() {
  local pattern
  pattern="^($(IFS='|'; echo "$*"))"
  awk '{ print $2 }' | grep -Ev "$pattern" || true
}

# The toolkit looks for plug-in folders ("platforms", "styles", ...) beside the program too.
plugin_folder="^openat $(quote "$program_dir")/[a-z]+ .*O_DIRECTORY"
opened=$(grep -E '^(open|openat|creat|execve) ' "$work/calls" | grep -Ev "$plugin_folder" |
  offending "${readable[@]}" | sort -u)
if [ -n "$opened" ]; then
  check_failed "the game opened files it has no business with:"$'\n'"$opened"
fi
written=$( (
  grep -E '^(open|openat) .*O_(WRONLY|RDWR|CREAT|TRUNC)' "$work/calls"
  grep -E '^(creat|rename|renameat|renameat2|unlink|unlinkat|mkdir|mkdirat) ' "$work/calls"
) | offending "${writable[@]}" | sort -u)
if [ -n "$written" ]; then
  check_failed "the game wrote, made or removed files:"$'\n'"$written"
fi
note "$(wc -l <"$work/calls") file calls traced"
for sound in fire.wav explosion.wav; do
  grep -qE "^(open|openat) $(quote "$program_dir/$sound") " "$work/calls" ||
    check_failed "the game never read its own $sound"
done
finish
