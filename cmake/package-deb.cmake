# The Debian package: the program where games live (the preset puts the
# binaries in games/), its manual page in section 6, and in
# /usr/share/doc/brannocktide the licence as a machine-readable copyright
# file and the changelog made from NEWS; the libraries it needs are found by
# dpkg-shlibdeps.
include(${CMAKE_CURRENT_LIST_DIR}/debian-changelog.cmake)

set(BRANNOCKTIDE_PACKAGE_MAINTAINER "The Brannocktide developers <packages@brannocktide.invalid>"
  CACHE STRING "The Debian package's maintainer, as \"Name <address>\": a packager puts their own here")

set(debian ${PROJECT_BINARY_DIR}/debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/NEWS)

brannocktide_debian_changelog(${PROJECT_SOURCE_DIR}/NEWS ${PROJECT_NAME} "${BRANNOCKTIDE_PACKAGE_MAINTAINER}"
  changelog newest)
if(NOT newest STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "NEWS begins with version '${newest}', the project is ${PROJECT_VERSION}: "
    "say in NEWS what this version brings")
endif()
file(WRITE ${debian}/changelog "${changelog}")

# The licence in Debian's copyright format, where MIT's text is "Expat": the
# LICENSE file's text after its copyright line, each line indented and a
# blank line written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\nCopyright [^\n]*\n+" "" licence "${licence}")
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
string(REGEX REPLACE "^Copyright \\(c\\) " "" holders "${BRANNOCKTIDE_COPYRIGHT}")
file(WRITE ${debian}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Brannocktide

Files: *
Copyright: ${holders}
License: Expat
 ${licence}
")

# Debian keeps manual pages and changelogs compressed, without a time stamp.
# A version without a Debian revision is a native package's, whose
# changelog is changelog.gz.
foreach(file IN ITEMS debian/changelog brannocktide.6)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${file}.gz
    COMMAND gzip -9n -c ${PROJECT_BINARY_DIR}/${file} > ${PROJECT_BINARY_DIR}/${file}.gz
    DEPENDS ${PROJECT_BINARY_DIR}/${file} VERBATIM)
endforeach()
add_custom_target(debian_compressed ALL DEPENDS ${debian}/changelog.gz ${PROJECT_BINARY_DIR}/brannocktide.6.gz)
install(FILES ${debian}/copyright ${debian}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
install(FILES ${PROJECT_BINARY_DIR}/brannocktide.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BRANNOCKTIDE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Seven-card stud poker for the text console: you against one to six
computer players, with a Korean user interface. Every seat starts with
1,000,000 won; each hand is shuffled with a little animation and played
over four betting rounds, and the last seat with money wins the game.

The table needs a terminal of at least 162 columns by 42 lines that shows
UTF-8 (EUC-KR and CP949 are converted). A game can be saved and taken up
again, and every hand written to a hand history.")
