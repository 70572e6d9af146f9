# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The page beside the desktop program: this same source tree built again as WebAssembly
# (cmake/wasm32-wasi.cmake) in build/<preset>/wasm, with its site in build/<preset>/web.
include(ExternalProject)
set(HEADPOP_WASM_BUILD_DIR ${CMAKE_BINARY_DIR}/wasm)
set(HEADPOP_WEB_SITE ${CMAKE_BINARY_DIR}/web)
ExternalProject_Add(headpop_wasm
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${HEADPOP_WASM_BUILD_DIR}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS --toolchain ${PROJECT_SOURCE_DIR}/cmake/wasm32-wasi.cmake
             -DCMAKE_BUILD_TYPE=Release
             "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
             -DHEADPOP_BUILD_TESTS=${HEADPOP_BUILD_TESTS}
             -DHEADPOP_BUILD_BENCHMARKS=${HEADPOP_BUILD_BENCHMARKS}
             -DHEADPOP_WEB_SITE_DIR=${HEADPOP_WEB_SITE}
  # Its own build decides what is out of date.
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)
