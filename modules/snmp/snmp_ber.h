// The BER (X.690) elements SNMP messages are built from: reading one
// tag-length-value at a time, every length checked against the bytes that
// remain, and writing them back in their shortest form.
//
// SNMP uses single-byte tags and definite lengths only; a multi-byte tag,
// an indefinite length or a length of more than four bytes is refused
// rather than guessed at. Lengths and integers longer than needed are
// tolerated on input, as some agents send them.
#ifndef NODEXA_MODULES_SNMP_SNMP_BER_H_
#define NODEXA_MODULES_SNMP_SNMP_BER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "snmp/snmp_oid.h"

namespace nodexa::snmp {

using Bytes = std::vector<uint8_t>;

// The universal tags SNMP uses.
constexpr uint8_t kTagInteger = 0x02;
constexpr uint8_t kTagOctetString = 0x04;
constexpr uint8_t kTagNull = 0x05;
constexpr uint8_t kTagOid = 0x06;
constexpr uint8_t kTagSequence = 0x30;

// One element: its tag byte and its content, which points into the input
// of the reader that found it.
struct Tlv {
  uint8_t tag = 0;
  const uint8_t* content = nullptr;
  size_t size = 0;
};

// Reads elements one after another from bytes it does not own.
class BerReader {
 public:
  BerReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit BerReader(const Tlv& parent) : data_(parent.content), size_(parent.size) {}

  // The next element, or none when the bytes left do not start with one.
  std::optional<Tlv> Read();
  // The next element when it carries `tag`, else none.
  std::optional<Tlv> Read(uint8_t tag);
  bool AtEnd() const { return size_ == 0; }

 private:
  const uint8_t* data_;
  size_t size_;
};

// Content of an INTEGER: 1 to 8 bytes, two's complement.
std::optional<int64_t> DecodeInteger(const Tlv& tlv);
// Content of an unsigned application type of `bits` (32 or 64) bits: a
// non-negative two's complement number of at most bits/8 + 1 bytes that fits.
std::optional<uint64_t> DecodeUnsigned(const Tlv& tlv, unsigned bits);
// Content of an OBJECT IDENTIFIER: base-128 sub-identifiers that fit 32
// bits, without padding, the first holding the first two arcs.
std::optional<Oid> DecodeOid(const Tlv& tlv);

void AppendElement(Bytes& out, uint8_t tag, const uint8_t* content, size_t size);
void AppendElement(Bytes& out, uint8_t tag, const Bytes& content);
void AppendInteger(Bytes& out, uint8_t tag, int64_t value);
void AppendUnsigned(Bytes& out, uint8_t tag, uint64_t value);
// False, with `out` unchanged, for an OID BER cannot carry: fewer than two
// arcs, too many, a first arc above 2, a second above 39 under arcs 0 and 1,
// or a first sub-identifier that would not fit 32 bits.
bool AppendOid(Bytes& out, const Oid& oid);

}  // namespace nodexa::snmp

#endif  // NODEXA_MODULES_SNMP_SNMP_BER_H_
