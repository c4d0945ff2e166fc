// The POSIX stand-in's device side: the device list, the hardware keys the
// registry builds from it, how bare module names are found and how a
// stand-in system module reaches the process's services, and the file
// calls that remove a driver's files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness/test_devices.h"
#include "harness/test_machine.h"
#include "harness/test_medium.h"
#include "platform/posix/device_list.h"
#include "platform/win32_api.h"

namespace {

using nodexa::platform::MachineDevice;
using nodexa::test::TestDevices;
using nodexa::test::TestMachine;
using nodexa::test::WindowsForm;
using nodexa::test::WriteBinary;

TEST(DeviceList, SectionsBecomeDevicesWithTheirDefaults) {
  TestMachine machine;
  TestDevices devices(machine);
  devices.SetDevices(
      "; the printer\n"
      "[USB\\VID_1A2B&PID_0001\\5&2C]\n"
      "HardwareID = USBPRINT\\QuorvexQX100\n"
      "HardwareID=QuorvexQX100\n"
      "CompatibleID=USBPRINT\\Quorvex\n"
      "DeviceDesc=Quorvex QX100\n"
      "Class=Printer\n"
      "ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}\n"
      "PortName=USB001\n"
      "[ROOT\\PRINTER\\0000]\n"
      "Enumerator=Virtual\n"
      "Present=0\n"
      "NodeStatus=not a number\n"
      "[USB\\X\\1]\n"
      "present=1\n"
      "nodestatus=0x1B\n");
  const std::vector<MachineDevice> list = nodexa::platform::ReadMachineDevices();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].instanceId, "USB\\VID_1A2B&PID_0001\\5&2C");
  EXPECT_EQ(list[0].hardwareIds,
            (std::vector<std::string>{"USBPRINT\\QuorvexQX100", "QuorvexQX100"}));
  EXPECT_EQ(list[0].compatibleIds, std::vector<std::string>{"USBPRINT\\Quorvex"});
  EXPECT_EQ(list[0].description, "Quorvex QX100");
  EXPECT_EQ(list[0].className, "Printer");
  EXPECT_EQ(list[0].enumerator, "USB");
  EXPECT_TRUE(list[0].present);
  EXPECT_EQ(list[0].portName, "USB001");
  EXPECT_EQ(list[0].nodeStatus, 0u);

  EXPECT_EQ(list[1].enumerator, "Virtual");
  EXPECT_FALSE(list[1].present);
  EXPECT_EQ(list[1].nodeStatus, 13u);  // a phantom has no device node
  EXPECT_FALSE(list[1].className);
  EXPECT_FALSE(list[1].portName);
  EXPECT_TRUE(list[1].hardwareIds.empty());

  EXPECT_TRUE(list[2].present);
  EXPECT_EQ(list[2].nodeStatus, 0x1Bu);
}

TEST(DeviceList, HardwareKeysLiveInTheRegistryButAreNeverWritten) {
  TestMachine machine("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker]\n");
  TestDevices devices(machine);
  devices.SetDevices("[USB\\A\\1]\nPortName=USB001\n[USB\\A\\2]\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          "SYSTEM\\CurrentControlSet\\Enum\\USB\\A\\1\\Device Parameters", 0,
                          KEY_READ, &key),
            0);
  char port[16] = {};
  DWORD size = sizeof port;
  DWORD type = 0;
  EXPECT_EQ(
      RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<LPBYTE>(port), &size), 0);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(port, size), std::string("USB001", 7));
  RegCloseKey(key);
  // A device without PortName has the key but not the value.
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          "SYSTEM\\CurrentControlSet\\Enum\\USB\\A\\2\\Device Parameters", 0,
                          KEY_READ, &key),
            0);
  EXPECT_EQ(RegQueryValueExA(key, "PortName", nullptr, nullptr, nullptr, nullptr),
            static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  RegCloseKey(key);

  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Maker", 0, KEY_SET_VALUE, &key), 0);
  EXPECT_EQ(RegSetValueExA(key, "Seen", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2), 0);
  RegCloseKey(key);
  EXPECT_NE(machine.RegistryText().find("Seen"), std::string::npos);
  EXPECT_EQ(machine.RegistryText().find("Enum"), std::string::npos);
}

