#!/usr/bin/env bash
# The node call page searching across two network namespaces joined by a
# veth pair: the client (the page under Xvfb) in one, controller stand-ins in
# the other. Nothing here touches the host's own network. Needs root; skips
# (exit 77) where namespaces cannot be made.
set -u
build=${HALVANE_BUILD_DIR:?HALVANE_BUILD_DIR not set}
source_dir=${HALVANE_SOURCE_DIR:?HALVANE_SOURCE_DIR not set}
standin=$build/tests/system/node_call_standin
gui=$build/tests/system/node_call_netns_gui

for prog in "$standin" "$gui"; do
  [ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
done
if [ "$(id -u)" != 0 ]; then
  echo "SKIP: network namespaces need root"; exit 77
fi

ns_a=hvcA-$$ ns_b=hvcB-$$ if_a=hvca$$ if_b=hvcb$$
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  ip netns del "$ns_a" 2>/dev/null
  ip netns del "$ns_b" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if ! ip netns add "$ns_a" 2>"$work/err" || ! ip netns add "$ns_b" 2>>"$work/err"; then
  echo "SKIP: cannot create network namespaces: $(cat "$work/err")"; exit 77
fi
# No IPv6 in the namespaces: its router solicitations would be packets on
# the wire the page never sent (the browser test counts them).
for ns in "$ns_a" "$ns_b"; do
  ip netns exec "$ns" sh -c 'echo 1 > /proc/sys/net/ipv6/conf/default/disable_ipv6' 2>/dev/null
done
# Both veth ends are born inside their namespaces, never in the host's.
set -e
ip link add "$if_a" netns "$ns_a" type veth peer name "$if_b" netns "$ns_b"
ip -n "$ns_a" addr add 10.200.0.1/24 dev "$if_a"
ip -n "$ns_b" addr add 10.200.0.2/24 dev "$if_b"
ip -n "$ns_b" addr add 10.200.0.3/24 dev "$if_b"
for ns in "$ns_a" "$ns_b"; do ip -n "$ns" link set lo up; done
ip -n "$ns_a" link set "$if_a" up
ip -n "$ns_b" link set "$if_b" up
ip -n "$ns_a" route add 255.255.255.255/32 dev "$if_a"   # the limited broadcast goes out on the veth
set +e

date_word=$(( 12 | 7 << 8 | 2026 << 16 ))   # 7 December 2026
time_word=$(( 15 | 30 << 8 | 10 << 16 ))    # 15:30:10
failures=0

# standin NAME FROM [extra options...]: starts a stand-in in the second namespace.
standin() {
  local name=$1 from=$2; shift 2
  local ready=$work/ready-$name
  ip netns exec "$ns_b" "$standin" --name "$name" --from "$from" --date "$date_word" --time "$time_word" \
    --ready "$ready" --log "$work/log-$name" "$@" &
  pids+=($!)
  for _ in $(seq 100); do [ -e "$ready" ] && return 0; sleep 0.05; done
  echo "FAIL: stand-in $name did not start"; failures=$((failures + 1))
}

stop_standins() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  pids=()
}

# run_case CASE TEST EXPECT: the page in the first namespace, one test.
run_case() {
  local case=$1 test=$2 expect=$3
  echo "=== $case: $test"
  ip netns exec "$ns_a" env HALVANE_IN_NETNS=1 HALVANE_NODECALL_CASE="$case" \
    HALVANE_NODECALL_EXPECT="$expect" HALVANE_NODECALL_DATE="$date_word" HALVANE_NODECALL_TIME="$time_word" \
    bash "$source_dir/tests/support/run_gui.sh" "$gui" --gtest_filter="NodeCallNetns.$test" \
    >"$work/out-$case" 2>&1
  local rc=$?
  cat "$work/out-$case"
  if [ $rc != 0 ] || ! grep -q "^\[       OK \] NodeCallNetns.$test" "$work/out-$case"; then
    echo "FAIL: $case"; failures=$((failures + 1))
  fi
}

# The request must reach a stand-in as exactly 9F F9 00 00 from the client.
check_requests() {
  local name=$1 want=$2
  local got
  got=$(grep -c "^request from 10.200.0.1 bytes 9f f9 00 00$" "$work/log-$name" 2>/dev/null)
  if [ "${got:-0}" != "$want" ] || grep -qv "^request" "$work/log-$name"; then
    echo "FAIL: stand-in $name expected $want request(s), log:"; cat "$work/log-$name" 2>/dev/null
    failures=$((failures + 1))
  fi
}

standin HYDRO-NORD 10.200.0.2
run_case one SearchListsTheStandInAndOpensItsWebClient "HYDRO-NORD@10.200.0.2"
check_requests HYDRO-NORD 1
stop_standins

standin NODE-ONE 10.200.0.2
standin NODE-TWO-16-CHARS 10.200.0.3   # 17 bytes given: the answer carries the first 16, no NUL
run_case two TwoControllersTwoSearchesTwoRows "NODE-ONE@10.200.0.2,NODE-TWO-16-CHAR@10.200.0.3"
check_requests NODE-ONE 2
check_requests NODE-TWO-16-CHARS 2
stop_standins

standin TWIN 10.200.0.2 --repeat 2
run_case twice TwoIdenticalAnswersTwoRows "TWIN@10.200.0.2,TWIN@10.200.0.2"
check_requests TWIN 1
stop_standins

# One controller whose clock is three hours behind this machine's, one on time.
standin LATE-CLOCK 10.200.0.2 --offset -10800
standin ON-TIME 10.200.0.3 --offset 0
run_case behind ControllerClockBehindShowsHowFarInTheWarningColour "LATE-CLOCK@10.200.0.2,ON-TIME@10.200.0.3"
check_requests LATE-CLOCK 1
stop_standins

run_case none NoControllerAnEmptyListAndNoMessage ""

if [ $failures != 0 ]; then
  echo "$failures failure(s)"; exit 1
fi
echo "all node call namespace cases passed"
