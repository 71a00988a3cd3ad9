# SPDX-License-Identifier: MIT
# Installation and the Debian package. The program looks for scores.dat and its sounds
# in the folder of its real executable, so the binary and those files share one private
# folder and bin/ only holds a link to it.
include(GNUInstallDirs)

set(PLINKARD_APP_ID io.github.brindlecot.Plinkard)
# Not CMAKE_INSTALL_LIBDIR: Debian's multiarch triplet has no place in a program's own folder.
set(PLINKARD_INSTALL_PROGRAMDIR lib/plinkard CACHE STRING "Folder of the program and the files beside it")

install(TARGETS plinkard RUNTIME DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
# The sound module is loaded from the program's folder once the window is up.
install(TARGETS plinkard_soundmodule LIBRARY DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
foreach(name IN LISTS PLINKARD_DATA_FILES)
  # Whatever the build put beside the program; sounds that are not made yet are left out.
  install(FILES ${PLINKARD_PROGRAM_DIR}/${name} DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR} OPTIONAL)
endforeach()

# A relative link keeps the tree movable (DESTDIR, CPack's staging folder, another prefix).
file(RELATIVE_PATH PLINKARD_LINK_TARGET ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${PLINKARD_INSTALL_PROGRAMDIR}/plinkard)
set(PLINKARD_LINK ${CMAKE_CURRENT_BINARY_DIR}/packaging/plinkard)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(CREATE_LINK ${PLINKARD_LINK_TARGET} ${PLINKARD_LINK} SYMBOLIC)
install(FILES ${PLINKARD_LINK} DESTINATION ${CMAKE_INSTALL_BINDIR})

set(PLINKARD_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${PLINKARD_PACKAGING_DIR}/${PLINKARD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PLINKARD_PACKAGING_DIR}/${PLINKARD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plinkard RENAME copyright)
# Debian wants the changelog of a package without a Debian revision as changelog.gz, packed reproducibly.
set(PLINKARD_CHANGELOG_GZ ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
execute_process(COMMAND gzip -9nc ${PLINKARD_PACKAGING_DIR}/changelog OUTPUT_FILE ${PLINKARD_CHANGELOG_GZ}
                COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PLINKARD_PACKAGING_DIR}/changelog)
install(FILES ${PLINKARD_CHANGELOG_GZ} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plinkard)
# The manual page of the command in /usr/games, section 6 (games), packed the same way.
set(PLINKARD_MANPAGE_GZ ${CMAKE_CURRENT_BINARY_DIR}/packaging/plinkard.6.gz)
execute_process(COMMAND gzip -9nc ${PLINKARD_PACKAGING_DIR}/plinkard.6 OUTPUT_FILE ${PLINKARD_MANPAGE_GZ}
                COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PLINKARD_PACKAGING_DIR}/plinkard.6)
install(FILES ${PLINKARD_MANPAGE_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME plinkard.svg)
# Drawn PNG sizes, when the artwork provides them (assets/icons/hicolor/<size>/apps/*.png).
file(GLOB PLINKARD_ICON_PNGS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/icons/hicolor/*/apps/*.png)
foreach(png IN LISTS PLINKARD_ICON_PNGS)
  get_filename_component(apps_dir ${png} DIRECTORY)
  get_filename_component(size_dir ${apps_dir} DIRECTORY)
  get_filename_component(size ${size_dir} NAME)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps RENAME plinkard.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plinkard)
set(CPACK_PACKAGE_VENDOR Brindlecot)
set(CPACK_PACKAGE_CONTACT "Brindlecot <brindlecot@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shooting-gallery game with pop-up targets")
set(CPACK_PACKAGE_DESCRIPTION "Small pictures pop up on a grid and vanish again; shoot them with the\n\
crosshair before they go, mind the 14-bullet magazine, pick one of four\n\
levels and keep out of the penguins' way. With background music, shot\n\
sounds and a high-score table.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/brindlecot/plinkard)
# The linked libraries come from dpkg-shlibdeps (the sound module's too); these are loaded at run
# time and found by no linker: the General MIDI SoundFont, the panel's font and the SVG image plugin
# (the program links no Qt Svg). The X11 platform plugin is in libqt6gui6, which shlibdeps brings.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libfluidsynth3, timgm6mb-soundfont, fonts-liberation2")
# The Wayland platform plugin makes the game a native client on a Wayland desktop (sharp at any
# scale). Without it the game still runs there, through XWayland, so it is recommended: apt installs
# it by default, and a machine without XWayland or that leaves recommendations out still plays on X11.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PRE_BUILD_SCRIPTS ${PLINKARD_PACKAGING_DIR}/GamesLink.cmake)
include(CPack)
