"""A small BER codec for the SNMP messages of the network rig.

Just enough of SNMPv1/v2c to ask for and answer GETs: the message, the PDU,
varbinds and the value types the rig's agents and probes exchange. Standard
library only, so the rig needs nothing but python3. Decoding is strict: a
length that runs past its container, trailing bytes after the message or an
unknown value tag raise BerError.
"""

import struct

# Universal and SNMP application tags.
INTEGER = 0x02
OCTET_STRING = 0x04
NULL = 0x05
OBJECT_IDENTIFIER = 0x06
SEQUENCE = 0x30
IP_ADDRESS = 0x40
COUNTER32 = 0x41
GAUGE32 = 0x42
TIMETICKS = 0x43
OPAQUE = 0x44
COUNTER64 = 0x46
NO_SUCH_OBJECT = 0x80
NO_SUCH_INSTANCE = 0x81
END_OF_MIB_VIEW = 0x82

GET_REQUEST = 0xA0
GET_NEXT_REQUEST = 0xA1
RESPONSE = 0xA2

VALUE_TAGS = {
    INTEGER: "INTEGER",
    OCTET_STRING: "OCTET STRING",
    NULL: "NULL",
    OBJECT_IDENTIFIER: "OID",
    IP_ADDRESS: "IpAddress",
    COUNTER32: "Counter32",
    GAUGE32: "Gauge32",
    TIMETICKS: "TimeTicks",
    OPAQUE: "Opaque",
    COUNTER64: "Counter64",
    NO_SUCH_OBJECT: "noSuchObject",
    NO_SUCH_INSTANCE: "noSuchInstance",
    END_OF_MIB_VIEW: "endOfMibView",
}

VERSION_1 = 0
VERSION_2C = 1


class BerError(ValueError):
    pass


# ---- encoding ---------------------------------------------------------------

