# Run by cpack after the Debian packages are built: CPack gives a package that
# holds a shared library postinst and postrm scripts that call ldconfig.
# Debian has the library package activate the ldconfig trigger instead (its
# control files carry the trigger), so the scripts come out again.
find_program(_vf_dpkg_deb dpkg-deb REQUIRED)
foreach(_deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT _deb MATCHES "\\.deb$")
    continue()
  endif()
  set(_tree "${_deb}.tree")
  file(REMOVE_RECURSE "${_tree}")
  execute_process(COMMAND ${_vf_dpkg_deb} --raw-extract "${_deb}" "${_tree}"
                  COMMAND_ERROR_IS_FATAL ANY)
  if(EXISTS "${_tree}/DEBIAN/triggers")
    file(REMOVE "${_tree}/DEBIAN/postinst" "${_tree}/DEBIAN/postrm")
    execute_process(COMMAND ${_vf_dpkg_deb} --root-owner-group -Zxz --build "${_tree}" "${_deb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE_RECURSE "${_tree}")
endforeach()
