# One interface target that carries the language level, warnings and sanitizer
# flags; every target of ours links it.
add_library(vf_common_cfg INTERFACE)
target_compile_features(vf_common_cfg INTERFACE cxx_std_20)
target_compile_options(vf_common_cfg INTERFACE -Wall -Wextra)
if(VELLAFIND_WERROR)
  target_compile_options(vf_common_cfg INTERFACE -Werror)
endif()

if(VELLAFIND_SANITIZE)
  string(REPLACE ";" "," _vf_san "${VELLAFIND_SANITIZE}")
  add_compile_options(-fsanitize=${_vf_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_vf_san})
endif()

set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_C_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
