#!/usr/bin/env python3
"""Reads vellafind-cli's CSV and JSON back with Python's own readers and compares every camera's
name with the bytes camsim announced (the run's --camsim names them): the machine formats must
carry the exact value, only their own escaping in between."""
import csv
import io
import json
import subprocess
import sys

# As announced by the cameras of CMakeLists' test; a name that is not UTF-8 is read as Latin-1.
ANNOUNCED = [
    b'Door, "front"\rrow\n2',
    b"evil\x1b[2J=HYPERLINK(x)",
    b"back\\slash \xe2\x80\xaegnp.exe",
    b"Caf\xe9 \xff",
    b"=HYPERLINK(x)",
]
EXPECTED = set()
for raw in ANNOUNCED:
    try:
        EXPECTED.add(raw.decode("utf-8"))
    except UnicodeDecodeError:
        EXPECTED.add(raw.decode("latin-1"))


def run(cli, form):
    out = subprocess.run([cli, "search", "--wait", "1", "--format", form], check=True,
                         stdout=subprocess.PIPE, timeout=60).stdout
    return out.decode("utf-8")  # strictly: the output is UTF-8


def main():
    cli = sys.argv[1]
    failures = []
    from_json = {device["deviceName"] for device in json.loads(run(cli, "json"))}
    rows = list(csv.DictReader(io.StringIO(run(cli, "csv"), newline="")))
    # A spreadsheet would run a name that starts like a formula: CSV writes it with a leading
    # apostrophe, JSON as it is.
    from_csv = {row["deviceName"][1:] if row["deviceName"].startswith("'=") else row["deviceName"]
                for row in rows}
    if "'=HYPERLINK(x)" not in {row["deviceName"] for row in rows}:
        failures.append("csv: the formula name is not neutralised")
    for form, names in (("json", from_json), ("csv", from_csv)):
        if names != EXPECTED:
            failures.append(f"{form}: {sorted(names)!r} != {sorted(EXPECTED)!r}")
    for failure in failures:
        print(failure)
    print("formats read back:", "FAIL" if failures else "ok")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
