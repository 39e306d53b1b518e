# The Debian package: metainfo, manual pages and the CPack settings. From a release build:
#   cd build/release && cpack -G DEB     -> zelkon_<version>_<arch>.deb
set(ZELKON_HOMEPAGE "https://zelkon.example.org/" CACHE STRING
  "Web address in the package and its AppStream metainfo")
set(ZELKON_APPSTREAM_ID "org.example.zelkon" CACHE STRING
  "AppStream component id (reverse domain name of ZELKON_HOMEPAGE)")
set(ZELKON_SCREENSHOT_URL "${ZELKON_HOMEPAGE}screenshot.png" CACHE STRING
  "Where software centres fetch docs/screenshot.png from")
set(ZELKON_MAINTAINER "Zelkon developers <zelkon@example.org>" CACHE STRING
  "Maintainer field of the Debian package")
# Run-time needs that no binary names; dpkg-shlibdeps finds the libraries.
set(ZELKON_DEB_EXTRA_DEPENDS fonts-ipafont-gothic qt6-translations-l10n)

set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
configure_file(packaging/zelkon.metainfo.xml.in
  ${packaging_out}/${ZELKON_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_out}/${ZELKON_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

find_program(ZELKON_GZIP gzip REQUIRED)
set(man_pages)
foreach(page IN ITEMS zelkon zelkon-cli)
  configure_file(packaging/${page}.1.in ${packaging_out}/${page}.1 @ONLY)
  # -n keeps the name and time out of the archive, so the package builds the same twice.
  add_custom_command(OUTPUT ${packaging_out}/${page}.1.gz
    COMMAND ${ZELKON_GZIP} -9nkf ${page}.1
    WORKING_DIRECTORY ${packaging_out}
    DEPENDS ${packaging_out}/${page}.1 ${PROJECT_SOURCE_DIR}/packaging/${page}.1.in
    VERBATIM)
  list(APPEND man_pages ${packaging_out}/${page}.1.gz)
endforeach()
add_custom_target(zelkon_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZELKON_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trainer for reading the waits of a single-suit mahjong hand")
set(CPACK_PACKAGE_DESCRIPTION
  "カルデナ deals a random concealed 13-tile riichi mahjong hand of one suit and asks which\n\
numbers complete it; after the answer it marks each number and lists every winning number\n\
with the scoring patterns of its best reading. zelkon-cli is the same analysis on the\n\
command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZELKON_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN ZELKON_DEB_EXTRA_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)