class ModuleSearchTest : public ::testing::Test {
 protected:
  ModuleSearchTest() : devices(machine) {
    devices.SetFacts("WindowsDirectory=" + windows.Path().string() + "\n");
  }

  // The file a loaded module came from, in host form.
  static std::string FileOf(HMODULE module) {
    char buffer[4096] = {};
    const DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
    std::string path(buffer, length);
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }

  TestMachine machine;
  TestDevices devices;
  nodexa::test::TempDir windows;
};

struct SearchCase {
  const char* name;
  const char* request;
  const char* folder;  // "program", "system", "windows" or "" for not found
};

TEST_F(ModuleSearchTest, BareNamesSearchTheProgramFolderThenTheSystemFolders) {
  const std::filesystem::path program = nodexa::test::ProgramDirectory();
  std::filesystem::copy_file(program / "QVXAcfg.dll", devices.SystemFolder() / "SysOnly.dll");
  std::filesystem::copy_file(program / "QVXAcfg.dll", windows.Path() / "WinOnly.dll");
  std::filesystem::copy_file(program / "QVXAcfg.dll", windows.Path() / "SetupApi.dll");
  // The library beside this program: loading it runs no stand-in that
  // would journal into the build folder.
  std::filesystem::copy_file(program / "QVXAcfg.dll", devices.SystemFolder() / "libNodexa.so");
  const SearchCase cases[] = {
      {"the program's folder comes first", "libNodexa.so", "program"},
      {"then the system folder", "SysOnly.dll", "system"},
      {"system before Windows folder", "SetupApi.dll", "system"},
      {"then the Windows folder", "WinOnly.dll", "windows"},
      {"names ignore case", "sysonly.DLL", "system"},
      {"no extension means .dll", "SysOnly", "system"},
      {"not anywhere", "Missing.dll", ""},
  };
  for (const SearchCase& c : cases) {
    SetLastError(0);
    HMODULE module = LoadLibraryA(c.request);
    const std::string folder = c.folder;
    if (folder.empty()) {
      EXPECT_EQ(module, nullptr) << c.name;
      EXPECT_EQ(GetLastError(), 126u) << c.name;
      continue;
    }
    ASSERT_NE(module, nullptr) << c.name;
    const std::filesystem::path expected = folder == "program"  ? program
                                           : folder == "system" ? devices.SystemFolder()
                                                                : windows.Path();
    EXPECT_EQ(std::filesystem::path(FileOf(module)).parent_path(), expected) << c.name;
    EXPECT_EQ(GetModuleHandleA(c.request), module) << c.name;
    FreeLibrary(module);
  }
}

TEST_F(ModuleSearchTest, NamesWithAFolderAreNotSearched) {
  const std::filesystem::path program = nodexa::test::ProgramDirectory();
  std::filesystem::copy_file(program / "QVXAcfg.dll", devices.SystemFolder() / "Only.dll");
  EXPECT_EQ(LoadLibraryA(".\\Only.dll"), nullptr);
  HMODULE module = LoadLibraryA(WindowsForm(devices.SystemFolder() / "ONLY").c_str());
  EXPECT_NE(module, nullptr);
  if (module != nullptr) FreeLibrary(module);
}

