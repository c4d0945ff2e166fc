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
  };
  for (const OpenCase& row : cases) {
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, row.subKey, 0, KEY_READ, &key), row.expected)
        << row.subKey;
    EXPECT_EQ(key != nullptr, row.expected == 0) << row.subKey;
    if (key != nullptr) RegCloseKey(key);
  }
  // Classes-root paths may start with one backslash.
  EXPECT_TRUE(Open("\\NodexaTestPlatform", KEY_READ, HKEY_CLASSES_ROOT));
}

// A size query, a buffer one byte short, a buffer that fits, a missing value.
TEST_F(RegistryApiTest, ValuesAreSizedWithTwoCalls) {
  const struct {
    const char* name;
    DWORD offered;  // 0: no buffer
    LONG status;
  } cases[] = {{"Text", 0, 0}, {"Text", 5, Code(ERROR_MORE_DATA)}, {"text", 6, 0},
               {"Missing", 16, Code(ERROR_FILE_NOT_FOUND)}};
  const Key key = Open(kKey);
  for (const auto& row : cases) {
    char buffer[16] = {};
    DWORD type = 0;
    DWORD size = row.offered;
    EXPECT_EQ(RegQueryValueExA(key.get(), row.name, nullptr, &type,
                               size ? reinterpret_cast<LPBYTE>(buffer) : nullptr, &size),
              row.status)
        << row.name << " " << row.offered;
    if (row.status == Code(ERROR_FILE_NOT_FOUND)) continue;
    EXPECT_EQ(size, 6u) << row.offered;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << row.offered;
    if (row.status == 0 && row.offered) {
      EXPECT_EQ(std::string(buffer, 7), std::string("Hello\0", 7));
    }
  }
}

TEST_F(RegistryApiTest, WritingNeedsAKeyOpenedForIt) {
  const BYTE text[] = "written";
  EXPECT_EQ(RegSetValueExA(Open(kKey, KEY_READ).get(), "New", 0, REG_SZ, text, sizeof text),
            Code(ERROR_ACCESS_DENIED));
  EXPECT_EQ(RegSetValueExA(Open(kKey, KEY_ALL_ACCESS).get(), "New", 0, REG_SZ, text, sizeof text),
            0);
  EXPECT_EQ(nodexa::test::ReadMachineString(kKey, "NEW"), "written");
}

TEST_F(RegistryApiTest, SubKeysAreListedInNameOrder) {
  const Key key = Open(kKey);
  std::vector<std::string> names;
  char name[64];
  DWORD length = sizeof name;
  for (DWORD index = 0; RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr,
                                      nullptr) == 0;
       ++index, length = sizeof name) {
    EXPECT_EQ(length, std::strlen(name));
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
  length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key.get(), 3, name, &length, nullptr, nullptr, nullptr, nullptr),
            Code(ERROR_NO_MORE_ITEMS));
  length = 5;  // "Alpha" and no room for its NUL
  EXPECT_EQ(RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            Code(ERROR_MORE_DATA));
}

TEST_F(RegistryApiTest, OnlyKeysWithoutSubKeysAreDeleted) {
  const Key leaf = Open(std::string(kKey) + "\\Gamma\\Leaf");
  ASSERT_TRUE(leaf);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\Gamma").c_str()),
            Code(ERROR_ACCESS_DENIED));
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\Nope").c_str()),
            Code(ERROR_FILE_NOT_FOUND));
  const Key platform = Open(kKey, KEY_ALL_ACCESS);
  EXPECT_EQ(RegDeleteKeyA(platform.get(), "GAMMA\\leaf"), 0);
  EXPECT_EQ(RegDeleteKeyA(platform.get(), "Gamma"), 0);
  EXPECT_FALSE(Open(std::string(kKey) + "\\Gamma"));
  EXPECT_TRUE(Open(std::string(kKey) + "\\Alpha"));
  // A key deleted while open answers so.
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(leaf.get(), "Deep", nullptr, nullptr, nullptr, &size),
            Code(ERROR_KEY_DELETED));
}

}  // namespace
