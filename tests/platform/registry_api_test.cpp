// The Win32 calls for the registry, system folders and names as the library
// relies on them. The same expectations run against the POSIX stand-in and
// against Wine, so the stand-in stays faithful to the real thing.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "frame/unique_handle.h"
#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace {

struct KeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type key) { RegCloseKey(key); }
};
using Key = nodexa::UniqueHandle<KeyTraits>;

constexpr char kKey[] = "Software\\NodexaTest\\Platform";

LONG Code(DWORD error) { return static_cast<LONG>(error); }
DWORD Error(DWORD error) { return error; }

Key Open(const std::string& subKey, REGSAM access = KEY_READ, HKEY root = HKEY_LOCAL_MACHINE) {
  HKEY key = nullptr;
  RegOpenKeyExA(root, subKey.c_str(), 0, access, &key);
  return Key(key);
}

std::string ReadText(HKEY key, const char* name) {
  char buffer[256] = {};
  DWORD size = sizeof buffer - 1;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size) != 0) {
    return "(none)";
  }
  return std::string(buffer);
}

class RegistryApiTest : public ::testing::Test {
 protected:
  nodexa::test::TestMachine machine{nodexa::test::TestMachine::Fixture("platform_registry.reg")};
};

struct OpenCase {
  const char* subKey;
  LONG expected;
};

TEST_F(RegistryApiTest, OpeningIgnoresCaseAndStraySeparators) {
  const OpenCase cases[] = {
      {"Software\\NodexaTest\\Platform", 0},
      {"SOFTWARE\\nodexatest\\PLATFORM", 0},
      {"Software\\\\NodexaTest\\Platform", 0},
      {"Software\\NodexaTest\\Platform\\", 0},
      {"Software\\NodexaTest\\Platform\\gamma\\LEAF", 0},
      {"\\Software\\NodexaTest\\Platform", Code(ERROR_BAD_PATHNAME)},
      {"Software\\NodexaTest\\Missing", Code(ERROR_FILE_NOT_FOUND)},
      {"Software\\NodexaTest\\Platform\\Leaf", Code(ERROR_FILE_NOT_FOUND)},
  };
  for (const OpenCase& row : cases) {
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, row.subKey, 0, KEY_READ, &key), row.expected)
        << row.subKey;
    EXPECT_EQ(key != nullptr, row.expected == 0) << row.subKey;
    if (key != nullptr) {
      EXPECT_EQ(RegCloseKey(key), 0);
    }
  }
  // Classes-root paths may start with one backslash.
  EXPECT_TRUE(Open("\\NodexaTestPlatform", KEY_READ, HKEY_CLASSES_ROOT));
}

TEST_F(RegistryApiTest, AnEmptySubKeyOpensTheSameKey) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "", 0, KEY_READ, &key), 0);
  EXPECT_EQ(key, HKEY_LOCAL_MACHINE);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &key), 0);
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  const Key platform = Open(kKey);
  ASSERT_EQ(RegOpenKeyA(platform.get(), "", &key), 0);
  EXPECT_EQ(key, platform.get());
  // An opened key gives a second handle that lives on its own.
  ASSERT_EQ(RegOpenKeyExA(platform.get(), "", 0, KEY_READ, &key), 0);
  EXPECT_NE(key, platform.get());
  EXPECT_EQ(RegCloseKey(key), 0);
  EXPECT_EQ(ReadText(platform.get(), "Text"), "Hello");
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), Code(ERROR_ACCESS_DENIED));
}

TEST_F(RegistryApiTest, ValuesAreSizedWithTwoCalls) {
  const Key key = Open(kKey);
  ASSERT_TRUE(key);
  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key.get(), "Text", nullptr, &type, nullptr, &size), 0);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 6u);

  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  size = 2;
  type = 0;
  EXPECT_EQ(
      RegQueryValueExA(key.get(), "Text", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
      Code(ERROR_MORE_DATA));
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, REG_SZ);

  size = 6;
  EXPECT_EQ(
      RegQueryValueExA(key.get(), "text", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
      0);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::string(buffer, 6), std::string("Hello\0", 6));

  EXPECT_EQ(RegQueryValueExA(key.get(), "Text", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                             nullptr),
            Code(ERROR_INVALID_PARAMETER));
  size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key.get(), "Missing", nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                             &size),
            Code(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ReadText(key.get(), nullptr), "default");
  EXPECT_EQ(ReadText(key.get(), ""), "default");
}

