#!/usr/bin/env bash
# Runs one GUI test program under its own Xvfb server. As root the program
# also gets a network namespace of its own with only loopback up, so the UDP
# port the node call page binds never clashes with another test program and
# nothing it sends can leave the machine.
# HALVANE_TEST_SCREEN sets the screen's size and depth (1280x1024x24).
set -u
prog="$1"; shift
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
# A display number of our own (xvfb-run -a races when started in parallel).
display=$(( 200 + ($$ % 3000) ))
run_x() {
  exec xvfb-run -n "$display" -s "-screen 0 ${HALVANE_TEST_SCREEN:-1280x1024x24} -nolisten tcp" "$prog" "$@"
}
if [ "$(id -u)" = 0 ] && [ -z "${HALVANE_IN_NETNS:-}" ] && unshare -n true 2>/dev/null; then
  export HALVANE_IN_NETNS=1
  exec unshare -n bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$prog" "$@"
fi
run_x "$@"
