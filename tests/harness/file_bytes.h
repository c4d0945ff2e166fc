// UTF-16 little-endian images of narrow text whose characters are all below 0x80 or in 0xA0..0xFF
// (where code page 1252 and UTF-16 share their values).
#ifndef NODEXA_TESTS_HARNESS_FILE_BYTES_H_
#define NODEXA_TESTS_HARNESS_FILE_BYTES_H_

#include <cstdint>
#include <string>

#include "harness/temp_dir.h"

namespace nodexa::test {

inline const std::string kUtf16Mark("\xFF\xFE", 2);

// Each character as one little-endian unit, without the byte-order mark.
inline std::string Utf16Units(const std::string& text) {
  std::string bytes;
  for (const char c : text) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

// One unit of any value.
inline std::string Unit(uint16_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_HARNESS_FILE_BYTES_H_
