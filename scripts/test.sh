#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test: once in the normal build (then the format and clang-tidy checks
# and the Debian package: built, installed, smoke-tested, removed),
# once with AddressSanitizer and UndefinedBehaviorSanitizer (leaks checked),
# the fuzz targets over their seeds, and the Windows build under wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)
status=0

run_suite() {
  local name=$1 dir=$2; shift 2
  echo "=== $name build ==="
  cmake -S "$root" -B "$dir" -DHALVANE_WERROR=ON "$@"
  cmake --build "$dir" -j"$jobs"
  echo "=== $name tests ==="
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 900) || status=1
}

run_suite normal "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${HALVANE_SKIP_LINT:-0}" != 1 ]; then
  # Formatting and clang-tidy, over the normal build's compile database.
  echo "=== lint ==="
  bash "$root/scripts/lint.sh" "$root/build-test" || status=1
fi
if [ "${HALVANE_SKIP_PACKAGE:-0}" != 1 ]; then
  # The Debian package of the normal build: lintian, install, the installed
  # files validated, the smoke test of /usr/bin/halvane-client, removal.
  echo "=== package ==="
  bash "$root/scripts/package-test.sh" "$root/build-test" || status=1
fi
if [ "${HALVANE_SKIP_SANITIZE:-0}" != 1 ]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions="$root/tests/support/lsan.supp":print_suppressions=0
  run_suite sanitize "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DHALVANE_SANITIZE=ON -DHALVANE_BUILD_BENCH=OFF
fi
if [ "${HALVANE_SKIP_FUZZ:-0}" != 1 ]; then
  # The fuzz targets (clang, libFuzzer, ASan + UBSan), each run for a few
  # seconds over its seed corpus so they keep building and passing.
  unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
  echo "=== fuzz build ==="
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHALVANE_BUILD_FUZZ=ON -DHALVANE_BUILD_TESTS=OFF -DHALVANE_BUILD_BENCH=OFF -DHALVANE_WERROR=ON \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address,undefined"
  cmake --build "$root/build-fuzz" -j"$jobs" --target fuzz_all
  echo "=== fuzz tests ==="
  (cd "$root/build-fuzz" && ctest --output-on-failure --timeout 300) || status=1
fi
if [ "${HALVANE_SKIP_WINDOWS:-0}" != 1 ]; then
  # The Windows exe (MinGW-w64 cross build), its core tests and a smoke test
  # under wine, after the Linux suites.
  echo "=== windows build and tests ==="
  windows_start=$(date +%s)
  bash "$root/scripts/windows-build.sh" --test || status=1
  echo "=== windows: $(($(date +%s) - windows_start)) s ==="
fi
exit $status