TEST_F(RegistryApiTest, WritingNeedsAKeyOpenedForIt) {
  const char text[] = "written";
  {
    const Key readOnly = Open(kKey, KEY_READ);
    EXPECT_EQ(RegSetValueExA(readOnly.get(), "New", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             sizeof text),
              Code(ERROR_ACCESS_DENIED));
  }
  const Key writable = Open(kKey, KEY_ALL_ACCESS);
  EXPECT_EQ(RegSetValueExA(writable.get(), "New", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           sizeof text),
            0);
  EXPECT_EQ(ReadText(Open(kKey).get(), "NEW"), "written");
}

TEST_F(RegistryApiTest, InformationCountsSubKeysAndValues) {
  const Key key = Open(kKey);
  DWORD subKeys = 0, longestSubKey = 0, values = 0, longestName = 0, largestData = 0;
  EXPECT_EQ(RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, &longestSubKey,
                             nullptr, &values, &longestName, &largestData, nullptr, nullptr),
            0);
  EXPECT_EQ(subKeys, 3u);
  EXPECT_EQ(longestSubKey, 5u);
  EXPECT_EQ(values, 3u);
  EXPECT_EQ(longestName, 11u);
  EXPECT_GE(largestData, 8u);

  const Key leaf = Open(std::string(kKey) + "\\Alpha");
  EXPECT_EQ(RegQueryInfoKeyA(leaf.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(subKeys, 0u);
  EXPECT_EQ(values, 0u);
}

TEST_F(RegistryApiTest, SubKeysAreListedInNameOrder) {
  const Key key = Open(kKey);
  std::vector<std::string> names;
  char name[64];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    const LONG status =
        RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == Code(ERROR_NO_MORE_ITEMS)) break;
    ASSERT_EQ(status, 0);
    EXPECT_EQ(length, std::strlen(name));
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "Gamma"}));

  DWORD tooShort = 5;  // "Alpha" and no room for its NUL
  EXPECT_EQ(RegEnumKeyExA(key.get(), 0, name, &tooShort, nullptr, nullptr, nullptr, nullptr),
            Code(ERROR_MORE_DATA));
}

TEST_F(RegistryApiTest, OnlyKeysWithoutSubKeysAreDeleted) {
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\NodexaTest\\Platform\\Gamma"),
            Code(ERROR_ACCESS_DENIED));
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\NodexaTest\\Platform\\Nope"),
            Code(ERROR_FILE_NOT_FOUND));
  const Key platform = Open(kKey, KEY_ALL_ACCESS);
  EXPECT_EQ(RegDeleteKeyA(platform.get(), "GAMMA\\leaf"), 0);
  EXPECT_EQ(RegDeleteKeyA(platform.get(), "Gamma"), 0);
  EXPECT_FALSE(Open(std::string(kKey) + "\\Gamma"));
  EXPECT_TRUE(Open(std::string(kKey) + "\\Alpha"));
}

TEST_F(RegistryApiTest, AKeyDeletedWhileOpenAnswersKeyDeleted) {
  const Key leaf = Open(std::string(kKey) + "\\Gamma\\Leaf");
  ASSERT_TRUE(leaf);
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\NodexaTest\\Platform\\Gamma\\Leaf"), 0);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(leaf.get(), "Deep", nullptr, nullptr, nullptr, &size),
            Code(ERROR_KEY_DELETED));
}

TEST_F(RegistryApiTest, ClassesRootIsTheMachinesClassesKey) {
  EXPECT_EQ(ReadText(Open("NodexaTestPlatform", KEY_READ, HKEY_CLASSES_ROOT).get(), "Kind"),
            "class");
  EXPECT_EQ(ReadText(Open("Software\\Classes\\NodexaTestPlatform").get(), "Kind"), "class");
  HKEY classes = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Classes", &classes), 0);
  const Key owner(classes);
  EXPECT_EQ(ReadText(Open("NodexaTestPlatform", KEY_READ, classes).get(), "Kind"), "class");
}

TEST_F(RegistryApiTest, ConnectingReachesOnlyTheLocalComputer) {
  char name[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  ASSERT_TRUE(GetComputerNameA(name, &size));
  const std::string local = name;
  const std::string unc = "\\\\" + local;
  for (const char* machineName : {"", local.c_str(), unc.c_str()}) {
    HKEY key = nullptr;
    EXPECT_EQ(RegConnectRegistryA(machineName, HKEY_LOCAL_MACHINE, &key), 0) << machineName;
    EXPECT_EQ(ReadText(Open(kKey, KEY_READ, key).get(), "Text"), "Hello") << machineName;
    EXPECT_EQ(RegCloseKey(key), 0);
  }
  HKEY key = nullptr;
  EXPECT_EQ(RegConnectRegistryA("NODEXA-NO-SUCH-HOST", HKEY_LOCAL_MACHINE, &key),
            Code(ERROR_BAD_NETPATH));
}

TEST_F(RegistryApiTest, ClosingUnknownKeysFailsAndPredefinedKeysStay) {
  EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(uintptr_t{0x1234})), Code(ERROR_INVALID_HANDLE));
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), 0);
  EXPECT_TRUE(Open(kKey));
}

