# Native (Linux) builds of the model: its tests and benchmarks (g++), a
# coverage build of the tests (KELVANE_COVERAGE), and its fuzzer (clang).
option(KELVANE_COVERAGE "Instrument the model for a coverage report" OFF)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_subdirectory(fuzz)
  return()
endif()

if(KELVANE_COVERAGE)
  # The model throws nothing: without exception paths every branch gcov
  # counts is one of the program's own.
  foreach(target kelvane_base kelvane_model)
    target_compile_options(${target} PRIVATE --coverage -O0 -fno-exceptions)
    target_link_options(${target} INTERFACE --coverage)
  endforeach()
  # The tests too: the linker keeps one copy of each inline function of the
  # model's headers, which may be a test's.
  add_compile_options(--coverage)
endif()

find_package(GTest REQUIRED)
add_subdirectory(tests/model)
find_package(benchmark QUIET)
if(benchmark_FOUND AND NOT KELVANE_COVERAGE)
  add_subdirectory(bench)
endif()
