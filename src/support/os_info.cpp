#include "os_info.h"

#include <cstdlib>

#include "frame/debug_log.h"
#include "frame/string_tokenizer.h"
#include "frame/string_toolkit.h"
#include "registry.h"

namespace nodexa {

namespace {

constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kWindowsNtKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kWow64Key[] = "Software\\Wow6432Node";

// "major.minor..." through atoi; a missing part leaves 0.
void SplitVersion(const std::string& version, int32_t& major, int32_t& minor) {
  StringTokenizer tokens(version, '.');
  std::string token;
  if (tokens.NextToken(token)) major = std::atoi(token.c_str());
  if (tokens.NextToken(token)) minor = std::atoi(token.c_str());
}

}  // namespace

OSInfo::OSInfo() { initialize(); }

bool OSInfo::is9x() const { return os >= 0 && os <= 3; }

bool OSInfo::isNT() const { return (os >= 4 && os <= 7) || os == 9; }

bool OSInfo::isWin2000OrLater() const { return (os >= 5 && os <= 7) || os == 9; }

bool OSInfo::isXPOrLater() const { return os == 6 || os == 7 || os == 9; }

bool OSInfo::is64Bit() const { return os == 8 || wow64Key; }

void OSInfo::initialize() {
  Registry registry(computer);
  int32_t readMajor = 0;
  int32_t readMinor = 0;
  const std::string versionNumber = registry.ReadString("HKLM", kWindowsKey, "VersionNumber");
  if (!versionNumber.empty()) {
    SplitVersion(versionNumber, readMajor, readMinor);
    if (readMajor != 4) {
      GetDebugLog() << "OSInfo::initialize: invalid 9X version (major: " << readMajor
                    << ", minor: " << readMinor << ")" << std::endl;
    } else if (readMinor >= 90) {
      os = 3;
    } else if (readMinor >= 10) {
      os = 1;
      const std::string subVersion =
          Trim(registry.ReadString("HKLM", kWindowsKey, "SubVersionNumber"));
      if (!subVersion.empty() && CompareNoCase(subVersion, "A") == 0) os = 2;
    } else {
      os = 0;
    }
  } else {
    const std::string version = registry.ReadString("HKLM", kWindowsNtKey, "CurrentVersion");
    if (version.empty()) {
      GetDebugLog() << "OSInfo::initialize: could not locate version info in the registry!"
                    << std::endl;
    } else {
      SplitVersion(version, readMajor, readMinor);
      bool known = true;
      if (readMajor == 4) {
        os = 4;
      } else if (readMajor == 5) {
        if (readMinor == 0) os = 5;
        if (readMinor == 1) os = 7;
        if (readMinor == 2) os = 6;
        wow64Key = registry.KeyExists("HKLM", kWow64Key);
      } else if (readMajor == 6) {
        os = 9;
      } else {
        known = false;
        GetDebugLog() << "OSInfo::initialize: invalid NT version (major: " << readMajor
                      << ", minor " << readMinor << ")" << std::endl;
      }
      if (known) {
        std::string servicePackText = registry.ReadString("HKLM", kWindowsNtKey, "CSDVersion");
        if (!servicePackText.empty()) {
          servicePackText = servicePackText.substr(0, servicePackText.find(','));
          const size_t blank = servicePackText.rfind(' ');
          if (blank != std::string::npos) servicePackText = servicePackText.substr(blank + 1);
          if (!servicePackText.empty()) servicePack = std::atoi(servicePackText.c_str());
        }
      }
    }
  }
  major = readMajor;
  minor = readMinor;
}

}  // namespace nodexa
