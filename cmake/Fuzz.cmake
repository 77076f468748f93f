# Fuzz build (clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer):
#   cmake -S . -B build/fuzz -DHANABO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
# Every tests/fuzz/*_fuzz.cpp becomes one fuzzer over the instrumented core,
# with the silent front end and the sanitizer defaults of fuzz_options.cpp;
# its seeds are in tests/fuzz/corpus/<name>/.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz build needs clang (-DCMAKE_CXX_COMPILER=clang++)")
endif()

set(FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)
target_compile_options(hanabo_core PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer-no-link
                       -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/cmake/fuzz_coverage_ignore.txt)

add_library(fuzz_front_end STATIC tools/silent_front_end.cpp)
target_link_libraries(fuzz_front_end PUBLIC hanabo_core)
target_compile_options(fuzz_front_end PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer-no-link)

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
set(FUZZERS)
foreach(src ${FUZZ_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_options.cpp)
  target_compile_options(${name} PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer)
  # The core calls the front end, so the front end comes after it.
  target_link_libraries(${name} PRIVATE hanabo_core fuzz_front_end)
  hanabo_warnings(${name})
  list(APPEND FUZZERS ${name})
endforeach()

# Runs every fuzzer for FUZZ_SECONDS (default 60) on a copy of its seeds.
set(FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzzer runs")
# No input of ours needs a block of more than 64 MB (the largest picture the
# bitmap reader expands is 22 MB), so a larger one is reported as a fault.
# Settings texts longer than 2 KB, several times a real file, only slow the
# search down: every lookup reads the whole text.
set(FUZZ_OPTIONS -malloc_limit_mb=64)
set(FUZZ_OPTIONS_records -max_len=2048)
set(FUZZ_OPTIONS_settings -max_len=2048)
set(FUZZ_OPTIONS_select_game -max_len=2048)
set(FUZZ_OPTIONS_statistics -max_len=4096)
set(FUZZ_RUNS)
foreach(name ${FUZZERS})
  string(REGEX REPLACE "_fuzz$" "" seeds ${name})
  set(work ${CMAKE_BINARY_DIR}/corpus/${seeds})
  add_custom_target(run_${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${work}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${seeds} ${work}
    COMMAND $<TARGET_FILE:${name}> -max_total_time=${FUZZ_SECONDS} -print_final_stats=1
            ${FUZZ_OPTIONS} ${FUZZ_OPTIONS_${seeds}} ${work}
    DEPENDS ${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    USES_TERMINAL)
  list(APPEND FUZZ_RUNS run_${name})
endforeach()
if(FUZZ_RUNS)
  add_custom_target(fuzz_all DEPENDS ${FUZZ_RUNS})
endif()
