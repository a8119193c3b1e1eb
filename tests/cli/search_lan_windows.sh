#!/usr/bin/env bash
# A Windows program under Wine against native simulated cameras, on the private LAN of
# scripts/test-windows.sh: starts camsim (VF_CAMSIM) on the camera side, runs the program, ends
# camsim.
#   search_lan_windows.sh [--log] "CAMSIM ARGS" PROGRAM.exe [ARGS...]
# --log: camsim logs what it receives into a file whose Windows path the program finds in
# VF_CAMSIM_LOG. Exits 77 (skipped) outside that LAN.
set -uo pipefail
if [[ -z "${VF_CAM_NETNS:-}" || ! -x "${VF_CAMSIM:-}" ]]; then
  echo "needs the private LAN and the camsim of scripts/test-windows.sh"
  exit 77
fi
log=""
if [[ "$1" == "--log" ]]; then
  log=$(mktemp)
  shift
fi
camsim_args=$1
shift

ready=$(mktemp)
log_args=()
if [[ -n "$log" ]]; then
  log_args=(--log "$log")
  export VF_CAMSIM_LOG
  VF_CAMSIM_LOG=$(winepath -w "$log" 2>/dev/null)
fi
# shellcheck disable=SC2086 # The argument string is split into words on purpose.
nsenter --net="$VF_CAM_NETNS" -- "$VF_CAMSIM" $camsim_args "${log_args[@]}" >"$ready" &
camsim=$!
trap 'kill "$camsim" 2>/dev/null; wait "$camsim" 2>/dev/null; rm -f "$ready" ${log:+"$log"}' EXIT
for _ in $(seq 500); do
  grep -q "camsim ready" "$ready" && break
  kill -0 "$camsim" 2>/dev/null || { echo "camsim ended early"; exit 1; }
  sleep 0.02
done
"$(dirname "$0")/../../tools/wine_run.sh" "$@"
