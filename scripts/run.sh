#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVANE_BUILD_TESTS=OFF -DHALVANE_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target halvane-client
exec "$build/halvane-client"
