# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Thin spellings over CMake presets. Both install what is missing first.
PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: deps configure build run test test-sanitizers bench assets screenshot clean

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@$(BUILD_DIR)/bin/headpop

test: build
	@ctest --preset $(PRESET)

# The whole test run again under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer; any report fails it.
test-sanitizers: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

# Every benchmark against its budget, on a Release build; prints the table of figures.
bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@./bench/run_bench.sh build/release

# Redraw the pictures and resynthesise the sounds into assets/ with our own generators.
assets: configure
	@cmake --build --preset $(PRESET) --target regenerate-assets regenerate-sounds

screenshot: build
	@./scripts/screenshot.sh $(BUILD_DIR)/bin/headpop docs/screenshot.png
	@./scripts/screenshot.sh $(BUILD_DIR)/bin/headpop docs/screenshot-scale1.png
	@QT_SCALE_FACTOR=2 ./scripts/screenshot.sh $(BUILD_DIR)/bin/headpop docs/screenshot-scale2.png

clean:
	@rm -rf build
