#!/usr/bin/env bash
# The Windows installer under Wine: a silent install puts the programs into Program Files\Vellafind,
# the window and the uninstaller into the Start menu and the program into Add or remove programs;
# the uninstaller takes all of it away again. Runs inside scripts/test-windows.sh --inside-lan.
#   windows_installer_test.sh INSTALLER.exe
set -uo pipefail
installer=$1
fail() {
  echo "windows installer: $*"
  exit 1
}
run() { "$(dirname "$0")/../../tools/wine_run.sh" "$@" >/dev/null; }
[[ -n "${WINEPREFIX:-}" ]] || fail "run it through scripts/test-windows.sh --inside-lan"

folder="$WINEPREFIX/drive_c/Program Files/Vellafind"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vellafind"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
registered() { wine reg query "$uninstall_key" /s 2>/dev/null | grep -q "DisplayName.*Vellafind"; }

run "$installer" /S || fail "the installer failed"
for file in vellafind.exe vellafind-cli.exe devsearch.dll README.txt Uninstall.exe; do
  [[ -f "$folder/$file" ]] || fail "$file is not in Program Files\\Vellafind"
done
[[ -f "$menu/Vellafind.lnk" ]] || fail "the Start menu has no Vellafind"
grep -qa "vellafind.exe" "$menu/Vellafind.lnk" || fail "the Start menu's Vellafind is not the window"
[[ -f "$menu/Uninstall.lnk" ]] || fail "the Start menu has no uninstaller"
registered || fail "Add or remove programs does not list Vellafind"

# The uninstaller returns at once and works on from a copy of itself: wait (at most 20 s) until
# the folder, the uninstaller's own last step, is gone.
run "$folder/Uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 100); do
  [[ -e "$folder" ]] || break
  sleep 0.2
done
[[ ! -e "$folder" ]] || fail "left behind: $(ls -A "$folder")"
[[ ! -e "$menu" ]] || fail "the Start menu still has Vellafind"
registered && fail "Add or remove programs still lists Vellafind"
echo "windows installer: installed, in the Start menu, removed"
