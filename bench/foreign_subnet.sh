#!/usr/bin/env bash
# foreign_subnet.sh: do a camera's answers from outside the PC's subnet (a
# factory address) arrive? Five cameras answer from 192.168.1.2/24 on the PC's
# first link, while the PC has 10.77.0.1/24 there; each line is one shape of
# the PC side: its default route, and rp_filter set through conf/all,
# conf/default or conf/pc0. Prints the cameras found and what the kernel's
# reverse-path filter counter (IPReversePathFilter) rose by during the search.
#
#   bench/foreign_subnet.sh [BUILD_DIR]     (root; everything on a private LAN)
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

# One search inside the PC namespace: "<cameras found> <filter drops>".
probe() {
  local cli="$1"
  shift
  "$@" # settings made after the links exist (conf/default's case)
  rpf() { awk '/^TcpExt:/ { if (!n) { for (i = 1; i <= NF; i++) if ($i == "IPReversePathFilter") k = i; n = 1 } else print $k }' /proc/net/netstat; }
  local before after found
  before=$(rpf)
  found=$("$cli" search --wait 1 --format tsv 2>/dev/null | tail -n +2 | grep -c .)
  after=$(rpf)
  echo "$found $((after - before))"
}
export -f probe

run() {  # run LABEL ROUTE-OPTIONS SYSCTL-OPTIONS [LATE-SYSCTL...]
  local label="$1" route="$2" sysctls="$3"
  shift 3
  local late=(true)
  [[ $# -gt 0 ]] && late=(sysctl -q -w "$@")
  # shellcheck disable=SC2086 # The option strings are split into words on purpose.
  result=$(tools/privlan.sh --links 2 --camera-address 0=192.168.1.2/24 $route $sysctls \
             --camsim "$build/camsim --count 5 --interface cam0 --quiet" \
             -- bash -c 'probe "$@"' probe "$build/vellafind-cli" "${late[@]}")
  printf '%-44s %-18s %s\n' "$label" "${route:-none}" "$result"
}

printf '%-44s %-18s %s\n' "rp_filter on the PC side" "default route" "found/5 filter-drops"
for route in "" "--default-route 0" "--default-route 1"; do
  run "0 (off)" "$route" ""
  for value in 1 2; do
    run "all=$value" "$route" "--pc-sysctl net.ipv4.conf.all.rp_filter=$value"
    run "default=$value, before the adapter appears" "$route" \
        "--pc-sysctl net.ipv4.conf.default.rp_filter=$value"
    run "default=$value, after the adapter exists" "$route" "" \
        "net.ipv4.conf.default.rp_filter=$value"
    run "pc0=$value" "$route" "--pc-sysctl net.ipv4.conf.pc0.rp_filter=$value"
  done
  run "all=1, pc0=0 (the larger one counts)" "$route" \
      "--pc-sysctl net.ipv4.conf.all.rp_filter=1 --pc-sysctl net.ipv4.conf.pc0.rp_filter=0"
done
