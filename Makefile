# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Thin spellings over CMake presets. Each installs the packages its set needs first.
.PHONY: run test lint ci test-sanitizers test-tsan bench assets screenshot web serve clean

# The game alone, as a player builds it.
run:
	@./scripts/install-deps.sh play
	@cmake --preset default >/dev/null
	@cmake --build --preset default
	@build/default/bin/headpop

# The game, its tests, generators and benchmarks (built, never run by ctest), and every test.
test:
	@./scripts/install-deps.sh test
	@cmake --preset test >/dev/null
	@cmake --build --preset test
	@ctest --preset test

# clang-format, clang-tidy and shellcheck over the sources, as CI runs them; changes nothing.
lint:
	@./scripts/install-deps.sh test
	@cmake --preset test >/dev/null
	@./scripts/lint.sh build/test

# The whole test run again under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer; any report fails it.
test-sanitizers:
	@./scripts/install-deps.sh test
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

# The sound tests again under ThreadSanitizer: the sound client's thread runs the sound's
# callbacks beside the game thread. Any report fails it.
test-tsan:
	@./scripts/install-deps.sh test
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan
	@ctest --preset tsan

# Every benchmark against its budget, on a Release build; prints the table of figures.
bench:
	@./scripts/install-deps.sh bench
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@./bench/run_bench.sh build/release

# Redraw the pictures and resynthesise the sounds into assets/ with our own generators.
assets:
	@./scripts/install-deps.sh test
	@cmake --preset test >/dev/null
	@cmake --build --preset test --target regenerate-assets regenerate-sounds

screenshot:
	@./scripts/install-deps.sh test
	@cmake --preset test >/dev/null
	@cmake --build --preset test
	@./scripts/screenshot.sh build/test/bin/headpop docs/screenshot.png
	@./scripts/screenshot.sh build/test/bin/headpop docs/screenshot-scale1.png
	@QT_SCALE_FACTOR=2 ./scripts/screenshot.sh build/test/bin/headpop docs/screenshot-scale2.png

# The page: the rules as WebAssembly and the window around them, a folder of static files.
web:
	@./scripts/install-deps.sh web
	@cmake --preset web >/dev/null
	@cmake --build --preset web

# Serves build/web to this machine alone, at http://127.0.0.1:$(PORT)/ (PORT=8000 unless given).
PORT ?= 8000
serve: web
	@echo "Headpop at http://127.0.0.1:$(PORT)/ (Ctrl+C ends it)"
	@python3 scripts/serve_site.py build/web $(PORT)

clean:
	@rm -rf build
