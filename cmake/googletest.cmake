# GoogleTest for every test program of the build: an installed one, or a
# source tree built along with the tests (BRANNOCKTIDE_GTEST_SOURCE) for a
# toolchain that has none of its own (the MinGW cross build) or whose
# installed one was built with another standard library (clang with libc++:
# Debian's libgtest is built with libstdc++). Either way the tests link
# GTest::gtest_main.
set(BRANNOCKTIDE_GTEST_SOURCE "" CACHE PATH "GoogleTest sources to build instead of an installed GoogleTest")
if(BRANNOCKTIDE_GTEST_SOURCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${BRANNOCKTIDE_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
