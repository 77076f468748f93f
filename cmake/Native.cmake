# Native build: unit tests, hanabo-tool and benchmarks over the portable core.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# Every tests/*_test.cpp is one test program, linked with the recording fake
# of the front end.
add_library(fake_front_end STATIC tests/fake_front_end.cpp)
target_link_libraries(fake_front_end PUBLIC hanabo_core)
hanabo_warnings(fake_front_end)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
foreach(src ${UNIT_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE fake_front_end hanabo_core GTest::gtest_main)
  hanabo_warnings(${name})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 30)
endforeach()

# The fast board's test once more on the portable bit packing that the
# Windows programs use, where the native build has the processor's own.
add_executable(fast_board_portable_test tests/fast_board_test.cpp)
target_compile_definitions(fast_board_portable_test PRIVATE HANABO_PORTABLE_BITS)
target_link_libraries(fast_board_portable_test PRIVATE fake_front_end hanabo_core GTest::gtest_main)
hanabo_warnings(fast_board_portable_test)
gtest_discover_tests(fast_board_portable_test WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 30
                     TEST_PREFIX portable.)

# Command-line tools in tools/*.cpp (each one program, silent front end).
file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
# The silent front end and the search's progress line are parts of them.
list(FILTER TOOL_SOURCES EXCLUDE REGEX "(silent_front_end|solve_progress)\\.cpp$")
if(TOOL_SOURCES)
  add_library(silent_front_end STATIC tools/silent_front_end.cpp)
  target_link_libraries(silent_front_end PUBLIC hanabo_core)
  hanabo_warnings(silent_front_end)
  add_library(solve_progress STATIC tools/solve_progress.cpp)
  target_link_libraries(solve_progress PUBLIC hanabo_core)
  hanabo_warnings(solve_progress)
  foreach(src ${TOOL_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    string(REPLACE "_" "-" exe ${name})
    add_executable(${exe} ${src})
    # The core calls the front end, so the front end comes after it.
    target_link_libraries(${exe} PRIVATE solve_progress hanabo_core silent_front_end)
    hanabo_warnings(${exe})
  endforeach()
endif()

# Benchmarks print figures; they are built here and run by `make bench`.
find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  add_executable(hanabo_bench ${BENCH_SOURCES})
  target_link_libraries(hanabo_bench PRIVATE fake_front_end hanabo_core benchmark::benchmark_main)
  hanabo_warnings(hanabo_bench)
endif()

# hanabo-tool is tested as a black box: its test runs the program just built.
if(TARGET hanabo_tool_test AND TARGET hanabo-tool)
  target_compile_definitions(hanabo_tool_test PRIVATE HANABO_TOOL="$<TARGET_FILE:hanabo-tool>")
  add_dependencies(hanabo_tool_test hanabo-tool)
endif()

# make-help too: its test compiles the help source and compares the result with
# the shipped resources/ship/Hanabo.hlp.
if(TARGET make_help_test AND TARGET make-help)
  target_compile_definitions(make_help_test PRIVATE MAKE_HELP="$<TARGET_FILE:make-help>")
  add_dependencies(make_help_test make-help)
endif()

# The search over the standard set of boards: a program of its own, run by
# `make solve-bench` (SOLVE_SECONDS per position).
add_executable(hanabo_solve_bench bench/solve/solve_bench.cpp)
target_link_libraries(hanabo_solve_bench PRIVATE solve_progress hanabo_core)
target_compile_definitions(hanabo_solve_bench PRIVATE
                           HANABO_SOLVE_SET="${CMAKE_SOURCE_DIR}/bench/data/standard-set-15x15.txt")
hanabo_warnings(hanabo_solve_bench)
