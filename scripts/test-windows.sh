#!/usr/bin/env bash
# The Windows build under Wine: installs what is missing, cross-builds build-windows/ (and its
# ZIP and installer), then runs every test of that build on a private LAN (tools/privlan.sh
# --links 2), and installs and removes the installer. One wineserver is started inside the LAN's
# PC namespace, so every Windows socket lives there, and one Xvfb there, on which Wine draws the
# windows; the simulated cameras stay native Linux programs on the camera side.
#
#   scripts/test-windows.sh [CAMSIM]     CAMSIM: a native camsim (default: build/camsim, built
#                                        here)
# Inside such a LAN, "scripts/test-windows.sh --inside-lan [COMMAND...]" sets Wine up and runs
# COMMAND (default: the whole CTest suite of build-windows/ and the installer's test), e.g. one
# test with its output:
#   tools/privlan.sh --links 2 -- scripts/test-windows.sh --inside-lan \
#     ctest --test-dir build-windows -R firewall_tests -V
# Runs as root or as an ordinary user (network namespaces), as tools/privlan.sh does.
set -uo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--inside-lan" ]]; then
  # In the PC namespace of the private LAN: one Wine prefix and one wineserver for every test.
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d /tmp/vellafind-wine.XXXXXX)
  # No .NET or Gecko installs, and no menu entries or icons for the desktop outside the prefix.
  export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export VF_WINE_NETNS
  VF_WINE_NETNS=$(readlink /proc/self/ns/net)
  unset DISPLAY WAYLAND_DISPLAY
  log=build-windows/wine.log
  # One X server for every window of the tests: Wine's X11 driver draws the windows there. It
  # picks a free display itself (-displayfd), and its socket lives in this namespace. Large enough
  # for the window at 200 % scaling.
  xvfb_display="$WINEPREFIX/display"
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1920x1200x24 3>"$xvfb_display" 2>"$log.xvfb" &
  xvfb=$!
  cleanup() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -rf "$WINEPREFIX"
  }
  trap cleanup EXIT
  for _ in $(seq 100); do
    [[ -s "$xvfb_display" ]] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  [[ -s "$xvfb_display" ]] || { echo "Xvfb did not start:"; cat "$log.xvfb"; exit 1; }
  export DISPLAY=":$(head -n 1 "$xvfb_display")"
  # The "browser" that Wine hands web pages to writes down each page it is given, one argument a
  # line in brackets, so that tests can see what a real ShellExecuteW opened.
  browser="$WINEPREFIX/record-browsed-url"
  printf '#!/bin/sh\nfor a in "$@"; do printf "[%%s]\\n" "$a"; done >>"%s"\n' \
    "$WINEPREFIX/browsed-urls" >"$browser"
  chmod +x "$browser"
  # The dialogs' font is Arial; Liberation Sans (fonts-liberation) has its metrics. No window
  # manager runs on the X server: Wine draws the frames itself and waits for none.
  { wineserver -p && wineboot -i &&
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$browser" /f; } >"$log" 2>&1 ||
    { echo "Wine did not start:"; tail -n 20 "$log"; exit 1; }
  # Wine's own fonts (fonts-wine: Marlett draws the frames' buttons, Tahoma the boxes), where
  # Windows keeps its fonts.
  ln -s /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>>"$log"
  export VF_BROWSED_URLS
  VF_BROWSED_URLS=$(winepath -w "$WINEPREFIX/browsed-urls" 2>>"$log")
  shift
  if [[ $# -gt 0 ]]; then
    "$@"
    exit $?
  fi
  ctest --test-dir build-windows --output-on-failure -j 2
  status=$?
  # The installer that scripts/build-windows.sh --package made, installed and removed.
  for installer in build-windows/vellafind-*-win64.exe; do
    [[ -f "$installer" ]] || continue
    tests/packaging/windows_installer_test.sh "$installer" || status=1
  done
  exit "$status"
fi

source scripts/deps.sh
vf_ensure_packages "${VF_BUILD_PACKAGES[@]}" "${VF_WINDOWS_PACKAGES[@]}" || exit 1

camsim=${1:-}
if [[ -z "$camsim" ]]; then
  echo "== Building the native camsim"
  [[ -f build/CMakeCache.txt ]] || cmake -S . -B build -DVELLAFIND_GUI=OFF >/dev/null || exit 1
  cmake --build build --target camsim -j 2 >/dev/null || exit 1
  camsim=build/camsim
fi
export VF_CAMSIM
VF_CAMSIM=$(realpath "$camsim")

scripts/build-windows.sh --package || exit 1
# The ZIP holds what its README promises.
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' build-windows/CPackConfig.cmake)
listing=$(cmake -E tar tf "build-windows/$name.zip") || exit 1
entries=(vellafind.exe vellafind-cli.exe devsearch.dll include/devsearch.h lib/devsearch.dll.a
  lib/devsearch.def README.txt)
[[ -f LICENSE ]] && entries+=(LICENSE.txt)
for entry in "${entries[@]}"; do
  grep -qx "$name/$entry" <<<"$listing" || { echo "$name.zip lacks $entry"; exit 1; }
done
echo "== Windows tests under Wine"
exec tools/privlan.sh --links 2 -- "$0" --inside-lan
