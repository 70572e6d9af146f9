# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installed layout, under the prefix:
#
#   lib/headpop/headpop, fire.wav, explosion.wav    the program's folder: sound detection
#                                                   looks beside the real executable
#   bin/headpop -> ../lib/headpop/headpop           the command on PATH
#   share/applications, share/metainfo              the desktop entry and its AppStream data
#   share/icons/hicolor/NxN/apps                    the icon at every size our generator draws
#   share/man/man6/headpop.6                        the manual page
#
# The Debian package (debian/rules) moves the first two to Debian's folders for games:
# CMAKE_INSTALL_BINDIR=games and HEADPOP_INSTALL_PROGRAMDIR=lib/games/headpop.

include(GNUInstallDirs)

# One component for everything, so that `cmake --install --component headpop` (as the tests
# do into a scratch folder) writes install_manifest_headpop.txt and leaves the
# install_manifest.txt of a real installation alone.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME headpop)

set(HEADPOP_APP_ID io.github.headpop.Headpop)
# Not CMAKE_INSTALL_LIBDIR: on Debian that is a multiarch folder meant for libraries.
set(HEADPOP_INSTALL_PROGRAMDIR lib/headpop CACHE STRING
  "Folder of the game and its sounds, relative to the installation prefix")
set(HEADPOP_ICON_SIZES 16 32 48 64 128 256)
# The window names its desktop entry, so that the desktop shows the entry's name and icon.
target_compile_definitions(headpop PRIVATE HEADPOP_APP_ID="${HEADPOP_APP_ID}")

install(TARGETS headpop RUNTIME DESTINATION ${HEADPOP_INSTALL_PROGRAMDIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/sounds/fire.wav
              ${PROJECT_SOURCE_DIR}/assets/sounds/explosion.wav
        DESTINATION ${HEADPOP_INSTALL_PROGRAMDIR})

# A relative link, so that the tree still works when moved or unpacked elsewhere.
file(RELATIVE_PATH link_target /${CMAKE_INSTALL_BINDIR} /${HEADPOP_INSTALL_PROGRAMDIR}/headpop)
set(link ${CMAKE_BINARY_DIR}/install-links/headpop)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${link_target} ${link} SYMBOLIC)
# install(FILES) copies a link as a link, and lists it in install_manifest.txt.
install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/desktop/${HEADPOP_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/${HEADPOP_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/docs/headpop.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
foreach(size IN LISTS HEADPOP_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icon${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${HEADPOP_APP_ID}.png)
endforeach()
