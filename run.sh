#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
#
#   ./run.sh            search this PC's own network for cameras
#   ./run.sh --demo     the same inside a private LAN against simulated
#                       cameras (needs root for the network namespaces)
#
# Further arguments go to the program, for instance ./run.sh --wait 5000.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vf_ensure_packages "${VF_BUILD_PACKAGES[@]}"

demo=0
if [[ "${1:-}" == "--demo" ]]; then
  demo=1
  shift
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vellafind-cli camsim >/dev/null

if [[ $demo -eq 1 ]]; then
  # A dozen simulated cameras on the camera side of a private LAN; the search
  # runs on its PC side and can reach nothing else.
  exec tools/privlan.sh --links 1 --camsim "build/camsim --count 12 --quiet" -- \
    build/vellafind-cli search "$@"
fi
exec build/vellafind-cli search "$@"
