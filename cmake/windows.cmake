# Windows build (MinGW-w64): the program, its framework and its tests under Wine.

# Fully static: the program imports system DLLs only.
set(KELVANE_WIN_LINK_OPTIONS -static -Wl,--dynamicbase -Wl,--nxcompat)
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
# The version the resource script shows comes from project(VERSION).
configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${CMAKE_BINARY_DIR}/res/version.h @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/res")

add_library(kelvane_platform STATIC
  platform/cstring.cpp
  platform/dialog.cpp
  platform/sound.cpp
  platform/wait_cursor.cpp
  platform/win_app.cpp
  platform/wnd.cpp
)
target_include_directories(kelvane_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(kelvane_platform PUBLIC comctl32 winmm kelvane_model)

file(GLOB KELVANE_PAGES_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/pages/*.cpp)
add_library(kelvane_ui STATIC
  shell/about_dlg.h
  shell/main_dlg.cpp
  shell/page_tab_ctrl.cpp
  shell/rate_app.cpp
  ${KELVANE_PAGES_SOURCES}
)
target_link_libraries(kelvane_ui PUBLIC kelvane_platform kelvane_model)

# The resource script: windres does not report what it includes.
file(GLOB KELVANE_RES_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.bmp
     ${CMAKE_SOURCE_DIR}/res/*.wav ${CMAKE_SOURCE_DIR}/res/*.h)
list(APPEND KELVANE_RES_FILES ${CMAKE_BINARY_DIR}/res/version.h)
set(KELVANE_RC ${CMAKE_SOURCE_DIR}/res/kelvane.rc)
set_source_files_properties(${KELVANE_RC} PROPERTIES OBJECT_DEPENDS "${KELVANE_RES_FILES}")

add_executable(kelvane WIN32 platform/app_main.cpp shell/kelvane_main.cpp ${KELVANE_RC})
target_link_libraries(kelvane PRIVATE kelvane_ui)
foreach(target kelvane_model kelvane_platform kelvane_ui kelvane)
  target_compile_options(${target} PRIVATE ${KELVANE_WIN_CXX_OPTIONS})
endforeach()
target_link_options(kelvane PRIVATE ${KELVANE_WIN_LINK_OPTIONS} $<$<CONFIG:MinSizeRel,Release>:-s>)

# The program's PE header, read on the build machine: no Wine needed.
string(REGEX REPLACE "windres$" "objdump" KELVANE_OBJDUMP "${CMAKE_RC_COMPILER}")
add_test(NAME ${KELVANE_ARCH}.pe_check
         COMMAND ${CMAKE_SOURCE_DIR}/tests/win/pe_check.sh ${KELVANE_OBJDUMP} $<TARGET_FILE:kelvane> ${KELVANE_ARCH})

add_subdirectory(tests/win)
add_subdirectory(tests/e2e)
add_subdirectory(bench/win)
include(packaging/package.cmake)
