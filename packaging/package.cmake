# The release: kelvane.exe and its readme in kelvane-<version>-<arch>.zip
# (cmake --build --preset <arch> --target package). Only what is installed
# here goes in; the test and measuring programs install nothing.
install(TARGETS kelvane RUNTIME DESTINATION .)
# Windows line ends, so that every Notepad shows the lines.
configure_file(${CMAKE_CURRENT_LIST_DIR}/readme.txt ${CMAKE_BINARY_DIR}/readme.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/readme.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR Kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME kelvane-${PROJECT_VERSION}-${KELVANE_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_KELVANE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/reproducible.cmake)
include(CPack)
