# Cross-building the Windows program on Linux with MinGW-w64 (Debian:
# g++-mingw-w64-x86-64-posix). Everything is linked statically, so the .exe
# runs on a bare Windows, or under wine, without the compiler's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs built here run under wine, where there is one (listing the
# GoogleTest cases after each build needs to run the test program).
find_program(BRANNOCKTIDE_WINE NAMES wine wine64)
if(BRANNOCKTIDE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRANNOCKTIDE_WINE})
endif()
