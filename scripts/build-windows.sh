#!/usr/bin/env bash
# Cross-builds the Windows programs with Debian's mingw-w64 toolchain into build-windows/:
# vellafind-cli.exe, devsearch.dll and, with the test packages, the test programs, at the folder's
# top level and ready to run (the C++ runtime is linked in). Installs what is missing first.
#
#   scripts/build-windows.sh [--package] [cmake options...]
#
# --package also makes the ZIP (build-windows/vellafind-<version>-win64.zip) and the installer
# (build-windows/vellafind-<version>-win64.exe, with Debian's NSIS).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

package=""
if [[ "${1:-}" == "--package" ]]; then
  package=1
  shift
fi
vf_ensure_packages "${VF_BUILD_PACKAGES[@]}" "${VF_WINDOWS_PACKAGES[@]}" || exit 1

dir=build-windows
mkdir -p "$dir"
echo "== Building $dir (mingw-w64, x86_64)"
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELLAFIND_WERROR=ON -DBUILD_TESTING=ON -DVELLAFIND_GUI=ON "$@" >"$dir/configure.log" 2>&1 ||
  { cat "$dir/configure.log"; exit 1; }
if ! cmake --build "$dir" -j "${VF_JOBS:-$(nproc)}" >"$dir/build.log" 2>&1; then
  grep -E -B2 -A8 "error|Error" "$dir/build.log" | head -n 80
  exit 1
fi
grep -E "warning:" "$dir/build.log" | head -n 20 || true
if [[ -n "$package" ]]; then
  (cd "$dir" && cpack -G "ZIP;NSIS64" >cpack.log 2>&1) || { cat "$dir/cpack.log"; exit 1; }
  ls "$dir"/vellafind-*-win64.zip "$dir"/vellafind-*-win64.exe
fi
