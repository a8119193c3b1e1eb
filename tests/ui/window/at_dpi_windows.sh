#!/usr/bin/env bash
# Runs a command with the Wine prefix of scripts/test-windows.sh set to another DPI (scaling) and
# VF_TEST_DPI naming it, then puts the DPI back to 96. Wine reads the DPI when a program starts,
# so nothing else may run meanwhile (CTest's RUN_SERIAL).
#   at_dpi_windows.sh DPI COMMAND...     e.g. at_dpi_windows.sh 144 tools/wine_run.sh TEST.exe
set -uo pipefail
wine_run="$(dirname "$0")/../../../tools/wine_run.sh"
dpi=$1
shift
set_dpi() {
  "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
set_dpi "$dpi" || exit 1
trap 'set_dpi 96' EXIT
trap 'exit 1' TERM INT
VF_TEST_DPI=$dpi "$@"
