# Read by cpack before it packs: Debian packages need the library in the
# multiarch folder and binaries without a run path, which only a build
# configured for the /usr prefix has.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_VF_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "Debian packages need a build configured with -DCMAKE_INSTALL_PREFIX=/usr "
                      "(this one has ${CPACK_VF_INSTALL_PREFIX})")
endif()
