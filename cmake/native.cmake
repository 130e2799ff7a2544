# Native (Linux) builds of the model: with the tests, its tests and benchmarks
# (g++); without them, no test framework is looked for.
if(KELVANE_TESTS)
  find_package(GTest REQUIRED)
  add_subdirectory(tests/model)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_subdirectory(bench)
  endif()
endif()
