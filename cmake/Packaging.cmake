# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by `cpack -G DEB` in a build directory (scripts/package.sh does it all).

set(SONARIX_PACKAGE_MAINTAINER "Sonarix developers <developers@sonarix.invalid>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME sonarix)
set(CPACK_PACKAGE_VENDOR "The Sonarix developers")
set(CPACK_PACKAGE_CONTACT "${SONARIX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary drill for Estonian and foreign word pairs")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No Homepage field: the project has no home of its own yet, and an address it does not own must
# not stand in for one (issue 22).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack puts the summary first and indents these lines as deb-control(5) asks.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sonarix keeps a list of Estonian / foreign word pairs in .dic dictionary
files (Windows-1257 text, two lines per pair), lets you edit it, and tests
you on it: the pairs come in random order, in either direction, typed or
with five answers to choose from, optionally against a time limit. A wrong
answer shows the right one; a results window sums the test up.

The user interface is in Estonian.")
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the build, the package's directories are 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# What Debian asks of every package: the copyright and a compressed changelog (gzip -n, so the
# package does not depend on when it was built). Lintian finds nothing to override; a tag that
# must stay would go, with its reason, in share/lintian/overrides/sonarix.
set(doc ${CMAKE_INSTALL_DATADIR}/doc/sonarix)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog
               @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/debian/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${doc})
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${doc})

include(CPack)
