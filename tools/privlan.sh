#!/usr/bin/env bash
# privlan.sh: runs a command on a private LAN of its own, so that nothing it
# sends can reach a real network.
#
#   tools/privlan.sh [--links N] [--camsim "PATH [ARGS...]"] [--] COMMAND [ARGS...]
#
# The script enters a new network namespace (the "PC") and creates a second
# one (the "camera side"), joined by N veth pairs (default 1):
#
#   PC namespace            camera namespace
#   pc0  10.77.0.1/24  <->  cam0  10.77.0.2/24
#   pc1  10.77.1.1/24  <->  cam1  10.77.1.2/24   (with --links 2)
#
# Both sides route 239.0.0.0/8 through their first link. COMMAND runs in the
# PC namespace with these variables set:
#   VF_CAM_NETNS      path of the camera namespace (for nsenter --net=...)
#   VF_PC_ADDRESSES   the PC's addresses, blank-separated
#   VF_CAM_ADDRESSES  the camera side's addresses, blank-separated
# With --camsim, that program is started in the camera namespace first, and
# COMMAND runs once it has printed its "camsim ready" line. Everything the
# script started ends with it; the namespaces vanish with their processes.
# Needs root (or CAP_SYS_ADMIN and CAP_NET_ADMIN).
set -euo pipefail

links=1
camsim=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --links) links="$2"; shift 2 ;;
    --camsim) camsim="$2"; shift 2 ;;
    --inside) inside=1; shift ;;
    --) shift; break ;;
    -h|--help) sed -n '2,24p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) break ;;
  esac
done
[[ $# -gt 0 ]] || { echo "privlan: no command given" >&2; exit 2; }
[[ "$links" =~ ^[1-9]$ ]] || { echo "privlan: --links takes 1 to 9" >&2; exit 2; }

# Step 1: leave the current namespace before anything is configured.
if [[ -z "${inside:-}" ]]; then
  exec unshare --net -- "$0" --inside --links "$links" --camsim "$camsim" -- "$@"
fi

holder=""
camsim_pid=""
ready_file=""
cleanup() {
  set +e
  [[ -n "$camsim_pid" ]] && kill "$camsim_pid" 2>/dev/null && wait "$camsim_pid" 2>/dev/null
  [[ -n "$holder" ]] && kill "$holder" 2>/dev/null && wait "$holder" 2>/dev/null
  [[ -n "$ready_file" ]] && rm -f "$ready_file"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ip link set lo up

# Step 2: the camera side is a namespace held open by a sleeping process.
unshare --net -- sleep 100000 &
holder=$!
for _ in $(seq 100); do
  [[ "$(readlink "/proc/$holder/ns/net" 2>/dev/null)" != "$(readlink /proc/self/ns/net)" ]] && break
  sleep 0.02
done
cam() { nsenter --target "$holder" --net -- "$@"; }
cam ip link set lo up

pc_addresses=()
cam_addresses=()
for ((i = 0; i < links; i++)); do
  ip link add "pc$i" type veth peer name "cam$i"
  ip link set "cam$i" netns "$holder"
  ip addr add "10.77.$i.1/24" dev "pc$i"
  ip link set "pc$i" up
  cam ip addr add "10.77.$i.2/24" dev "cam$i"
  cam ip link set "cam$i" up
  pc_addresses+=("10.77.$i.1")
  cam_addresses+=("10.77.$i.2")
done
ip route add 239.0.0.0/8 dev pc0
cam ip route add 239.0.0.0/8 dev cam0

export VF_CAM_NETNS="/proc/$holder/ns/net"
export VF_PC_ADDRESSES="${pc_addresses[*]}"
export VF_CAM_ADDRESSES="${cam_addresses[*]}"

# Step 3: the simulated cameras, when asked for; wait for their ready line.
if [[ -n "$camsim" ]]; then
  ready_file=$(mktemp)
  # shellcheck disable=SC2086 # The option string is split into words on purpose.
  nsenter --net="$VF_CAM_NETNS" -- $camsim >"$ready_file" &
  camsim_pid=$!
  for _ in $(seq 500); do
    grep -q "camsim ready" "$ready_file" 2>/dev/null && break
    kill -0 "$camsim_pid" 2>/dev/null || { echo "privlan: camsim ended early" >&2; exit 1; }
    sleep 0.02
  done
  grep -q "camsim ready" "$ready_file" || { echo "privlan: camsim did not get ready" >&2; exit 1; }
fi

# Step 4: the command, in the PC namespace.
set +e
"$@"
status=$?
set -e
exit "$status"
