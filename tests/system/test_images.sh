#!/usr/bin/env bash
# The checked-in images are what scripts/make_images.py draws: the XPMs the
# program is built with and the PNG and SVG icons it embeds and installs. The
# script is run into a fresh folder and every file compared (the PNGs by their
# header and uncompressed pixels, which no zlib version changes; the rest byte
# for byte), so an icon edited by hand or a script change not rerun fails here.
set -u
src=${HALVANE_SOURCE_DIR:?}
command -v python3 >/dev/null || { echo "SKIP: no python3"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$src/scripts/make_images.py" "$out" || { echo "FAIL: make_images.py failed"; exit 1; }
status=0 count=0
for f in icon.xpm splash.xpm icon.svg icon-16.png icon-32.png icon-48.png icon-64.png icon-128.png icon-256.png; do
  count=$((count + 1))
  if [ "${f%.png}" != "$f" ]; then
    same() { python3 -c '
import sys, zlib
def pixels(path):
    data, pos, ihdr, idat = open(path, "rb").read(), 8, b"", b""
    while pos < len(data):
        n = int.from_bytes(data[pos:pos + 4], "big"); kind = data[pos + 4:pos + 8]; body = data[pos + 8:pos + 8 + n]
        ihdr, idat = (body, idat) if kind == b"IHDR" else (ihdr, idat + body if kind == b"IDAT" else idat)
        pos += 12 + n
    return ihdr, zlib.decompress(idat)
sys.exit(pixels(sys.argv[1]) != pixels(sys.argv[2]))' "$1" "$2"; }
  else
    same() { cmp -s "$1" "$2"; }
  fi
  if ! same "$out/src/images/$f" "$src/src/images/$f"; then
    echo "FAIL: src/images/$f differs from what scripts/make_images.py draws"; status=1
  fi
done
# Nothing drawn that the tree does not hold.
extra=$(cd "$out/src/images" && ls | grep -vxF -e icon.xpm -e splash.xpm -e icon.svg -e icon-16.png -e icon-32.png \
  -e icon-48.png -e icon-64.png -e icon-128.png -e icon-256.png)
[ -z "$extra" ] || { echo "FAIL: the script draws files this test does not know: $extra"; status=1; }
# The PNGs are 8-bit grey + alpha at their sizes (IHDR: width, height, depth 8, colour type 4).
for s in 16 32 48 64 128 256; do
  want=$(printf '%08x%08x0804' "$s" "$s")
  got=$(od -An -tx1 -j16 -N10 "$src/src/images/icon-$s.png" | tr -d ' \n')
  [ "$got" = "$want" ] || { echo "FAIL: icon-$s.png header $got, want $want"; status=1; }
done
[ $status = 0 ] && echo "PASS: $count images are what the script draws"
exit $status
