# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# WebAssembly for the page, with Debian's clang, lld and WASI sysroot (wasi-libc,
# libc++-dev-wasm32, libclang-rt-dev-wasm32): nothing downloaded, no other toolchain.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# That C++ library has no exception support: the rules throw nothing. SIMD (every current
# browser has it) makes the sprite blit four pixels a step.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -msimd128")
# A module is linked whole; checks compile without linking one.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
