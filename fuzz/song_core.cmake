# libFuzzer targets for the song file reader, the line readers and the MIDI file loader. They need
# clang and the sanitizers: configure with
#   -DCMAKE_CXX_COMPILER=clang++ -DTW_SANITIZE=ON -DTW_FUZZ=ON
# Each target is also a CTest test that fuzzes for TW_FUZZ_SECONDS from its seed corpus.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TW_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
if(NOT TW_SANITIZE)
  message(FATAL_ERROR "TW_FUZZ needs TW_SANITIZE=ON (the sanitizer runtime carries the coverage callbacks)")
endif()

set(TW_FUZZ_SECONDS 4 CACHE STRING "Seconds each fuzz smoke test runs")

# Coverage for the code under test.
foreach(_lib tw_song tw_midi)
  target_compile_options(${_lib} PRIVATE -fsanitize=fuzzer-no-link)
endforeach()

function(tw_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TW_WARNINGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  # New inputs go to a scratch corpus in the build folder; the seeds are only read.
  set(_work ${CMAKE_CURRENT_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${_work})
  add_test(NAME fuzz_smoke_${name}
           COMMAND ${name} -max_total_time=${TW_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                   -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/${name}- -print_final_stats=1
                   ${_work} ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  set_tests_properties(fuzz_smoke_${name} PROPERTIES TIMEOUT 120 LABELS fuzz)
endfunction()

tw_add_fuzzer(song_file_fuzzer DEPS tw_song tw_midi)
tw_add_fuzzer(line_parsers_fuzzer DEPS tw_song tw_midi)
tw_add_fuzzer(midi_file_fuzzer DEPS tw_midi)
