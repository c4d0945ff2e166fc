#include "snmp/snmp_message.h"

namespace nodexa::snmp {
namespace {

constexpr int32_t kMaxErrorStatus = 18;  // inconsistentName, the last of RFC 3416
constexpr size_t kIpAddressSize = 4;

bool IsKnownPdu(uint8_t tag) {
  return tag >= static_cast<uint8_t>(PduType::GetRequest) &&
         tag <= static_cast<uint8_t>(PduType::SetRequest);
}

// Counter64 and the exceptions came with v2c; a v1 message cannot hold them
// (RFC 3584, 4.1.2.1).
bool BelongsTo(ValueType type, Version version) {
  switch (type) {
    case ValueType::Counter64:
    case ValueType::NoSuchObject:
    case ValueType::NoSuchInstance:
    case ValueType::EndOfMibView:
      return version == Version::V2c;
    case ValueType::Integer:
    case ValueType::OctetString:
    case ValueType::Null:
    case ValueType::ObjectIdentifier:
    case ValueType::IpAddress:
    case ValueType::Counter32:
    case ValueType::Gauge32:
    case ValueType::TimeTicks:
    case ValueType::Opaque:
      return true;
  }
  return false;
}

std::optional<int32_t> ReadInteger(BerReader& reader, int32_t low, int32_t high) {
  const std::optional<Tlv> tlv = reader.Read(kTagInteger);
  if (!tlv) return std::nullopt;
  const std::optional<int64_t> value = DecodeInteger(*tlv);
  if (!value || *value < low || *value > high) return std::nullopt;
  return static_cast<int32_t>(*value);
}

std::optional<Value> DecodeValue(const Tlv& tlv, Version version) {
  Value value;
  value.type = static_cast<ValueType>(tlv.tag);
  if (!BelongsTo(value.type, version)) return std::nullopt;
  const auto* text = reinterpret_cast<const char*>(tlv.content);
  switch (value.type) {
    case ValueType::Integer: {
      const std::optional<int64_t> integer = DecodeInteger(tlv);
      if (!integer) return std::nullopt;
      value.integer = *integer;
      return value;
    }
    case ValueType::Counter32:
    case ValueType::Gauge32:
    case ValueType::TimeTicks:
    case ValueType::Counter64: {
      const std::optional<uint64_t> number =
          DecodeUnsigned(tlv, value.type == ValueType::Counter64 ? 64 : 32);
      if (!number) return std::nullopt;
      value.number = *number;
      return value;
    }
    case ValueType::IpAddress:
      if (tlv.size != kIpAddressSize) return std::nullopt;
      value.bytes.assign(text, tlv.size);
      return value;
    case ValueType::OctetString:
    case ValueType::Opaque:
      value.bytes.assign(text, tlv.size);
      return value;
    case ValueType::ObjectIdentifier: {
      std::optional<Oid> oid = DecodeOid(tlv);
      if (!oid) return std::nullopt;
      value.oid = std::move(*oid);
      return value;
    }
    case ValueType::Null:
    case ValueType::NoSuchObject:
    case ValueType::NoSuchInstance:
    case ValueType::EndOfMibView:
      if (tlv.size != 0) return std::nullopt;
      return value;
  }
  return std::nullopt;
}

std::optional<VarBind> DecodeVarBind(const Tlv& tlv, Version version) {
  BerReader fields(tlv);
  const std::optional<Tlv> name = fields.Read(kTagOid);
  const std::optional<Tlv> value = name ? fields.Read() : std::nullopt;
  if (!value || !fields.AtEnd()) return std::nullopt;
  std::optional<Oid> oid = DecodeOid(*name);
  std::optional<Value> decoded = oid ? DecodeValue(*value, version) : std::nullopt;
  if (!decoded) return std::nullopt;
  return VarBind{std::move(*oid), std::move(*decoded)};
}

bool AppendValue(Bytes& out, const Value& value) {
  const auto tag = static_cast<uint8_t>(value.type);
  switch (value.type) {
    case ValueType::Integer:
      AppendInteger(out, tag, value.integer);
      return true;
    case ValueType::Counter32:
    case ValueType::Gauge32:
    case ValueType::TimeTicks:
    case ValueType::Counter64:
      if (value.type != ValueType::Counter64 && value.number > UINT32_MAX) return false;
      AppendUnsigned(out, tag, value.number);
      return true;
    case ValueType::IpAddress:
    case ValueType::OctetString:
    case ValueType::Opaque:
      if (value.type == ValueType::IpAddress && value.bytes.size() != kIpAddressSize) return false;
      AppendElement(out, tag, reinterpret_cast<const uint8_t*>(value.bytes.data()),
                    value.bytes.size());
      return true;
    case ValueType::ObjectIdentifier:
      return AppendOid(out, value.oid);
    case ValueType::Null:
    case ValueType::NoSuchObject:
    case ValueType::NoSuchInstance:
    case ValueType::EndOfMibView:
      AppendElement(out, tag, nullptr, 0);
      return true;
  }
  return false;
}

}  // namespace

bool operator==(const Value& a, const Value& b) {
  return a.type == b.type && a.integer == b.integer && a.number == b.number && a.bytes == b.bytes &&
         a.oid == b.oid;
}

bool operator==(const VarBind& a, const VarBind& b) {
  return a.name == b.name && a.value == b.value;
}

bool operator==(const Message& a, const Message& b) {
  return a.version == b.version && a.community == b.community && a.type == b.type &&
         a.requestId == b.requestId && a.errorStatus == b.errorStatus &&
         a.errorIndex == b.errorIndex && a.varbinds == b.varbinds;
}

std::optional<Message> DecodeMessage(const uint8_t* data, size_t size) {
  if (size > kMaxMessageSize) return std::nullopt;
  BerReader input(data, size);
  const std::optional<Tlv> whole = input.Read(kTagSequence);
  if (!whole || !input.AtEnd()) return std::nullopt;

  BerReader fields(*whole);
  Message message;
  const std::optional<int32_t> version = ReadInteger(fields, 0, 1);
  const std::optional<Tlv> community = version ? fields.Read(kTagOctetString) : std::nullopt;
  const std::optional<Tlv> pdu = community ? fields.Read() : std::nullopt;
  if (!pdu || !IsKnownPdu(pdu->tag) || !fields.AtEnd()) return std::nullopt;
  message.version = static_cast<Version>(*version);
  message.community.assign(reinterpret_cast<const char*>(community->content), community->size);
  message.type = static_cast<PduType>(pdu->tag);

  BerReader body(*pdu);
  const std::optional<int32_t> requestId = ReadInteger(body, INT32_MIN, INT32_MAX);
  const std::optional<int32_t> status =
      requestId ? ReadInteger(body, 0, kMaxErrorStatus) : std::nullopt;
  const std::optional<int32_t> index = status ? ReadInteger(body, 0, INT32_MAX) : std::nullopt;
  const std::optional<Tlv> list = index ? body.Read(kTagSequence) : std::nullopt;
  if (!list || !body.AtEnd()) return std::nullopt;
  message.requestId = *requestId;
  message.errorStatus = *status;
  message.errorIndex = *index;

  BerReader bindings(*list);
  while (!bindings.AtEnd()) {
    if (message.varbinds.size() == kMaxVarBinds) return std::nullopt;
    const std::optional<Tlv> tlv = bindings.Read(kTagSequence);
    std::optional<VarBind> varbind = tlv ? DecodeVarBind(*tlv, message.version) : std::nullopt;
    if (!varbind) return std::nullopt;
    message.varbinds.push_back(std::move(*varbind));
  }
  return message;
}

std::optional<Message> DecodeResponse(const uint8_t* data, size_t size) {
  std::optional<Message> message = DecodeMessage(data, size);
  if (!message || message->type != PduType::Response) return std::nullopt;
  return message;
}

std::optional<Bytes> EncodeMessage(const Message& message) {
  const auto version = static_cast<uint8_t>(message.version);
  const auto pduTag = static_cast<uint8_t>(message.type);
  if (version > 1 || !IsKnownPdu(pduTag) || message.errorStatus < 0 ||
      message.errorStatus > kMaxErrorStatus || message.errorIndex < 0 ||
      message.varbinds.size() > kMaxVarBinds || message.community.size() > kMaxMessageSize) {
    return std::nullopt;
  }
  Bytes list;
  for (const VarBind& varbind : message.varbinds) {
    if (!BelongsTo(varbind.value.type, message.version) ||
        varbind.value.bytes.size() > kMaxMessageSize) {
      return std::nullopt;
    }
    Bytes fields;
    if (!AppendOid(fields, varbind.name) || !AppendValue(fields, varbind.value)) {
      return std::nullopt;
    }
    AppendElement(list, kTagSequence, fields);
    if (list.size() > kMaxMessageSize) return std::nullopt;
  }
  Bytes body;
  AppendInteger(body, kTagInteger, message.requestId);
  AppendInteger(body, kTagInteger, message.errorStatus);
  AppendInteger(body, kTagInteger, message.errorIndex);
  AppendElement(body, kTagSequence, list);
  Bytes fields;
  AppendInteger(fields, kTagInteger, version);
  AppendElement(fields, kTagOctetString, reinterpret_cast<const uint8_t*>(message.community.data()),
                message.community.size());
  AppendElement(fields, pduTag, body);
  Bytes whole;
  AppendElement(whole, kTagSequence, fields);
  if (whole.size() > kMaxMessageSize) return std::nullopt;
  return whole;
}

std::optional<Bytes> EncodeGetRequest(Version version, const std::string& community,
                                      int32_t requestId, const std::vector<Oid>& names) {
  Message message;
  message.version = version;
  message.community = community;
  message.type = PduType::GetRequest;
  message.requestId = requestId;
  for (const Oid& name : names) message.varbinds.push_back(VarBind{name, Value{}});
  return EncodeMessage(message);
}

}  // namespace nodexa::snmp
