#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's test in Debian's Chromium: starts a local web server for the site and a
# headless browser, runs page.test.mjs against them, and ends both by their process ids.
# Usage: page_test.sh SITE_DIR
set -euo pipefail
site=${1:?usage: $0 SITE_DIR}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/test-servers.sh
source "$here/../../scripts/test-servers.sh"
trap end_started_processes EXIT
start_web_server "$site"
start_chromium
HEADPOP_SITE_URL=$web_server_url HEADPOP_CHROMIUM=$chromium_endpoint \
  node --test --test-concurrency=1 "$here/page.test.mjs"
