#!/usr/bin/env bash
# lint_packages.sh BUILD_DIR: checks the Debian packages of a build as a
# distribution would: lintian without errors or warnings, the menu entry and
# the AppStream metainfo without any remark, and a symbols file that lists
# exactly what the library exports.
set -euo pipefail
packages="$1/packages"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

echo "== lintian"
lintian --fail-on error,warning --display-info --pedantic --tag-display-limit 0 "$packages"/*.deb ||
  fail "lintian reports errors or warnings"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
for deb in "$packages"/*.deb; do dpkg-deb --extract "$deb" "$tree"; done

echo "== desktop-file-validate"
desktop=("$tree"/usr/share/applications/*.desktop)
remarks=$(desktop-file-validate "${desktop[@]}" 2>&1) || fail "desktop-file-validate failed"
[[ -z "$remarks" ]] || fail "desktop-file-validate: $remarks"

echo "== appstreamcli validate"
metainfo=("$tree"/usr/share/metainfo/*.metainfo.xml)
remarks=$(appstreamcli validate --no-net --pedantic --no-color "${metainfo[@]}" 2>&1) ||
  fail "appstreamcli validate failed"
if grep -E '^[EWIP]: ' <<<"$remarks"; then fail "appstreamcli has remarks"; fi
# The menu entry the metainfo launches is the one the package installs.
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "${metainfo[@]}")
[[ -f "$tree/usr/share/applications/$launchable" ]] || fail "metainfo launches '$launchable', not installed"

echo "== symbols"
library=$(find "$tree/usr/lib" -name 'libdevsearch.so.*.*' -type f)
exported=$(nm -D --defined-only "$library" | awk '{print $3}' | sort)
deb=$(ls "$packages"/libdevsearch1_*.deb)
listed=$(dpkg-deb --info "$deb" symbols | sed -n 's/^ \([^@ ]*\)@Base .*/\1/p' | sort)
if [[ "$exported" != "$listed" ]]; then
  fail "the symbols file and the library's exports differ:"
  diff <(echo "$listed") <(echo "$exported") || true
fi

exit "$failed"
