#!/usr/bin/env bash
# demo_window.sh PROGRAM SCREENSHOT [--exit | --press KEY]
#
# Drives the window the way a user would: waits for it, presses Search,
# clicks the first camera once the list is filled, and saves a picture of the
# window. With --exit the program is closed afterwards (for a display nobody
# watches); --press KEY presses that key first (F4: Browse, F5: Update), names
# every other window that then opens ('demo: window "CAPTION"'), and closes
# it; otherwise it stays open until the user closes it.
# Run it on the private LAN (tools/privlan.sh), with DISPLAY set.
set -euo pipefail
program="$1"
screenshot="$2"
exit_after="${3:-}"
key="${4:-}"

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name "Zelmor Serial Intranet" | head -n 1)
[[ -n "$window" ]] || { echo "demo: the window did not appear" >&2; exit 1; }
sleep 0.5
# Pixel positions from the dialog template: Search at (73,297) dialog units,
# the list's first row below its heading at (19,124); base units 6 x 12.
xdotool mousemove --window "$window" 147 455 click 1
sleep 3.2
xdotool mousemove --window "$window" 70 214 click 1
sleep 0.8
import -window "$window" "$screenshot"
echo "demo: screenshot saved as $screenshot"

if [[ "$exit_after" == "--press" ]]; then
  xdotool key "$key"  # to the window under the pointer, as a real key press
  sleep 1
  for other in $(xdotool search --onlyvisible --name "." 2>/dev/null); do
    [[ "$other" == "$window" ]] || echo "demo: window \"$(xdotool getwindowname "$other")\""
  done
fi
if [[ "$exit_after" == "--exit" || "$exit_after" == "--press" ]]; then
  exit 0
fi
trap - EXIT
wait "$pid"
