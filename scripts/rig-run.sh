#!/usr/bin/env bash
# Runs a command with the network rig up (scripts/netrig.sh) and proves that
# none of the rig's traffic reached the machine's own network.
#
#   scripts/rig-run.sh [--inside] CMD...
#     --inside                 run CMD inside nxr-pc, the discovering computer;
#                              without it CMD runs here and uses
#                              `scripts/netrig.sh exec` where it must
#     NETRIG_UP_ARGS="..."     options for `netrig.sh up`, e.g.
#                              "--printers 244 --local-net 198.51.100.0/24
#                               --remote 20 --remote-net 198.18.0.0/22"
#   CMD finds the rig's manifest (printers.tsv) in NETRIG_MANIFEST.
#
# A guard capture runs on every interface of the root namespace from before
# the rig is made until after it is gone, for the rig's nets and SNMP. The
# rig is always taken down (also on Ctrl-C). The run fails, with a one-line
# reason, when network namespaces cannot be used, when the rig does not come
# up, when CMD fails (its exit status is kept) or when the guard saw a packet.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
guard_filter='net 198.51.100.0/24 or net 198.18.0.0/15 or udp port 161'

fail() { echo "rig-run: $*" >&2; exit 1; }

inside=0
if [ "${1:-}" = --inside ]; then inside=1; shift; fi
[ $# -gt 0 ] || fail "usage: rig-run.sh [--inside] CMD..."

# Network namespaces, and the tools, or a clear reason.
[ "$(id -u)" -eq 0 ] || fail "needs root: the rig makes network namespaces"
for tool in ip tcpdump snmpd python3 unshare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh)"
done
ip netns list >/dev/null 2>&1 || fail "'ip netns' does not work here"
unshare --net true 2>/dev/null || fail "cannot make a network namespace (no kernel support or no privilege)"

work=$(mktemp -d /tmp/rig-run.XXXXXX)
guard_pid=""
rig_made=0
status=0

# shellcheck disable=SC2317  # called by the EXIT trap
finish() {
  local exit_status=$? packets=0 filtered=0 down_failed=0
  trap - EXIT INT TERM
  [ "$status" -ne 0 ] || status=$exit_status
  if [ "$rig_made" -eq 1 ]; then "$here/netrig.sh" down || down_failed=1; fi
  if [ -n "$guard_pid" ]; then
    if ! kill -0 "$guard_pid" 2>/dev/null; then
      echo "rig-run: the guard capture stopped before the end: $(tail -n 1 "$work/guard.err")" >&2
      [ "$status" -ne 0 ] || status=1
    fi
    kill -TERM "$guard_pid" 2>/dev/null || true
    wait "$guard_pid" 2>/dev/null || true
    # Packets in the file, and those the kernel handed to the filter (in case
    # some never reached the file).
    packets=$(tcpdump -r "$work/guard.pcap" -n 2>/dev/null | wc -l)
    filtered=$(awk '/packets received by filter/ {print $1}' "$work/guard.err")
    [ "${filtered:-0}" -le "$packets" ] || packets=$filtered
    echo "guard capture: $packets packets on the root namespace"
    if [ "$packets" -gt 0 ]; then
      tcpdump -r "$work/guard.pcap" -n 2>/dev/null | head -n 5 >&2
      echo "rig-run: the rig's traffic reached the root namespace (capture kept in $work)" >&2
      [ "$status" -ne 0 ] || status=1
    else
      rm -rf "$work"
    fi
  fi
  if [ "$down_failed" -eq 1 ]; then
    echo "rig-run: netrig.sh down failed" >&2
    [ "$status" -ne 0 ] || status=1
  fi
  exit "$status"
}
trap finish EXIT
trap 'status=130; exit 130' INT
trap 'status=143; exit 143' TERM

# The guard, capturing before anything of the rig exists. In a session of its
# own, so that a Ctrl-C does not stop it before the rig is gone (setsid does
# not fork here: a background job is no process group leader).
setsid tcpdump -i any -n -U --immediate-mode -Z root -w "$work/guard.pcap" "$guard_filter" \
  </dev/null >/dev/null 2>"$work/guard.err" &
guard_pid=$!
for _ in $(seq 100); do
  grep -q '^tcpdump: listening on' "$work/guard.err" && break
  kill -0 "$guard_pid" 2>/dev/null || { guard_pid=""; fail "the guard capture did not start: $(tail -n 1 "$work/guard.err")"; }
  sleep 0.1
done
grep -q '^tcpdump: listening on' "$work/guard.err" || fail "the guard capture did not start within 10s"
[ "$(cat "/proc/$guard_pid/comm" 2>/dev/null)" = tcpdump ] || fail "the guard capture runs under another pid"

# A rig already up belongs to another run: it is left alone.
if ip netns list | grep -q '^nxr-'; then
  fail "a rig is already up (scripts/netrig.sh down removes it)"
fi
read -r -a up_args <<<"${NETRIG_UP_ARGS:-}"
rig_made=1
"$here/netrig.sh" up "${up_args[@]}" || { status=1; fail "the rig did not come up"; }
# What the rig holds, for CMD to compute its expectations from.
NETRIG_MANIFEST=$("$here/netrig.sh" manifest)
export NETRIG_MANIFEST

set +e
if [ "$inside" -eq 1 ]; then
  "$here/netrig.sh" exec -- "$@"
else
  "$@"
fi
command_status=$?
set -e
if [ "$command_status" -ne 0 ]; then
  status=$command_status
  echo "rig-run: $1 failed (exit $command_status)" >&2
fi
exit "$status"
