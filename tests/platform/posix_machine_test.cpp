// The POSIX stand-in's own promises: the machine folder's registry file and
// facts, and the host's facts without a machine folder.
#include <gtest/gtest.h>

#include <algorithm>

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "frame/platform_handles.h"
#include "harness/test_machine.h"
#include "platform/posix/machine_facts.h"
#include "platform/win32_api.h"

namespace {

using nodexa::test::TestMachine;

using Key = nodexa::UniqueRegistryKey;

LONG Code(DWORD error) { return static_cast<LONG>(error); }

Key Open(const std::string& subKey, REGSAM access = KEY_READ, HKEY root = HKEY_LOCAL_MACHINE) {
  HKEY key = nullptr;
  RegOpenKeyExA(root, subKey.c_str(), 0, access, &key);
  return Key(key);
}

// The value's text, "(none)" when it cannot be read.
std::string ReadText(const std::string& subKey, const char* name) {
  const Key key = Open(subKey);
  char buffer[256] = {};
  DWORD size = sizeof buffer - 1;
  if (!key || RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               &size) != 0) {
    return "(none)";
  }
  return buffer;
}

LONG SetText(HKEY key, const char* name, const std::string& text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
}

std::string Directory(UINT (*call)(LPSTR, UINT)) {
  char buffer[MAX_PATH] = {};
  call(buffer, MAX_PATH);
  return buffer;
}

std::string PrinterDirectory(BOOL (*call)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD)) {
  BYTE buffer[MAX_PATH] = {};
  DWORD needed = 0;
  call(nullptr, nullptr, 1, buffer, MAX_PATH, &needed);
  return reinterpret_cast<char*>(buffer);
}

// Runs with NODEXA_MACHINE unset, restoring it afterwards.
class NoMachine {
 public:
  NoMachine() {
    if (const char* value = std::getenv("NODEXA_MACHINE")) previous = value;
    unsetenv("NODEXA_MACHINE");
  }
  ~NoMachine() {
    if (!previous.empty()) setenv("NODEXA_MACHINE", previous.c_str(), 1);
  }
  NoMachine(const NoMachine&) = delete;
  NoMachine& operator=(const NoMachine&) = delete;

 private:
  std::string previous;
};

