#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/log_capture.h"
#include "harness/test_machine.h"
#include "platform/win32_api.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

constexpr char kKey[] = "Software\\NodexaTest\\Registry";
constexpr char kWritable[] = "Software\\NodexaTest\\Registry\\Writable";

class RegistryTest : public ::testing::Test {
 protected:
  test::TestMachine machine{test::TestMachine::Fixture("registry.reg")};
  test::LogCapture log;
};

struct ReadCase {
  const char* root;
  const char* subKey;
  const char* valueName;
  const char* expected;
  Lines log;
};

// Short root names in any case; numbers in decimal; a string stored without
// its NUL ends with the data.
TEST_F(RegistryTest, ReadStringFormatsEachTypeBelowEachRoot) {
  const ReadCase cases[] = {
      {"hklm", kKey, "Text", "Hello, registry", {}},
      {"HkCu", kKey, "User", "current user", {}},
      {"hku", ".Default\\Software\\NodexaTest\\Registry", "Default", "default user", {}},
      {"hkcr", "NodexaTestRegistry", "Class", "machine class", {}},
      {"Hkcc", kKey, "Config", "current config", {}},
      {"HKEY_LOCAL_MACHINE", kKey, "Text", "",
       {"Registry::getRootKey: invalid root key HKEY_LOCAL_MACHINE"}},
      {"HKLM", kKey, "", "default", {}},
      {"HKLM", kKey, "Number", "42", {}},
      {"HKLM", kKey, "AllOnes", "-1", {}},
      {"HKLM", kKey, "Unterminated", "abc", {}},
      {"HKLM", kKey, "Multi", "", {}},
      {"HKLM", kKey, "Missing", "", {}},
      {"HKLM", kKey, "Binary", "",
       {"Registry::ReadValue: registry entry Binary had unsupported data type 3"}},
  };
  Registry registry;
  for (const ReadCase& row : cases) {
    log.Clear();
    EXPECT_EQ(registry.ReadString(row.root, row.subKey, row.valueName), row.expected)
        << row.root << " " << row.valueName;
    EXPECT_EQ(log.Lines(), row.log) << row.root << " " << row.valueName;
  }
}

struct WriteCase {
  const char* name;
  int32_t type;
  uint32_t dwordValue;
  const char* stringValue;
  DWORD storedType;  // REG_NONE: refused
  std::vector<BYTE> storedData;
  Lines log;
};

TEST_F(RegistryTest, WriteValueStoresTheBytesOfEachType) {
  const WriteCase cases[] = {
      {"EmptyString", Reg_String, 0, "", REG_SZ, {0x00}, {}},
      {"Expand", Reg_Expand_String, 0, "%A%", REG_EXPAND_SZ, {'%', 'A', '%', 0x00}, {}},
      {"DWord", Reg_DWord, 0x01020304, "ignored", REG_DWORD, {0x04, 0x03, 0x02, 0x01}, {}},
      {"OddBinary", Reg_Binary, 0, "ABC", REG_BINARY, {0xAB, 0xC0}, {}},
      // Pairs are read as strtol reads them: "0g" stops at g, "-1" is -1.
      {"OddPairs", Reg_Binary, 0, "0g-1 f7e", REG_BINARY, {0x00, 0xFF, 0x0F, 0x7E}, {}},
      {"Multi", Reg_Multi_String, 0, "a", REG_NONE, {},
       {"Registry::WriteValue: unsupported registry type Reg_Multi_String"}},
      {"Nine", 9, 0, "a", REG_NONE, {}, {"Registry::WriteValue: unsupported registry type 9"}},
  };
  Registry registry;
  for (const WriteCase& row : cases) {
    log.Clear();
    RegistryValue value;
    value.type = row.type;
    value.dwordValue = row.dwordValue;
    value.stringValue = row.stringValue;
    EXPECT_EQ(registry.WriteValue("HKLM", kWritable, row.name, value), row.storedType != REG_NONE)
        << row.name;
    EXPECT_EQ(log.Lines(), row.log) << row.name;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWritable, 0, KEY_READ, &key), 0);
    DWORD type = REG_NONE;
    std::vector<BYTE> data(16);
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status = RegQueryValueExA(key, row.name, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    data.resize(status == 0 ? size : 0);
    EXPECT_EQ(status == 0 ? type : static_cast<DWORD>(REG_NONE), row.storedType) << row.name;
    EXPECT_EQ(data, row.storedData) << row.name;
  }
}

// Registry errors a real machine gives rarely, injected into the stand-in.
TEST_F(RegistryTest, PlatformErrorsAreLogged) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "faults are injected on the stand-in";
  Registry registry;
  RegistryValue text;
  text.type = Reg_String;
  machine.SetFacts("FailRegOpenKeyExA=5");
  EXPECT_FALSE(registry.KeyExists("HKLM", kKey));
  machine.SetFacts("FailRegQueryValueExA=1117");
  EXPECT_EQ(registry.ReadString("HKLM", kKey, "Text"), "");
  machine.SetFacts("FailRegSetValueExA=1016");
  EXPECT_FALSE(registry.WriteValue("HKLM", kKey, "Text", text));
  EXPECT_EQ(log.Lines(),
            (Lines{"Registry::openKey: could not open key " + std::string(kKey) + " (error code 5)",
                   "Registry::ReadValue: could not query value Text (return code 1117)",
                   "Registry::WriteValue: RegSetValueEx returned with code 1016"}));
}

}  // namespace
}  // namespace nodexa
