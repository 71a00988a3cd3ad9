# SPDX-License-Identifier: MIT
# Installation, for `cmake --install` and for the Debian package (debian/). The program looks for
# scores.dat and its sounds in the folder of its real executable: that folder holds the program, its
# sound module and relative links to those files, which live with the other data (share/); the command
# folder only holds a link to the program.
include(GNUInstallDirs)

set(PLINKARD_APP_ID io.github.brindlecot.Plinkard)
# Not CMAKE_INSTALL_LIBDIR: Debian's multiarch triplet has no place in a program's own folder.
# Debian keeps a game's program in lib/games/ and its data in share/games/ (debian/rules sets both).
set(PLINKARD_INSTALL_PROGRAMDIR lib/plinkard CACHE STRING "Folder of the program, its sound module and the links to its files")
set(PLINKARD_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/plinkard CACHE STRING "Folder of the files the program finds beside it")
# Debian keeps the commands of games in /usr/games (debian/rules sets "games"); bin/ is on every user's PATH.
set(PLINKARD_INSTALL_COMMANDDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Folder of the link that starts the program")

# A relative link keeps the tree movable (DESTDIR, the package's staging folder, another prefix).
function(plinkard_install_link target_path link_dir name)
  file(RELATIVE_PATH relative /${link_dir} /${target_path})
  set(link ${CMAKE_CURRENT_BINARY_DIR}/packaging/links/${link_dir}/${name})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${relative} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${link_dir})
endfunction()

# A file the program finds beside itself (the data files here; translations can follow the same way): in the
# data folder, with a link of the same name in the program's folder.
function(plinkard_install_beside_program file)
  get_filename_component(name ${file} NAME)
  if(PLINKARD_INSTALL_DATADIR STREQUAL PLINKARD_INSTALL_PROGRAMDIR)
    install(FILES ${file} DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
  else()
    install(FILES ${file} DESTINATION ${PLINKARD_INSTALL_DATADIR})
    plinkard_install_link(${PLINKARD_INSTALL_DATADIR}/${name} ${PLINKARD_INSTALL_PROGRAMDIR} ${name})
  endif()
endfunction()

install(TARGETS plinkard RUNTIME DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
# The sound module is loaded from the program's folder once the window is up.
install(TARGETS plinkard_soundmodule LIBRARY DESTINATION ${PLINKARD_INSTALL_PROGRAMDIR})
foreach(name IN LISTS PLINKARD_DATA_FILES)
  # Whatever the build put beside the program; sounds that are not made yet are left out.
  if(EXISTS ${PLINKARD_PROGRAM_DIR}/${name})
    plinkard_install_beside_program(${PLINKARD_PROGRAM_DIR}/${name})
  endif()
endforeach()
plinkard_install_link(${PLINKARD_INSTALL_PROGRAMDIR}/plinkard ${PLINKARD_INSTALL_COMMANDDIR} plinkard)

set(PLINKARD_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${PLINKARD_PACKAGING_DIR}/${PLINKARD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PLINKARD_PACKAGING_DIR}/${PLINKARD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Where KDE's kdebugsettings finds the logging categories, so they can be switched on there.
install(FILES ${PLINKARD_PACKAGING_DIR}/plinkard.categories DESTINATION ${CMAKE_INSTALL_DATADIR}/qlogging-categories6)
# The licence; the Debian package puts its machine-readable copyright file (debian/) in its place.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plinkard RENAME copyright)
# The manual page of the command, section 6 (games), with the version and the program's folder, packed
# reproducibly.
set(PLINKARD_PROGRAM_PATH ${CMAKE_INSTALL_PREFIX}/${PLINKARD_INSTALL_PROGRAMDIR})
set(PLINKARD_DATA_PATH ${CMAKE_INSTALL_PREFIX}/${PLINKARD_INSTALL_DATADIR})
configure_file(${PLINKARD_PACKAGING_DIR}/plinkard.6 ${CMAKE_CURRENT_BINARY_DIR}/packaging/plinkard.6 @ONLY)
set(PLINKARD_MANPAGE_GZ ${CMAKE_CURRENT_BINARY_DIR}/packaging/plinkard.6.gz)
execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/packaging/plinkard.6 OUTPUT_FILE ${PLINKARD_MANPAGE_GZ}
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PLINKARD_MANPAGE_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The icon under the application's id, as the menu entry names it: SVG and every drawn size.
file(GLOB PLINKARD_ICONS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/icons/hicolor/*/apps/${PLINKARD_APP_ID}.*)
foreach(icon IN LISTS PLINKARD_ICONS)
  file(RELATIVE_PATH relative ${CMAKE_CURRENT_SOURCE_DIR}/assets/icons ${icon})
  get_filename_component(dir ${relative} DIRECTORY)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/${dir})
endforeach()
