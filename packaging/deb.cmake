# kelvane-calc's Debian package: the program, its manual page and the
# copyright file (cmake --build --preset native --target package makes
# build/native/kelvane-calc_<version>_<arch>.deb). The tests install nothing.
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
include(GNUInstallDirs)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvane-calc)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane-calc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video bitrate at which a film and its MP3 sound fill a size")
set(CPACK_PACKAGE_DESCRIPTION "kelvane-calc prints the video bitrate that Kelvane's calculator form shows\nfor a running time, a size (1 to 4 CDs, or megabytes) and an MP3 sound quality.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER Kelvane)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_KELVANE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/reproducible.cmake)
include(CPack)
