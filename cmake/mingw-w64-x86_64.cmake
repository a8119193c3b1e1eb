# Cross-building for 64-bit Windows with Debian's mingw-w64 toolchain, POSIX thread model
# (std::thread and std::mutex need it). Used by scripts/build-windows.sh:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VF_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VF_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VF_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VF_MINGW_TRIPLET}-windres)

# Libraries and headers come from the mingw-w64 tree only, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VF_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest starts the test programs through Wine (output kept in files; see the script).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine_run.sh)
