# The Windows download: a ZIP with the window, the command-line search, the engine's DLL, its
# header, import library and export list, the licence and a README for Windows, all in one folder;
# and the same as an installer (NSIS) that puts the window in the Start menu and brings an
# uninstaller.
#   scripts/build-windows.sh --package   ->   build-windows/vellafind-<version>-win64.zip
#                                             build-windows/vellafind-<version>-win64.exe
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

# The installer: into "Program Files\Vellafind", the window in the Start menu under Vellafind,
# an uninstaller in Add or remove programs, an installed copy of the same version removed first.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Vellafind")
set(CPACK_PACKAGE_EXECUTABLES "vellafind" "Vellafind")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_PACKAGE_NAME "Vellafind")
set(CPACK_NSIS_DISPLAY_NAME "Vellafind ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME "vellafind.exe")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/res/windows/vellafind.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/res/windows/vellafind.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for the 64-bit programs: it runs where they do (even without 32-bit support)
# and puts them where 64-bit programs go.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
endif()
include(CPack)
