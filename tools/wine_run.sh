#!/usr/bin/env bash
# Runs a Windows program under Wine as CTest's emulator for the Windows build:
#   tools/wine_run.sh PROGRAM.exe [ARGS...]
# Wine's sockets are made by the wineserver, in the network namespace the wineserver was started
# in; scripts/test-windows.sh starts one inside the private LAN and sets WINEPREFIX. Anywhere
# else this refuses, so that no test of the Windows build can send onto a real network.
#
# The program's output goes to a file first: Wine's helper processes can inherit and hold a pipe
# open long after the program ended.
set -uo pipefail

if [[ -z "${WINEPREFIX:-}" || -z "${VF_WINE_NETNS:-}" ]]; then
  echo "wine_run: run the Windows tests through scripts/test-windows.sh" >&2
  exit 2
fi
if [[ "$(readlink /proc/self/ns/net)" != "$VF_WINE_NETNS" ]]; then
  echo "wine_run: not in the network namespace of the test wineserver" >&2
  exit 2
fi

out=$(mktemp)
trap 'rm -f "$out"' EXIT
wine "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
exit "$status"
