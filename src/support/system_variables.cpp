#include "system_variables.h"

#include <cctype>
#include <cstdint>
#include <cstring>

#include "frame/setup_medium.h"
#include "frame/string_toolkit.h"
#include "language_info.h"
#include "machine_measurements.h"
#include "os_info.h"
#include "platform/win32_api.h"
#include "resolver.h"
#include "system_path.h"

namespace nodexa {

namespace {

std::string Directory(int32_t code, bool allUsers = true) {
  return SystemPath(code, allUsers).GetDirectory();
}

std::string ComputerName() {
  char buffer[16] = {};
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return std::string();
  std::string name(buffer, strnlen(buffer, sizeof buffer));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string UserName() {
  char buffer[514] = {};
  DWORD size = sizeof buffer;
  if (!GetUserNameA(buffer, &size)) return std::string();
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::string Unsigned(uint32_t value) { return Format("%u", value); }

struct SystemVariable {
  const char* name;
  std::string (*value)();
};

const SystemVariable kVariables[] = {
    {"CD_ROOT_DIR", [] { return Directory(0); }},
    {"COMMONFILES_DIR", [] { return Directory(1); }},
    {"DRIVER_DIR", [] { return Directory(11); }},
    {"DRIVER_MULTI_OS_DIR", [] { return Directory(12); }},
    {"DRIVER_CAB", [] { return SystemPath(4, true).FullPath(); }},
    {"PROGRAMFILES_DIR", [] { return Directory(14); }},
    {"SENDTO_DIR", [] { return Directory(15); }},
    {"CURRENTUSER_DESKTOP_DIR", [] { return Directory(3, false); }},
    {"ALLUSERS_DESKTOP_DIR", [] { return Directory(3); }},
    {"SYSTEM_DIR", [] { return Directory(19); }},
    {"SYSTEMFONTS_DIR", [] { return Directory(9); }},
    {"TEMP_DIR", [] { return Directory(22); }},
    {"WINDOWS_DIR", [] { return Directory(23); }},
    {"WINDOWS_DRIVE", [] { return Directory(21); }},
    {"COMMONAPPDATA_DIR", [] { return Directory(27); }},
    {"LANGUAGE", [] { return InstallationLanguage(); }},
    {"CODEPAGE", [] { return LookupLanguage(InstallationLanguage(), 4); }},
    {"OS_LANG", [] { return GetUserLocale(); }},
    {"OS_CODEPAGE", [] { return LookupLanguage(GetUserLocale(), 4); }},
    {"OS_ISOLANG", [] { return GetUserLocale(); }},
    {"OS_ARCH", [] { return std::string(isBuild64() ? "x64" : "x86"); }},
    {"IS_OS_NT", [] { return std::string(OSInfo().getOS() == 4 ? "TRUE" : "FALSE"); }},
    {"COMPUTER_NAME", ComputerName},
    {"HEX_LANG", [] { return Format("0x%x", static_cast<unsigned>(GetUserLanguage())); }},
    {"QVX_LANG_CODE", [] { return Format("%d", GetLanguageCode(GetUserLanguage())); }},
    {"USERNAME", UserName},
    {"SYSTEM_CPU", [] { return Unsigned(GetProcessorSpeed()); }},
    {"SYSTEM_MEMORY", [] { return Unsigned(GetPhysicalMemory()); }},
    {"SYSTEM_SPACE", [] { return Unsigned(GetFreeDiskSpace(Directory(21))); }},
};

}  // namespace

std::string GetSystemVariable(const std::string& name) {
  for (const SystemVariable& variable : kVariables) {
    if (CompareNoCase(name.c_str(), variable.name) == 0) return variable.value();
  }
  return std::string();
}

}  // namespace nodexa
