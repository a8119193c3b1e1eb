#!/bin/sh
# translations_up_to_date.sh SOURCE_DIR LUPDATE [LUPDATE ARGS...]
#
# Each translation in res/translations/ holds exactly the texts the code marks
# today, every one of them translated: lupdate run over the sources changes
# nothing in it, and nothing in it is unfinished.
set -eu
source="$1"
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for ts in "$source"/res/translations/*.ts; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  (cd "$source" && "$@" -ts "$copy") 2>"$work/lupdate.log" || { cat "$work/lupdate.log"; exit 1; }
  if ! diff -u "$ts" "$copy"; then
    echo "FAIL: $ts misses texts the code marks, or holds ones it no longer does;"
    echo "      cmake --build BUILD --target update_translations, then translate them."
    failed=1
  fi
  if grep -n 'type="unfinished"' "$ts"; then
    echo "FAIL: $ts has texts without a translation"
    failed=1
  fi
done
exit "$failed"
