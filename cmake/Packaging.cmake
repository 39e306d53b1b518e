# The Debian package: metainfo, manual pages and the CPack settings. From a release build:
#   cd build/release && cpack -G DEB     -> zelkon_<version>_<arch>.deb
# No web address until the project has one: a made-up one fails AppStream's checks, and software
# centres would show it.
set(ZELKON_HOMEPAGE "" CACHE STRING
  "Web address in the package and its AppStream metainfo (none by default)")
set(ZELKON_APPSTREAM_ID "org.example.zelkon" CACHE STRING
  "AppStream component id (reverse domain name of ZELKON_HOMEPAGE)")
set(ZELKON_SCREENSHOT_URL "" CACHE STRING
  "Where software centres fetch docs/screenshot.png from (default: screenshot.png under ZELKON_HOMEPAGE)")
set(ZELKON_MAINTAINER "Zelkon developers <zelkon@example.org>" CACHE STRING
  "Maintainer field of the Debian package")
# Run-time needs that no binary names; dpkg-shlibdeps finds the libraries.
set(ZELKON_DEB_EXTRA_DEPENDS fonts-ipafont-gothic qt6-translations-l10n)

set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
set(screenshot_url "${ZELKON_SCREENSHOT_URL}")
if(screenshot_url STREQUAL "" AND NOT ZELKON_HOMEPAGE STREQUAL "")
  set(screenshot_url "${ZELKON_HOMEPAGE}screenshot.png")
endif()
set(ZELKON_METAINFO_ADDRESSES "")
if(NOT ZELKON_HOMEPAGE STREQUAL "")
  string(APPEND ZELKON_METAINFO_ADDRESSES
    "  <url type=\"homepage\">${ZELKON_HOMEPAGE}</url>\n")
endif()
if(NOT screenshot_url STREQUAL "")
  string(APPEND ZELKON_METAINFO_ADDRESSES "  <screenshots>
    <screenshot type=\"default\">
      <caption>A question answered: each winning number with its scoring patterns</caption>
      <caption xml:lang=\"ja\">解答後の画面：和了牌ごとの役</caption>
      <image type=\"source\" width=\"450\" height=\"341\">${screenshot_url}</image>
    </screenshot>
  </screenshots>\n")
endif()
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

# What `cmake --install` and cpack copy out of the build tree, without the tests and benchmarks:
# scripts/run builds this. A test compares it with the install rules.
add_custom_target(zelkon_installable)
add_dependencies(zelkon_installable zelkon zelkon-cli zelkon_statistics zelkon_man_pages)

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
if(NOT ZELKON_HOMEPAGE STREQUAL "")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZELKON_HOMEPAGE}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN ZELKON_DEB_EXTRA_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)
