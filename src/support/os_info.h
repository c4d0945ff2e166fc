// Which Windows the library runs on, learnt from the registry alone (never
// from the platform's version calls) each time an object is made.
//
// Codes: -1 unknown, 0 Windows 95, 1 Windows 98, 2 Windows 98 Second
// Edition, 3 Windows Me, 4 NT 4.0, 5 Windows 2000, 6 NT 5.2, 7 Windows XP,
// 8 a 64-bit system (accepted, never read), 9 NT 6.x.
//
// Construction never fails: a missing or malformed version leaves the code
// -1 and writes one line to the diagnostic log ("OSInfo::initialize: ...").
#ifndef NODEXA_SUPPORT_OS_INFO_H_
#define NODEXA_SUPPORT_OS_INFO_H_

#include <cstdint>
#include <string>

namespace nodexa {

class OSInfo {
 public:
  // Reads the version from the local registry.
  OSInfo();

  int32_t getOS() const { return os; }
  bool is9x() const;
  bool isNT() const;
  bool isWin2000OrLater() const;
  bool isXPOrLater() const;
  // Code 8, or "Software\Wow6432Node" under "HKLM" on an NT 5.x system.
  bool is64Bit() const;
  // The version numbers as read (0 when none was read).
  int32_t getMajor() const { return major; }
  int32_t getMinor() const { return minor; }
  // The number at the end of "CSDVersion", 0 when there is none.
  int32_t getServicePack() const { return servicePack; }

 private:
  void initialize();

  int32_t os = -1;
  int32_t servicePack = 0;
  std::string computer;
  int32_t major = 0;
  int32_t minor = 0;
  bool wow64Key = false;
};

}  // namespace nodexa

#endif  // NODEXA_SUPPORT_OS_INFO_H_
