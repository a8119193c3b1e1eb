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
# The texts with Windows line ends (CR LF), which every Windows editor shows as lines.
function(vf_windows_text source destination)
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${PROJECT_BINARY_DIR}/windows-texts/${destination} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  install(FILES ${PROJECT_BINARY_DIR}/windows-texts/${destination} DESTINATION .)
endfunction()
vf_windows_text(${PROJECT_SOURCE_DIR}/docs/windows/README.txt README.txt)
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  vf_windows_text(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt)
endif()

set(CPACK_GENERATOR "ZIP")
# The installer's script parts below hold quotes and backslashes: handed to CPack as they are.
set(CPACK_VERBATIM_VARIABLES ON)
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
# packaging/windows/installer.nsh adds the firewall rules for the search's ports, the option to
# put vellafind-cli on the PATH and a Start-menu entry with the command line's help.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Vellafind")
set(CPACK_PACKAGE_EXECUTABLES "vellafind" "Vellafind")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_PACKAGE_NAME "Vellafind")
set(CPACK_NSIS_DISPLAY_NAME "Vellafind ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME "vellafind.exe")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/res/windows/vellafind.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/res/windows/vellafind.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The options page (add to the PATH: no, by default; for all users; for this user). CPack's own
# step adds a bin folder, which this package does not have; installer.nsh adds the program's.
set(CPACK_NSIS_MODIFY_PATH ON)
# The same page's box for a desktop shortcut (off by default) makes one to the window.
set(CPACK_CREATE_DESKTOP_LINKS "vellafind")
set(CPACK_NSIS_CREATE_ICONS_EXTRA "!insertmacro VfCreateShortcuts")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "!insertmacro VfDeleteShortcuts")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro VfInstallExtras")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro VfUninstallExtras")
# A 64-bit installer for the 64-bit programs: it runs where they do (even without 32-bit support)
# and puts them where 64-bit programs go. Its own version resource, the product in the line at
# the foot of its pages (CPack's setting for that trims the line, which makensis refuses off
# Windows), then the top-level part of installer.nsh.
vf_copyright_notice(_vf_copyright)
set(_vf_version4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
if(NOT PROJECT_VERSION_PATCH STREQUAL "")
  set(_vf_version4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  if(NOT PROJECT_VERSION_TWEAK STREQUAL "")
    set(_vf_version4 "${PROJECT_VERSION}")
  endif()
endif()
set(CPACK_NSIS_DEFINES "Target amd64-unicode
VIProductVersion ${_vf_version4}
VIFileVersion ${_vf_version4}
VIAddVersionKey /LANG=1033 ProductName Vellafind
VIAddVersionKey /LANG=1033 ProductVersion ${PROJECT_VERSION}
VIAddVersionKey /LANG=1033 FileVersion ${PROJECT_VERSION}
VIAddVersionKey /LANG=1033 FileDescription \"Vellafind ${PROJECT_VERSION} setup\"
VIAddVersionKey /LANG=1033 CompanyName \"${CPACK_PACKAGE_VENDOR}\"
VIAddVersionKey /LANG=1033 LegalCopyright \"${_vf_copyright}\"
BrandingText \"Vellafind ${PROJECT_VERSION}\"
!define VF_UNINSTALL_KEY \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vellafind\"
!include \"${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsh\"")
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/windows-texts/LICENSE.txt)
endif()
include(CPack)
