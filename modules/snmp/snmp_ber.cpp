#include "snmp/snmp_ber.h"

namespace nodexa::snmp {
namespace {

constexpr uint8_t kHighTagNumber = 0x1F;
constexpr uint8_t kLongLength = 0x80;
constexpr size_t kMaxLengthBytes = 4;
constexpr size_t kMaxIntegerBytes = 8;

void AppendLength(Bytes& out, size_t length) {
  if (length < kLongLength) {
    out.push_back(static_cast<uint8_t>(length));
    return;
  }
  uint8_t count = 0;
  for (size_t rest = length; rest != 0; rest >>= 8) ++count;
  out.push_back(static_cast<uint8_t>(kLongLength | count));
  for (uint8_t i = count; i > 0; --i) {
    out.push_back(static_cast<uint8_t>(length >> (8 * (i - 1))));
  }
}

// `wide` is a nine-byte two's complement number; the shortest tail of it
// that keeps its sign goes out.
void AppendTwosComplement(Bytes& out, uint8_t tag, const uint8_t (&wide)[9]) {
  size_t first = 0;
  while (first < 8 && ((wide[first] == 0x00 && (wide[first + 1] & 0x80) == 0) ||
                       (wide[first] == 0xFF && (wide[first + 1] & 0x80) != 0))) {
    ++first;
  }
  AppendElement(out, tag, wide + first, sizeof(wide) - first);
}

void AppendBase128(Bytes& out, uint32_t value) {
  uint8_t groups = 1;
  while (groups < 5 && (value >> (7 * groups)) != 0) ++groups;
  for (uint8_t i = groups; i > 1; --i) {
    out.push_back(static_cast<uint8_t>(0x80 | ((value >> (7 * (i - 1))) & 0x7F)));
  }
  out.push_back(static_cast<uint8_t>(value & 0x7F));
}

}  // namespace

std::optional<Tlv> BerReader::Read() {
  if (size_ < 2 || (data_[0] & kHighTagNumber) == kHighTagNumber) return std::nullopt;
  Tlv tlv;
  tlv.tag = data_[0];
  size_t header = 2;
  if ((data_[1] & kLongLength) == 0) {
    tlv.size = data_[1];
  } else {
    // 0x80 alone announces an indefinite length.
    const size_t count = data_[1] & 0x7Fu;
    if (count == 0 || count > kMaxLengthBytes || size_ - 2 < count) return std::nullopt;
    for (size_t i = 0; i < count; ++i) tlv.size = (tlv.size << 8) | data_[2 + i];
    header += count;
  }
  if (tlv.size > size_ - header) return std::nullopt;
  tlv.content = data_ + header;
  data_ += header + tlv.size;
  size_ -= header + tlv.size;
  return tlv;
}

std::optional<Tlv> BerReader::Read(uint8_t tag) {
  std::optional<Tlv> tlv = Read();
  if (!tlv || tlv->tag != tag) return std::nullopt;
  return tlv;
}

std::optional<int64_t> DecodeInteger(const Tlv& tlv) {
  if (tlv.size == 0 || tlv.size > kMaxIntegerBytes) return std::nullopt;
  uint64_t value = (tlv.content[0] & 0x80) != 0 ? ~uint64_t{0} : 0;
  for (size_t i = 0; i < tlv.size; ++i) value = (value << 8) | tlv.content[i];
  return static_cast<int64_t>(value);
}

std::optional<uint64_t> DecodeUnsigned(const Tlv& tlv, unsigned bits) {
  if (tlv.size == 0 || tlv.size > bits / 8 + 1 || (tlv.content[0] & 0x80) != 0) {
    return std::nullopt;
  }
  uint64_t value = 0;
  for (size_t i = 0; i < tlv.size; ++i) {
    if ((value >> (bits - 8)) != 0) return std::nullopt;
    value = (value << 8) | tlv.content[i];
  }
  return value;
}

std::optional<Oid> DecodeOid(const Tlv& tlv) {
  if (tlv.size == 0) return std::nullopt;
  Oid oid;
  uint32_t value = 0;
  bool started = false;
  for (size_t i = 0; i < tlv.size; ++i) {
    const uint8_t byte = tlv.content[i];
    // A leading 0x80 only pads; the shortest form is required.
    if (!started && byte == 0x80) return std::nullopt;
    if (value > (UINT32_MAX >> 7)) return std::nullopt;
    value = (value << 7) | (byte & 0x7Fu);
    started = (byte & 0x80) != 0;
    if (started) continue;
    if (oid.empty()) {
      const uint32_t first = value < 80 ? value / 40 : 2;
      oid.push_back(first);
      oid.push_back(value - 40 * first);
    } else {
      if (oid.size() == kMaxOidArcs) return std::nullopt;
      oid.push_back(value);
    }
    value = 0;
  }
  if (started) return std::nullopt;  // the last sub-identifier is cut off
  return oid;
}

void AppendElement(Bytes& out, uint8_t tag, const uint8_t* content, size_t size) {
  out.push_back(tag);
  AppendLength(out, size);
  out.insert(out.end(), content, content + size);
}

void AppendElement(Bytes& out, uint8_t tag, const Bytes& content) {
  AppendElement(out, tag, content.data(), content.size());
}

void AppendInteger(Bytes& out, uint8_t tag, int64_t value) {
  const auto bits = static_cast<uint64_t>(value);
  uint8_t wide[9] = {static_cast<uint8_t>(value < 0 ? 0xFF : 0x00)};
  for (size_t i = 0; i < 8; ++i) wide[1 + i] = static_cast<uint8_t>(bits >> (8 * (7 - i)));
  AppendTwosComplement(out, tag, wide);
}

void AppendUnsigned(Bytes& out, uint8_t tag, uint64_t value) {
  uint8_t wide[9] = {0};
  for (size_t i = 0; i < 8; ++i) wide[1 + i] = static_cast<uint8_t>(value >> (8 * (7 - i)));
  AppendTwosComplement(out, tag, wide);
}

bool AppendOid(Bytes& out, const Oid& oid) {
  if (oid.size() < 2 || oid.size() > kMaxOidArcs || oid[0] > 2) return false;
  if (oid[0] < 2 ? oid[1] >= 40 : oid[1] > UINT32_MAX - 80) return false;
  Bytes content;
  AppendBase128(content, oid[0] * 40 + oid[1]);
  for (size_t i = 2; i < oid.size(); ++i) AppendBase128(content, oid[i]);
  AppendElement(out, kTagOid, content);
  return true;
}

}  // namespace nodexa::snmp
