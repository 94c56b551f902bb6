#!/usr/bin/env bash
# A log exported as CSV reads back in Python's csv module with every value as
# recorded: the header, the ISO date-times (empty for a day that is not
# real), the integers, and floats that give back the very single they came
# from. A cancelled export leaves no file.
set -u
build=${HALVANE_BUILD_DIR:?}
dump=$build/tests/log_csv_dump
command -v python3 >/dev/null || { echo "SKIP: no python3"; exit 77; }
[ -x "$dump" ] || { echo "FAIL: $dump is not built"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$dump" "$out/log.csv" || { echo "FAIL: log_csv_dump failed"; exit 1; }
python3 - "$out/log.csv" <<'PY' || { echo "FAIL: the CSV did not read back as written"; exit 1; }
import csv, struct, sys

def single_bits(text):
    return struct.unpack("<I", struct.pack("<f", float(text)))[0]

raw = open(sys.argv[1], "rb").read()
assert raw.count(b"\r\n") == 4 and raw.count(b"\n") == 4, "four CRLF lines"
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
assert rows[0] == ["DateTime", "Date", "Time", "Core", "EC1", "EC2", "PH1", "PH2", "TE1", "TE2",
                   "AC1", "AC2", "AC3", "AC4", "AC5", "AC6"], rows[0]
assert len(rows) == 4 and all(len(r) == 16 for r in rows), rows
a, b, c = rows[1:]
assert a[:6] == ["2024-03-01T08:05:09", "2024-03-01", "08:05:09", "3", "1500", "4294967295"], a
assert a[6] == "6.2" and single_bits(a[6]) == 0x40C66666, a[6]
assert a[7] == "5.75" and a[9] == "-12.5", a
assert a[8] == "0.100000024" and single_bits(a[8]) == 0x3DCCCCD0, a[8]
assert b[:6] == ["2023-12-31T23:59:59", "2023-12-31", "23:59:59", "3", "0", "20000"], b
assert b[6] == "7.125" and b[8] == "19.999" and single_bits(b[8]) == 0x419FFDF4, b
assert c[:6] == ["", "", "12:00:00", "3", "99999", "1"], c
assert c[6] == "1e-07" and single_bits(c[6]) == 0x33D6BF95 and c[8] == "125", c
assert [int(x) for x in a[10:]] == [1000 + 2, 2000 + 2, 3000 + 2, 4000 + 2, 5000 + 2, 6000 + 2], a[10:]
PY

"$dump" "$out/cancelled.csv" cancel
[ $? -eq 3 ] || { echo "FAIL: a cancelled export did not say so"; exit 1; }
[ -z "$(ls -A "$out" | grep -v '^log.csv$')" ] || { echo "FAIL: a cancelled export left a file: $(ls "$out")"; exit 1; }
echo "PASS"
