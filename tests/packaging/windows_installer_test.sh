#!/usr/bin/env bash
# The Windows installer under Wine: a silent install puts the programs into Program Files\Vellafind,
# the window, the command line's help and the uninstaller into the Start menu, the program into
# Add or remove programs and an inbound firewall rule for each program (UDP 8002 and 12109); the
# uninstaller takes all of it away again. vellafind-cli goes on the PATH only when asked
# (/PATH=user), and a PATH too long to be read whole is left as it is. Wine has no firewall:
# netsh.exe is replaced by a program that writes down the commands it is given
# (record_command_line.exe, built beside the installer). Runs inside
# scripts/test-windows.sh --inside-lan.
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
user_path() {
  wine reg query 'HKCU\Environment' /v Path 2>/dev/null | sed -n 's/^ *Path *REG_[A-Z_]* *//p' |
    tr -d '\r'
}
set_user_path() { run reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$1" /f; }

netsh="$WINEPREFIX/drive_c/windows/system32/netsh.exe"
commands="$WINEPREFIX/netsh-commands"
cp "$netsh" "$netsh.wine" && cp "$(dirname "$installer")/record_command_line.exe" "$netsh" ||
  fail "netsh.exe cannot be replaced"
cleanup() {
  mv -f "$netsh.wine" "$netsh"
  run reg delete 'HKCU\Environment' /v Path /f
}
trap cleanup EXIT
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}netsh.exe=n"
export VF_COMMAND_LOG
VF_COMMAND_LOG=$(winepath -w "$commands" 2>/dev/null)
ran() { grep -qF -- "$1" "$commands" 2>/dev/null; }

# The uninstaller returns at once and works on from a copy of itself: wait (at most 20 s) until
# the folder and the Start menu's entries, its last steps, are gone.
uninstall() {
  run "$folder/Uninstall.exe" /S || fail "the uninstaller failed"
  for _ in $(seq 100); do
    [[ -e "$folder" || -e "$menu" ]] || break
    sleep 0.2
  done
  [[ ! -e "$folder" ]] || fail "left behind: $(ls -A "$folder")"
  [[ ! -e "$menu" ]] || fail "the Start menu still has Vellafind: $(ls -A "$menu")"
}

kept='C:\keep;D:\tools'
set_user_path "$kept" || fail "the user's PATH cannot be set"
# The line at the foot of its pages names the product, not the installer's maker (in the script
# CPack made: the installer holds it compressed).
script="$(dirname "$installer")/_CPack_Packages/win64/NSIS64/project.nsi"
grep -qx 'BrandingText "Vellafind [0-9.]*"' "$script" ||
  fail "the installer's pages do not show Vellafind at their foot"
# Its own file names the product and its rights, as the programs do.
strings -el "$installer" | grep -qx "Copyright (c) .*Vellafind.*" ||
  fail "the installer's version resource has no rights notice"
run "$installer" /S || fail "the installer failed"
for file in vellafind.exe vellafind-cli.exe devsearch.dll README.txt LICENSE.txt Uninstall.exe; do
  [[ -f "$folder/$file" ]] || fail "$file is not in Program Files\\Vellafind"
done
# Notepad of old shows a text with bare LF line ends as one line.
for text in README.txt LICENSE.txt; do
  [[ $(tr -cd '\n' <"$folder/$text" | wc -c) -gt 1 &&
    $(grep -c $'\r$' "$folder/$text") -eq $(tr -cd '\n' <"$folder/$text" | wc -c) ]] ||
    fail "$text does not end its lines in CR LF"
done
[[ -f "$menu/Vellafind.lnk" ]] || fail "the Start menu has no Vellafind"
grep -qa "vellafind.exe" "$menu/Vellafind.lnk" || fail "the Start menu's Vellafind is not the window"
# A shortcut holds its texts in UTF-16.
link_text() { tr -d '\0' <"$1"; }
help_link="$menu/Vellafind command line.lnk"
[[ -f "$help_link" ]] || fail "the Start menu has no command line"
link_text "$help_link" | grep -qa "cmd.exe" && link_text "$help_link" | grep -qa -- '--help' ||
  fail "the command line's entry does not open a prompt with the help"
[[ -f "$menu/Uninstall.lnk" ]] || fail "the Start menu has no uninstaller"
registered || fail "Add or remove programs does not list Vellafind"
for rule in 'name="Vellafind" dir=in action=allow protocol=UDP localport=8002,12109 program="C:\Program Files\Vellafind\vellafind.exe"' \
            'name="Vellafind command line" dir=in action=allow protocol=UDP localport=8002,12109 program="C:\Program Files\Vellafind\vellafind-cli.exe"'; do
  ran "advfirewall firewall add rule $rule" || fail "no firewall rule $rule"
done
[[ "$(user_path)" == "$kept" ]] || fail "the PATH changed unasked: $(user_path)"

rm -f "$commands"
uninstall
for rule in 'name="Vellafind" program="C:\Program Files\Vellafind\vellafind.exe"' \
            'name="Vellafind command line" program="C:\Program Files\Vellafind\vellafind-cli.exe"'; do
  ran "advfirewall firewall delete rule $rule" || fail "the firewall rule $rule stays"
done
registered && fail "Add or remove programs still lists Vellafind"

# Asked for: vellafind-cli on the user's PATH, after what was there, and away again with it.
run "$installer" /S /PATH=user || fail "the installer failed with /PATH=user"
[[ "$(user_path)" == "$kept;C:\\Program Files\\Vellafind" ]] ||
  fail "/PATH=user did not add the folder to the PATH: $(user_path)"
uninstall
[[ "$(user_path)" == "$kept" ]] || fail "the uninstaller left the PATH as $(user_path)"

# A PATH longer than the installer can hold whole stays as it is.
long="$kept$(printf ';C:\\tools\\%04d' $(seq 120))"
set_user_path "$long" || fail "the user's PATH cannot be set"
run "$installer" /S /PATH=user || fail "the installer failed with a long PATH"
[[ -f "$folder/vellafind-cli.exe" ]] || fail "a long PATH stopped the install"
[[ "$(user_path)" == "$long" ]] || fail "a PATH of ${#long} characters was changed"
uninstall
[[ "$(user_path)" == "$long" ]] || fail "the uninstaller changed a PATH it had not added to"
echo "windows installer: installed, in the Start menu, firewall rules added and removed, PATH on request, removed"
