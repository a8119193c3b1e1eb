#!/usr/bin/env bash
# privlan.sh: runs a command on a private LAN of its own, so that nothing it
# sends can reach a real network.
#
#   tools/privlan.sh [OPTIONS] [--] COMMAND [ARGS...]
#
# The script enters a new network namespace (the "PC") and creates a second
# one (the "camera side"), joined by N veth pairs (default 1):
#
#   PC namespace            camera namespace
#   pc0  10.77.0.1/24  <->  cam0  10.77.0.2/24
#   pc1  10.77.1.1/24  <->  cam1  10.77.1.2/24   (with --links 2)
#
# Both sides route 239.0.0.0/8 through their first link; the PC has no
# default route. Options shape the LAN:
#   --links N                   N links, 1 to 9
#   --camsim "PATH [ARGS...]"   simulated cameras on the camera side
#   --no-multicast-route        the PC side gets no route for 239.0.0.0/8
#   --default-route N           the PC side's default route leads out of pcN
#   --camera-address N=A/P      camN gets address A/P instead of 10.77.N.2/24
#                               (a camera at a factory address, say)
#   --pc-sysctl KEY=VALUE       a net.ipv4.conf.* setting of the PC side, such
#                               as net.ipv4.conf.all.rp_filter=1 (repeatable)
# COMMAND runs in the PC namespace with these variables set:
#   VF_CAM_NETNS      path of the camera namespace (for nsenter --net=...)
#   VF_PC_ADDRESSES   the PC's addresses, blank-separated
#   VF_CAM_ADDRESSES  the camera side's addresses, blank-separated
# With --camsim, that program is started in the camera namespace first, and
# COMMAND runs once it has printed its "camsim ready" line. Everything the
# script started ends with it; the namespaces vanish with their processes.
# Runs as root, or as an ordinary user where unprivileged user namespaces are
# allowed (Debian's default).
set -euo pipefail

links=1
camsim=""
multicast_route=1
default_route=""
camera_addresses=()
pc_sysctls=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --links) links="$2"; shift 2 ;;
    --camsim) camsim="$2"; shift 2 ;;
    --no-multicast-route) multicast_route=""; shift ;;
    --default-route) default_route="$2"; shift 2 ;;
    --camera-address) camera_addresses+=("$2"); shift 2 ;;
    --pc-sysctl) pc_sysctls+=("$2"); shift 2 ;;
    --inside) inside=1; shift ;;
    --) shift; break ;;
    -h|--help) sed -n '2,32p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) break ;;
  esac
done
[[ $# -gt 0 ]] || { echo "privlan: no command given" >&2; exit 2; }
[[ "$links" =~ ^[1-9]$ ]] || { echo "privlan: --links takes 1 to 9" >&2; exit 2; }
if [[ -n "$default_route" ]] && ! [[ "$default_route" =~ ^[0-9]$ && "$default_route" -lt "$links" ]]; then
  echo "privlan: --default-route takes a link number below $links" >&2; exit 2
fi
declare -A camera_address=()
for entry in "${camera_addresses[@]}"; do
  [[ "$entry" =~ ^([0-9])=([0-9]{1,3}(\.[0-9]{1,3}){3}/[0-9]{1,2})$ && "${BASH_REMATCH[1]}" -lt "$links" ]] ||
    { echo "privlan: --camera-address takes N=A.B.C.D/P with N a link number" >&2; exit 2; }
  camera_address[${BASH_REMATCH[1]}]="${BASH_REMATCH[2]}"
done
for entry in "${pc_sysctls[@]}"; do
  # Only per-namespace interface settings: nothing that reaches the machine.
  [[ "$entry" =~ ^net\.ipv4\.conf\.[A-Za-z0-9_]+\.[a-z_]+=[0-9]+$ ]] ||
    { echo "privlan: --pc-sysctl takes net.ipv4.conf.IF.KEY=NUMBER" >&2; exit 2; }
done

# Step 1: leave the current namespace before anything is configured. An
# ordinary user first enters a user namespace of their own, in which they
# may configure the network namespaces they make.
if [[ -z "${inside:-}" ]]; then
  options=(--links "$links" --camsim "$camsim")
  [[ -z "$multicast_route" ]] && options+=(--no-multicast-route)
  [[ -n "$default_route" ]] && options+=(--default-route "$default_route")
  for entry in "${camera_addresses[@]}"; do options+=(--camera-address "$entry"); done
  for entry in "${pc_sysctls[@]}"; do options+=(--pc-sysctl "$entry"); done
  user=()
  [[ $(id -u) -ne 0 ]] && user=(--user --map-root-user)
  exec unshare "${user[@]}" --net -- "$0" --inside "${options[@]}" -- "$@"
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

# Settings for every interface first, so that those of "default" reach the
# links made below; then the links' own.
pc_sysctl() {  # pc_sysctl all|default|links
  local entry
  for entry in "${pc_sysctls[@]}"; do
    case "$entry" in
      net.ipv4.conf.all.*|net.ipv4.conf.default.*) [[ "$1" != links ]] || continue ;;
      *) [[ "$1" == links ]] || continue ;;
    esac
    sysctl -q -w "$entry"
  done
}
pc_sysctl all

pc_addresses=()
cam_addresses=()
for ((i = 0; i < links; i++)); do
  ip link add "pc$i" type veth peer name "cam$i"
  ip link set "cam$i" netns "$holder"
  ip addr add "10.77.$i.1/24" dev "pc$i"
  ip link set "pc$i" up
  address="${camera_address[$i]:-10.77.$i.2/24}"
  cam ip addr add "$address" dev "cam$i"
  cam ip link set "cam$i" up
  pc_addresses+=("10.77.$i.1")
  cam_addresses+=("${address%/*}")
done
pc_sysctl links
[[ -n "$multicast_route" ]] && ip route add 239.0.0.0/8 dev pc0
[[ -n "$default_route" ]] && ip route add default dev "pc$default_route"
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
