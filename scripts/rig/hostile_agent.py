#!/usr/bin/env python3
"""A misbehaving SNMP agent for the network rig (started by netrig.sh --hostile).

Listens on UDP 0.0.0.0:161 in its namespace and answers GETs (community
"public", v1 or v2c) for the objects a printer search asks about.

  --mode valid  before each correct Response it sends four replies a correct
                client must ignore, all but the first with the request's id:
                  1. the correct Response with a forged request id;
                  2. the correct Response cut in the middle;
                  3. the correct Response followed by trailing bytes, once 16
                     and once enough to make a 65,400-byte datagram;
                  4. the correct Response whose first value has the unknown
                     tag 0x47 instead of its own.
  --mode mute   answers one GET for sysName.0 that came to a broadcast
                address, correctly, and then nothing at all: an agent that
                disappears in the middle of a search. SIGUSR1 arms it again.

--ready FILE is created once the socket is bound.
"""

import argparse
import os
import signal
import socket
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import snmp_ber as ber  # noqa: E402

SYS_DESCR = "1.3.6.1.2.1.1.1.0"
SYS_NAME = "1.3.6.1.2.1.1.5.0"
AD_ENT_IF_INDEX = "1.3.6.1.2.1.4.20.1.2."
AD_ENT_NET_MASK = "1.3.6.1.2.1.4.20.1.3."
IF_PHYS_ADDRESS = "1.3.6.1.2.1.2.2.1.6."
ROUTE_NEXT_HOP_DEFAULT = "1.3.6.1.2.1.4.21.1.7.0.0.0.0"
DEVICE_ID_1284 = "1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1"
HR_DEVICE_DESCR_1 = "1.3.6.1.2.1.25.3.2.1.3.1"

IF_INDEX = 2
LARGE_DATAGRAM = 65400  # below the 65,507 bytes a UDP/IPv4 datagram can hold


def parse_args():
    p = argparse.ArgumentParser(description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--mode", choices=("valid", "mute"), required=True)
    p.add_argument("--address", required=True, help="this agent's IPv4 address")
    p.add_argument("--mask", required=True)
    p.add_argument("--gateway", required=True)
    p.add_argument("--mac", required=True, help="12 hexadecimal digits")
    p.add_argument("--sysname", required=True)
    p.add_argument("--device-id", default="")
    p.add_argument("--hr-descr", default="")
    p.add_argument("--port", type=int, default=161)
    p.add_argument("--ready", help="file to create once listening")
    return p.parse_args()


class Agent:
    def __init__(self, args):
        self.args = args
        mac = bytes.fromhex(args.mac)
        self.objects = {
            SYS_DESCR: ber.octets("Hostile test agent " + args.sysname),
            SYS_NAME: ber.octets(args.sysname),
            AD_ENT_IF_INDEX + args.address: ber.integer(IF_INDEX),
            AD_ENT_NET_MASK + args.address: ber.ip_address(args.mask),
            IF_PHYS_ADDRESS + str(IF_INDEX): ber.octets(mac),
            ROUTE_NEXT_HOP_DEFAULT: ber.ip_address(args.gateway),
        }
        if args.device_id:
            self.objects[DEVICE_ID_1284] = ber.octets(args.device_id)
        if args.hr_descr:
            self.objects[HR_DEVICE_DESCR_1] = ber.octets(args.hr_descr)
        self.armed = True

    def response(self, request, request_id=None, value_tag=None):
        """The Response to a GET; value_tag replaces the first value's tag."""
        varbinds = []
        error_status = error_index = 0
        for index, (name, _, _) in enumerate(request.varbinds, 1):
            value = self.objects.get(name)
            if value is None:
                if request.version == ber.VERSION_1:
                    # v1 has no exception values: the whole GET fails.
                    error_status, error_index = 2, index  # noSuchName
                    varbinds = [(n, ber.null()) for n, _, _ in request.varbinds]
                    break
                value = ber.null(ber.NO_SUCH_OBJECT)
            if value_tag is not None and index == 1:
                value = bytes([value_tag]) + value[1:]
            varbinds.append((name, value))
        return ber.message(request.version, request.community, ber.RESPONSE,
                           request.request_id if request_id is None else request_id,
                           varbinds, error_status, error_index)

    def replies(self, request, destination):
        """The datagrams to send for one GET, in order."""
        correct = self.response(request)
        if self.args.mode == "mute":
            asks_name = [n for n, _, _ in request.varbinds] == [SYS_NAME]
            if self.armed and asks_name and destination != self.args.address:
                self.armed = False
                return [correct]
            return []
        forged_id = (request.request_id + 0x5A5A) & 0x7FFFFFFF
        garbage = bytes((0xA5 ^ i) & 0xFF for i in range(LARGE_DATAGRAM))
        return [
            self.response(request, request_id=forged_id),
            correct[:len(correct) // 2],
            correct + garbage[:16],
            correct + garbage[:LARGE_DATAGRAM - len(correct)],
            self.response(request, value_tag=0x47),
            correct,
        ]


def main():
    args = parse_args()
    agent = Agent(args)

    def rearm(signum, frame):
        agent.armed = True

    signal.signal(signal.SIGUSR1, rearm)
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.setsockopt(socket.IPPROTO_IP, ber.IP_PKTINFO_TYPE, 1)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1 << 20)
    sock.bind(("0.0.0.0", args.port))
    if args.ready:
        with open(args.ready, "w") as f:
            f.write("%d\n" % os.getpid())
    print("listening on udp 0.0.0.0:%d as %s (%s)"
          % (args.port, args.sysname, args.mode), flush=True)
    while True:
        try:
            data, ancillary, _, source = sock.recvmsg(65535, ber.PKTINFO_SPACE)
        except InterruptedError:
            continue
        destination = ber.in_pktinfo_destination(ancillary)
        try:
            request = ber.decode_message(data)
        except ber.BerError as e:
            print("%s: undecodable request: %s" % (source[0], e), flush=True)
            continue
        if request.pdu_tag != ber.GET_REQUEST or request.community != b"public":
            continue
        replies = agent.replies(request, destination)
        print("%s -> %s: GET %s, %d replies" % (
            source[0], destination, " ".join(n for n, _, _ in request.varbinds),
            len(replies)), flush=True)
        for reply in replies:
            try:
                sock.sendto(reply, source)
            except OSError as e:
                print("%s: send failed: %s" % (source[0], e), flush=True)


if __name__ == "__main__":
    main()
