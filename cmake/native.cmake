# Native (Linux) builds of the model: its tests and benchmarks (g++).
find_package(GTest REQUIRED)
add_subdirectory(tests/model)
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_subdirectory(bench)
endif()
