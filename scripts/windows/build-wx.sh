#!/usr/bin/env bash
# Builds a static wxMSW (x86_64, MinGW-w64 posix threads), the image and XML
# libraries it needs and the CSV and JSON libraries the program uses, all from
# Debian's source packages, into a cached prefix:  $HALVANE_WINX_CACHE/wx-<Debian version of wxwidgets3.2>-r<recipe>
# A prefix that is already complete is reused as it is; a fresh machine builds
# it (10-15 minutes on two cores). Prints the prefix on its last line.
#
# Debian's wxWidgets source is stripped of its bundled png/jpeg/tiff/zlib/expat,
# so those are cross-built from their own Debian source packages first and wx
# is configured to use them (=sys).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
cache=${HALVANE_WINX_CACHE:-/opt/halvane-winx}
recipe=2 # bump when the libraries' build options below change
T=x86_64-w64-mingw32
jobs=${HALVANE_JOBS:-$(nproc)}

# The same wx version as the Linux build uses (Debian's libwxgtk3.2-dev).
wxver=$(dpkg-query -W -f='${source:Version}' libwxgtk3.2-dev 2>/dev/null || true)
[ -n "$wxver" ] || { echo "libwxgtk3.2-dev is not installed (scripts/install-deps.sh)" >&2; exit 1; }
prefix=$cache/wx-${wxver//[:~]/_}-r$recipe
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9 # one build at a time; a second caller waits and then finds it done

if [ -f "$prefix/.complete" ]; then
  echo "wx prefix cached: $prefix" >&2
  echo "$prefix"
  exit 0
fi

# Built in place (wx-config and the CMake files keep their prefix); only the
# .complete mark written at the very end makes it count as cached.
work=$cache/work-$$
rm -rf "$prefix" "$cache"/work-*
mkdir -p "$work/src" "$prefix/include" "$prefix/lib"
trap 'rm -rf "$work"' EXIT
log=$work/log
mkdir -p "$log"
t0=$(date +%s)
lap() { echo "[windows wx $(($(date +%s) - t0))s] $*" >&2; }
fail() { echo "failed: $1 (log follows)" >&2; tail -40 "$2" >&2; exit 1; }

# apt-get source needs a deb-src entry: copy the machine's own deb entries.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$f" >"/etc/apt/sources.list.d/halvane-src-$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/halvane-src.list
  fi
  apt-get update -qq
fi
if ! apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Version:'; then
  apt-get update -qq # the source lists are not fetched yet
fi

# Newest version first; a mirror may carry the binaries of an update but not
# its sources, so an older version of the same release is the fallback.
fetch_source() { # package [version]
  local pkg=$1 v versions
  if [ -n "${2:-}" ]; then versions=$2; else
    versions=$(apt-cache showsrc --only-source "$pkg" | sed -n 's/^Version: //p' | sort -u -r -V)
  fi
  for v in $versions; do
    rm -rf "$work/src/$pkg"
    mkdir -p "$work/src/$pkg"
    if (cd "$work/src/$pkg" && apt-get source -q "$pkg=$v") >>"$log/apt-source.log" 2>&1; then
      echo "$pkg $v" >>"$log/sources"
      return 0
    fi
  done
  fail "apt-get source $pkg" "$log/apt-source.log"
}
cd "$work/src"
if apt-cache showsrc --only-source wxwidgets3.2 | grep -qx "Version: $wxver"; then
  fetch_source wxwidgets3.2 "$wxver"
else
  fetch_source wxwidgets3.2
fi
for pkg in zlib libpng1.6 libjpeg-turbo expat tiff libcsv nlohmann-json3; do fetch_source $pkg; done
cp "$log/sources" "$prefix/SOURCES"
lap "sources fetched: $(tr '\n' ' ' <"$log/sources")"

S=$work/src
B=$work/build
P=$prefix
mkdir -p "$B/zlib"
common=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DHALVANE_WINX_PREFIX="$P" -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$P" -DCMAKE_PREFIX_PATH="$P" -DBUILD_SHARED_LIBS=OFF)
zlib=(-DZLIB_INCLUDE_DIR="$P/include" -DZLIB_LIBRARY="$P/lib/libz.a")

# zlib: the Debian source has no Windows makefile; its 15 files compile as they are.
Z=$(echo "$S"/zlib/zlib-*/)
(cd "$B/zlib" && for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback \
  inffast inflate inftrees trees uncompr zutil; do
  $T-gcc-posix -O2 -c "$Z/$f.c" -o $f.o || exit 1
done && $T-ar rcs "$P/lib/libz.a" ./*.o) >"$log/zlib.log" 2>&1 || fail zlib "$log/zlib.log"
cp "$Z/zlib.h" "$Z/zconf.h" "$P/include/"

# libcsv (the CSV reader): one C file and its header, like zlib.
C=$(echo "$S"/libcsv/libcsv-*/)
mkdir -p "$B/libcsv"
(cd "$B/libcsv" && $T-gcc-posix -O2 -c "$C/libcsv.c" -o libcsv.o && $T-ar rcs "$P/lib/libcsv.a" libcsv.o) \
  >"$log/libcsv.log" 2>&1 || fail libcsv "$log/libcsv.log"
cp "$C/csv.h" "$P/include/"

# nlohmann/json (the JSON files): headers only.
cp -r "$(echo "$S"/nlohmann-json3/nlohmann-json3-*/)single_include/nlohmann" "$P/include/"

build_cmake() { # name source-dir [cmake args...] ; builds and installs
  local name=$1 src=$2
  shift 2
  { cmake -S "$src" -B "$B/$name" "${common[@]}" "$@" &&
    cmake --build "$B/$name" -j"$jobs" &&
    cmake --install "$B/$name"; } >"$log/$name.log" 2>&1 || fail "$name" "$log/$name.log"
}
build_cmake png "$(echo "$S"/libpng1.6/libpng1.6-*/)" "${zlib[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF

J=$(echo "$S"/libjpeg-turbo/libjpeg-turbo-*/)
{ cmake -S "$J" -B "$B/jpeg" "${common[@]}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF && cmake --build "$B/jpeg" -j"$jobs" --target jpeg-static; } >"$log/jpeg.log" 2>&1 ||
  fail jpeg "$log/jpeg.log"
cp "$B/jpeg/libjpeg.a" "$P/lib/"
cp "$B/jpeg/jconfig.h" "$J/jpeglib.h" "$J/jmorecfg.h" "$J/jerror.h" "$P/include/"

# Debian's security patches test "#if XML_DTD == 1"; the CMake config header defines it empty.
E=$(echo "$S"/expat/expat-*/expat)
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$E/expat_config.h.cmake"
build_cmake expat "$E" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
  -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF

build_cmake tiff "$(echo "$S"/tiff/tiff-*/)" "${zlib[@]}" -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF \
  -Dtiff-docs=OFF -Dcxx=OFF -Dzstd=OFF -Dlzma=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF -Dlibdeflate=OFF \
  -Djpeg12=OFF -Dzlib=ON -Djpeg=ON -DJPEG_INCLUDE_DIR="$P/include" -DJPEG_LIBRARY="$P/lib/libjpeg.a"
lap "zlib, libcsv, json, png, jpeg, expat, tiff built"

# wxMSW: only what the program uses (core, base, net, html, adv); unicode, static.
mkdir -p "$B/wx"
cd "$B/wx"
"$(echo "$S"/wxwidgets3.2/wxwidgets3.2-*/)configure" --host=$T --build=x86_64-pc-linux-gnu --prefix="$P" \
  CC=$T-gcc-posix CXX=$T-g++-posix AR=$T-ar RANLIB=$T-ranlib WINDRES=$T-windres \
  CPPFLAGS="-I$P/include" LDFLAGS="-L$P/lib" \
  --with-msw --disable-shared --enable-unicode \
  --with-libpng=sys --with-libjpeg=sys --with-libtiff=sys --with-zlib=sys --with-expat=sys \
  --with-regex=builtin --without-opengl --disable-webview --disable-mediactrl --disable-stc \
  --disable-ribbon --disable-propgrid --disable-aui --disable-richtext --disable-xrc \
  >"$log/wx-configure.log" 2>&1 || fail "wx configure" "$log/wx-configure.log"
lap "wx configured"
make -j"$jobs" >"$log/wx-make.log" 2>&1 || fail "wx make" "$log/wx-make.log"
lap "wx built"
make install >"$log/wx-install.log" 2>&1 || fail "wx make install" "$log/wx-install.log"

echo "$wxver recipe $recipe" >"$prefix/.complete"
lap "wx prefix ready: $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix"
