# Each layer of the source tree (engine, platform, core, the window layer ui/window, the product's
# resources res, the window's logic ui/dialog) hands its users one include root that holds nothing
# but its own folder: a build-tree directory with a link to it. Includes therefore name their
# layer ("core/device_store.h", "ui/window/dialog_window.h"), and a layer that includes one it does
# not link (or one above it) fails to build instead of reaching into the source tree.

# vf_layer_root(<out-var> <folder>): the include root for the source folder <folder>, which may
# lie inside another ("ui/window").
function(vf_layer_root out folder)
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${root}/${folder})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# vf_layer_header_root(<out-var> <folder> <header>): an include root that holds only <header>
# of <folder>, for a layer whose public interface is one header.
function(vf_layer_header_root out folder header)
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  if(NOT EXISTS ${root}/${header})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${header} ${root}/${header} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()
