#!/usr/bin/env python3
"""Sends SNMP GETs from inside the network rig and prints who answered.

  snmp_probe.py [--oid OID]... TARGET...        one GET to each target
  snmp_probe.py --broadcast --bind ADDR         one GET to 255.255.255.255
                                                from ADDR
  snmp_probe.py --wait SECONDS --targets-file F  asks again until every target
                                                of F (one address a line) has
                                                answered; exit 1 naming those
                                                that did not

Each valid Response is printed as "SOURCE<TAB>OID = TYPE: value..." on
standard output. Replies that are not a well-formed Response to one of our
requests (wrong id, cut short, trailing bytes, unknown types) are counted on
standard error and otherwise ignored. Run it with `netrig.sh exec --`.
"""

import argparse
import os
import select
import socket
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import snmp_ber as ber  # noqa: E402

SYS_NAME = "1.3.6.1.2.1.1.5.0"


def parse_args():
    p = argparse.ArgumentParser(description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("targets", nargs="*")
    p.add_argument("--targets-file")
    p.add_argument("--oid", action="append", help="default: sysName.0")
    p.add_argument("--community", default="public")
    p.add_argument("--version", choices=("1", "2c"), default="2c")
    p.add_argument("--bind", default="0.0.0.0", help="local address")
    p.add_argument("--broadcast", action="store_true",
                   help="send to 255.255.255.255 instead of targets")
    p.add_argument("--timeout", type=float, default=2.0,
                   help="seconds to collect answers (one-shot modes)")
    p.add_argument("--wait", type=float,
                   help="ask unanswered targets again until this many seconds")
    p.add_argument("--quiet", action="store_true", help="print no responses")
    return p.parse_args()


def main():
    args = parse_args()
    oids = args.oid or [SYS_NAME]
    version = ber.VERSION_1 if args.version == "1" else ber.VERSION_2C
    community = args.community.encode()
    targets = list(args.targets)
    if args.targets_file:
        with open(args.targets_file) as f:
            targets += [line.strip() for line in f if line.strip()]
    if args.broadcast:
        targets = ["255.255.255.255"]
    if not targets:
        sys.exit("snmp_probe: no targets")

    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4 << 20)
    if args.broadcast:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    sock.bind((args.bind, 0))

    base_id = (os.getpid() << 12) & 0x3FFFFFFF
    request_ids = {}  # request id -> target
    answered = set()
    ignored = 0

    def send(target):
        request_id = base_id + len(request_ids) + 1
        request_ids[request_id] = target
        try:
            sock.sendto(ber.get_request(community, request_id, oids, version),
                        (target, 161))
        except OSError as e:
            print("snmp_probe: %s: %s" % (target, e), file=sys.stderr)

    def receive(until):
        nonlocal ignored
        while True:
            left = until - time.monotonic()
            if left <= 0 or not select.select([sock], [], [], left)[0]:
                return
            data, source = sock.recvfrom(65535)
            try:
                reply = ber.decode_message(data)
                target = request_ids.get(reply.request_id)
                if reply.pdu_tag != ber.RESPONSE or target is None:
                    raise ber.BerError("not a Response to our requests")
                if target != "255.255.255.255" and target != source[0]:
                    raise ber.BerError("answer from another address")
                if len(reply.varbinds) != len(oids):
                    raise ber.BerError("varbinds do not match the request")
            except ber.BerError as e:
                ignored += 1
                print("snmp_probe: ignored %d bytes from %s: %s"
                      % (len(data), source[0], e), file=sys.stderr)
                continue
            first = source[0] not in answered
            answered.add(source[0])
            if not args.quiet and (first or args.wait is None):
                values = "\t".join("%s = %s" % (o, ber.describe(t, v))
                                   for o, t, v in reply.varbinds)
                status = ("" if reply.error_status == 0 else
                          "\terror-status %d index %d"
                          % (reply.error_status, reply.error_index))
                print("%s\t%s%s" % (source[0], values, status), flush=True)

    if args.wait is None:
        for target in targets:
            send(target)
        receive(time.monotonic() + args.timeout)
        if ignored:
            print("snmp_probe: %d replies ignored" % ignored, file=sys.stderr)
        return 0 if answered else 1

    deadline = time.monotonic() + args.wait
    while True:
        pending = [t for t in targets if t not in answered]
        if not pending:
            return 0
        if time.monotonic() >= deadline:
            print("snmp_probe: no answer within %gs from: %s"
                  % (args.wait, " ".join(pending)), file=sys.stderr)
            return 1
        for target in pending:
            send(target)
        receive(min(deadline, time.monotonic() + 0.5))


if __name__ == "__main__":
    sys.exit(main())