TEST(StandInRegistryTest, ChangesAreWrittenBackWholeAndAtOnce) {
  TestMachine machine(
      "REGEDIT4\n; a comment that the rewrite drops\n[HKEY_LOCAL_MACHINE\\Software\\Keep]\n"
      "\"Old\"=\"value\"\ngarbage that is dropped too\n");
  {
    const Key key = Open("Software\\Keep", KEY_ALL_ACCESS);
    ASSERT_EQ(SetText(key.get(), "New", "fresh"), 0);
  }
  EXPECT_EQ(machine.RegistryText(),
            "REGEDIT4\n"
            "\n[HKEY_LOCAL_MACHINE\\Software]\n"
            "\n[HKEY_LOCAL_MACHINE\\Software\\Keep]\n"
            "\"Old\"=\"value\"\n"
            "\"New\"=\"fresh\"\n");
  for (const auto& entry : std::filesystem::directory_iterator(machine.Folder())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "registry.reg" || name == "facts.ini") << "left behind: " << name;
  }
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Keep"), 0);
  EXPECT_EQ(machine.RegistryText(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n");
}

TEST(StandInRegistryTest, TheFileIsReadAgainOnEveryCall) {
  TestMachine machine("REGEDIT4\n[HKEY_CURRENT_USER\\Live]\n\"v\"=\"one\"\n");
  const Key key = Open("Live", KEY_READ, HKEY_CURRENT_USER);
  ASSERT_TRUE(key);
  machine.Import("[HKEY_CURRENT_USER\\Live]\n\"v\"=\"two\"\n");
  char buffer[8] = {};
  DWORD size = sizeof buffer;
  ASSERT_EQ(
      RegQueryValueExA(key.get(), "v", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
      0);
  EXPECT_STREQ(buffer, "two");
  machine.Import("[-HKEY_CURRENT_USER\\Live]\n");
  EXPECT_EQ(RegQueryValueExA(key.get(), "v", nullptr, nullptr, nullptr, &size),
            Code(ERROR_KEY_DELETED));
}

TEST(StandInRegistryTest, AMalformedFileKeepsWhatParses) {
  std::string text = "REGEDIT4\n\x01\x02\xff garbage\n[HKEY_LOCAL_MACHINE\\Software\\Good]\n";
  text += "\"Truncated\"=hex:01,0\n\"Cut\"=hex:01,\\\n";
  text += "\"Unterminated\"=\"abc\n\"Fine\"=\"yes\"\n[HKEY_BROKEN\\x]\n\"Lost\"=\"no\"\n";
  text += "[HKEY_LOCAL_MACHINE\\Software\\Good\\" + std::string(100000, 'k') + "\n";
  text += "\"Last\"=dword:00000007\n\"Tail\"=hex:01,\\";
  TestMachine machine(text);
  EXPECT_EQ(ReadText("Software\\Good", "Fine"), "yes");
  EXPECT_EQ(ReadText("Software\\Good", "Unterminated"), "(none)");
  EXPECT_EQ(ReadText("Software\\Good", "Lost"), "(none)");
  const Key key = Open("Software\\Good");
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key.get(), "Truncated", nullptr, &type, nullptr, &size), 0);
  EXPECT_EQ(size, 2u);
  // "Cut" swallowed the next line as its continuation, which is not hex.
  EXPECT_EQ(RegQueryValueExA(key.get(), "Cut", nullptr, &type, nullptr, &size),
            Code(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegQueryValueExA(key.get(), "Tail", nullptr, &type, nullptr, &size),
            Code(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegQueryValueExA(key.get(), "Last", nullptr, &type, nullptr, &size),
            Code(ERROR_FILE_NOT_FOUND));
}

TEST(StandInRegistryTest, WithoutAMachineTheRegistryIsEmptyAndReadOnly) {
  NoMachine none;
  EXPECT_FALSE(Open("Software\\Microsoft"));
  EXPECT_FALSE(Open("Software", KEY_READ, HKEY_CURRENT_USER));
  EXPECT_FALSE(Open(".Default", KEY_READ, HKEY_USERS));
  EXPECT_EQ(SetText(HKEY_LOCAL_MACHINE, "Anything", "x"), Code(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadText("", "Anything"), "(none)");
  // The classes key always exists, as on Windows.
  EXPECT_TRUE(Open("Software\\Classes"));
  EXPECT_TRUE(Open("", KEY_READ, HKEY_CLASSES_ROOT));
}

// The processor clock comes from the facts and is never written back.
TEST(StandInRegistryTest, TheProcessorClockIsNeverWrittenBack) {
  TestMachine machine("REGEDIT4\n", "ProcessorClockMHz=1234\n");
  ASSERT_TRUE(Open("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"));
  ASSERT_EQ(SetText(HKEY_LOCAL_MACHINE, "Written", "x"), 0);
  EXPECT_EQ(machine.RegistryText().find("HARDWARE"), std::string::npos);
  EXPECT_EQ(machine.RegistryText().find("Classes"), std::string::npos);
}

TEST(StandInRegistryTest, WithoutAMachineTheHostsClockIsUsed) {
  NoMachine none;
  const std::optional<uint32_t> host = nodexa::platform::HostProcessorClockMHz();
  const Key key = Open("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0");
  if (!host) {
    EXPECT_FALSE(key);
    return;
  }
  DWORD clock = 0, size = sizeof clock;
  ASSERT_EQ(RegQueryValueExA(key.get(), "~MHz", nullptr, nullptr, reinterpret_cast<LPBYTE>(&clock),
                             &size),
            0);
  EXPECT_EQ(clock, *host);
}

struct DirectoryFactCase {
  const char* facts;
  const char* windows;
  const char* system;
  const char* drivers;
  const char* processors;
};

TEST(StandInFactsTest, DirectoriesFollowTheWindowsDirectory) {
  const DirectoryFactCase cases[] = {
      {"", "C:\\Windows", "C:\\Windows\\system32", "C:\\Windows\\system32\\spool\\drivers\\x64",
       "C:\\Windows\\system32\\spool\\prtprocs\\x64"},
      {"WindowsDirectory=E:/WinNT/", "E:\\WinNT", "E:\\WinNT\\system32",
       "E:\\WinNT\\system32\\spool\\drivers\\x64", "E:\\WinNT\\system32\\spool\\prtprocs\\x64"},
      {"WindowsDirectory=F:\\\nSystemDirectory=G:\\Sys", "F:\\", "G:\\Sys",
       "G:\\Sys\\spool\\drivers\\x64", "G:\\Sys\\spool\\prtprocs\\x64"},
      {"PrinterDriverDirectory=H:\\Drivers\nPrintProcessorDirectory=H:\\Processors", "C:\\Windows",
       "C:\\Windows\\system32", "H:\\Drivers", "H:\\Processors"},
  };
  for (const DirectoryFactCase& row : cases) {
    TestMachine machine("REGEDIT4\n", row.facts);
    EXPECT_EQ(Directory(GetWindowsDirectoryA), row.windows) << row.facts;
    EXPECT_EQ(Directory(GetSystemDirectoryA), row.system) << row.facts;
    EXPECT_EQ(PrinterDirectory(GetPrinterDriverDirectoryA), row.drivers) << row.facts;
    EXPECT_EQ(PrinterDirectory(GetPrintProcessorDirectoryA), row.processors) << row.facts;
  }
}

TEST(StandInFactsTest, RelativeDirectoriesLieInTheMachineFolder) {
  TestMachine machine("REGEDIT4\n", "SystemDirectory=sys/32\n");
  std::string expected = machine.Folder() + "/sys/32";
  std::replace(expected.begin(), expected.end(), '/', '\\');
  EXPECT_EQ(Directory(GetSystemDirectoryA), expected);
}

TEST(StandInFactsTest, NamesComeFromFactsOrTheHost) {
  char name[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  {
    TestMachine machine("REGEDIT4\n", "ComputerName=PRINTHOST\nUserName=Pat Doe\n");
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_STREQ(name, "PRINTHOST");
    size = MAX_PATH;
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_STREQ(name, "Pat Doe");
    HKEY key = nullptr;
    EXPECT_EQ(RegConnectRegistryA("\\\\printhost", HKEY_USERS, &key), 0);
    EXPECT_EQ(RegConnectRegistryA("localhost", HKEY_USERS, &key), Code(ERROR_BAD_NETPATH));
  }
  NoMachine none;
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  std::string expected = std::string(host).substr(0, std::string(host).find('.')).substr(0, 15);
  for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  size = MAX_PATH;
  ASSERT_TRUE(GetComputerNameA(name, &size));
  EXPECT_EQ(name, expected);
  size = MAX_PATH;
  ASSERT_TRUE(GetUserNameA(name, &size));
  EXPECT_STREQ(name, getpwuid(geteuid())->pw_name);
}

TEST(StandInFactsTest, WithoutFactsTheHostsMemoryCounts) {
  NoMachine none;
  MEMORYSTATUS status = {};
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwTotalPhys, nodexa::platform::HostPhysicalMemory());
}

}  // namespace
