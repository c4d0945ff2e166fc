#!/usr/bin/env bash
# The network rig: simulated SNMP printers in network namespaces, for testing
# and timing printer discovery without sending a packet on a real network.
#
#   netrig.sh up [--printers N] [--remote M] [--local-net CIDR]
#                [--remote-net CIDR] [--hostile]
#   netrig.sh exec [--ns NAME] -- CMD...   runs CMD in nxr-pc (or NAME)
#   netrig.sh manifest                     prints the manifest's path
#   netrig.sh down                         stops and deletes all of it
#
# `up` makes (defaults: N=15, M=5, local 198.51.100.0/25, remote
# 198.51.100.128/26):
#   nxr-br     two bridges, br-local and br-remote, joining everything below
#   nxr-rt     the router, ip_forward on: first host of the local net (.1 of
#              198.51.100.0/25) and first host of the remote net (.129)
#   nxr-pc     the discovering computer: second host of the local net (.2),
#              default route via the router
#   nxr-p<k>   one simulated printer each, k = 1..N on the local net from its
#              third host on (.3, .4, ...), then k = N+1..N+M on the remote net
#              from its second host on (.130, ...); default route via the
#              router; MAC 02:00:00:00:HH:LL with HHLL = k in hexadecimal
#   nxr-h1/h2  with --hostile, on the last two hosts of the local net
#              (.125 and .126 of a /25): scripts/rig/hostile_agent.py as a
#              misbehaving agent (net=hostile-valid) and as one that answers
#              the broadcast once and then falls silent (net=hostile-mute;
#              SIGUSR1 to its pid, in pids/, arms it again)
# Every printer runs its own net-snmp snmpd on udp 0.0.0.0:161 (community
# "public") answering sysName, the interface, address and route tables and
# fixed values for hrDeviceDescr.1 and the IEEE 1284 device ID. The printer
# mix depends only on a printer's position in its net: the InkJet 5200, the
# InkJet 3100, the MF7300, a Lumina MFP420, and an InkJet 5200 without a
# device ID (hrDeviceDescr only), in turn.
#
# Addresses: the local net must lie in 198.51.100.0/24, the remote net in
# 198.51.100.0/24 or 198.18.0.0/15 (e.g. --printers 244 --local-net
# 198.51.100.0/24 --remote 20 --remote-net 198.18.0.0/22: router
# 198.51.100.1 and 198.18.0.1, computer 198.51.100.2, printers
# 198.51.100.3-246 and 198.18.0.2-21). Nothing is created in the root
# namespace: each veth is made inside its namespace with its peer placed
# straight into nxr-br, and every agent runs inside a rig namespace.
#
# State (${NETRIG_STATE:-/tmp/netrig}): printers.tsv, the manifest (namespace,
# ip, mac, sysname, mask, gateway, deviceid, hrdescr, net = local, remote,
# hostile-valid or hostile-mute); rig.env (the computer's and router's
# addresses, the nets); pids/ (every process started); agents/<ns>/ (each
# agent's configuration, persistent files and log). NETRIG_WAIT (seconds,
# default 60) bounds the wait for the agents to answer. Needs root, iproute2,
# snmpd and python3.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
state=$(realpath -m "${NETRIG_STATE:-/tmp/netrig}")
marker="$state/.netrig-state"
bridge_ns=nxr-br
router_ns=nxr-rt
pc_ns=nxr-pc
# snmpd modules the printers need: system, SNMP and access control, the
# interface, address and route tables, and override for the fixed values.
# Leaving out the rest halves each agent's memory and start-up work.
snmpd_modules=system_mib,sysORTable,snmp_mib,vacm_vars,vacm_conf,usmConf
snmpd_modules+=,ip,ip_scalars,var_route,interface,ifTable,override

die() { echo "netrig: $*" >&2; exit 1; }

usage() {
  sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0"
  exit "${1:-2}"
}

# ---- addresses --------------------------------------------------------------

ip_to_int() {
  local IFS=.
  # shellcheck disable=SC2086
  set -- $1
  echo $(( ($1 << 24) | ($2 << 16) | ($3 << 8) | $4 ))
}

# int_to_ip VARIABLE INTEGER: the dotted form, without a subshell (the plan
# makes hundreds).
int_to_ip() {
  printf -v "$1" '%d.%d.%d.%d' $(( ($2 >> 24) & 255 )) $(( ($2 >> 16) & 255 )) $(( ($2 >> 8) & 255 )) $(( $2 & 255 ))
}

