# SPDX-License-Identifier: MIT
# Installation, for `cmake --install` and for the Debian package (debian/). The program looks for
# scores.dat and its sounds in the folder of its real executable, so the binary and those files share
# one private folder and the command folder only holds a link to it.
include(GNUInstallDirs)

set(PLINKARD_APP_ID io.github.brindlecot.Plinkard)
# Not CMAKE_INSTALL_LIBDIR: Debian's multiarch triplet has no place in a program's own folder.
set(PLINKARD_INSTALL_PROGRAMDIR lib/plinkard CACHE STRING "Folder of the program and the files beside it")
# Debian keeps the commands of games in /usr/games (debian/rules sets "games"); bin/ is on every user's PATH.
set(PLINKARD_INSTALL_COMMANDDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Folder of the link that starts the program")

install(TARGETS plinkard RUNTIME DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
# The sound module is loaded from the program's folder once the window is up.
install(TARGETS plinkard_soundmodule LIBRARY DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
foreach(name IN LISTS PLINKARD_DATA_FILES)
  # Whatever the build put beside the program; sounds that are not made yet are left out.
  install(FILES ${PLINKARD_PROGRAM_DIR}/${name} DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR} OPTIONAL)
endforeach()

# A relative link keeps the tree movable (DESTDIR, the package's staging folder, another prefix).
file(RELATIVE_PATH PLINKARD_LINK_TARGET ${CMAKE_INSTALL_PREFIX}/${PLINKARD_INSTALL_COMMANDDIR}
     ${CMAKE_INSTALL_PREFIX}/${PLINKARD_INSTALL_PROGRAMDIR}/plinkard)
set(PLINKARD_LINK ${CMAKE_CURRENT_BINARY_DIR}/packaging/plinkard)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(CREATE_LINK ${PLINKARD_LINK_TARGET} ${PLINKARD_LINK} SYMBOLIC)
install(FILES ${PLINKARD_LINK} DESTINATION ${PLINKARD_INSTALL_COMMANDDIR})

set(PLINKARD_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${PLINKARD_PACKAGING_DIR}/${PLINKARD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PLINKARD_PACKAGING_DIR}/${PLINKARD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence; the Debian package puts its machine-readable copyright file (debian/) in its place.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plinkard RENAME copyright)
# The manual page of the command, section 6 (games), packed reproducibly.
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
