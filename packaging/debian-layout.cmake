# Run by CPack on the staged files, before it builds the Debian package.
set(staged "${CPACK_TEMPORARY_DIRECTORY}")

# Without these CPack would quietly make a package that depends on nothing.
foreach(tool dpkg-shlibdeps file)
  find_program(ORBITANE_${tool} ${tool})
  if(NOT ORBITANE_${tool})
    message(FATAL_ERROR "Making the package needs ${tool}: apt-get install dpkg-dev file")
  endif()
endforeach()

# Debian keeps the commands of games in /usr/games. The launcher finds the
# game and its data from where it lies, /usr either way.
file(MAKE_DIRECTORY "${staged}/usr/games")
file(RENAME "${staged}/usr/bin/orbitane" "${staged}/usr/games/orbitane")
file(REMOVE_RECURSE "${staged}/usr/bin")

# The game runs on either SDL 1.2 runtime: the original library or the shim
# over SDL 2. For the functions the game calls, the library's symbols file
# names only the original, so debian/shlibs.local, which dpkg-shlibdeps reads
# when CPack runs it in this folder, names both. CPack removes debian/ again
# before it packs the files.
file(COPY "${CMAKE_CURRENT_LIST_DIR}/debian/shlibs.local" DESTINATION "${staged}/debian")
