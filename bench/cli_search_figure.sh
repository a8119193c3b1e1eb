#!/usr/bin/env bash
# The command-line search against many simulated cameras: every camera listed once, the time
# it took and the peak memory. Runs on a private LAN of its own (needs root).
#
#   bench/cli_search_figure.sh [BUILD_DIR] [CAMERAS]     (default build, 10000)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
count=${2:-10000}
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
tools/privlan.sh --camsim "$build/camsim --count $count --quiet" -- \
  /usr/bin/time -v "$build/vellafind-cli" search --format json >"$out" 2>"$err"
listed=$(grep -c '"macAddress"' "$out" || true)
distinct=$(grep -o '"macAddress":"[^"]*"' "$out" | sort -u | wc -l)
echo "cameras $count, listed $listed, distinct MACs $distinct"
grep -E 'pcs|Elapsed \(wall clock\)|Maximum resident set size' "$err" | sed 's/^\s*//'
