# Native (Linux) builds: the command-line tool and its package; with the tests, the model's
# tests and benchmarks and the tool's test (g++). Without them, no test
# framework is looked for.
add_subdirectory(cli)
include(packaging/deb.cmake)
if(KELVANE_TESTS)
  find_package(GTest REQUIRED)
  include(tests/support.cmake)
  add_subdirectory(tests/model)
  add_test(NAME cli COMMAND ${PROJECT_SOURCE_DIR}/tests/cli/cli_test.sh $<TARGET_FILE:kelvane_cli> ${PROJECT_BINARY_DIR}
           ${PROJECT_VERSION})
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_subdirectory(bench)
  endif()
endif()
