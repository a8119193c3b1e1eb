#!/usr/bin/env bash
# install_packages_test.sh BUILD_DIR SOURCE_DIR
#
# Installs the Debian packages of a build with dpkg into an empty root whose
# package database is a copy of this system's, so that dpkg checks their
# Depends against what is really installed and refuses files that another
# package owns. Then uses what was installed: the command-line search and the
# window against simulated cameras on a private LAN (the window under an X
# server of its own, Browse caught by a stand-in xdg-open), and a C program
# built with pkg-config against the development package. Last it removes and
# purges the packages: nothing they brought may stay behind.
set -euo pipefail
build="$1"
source="$2"
debs=("$build"/packages/*.deb)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
admin="$root/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates" "$admin/triggers"
cp /var/lib/dpkg/status "$admin/"
cp /var/lib/dpkg/info/*.list "$admin/info/"
touch "$admin/available"

echo "== dpkg --install"
dpkg --root="$root" --install "${debs[@]}"
dpkg-query --admindir="$admin" -W -f='${Package} ${Status}\n' vellafind libdevsearch1 libdevsearch-dev |
  tee "$work/status"
[[ $(grep -c ' install ok installed$' "$work/status") -eq 3 ]] || { echo "FAIL: not all installed"; exit 1; }

export LD_LIBRARY_PATH="$root/usr/lib/$multiarch"
bin="$root/usr/bin"

echo "== installed vellafind-cli against 12 simulated cameras"
"$source/tools/privlan.sh" --camsim "$build/camsim --count 12 --quiet" -- \
  "$bin/vellafind-cli" search --format tsv >"$work/cli.tsv"
cut -f 5-9 "$work/cli.tsv"
[[ $(($(wc -l <"$work/cli.tsv") - 1)) -eq 12 ]] ||
  { echo "FAIL: the installed CLI did not find 12 cameras"; exit 1; }
# The first camera's page, as Browse must open it.
expected=$(awk -F '\t' 'NR == 1 { for (i = 1; i <= NF; i++) column[$i] = i }
                        NR == 2 { print "http://" $column["network.ipAddress"] ":" $column["httpPort"] }' \
             "$work/cli.tsv")

echo "== installed window: Search, first camera, Browse"
mkdir -p "$work/opener"
cat >"$work/opener/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >"$work/opened"
EOF
chmod +x "$work/opener/xdg-open"
PATH="$work/opener:$PATH" VF_XVFB_SCREEN=1024x768x24 \
  "$source/tools/privlan.sh" --camsim "$build/camsim --count 12 --quiet" -- \
  "$source/tests/platform/single_instance/with_xvfb.sh" \
  "$source/tools/demo_window.sh" "$bin/vellafind" "$work/window.png" --press F4
for _ in $(seq 50); do [[ -s "$work/opened" ]] && break; sleep 0.1; done
opened=$(cat "$work/opened" 2>/dev/null || true)
echo "Browse opened: '$opened' (the CLI's first camera: '$expected')"
[[ -n "$expected" && "$opened" == "$expected" ]] || { echo "FAIL: Browse did not open the first camera"; exit 1; }
cp "$work/window.png" "$build/installed-window.png"  # to look at

echo "== installed window in German: Update asks in a box named \"Frage\""
# A message box's caption is a window title, which xdotool reads.
LANGUAGE=de LANG=de_DE.UTF-8 VF_XVFB_SCREEN=1024x768x24 \
  "$source/tools/privlan.sh" --camsim "$build/camsim --count 2 --quiet" -- \
  "$source/tests/platform/single_instance/with_xvfb.sh" \
  "$source/tools/demo_window.sh" "$bin/vellafind" "$work/german.png" --press F5 | tee "$work/german.txt"
grep -qx 'demo: window "Frage"' "$work/german.txt" ||
  { echo "FAIL: the installed window did not ask in German"; exit 1; }
cp "$work/german.png" "$build/installed-window-de.png"

echo "== a C program against libdevsearch-dev"
cat >"$work/use.c" <<'EOF'
#include <devsearch.h>
#include <stdio.h>
int main(void) {
  SearchSession *session = NULL;
  int created = DevSearch_Create("239.255.255.250", 8002, 4, &session);
  int destroyed = session ? DevSearch_Destroy(session) : -1;
  printf("create %d destroy %d\n", created, destroyed);
  return created == DEVSEARCH_OK && destroyed == DEVSEARCH_OK ? 0 : 1;
}
EOF
flags=$(PKG_CONFIG_SYSROOT_DIR="$root" PKG_CONFIG_LIBDIR="$root/usr/lib/$multiarch/pkgconfig" \
          pkg-config --cflags --libs devsearch)
echo "pkg-config: $flags"
# shellcheck disable=SC2086 # The flags are separate words.
cc -std=c99 -Wall -Werror -o "$work/use" "$work/use.c" $flags
unshare --net -- sh -c 'ip link set lo up && "$1"' sh "$work/use"

echo "== dpkg --remove, then --purge"
files_outside_database() {
  find "$root" -path "$admin" -prune -o ! -type d -print | sort
}
dpkg --root="$root" --remove vellafind libdevsearch-dev libdevsearch1
# Only the configuration files may stay (a package without any is gone).
conffiles=$(dpkg-query --admindir="$admin" -W -f='${Conffiles}\n' vellafind libdevsearch-dev \
              libdevsearch1 2>/dev/null | awk -v root="$root" 'NF { print root $1 }' | sort || true)
left=$(files_outside_database)
[[ "$left" == "$conffiles" ]] || { echo "FAIL: left after remove:"; echo "$left"; exit 1; }
echo "left after remove: ${left:-nothing}"
dpkg --root="$root" --purge vellafind libdevsearch-dev libdevsearch1
left=$(files_outside_database)
[[ -z "$left" ]] || { echo "FAIL: left after purge:"; echo "$left"; exit 1; }
# Folders may stay only where this system has them too (shared with others).
while IFS= read -r dir; do
  [[ -d "${dir#"$root"}" ]] || { echo "FAIL: folder left after purge: ${dir#"$root"}"; exit 1; }
done < <(find "$root" -mindepth 1 -path "$admin" -prune -o -type d -print)
echo "installed, used, removed: nothing left"
