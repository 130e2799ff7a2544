# Windows build (MinGW-w64): the program's layers, its tests under Wine, the
# interface timings and the release zip.

# Fully static: the program imports system DLLs only. No link time in the
# header, so the same sources give the same bytes.
set(KELVANE_WIN_LINK_OPTIONS -static -Wl,--dynamicbase -Wl,--nxcompat -Wl,--no-insert-timestamp)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND KELVANE_WIN_LINK_OPTIONS -Wl,--high-entropy-va)
endif()
# Windows 2000 and later: declarations of anything newer fail to compile.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0500 WINVER=0x0500)
# Nothing in the program throws: no exception tables, type information or
# guarded statics, and so none of the runtime behind them.
set(KELVANE_WIN_CXX_OPTIONS -fno-exceptions -fno-rtti -fno-threadsafe-statics)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Nothing unwinds on i686 either. x86_64 keeps its tables (.pdata): Windows
  # itself walks them.
  list(APPEND KELVANE_WIN_CXX_OPTIONS -fno-asynchronous-unwind-tables)
endif()

enable_language(RC)
add_subdirectory(res)
add_subdirectory(platform)
add_subdirectory(pages)
add_subdirectory(shell)

foreach(target kelvane_base kelvane_model kelvane_platform kelvane_entry kelvane_pages kelvane_shell kelvane)
  target_compile_options(${target} PRIVATE ${KELVANE_WIN_CXX_OPTIONS})
endforeach()
# The map names the stripped program's functions for tests/win/pe_check.sh.
target_link_options(kelvane PRIVATE ${KELVANE_WIN_LINK_OPTIONS} $<$<CONFIG:MinSizeRel,Release>:-s>
                    -Wl,-Map,${PROJECT_BINARY_DIR}/kelvane.map)

if(KELVANE_TESTS)
  # The program's PE header, read on the build machine: no Wine needed.
  string(REGEX REPLACE "windres$" "objdump" KELVANE_OBJDUMP "${CMAKE_RC_COMPILER}")
  add_test(NAME ${KELVANE_ARCH}.pe_check
           COMMAND ${PROJECT_SOURCE_DIR}/tests/win/pe_check.sh ${KELVANE_OBJDUMP} $<TARGET_FILE:kelvane> ${KELVANE_ARCH})
  include(tests/support.cmake)
  add_subdirectory(tests/win)
  add_subdirectory(tests/e2e)
  add_subdirectory(bench/win)
endif()
include(packaging/package.cmake)
