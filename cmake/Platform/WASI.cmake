# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# WASI as CMake 3.25 does not know it: static libraries, and programs that are modules.
set(CMAKE_EXECUTABLE_SUFFIX ".wasm")
set(CMAKE_STATIC_LIBRARY_PREFIX "lib")
set(CMAKE_STATIC_LIBRARY_SUFFIX ".a")
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
