// The Win32 registry calls as the library relies on them. The same
// expectations run against the POSIX stand-in and against Wine, so the
// stand-in stays faithful to the real thing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/platform_handles.h"
#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace {

using Key = nodexa::UniqueRegistryKey;

constexpr char kKey[] = "Software\\NodexaTest\\Platform";

LONG Code(DWORD error) { return static_cast<LONG>(error); }

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
      {"SOFTWARE\\nodexatest\\PLATFORM", 0},
      {"", 0},
      {"Software\\\\NodexaTest\\Platform", 0},
      {"Software\\NodexaTest\\Platform\\", 0},
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
  size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key.get(), "Missing", nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                             &size),
            Code(ERROR_FILE_NOT_FOUND));
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
  DWORD subKeys = 0, longestSubKey = 0, values = 0;
  EXPECT_EQ(RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, &longestSubKey,
                             nullptr, &values, nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(subKeys, 3u);
  EXPECT_EQ(longestSubKey, 5u);
  EXPECT_EQ(values, 3u);
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
}

}  // namespace