TEST_F(ModuleSearchTest, SystemStandInsGetTheProcessesServices) {
  HMODULE setupApi = LoadLibraryA("SetupApi.dll");
  ASSERT_NE(setupApi, nullptr);
  EXPECT_EQ(std::filesystem::path(FileOf(setupApi)).parent_path(), devices.SystemFolder());
  using EnumFn = BOOL (*)(HDEVINFO, DWORD, PSP_DEVINFO_DATA);
  const auto enumerate = reinterpret_cast<EnumFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(setupApi, "SetupDiEnumDeviceInfo")));
  ASSERT_NE(enumerate, nullptr);
  SetLastError(0);
  SP_DEVINFO_DATA data{};
  data.cbSize = sizeof data;
  EXPECT_FALSE(enumerate(reinterpret_cast<HDEVINFO>(uintptr_t{42}), 0, &data));
  // The module's error reached this thread's last error.
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  FreeLibrary(setupApi);
}

class FileOperationsTest : public ::testing::Test {
 protected:
  FileOperationsTest() {
    std::filesystem::create_directories(folder.Path() / "Inf");
    WriteBinary(folder.Path() / "Inf" / "oem5.inf", "x");
  }
  std::string Name(const std::string& relative) const {
    return WindowsForm(folder.Path()) + "\\" + relative;
  }

  TestMachine machine;
  nodexa::test::TempDir folder;
};

struct DeleteCase {
  const char* name;
  const char* path;
  BOOL deleted;
  DWORD error;
};

TEST_F(FileOperationsTest, DeleteFileFindsNamesWithoutCase) {
  std::filesystem::create_directories(folder.Path() / "Inf" / "sub.inf");
  const DeleteCase cases[] = {
      {"other case", "INF\\OEM5.INF", TRUE, 0},
      {"gone now", "Inf\\oem5.inf", FALSE, ERROR_FILE_NOT_FOUND},
      {"missing folder", "Missing\\oem5.inf", FALSE, ERROR_PATH_NOT_FOUND},
      {"a folder", "Inf\\sub.inf", FALSE, ERROR_ACCESS_DENIED},
  };
  for (const DeleteCase& c : cases) {
    SetLastError(0);
    EXPECT_EQ(DeleteFileA(Name(c.path).c_str()), c.deleted) << c.name;
    if (!c.deleted) {
      EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Inf" / "oem5.inf"));
}

TEST_F(FileOperationsTest, ReadOnlyComesAndGoes) {
  const std::string file = Name("inf\\Oem5.Inf");
  EXPECT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_NE(GetFileAttributesA(Name("Inf\\oem5.inf").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesA(Name("Inf\\oem5.inf").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_FALSE(SetFileAttributesA(Name("Inf\\none.inf").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileOperationsTest, DeleteFileFaultLeavesTheFile) {
  machine.SetFacts("FailDeleteFileA=32\n");
  EXPECT_FALSE(DeleteFileA(Name("Inf\\oem5.inf").c_str()));
  EXPECT_EQ(GetLastError(), 32u);
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Inf" / "oem5.inf"));
}

TEST_F(FileOperationsTest, RemovalAtRestartIsRecordedInTheSessionManagersList) {
  const std::string first = Name("Inf\\oem5.inf");
  EXPECT_FALSE(MoveFileExA(first.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));  // no such key yet

  machine.Import("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager]\n");
  WriteBinary(folder.Path() / "Inf" / "oem5.pnf", "x");
  const std::string second = Name("INF\\OEM5.PNF");
  EXPECT_TRUE(MoveFileExA(first.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_TRUE(MoveFileExA(second.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_FALSE(MoveFileExA(Name("Inf\\none.inf").c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_FALSE(MoveFileExA(first.c_str(), second.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(MoveFileExA(first.c_str(), nullptr, 0));

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                          0, KEY_READ, &key),
            0);
  char list[2048] = {};
  DWORD size = sizeof list;
  EXPECT_EQ(RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                             reinterpret_cast<LPBYTE>(list), &size),
            0);
  RegCloseKey(key);
  EXPECT_EQ(std::string(list, size),
            "\\??\\" + first + std::string(2, '\0') + "\\??\\" + second + std::string(3, '\0'));
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Inf" / "oem5.inf"));
}

}  // namespace
