# The Debian package: `cpack -G DEB` in the build folder. Its dependencies
# come from the libraries the programs link (dpkg-shlibdeps); the desktop's
# caches of launchers, document types and icons are refreshed by Debian's own
# triggers, so the package needs no scripts of its own.

set(CPACK_PACKAGE_NAME vimbo)
set(CPACK_PACKAGE_VENDOR Brenwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal log of contacts with people")
set(CPACK_PACKAGE_DESCRIPTION
  "Vimbo keeps a personal log of the people you deal with and of every contact\n"
  "you have with them: whom you contacted, when, how and about what. It prints\n"
  "an address book, contacts reports and envelopes, and exchanges persons with\n"
  "other address books as delimited text or vCard.\n"
  "\n"
  "The package holds the desktop program vimbo and its command-line companion\n"
  "vimbo-cli for scripts and batch work.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL ${VIMBO_HOMEPAGE})
set(CPACK_PACKAGE_CONTACT "Brenwick <vimbo@brenwick.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VIMBO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