prefix_mask() { echo $(( (0xFFFFFFFF << (32 - $1)) & 0xFFFFFFFF )); }

# parse_net OPTION CIDR: sets net_base, net_len, net_last (the broadcast).
parse_net() {
  local option=$1 cidr=$2 octet
  [[ $cidr =~ ^([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})/([0-9]{1,2})$ ]] ||
    die "$option $cidr: not an IPv4 net in CIDR form"
  for octet in "${BASH_REMATCH[@]:1:4}"; do
    [ "$((10#$octet))" -le 255 ] || die "$option $cidr: not an IPv4 address"
  done
  net_len=$((10#${BASH_REMATCH[5]}))
  if [ "$net_len" -lt 8 ] || [ "$net_len" -gt 30 ]; then die "$option $cidr: prefix must be 8-30"; fi
  net_base=$(ip_to_int "${cidr%/*}")
  [ $(( net_base & ~$(prefix_mask "$net_len") & 0xFFFFFFFF )) -eq 0 ] ||
    die "$option $cidr: host bits are set"
  net_last=$(( net_base | (~$(prefix_mask "$net_len") & 0xFFFFFFFF) ))
}

# inside BASE LEN ALLOWED_CIDR: whether BASE/LEN lies in ALLOWED_CIDR.
inside() {
  local allowed_base allowed_len=${3#*/}
  allowed_base=$(ip_to_int "${3%/*}")
  [ "$2" -ge "$allowed_len" ] &&
    [ $(( $1 & $(prefix_mask "$allowed_len") )) -eq "$allowed_base" ]
}


# ---- processes and namespaces ---------------------------------------------

rig_namespaces() { ip netns list 2>/dev/null | awk '$1 ~ /^nxr-/ {print $1}'; }

# alive PID: the process runs and was started by this rig (its command line
# names the state folder), so a recycled pid is never signalled.
alive() {
  local cmdline
  [ -r "/proc/$1/cmdline" ] || return 1
  { cmdline=$(tr '\0' ' ' <"/proc/$1/cmdline"); } 2>/dev/null || return 1
  [[ $cmdline == *"$state/"* ]]
}

# running PID: the process exists and has not exited. An agent whose starter
# is gone is reaped by init, which may take seconds: its zombie counts as
# ended.
running() {
  local stat
  { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}

stop_pids() {
  local pid deadline
  local -a pids=()
  for pid in "$@"; do
    [[ $pid =~ ^[0-9]+$ ]] && kill -TERM "$pid" 2>/dev/null && pids+=("$pid")
  done
  deadline=$(( SECONDS + 5 ))
  for pid in "${pids[@]}"; do
    while running "$pid" && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.05
    done
    ! running "$pid" || kill -KILL "$pid" 2>/dev/null || true
  done
}

# The pids of the processes whose network namespace is one of those named.
pids_in_namespaces() {
  {
    stat -L -c 'ns %i' "${@/#//run/netns/}"
    find /proc -mindepth 3 -maxdepth 3 -path '/proc/[0-9]*/ns/net' -printf 'proc %l %p\n'
  } 2>/dev/null | awk -v self=$$ '
    $1 == "ns" { wanted["net:[" $2 "]"] = 1; next }
    $2 in wanted { split($3, path, "/"); if (path[3] != self) print path[3] }'
}

do_down() {
  local file pid
  local -a pids=() namespaces=()
  if [ -d "$state/pids" ]; then
    for file in "$state"/pids/*; do
      [ -f "$file" ] || continue
      read -r pid <"$file" || true
      if [[ $pid =~ ^[0-9]+$ ]] && alive "$pid"; then pids+=("$pid"); fi
    done
  fi
  [ ${#pids[@]} -eq 0 ] || stop_pids "${pids[@]}"
  # Every nxr-* namespace goes, recorded or not: the prefix is the rig's and
  # `up` wants none left. A process still inside one (a command started with
  # `exec`) would keep its network alive, so it ends too.
  mapfile -t namespaces < <(rig_namespaces)
  if [ ${#namespaces[@]} -gt 0 ]; then
    mapfile -t pids < <(pids_in_namespaces "${namespaces[@]}")
    [ ${#pids[@]} -eq 0 ] || stop_pids "${pids[@]}"
    printf 'netns del %s\n' "${namespaces[@]}" | ip -force -batch - || true
  fi
  if [ -f "$marker" ]; then
    rm -rf "$state"
  fi
  if [ -n "$(rig_namespaces)" ]; then
    echo "netrig: namespaces left: $(rig_namespaces | tr '\n' ' ')" >&2
    return 1
  fi
}

# ---- building the rig ---------------------------------------------------------

ns_batch() {
  local ns=$1
  shift
  printf '%s\n' "$@" | ip -n "$ns" -batch - || die "ip commands failed in $ns"
}

add_namespaces() {
  # Recorded before they exist, so that `down` after a failure finds them.
  printf '%s\n' "$@" >>"$state/namespaces"
  printf 'netns add %s\n' "$@" | ip -batch - || die "could not create the namespaces"
}

# host_link NS IFACE MAC ADDRESS/LEN BRIDGE_PORT [GATEWAY]: a veth made inside
# NS whose peer goes straight to nxr-br under the name BRIDGE_PORT.
host_link() {
  local ns=$1 iface=$2 mac=$3 address=$4 port=$5 gateway=${6:-}
  link_lines=(
    "link add $iface address $mac type veth peer name $port netns $bridge_ns"
    "link set $iface addrgenmode none"
    "addr add $address dev $iface"
    "link set $iface up"
  )
  [ -z "$gateway" ] || link_lines+=("route add default via $gateway dev $iface")
}

write_snmpd_conf() {
  local dir=$1 sysname=$2 hrdescr=$3 deviceid=$4
  {
    echo "# netrig.sh: the agent of a simulated printer"
    echo "rocommunity public"
    echo "sysName $sysname"
    echo "sysDescr $hrdescr"
    echo "sysLocation netrig"
    echo "dontLogTCPWrappersConnects yes"
    echo "override 1.3.6.1.2.1.25.3.2.1.3.1 octet_str \"$hrdescr\""
    [ -z "$deviceid" ] ||
      echo "override 1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1 octet_str \"$deviceid\""
  } >"$dir/snmpd.conf"
}

start_snmpd() {
  local ns=$1 dir="$state/agents/$1"
  # -f keeps the pid we record; MIB files are not loaded (every name in the
  # configuration is numeric) and the persistent files stay in the state.
  SNMP_PERSISTENT_DIR="$dir/persist" MIBS="" \
    ip netns exec "$ns" snmpd -f -C -c "$dir/snmpd.conf" -Lf "$dir/snmpd.log" \
    -m "" -M "$dir" -I "$snmpd_modules" udp:0.0.0.0:161 \
    </dev/null >>"$dir/snmpd.out" 2>&1 &
  echo $! >"$state/pids/$ns.snmpd"
}

start_hostile() {
  local ns=$1 mode=$2 ip=$3 mask=$4 gateway=$5 mac=$6 sysname=$7 deviceid=$8 hrdescr=$9
  local dir="$state/agents/$ns"
  ip netns exec "$ns" "$python" -u "$here/rig/hostile_agent.py" --mode "$mode" \
    --address "$ip" --mask "$mask" --gateway "$gateway" --mac "$mac" \
    --sysname "$sysname" --device-id "$deviceid" --hr-descr "$hrdescr" \
    --ready "$dir/ready" </dev/null >>"$dir/agent.log" 2>&1 &
  echo $! >"$state/pids/$ns.agent"
}

# The printer mix by position in its net: kind NNN -> fields.
printer_kind() {
  local position=$1 k=$2 n
  printf -v n '%03d' "$k"
  case $(( (position - 1) % 5 )) in
    0) kind=("QVX-IJ5200-$n" "MFG:Quorvex;MDL:InkJet 5200;CMD:QVXRASTER;CLS:PRINTER;" "Quorvex InkJet 5200") ;;
    1) kind=("QVX-IJ3100-$n" "MFG:Quorvex;MDL:InkJet 3100;CMD:QVXRASTER;CLS:PRINTER;" "Quorvex InkJet 3100") ;;
    2) kind=("QVX-MF7300-$n" "MFG:Quorvex;MDL:MF7300;CMD:PCL,PJL;CLS:MFP;" "Quorvex MF7300") ;;
    3) kind=("LUM-MFP420-$n" "MFG:Lumina;MDL:MFP420;CMD:PCL;CLS:MFP;" "Lumina MFP420") ;;
    4) kind=("QVX-IJ5200-$n" "" "Quorvex InkJet 5200") ;;
  esac
}

check_no_rig() {
  local left file pid
  left=$(rig_namespaces | wc -l)
  [ "$left" -eq 0 ] ||
    die "$left rig namespaces already exist ($(rig_namespaces | head -n 3 | tr '\n' ' ')...); run: $0 down"
  if [ -e "$state" ]; then
    [ -f "$marker" ] || [ -z "$(ls -A "$state" 2>/dev/null)" ] ||
      die "$state exists and is not a rig state folder; set NETRIG_STATE"
    for file in "$state"/pids/*; do
      [ -f "$file" ] || continue
      pid=$(cat "$file")
      if [[ $pid =~ ^[0-9]+$ ]] && alive "$pid"; then
        die "a rig process still runs (pid $pid); run: $0 down"
      fi
    done
  fi
}

up_failed() {
  local status=$?
  trap - EXIT INT TERM
  if [ "$status" -ne 0 ]; then
    echo "netrig: up did not finish; removing what it made" >&2
    do_down || true
  fi
  exit "$status"
}

do_up() {
  local printers=15 remote=5 local_net=198.51.100.0/25 remote_net=198.51.100.128/26 hostile=0
  while [ $# -gt 0 ]; do
    case $1 in
      --printers) printers=${2:?}; shift 2 ;;
      --remote) remote=${2:?}; shift 2 ;;
      --local-net) local_net=${2:?}; shift 2 ;;
      --remote-net) remote_net=${2:?}; shift 2 ;;
      --hostile) hostile=1; shift ;;
      -h|--help) usage 0 ;;
      *) die "up: unknown option $1" ;;
    esac
  done
  [[ $printers =~ ^[0-9]+$ ]] || die "--printers $printers: not a number"
  [[ $remote =~ ^[0-9]+$ ]] || die "--remote $remote: not a number"

  [ "$(id -u)" -eq 0 ] || die "needs root (network namespaces)"
  command -v snmpd >/dev/null || die "snmpd is not installed (scripts/install-deps.sh)"
  python=$(python3 -c 'import sys; print(sys.executable)') || die "python3 is needed"

  local local_base local_len local_last remote_base remote_len remote_last
  parse_net --local-net "$local_net"
  local_base=$net_base local_len=$net_len local_last=$net_last
  inside "$local_base" "$local_len" 198.51.100.0/24 ||
    die "--local-net $local_net: must lie in 198.51.100.0/24"
  parse_net --remote-net "$remote_net"
  remote_base=$net_base remote_len=$net_len remote_last=$net_last
  inside "$remote_base" "$remote_len" 198.51.100.0/24 ||
    inside "$remote_base" "$remote_len" 198.18.0.0/15 ||
    die "--remote-net $remote_net: must lie in 198.51.100.0/24 or 198.18.0.0/15"
  [ "$local_last" -lt "$remote_base" ] || [ "$remote_last" -lt "$local_base" ] ||
    die "--local-net $local_net and --remote-net $remote_net overlap"
  # Local: router, computer, printers, then (hostile) the two last hosts.
  [ $(( local_base + 2 + printers + 2 * hostile )) -lt "$local_last" ] ||
    die "--local-net $local_net has no room for $printers printers"
  [ $(( remote_base + 1 + remote )) -lt "$remote_last" ] ||
    die "--remote-net $remote_net has no room for $remote printers"
  [ $(( printers + remote )) -ge 1 ] || die "no printers to simulate"
  [ $(( printers + remote )) -lt 65024 ] || die "too many printers"

  check_no_rig
  trap up_failed EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  local started=$EPOCHREALTIME
  rm -rf "$state"
  mkdir -p "$state/pids" "$state/agents"
  : >"$marker"

  local local_mask remote_mask router_local router_remote pc_ip h1_ip h2_ip
  int_to_ip local_mask "$(prefix_mask "$local_len")"
  int_to_ip remote_mask "$(prefix_mask "$remote_len")"
  int_to_ip router_local $(( local_base + 1 ))
  int_to_ip router_remote $(( remote_base + 1 ))
  int_to_ip pc_ip $(( local_base + 2 ))
  cat >"$state/rig.env" <<EOF
NETRIG_PC_NS=$pc_ns
NETRIG_PC_IP=$pc_ip
NETRIG_ROUTER_LOCAL_IP=$router_local
NETRIG_ROUTER_REMOTE_IP=$router_remote
NETRIG_LOCAL_NET=$local_net
NETRIG_REMOTE_NET=$remote_net
EOF

  # The plan: one row per simulated printer and hostile agent, the manifest's
  # fields joined by | (tabs would merge around an empty device ID).
  local -a rows=()
  local k ip mac net mask gateway position
  for (( k = 1; k <= printers + remote; k++ )); do
    if [ "$k" -le "$printers" ]; then
      position=$k net=local mask=$local_mask gateway=$router_local
      int_to_ip ip $(( local_base + 2 + k ))
    else
      position=$(( k - printers )) net=remote mask=$remote_mask gateway=$router_remote
      int_to_ip ip $(( remote_base + 1 + position ))
    fi
    printer_kind "$position" "$k"
    printf -v mac '02000000%02X%02X' $(( k >> 8 )) $(( k & 255 ))
    rows+=("nxr-p$k|$ip|$mac|${kind[0]}|$mask|$gateway|${kind[1]}|${kind[2]}|$net")
  done
  if [ "$hostile" -eq 1 ]; then
    local product_id="MFG:Quorvex;MDL:InkJet 5200;CMD:QVXRASTER;CLS:PRINTER;"
    int_to_ip h1_ip $(( local_last - 2 ))
    int_to_ip h2_ip $(( local_last - 1 ))
    rows+=("nxr-h1|$h1_ip|02000000FE01|HOSTILE-H1|$local_mask|$router_local|$product_id|Quorvex InkJet 5200|hostile-valid")
    rows+=("nxr-h2|$h2_ip|02000000FE02|HOSTILE-H2|$local_mask|$router_local|$product_id|Quorvex InkJet 5200|hostile-mute")
  fi
  {
    printf 'namespace\tip\tmac\tsysname\tmask\tgateway\tdeviceid\thrdescr\tnet\n'
    printf '%s\n' "${rows[@]}" | tr '|' '\t'
  } >"$state/printers.tsv"

  # Namespaces and the bridges.
  local -a hosts=() row
  local line
  for line in "${rows[@]}"; do hosts+=("${line%%|*}"); done
  add_namespaces "$bridge_ns" "$router_ns" "$pc_ns" "${hosts[@]}"
  ns_batch "$bridge_ns" "link set lo up" \
    "link add br-local type bridge" "link add br-remote type bridge" \
    "link set br-local addrgenmode none" "link set br-remote addrgenmode none" \
    "link set br-local up" "link set br-remote up"

  # Router and computer.
  local -a link_lines router_lines
  host_link "$router_ns" eth0 02:00:00:01:00:01 "$router_local/$local_len" rt-local
  router_lines=("link set lo up" "${link_lines[@]}")
  host_link "$router_ns" eth1 02:00:00:01:01:01 "$router_remote/$remote_len" rt-remote
  router_lines+=("${link_lines[@]/%dev eth1/dev eth1 noprefixroute}")
  # The remote net is reached host by host: a sweep of its absent addresses
  # gets "unreachable" at once instead of a pending ARP entry each. The
  # kernel's neighbour table is shared by all namespaces (gc_thresh3, 1024
  # here), and a /22 of pending entries overflows it, dropping real traffic.
  router_lines+=("route add unreachable $remote_net")
  for line in "${rows[@]}"; do
    [[ $line == *"|remote" ]] || continue
    ip=${line#*|}
    router_lines+=("route add ${ip%%|*}/32 dev eth1")
  done
  ns_batch "$router_ns" "${router_lines[@]}"
  ip netns exec "$router_ns" sh -c 'echo 1 >/proc/sys/net/ipv4/ip_forward'
  host_link "$pc_ns" eth0 02:00:00:01:00:02 "$pc_ip/$local_len" pc "$router_local"
  ns_batch "$pc_ns" "link set lo up" "${link_lines[@]}"

  # Printers: their links, then their ports on the bridges.
  local -a port_lines=("link set rt-local master br-local" "link set rt-remote master br-remote"
                       "link set pc master br-local")
  local ns mac sysname deviceid hrdescr len bridge port
  for line in "${rows[@]}"; do
    IFS='|' read -r -a row <<<"$line"
    ns=${row[0]} ip=${row[1]} mac=${row[2]} gateway=${row[5]}
    case ${row[8]} in
      remote) len=$remote_len bridge=br-remote ;;
      *) len=$local_len bridge=br-local ;;
    esac
    port=${ns#nxr-}
    mac=${mac:0:2}:${mac:2:2}:${mac:4:2}:${mac:6:2}:${mac:8:2}:${mac:10:2}
    host_link "$ns" eth0 "$mac" "$ip/$len" "$port" "$gateway"
    ns_batch "$ns" "link set lo up" "${link_lines[@]}"
    port_lines+=("link set $port master $bridge")
  done
  for port in rt-local rt-remote pc "${hosts[@]#nxr-}"; do
    port_lines+=("link set $port addrgenmode none" "link set $port up")
  done
  ns_batch "$bridge_ns" "${port_lines[@]}"

  # Agents, all started at once.
  mkdir -p "${hosts[@]/#/$state/agents/}"
  for line in "${rows[@]}"; do
    IFS='|' read -r ns ip mac sysname mask gateway deviceid hrdescr net <<<"$line"
    case $net in
      hostile-valid) start_hostile "$ns" valid "$ip" "$mask" "$gateway" "$mac" "$sysname" "$deviceid" "$hrdescr" ;;
      hostile-mute) start_hostile "$ns" mute "$ip" "$mask" "$gateway" "$mac" "$sysname" "$deviceid" "$hrdescr" ;;
      *)
        write_snmpd_conf "$state/agents/$ns" "$sysname" "$hrdescr" "$deviceid"
        start_snmpd "$ns"
        ;;
    esac
  done
  wait_for_agents "${NETRIG_WAIT:-60}"
  trap - EXIT INT TERM
  local took=$(( ${EPOCHREALTIME/./} - ${started/./} ))
  printf -v took '%d.%d' $(( took / 1000000 )) $(( took % 1000000 / 100000 ))
  echo "netrig: up in ${took}s: $printers local and $remote remote printers$( [ "$hostile" -eq 0 ] || echo ', 2 hostile agents'); computer $pc_ip in $pc_ns; manifest $state/printers.tsv"
}

# Every agent must answer a unicast GET from the computer, except the mute
# one, which would spend its single answer: for it, its socket is enough.
wait_for_agents() {
  local seconds=$1 deadline ns ip net pid missing="" targets="$state/agents.targets"
  awk -F'\t' 'NR > 1 && $9 != "hostile-mute" {print $2}' "$state/printers.tsv" >"$targets"
  if ! ip netns exec "$pc_ns" "$python" "$here/rig/snmp_probe.py" --quiet \
      --wait "$seconds" --targets-file "$targets" 2>"$state/wait.err"; then
    while read -r ns ip; do
      grep -qw -- "$ip" <(grep 'no answer' "$state/wait.err") || continue
      pid=$(cat "$state/pids/$ns".* 2>/dev/null || true)
      if alive "$pid"; then missing+=" $ns($ip)"; else missing+=" $ns($ip, exited)"; fi
    done < <(awk -F'\t' 'NR > 1 && $9 != "hostile-mute" {print $1, $2}' "$state/printers.tsv")
    [ -n "$missing" ] || missing=" ($(tail -n 3 "$state/wait.err" | tr '\n' ' '))"
    # The state goes with the teardown: show the first logs now.
    for ns in $(grep -o 'nxr-[a-z0-9]*' <<<"$missing" | head -n 3); do
      tail -n 5 "$state/agents/$ns"/*.log "$state/agents/$ns"/*.out 2>/dev/null | sed "s|^|$ns: |" >&2 || true
    done
    die "agents did not answer within ${seconds}s:$missing"
  fi
  if grep -q hostile-mute "$state/printers.tsv"; then
    deadline=$(( SECONDS + seconds ))
    until [ -f "$state/agents/nxr-h2/ready" ]; do
      alive "$(cat "$state/pids/nxr-h2.agent")" || die "the mute agent exited; see $state/agents/nxr-h2/agent.log"
      [ "$SECONDS" -lt "$deadline" ] || die "the mute agent is not listening after ${seconds}s"
      sleep 0.1
    done
  fi
}

do_exec() {
  local ns=$pc_ns
  while [ $# -gt 0 ]; do
    case $1 in
      --ns) ns=${2:?}; shift 2 ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  [ $# -gt 0 ] || die "exec: no command"
  [[ $ns == nxr-* ]] || die "exec: $ns is not a rig namespace"
  rig_namespaces | grep -qx -- "$ns" || die "exec: no namespace $ns; run: $0 up"
  exec ip netns exec "$ns" "$@"
}

command=${1:-}
[ $# -eq 0 ] || shift
case $command in
  up) do_up "$@" ;;
  down) [ "$(id -u)" -eq 0 ] || die "needs root"; do_down ;;
  exec) do_exec "$@" ;;
  manifest)
    [ -f "$state/printers.tsv" ] || die "no manifest in $state: the rig is not up"
    echo "$state/printers.tsv"
    ;;
  -h|--help|help) usage 0 ;;
  *) usage ;;
esac
