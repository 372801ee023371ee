# The Windows zip: brannocktide.exe (linked statically by the toolchain, so
# it needs no DLL of the compiler's) in the zip's one folder, beside the
# README, the licence and a note on the console the game needs, as text
# files with Windows line ends and a byte-order mark, so that every Notepad
# opens them as UTF-8.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)

string(ASCII 239 187 191 byte_order_mark)
foreach(text IN ITEMS README.md:README.txt LICENSE:LICENSE.txt doc/windows-console.txt:CONSOLE.txt)
  string(REPLACE ":" ";" text ${text})
  list(GET text 0 source)
  list(GET text 1 name)
  file(READ ${PROJECT_SOURCE_DIR}/${source} content)
  string(REPLACE "\n" "\r\n" content "${content}")
  file(WRITE ${PROJECT_BINARY_DIR}/windows/${name} "${byte_order_mark}${content}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
  install(FILES ${PROJECT_BINARY_DIR}/windows/${name} DESTINATION .)
endforeach()
