# The Windows download: a ZIP with the window, the command-line search, the engine's DLL, its
# header, import library and export list, the licence and a README for Windows, all in one folder.
#   scripts/build-windows.sh --package   ->   build-windows/vellafind-<version>-win64.zip
if(TARGET vellafind)
  install(TARGETS vellafind RUNTIME DESTINATION .)
endif()
install(TARGETS vellafind-cli RUNTIME DESTINATION .)
install(TARGETS devsearch RUNTIME DESTINATION . ARCHIVE DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/engine/devsearch.h DESTINATION include)
# With the export list, other compilers make their own import library (lib /def:devsearch.def).
install(FILES ${PROJECT_SOURCE_DIR}/engine/devsearch.def DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/docs/windows/README.txt DESTINATION .)
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
endif()

set(CPACK_GENERATOR "ZIP")
set(CPACK_PACKAGE_NAME "vellafind")
set(CPACK_PACKAGE_VENDOR "The Vellafind developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Finds the network cameras on the local network and changes their network settings")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "vellafind-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Debug information stays in the build folder.
set(CPACK_STRIP_FILES ON)
include(CPack)
