#!/usr/bin/env bash
# The Debian package, as a user gets it: builds halvane-client_<version>_<arch>.deb
# with CPack from a configured build folder, runs lintian over it (any error
# fails, warnings are printed), installs it with apt, validates the installed
# desktop entry and AppStream metainfo, checks that the desktop knows the
# program's file types (*.hvc, *.hvs, *.hvl) and opens them with it, runs the
# smoke test against the installed /usr/bin/halvane-client, removes the package again and checks
# that nothing it installed is left. Needs root (it installs a package).
# Usage: package-test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: package-test.sh BUILD_DIR}" && pwd)
id=io.halvane.DuoClient
[ "$(id -u)" = 0 ] || { echo "package-test: needs root to install the package" >&2; exit 1; }
if dpkg-query -W -f='${Status}' halvane-client 2>/dev/null | grep -q "install ok installed"; then
  echo "package-test: halvane-client is already installed here; not touching it" >&2; exit 1
fi

echo "--- package"
cmake --build "$build" -j"$(nproc)" --target halvane-client halvane_packaging_docs xclose
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/halvane-client_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
[ -f "$deb" ] || { echo "FAIL: cpack made no $deb"; ls "$build"/*.deb 2>/dev/null; exit 1; }
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes; $(dpkg-deb -f "$deb" Installed-Size) KiB installed"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q "libwxgtk3\.2" || { echo "FAIL: the dependencies do not name wxGTK"; exit 1; }

echo "--- lintian"
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
[ -n "$lintian_out" ] && echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then echo "FAIL: lintian reports errors"; exit 1; fi
echo "lintian: no errors ($(grep -c '^W:' <<<"$lintian_out" || true) warnings)"

echo "--- file types"
types=(application/x-halvane-profile application/x-halvane-schedule application/x-halvane-nodelog)
extensions=(hvc hvs hvl)
record_bytes=(400 88 160) # one record of each: an empty file is "text/plain" to the desktop
scratch=$(mktemp -d)
mkdir "$scratch/mime" "$scratch/mime/packages"
cp "$root/packaging/linux/$id.xml" "$scratch/mime/packages/"
# (Built where the data directories would find it, or it warns that none does.)
mime_out=$(XDG_DATA_HOME="$scratch" update-mime-database "$scratch/mime" 2>&1) || { echo "$mime_out"; echo "FAIL: update-mime-database"; exit 1; }
if [ -n "$mime_out" ]; then echo "$mime_out"; echo "FAIL: update-mime-database complains about $id.xml"; exit 1; fi
for t in "${types[@]}"; do
  [ -f "$scratch/mime/$t.xml" ] || { echo "FAIL: update-mime-database made no $t"; exit 1; }
done
echo "update-mime-database: ${types[*]}"

status=0
removed=0
list=$(mktemp)
remove() {
  [ $removed = 1 ] && return
  removed=1
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 halvane-client >/dev/null
}
trap 'remove; rm -f "$list"; rm -rf "$scratch"' EXIT

echo "--- install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 --no-install-recommends "$deb" >/dev/null
dpkg -L halvane-client >"$list"
for f in /usr/bin/halvane-client /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
  /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/man/man1/halvane-client.1.gz \
  /usr/share/mime/packages/$id.xml /usr/share/icons/hicolor/scalable/mimetypes/application-x-halvane-{profile,schedule,nodelog}.svg \
  /usr/share/doc/halvane-client/copyright /usr/share/doc/halvane-client/changelog.gz; do
  if ! grep -qxF "$f" "$list" || [ ! -f "$f" ]; then echo "FAIL: the package does not install $f"; status=1; fi
done
if grep -vE '^/(\.|usr(/.*)?)$' "$list"; then echo "FAIL: the package installs the files above outside /usr"; status=1; fi

desktop-file-validate /usr/share/applications/$id.desktop || status=1
appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml || status=1
# The launcher entry starts the installed program and names the installed icon.
# It hands the program the files it opens (%F: any number of paths).
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/$id.desktop)
exec_cmd=${exec_line%% *}
program=$(command -v "$exec_cmd" || true)
[ "$program" = /usr/bin/halvane-client ] ||
  { echo "FAIL: the launcher's Exec=$exec_line does not start /usr/bin/halvane-client"; status=1; }
[ "$exec_line" = "$exec_cmd %F" ] || { echo "FAIL: the launcher's Exec=$exec_line does not pass files (%F)"; status=1; }

# The installed types, as the desktop sees them once the package's triggers
# have rebuilt the MIME and desktop databases: a file's type by its name
# (GNOME's way, through gio and the shared MIME database), and this program
# as the application that opens it.
for i in 0 1 2; do
  t=${types[$i]}
  head -c "${record_bytes[$i]}" /dev/zero >"$scratch/x.${extensions[$i]}"
  [ -f "/usr/share/mime/$t.xml" ] || { echo "FAIL: the MIME database has no $t"; status=1; }
  got=$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$scratch/x.${extensions[$i]}" || true)
  [ "$got" = "$t" ] || { echo "FAIL: xdg-mime gives x.${extensions[$i]} the type \"$got\", not $t"; status=1; }
  app=$(xdg-mime query default "$t" || true)
  [ "$app" = "$id.desktop" ] || { echo "FAIL: xdg-mime names \"$app\" for $t, not $id.desktop"; status=1; }
  grep -q "^MimeType=.*$t;" /usr/share/applications/$id.desktop || { echo "FAIL: the launcher lacks $t"; status=1; }
done
echo "file types: *.hvc *.hvs *.hvl are ${types[*]}, opened by $id.desktop"
[ "$(sed -n 's/^Icon=//p' /usr/share/applications/$id.desktop)" = $id ] || { echo "FAIL: launcher icon"; status=1; }
man -l /usr/share/man/man1/halvane-client.1.gz >/dev/null 2>&1 || { echo "FAIL: the manual page does not format"; status=1; }

echo "--- smoke test of the installed program, and with files"
smoke=0
HALVANE_BUILD_DIR="$build" HALVANE_APP="$program" bash "$root/tests/system/test_smoke.sh" || smoke=$?
[ $smoke = 0 ] || { echo "FAIL: smoke test of $program (status $smoke)"; status=1; }
files=0
HALVANE_BUILD_DIR="$build" HALVANE_APP="$program" bash "$root/tests/system/test_open_files.sh" || files=$?
[ $files = 0 ] || { echo "FAIL: the installed program with files (status $files)"; status=1; }

echo "--- remove"
remove
echo "purged halvane-client"
left=()
while read -r f; do
  [ -d "$f" ] && continue
  [ -e "$f" ] || [ -L "$f" ] && left+=("$f")
done <"$list"
[ -d /usr/share/doc/halvane-client ] && left+=(/usr/share/doc/halvane-client)
if [ ${#left[@]} -gt 0 ]; then echo "FAIL: left after removal: ${left[*]}"; status=1; fi
for t in "${types[@]}"; do
  [ -e "/usr/share/mime/$t.xml" ] && { echo "FAIL: the MIME database still has $t"; status=1; }
done
dpkg-query -W halvane-client >/dev/null 2>&1 && { echo "FAIL: dpkg still knows halvane-client"; status=1; }
[ $status = 0 ] && echo "PASS: package built, lintian clean of errors, installed, validated, smoke-tested, removed"
exit $status
