// The POSIX stand-in's machine folder: its registry file and its facts.
#include <gtest/gtest.h>

#include <string>

#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace {

using nodexa::test::TestMachine;

TEST(StandInRegistry, ChangesAreWrittenBackWholeWithoutTheHardwareKeys) {
  TestMachine machine(
      "REGEDIT4\n; a comment that the rewrite drops\n[HKEY_LOCAL_MACHINE\\Software\\Keep]\n"
      "\"Old\"=\"value\"\n",
      "ProcessorClockMHz=1234\n");
  HKEY key = nullptr;
  // The hardware keys come from the facts.
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                          0, KEY_READ, &key),
            0);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Keep", 0, KEY_ALL_ACCESS, &key), 0);
  EXPECT_EQ(RegSetValueExA(key, "New", 0, REG_SZ, reinterpret_cast<const BYTE*>("fresh"), 6), 0);
  RegCloseKey(key);
  EXPECT_EQ(machine.RegistryText(),
            "REGEDIT4\n"
            "\n[HKEY_LOCAL_MACHINE\\Software]\n"
            "\n[HKEY_LOCAL_MACHINE\\Software\\Keep]\n"
            "\"Old\"=\"value\"\n"
            "\"New\"=\"fresh\"\n");
}

struct DirectoryFactCase {
  const char* facts;
  const char* windows;
  const char* system;
  const char* drivers;
};

TEST(StandInFacts, DirectoriesFollowTheWindowsDirectory) {
  const DirectoryFactCase cases[] = {
      {"", "C:\\Windows", "C:\\Windows\\system32", "C:\\Windows\\system32\\spool\\drivers\\x64"},
      {"WindowsDirectory=E:/WinNT/", "E:\\WinNT", "E:\\WinNT\\system32",
       "E:\\WinNT\\system32\\spool\\drivers\\x64"},
      {"WindowsDirectory=F:\\\nSystemDirectory=G:\\Sys", "F:\\", "G:\\Sys",
       "G:\\Sys\\spool\\drivers\\x64"},
      {"PrinterDriverDirectory=H:\\Drivers", "C:\\Windows", "C:\\Windows\\system32", "H:\\Drivers"},
  };
  TestMachine machine;
  for (const DirectoryFactCase& row : cases) {
    machine.SetFacts(row.facts);
    char windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    BYTE drivers[MAX_PATH] = {};
    DWORD needed = 0;
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, drivers, MAX_PATH, &needed);
    EXPECT_STREQ(windows, row.windows) << row.facts;
    EXPECT_STREQ(system, row.system) << row.facts;
    EXPECT_STREQ(reinterpret_cast<char*>(drivers), row.drivers) << row.facts;
  }
}

// A language identifier in hex or decimal; anything else means United States.
TEST(StandInFacts, LanguageIdentifierOrUnitedStates) {
  const struct {
    const char* fact;
    LANGID expected;
  } cases[] = {
      {"0x409", 0x409},   {"0X80A", 0x80a},   {"1033", 0x409},  {"0409", 409},
      {"0xFFFF", 0xFFFF}, {"0x10000", 0x409}, {"0x40g", 0x409}, {"-0", 0x409},
      {"", 0x409},        {"99999999999999999999", 0x409},
  };
  TestMachine machine;
  for (const auto& c : cases) {
    machine.SetFacts(std::string("LanguageId=") + c.fact + "\n");
    EXPECT_EQ(GetUserDefaultLangID(), c.expected) << '"' << c.fact << '"';
  }
}

}  // namespace
