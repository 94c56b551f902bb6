#!/usr/bin/env bash
# The real program started with files, as a file manager or the launcher
# starts it: a missing path is named in a message and the program starts
# anyway; a node log and a schedule given together both open (the schedule's
# "Open" tells the count it read); files that only were opened leave nothing
# unsaved, so the window then closes without a question; SIGTERM, as a
# session's end sends it, closes the window as its close button does. The program runs in
# a network namespace with only loopback, under an Xvfb of its own.
# HALVANE_APP names another program to test (the installed one).
set -u
build=${HALVANE_BUILD_DIR:?}
app=${HALVANE_APP:-$build/halvane-client}
xclose="$build/tests/xclose"
if [ "$(id -u)" != 0 ] || ! unshare -n true 2>/dev/null; then
  echo "SKIP: a network namespace of its own needs root"; exit 77
fi
if [ -z "${HALVANE_IN_NETNS:-}" ]; then
  export HALVANE_IN_NETNS=1
  exec unshare -n bash -c 'ip link set lo up && exec bash "$0"' "$0"
fi
for f in "$app" "$xclose"; do [ -x "$f" ] || { echo "missing $f"; exit 1; }; done

work=$(mktemp -d)
cleanup() {
  [ -n "${apid:-}" ] && kill -9 "$apid" 2>/dev/null
  [ -n "${xpid:-}" ] && kill "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A display number no other server holds (a test run beside this one, say),
# and a server that is ours: the display's lock names our server's process
# before we count it as started. A number taken between the look and the
# start makes our server end at once; the next number is tried. The server
# does not reset when its last client (the readiness check) leaves: a
# program connecting during the reset could not open the display.
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
display=$(( 5000 + $$ % 1000 ))
xready=0
for _ in $(seq 1 20); do
  while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  export DISPLAY=":$display"
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xpid=$!
  # On a busy machine the server may take a while: wait until it answers.
  for _ in $(seq 1 300); do
    if [ "$(tr -d ' \n' <"/tmp/.X$display-lock" 2>/dev/null)" = "$xpid" ] && xdpyinfo >/dev/null 2>&1; then
      xready=1
      break
    fi
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
  done
  [ $xready = 1 ] && break
  kill "$xpid" 2>/dev/null
  display=$((display + 1))
done
[ $xready = 1 ] || { echo "FAIL: Xvfb on $DISPLAY did not start"; cat "$work/xvfb.log"; exit 1; }

fail() { echo "FAIL: $*"; echo "--- program output"; cat "$work/app.log" 2>/dev/null; exit 1; }
# Waits (at most 30 s) for a window titled exactly $1; prints its id.
wait_window() {
  local wid=""
  for _ in $(seq 1 300); do
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    kill -0 "$apid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
# The program's dialogs showing now (GTK's message boxes carry no title:
# they are told by their window type).
dialogs() {
  local w
  for w in $(xdotool search --onlyvisible --class halvane-client 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && echo "$w"
  done
}
# Answers the message box showing now with its default button (Return).
answer_message() {
  local mid=""
  for _ in $(seq 1 300); do
    mid=$(dialogs | head -1)
    [ -n "$mid" ] && break
    kill -0 "$apid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$mid" ] || fail "no message box: $1"
  xdotool windowfocus --sync "$mid" key Return 2>/dev/null || xdotool key Return
  for _ in $(seq 1 100); do
    dialogs | grep -qx "$mid" || break
    sleep 0.1
  done
  dialogs | grep -qx "$mid" && fail "the message box ($1) did not close on Return"
  echo "answered the message box: $1"
}
no_message_for() { # seconds
  sleep "$1"
  [ -z "$(dialogs)" ] || fail "a message box nobody expected"
}
start() {
  (cd "$work" && exec "$app" "$@") >"$work/app.log" 2>&1 &
  apid=$!
  main=$(wait_window 'HALVANE DUO CLIENT v0\.9\.0\.1') || fail "no main window"
}
close_without_question() {
  "$xclose" "$main"
  for _ in $(seq 1 100); do kill -0 "$apid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$apid" 2>/dev/null && fail "the window did not close (a question nobody expected?)"
  wait "$apid"; local rc=$?
  apid=""
  [ "$rc" = 0 ] || fail "exit status $rc"
  ! grep -qiE 'assert|critical|segmentation|sanitizer|unexpected parameter' "$work/app.log" ||
    fail "the program reported problems"
}

# 1. A path that does not exist: its message, then the program runs on.
start "$work/gone.hvl"
answer_message "gone.hvl was not found"
sleep 1
kill -0 "$apid" 2>/dev/null || fail "the program ended after the message"
no_message_for 1
close_without_question
echo "ok: a missing path is told and the program starts"

# 2. A node log (5 records of 160 bytes) and a schedule (3 entries of 88
#    bytes), relative to the folder it starts in, as a launcher passes them.
head -c 800 /dev/zero >"$work/reservoir.hvl"
head -c 264 /dev/zero >"$work/season.hvs"
start reservoir.hvl season.hvs
answer_message "the schedule's count"
no_message_for 1
kill -0 "$apid" 2>/dev/null || fail "the program ended after opening the files"
close_without_question
echo "ok: a log and a schedule open from the command line and leave nothing unsaved"

# 3. Without files it starts as always: no message, and it closes at once.
start
no_message_for 2
close_without_question
echo "ok: without files nothing is asked or told"

# 4. The end of a desktop session (SIGTERM) closes the window as its close
#    button does: with nothing unsaved, a clean exit.
start
kill -TERM "$apid"
for _ in $(seq 1 100); do kill -0 "$apid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$apid" 2>/dev/null && fail "the program did not end on SIGTERM"
wait "$apid"; rc=$?
apid=""
[ "$rc" = 0 ] || fail "exit status $rc on SIGTERM"
echo "PASS: files from the command line, and a session's end"
