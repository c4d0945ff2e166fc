#include "registry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frame/debug_log.h"
#include "frame/string_toolkit.h"

namespace nodexa {

namespace {

constexpr LONG kSuccess = static_cast<LONG>(ERROR_SUCCESS);
constexpr LONG kFileNotFound = static_cast<LONG>(ERROR_FILE_NOT_FOUND);
// Key names are at most 255 characters; in a double-byte code page that is
// up to twice as many bytes.
constexpr DWORD kKeyNameBuffer = 512;

// Hexadecimal text to bytes: an odd length gets a "0" appended, then each
// pair is read the way strtol reads base 16 (so a pair without a leading
// digit is 0).
std::vector<BYTE> HexDecoded(std::string text) {
  if (text.size() % 2 != 0) text.push_back('0');
  std::vector<BYTE> bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    const char pair[3] = {text[i], text[i + 1], '\0'};
    bytes.push_back(static_cast<BYTE>(std::strtol(pair, nullptr, 16) & 0xFF));
  }
  return bytes;
}

std::vector<BYTE> TextBytes(const std::string& text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// The data up to its first NUL, never past its end.
std::string TextOf(const std::vector<BYTE>& data) {
  const auto end = std::find(data.begin(), data.end(), BYTE{0});
  return std::string(data.begin(), end);
}

void AppendStrings(const std::vector<BYTE>& data, std::vector<std::string>& strings) {
  auto start = data.begin();
  while (start != data.end()) {
    const auto end = std::find(start, data.end(), BYTE{0});
    if (end == start) break;
    strings.emplace_back(start, end);
    if (end == data.end()) break;
    start = end + 1;
  }
}

}  // namespace

Registry::Registry() = default;

Registry::Registry(const std::string& computerName) { setComputer(computerName); }

Registry::~Registry() = default;

void Registry::setComputer(const std::string& computerName) {
  if (CompareNoCase(computerName, computer) == 0) return;
  machineKey.reset();
  usersKey.reset();
  computer = computerName;
  if (computer.empty()) {
    machineKey.reset(HKEY_LOCAL_MACHINE);
    usersKey.reset(HKEY_USERS);
  }
}

HKEY Registry::getRemoteKey(HKEY predefined) {
  HKEY key = nullptr;
  const LONG result = RegConnectRegistryA(computer.c_str(), predefined, &key);
  if (result != kSuccess) {
    GetDebugLog() << "Registry::getRemoteKey: could not access computer " << computer << " (error "
                  << result << ")" << std::endl;
    return nullptr;
  }
  return key;
}

HKEY Registry::connected(UniqueRegistryKey& cache, HKEY predefined) {
  if (!cache) cache.reset(getRemoteKey(predefined));
  return cache.get();
}

HKEY Registry::rootFor(const std::string& root, UniqueRegistryKey& opened) {
  if (CompareNoCase(root, "HKLM") == 0) return connected(machineKey, HKEY_LOCAL_MACHINE);
  if (CompareNoCase(root, "HKCU") == 0) return computer.empty() ? HKEY_CURRENT_USER : nullptr;
  if (CompareNoCase(root, "HKU") == 0) return connected(usersKey, HKEY_USERS);
  if (CompareNoCase(root, "HKCC") == 0) return computer.empty() ? HKEY_CURRENT_CONFIG : nullptr;
  if (CompareNoCase(root, "HKCR") == 0) {
    const HKEY machine = connected(machineKey, HKEY_LOCAL_MACHINE);
    HKEY classes = nullptr;
    if (machine == nullptr || RegOpenKeyA(machine, "Software\\Classes", &classes) != kSuccess) {
      return nullptr;
    }
    opened.reset(classes);
    return classes;
  }
  GetDebugLog() << "Registry::getRootKey: invalid root key " << root << std::endl;
  return nullptr;
}

HKEY Registry::getRootKey(const std::string& root) {
  UniqueRegistryKey opened;
  const HKEY key = rootFor(root, opened);
  return opened ? opened.release() : key;
}

HKEY Registry::openKey(const std::string& root, const std::string& subKey, REGSAM access) {
  UniqueRegistryKey opened;
  const HKEY rootKey = rootFor(root, opened);
  if (rootKey == nullptr) return nullptr;
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(rootKey, subKey.c_str(), 0, access, &key);
  if (result == kSuccess) return key;
  if (result != kFileNotFound) {
    GetDebugLog() << "Registry::openKey: could not open key " << subKey << " (error code " << result
                  << ")" << std::endl;
  }
  return nullptr;
}

bool Registry::WriteValue(const std::string& root, const std::string& subKey,
                          const std::string& valueName, const RegistryValue& value) {
  const UniqueRegistryKey key(openKey(root, subKey, KEY_ALL_ACCESS));
  if (!key) return false;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  switch (value.type) {
    case Reg_DWord:
      type = REG_DWORD;
      data.resize(sizeof value.dwordValue);
      std::memcpy(data.data(), &value.dwordValue, sizeof value.dwordValue);
      break;
    case Reg_String:
      type = REG_SZ;
      data = TextBytes(value.stringValue);
      break;
    case Reg_Expand_String:
      type = REG_EXPAND_SZ;
      data = TextBytes(value.stringValue);
      break;
    case Reg_Binary:
      type = REG_BINARY;
      data = HexDecoded(value.stringValue);
      break;
    case Reg_Multi_String:
      GetDebugLog() << "Registry::WriteValue: unsupported registry type Reg_Multi_String"
                    << std::endl;
      return false;
    default:
      GetDebugLog() << "Registry::WriteValue: unsupported registry type " << value.type
                    << std::endl;
      return false;
  }
  const BYTE nothing = 0;
  const LONG result =
      RegSetValueExA(key.get(), valueName.c_str(), 0, type, data.empty() ? &nothing : data.data(),
                     static_cast<DWORD>(data.size()));
  if (result != kSuccess) {
    GetDebugLog() << "Registry::WriteValue: RegSetValueEx returned with code " << result
                  << std::endl;
    return false;
  }
  return true;
}

bool Registry::ReadValue(const std::string& root, const std::string& subKey,
                         const std::string& valueName, RegistryValue& value) {
  const UniqueRegistryKey key(openKey(root, subKey, KEY_READ));
  if (!key) return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  // Only the size counts here: a missing value and an empty one both give 0.
  RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  if (size == 0) return false;
  std::vector<BYTE> data(size, 0);
  const LONG result =
      RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
  if (result != kSuccess) {
    GetDebugLog() << "Registry::ReadValue: could not query value " << valueName << " (return code "
                  << result << ")" << std::endl;
    return false;
  }
  data.resize(std::min<size_t>(size, data.size()));
  switch (type) {
    case REG_SZ:
      value.type = Reg_String;
      value.stringValue = TextOf(data);
      return true;
    case REG_EXPAND_SZ:
      value.type = Reg_Expand_String;
      value.stringValue = TextOf(data);
      return true;
    case REG_DWORD: {
      uint32_t number = 0;
      std::memcpy(&number, data.data(), std::min(data.size(), sizeof number));
      value.type = Reg_DWord;
      value.dwordValue = number;
      return true;
    }
    case REG_MULTI_SZ:
      value.type = Reg_Multi_String;
      AppendStrings(data, value.multiStringValue);
      return true;
    default:
      value.type = Reg_None;
      GetDebugLog() << "Registry::ReadValue: registry entry " << valueName
                    << " had unsupported data type " << type << std::endl;
      return false;
  }
}

std::string Registry::ReadString(const std::string& root, const std::string& subKey,
                                 const std::string& valueName) {
  RegistryValue value;
  if (!ReadValue(root, subKey, valueName, value)) return std::string();
  switch (value.type) {
    case Reg_DWord:
      return Format("%d", static_cast<int32_t>(value.dwordValue));
    case Reg_String:
    case Reg_Expand_String:
      return value.stringValue;
    default:
      return std::string();
  }
}

bool Registry::KeyExists(const std::string& root, const std::string& subKey) {
  const UniqueRegistryKey key(openKey(root, subKey, KEY_READ));
  return static_cast<bool>(key);
}

bool Registry::isEmptyKey(const std::string& root, const std::string& subKey) {
  const UniqueRegistryKey key(openKey(root, subKey, KEY_READ));
  if (!key) return false;
  DWORD subKeys = 0;
  DWORD values = 0;
  DWORD longestValueName = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                       &longestValueName, nullptr, nullptr, nullptr) != kSuccess) {
    return false;
  }
  // One value with a name of length 0 is the default value.
  return subKeys == 0 && (values == 0 || (values == 1 && longestValueName == 0));
}

