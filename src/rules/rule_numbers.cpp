#include "rule_numbers.h"

#include <algorithm>

#include "frame/string_toolkit.h"

namespace nodexa {

namespace {

constexpr uint64_t kUnsignedLimit = 0xFFFFFFFFull;

// Sign and magnitude of the leading number; the magnitude stops growing just
// above the unsigned limit, which is enough for both readings to saturate.
struct Reading {
  bool negative = false;
  uint64_t magnitude = 0;
};

Reading ReadNumber(const std::string& value) {
  Reading reading;
  size_t i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
    reading.negative = value[i] == '-';
    ++i;
  }
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    const uint64_t digit = static_cast<uint64_t>(value[i] - '0');
    reading.magnitude = std::min(reading.magnitude * 10 + digit, kUnsignedLimit + 1);
  }
  return reading;
}

}  // namespace

bool IsAllDigit(std::string_view value) {
  return std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int32_t ReadSigned(const std::string& value) {
  const Reading reading = ReadNumber(value);
  if (reading.negative) {
    return reading.magnitude >= 0x80000000ull
               ? INT32_MIN
               : static_cast<int32_t>(-static_cast<int64_t>(reading.magnitude));
  }
  return reading.magnitude >= 0x7FFFFFFFull ? INT32_MAX : static_cast<int32_t>(reading.magnitude);
}

uint32_t ReadUnsigned(const std::string& value) {
  const Reading reading = ReadNumber(value);
  if (reading.magnitude > kUnsignedLimit) return UINT32_MAX;
  const auto magnitude = static_cast<uint32_t>(reading.magnitude);
  return reading.negative ? 0u - magnitude : magnitude;
}

std::string WriteSigned(int32_t number) { return std::to_string(number); }

std::string WriteUnsigned(uint32_t number) { return std::to_string(number); }

int32_t Wrap32(int64_t exact) {
  const auto bits = static_cast<uint32_t>(static_cast<uint64_t>(exact));
  return bits <= 0x7FFFFFFFu ? static_cast<int32_t>(bits)
                             : static_cast<int32_t>(static_cast<int64_t>(bits) - 0x100000000ll);
}

}  // namespace nodexa
