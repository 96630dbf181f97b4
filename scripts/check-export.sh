#!/usr/bin/env bash
# Opens the spreadsheet exports of the three databases in LibreOffice Calc and
# checks that every cell reads back as the record holds it. Not part of
# scripts/test.sh: LibreOffice is large, so it is installed here on demand.
#
# Record files are written by this script's own writer (Python, following
# the byte layout), exported with build/src/records/carvello_exportfile (the
# export windows' code without the windows), converted to CSV by Calc running
# headless and compared cell by cell.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v soffice >/dev/null 2>&1; then
  echo "Installing LibreOffice Calc (once)..."
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends libreoffice-calc
fi

tool=build/src/records/carvello_exportfile
if [ ! -x "$tool" ]; then
  scripts/build.sh
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$tool" "$work" <<'PY'
import csv, subprocess, sys, os

tool, work = sys.argv[1], sys.argv[2]

# Values that a spreadsheet program is known to read differently: a number
# written as text loses its leading zeros ("007" reads as 7), a date-like
# text may become a date. They are reported, not failed, and the README says
# so. Everything else must come back exactly.
SAMPLES = [
    "Rossi Anna",
    "Citt\u00e0 di Castello, M\u00fcnchen, \u00c5re",
    "a<b&c",
    "\u20ac 1.250,00 \u2013 \u201cfull\u201d cover",
    "tags <b>bold</b> & \"quotes\"",
    "O'Brien; comma, semicolon",
]
NUMBERISH = ["007", "0541 123456"]

def layout(db):
    out = subprocess.run([tool, db, "--layout"], check=True, capture_output=True, text=True).stdout
    fields, exported = [], []
    for line in out.splitlines():
        a, b = line.split(" ", 1)
        if a == "export":
            exported.append(b)
        else:
            fields.append((a, int(b)))
    return fields, exported

def record(fields, values):
    out = b""
    for name, cap in fields:
        v = values.get(name, "").encode("cp1252")[:cap]
        out += bytes([len(v)]) + v + b" " * (cap - len(v))
    return out

failures, notes = 0, set()
for db, export_name in (("clients", "Clients_Database.xls"), ("fleet", "Vehicle_Fleet.xls"),
                        ("agreements", "Rental_Agreements.xls")):
    fields, exported = layout(db)
    caps = dict(fields)
    rows = []
    for n in range(len(SAMPLES) + len(NUMBERISH)):
        values = {}
        for k, name in enumerate(exported):
            pool = SAMPLES + NUMBERISH
            text = pool[(n + k) % len(pool)]
            values[name] = text.encode("cp1252")[:caps[name]].decode("cp1252")
        rows.append(values)
    records_path = os.path.join(work, db + ".rec")
    with open(records_path, "wb") as f:
        f.write(b"".join(record(fields, r) for r in rows))
    xls = os.path.join(work, export_name)
    subprocess.run([tool, db, records_path, xls], check=True)
    # Field separator 44 (comma), text delimiter 34 ("), character set 76
    # (UTF-8), first line 1.
    subprocess.run(["soffice", "--headless", "--calc", "--infilter=HTML (StarCalc)",
                    "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir", work, xls],
                   check=True, capture_output=True)
    csv_path = os.path.splitext(xls)[0] + ".csv"
    with open(csv_path, encoding="utf-8", newline="") as f:
        table = list(csv.reader(f))
    if len(table) != 1 + len(rows):
        print(f"{db}: {len(table)} rows read back, {1 + len(rows)} written")
        failures += 1
        continue
    for r, values in enumerate(rows, start=1):
        for k, name in enumerate(exported):
            want = values[name].strip()
            got = table[r][k] if k < len(table[r]) else ""
            if got == want:
                continue
            if want in NUMBERISH or want.lstrip("0") == got:
                notes.add(f"{want!r} reads back as {got!r}")
                continue
            print(f"{db}: row {r}, {name}: wrote {want!r}, read {got!r}")
            failures += 1
    print(f"{db}: {len(rows)} records, {len(exported)} columns read back by Calc")

for n in sorted(notes):
    print("known spreadsheet conversion:", n)
if failures:
    print(f"{failures} cells differ")
    sys.exit(1)
print("every cell reads back as stored")
PY
