#include "system_path.h"

#include <string>

#include "frame/debug_log.h"
#include "frame/setup_medium.h"
#include "os_info.h"
#include "platform/win32_api.h"
#include "registry.h"

namespace nodexa {

namespace {

constexpr char kMachineSettingsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDefaultUserShellFolders[] =
    ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCommonShellFolders[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr int32_t kLastCode = 28;
constexpr int32_t kWindowsNT4 = 4;

// The platform's directory calls fill a cleared buffer of MAX_PATH
// characters, so a failing call gives "".
template <typename Call>
std::string Directory(Call&& call) {
  char buffer[MAX_PATH] = {};
  call(buffer);
  buffer[MAX_PATH - 1] = '\0';
  return buffer;
}

std::string WindowsDirectory() {
  return Directory([](char* buffer) { GetWindowsDirectoryA(buffer, MAX_PATH); });
}

std::string PrinterDriverDirectory() {
  return Directory([](char* buffer) {
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), MAX_PATH,
                               &needed);
  });
}

PathObject DirectoryPath(const std::string& directory) {
  PathObject path;
  path.SetDirectory(directory);
  return path;
}

// A shell folder of the user, of the default user (9x) or of all users.
std::string ShellFolder(Registry& registry, const OSInfo& os, bool allUsers, const char* userValue,
                        const char* commonValue) {
  if (!allUsers) return registry.ReadString("HKCU", kUserShellFolders, userValue);
  if (os.is9x()) return registry.ReadString("HKU", kDefaultUserShellFolders, userValue);
  return registry.ReadString("HKLM", kCommonShellFolders, commonValue);
}

}  // namespace

SystemPath::SystemPath(int32_t code, bool allUsers) {
  if (code < 0 || code > kLastCode) {
    GetDebugLog() << "SystemPath::ctor: invalid path code " << code << std::endl;
    return;
  }
  Registry registry;
  const OSInfo os;
  if (code == 4) {
    setDriverCabinet(registry, os);
  } else {
    setDirectoryOf(code, allUsers, registry, os);
  }
}

void SystemPath::setDriverCabinet(Registry& registry, const OSInfo& os) {
  if (!os.is64Bit()) {
    setDirectoryOf(5, false, registry, os);
    SetFileName("driver.CAB");
    return;
  }
  setDirectoryOf(8, false, registry, os);
  SetFileName("driver.CAB");
  if (GetFileAttributesA(FullPath().c_str()) != INVALID_FILE_ATTRIBUTES) return;
  setDirectoryOf(7, false, registry, os);
  if (GetFileAttributesA(FullPath().c_str()) != INVALID_FILE_ATTRIBUTES) return;
  setDirectoryOf(6, false, registry, os);
  SetFileName("driver32.CAB");
}

void SystemPath::setDirectoryOf(int32_t code, bool allUsers, Registry& registry, const OSInfo& os) {
  PathObject path;
  switch (code) {
    case 0:
    case 28:
      path = GetSetupRoot();
      break;
    case 1:
      path.SetDirectory(registry.ReadString("HKLM", kMachineSettingsKey, "CommonFilesDir"));
      break;
    case 2:
      path.SetDirectory(Directory([](char* buffer) { GetCurrentDirectoryA(MAX_PATH, buffer); }));
      break;
    case 3:
      path.SetDirectory(ShellFolder(registry, os, allUsers, "Desktop", "Common Desktop"));
      break;
    case 5:
      path.SetDirectory(WindowsDirectory());
      path.AppendDirectory(os.is64Bit() ? "Driver Cache\\x64" : "Driver Cache\\i386");
      break;
    case 6:
      path.SetDirectory(WindowsDirectory());
      path.AppendDirectory("Driver Cache\\i386");
      break;
    case 7:
      path.SetDirectory(WindowsDirectory());
      path.AppendDirectory("Driver Cache\\amd64");
      break;
    case 8:
      path.SetDirectory(WindowsDirectory());
      path.AppendDirectory("Driver Cache\\x64");
      break;
    case 9:
      path.SetDirectory(WindowsDirectory());
      path.AppendDirectory("Fonts");
      break;
    case 10:
      path = GetExecutableDirectory();
      break;
    case 11:
      path.SetDirectory(PrinterDriverDirectory());
      break;
    case 12:
      path.SetDirectory(PrinterDriverDirectory());
      if (os.getOS() == kWindowsNT4) path.AppendDirectory("2");
      if (os.isWin2000OrLater()) path.AppendDirectory("3");
      break;
    case 13:
      path.SetDirectory(Directory([](char* buffer) {
        DWORD needed = 0;
        GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer), MAX_PATH,
                                    &needed);
      }));
      break;
    case 14:
      path.SetDirectory(registry.ReadString("HKLM", kMachineSettingsKey, "ProgramFilesDir"));
      break;
    case 15:
      path.SetDirectory(registry.ReadString("HKCU", kUserShellFolders, "SendTo"));
      break;
    case 16:
      path.SetDirectory(PrinterDriverDirectory());
      if (os.isNT()) path = path.Parent().Parent();
      break;
    case 17:
      path.SetDirectory(PrinterDriverDirectory());
      if (os.isNT()) path = path.Parent();
      break;
    case 18:
      path.SetDirectory(ShellFolder(registry, os, allUsers, "Programs", "Common Programs"));
      break;
    case 19:
      path.SetDirectory(Directory([](char* buffer) { GetSystemDirectoryA(buffer, MAX_PATH); }));
      break;
    case 20:
      path.SetDirectory(WindowsDirectory());
      path.AppendDirectory("Inf");
      break;
    case 21:
      path.SetDirectory(platform::SplitPath(WindowsDirectory()).drive);
      break;
    case 22:
      path.SetDirectory(Directory([](char* buffer) { GetTempPathA(MAX_PATH, buffer); }));
      break;
    case 23:
      path.SetDirectory(WindowsDirectory());
      break;
    case 24:
      path = DirectoryPath(PrinterDriverDirectory()).Parent();
      path.AppendDirectory("Win40");
      path.AppendDirectory("0");
      break;
    case 25:
      path.SetDirectory(PrinterDriverDirectory());
      path.AppendDirectory("3");
      break;
    case 26:
      path.SetDirectory(PrinterDriverDirectory());
      path.AppendDirectory("2");
      break;
    case 27:
      path.SetDirectory(registry.ReadString("HKLM", kCommonShellFolders, "Common AppData"));
      break;
    default:
      break;
  }
  SetDirectory(path.GetDirectory());
}

}  // namespace nodexa
