// The hex form of scan-host names: decoding any text, and encoding then
// decoding any narrow name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "adapter/scanner_registration.h"
#include "fuzz_input.h"

using nodexa::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nodexa::fuzz::Text(data, size);

  const std::string decoded = nodexa::DecodeHostName(text);
  Check(decoded.size() <= text.size() / 2, "two digits make one byte");
  Check(decoded.find('\0') == std::string::npos, "zero bytes are dropped");

  std::string name = text;
  name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
  const std::string hex = nodexa::EncodeHostName(name, "1252");
  Check(hex.size() == 2 * (name.size() + 1), "narrow names give two digits per byte");
  Check(nodexa::DecodeHostName(hex) == name, "a narrow name decodes to itself");

  // The wide form goes through the code page; whatever comes back is text.
  const std::string wide = nodexa::EncodeHostName(name, "932");
  Check(wide.size() % 4 == 0, "wide names give four digits per unit");
  Check(nodexa::DecodeHostName(wide).find('\0') == std::string::npos, "zero bytes are dropped");
  return 0;
}
