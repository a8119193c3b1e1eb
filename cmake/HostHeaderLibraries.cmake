# Header-only libraries of the build machine (Debian's CLI11 and nlohmann-json) serve a cross
# build as well, but their package files would put all of /usr/include on the target's include
# path, where the build machine's C library would stand in for the target's. For a cross build
# each gets an include root of its own in the build tree, holding only its folder, and a package
# file that points there; find_package() then finds that one.
function(vf_host_header_library package target folder)
  set(host_package_dir /usr/share/cmake/${package})
  if(NOT EXISTS /usr/include/${folder} OR NOT EXISTS ${host_package_dir}/${package}ConfigVersion.cmake)
    return()  # Not installed: find_package() says so.
  endif()
  set(root ${PROJECT_BINARY_DIR}/host-headers/${package})
  if(NOT EXISTS ${root}/include/${folder})
    file(MAKE_DIRECTORY ${root}/include)
    file(CREATE_LINK /usr/include/${folder} ${root}/include/${folder} SYMBOLIC)
  endif()
  file(WRITE ${root}/${package}Config.cmake
       "if(NOT TARGET ${target})\n"
       "  add_library(${target} INTERFACE IMPORTED)\n"
       "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root}/include)\n"
       "endif()\n")
  # The version rules are the package's own; header-only, they hold for any target.
  file(WRITE ${root}/${package}ConfigVersion.cmake
       "include(${host_package_dir}/${package}ConfigVersion.cmake)\n")
  set(${package}_DIR ${root} CACHE PATH "The ${package} package for the cross build" FORCE)
endfunction()

vf_host_header_library(CLI11 CLI11::CLI11 CLI)
vf_host_header_library(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
