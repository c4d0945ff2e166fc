// The POSIX stand-in's own promises: the machine folder's registry file and
// facts, the host's facts without a machine folder, injected faults.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "frame/unique_handle.h"
#include "harness/test_machine.h"
#include "platform/posix/machine_facts.h"
#include "platform/win32_api.h"

namespace {

using nodexa::test::TestMachine;

struct KeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type key) { RegCloseKey(key); }
};
using Key = nodexa::UniqueHandle<KeyTraits>;

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

TEST(StandInRegistryTest, RandomFilesNeverBreakTheCalls) {
  TestMachine machine;
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::string text = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\R]\n";
    for (int i = 0; i < 512; ++i) text.push_back(static_cast<char>(random() & 0xFF));
    std::ofstream(machine.RegistryFile(), std::ios::binary) << text;
    const Key key = Open("Software\\R", KEY_ALL_ACCESS);
    ASSERT_TRUE(key) << round;
    DWORD subKeys = 0;
    EXPECT_EQ(RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr),
              0);
    EXPECT_EQ(SetText(key.get(), "Written", "after the noise"), 0);
    EXPECT_EQ(ReadText("Software\\R", "Written"), "after the noise");
  }
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

TEST(StandInRegistryTest, TheProcessorClockIsBuiltLikeTheHardwareKey) {
  const std::string cpu = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
  TestMachine machine("REGEDIT4\n", "ProcessorClockMHz=1234\n");
  const Key key = Open(cpu);
  DWORD clock = 0, type = 0, size = sizeof clock;
  ASSERT_EQ(
      RegQueryValueExA(key.get(), "~MHz", nullptr, &type, reinterpret_cast<LPBYTE>(&clock), &size),
      0);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(clock, 1234u);
  // It is never written back.
  ASSERT_EQ(SetText(HKEY_LOCAL_MACHINE, "Written", "x"), 0);
  EXPECT_EQ(machine.RegistryText().find("HARDWARE"), std::string::npos);
  EXPECT_EQ(machine.RegistryText().find("Classes"), std::string::npos);

  // The file's own value comes first; a fact that is no number removes it.
  machine.Import("[HKEY_LOCAL_MACHINE\\" + cpu + "]\n\"~MHz\"=dword:00000064\n");
  EXPECT_NE(machine.RegistryText().find("~MHz"), std::string::npos);
  size = sizeof clock;
  ASSERT_EQ(RegQueryValueExA(Open(cpu).get(), "~MHz", nullptr, nullptr,
                             reinterpret_cast<LPBYTE>(&clock), &size),
            0);
  EXPECT_EQ(clock, 100u);
  TestMachine noClock("REGEDIT4\n", "ProcessorClockMHz=unknown\n");
  EXPECT_FALSE(Open(cpu));
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

struct FaultCase {
  const char* facts;
  std::function<LONG()> call;
  LONG expected;
};

TEST(StandInRegistryTest, FaultsAreInjectedPerFunction) {
  TestMachine machine("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\F\\Sub]\n\"v\"=\"1\"\n");
  HKEY key = nullptr;
  DWORD size = 0;
  char buffer[8];
  const FaultCase cases[] = {
      {"FailRegOpenKeyExA=5",
       [&] { return RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\F", 0, KEY_READ, &key); }, 5},
      // Each function has its own switch.
      {"FailRegOpenKeyExA=5", [&] { return RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\F", &key); },
       0},
      {"FailRegOpenKeyA=6", [&] { return RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\F", &key); },
       6},
      // Only queries that fetch data fail, so sizes can still be learnt.
      {"FailRegQueryValueExA=1117",
       [&] {
         return RegQueryValueExA(Open("Software\\F\\Sub").get(), "v", nullptr, nullptr, nullptr,
                                 &size);
       },
       0},
      {"FailRegQueryValueExA=1117",
       [&] {
         size = sizeof buffer;
         return RegQueryValueExA(Open("Software\\F\\Sub").get(), "v", nullptr, nullptr,
                                 reinterpret_cast<LPBYTE>(buffer), &size);
       },
       1117},
      {"FailRegSetValueExA=1016", [&] { return SetText(HKEY_LOCAL_MACHINE, "x", "y"); }, 1016},
      {"FailRegDeleteKeyA=5", [&] { return RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\F\\Sub"); },
       5},
      {"FailRegEnumKeyExA=259",
       [&] {
         size = sizeof buffer;
         return RegEnumKeyExA(Open("Software\\F").get(), 0, buffer, &size, nullptr, nullptr,
                              nullptr, nullptr);
       },
       259},
      {"FailRegQueryInfoKeyA=6",
       [&] {
         return RegQueryInfoKeyA(HKEY_LOCAL_MACHINE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
       },
       6},
      {"FailRegConnectRegistryA=53",
       [&] { return RegConnectRegistryA(nullptr, HKEY_LOCAL_MACHINE, &key); }, 53},
      // Zero and words switch nothing on.
      {"FailRegOpenKeyExA=0\nFailRegSetValueExA=yes",
       [&] { return SetText(Open("Software\\F", KEY_ALL_ACCESS).get(), "x", "y"); }, 0},
  };
  for (const FaultCase& row : cases) {
    machine.SetFacts(row.facts);
    key = nullptr;
    EXPECT_EQ(row.call(), row.expected) << row.facts;
    if (key != nullptr) RegCloseKey(key);
  }
  machine.SetFacts("");
  EXPECT_EQ(ReadText("Software\\F\\Sub", "v"), "1");
  EXPECT_EQ(nodexa::platform::OpenRegistryKeyCount(), 0u);
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

TEST(StandInFactsTest, TheHostsFoldersInBackslashForm) {
  TestMachine machine;
  char buffer[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, buffer);
  std::string current = std::filesystem::current_path().string();
  std::replace(current.begin(), current.end(), '/', '\\');
  EXPECT_EQ(buffer, current);
  GetTempPathA(MAX_PATH, buffer);
  std::string temp = std::filesystem::temp_directory_path().string();
  std::replace(temp.begin(), temp.end(), '/', '\\');
  if (temp.back() != '\\') temp.push_back('\\');
  EXPECT_EQ(buffer, temp);
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
}

TEST(StandInFactsTest, PrinterFoldersOnlyForTheLocalServerAndEnvironment) {
  TestMachine machine("REGEDIT4\n", "ComputerName=PRINTHOST\n");
  BYTE buffer[MAX_PATH];
  DWORD needed = 0;
  char local[] = "\\\\PrintHost";
  char remote[] = "\\\\elsewhere";
  char x64[] = "windows X64";
  char x86[] = "Windows NT x86";
  EXPECT_TRUE(GetPrinterDriverDirectoryA(local, x64, 1, buffer, MAX_PATH, &needed));
  EXPECT_FALSE(GetPrinterDriverDirectoryA(remote, nullptr, 1, buffer, MAX_PATH, &needed));
  EXPECT_EQ(GetLastError(), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_FALSE(GetPrinterDriverDirectoryA(nullptr, x86, 1, buffer, MAX_PATH, &needed));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_ENVIRONMENT);
  EXPECT_FALSE(GetPrintProcessorDirectoryA(nullptr, nullptr, 2, buffer, MAX_PATH, &needed));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
  EXPECT_FALSE(GetPrintProcessorDirectoryA(nullptr, nullptr, 1, buffer, MAX_PATH, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(StandInFactsTest, MemoryAndDiskSpaceFacts) {
  TestMachine machine("REGEDIT4\n", "PhysicalMemoryMB=2048\nFreeDiskSpaceMB=300\n");
  MEMORYSTATUS status = {};
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwTotalPhys, SIZE_T{2048} << 20);
  EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);
  ULARGE_INTEGER available = {}, total = {}, free = {};
  for (const std::string& path : {std::string("C:\\"), std::string("q:"), machine.Folder()}) {
    ASSERT_TRUE(GetDiskFreeSpaceExA(path.c_str(), &available, &total, &free)) << path;
    EXPECT_EQ(available.QuadPart, uint64_t{300} << 20) << path;
    EXPECT_EQ(free.QuadPart, uint64_t{300} << 20) << path;
    EXPECT_GE(total.QuadPart, free.QuadPart) << path;
  }
  EXPECT_FALSE(
      GetDiskFreeSpaceExA((machine.Folder() + "/missing").c_str(), &available, nullptr, nullptr));
}

TEST(StandInFactsTest, WithoutFactsTheHostsMemoryCounts) {
  NoMachine none;
  MEMORYSTATUS status = {};
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwTotalPhys, nodexa::platform::HostPhysicalMemory());
}

}  // namespace
