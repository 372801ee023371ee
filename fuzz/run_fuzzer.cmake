# Builds the fuzz targets with clang in BUILD_DIR and runs the game's for
# SECONDS seconds and the save's for SAVE_SECONDS, each starting from its
# corpus kept in the repository. New inputs go to BUILD_DIR/corpus and
# BUILD_DIR/save_corpus, a failing one to BUILD_DIR/crash-*.
#
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DCLANGXX=clang++ -DSECONDS=60 -DSAVE_SECONDS=30 -P run_fuzzer.cmake

foreach(var SOURCE_DIR BUILD_DIR CLANGXX SECONDS SAVE_SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_fuzzer.cmake needs -D${var}=...")
  endif()
endforeach()

# A compiler without libFuzzer cannot build the target at all: that skips
# the test rather than failing it.
file(MAKE_DIRECTORY ${BUILD_DIR}/probe)
file(WRITE ${BUILD_DIR}/probe/probe.cpp
  "#include <cstddef>\n#include <cstdint>\n"
  "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
execute_process(
  COMMAND ${CLANGXX} -fsanitize=fuzzer,address,undefined ${BUILD_DIR}/probe/probe.cpp -o ${BUILD_DIR}/probe/probe
  RESULT_VARIABLE probed OUTPUT_QUIET ERROR_VARIABLE probeErrors)
if(NOT probed EQUAL 0)
  message("fuzz: skipped: ${CLANGXX} cannot build with -fsanitize=fuzzer,address,undefined\n${probeErrors}")
  return()
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -DCMAKE_CXX_COMPILER=${CLANGXX}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNOCKTIDE_FUZZ=ON -DBUILD_TESTING=OFF
  RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "fuzz: the clang configure failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target game_fuzzer save_fuzzer -j2
  RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "fuzz: building the fuzz target failed")
endif()

# Runs one target for `seconds` from its corpus kept here (`corpus`, and
# new inputs in BUILD_DIR/`corpus`) with inputs of up to `max_len` bytes.
function(fuzz target corpus seconds max_len)
  file(MAKE_DIRECTORY ${BUILD_DIR}/${corpus})
  execute_process(
    COMMAND ${BUILD_DIR}/fuzz/${target} -max_total_time=${seconds} -max_len=${max_len} -timeout=60
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=${BUILD_DIR}/
      ${BUILD_DIR}/${corpus} ${SOURCE_DIR}/fuzz/${corpus}
    RESULT_VARIABLE fuzzed)
  if(NOT fuzzed EQUAL 0)
    message(FATAL_ERROR "fuzz: ${target} found a failing input (see ${BUILD_DIR}/crash-*)")
  endif()
endfunction()

# Inputs up to 2 KiB: room for a short game to its end (one key a hand in
# "Play Simulation") and still many runs a second.
fuzz(game_fuzzer corpus ${SECONDS} 2048)
# A save is a few kilobytes.
fuzz(save_fuzzer save_corpus ${SAVE_SECONDS} 8192)
