#!/usr/bin/env bash
# Runs the Windows build's tests (core tests and the exe's smoke test) under
# wine, through ctest. As root everything runs in a network namespace of its
# own with only loopback up, wineserver included (it creates the sockets), so
# nothing the program sends can reach the host's network.
#   run_tests.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: run_tests.sh BUILD_DIR}" && pwd)
export WINEPREFIX=$build/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export HALVANE_WINDOWS_BUILD_DIR=$build

if [ "$(id -u)" = 0 ] && [ -z "${HALVANE_IN_NETNS:-}" ] && unshare -n true 2>/dev/null; then
  # A wineserver of this prefix outside the namespace would create our sockets there.
  wineserver -k 2>/dev/null || true
  export HALVANE_IN_NETNS=1
  exec unshare -n bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$build"
fi

# One Xvfb for the whole run: wine's desktop process, started by the first
# program, keeps the display it found, so the smoke test's windows need it
# to be there from the start. It does not reset when the first client (the
# readiness check) leaves: a program connecting meanwhile would find no display.
display=$((6000 + $$ % 1000))
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$build/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A warm wineserver: without it every test pays wine's start-up, and the
# first one creates the prefix.
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
mkdir -p "$WINEPREFIX"
wineserver -p 60
wine cmd /c exit >/dev/null 2>&1
cd "$build"
# Now and then wine fails to start a test's process at all (no output, a
# hundredth of a second, among the first tests run side by side): such a
# test is run once more. A test that fails on its own fails both times.
ctest --output-on-failure -j"${HALVANE_JOBS:-$(nproc)}" --timeout 120 --repeat until-pass:2
