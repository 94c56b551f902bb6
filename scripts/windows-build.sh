#!/usr/bin/env bash
# Builds the Windows program, halvane-client.exe: a static MinGW-w64 cross build
# against a static wxMSW made from Debian's source packages (cached under
# /opt/halvane-winx, so only the first run on a machine spends 10-15 minutes on it).
#
#   bash scripts/windows-build.sh          build build-windows/halvane-client.exe and
#                                          its installer halvane-client-<version>-win64.exe
#   bash scripts/windows-build.sh --test   ... and run their tests under wine (core
#                                          tests, image formats, smoke, discovery,
#                                          install, start and uninstall)
# HALVANE_WINDOWS_BUILD_DIR overrides the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HALVANE_WINDOWS_BUILD_DIR:-$root/build-windows}
run_tests=0
case "${1:-}" in
  --test) run_tests=1 ;;
  "") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac
t0=$(date +%s)
lap() { echo "[windows $(($(date +%s) - t0))s] $*"; }

bash "$root/scripts/install-deps.sh" --windows
prefix=$(bash "$root/scripts/windows/build-wx.sh" | tail -1)
lap "wxMSW: $prefix"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DHALVANE_WINX_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DHALVANE_WERROR=ON >/dev/null
targets=(--target halvane-client)
[ $run_tests = 1 ] && targets+=(--target core_tests --target windows_image_tests)
cmake --build "$build" -j"${HALVANE_JOBS:-$(nproc)}" "${targets[@]}"
exe=$build/halvane-client.exe
lap "built $exe ($(stat -c %s "$exe") bytes)"
# The installer (CPack's NSIS generator, Debian's makensis).
(cd "$build" && cpack -G NSIS --config CPackConfig.cmake >cpack.log) || { cat "$build/cpack.log"; exit 1; }
installer=$build/halvane-client-$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")-win64.exe
lap "built $installer ($(stat -c %s "$installer") bytes)"

if [ $run_tests = 1 ]; then
  bash "$root/tests/windows/run_tests.sh" "$build"
  lap "tests under wine done"
fi
