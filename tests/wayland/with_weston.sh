#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Wayland session of its own: a headless Weston at the given output
# scale, and an X server beside it as a desktop session has; both ended by their process
# ids when the command ends. The command chooses its platform itself.
# usage: with_weston.sh SCALE COMMAND [ARGUMENT...]
set -euo pipefail
scale=${1:?usage: $0 SCALE COMMAND [ARGUMENT...]}
shift
# shellcheck source=scripts/test-servers.sh
source "$(dirname "$0")/../../scripts/test-servers.sh"
trap end_started_processes EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
unset QT_QPA_PLATFORM XDG_SESSION_TYPE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
start_x
start_weston --scale="$scale"
status=0
"$@" || status=$?
exit "$status"
