# SPDX-License-Identifier: MIT
# Run by CPack on the staged tree before it packs it: Debian keeps the commands of games in
# /usr/games, while `cmake --install` puts the link in bin/ where every user's PATH finds it.
# The relative link ../lib/plinkard/plinkard holds from either folder.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr)
if(EXISTS ${usr}/bin/plinkard OR IS_SYMLINK ${usr}/bin/plinkard)
  file(MAKE_DIRECTORY ${usr}/games)
  file(RENAME ${usr}/bin/plinkard ${usr}/games/plinkard)
  file(GLOB left ${usr}/bin/*)
  if(NOT left)
    file(REMOVE_RECURSE ${usr}/bin)
  endif()
endif()
