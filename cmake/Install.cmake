# Installing, in three components that become the three Debian packages:
#   program      the window, the command-line search, menu entry, icon,
#                AppStream metainfo and manual pages (package vellafind)
#   library      the engine, libdevsearch.so.1 (package libdevsearch1)
#   development  its header, the .so link and a pkg-config file
#                (package libdevsearch-dev)
# Each package carries the licence and the changelog in its doc folder.

set_target_properties(devsearch PROPERTIES
  VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}
  SOVERSION ${PROJECT_VERSION_MAJOR})

install(TARGETS devsearch
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_SKIP
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library)
install(TARGETS devsearch LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        NAMELINK_ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/engine/devsearch.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

install(TARGETS vellafind-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
if(TARGET vellafind)
  install(TARGETS vellafind RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
endif()

if(UNIX)
  # pkg-config: paths relative to the prefix unless absolute ones were asked for.
  foreach(_dir LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${_dir}}")
      set(VF_PC_${_dir} "${CMAKE_INSTALL_${_dir}}")
    else()
      set(VF_PC_${_dir} "\${prefix}/${CMAKE_INSTALL_${_dir}}")
    endif()
  endforeach()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/devsearch.pc.in
                 ${PROJECT_BINARY_DIR}/packaging/devsearch.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/devsearch.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

  if(TARGET vellafind)
    install(FILES ${PROJECT_SOURCE_DIR}/res/org.vellafind.vellafind.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT program)
    install(FILES ${PROJECT_SOURCE_DIR}/res/org.vellafind.vellafind.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT program)
    install(FILES ${PROJECT_SOURCE_DIR}/res/vellafind.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT program)
  endif()

  # Manual pages and the changelog go compressed, as Debian wants them.
  find_program(VF_GZIP gzip REQUIRED)
  set(_compressed)
  macro(vf_compress source name)
    set(_out ${PROJECT_BINARY_DIR}/packaging/${name})
    add_custom_command(OUTPUT ${_out}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${_out}
      COMMAND ${VF_GZIP} -9nf ${_out}
      DEPENDS ${source} VERBATIM)
    list(APPEND _compressed ${_out}.gz)
  endmacro()
  vf_compress(${PROJECT_SOURCE_DIR}/docs/man/vellafind-cli.1 vellafind-cli.1)
  vf_compress(${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog)
  if(TARGET vellafind)
    vf_compress(${PROJECT_SOURCE_DIR}/docs/man/vellafind.1 vellafind.1)
  endif()
  add_custom_target(vf_compressed_docs ALL DEPENDS ${_compressed})

  install(FILES ${PROJECT_BINARY_DIR}/packaging/vellafind-cli.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  if(TARGET vellafind)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/vellafind.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  endif()

  set(VF_PACKAGE_NAME_program vellafind)
  set(VF_PACKAGE_NAME_library libdevsearch1)
  set(VF_PACKAGE_NAME_development libdevsearch-dev)
  foreach(_component program library development)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
                  ${PROJECT_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${VF_PACKAGE_NAME_${_component}}
            COMPONENT ${_component})
  endforeach()
endif()

