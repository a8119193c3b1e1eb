#!/usr/bin/env bash
# vellafind-cli's data on Windows in every format, as a user gets it in a file from a command
# prompt ("search --format csv > cameras.csv"), against three simulated cameras, one of them
# named "Kamera-Büro": CSV lines end in CR LF and never in CR CR LF, the other formats end their
# lines in LF alone, and the name stays UTF-8. Runs on the private LAN of scripts/test-windows.sh
# (exits 77, skipped, elsewhere).
#   output_bytes_windows.sh VELLAFIND-CLI.exe
set -uo pipefail
here=$(dirname "$0")
cli=$(winepath -w "$1" 2>/dev/null)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
formats=(csv tsv json table)
commands=()
for format in "${formats[@]}"; do
  commands+=("$cli search --wait 1 --format $format > $(winepath -w "$dir/$format" 2>/dev/null)")
done
joined=$(printf ' & %s' "${commands[@]}")
"$here/search_lan_windows.sh" '--count 3 --name 2=Kamera-B\xC3\xBCro --quiet' \
  cmd /c "${joined:3}" || exit $?

status=0
fail() {
  echo "$1: $2"
  status=1
}
name=$'Kamera-B\xC3\xBCro'
for format in "${formats[@]}"; do
  file="$dir/$format"
  [[ -s "$file" ]] || { fail "$format" "no output"; continue; }
  LC_ALL=C grep -q "$name" "$file" || fail "$format" "the name is not the UTF-8 of Kamera-Büro"
  lines=$(tr -cd '\n' <"$file" | wc -c)
  returns=$(tr -cd '\r' <"$file" | wc -c)
  if [[ "$format" == csv ]]; then
    [[ "$lines" -ge 4 ]] || fail csv "$lines lines, not a header and three cameras"
    LC_ALL=C grep -q $'\r\r' "$file" && fail csv "a line ends in CR CR LF"
    [[ "$returns" -eq "$lines" ]] || fail csv "$returns CRs for $lines line ends"
  else
    [[ "$returns" -eq 0 ]] || fail "$format" "$returns CRs: its lines end in LF alone"
  fi
done
[[ $status -eq 0 ]] && echo "vellafind-cli: csv, tsv, json and table have their own line ends"
exit $status
