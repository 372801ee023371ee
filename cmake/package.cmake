# The packages people install, made by CPack from a build configured with
# BRANNOCKTIDE_PACKAGE: the presets package-deb and package-win64, which
# ./package runs. What the two share is here; each kind has a file of its own.
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
string(REGEX REPLACE "^Copyright \\(c\\) [0-9]+ " "" CPACK_PACKAGE_VENDOR "${BRANNOCKTIDE_COPYRIGHT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "seven-card stud poker at a Korean text-console table")
set(CPACK_STRIP_FILES ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(BRANNOCKTIDE_PACKAGE STREQUAL "deb")
  include(${CMAKE_CURRENT_LIST_DIR}/package-deb.cmake)
elseif(BRANNOCKTIDE_PACKAGE STREQUAL "zip")
  include(${CMAKE_CURRENT_LIST_DIR}/package-zip.cmake)
else()
  message(FATAL_ERROR "BRANNOCKTIDE_PACKAGE is '${BRANNOCKTIDE_PACKAGE}': deb, zip, or empty")
endif()
include(CPack)
