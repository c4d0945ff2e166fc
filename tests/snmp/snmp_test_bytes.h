// Hand-built BER for the codec's tests: hex text to bytes, and the one
// envelope every test message shares, assembled here without the codec.
#ifndef NODEXA_TESTS_SNMP_SNMP_TEST_BYTES_H_
#define NODEXA_TESTS_SNMP_SNMP_TEST_BYTES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace nodexa::snmp::testing {

using Bytes = std::vector<uint8_t>;

// Hex digits, blanks ignored: "30 0c" -> {0x30, 0x0c}.
inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::string digits;
  for (char c : text) {
    if (c != ' ') digits += c;
  }
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// One element with its length in the shortest form (up to 2^16-1).
inline Bytes Wrap(uint8_t tag, const Bytes& content) {
  Bytes out{tag};
  const size_t size = content.size();
  if (size > 0xFF) {
    out.insert(out.end(), {0x82, static_cast<uint8_t>(size >> 8)});
  } else if (size >= 0x80) {
    out.push_back(0x81);
  }
  out.push_back(static_cast<uint8_t>(size));
  return out + content;
}

// A message around the PDU's fields: "public", by default v2c and a
// Response with request id 1, no error.
inline Bytes Envelope(const Bytes& bindings, const std::string& version = "02 01 01",
                      uint8_t pdu = 0xA2,
                      const std::string& header = "02 01 01  02 01 00  02 01 00") {
  const Bytes body = Hex(header) + Wrap(0x30, bindings);
  return Wrap(0x30, Hex(version) + Hex("04 06 70 75 62 6c 69 63") + Wrap(pdu, body));
}

}  // namespace nodexa::snmp::testing

#endif  // NODEXA_TESTS_SNMP_SNMP_TEST_BYTES_H_
