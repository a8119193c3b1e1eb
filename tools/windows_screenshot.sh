#!/usr/bin/env bash
# windows_screenshot.sh [--dpi DPI] PICTURE.png
#
# The Win32 window under Wine, as docs/ shows it: runs the Windows window test
# (tests/app/window_lan_windows_test.cpp) on the private LAN of
# scripts/test-windows.sh against five simulated cameras, where it saves the
# window once a camera is chosen, and converts that picture to PNG. --dpi
# draws it at another DPI (144 for 150 % scaling, 192 for 200 %). Builds
# nothing: run scripts/test-windows.sh (or ./test.sh) first.
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=96
if [[ "${1:-}" == "--dpi" ]]; then
  dpi=${2:?}
  shift 2
fi
[[ $# -eq 1 ]] || { echo "usage: tools/windows_screenshot.sh [--dpi DPI] PICTURE.png" >&2; exit 2; }
picture=$(realpath -m "$1")
shot=$(mktemp --suffix=.bmp)
trap 'rm -f "$shot"' EXIT
camsim=${VF_CAMSIM:-build-test/camsim}
[[ -x "$camsim" ]] || camsim=build/camsim
tools/privlan.sh --links 2 -- env VF_CAMSIM="$(realpath "$camsim")" VF_WINDOW_SHOT="$shot" \
  scripts/test-windows.sh --inside-lan tests/ui/window/at_dpi_windows.sh "$dpi" \
  ctest --test-dir build-windows -R '^window_lan_tests$' --output-on-failure >/dev/null
[[ -s "$shot" ]] || { echo "windows_screenshot: no picture was taken" >&2; exit 1; }
convert "$shot" "$picture"
echo "windows_screenshot: $picture"
