#include "snmp/snmp_message.h"

#include <gtest/gtest.h>

#include "snmp_test_bytes.h"

namespace nodexa::snmp {
namespace {

using testing::Envelope;
using testing::Hex;
using testing::Wrap;
using testing::operator+;

const std::string kSysDescr = "06 08 2b 06 01 02 01 01 01 00 ";
const std::string kSysName = "06 08 2b 06 01 02 01 01 05 00 ";
const std::string kIfPhysAddress = "06 0a 2b 06 01 02 01 02 02 01 06 01 ";
const Oid kSysDescrOid{1, 3, 6, 1, 2, 1, 1, 1, 0};
const Oid kSysNameOid{1, 3, 6, 1, 2, 1, 1, 5, 0};
const Oid kIfPhysAddressOid{1, 3, 6, 1, 2, 1, 2, 2, 1, 6, 1};

std::optional<Message> Decode(const Bytes& bytes) {
  return DecodeMessage(bytes.data(), bytes.size());
}

std::string Times(const std::string& hex, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += hex;
  return text;
}

// A value of `type` holding one of its fields.
Value Of(ValueType type) {
  Value value;
  value.type = type;
  return value;
}
Value Integer(int64_t integer) {
  Value value = Of(ValueType::Integer);
  value.integer = integer;
  return value;
}
Value Number(ValueType type, uint64_t number) {
  Value value = Of(type);
  value.number = number;
  return value;
}
Value Text(ValueType type, std::string bytes) {
  Value value = Of(type);
  value.bytes = std::move(bytes);
  return value;
}
Value Name(Oid oid) {
  Value value = Of(ValueType::ObjectIdentifier);
  value.oid = std::move(oid);
  return value;
}

bool OnlyInV2c(ValueType type) {
  return type == ValueType::Counter64 || type == ValueType::NoSuchObject ||
         type == ValueType::NoSuchInstance || type == ValueType::EndOfMibView;
}

TEST(SnmpRequest, EncodesGetRequestAsOnTheWire) {
  const Bytes expected =
      Hex("30 26 02 01 01 04 06 70 75 62 6c 69 63 a0 19 02 01 01 02 01 00 02 01 00"
          "30 0e 30 0c 06 08 2b 06 01 02 01 01 05 00 05 00");
  EXPECT_EQ(EncodeGetRequest(Version::V2c, "public", 1, {kSysNameOid}), expected);
}

struct RequestCase {
  Version version;
  std::string community;
  int32_t requestId;
  std::vector<Oid> names;
};

class SnmpRequests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(SnmpRequests, DecodeToWhatWasAskedFor) {
  const RequestCase& c = GetParam();
  const std::optional<Bytes> bytes = EncodeGetRequest(c.version, c.community, c.requestId, c.names);
  ASSERT_TRUE(bytes);
  const std::optional<Message> message = Decode(*bytes);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->version, c.version);
  EXPECT_EQ(message->community, c.community);
  EXPECT_EQ(message->type, PduType::GetRequest);
  EXPECT_EQ(message->requestId, c.requestId);
  ASSERT_EQ(message->varbinds.size(), c.names.size());
  for (size_t i = 0; i < c.names.size(); ++i) {
    EXPECT_EQ(message->varbinds[i].name, c.names[i]);
    EXPECT_EQ(message->varbinds[i].value.type, ValueType::Null);
  }
  EXPECT_FALSE(DecodeResponse(bytes->data(), bytes->size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SnmpRequests,
    ::testing::Values(
        RequestCase{Version::V1, "public", 7, {kSysNameOid, kSysDescrOid, kIfPhysAddressOid}},
        RequestCase{Version::V2c, "", INT32_MIN, {}},
        RequestCase{Version::V2c, std::string(300, 'c'), INT32_MAX,
                    std::vector<Oid>(kMaxVarBinds, kIfPhysAddressOid)}));

TEST(SnmpRequests, RefusesWhatCannotBeDecoded) {
  Message message;
  message.varbinds = {{Oid{1, 3}, Text(ValueType::IpAddress, "abc")}};
  EXPECT_FALSE(EncodeMessage(message)) << "a three-byte IpAddress";
  message.version = Version::V1;
  message.varbinds = {{Oid{1, 3}, Of(ValueType::Counter64)}};
  EXPECT_FALSE(EncodeMessage(message)) << "a Counter64 in v1";
  message.varbinds = {{Oid{1, 3}, Number(ValueType::Gauge32, uint64_t{UINT32_MAX} + 1)}};
  EXPECT_FALSE(EncodeMessage(message)) << "a Gauge32 of 2^32";
  for (const Oid& name : {Oid{}, Oid{1}, Oid{3, 1}, Oid{1, 40}, Oid{0, 40}, Oid{2, UINT32_MAX - 79},
                          Oid(kMaxOidArcs + 1, 1)}) {
    EXPECT_FALSE(EncodeGetRequest(Version::V2c, "public", 1, {name})) << FormatOid(name);
  }
  EXPECT_FALSE(
      EncodeGetRequest(Version::V2c, "public", 1, std::vector<Oid>(kMaxVarBinds + 1, kSysNameOid)));
  EXPECT_FALSE(EncodeGetRequest(Version::V2c, std::string(kMaxMessageSize, 'c'), 1, {}));
}

// A binding of a Response as an agent sends it, and what it holds.
struct BindingCase {
  std::string hex;
  VarBind expected;
};

const std::string kDescription(200, 'd');  // long enough for a long-form length

const std::vector<BindingCase> kBindings = {
    {kSysName + "04 09 70 72 69 6e 74 65 72 2d 31",
     {kSysNameOid, Text(ValueType::OctetString, "printer-1")}},
    {kSysDescr + "04 81 c8" + Times("64", 200),
     {kSysDescrOid, Text(ValueType::OctetString, kDescription)}},
    {kIfPhysAddress + "04 06 00 1b 2c 3d 4e 5f",
     {kIfPhysAddressOid, Text(ValueType::OctetString, std::string("\0\x1b\x2c\x3d\x4e\x5f", 6))}},
    {kSysName + "04 00", {kSysNameOid, Of(ValueType::OctetString)}},
    {kSysName + "02 01 ff", {kSysNameOid, Integer(-1)}},
    {kSysName + "05 00", {kSysNameOid, Of(ValueType::Null)}},
    {kSysName + "06 08 2b 06 01 04 01 95 0b 01", {kSysNameOid, Name({1, 3, 6, 1, 4, 1, 2699, 1})}},
    {kSysName + "40 04 c6 33 64 07", {kSysNameOid, Text(ValueType::IpAddress, "\xc6\x33\x64\x07")}},
    {kSysName + "41 05 00 ff ff ff ff", {kSysNameOid, Number(ValueType::Counter32, UINT32_MAX)}},
    {kSysName + "42 01 00", {kSysNameOid, Of(ValueType::Gauge32)}},
    {kSysName + "02 02 ff 7f", {kSysNameOid, Integer(-129)}},
    {kSysName + "02 08 80 00 00 00 00 00 00 00", {kSysNameOid, Integer(INT64_MIN)}},
    {kSysName + "06 03 88 37 03", {kSysNameOid, Name({2, 999, 3})}},
    {kSysName + "06 06 2b 8f ff ff ff 7f", {kSysNameOid, Name({1, 3, UINT32_MAX})}},
    {kSysName + "43 03 0f 42 40", {kSysNameOid, Number(ValueType::TimeTicks, 1000000)}},
    {kSysName + "44 03 9f 78 00",
     {kSysNameOid, Text(ValueType::Opaque, std::string("\x9f\x78\x00", 3))}},
    {kSysName + "46 09 00 ff ff ff ff ff ff ff fe",
     {kSysNameOid, Number(ValueType::Counter64, UINT64_MAX - 1)}},
    {kSysName + "80 00", {kSysNameOid, Of(ValueType::NoSuchObject)}},
    {kSysName + "82 00", {kSysNameOid, Of(ValueType::EndOfMibView)}},
};

class SnmpBindings : public ::testing::TestWithParam<BindingCase> {};

TEST_P(SnmpBindings, DecodeReencodeAndRefuseEveryCut) {
  const BindingCase& c = GetParam();
  const Bytes binding = Hex(c.hex);
  const Bytes bytes = Envelope(Wrap(0x30, binding));
  const std::optional<Message> message = DecodeResponse(bytes.data(), bytes.size());
  ASSERT_TRUE(message) << c.hex;
  EXPECT_EQ(message->version, Version::V2c);
  EXPECT_EQ(message->community, "public");
  EXPECT_EQ(message->requestId, 1);
  ASSERT_EQ(message->varbinds.size(), 1u);
  EXPECT_TRUE(message->varbinds[0] == c.expected) << c.hex;

  // Every row is in its shortest form, which is what goes out.
  EXPECT_EQ(EncodeMessage(*message), bytes);

  // v1 has neither Counter64 nor the exceptions.
  const std::optional<Message> v1 = Decode(Envelope(Wrap(0x30, binding), "02 01 00"));
  EXPECT_EQ(v1.has_value(), !OnlyInV2c(c.expected.value.type)) << c.hex;

  for (size_t cut = 0; cut < binding.size(); ++cut) {
    const Bytes part(binding.begin(), binding.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(Decode(Envelope(Wrap(0x30, part)))) << c.hex << " cut at " << cut;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SnmpBindings, ::testing::ValuesIn(kBindings));

TEST(SnmpResponse, DecodesManyBindingsInOrder) {
  Bytes bindings;
  for (const BindingCase& c : kBindings) bindings = bindings + Wrap(0x30, Hex(c.hex));
  const std::optional<Message> message =
      Decode(Envelope(bindings, "02 01 01", 0xA2, "02 04 7f ff ff ff  02 01 05  02 01 11"));
  ASSERT_TRUE(message);
  EXPECT_EQ(message->requestId, INT32_MAX);
  EXPECT_EQ(message->errorStatus, 5);
  EXPECT_EQ(message->errorIndex, 17);
  ASSERT_EQ(message->varbinds.size(), kBindings.size());
  for (size_t i = 0; i < kBindings.size(); ++i) {
    EXPECT_TRUE(message->varbinds[i] == kBindings[i].expected) << i;
  }
}

TEST(SnmpResponse, TakesPaddedLengthsAndIntegers) {
  const std::optional<Message> padded =
      Decode(Envelope(Wrap(0x30, Hex(kSysName + "43 84 00 00 00 04 00 0f 42 40")), "02 02 00 01",
                      0xA2, "02 02 00 01  02 01 00  02 02 00 00"));
  const std::optional<Message> plain =
      Decode(Envelope(Wrap(0x30, Hex(kSysName + "43 03 0f 42 40"))));
  ASSERT_TRUE(padded);
  EXPECT_TRUE(padded == plain);
}

TEST(SnmpResponse, HoldsAtMostTheCappedNumberOfBindings) {
  const Bytes one = Wrap(0x30, Hex(kSysName + "05 00"));
  Bytes bindings;
  for (size_t i = 0; i < kMaxVarBinds; ++i) bindings = bindings + one;
  const std::optional<Message> full = Decode(Envelope(bindings));
  ASSERT_TRUE(full);
  EXPECT_EQ(full->varbinds.size(), kMaxVarBinds);
  EXPECT_FALSE(Decode(Envelope(bindings + one)));
}

struct HostileCase {
  Bytes bytes;
  const char* why;
};

const Bytes kBinding = Wrap(0x30, Hex(kSysName + "04 01 70"));
const Bytes kValid = Envelope(kBinding);

class SnmpHostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(SnmpHostile, GivesNoResult) {
  const Bytes& bytes = GetParam().bytes;
  EXPECT_FALSE(DecodeMessage(bytes.data(), bytes.size())) << GetParam().why;
  EXPECT_FALSE(DecodeResponse(bytes.data(), bytes.size())) << GetParam().why;
}

Bytes Binding(const std::string& value) { return Wrap(0x30, Hex(kSysName + value)); }

std::vector<HostileCase> HostileCases() {
  const Bytes tail(kValid.begin() + 2, kValid.end());  // the message's content
  std::vector<HostileCase> cases = {
      {kValid + Bytes{0}, "a byte after the message"},
      {Hex("30 80") + tail + Hex("00 00"), "an indefinite length"},
      {Hex("30 85 00 00 00 00") + Bytes{kValid[1]} + tail, "a five-byte length"},
      {Hex("30 84 ff ff ff ff") + tail, "a length past the end"},
      {Hex("31") + Bytes{kValid[1]} + tail, "a SET for the message"},
      {Envelope(kBinding, "02 01 03"), "version 3"},
      {Envelope(kBinding, "02 01 ff"), "version -1"},
      {Envelope(kBinding, "02 01 01", 0xA4), "a v1 Trap"},
      {Envelope(kBinding, "02 01 01", 0xA8), "a Report"},
      {Envelope(kBinding, "02 01 01", 0x82), "a primitive PDU tag"},
      {Envelope(kBinding, "02 01 01", 0xA2, "02 05 00 80 00 00 00 02 01 00 02 01 00"),
       "a request id of 2^31"},
      {Envelope(kBinding, "02 01 01", 0xA2, "02 01 01 02 01 13 02 01 00"), "error status 19"},
      {Envelope(kBinding, "02 01 01", 0xA2, "02 01 01 02 01 00"), "no error index"},
      {Envelope(kBinding, "02 01 01", 0xA2, "02 01 01 02 01 00 02 01 00 02 01 00"),
       "an extra INTEGER"},
      {Envelope(Binding("02 09 00 ff ff ff ff ff ff ff ff")), "a nine-byte INTEGER"},
      {Envelope(Binding("04 82 00")), "a long length cut off"},
      {Envelope(Binding("1f 04 01 61")), "a multi-byte tag"},
      {Envelope(Binding("06 00")), "an empty OID"},
      {Envelope(Binding("06 02 2b 86")), "a sub-identifier cut off"},
      {Envelope(Binding("06 03 2b 80 01")), "a padded sub-identifier"},
      {Envelope(Binding("46 09 01 00 00 00 00 00 00 00 00")), "a Counter64 of 2^64"},
      {Envelope(Wrap(0x30, Hex("06 06 2b 90 80 80 80 00 05 00"))), "a name past 32 bits"},
      {Envelope(Wrap(0x30, Hex(kSysName))), "a name without a value"},
      {Envelope(Binding("05 00 05 00")), "two values"},
      {Envelope(Binding("24 03 04 01 70")), "a constructed OCTET STRING"},
      {Envelope(Binding("04 05 70")), "a string longer than its binding"},
      {Envelope(Binding("05 01 00")), "a NULL with content"},
      {Envelope(Binding("40 05 c6 33 64 07 01")), "a five-byte IpAddress"},
      {Envelope(Binding("41 05 01 00 00 00 00")), "a Counter32 of 2^32"},
      {Envelope(Binding("45 00")), "a type SNMP does not have"},
      {Envelope(kBinding + Hex("05 00")), "a NULL among the bindings"},
      {Wrap(0x30, Hex("02 01 01 04 06 70 75 62 6c 69 63") +
                      Wrap(0xA2, Hex("02 01 01 02 01 00 02 01 00") + Wrap(0x30, kBinding) +
                                     Hex("05 00"))),
       "something after the bindings"},
      {Envelope(kBinding, "02 01 01", 0xA2, "02 01 01 02 01 00 02 01 00 31 00"),
       "a SET for the bindings"},
  };
  for (size_t cut = 0; cut < kValid.size(); ++cut) {
    cases.push_back({Bytes(kValid.begin(), kValid.begin() + static_cast<std::ptrdiff_t>(cut)),
                     "a message cut off"});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, SnmpHostile, ::testing::ValuesIn(HostileCases()));

TEST(SnmpHostile, RefusesMoreThanADatagram) {
  const Bytes big = Envelope(Binding("04 82 ff c0" + Times("61", 0xffc0)));
  ASSERT_GT(big.size(), kMaxMessageSize);
  EXPECT_FALSE(Decode(big));
}

}  // namespace
}  // namespace nodexa::snmp
