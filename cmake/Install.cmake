# Installing like a desktop program: the window, the command-line search and
# the engine library with its header, a menu entry and the icon; CPack makes
# a Debian package of the same.
install(TARGETS devsearch LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/engine/devsearch.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS vellafind-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vellafind)
  install(TARGETS vellafind RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/res/vellafind.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/res/vellafind.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vellafind")
set(CPACK_PACKAGE_VENDOR "Vellafind developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Finds the network cameras on the local network and changes their network settings")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vellafind developers <vellafind@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The package's dependencies come from the libraries the binaries link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
