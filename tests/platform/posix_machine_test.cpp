// The POSIX stand-in's machine folder: its registry file and its facts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace {

using nodexa::test::TestMachine;

LONG Code(DWORD error) { return static_cast<LONG>(error); }

TEST(StandInRegistry, ChangesAreWrittenBackWholeWithoutTheHardwareKeys) {
  TestMachine machine("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Keep]\n\"Old\"=\"value\"\n",
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

// A registry file in three parts, each with its comments and blank lines.
constexpr char kMaker[] =
    "REGEDIT4\n"
    "\n[HKEY_LOCAL_MACHINE\\Software]\n"
    "\n; the maker's settings\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Maker]\n"
    "; shown in the title\n"
    "\"Name\"=\"Quorvex\"\n";
constexpr char kZeta[] =
    "\n; left by an old version\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Maker\\Zeta]\n"
    "\"Z\"=\"1\"\n";
constexpr char kAlpha[] = "\n[HKEY_LOCAL_MACHINE\\Software\\Maker\\Alpha]\n";
constexpr char kEnd[] = "; end\n";

LONG SetNew(HKEY maker) {
  return RegSetValueExA(maker, "New", 0, REG_SZ, reinterpret_cast<const BYTE*>("fresh"), 6);
}
LONG DeleteZeta(HKEY maker) { return RegDeleteKeyA(maker, "Zeta"); }

// A rewrite keeps the file's mode (0604, which no umask makes) and puts each
// comment back above the key or value it stood above, though the keys come
// out in name order. A file nobody may write refuses every change and stays
// as it was.
TEST(StandInRegistry, RewritesKeepModeAndCommentsAndSpareAReadOnlyFile) {
  const std::string before = std::string(kMaker) + kZeta + kAlpha + kEnd;
  const struct {
    const char* label;
    mode_t mode;
    LONG (*change)(HKEY maker);
    LONG status;
    std::string after;
  } cases[] = {
      {"set, mode 0604", 0604, SetNew, 0,
       std::string(kMaker) + "\"New\"=\"fresh\"\n" + kAlpha + kZeta + kEnd},
      {"set, read-only", 0444, SetNew, Code(ERROR_ACCESS_DENIED), before},
      {"delete, read-only", 0444, DeleteZeta, Code(ERROR_ACCESS_DENIED), before},
  };
  for (const auto& row : cases) {
    TestMachine machine(before);
    ASSERT_EQ(chmod(machine.RegistryFile().c_str(), row.mode), 0);
    HKEY maker = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Maker", 0, KEY_ALL_ACCESS, &maker), 0);
    EXPECT_EQ(row.change(maker), row.status) << row.label;
    RegCloseKey(maker);
    EXPECT_EQ(machine.RegistryText(), row.after) << row.label;
    struct stat info {};
    ASSERT_EQ(stat(machine.RegistryFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, row.mode) << row.label;
  }
}

// Two processes writing at once each re-read the file under the writers'
// lock, so neither overwrites what the other wrote.
TEST(StandInRegistry, WritersInTwoProcessesLoseNoValue) {
  TestMachine machine("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Shared]\n");
  constexpr DWORD kWrites = 200;
  pid_t writers[2] = {-1, -1};
  for (int writer = 0; writer < 2; ++writer) {
    writers[writer] = fork();
    ASSERT_GE(writers[writer], 0);
    if (writers[writer] != 0) continue;
    // The child writes and leaves at once, without the parent's clean-up.
    HKEY key = nullptr;
    int failures = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_SET_VALUE, &key);
    for (DWORD i = 0; i < kWrites; ++i) {
      const std::string name = std::to_string(writer) + "-" + std::to_string(i);
      failures += RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i),
                                 sizeof i) != 0;
    }
    _exit(failures == 0 ? 0 : 1);
  }
  for (const pid_t writer : writers) {
    int status = -1;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &key), 0);
  DWORD values = 0;
  EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr),
            0);
  RegCloseKey(key);
  EXPECT_EQ(values, 2 * kWrites);
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
      {"0x409", 0x409},   {"0X80A", 0x80a},
      {"1033", 0x409},    {"0409", 409},
      {"0xFFFF", 0xFFFF}, {"0x10000", 0x409},
      {"0x40g", 0x409},   {"-0", 0x409},
      {"", 0x409},        {"99999999999999999999", 0x409},
  };
  TestMachine machine;
  for (const auto& c : cases) {
    machine.SetFacts(std::string("LanguageId=") + c.fact + "\n");
    EXPECT_EQ(GetUserDefaultLangID(), c.expected) << '"' << c.fact << '"';
  }
}

}  // namespace
