#!/bin/sh
# Runs a command against an X server of its own: Xvfb picks a free display itself (-displayfd), so
# parallel runs cannot race for the same number. The server is stopped when the command ends or
# when this script is told to stop. VF_XVFB_SCREEN sets the screen (default 640x480x24).
set -u
dir=$(mktemp -d) || exit 1
child=""
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "${VF_XVFB_SCREEN:-640x480x24}" 3>"$dir/display" 2>"$dir/log" &
server=$!
stop() {
  [ -n "$child" ] && kill "$child" 2>/dev/null
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$dir"
}
trap 'stop; exit 1' INT TERM HUP
tries=0
while [ ! -s "$dir/display" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$server" 2>/dev/null; then  # at most 10 s
    echo "Xvfb did not start:" >&2
    cat "$dir/log" >&2
    stop
    exit 1
  fi
  sleep 0.1
done
DISPLAY=":$(head -n 1 "$dir/display")" "$@" &
child=$!
wait "$child"
status=$?
child=""
stop
exit "$status"
