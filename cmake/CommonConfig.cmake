# One interface target that carries the language level, warnings, sanitizer
# flags and the Qt rules of our code; every target of ours links it.
add_library(vf_common_cfg INTERFACE)
target_compile_features(vf_common_cfg INTERFACE cxx_std_20)
target_compile_options(vf_common_cfg INTERFACE -Wall -Wextra)
if(VELLAFIND_WERROR)
  target_compile_options(vf_common_cfg INTERFACE -Werror)
endif()

if(WIN32)
  # Resource scripts: the version information of each program and of the DLL.
  enable_language(RC)
  # Windows 7 and later; the wide-character API throughout; no min/max macros.
  target_compile_definitions(vf_common_cfg INTERFACE
    _WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
  # The C and C++ runtimes and the thread library go into each program and the
  # engine's DLL, so that the build runs on a plain Windows without mingw's DLLs.
  add_link_options(-static)
endif()

# Every Qt connection names a context object, so that it ends with that object (Qt 6.7 and
# later refuse the others with this).
target_compile_definitions(vf_common_cfg INTERFACE QT_NO_CONTEXTLESS_CONNECT)

# Our own code with the sanitizers; what every program and library of ours links carries them to
# its link.
if(VELLAFIND_SANITIZE)
  string(REPLACE ";" "," _vf_san "${VELLAFIND_SANITIZE}")
  target_compile_options(vf_common_cfg INTERFACE -fsanitize=${_vf_san} -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=all)
  target_link_options(vf_common_cfg INTERFACE -fsanitize=${_vf_san})
endif()

set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_C_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# The hardening Debian builds its packages with: stack protector, fortified
# libc calls where the optimiser can see sizes, a read-only relocation table.
# Not with the sanitizers, whose own checks the fortified calls would bypass.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT VELLAFIND_SANITIZE AND NOT VELLAFIND_FUZZ)
  add_compile_options(-fstack-protector-strong)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