bool Registry::DeleteEmptyKey(const std::string& root, const std::string& subKey, bool walkUp) {
  bool deleted = false;
  std::string path = subKey;
  while (isEmptyKey(root, path)) {
    UniqueRegistryKey opened;
    const HKEY rootKey = rootFor(root, opened);
    if (rootKey == nullptr) break;
    const LONG result = RegDeleteKeyA(rootKey, path.c_str());
    if (result != kSuccess) {
      GetDebugLog() << "Registry::DeleteEmptyKey: RegDeleteKey returned " << result << std::endl;
      break;
    }
    deleted = true;
    const size_t cut = path.rfind('\\');
    if (!walkUp || cut == std::string::npos) break;
    path.erase(cut);
  }
  return deleted;
}

bool Registry::DeleteKeyTree(const std::string& root, const std::string& subKey) {
  return cleanHelper(root, subKey, true);
}

bool Registry::cleanHelper(const std::string& root, const std::string& subKey, bool deleteAll) {
  const std::string name = root + "\\" + subKey;
  {
    UniqueRegistryKey opened;
    const HKEY rootKey = rootFor(root, opened);
    if (rootKey == nullptr) return false;
    HKEY rawKey = nullptr;
    const LONG result = RegOpenKeyExA(rootKey, subKey.c_str(), 0, KEY_ALL_ACCESS, &rawKey);
    if (result != kSuccess) {
      GetDebugLog() << "Registry::cleanHelper: could not open " << name << " (error " << result
                    << ")" << std::endl;
      return false;
    }
    const UniqueRegistryKey key(rawKey);
    DWORD subKeys = 0;
    DWORD longestSubKey = 0;
    LONG status = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, &longestSubKey,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> buffer(std::max<DWORD>(longestSubKey + 1, kKeyNameBuffer), '\0');
    // From the last index down, so deleting one never moves those still ahead.
    for (DWORD index = subKeys; status == kSuccess && index-- > 0;) {
      DWORD length = static_cast<DWORD>(buffer.size());
      status = RegEnumKeyExA(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr,
                             nullptr);
      if (status == kSuccess) {
        cleanHelper(root, subKey + "\\" + std::string(buffer.data(), length), deleteAll);
      }
    }
    if (status != kSuccess) {
      GetDebugLog() << "Registry::cleanHelper: could not enumerate on key " << name << " (error "
                    << status << ")" << std::endl;
      return false;
    }
  }
  if (!deleteAll) return DeleteEmptyKey(root, subKey, false);
  UniqueRegistryKey opened;
  const HKEY rootKey = rootFor(root, opened);
  if (rootKey == nullptr) return false;
  const LONG result = RegDeleteKeyA(rootKey, subKey.c_str());
  if (result != kSuccess) {
    GetDebugLog() << "Registry::cleanHelper: RegDeleteKey of " << name << " failed (error "
                  << result << ")" << std::endl;
    return false;
  }
  return true;
}

}  // namespace nodexa
