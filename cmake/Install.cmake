# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installed layout and the Debian package.
#
#   lib/headpop/headpop, fire.wav, explosion.wav    the program's folder: sound detection
#                                                   looks beside the real executable
#   bin/headpop -> ../lib/headpop/headpop           the command on PATH
#   share/applications, share/metainfo              the desktop entry and its AppStream data
#   share/icons/hicolor/NxN/apps                    the icon at every size our generator draws

include(GNUInstallDirs)

# One component for everything, so that `cmake --install --component headpop` (as the tests
# do into a scratch folder) writes install_manifest_headpop.txt and leaves the
# install_manifest.txt of a real installation alone.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME headpop)

set(HEADPOP_APP_ID io.github.headpop.Headpop)
# Not CMAKE_INSTALL_LIBDIR: on Debian that is a multiarch folder meant for libraries.
set(HEADPOP_INSTALL_PROGRAMDIR lib/headpop)
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
foreach(size IN LISTS HEADPOP_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icon${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${HEADPOP_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME headpop)
set(CPACK_PACKAGE_VENDOR "The Headpop developers")
set(CPACK_PACKAGE_CONTACT "The Headpop developers <headpop@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: shoot the cartoon heads before they escape")
# The summary is the package's one-line synopsis; this is the text under it.
set(CPACK_PACKAGE_DESCRIPTION "\
Cartoon heads rise from the bottom of the playfield, straight up, along a
slanting line or in a zigzag: shoot them with the mouse before they escape
at the top. Ten levels, waves of up to five heads, explosions and two sound
effects.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/headpop/headpop)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The library dependencies come from what the executable links, as dpkg-shlibdeps reads it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: without a platform plugin no window
# opens at all, and without SDL2_mixer (opened once the window is up) the game is silent.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-mixer-2.0-0")
# The label faces; without them the toolkit falls back to another sans-serif face.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-dejavu-extra")
include(CPack)
