#!/usr/bin/env bash
# The discovery search of halvane-client.exe under wine: the exe in one
# network namespace, a controller stand-in in a second one joined by a veth
# pair (nothing reaches the host's network). Shows the Node Call page, presses
# "Search" from the keyboard, and expects the stand-in to receive the 4-byte
# request broadcast and the program to stay up without an alert.
#   discovery.sh path/to/halvane-client.exe
set -u
exe=${1:?usage: discovery.sh EXE}
src=${HALVANE_SOURCE_DIR:?}
if [ "$(id -u)" != 0 ] || [ -z "${DISPLAY:-}" ] || ! command -v ip >/dev/null; then
  echo "SKIP: needs root (network namespaces) and run_tests.sh's Xvfb"
  exit 77
fi
work=$(mktemp -d)
nsA=hvwA-$$ nsB=hvwB-$$
cleanup() {
  [ -n "${spid:-}" ] && kill "$spid" 2>/dev/null
  # Our wineserver gone for good before the caller's starts again (warm, in
  # the caller's namespace, for the tests after us).
  ip netns exec "$nsA" wineserver -k 2>/dev/null
  ip netns exec "$nsA" wineserver -w 2>/dev/null
  ip netns del "$nsA" 2>/dev/null
  ip netns del "$nsB" 2>/dev/null
  rm -rf "$work"
  wineserver -p 60 2>/dev/null
  wine cmd /c exit >/dev/null 2>&1
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- stand-in log:"; cat "$work/standin.log" 2>/dev/null
  echo "--- wine output:"; cat "$work/app.log" 2>/dev/null
  exit 1
}

cc -O2 -o "$work/standin" "$src/tests/system/node_call_standin.c" || fail "cannot build the stand-in"
ip netns add "$nsA" && ip netns add "$nsB" || { echo "SKIP: cannot create namespaces"; exit 77; }
ip link add hvwa$$ netns "$nsA" type veth peer name hvwb$$ netns "$nsB"
ip -n "$nsA" addr add 10.200.0.1/24 dev hvwa$$
ip -n "$nsB" addr add 10.200.0.2/24 dev hvwb$$
for ns in "$nsA" "$nsB"; do ip -n "$ns" link set lo up; done
ip -n "$nsA" link set hvwa$$ up
ip -n "$nsB" link set hvwb$$ up
ip -n "$nsA" route add 255.255.255.255/32 dev hvwa$$

ip netns exec "$nsB" "$work/standin" --name WIN-NODE --from 10.200.0.2 --ready "$work/ready" \
  --log "$work/standin.log" &
spid=$!
for _ in $(seq 100); do [ -e "$work/ready" ] && break; sleep 0.05; done
[ -e "$work/ready" ] || fail "the stand-in did not start"

# wineserver makes the program's sockets, so it must live in the exe's
# namespace: stop the caller's (this test runs alone) and start one there.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
cp "$exe" "$work/"
cd "$work"
ip netns exec "$nsA" wine "$work/$(basename "$exe")" >"$work/app.log" 2>&1 &
apid=$!
title='HALVANE DUO CLIENT v0.9.0.1'
wid=""
for _ in $(seq 1 600); do
  wid=$(xdotool search --name "^${title//./\\.}\$" 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no main window"
sleep 8 # past the splash

# The fourth page, then Tab to its "Search" button and press it.
for _ in 1 2 3; do
  xdotool key --window "$wid" ctrl+Tab
  sleep 0.5
done
xdotool key --window "$wid" Tab
sleep 0.3
xdotool key --window "$wid" Tab
sleep 0.3
xdotool key --window "$wid" space
for _ in $(seq 50); do grep -qi 'request from 10.200.0.1 bytes 9f f9 00 00' "$work/standin.log" 2>/dev/null && break; sleep 0.1; done
grep -qi 'request from 10.200.0.1 bytes 9f f9 00 00' "$work/standin.log" || fail "the stand-in got no request"
sleep 2
kill -0 "$apid" 2>/dev/null || fail "the program died during the search"
alerts=$(xdotool search --onlyvisible --name 'Alert|Assert|Error|Exception|Debug' 2>/dev/null | wc -l)
[ "$alerts" = 0 ] || fail "an alert window is showing after the search"
kill "$apid" 2>/dev/null
wait "$apid" 2>/dev/null
echo "PASS: the search broadcast reached a controller stand-in: $(head -1 "$work/standin.log")"
