# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out the site: cmake -DWEB_DIR= -DASSETS_DIR= -DMODULE= -DFONT_SMALL_LABELS=
# -DFONT_ABOUT_LABEL= -DFONT_LICENCE= -DSITE=
# -P assemble_site.cmake. The service worker gets the list of files to keep for offline
# play, and a version that changes with any of them, so that a new build replaces the old.
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE}/pictures ${SITE}/fonts)
foreach(page_file index.html headpop.css headpop.js manifest.json)
  file(COPY ${WEB_DIR}/${page_file} DESTINATION ${SITE})
endforeach()
file(COPY_FILE ${MODULE} ${SITE}/headpop.wasm)
file(GLOB pictures ${ASSETS_DIR}/*.png)
file(COPY ${pictures} DESTINATION ${SITE}/pictures)
file(COPY ${ASSETS_DIR}/sounds/fire.wav ${ASSETS_DIR}/sounds/explosion.wav DESTINATION ${SITE})
file(COPY ${FONT_SMALL_LABELS} ${FONT_ABOUT_LABEL} DESTINATION ${SITE}/fonts)
file(COPY_FILE ${FONT_LICENCE} ${SITE}/fonts/LICENSE-DejaVu.txt)

# Every file but the worker itself, in a fixed order; the version hashes their contents.
file(GLOB_RECURSE site_files RELATIVE ${SITE} ${SITE}/*)
list(SORT site_files)
set(SITE_FILES "")
set(contents "")
foreach(site_file IN LISTS site_files)
  file(SHA256 ${SITE}/${site_file} digest)
  string(APPEND contents "${site_file} ${digest}\n")
  string(APPEND SITE_FILES "  \"./${site_file}\",\n")
endforeach()
string(SHA256 SITE_VERSION "${contents}")
string(SUBSTRING ${SITE_VERSION} 0 16 SITE_VERSION)
configure_file(${WEB_DIR}/sw.js.in ${SITE}/sw.js @ONLY)