// The directory calls share one convention: the length without the NUL when
// the buffer holds the path, else the size it needs with the NUL.
struct DirectoryCase {
  const char* name;
  std::function<DWORD(LPSTR, DWORD)> call;
};

TEST(SystemDirectoryTest, ShortBuffersAskForTheSizeWithTheNul) {
  const DirectoryCase cases[] = {
      {"GetWindowsDirectoryA", [](LPSTR b, DWORD s) { return GetWindowsDirectoryA(b, s); }},
      {"GetSystemDirectoryA", [](LPSTR b, DWORD s) { return GetSystemDirectoryA(b, s); }},
      {"GetCurrentDirectoryA", [](LPSTR b, DWORD s) { return GetCurrentDirectoryA(s, b); }},
      {"GetTempPathA", [](LPSTR b, DWORD s) { return GetTempPathA(s, b); }},
  };
  for (const DirectoryCase& row : cases) {
    char full[MAX_PATH] = {};
    const DWORD length = row.call(full, MAX_PATH);
    ASSERT_GT(length, 2u) << row.name;
    ASSERT_EQ(length, std::strlen(full)) << row.name;
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(row.call(small, 3), length + 1) << row.name;
    EXPECT_EQ(small[0], 'x') << row.name;
    std::vector<char> exact(length + 1, 'x');
    EXPECT_EQ(row.call(exact.data(), length + 1), length) << row.name;
    EXPECT_EQ(std::string(exact.data()), full) << row.name;
  }
  char temp[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(temp[length - 1], '\\');
}

TEST(SystemDirectoryTest, PrinterFoldersAreSizedInBytes) {
  using Call = BOOL (*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD);
  for (Call call : {static_cast<Call>(GetPrinterDriverDirectoryA),
                    static_cast<Call>(GetPrintProcessorDirectoryA)}) {
    BYTE buffer[MAX_PATH] = {};
    DWORD needed = 0;
    ASSERT_TRUE(call(nullptr, nullptr, 1, buffer, MAX_PATH, &needed));
    const std::string directory(reinterpret_cast<char*>(buffer));
    EXPECT_NE(directory.find("\\spool\\"), std::string::npos) << directory;
    BYTE small[4] = {};
    DWORD neededAgain = 0;
    EXPECT_FALSE(call(nullptr, nullptr, 1, small, sizeof small, &neededAgain));
    EXPECT_EQ(GetLastError(), Error(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_GE(neededAgain, directory.size() + 1);
  }
}

TEST(SystemNameTest, ComputerAndUserNamesCountTheirNulDifferently) {
  char name[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  ASSERT_TRUE(GetComputerNameA(name, &size));
  EXPECT_EQ(size, std::strlen(name));
  ASSERT_GT(size, 1u);
  DWORD small = 1;
  EXPECT_FALSE(GetComputerNameA(name, &small));
  EXPECT_EQ(GetLastError(), Error(ERROR_BUFFER_OVERFLOW));
  EXPECT_EQ(small, size + 1);

  char user[MAX_PATH] = {};
  size = MAX_PATH;
  ASSERT_TRUE(GetUserNameA(user, &size));
  EXPECT_EQ(size, std::strlen(user) + 1);
  small = 1;
  EXPECT_FALSE(GetUserNameA(user, &small));
  EXPECT_EQ(GetLastError(), Error(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(small, size);
}

TEST(SystemMeasureTest, MemoryAndDiskSpaceAreReported) {
  MEMORYSTATUS status = {};
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwLength, sizeof status);
  EXPECT_GT(status.dwTotalPhys, 0u);
  EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);

  ULARGE_INTEGER available = {}, total = {}, free = {};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
  EXPECT_GT(total.QuadPart, 0u);
  EXPECT_LE(available.QuadPart, total.QuadPart);
  EXPECT_LE(free.QuadPart, total.QuadPart);
  const char* missing = nodexa::test::TestMachine::IsStandIn() ? "\\nodexa-no-such-folder\\x"
                                                               : "C:\\nodexa-no-such-folder\\x";
  EXPECT_FALSE(GetDiskFreeSpaceExA(missing, &available, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), Error(ERROR_PATH_NOT_FOUND));
}

}  // namespace
