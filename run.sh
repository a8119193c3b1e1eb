#!/usr/bin/env bash
# Installs what is missing, builds in build-run/, and starts the program.
#
#   ./run.sh          the window, searching this PC's own network for cameras
#   ./run.sh --demo   the window inside a private LAN against a dozen simulated
#                     cameras (network namespaces: as root, or as an ordinary
#                     user in a user namespace): it searches, opens the first
#                     camera and saves a screenshot as build-run/demo-window.png.
#                     Without a display it runs under Xvfb and ends after the
#                     screenshot.
#   ./run.sh --cli [SEARCH OPTIONS]
#                     "vellafind-cli search" on this PC's network (--wait SECONDS,
#                     --format table|tsv|csv|json, ...)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
source scripts/namespaces.sh

mode=window
case "${1:-}" in
  --demo) mode=demo; shift ;;
  --cli) mode=cli; shift ;;
esac

[[ $mode == demo ]] && { vf_check_namespaces || exit 1; }
packages=("${VF_BUILD_PACKAGES[@]}" "${VF_GUI_PACKAGES[@]}")
[[ $mode == demo ]] && packages+=("${VF_DEMO_PACKAGES[@]}")
vf_ensure_packages "${packages[@]}"

build="build-run"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLAFIND_GUI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target vellafind vellafind-cli camsim >/dev/null

case $mode in
  window) exec "$build/vellafind" "$@" ;;
  cli) exec "$build/vellafind-cli" search "$@" ;;
esac

# The demo: a dozen simulated cameras on the camera side of a private LAN; the
# window runs on its PC side and can reach nothing else.
# Its runtime files (the single-instance lock among them) go to a folder of
# its own: one in /tmp left by another user, or by root before a user
# namespace, is not the demo's to use.
lan=(tools/privlan.sh --links 1 --camsim "$build/camsim --count 12 --quiet" --)
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
if [[ -n "${DISPLAY:-}" ]]; then
  "${lan[@]}" tools/demo_window.sh "$build/vellafind" "$build/demo-window.png"
else
  "${lan[@]}" xvfb-run -a -s "-screen 0 1024x768x24" \
    tools/demo_window.sh "$build/vellafind" "$build/demo-window.png" --exit
fi
