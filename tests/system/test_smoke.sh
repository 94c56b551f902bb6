#!/usr/bin/env bash
# Smoke test of the real program: start the built executable under Xvfb in a
# network namespace of its own (paired with a second one for a controller
# stand-in), let it run 10 s past the splash screen, check that it is alive
# and that its main window has the right title, then close the window as a
# window manager would and check that it exits cleanly. HALVANE_APP names
# another program to test (scripts/package-test.sh: the installed one).
set -u
build=${HALVANE_BUILD_DIR:?}
app=${HALVANE_APP:-$build/halvane-client}
xclose="$build/tests/xclose"
standin=$(ls "$build"/tests/system/*standin* 2>/dev/null | head -1 || true)
if [ "$(id -u)" != 0 ] || ! command -v ip >/dev/null; then
  echo "SKIP: network namespaces need root and iproute2"; exit 77
fi
for f in "$app" "$xclose"; do [ -x "$f" ] || { echo "missing $f"; exit 1; }; done

nsA=hvsmA-$$ nsB=hvsmB-$$
work=$(mktemp -d)
cleanup() {
  [ -n "${spid:-}" ] && kill "$spid" 2>/dev/null
  [ -n "${xpid:-}" ] && kill "$xpid" 2>/dev/null
  ip netns del "$nsA" 2>/dev/null; ip netns del "$nsB" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
ip netns add "$nsA" && ip netns add "$nsB" || { echo "SKIP: cannot create namespaces"; exit 77; }
ip link add hvsa$$ netns "$nsA" type veth peer name hvsb$$ netns "$nsB"
ip -n "$nsA" addr add 10.200.0.1/24 dev hvsa$$
ip -n "$nsB" addr add 10.200.0.2/24 dev hvsb$$
for ns in "$nsA" "$nsB"; do ip -n "$ns" link set lo up; done
ip -n "$nsA" link set hvsa$$ up; ip -n "$nsB" link set hvsb$$ up
ip -n "$nsA" route add 255.255.255.255/32 dev hvsa$$

if [ -n "$standin" ]; then
  ip netns exec "$nsB" "$standin" --name SMOKE-NODE >"$work/standin.log" 2>&1 &
  spid=$!
fi

# A display number no other server holds (a test run beside this one, say).
display=$(( 4000 + $$ % 1000 ))
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
ip netns exec "$nsA" Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xpid=$!
export DISPLAY=":$display"
# On a busy machine the server may take a while: wait until it answers.
# (It does not reset when that first client leaves: -noreset.)
xready=0
for _ in $(seq 1 300); do
  ip netns exec "$nsA" xdpyinfo >/dev/null 2>&1 && { xready=1; break; }
  kill -0 "$xpid" 2>/dev/null || break
  sleep 0.1
done
[ $xready = 1 ] || { echo "FAIL: Xvfb on $DISPLAY did not start"; cat "$work/xvfb.log"; exit 1; }

cd "$work"  # the program reads appconfig.txt from its current folder
ip netns exec "$nsA" "$app" >"$work/app.log" 2>&1 &
apid=$!
fail() { echo "FAIL: $*"; echo "--- program output"; cat "$work/app.log"; exit 1; }

wid=""
for _ in $(seq 1 100); do
  wid=$(ip netns exec "$nsA" xdotool search --name '^HALVANE DUO CLIENT v0\.9\.0\.1$' 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no main window titled \"HALVANE DUO CLIENT v0.9.0.1\""
echo "main window $wid: $(ip netns exec "$nsA" xdotool getwindowname "$wid")"

sleep 16  # the 6 s splash and 10 s more
kill -0 "$apid" 2>/dev/null || fail "the program died while running"
title=$(ip netns exec "$nsA" xdotool getwindowname "$wid")
[ "$title" = "HALVANE DUO CLIENT v0.9.0.1" ] || fail "title is \"$title\""
splash=$(ip netns exec "$nsA" xdotool search --onlyvisible --name '^$' 2>/dev/null | wc -l)
echo "alive after 16 s; visible untitled windows: $splash"

ip netns exec "$nsA" "$xclose" "$wid"
for _ in $(seq 1 100); do kill -0 "$apid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$apid" 2>/dev/null; then
  kill -9 "$apid"; fail "the program did not exit after its window was closed"
fi
wait "$apid"; rc=$?
[ "$rc" = 0 ] || fail "exit status $rc after close"
if grep -qiE 'assert|critical|segmentation|sanitizer' "$work/app.log"; then
  fail "the program reported problems"
fi
echo "PASS: $app started, ran past the splash, closed cleanly"
