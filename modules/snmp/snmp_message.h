// SNMP v1 and v2c messages (RFC 1157, RFC 3416) as the discovery code
// exchanges them: GetRequests out, Responses back.
//
// Decoding takes the four PDUs that share one shape (GetRequest,
// GetNextRequest, Response, SetRequest) and refuses every other PDU (v1
// Trap, GetBulkRequest, InformRequest, v2 Trap, Report), every element out
// of place and every value type SNMP does not define. The shape is fixed,
// message > PDU > variable bindings > binding > value, so nesting never goes
// deeper than that and nothing recurses. Input that does not decode gives no
// result.
#ifndef NODEXA_MODULES_SNMP_SNMP_MESSAGE_H_
#define NODEXA_MODULES_SNMP_SNMP_MESSAGE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "snmp/snmp_ber.h"
#include "snmp/snmp_oid.h"

namespace nodexa::snmp {

// The largest UDP payload: no message is read or written beyond it.
constexpr size_t kMaxMessageSize = 65507;
// More bindings than a discovery query asks for, fewer than a hostile
// packet would like to make us hold.
constexpr size_t kMaxVarBinds = 128;

enum class Version : uint8_t { V1 = 0, V2c = 1 };

enum class PduType : uint8_t {
  GetRequest = 0xA0,
  GetNextRequest = 0xA1,
  Response = 0xA2,
  SetRequest = 0xA3,
};

// A value's type is its BER tag.
enum class ValueType : uint8_t {
  Integer = kTagInteger,
  OctetString = kTagOctetString,
  Null = kTagNull,
  ObjectIdentifier = kTagOid,
  IpAddress = 0x40,
  Counter32 = 0x41,
  Gauge32 = 0x42,
  TimeTicks = 0x43,
  Opaque = 0x44,
  Counter64 = 0x46,  // v2c only, as are the three exceptions
  NoSuchObject = 0x80,
  NoSuchInstance = 0x81,
  EndOfMibView = 0x82,
};

// One value; only the field its type uses is set, the others stay empty.
struct Value {
  ValueType type = ValueType::Null;
  int64_t integer = 0;  // Integer
  uint64_t number = 0;  // Counter32, Gauge32, TimeTicks, Counter64
  std::string bytes;    // OctetString, IpAddress (4 bytes), Opaque
  Oid oid;              // ObjectIdentifier
};

struct VarBind {
  Oid name;
  Value value;
};

struct Message {
  Version version = Version::V2c;
  std::string community;
  PduType type = PduType::GetRequest;
  int32_t requestId = 0;
  int32_t errorStatus = 0;  // 0 noError to 18 inconsistentName
  int32_t errorIndex = 0;
  std::vector<VarBind> varbinds;
};

bool operator==(const Value& a, const Value& b);
bool operator==(const VarBind& a, const VarBind& b);
bool operator==(const Message& a, const Message& b);

std::optional<Message> DecodeMessage(const uint8_t* data, size_t size);
// A decoded message that is a Response, else none.
std::optional<Message> DecodeResponse(const uint8_t* data, size_t size);

// None for a message the codec would not decode: an OID BER cannot carry,
// a value type the version does not have, an IpAddress not of four bytes,
// too many bindings or too many bytes.
std::optional<Bytes> EncodeMessage(const Message& message);
// A GetRequest for `names`, each bound to NULL.
std::optional<Bytes> EncodeGetRequest(Version version, const std::string& community,
                                      int32_t requestId, const std::vector<Oid>& names);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_SNMP_MESSAGE_H_