def tlv(tag, content):
    n = len(content)
    if n < 0x80:
        length = bytes([n])
    else:
        octets = n.to_bytes((n.bit_length() + 7) // 8, "big")
        length = bytes([0x80 | len(octets)]) + octets
    return bytes([tag]) + length + content


def integer(value, tag=INTEGER):
    size = 1
    while not -(1 << (8 * size - 1)) <= value < (1 << (8 * size - 1)):
        size += 1
    return tlv(tag, value.to_bytes(size, "big", signed=True))


def unsigned(value, tag):
    # Counter32, Gauge32, TimeTicks: non-negative, a leading zero octet when
    # the top bit is set.
    content = value.to_bytes(max(1, (value.bit_length() + 8) // 8), "big")
    return tlv(tag, content)


def octets(data, tag=OCTET_STRING):
    if isinstance(data, str):
        data = data.encode("latin-1")
    return tlv(tag, data)


def null(tag=NULL):
    return bytes([tag, 0])


def ip_address(dotted):
    parts = [int(p) for p in dotted.split(".")]
    return tlv(IP_ADDRESS, bytes(parts))


def oid(dotted):
    arcs = [int(a) for a in dotted.strip(".").split(".")]
    if len(arcs) < 2:
        raise BerError("an OID needs two arcs")
    body = bytearray([arcs[0] * 40 + arcs[1]])
    for arc in arcs[2:]:
        chunk = [arc & 0x7F]
        arc >>= 7
        while arc:
            chunk.append(0x80 | (arc & 0x7F))
            arc >>= 7
        body.extend(reversed(chunk))
    return tlv(OBJECT_IDENTIFIER, bytes(body))


def message(version, community, pdu_tag, request_id, varbinds,
            error_status=0, error_index=0):
    """varbinds: (dotted OID, encoded value) pairs."""
    vb = b"".join(tlv(SEQUENCE, oid(o) + v) for o, v in varbinds)
    pdu = tlv(pdu_tag, integer(request_id) + integer(error_status)
              + integer(error_index) + tlv(SEQUENCE, vb))
    return tlv(SEQUENCE, integer(version) + octets(community) + pdu)


def get_request(community, request_id, oids, version=VERSION_2C):
    return message(version, community, GET_REQUEST, request_id,
                   [(o, null()) for o in oids])


# ---- decoding ---------------------------------------------------------------

def read_tlv(data, pos, end):
    """One TLV at pos: (tag, content start, content end)."""
    if pos + 2 > end:
        raise BerError("truncated header")
    tag = data[pos]
    if tag & 0x1F == 0x1F:
        raise BerError("multi-octet tags are not used by SNMP")
    first = data[pos + 1]
    pos += 2
    if first < 0x80:
        length = first
    else:
        count = first & 0x7F
        if count == 0 or count > 4:
            raise BerError("unsupported length form")
        if pos + count > end:
            raise BerError("truncated length")
        length = int.from_bytes(data[pos:pos + count], "big")
        pos += count
    if length > end - pos:
        raise BerError("length runs past its container")
    return tag, pos, pos + length


def expect(data, pos, end, tag):
    got, start, stop = read_tlv(data, pos, end)
    if got != tag:
        raise BerError("tag 0x%02X where 0x%02X was expected" % (got, tag))
    return start, stop


def decode_integer(content):
    if not content or len(content) > 8:
        raise BerError("bad integer length")
    return int.from_bytes(content, "big", signed=True)


def decode_oid(content):
    if not content or content[0] & 0x80:
        raise BerError("empty OID or a long first arc")
    arcs = [min(content[0] // 40, 2)]
    arcs.append(content[0] - 40 * arcs[0])
    value = 0
    for i, byte in enumerate(content[1:]):
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            arcs.append(value)
            value = 0
        elif i == len(content) - 2:
            raise BerError("unfinished OID arc")
    return ".".join(str(a) for a in arcs)


def decode_value(tag, content):
    if tag == INTEGER:
        return decode_integer(content)
    if tag in (COUNTER32, GAUGE32, TIMETICKS, COUNTER64):
        return int.from_bytes(content, "big")
    if tag in (OCTET_STRING, OPAQUE):
        return bytes(content)
    if tag == IP_ADDRESS:
        if len(content) != 4:
            raise BerError("IpAddress of %d octets" % len(content))
        return ".".join(str(b) for b in content)
    if tag == OBJECT_IDENTIFIER:
        return decode_oid(content)
    if tag in (NULL, NO_SUCH_OBJECT, NO_SUCH_INSTANCE, END_OF_MIB_VIEW):
        if content:
            raise BerError("a NULL with content")
        return None
    raise BerError("unknown value tag 0x%02X" % tag)


class Message:
    def __init__(self, version, community, pdu_tag, request_id,
                 error_status, error_index, varbinds):
        self.version = version
        self.community = community
        self.pdu_tag = pdu_tag
        self.request_id = request_id
        self.error_status = error_status
        self.error_index = error_index
        self.varbinds = varbinds  # (dotted OID, tag, decoded value)


def decode_message(data):
    data = bytes(data)
    start, stop = expect(data, 0, len(data), SEQUENCE)
    if stop != len(data):
        raise BerError("%d bytes after the message" % (len(data) - stop))
    s, e = expect(data, start, stop, INTEGER)
    version = decode_integer(data[s:e])
    s, e = expect(data, e, stop, OCTET_STRING)
    community = data[s:e]
    pdu_tag, ps, pe = read_tlv(data, e, stop)
    if pe != stop:
        raise BerError("bytes after the PDU")
    if pdu_tag not in (GET_REQUEST, GET_NEXT_REQUEST, RESPONSE):
        raise BerError("unsupported PDU 0x%02X" % pdu_tag)
    values = []
    pos = ps
    for _ in range(3):
        s, pos = expect(data, pos, pe, INTEGER)
        values.append(decode_integer(data[s:pos]))
    ls, le = expect(data, pos, pe, SEQUENCE)
    if le != pe:
        raise BerError("bytes after the varbind list")
    varbinds = []
    pos = ls
    while pos < le:
        vs, ve = expect(data, pos, le, SEQUENCE)
        os_, oe = expect(data, vs, ve, OBJECT_IDENTIFIER)
        tag, cs, ce = read_tlv(data, oe, ve)
        if ce != ve:
            raise BerError("bytes after a varbind's value")
        varbinds.append((decode_oid(data[os_:oe]), tag,
                         decode_value(tag, data[cs:ce])))
        pos = ve
    return Message(version, community, pdu_tag, values[0], values[1],
                   values[2], varbinds)


def describe(tag, value):
    """A value as text for the probe's output: TYPE: value."""
    name = VALUE_TAGS.get(tag, "0x%02X" % tag)
    if value is None:
        return name
    if isinstance(value, bytes):
        if value and all(32 <= b < 127 for b in value):
            return '%s: "%s"' % (name, value.decode("ascii"))
        return "%s: %s" % (name, value.hex(":").upper() or '""')
    return "%s: %s" % (name, value)


def in_pktinfo_destination(ancillary):
    """The header destination address from an IP_PKTINFO control message."""
    for level, kind, data in ancillary:
        if kind == IP_PKTINFO_TYPE and len(data) >= 12:
            return ".".join(str(b) for b in data[8:12])
    return None


IP_PKTINFO_TYPE = 8  # Linux's IP_PKTINFO; the socket module may not name it
PKTINFO_SPACE = struct.calcsize("i4s4s") + 64
