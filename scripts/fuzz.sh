#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# given time: scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60 s, all).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}; shift || true
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHALVANE_BUILD_FUZZ=ON -DHALVANE_BUILD_TESTS=OFF -DHALVANE_BUILD_BENCH=OFF -DHALVANE_WERROR=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_all
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/tests/fuzz/fuzz_*.cpp; do n=$(basename "$f" .cpp); targets+=("${n#fuzz_}"); done
fi
for t in "${targets[@]}"; do
  echo "=== fuzz_$t for ${seconds}s ==="
  bash "$root/tests/fuzz/run_fuzz.sh" "$build/tests/fuzz/fuzz_$t" "$root/tests/fuzz/seeds/$t" "$seconds" 2>&1 |
    grep -E '^(stat::|#[0-9]+.*DONE|==[0-9]+==ERROR|SUMMARY|Done)' || true
done
