#!/usr/bin/env bash
# Smoke test of halvane-client.exe under wine: start it on run_tests.sh's Xvfb,
# wait for the main window "HALVANE DUO CLIENT v0.9.0.1", check that it is
# alive 10 s after the 6 s splash and shows no alert, show each of its four
# pages, then close the window as a window manager would (WM_DELETE_WINDOW)
# and expect a clean exit.
# run_tests.sh runs it (through ctest) inside a network namespace with only
# loopback, so the program's datagram socket never reaches the host network.
#   smoke.sh path/to/halvane-client.exe             a copy in a scratch folder
#   smoke.sh --in-place path/to/halvane-client.exe  the exe where it is (the
#                                                   installed one, installer.sh)
set -u
in_place=0
if [ "${1:-}" = --in-place ]; then
  in_place=1
  shift
fi
exe=${1:?usage: smoke.sh [--in-place] EXE}
[ -f "$exe" ] || { echo "FAIL: no $exe"; exit 1; }
src=${HALVANE_SOURCE_DIR:?}
if [ -z "${HALVANE_IN_NETNS:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "SKIP: runs only inside run_tests.sh's network namespace (as root) and Xvfb"
  exit 77
fi
work=$(mktemp -d)
cleanup() {
  [ -n "${apid:-}" ] && kill -9 "$apid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- windows:"; xwininfo -root -tree 2>/dev/null | grep -E '^ +0x[0-9a-f]+ "' | head -20
  echo "--- wine output:"; cat "$work/app.log"
  exit 1
}

# xclose: a tiny X client that asks a window to close, built for this host.
cc -O2 -o "$work/xclose" "$src/tests/support/xclose.c" -lX11 || fail "cannot build xclose"

if [ $in_place = 1 ]; then
  run=$exe
else
  cp "$exe" "$work/"
  run=$work/$(basename "$exe")
fi
cd "$work" # the program reads appconfig.txt from its current folder
start=$(date +%s)
wine "$run" >"$work/app.log" 2>&1 &
apid=$!

title='HALVANE DUO CLIENT v0.9.0.1'
wid=""
for _ in $(seq 1 600); do
  wid=$(xdotool search --name "^${title//./\\.}\$" 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  kill -0 "$apid" 2>/dev/null || fail "the program exited before its main window appeared"
  sleep 0.1
done
[ -n "$wid" ] || fail "no main window titled \"$title\" within 60 s"
echo "main window $wid after $(($(date +%s) - start)) s"

sleep 16 # the 6 s splash and 10 s more
kill -0 "$apid" 2>/dev/null || fail "the program died while running"
[ "$(xdotool getwindowname "$wid")" = "$title" ] || fail "title is \"$(xdotool getwindowname "$wid")\""
alerts=$(xdotool search --onlyvisible --name 'Alert|Assert|Error|Exception|Debug' 2>/dev/null | wc -l)
[ "$alerts" = 0 ] || fail "an alert window is showing"
echo "alive after 16 s"

# Each of the four pages in turn (Ctrl+Tab), and back to the first.
for _ in 1 2 3 4; do
  xdotool key --window "$wid" ctrl+Tab
  sleep 1
done
kill -0 "$apid" 2>/dev/null || fail "the program died while its pages were shown"
alerts=$(xdotool search --onlyvisible --name 'Alert|Assert|Error|Exception|Debug' 2>/dev/null | wc -l)
[ "$alerts" = 0 ] || fail "an alert window is showing after the pages were shown"

"$work/xclose" "$wid"
for _ in $(seq 1 200); do kill -0 "$apid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$apid" 2>/dev/null && fail "the program did not exit within 20 s of its window being closed"
wait "$apid"
rc=$?
apid=""
[ "$rc" = 0 ] || fail "exit status $rc after close"
echo "PASS: started under wine, ran past the splash, closed cleanly"
