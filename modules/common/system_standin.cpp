#include "common/system_standin.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/posix/posix_machine.h"

namespace {

const PosixSystemImports* imports = nullptr;

}  // namespace

// The loader's table; see posix_module_imports.h.
STANDIN_EXPORT void BindSystemImports(const PosixSystemImports* table) {
  if (table != nullptr && table->size >= sizeof(PosixSystemImports)) imports = table;
}

namespace standin {

void SetError(DWORD code) {
  if (imports != nullptr) imports->SetLastError(code);
}

BOOL Fail(DWORD code) {
  SetError(code);
  return FALSE;
}

LONG OpenKey(HKEY root, const char* subKey, REGSAM desired, PHKEY result) {
  if (imports == nullptr) return static_cast<LONG>(ERROR_INVALID_HANDLE);
  return imports->RegOpenKeyExA(root, subKey, 0, desired, result);
}

std::optional<DWORD> Fault(const char* function) {
  const std::optional<std::string> fact =
      nodexa::platform::MachineFact((std::string("Fail") + function).c_str());
  if (!fact || fact->empty() || (*fact)[0] == '-') return std::nullopt;
  char* end = nullptr;
  const unsigned long long code = std::strtoull(fact->c_str(), &end, 0);
  if (*end != '\0' || code == 0 || code > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<DWORD>(code);
}

bool FactIsOne(const char* name) {
  const std::optional<std::string> fact = nodexa::platform::MachineFact(name);
  return fact && *fact == "1";
}

std::string HostPath(const char* windowsPath) {
  std::string path = windowsPath != nullptr ? windowsPath : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

std::optional<GUID> ParseGuid(const std::string& text) {
  // {8-4-4-4-12}: 38 characters, hex digits everywhere but the punctuation.
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  std::string digits;
  for (size_t i = 1; i + 1 < text.size(); ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash != (text[i] == '-')) return std::nullopt;
    if (dash) continue;
    if (std::strchr("0123456789abcdefABCDEF", text[i]) == nullptr) return std::nullopt;
    digits += text[i];
  }
  const auto field = [&digits](size_t start, size_t length) {
    return std::strtoul(digits.substr(start, length).c_str(), nullptr, 16);
  };
  GUID guid{};
  guid.Data1 = static_cast<uint32_t>(field(0, 8));
  guid.Data2 = static_cast<uint16_t>(field(8, 4));
  guid.Data3 = static_cast<uint16_t>(field(12, 4));
  for (size_t i = 0; i < 8; ++i) guid.Data4[i] = static_cast<uint8_t>(field(16 + 2 * i, 2));
  return guid;
}

bool SameGuid(const GUID& a, const GUID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
         std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

}  // namespace standin
