#include "support/registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "harness/test_machine.h"
#include "log_capture.h"
#include "platform/win32_api.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

constexpr char kKey[] = "Software\\NodexaTest\\Registry";

std::string Below(const std::string& path) { return std::string(kKey) + "\\" + path; }

// The raw bytes and type of a value, read with the platform's two calls.
struct RawValue {
  LONG status = -1;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

RawValue ReadRaw(const std::string& subKey, const std::string& name) {
  RawValue raw;
  HKEY key = nullptr;
  raw.status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &key);
  if (raw.status != 0) return raw;
  const UniqueRegistryKey owner(key);
  DWORD size = 0;
  raw.status = RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, nullptr, &size);
  if (raw.status != 0) return raw;
  raw.data.assign(size + 1, 0xEE);
  raw.status = RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, raw.data.data(), &size);
  raw.data.resize(size);
  return raw;
}

class RegistryTest : public ::testing::Test {
 protected:
  test::TestMachine machine{test::TestMachine::Fixture("registry.reg")};
  test::LogCapture log;
};

struct RootCase {
  const char* root;
  const char* subKey;
  const char* valueName;
  const char* expected;
};

TEST_F(RegistryTest, RootNamesAreAcceptedInAnyCase) {
  const RootCase cases[] = {
      {"hklm", kKey, "Text", "Hello, registry"},
      {"HkCu", kKey, "User", "current user"},
      {"hku", ".Default\\Software\\NodexaTest\\Registry", "Default", "default user"},
      {"hkcr", "NodexaTestRegistry", "Class", "machine class"},
      {"Hkcc", kKey, "Config", "current config"},
  };
  Registry registry;
  for (const RootCase& row : cases) {
    EXPECT_EQ(registry.ReadString(row.root, row.subKey, row.valueName), row.expected) << row.root;
  }
  EXPECT_EQ(log.Lines(), Lines{});
}

TEST_F(RegistryTest, TheLongRootNameIsAnInvalidRootKey) {
  Registry registry;
  EXPECT_EQ(registry.ReadString("HKEY_LOCAL_MACHINE", kKey, "Text"), "");
  EXPECT_FALSE(registry.KeyExists("HKCR ", "NodexaTestRegistry"));
  EXPECT_EQ(log.Lines(), (Lines{"Registry::getRootKey: invalid root key HKEY_LOCAL_MACHINE",
                                "Registry::getRootKey: invalid root key HKCR "}));
}

struct ReadCase {
  const char* valueName;
  int32_t type;
  uint32_t dwordValue;
  const char* stringValue;
  Lines multiStringValue;
};

// Multi-strings are appended to what the list already held.
TEST_F(RegistryTest, ReadValueFillsTheFieldsOfEachSupportedType) {
  const ReadCase cases[] = {
      {"", Reg_String, 0, "default", {"earlier"}},
      {"Expand", Reg_Expand_String, 0, "%TEMP%\\x", {"earlier"}},
      {"Number", Reg_DWord, 42, "", {"earlier"}},
      {"Multi", Reg_Multi_String, 0, "", {"earlier", "alpha", "beta"}},
      // The list ends at the first empty string.
      {"MultiGap", Reg_Multi_String, 0, "", {"earlier", "one"}},
      // A string stored without its NUL ends with the data.
      {"Unterminated", Reg_String, 0, "abc", {"earlier"}},
  };
  Registry registry;
  for (const ReadCase& row : cases) {
    RegistryValue value;
    value.multiStringValue = {"earlier"};
    EXPECT_TRUE(registry.ReadValue("HKLM", kKey, row.valueName, value)) << row.valueName;
    EXPECT_EQ(value.type, row.type) << row.valueName;
    EXPECT_EQ(value.dwordValue, row.dwordValue) << row.valueName;
    EXPECT_EQ(value.stringValue, row.stringValue) << row.valueName;
    EXPECT_EQ(value.multiStringValue, row.multiStringValue) << row.valueName;
  }
  EXPECT_EQ(log.Lines(), Lines{});
}

struct StringCase {
  const char* valueName;
  const char* expected;
  Lines log;
};

TEST_F(RegistryTest, ReadStringFormatsEachType) {
  const StringCase cases[] = {
      {"Text", "Hello, registry", {}},
      {"AllOnes", "-1", {}},
      {"Multi", "", {}},
      {"Binary", "", {"Registry::ReadValue: registry entry Binary had unsupported data type 3"}},
      {"Missing", "", {}},
  };
  Registry registry;
  for (const StringCase& row : cases) {
    log.Clear();
    EXPECT_EQ(registry.ReadString("HKLM", kKey, row.valueName), row.expected) << row.valueName;
    EXPECT_EQ(log.Lines(), row.log) << row.valueName;
  }
}

// Zero-length values are false without a message and leave the type;
// unsupported types become Reg_None.
TEST_F(RegistryTest, ValuesThatReadAsFalse) {
  Registry registry;
  for (const char* name : {"EmptyText", "EmptyBinary", "Missing", "Binary"}) {
    RegistryValue value;
    value.type = Reg_Expand_String;
    EXPECT_FALSE(registry.ReadValue("HKLM", kKey, name, value)) << name;
    EXPECT_EQ(value.type, std::string(name) == "Binary" ? Reg_None : Reg_Expand_String) << name;
  }
  EXPECT_EQ(log.Lines(),
            Lines{"Registry::ReadValue: registry entry Binary had unsupported data type 3"});
}

struct WriteCase {
  const char* name;
  int32_t type;
  uint32_t dwordValue;
  const char* stringValue;
  DWORD storedType;
  std::vector<BYTE> storedData;
};

TEST_F(RegistryTest, WriteValueStoresTheBytesOfEachType) {
  const WriteCase cases[] = {
      {"EmptyString", Reg_String, 0, "", REG_SZ, {0x00}},
      {"Expand", Reg_Expand_String, 0, "%A%", REG_EXPAND_SZ, {'%', 'A', '%', 0x00}},
      {"DWord", Reg_DWord, 0x01020304, "ignored", REG_DWORD, {0x04, 0x03, 0x02, 0x01}},
      {"OddBinary", Reg_Binary, 0, "ABC", REG_BINARY, {0xAB, 0xC0}},
      {"LowerBinary", Reg_Binary, 0, "00ff7e", REG_BINARY, {0x00, 0xFF, 0x7E}},
      {"EmptyBinary", Reg_Binary, 0, "", REG_BINARY, {}},
      // Pairs are read as strtol reads them: "0g" stops at g, "-1" is -1.
      {"OddPairs", Reg_Binary, 0, "0g-1 f", REG_BINARY, {0x00, 0xFF, 0x0F}},
  };
  Registry registry;
  const std::string key = Below("Writable");
  for (const WriteCase& row : cases) {
    RegistryValue value;
    value.type = row.type;
    value.dwordValue = row.dwordValue;
    value.stringValue = row.stringValue;
    EXPECT_TRUE(registry.WriteValue("HKLM", key, row.name, value)) << row.name;
    const RawValue stored = ReadRaw(key, row.name);
    EXPECT_EQ(stored.status, 0) << row.name;
    EXPECT_EQ(stored.type, row.storedType) << row.name;
    EXPECT_EQ(stored.data, row.storedData) << row.name;
  }
  EXPECT_EQ(log.Lines(), Lines{});
}

struct RefusedCase {
  int32_t type;
  const char* message;
};

TEST_F(RegistryTest, WriteValueRefusesMultiStringsAndUnknownTypes) {
  const RefusedCase cases[] = {
      {Reg_Multi_String, "Registry::WriteValue: unsupported registry type Reg_Multi_String"},
      {9, "Registry::WriteValue: unsupported registry type 9"},
  };
  Registry registry;
  const std::string key = Below("Writable");
  for (const RefusedCase& row : cases) {
    log.Clear();
    RegistryValue value;
    value.type = row.type;
    value.multiStringValue = {"a", "b"};
    EXPECT_FALSE(registry.WriteValue("HKLM", key, "Refused", value)) << row.type;
    EXPECT_EQ(log.Lines(), Lines{row.message});
    EXPECT_EQ(ReadRaw(key, "Refused").status, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  }
}

TEST_F(RegistryTest, WritingBelowAMissingKeyFailsSilentlyAndCreatesNothing) {
  Registry registry;
  RegistryValue value;
  value.type = Reg_String;
  value.stringValue = "lost";
  EXPECT_FALSE(registry.WriteValue("HKLM", Below("Missing"), "Value", value));
  EXPECT_FALSE(registry.WriteValue("HKLM", Below("Missing\\Deeper"), "Value", value));
  EXPECT_FALSE(registry.KeyExists("HKLM", Below("Missing")));
  EXPECT_EQ(log.Lines(), Lines{});
}

TEST_F(RegistryTest, DeleteKeyTreeRemovesANestedTreeAndNothingElse) {
  Registry registry;
  EXPECT_TRUE(registry.DeleteKeyTree("HKLM", Below("Tree")));
  for (const char* path : {"Tree", "Tree\\A", "Tree\\A\\B\\C", "Tree\\E"}) {
    EXPECT_FALSE(registry.KeyExists("HKLM", Below(path))) << path;
  }
  EXPECT_EQ(registry.ReadString("HKLM", Below("Sibling"), "Kept"), "yes");
  EXPECT_EQ(registry.ReadString("HKLM", kKey, "Text"), "Hello, registry");
  EXPECT_EQ(log.Lines(), Lines{});
  // A missing tree is reported.
  EXPECT_FALSE(registry.DeleteKeyTree("HKLM", Below("Tree")));
  EXPECT_EQ(log.Lines(), Lines{"Registry::cleanHelper: could not open "
                               "HKLM\\Software\\NodexaTest\\Registry\\Tree (error 2)"});
}

TEST_F(RegistryTest, CleanHelperWithoutDeleteAllKeepsKeysWithValues) {
  Registry registry;
  // C holds a value and so does E; A\D is empty, and A only held D and B.
  EXPECT_FALSE(registry.cleanHelper("HKLM", Below("Tree"), false));
  EXPECT_FALSE(registry.KeyExists("HKLM", Below("Tree\\A\\D")));
  EXPECT_TRUE(registry.KeyExists("HKLM", Below("Tree\\A\\B\\C")));
  EXPECT_TRUE(registry.KeyExists("HKLM", Below("Tree\\E")));
  EXPECT_EQ(log.Lines(), Lines{});
}

TEST_F(RegistryTest, DeleteEmptyKeyWalksUpToTheFirstKeyWithContent) {
  Registry registry;
  EXPECT_TRUE(registry.DeleteEmptyKey("HKLM", Below("Empty\\Outer\\Inner"), true));
  EXPECT_FALSE(registry.KeyExists("HKLM", Below("Empty\\Outer\\Inner")));
  // Outer held only its default value, so it went too; Empty has a value.
  EXPECT_FALSE(registry.KeyExists("HKLM", Below("Empty\\Outer")));
  EXPECT_TRUE(registry.KeyExists("HKLM", Below("Empty")));
  EXPECT_EQ(log.Lines(), Lines{});
}

TEST_F(RegistryTest, DeleteEmptyKeyWithoutWalkingUpDeletesOneKey) {
  Registry registry;
  EXPECT_TRUE(registry.DeleteEmptyKey("HKLM", Below("Empty\\Outer\\Inner"), false));
  EXPECT_TRUE(registry.KeyExists("HKLM", Below("Empty\\Outer")));
  // A key with sub-keys, one with a named value and a missing one stay.
  EXPECT_FALSE(registry.DeleteEmptyKey("HKLM", Below("Tree\\A"), true));
  EXPECT_FALSE(registry.DeleteEmptyKey("HKLM", Below("Empty\\Named"), true));
  EXPECT_FALSE(registry.DeleteEmptyKey("HKLM", Below("Nope"), true));
  EXPECT_TRUE(registry.KeyExists("HKLM", Below("Tree\\A")));
  EXPECT_TRUE(registry.KeyExists("HKLM", Below("Empty\\Named")));
  EXPECT_EQ(log.Lines(), Lines{});
}

// A failed connection is tried again by the next operation; only a local
// object has the current user and configuration.
TEST_F(RegistryTest, AnUnreachableComputerIsLoggedOnEachTryUntilTheNameGoes) {
  Registry registry("NODEXA-NO-SUCH-HOST");
  EXPECT_EQ(registry.ReadString("HKLM", kKey, "Text"), "");
  EXPECT_FALSE(registry.KeyExists("HKU", ".Default"));
  EXPECT_EQ(registry.ReadString("HKCU", kKey, "User"), "");
  EXPECT_EQ(registry.ReadString("HKCC", kKey, "Config"), "");
  registry.setComputer("nodexa-no-such-host");  // the same name: nothing changes
  EXPECT_EQ(registry.getRootKey("HKCU"), nullptr);
  registry.setComputer("");
  EXPECT_EQ(registry.getRootKey("HKLM"), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(registry.getRootKey("HKU"), HKEY_USERS);
  EXPECT_EQ(registry.ReadString("HKCU", kKey, "User"), "current user");
  EXPECT_EQ(log.Lines(),
            Lines(2,
                  "Registry::getRemoteKey: could not access computer NODEXA-NO-SUCH-HOST "
                  "(error 53)"));
}

TEST_F(RegistryTest, EveryOperationReleasesTheKeysItOpens) {
  const std::optional<size_t> before = test::OpenRegistryKeys();
  if (!before) GTEST_SKIP() << "the platform does not count open keys";
  {
    Registry registry;
    RegistryValue value;
    value.type = Reg_String;
    value.stringValue = "x";
    registry.ReadString("HKCR", "NodexaTestRegistry", "Class");
    registry.ReadString("HKLM", kKey, "Binary");
    registry.ReadValue("HKLM", kKey, "EmptyText", value);
    registry.WriteValue("HKCR", "NodexaTestRegistry", "Written", value);
    registry.WriteValue("HKLM", kKey, "Refused", RegistryValue{});
    registry.KeyExists("HKCR", "NodexaTestRegistry");
    registry.DeleteEmptyKey("HKCR", "NodexaTestRegistry", false);
    registry.DeleteKeyTree("HKLM", Below("Tree"));
    registry.cleanHelper("HKLM", Below("Empty"), false);
    EXPECT_EQ(test::OpenRegistryKeys(), before);

    const HKEY classes = registry.getRootKey("HKCR");
    ASSERT_NE(classes, nullptr);
    EXPECT_EQ(test::OpenRegistryKeys(), *before + 1);
    RegCloseKey(classes);
  }
  EXPECT_EQ(test::OpenRegistryKeys(), before);
}

struct FaultCase {
  const char* facts;
  std::function<bool(Registry&)> operation;
  Lines log;
};

// Registry errors a real machine gives rarely, injected into the stand-in.
// Every operation fails.
TEST_F(RegistryTest, PlatformErrorsAreReportedAsTheirOperationSays) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "faults are injected on the stand-in";
  const std::string tree = "Registry::cleanHelper: RegDeleteKey of HKLM\\" + Below("Tree");
  const std::string enumerate =
      "Registry::cleanHelper: could not enumerate on key HKLM\\" + Below("Tree");
  const std::string connect = "Registry::getRemoteKey: could not access computer  (error 1722)";
  RegistryValue text;
  text.type = Reg_String;
  const auto keyExists = [](Registry& r) { return r.KeyExists("HKLM", kKey); };
  const auto classExists = [](Registry& r) { return r.KeyExists("HKCR", "NodexaTestRegistry"); };
  const auto readText = [](Registry& r) { return !r.ReadString("HKLM", kKey, "Text").empty(); };
  const auto write = [&](Registry& r) { return r.WriteValue("HKLM", kKey, "Text", text); };
  const auto deleteTree = [](Registry& r) { return r.DeleteKeyTree("HKLM", Below("Tree")); };
  const FaultCase cases[] = {
      {"FailRegOpenKeyExA=5",
       keyExists,
       {"Registry::openKey: could not open key Software\\NodexaTest\\Registry (error code 5)"}},
      {"FailRegQueryValueExA=1117",
       readText,
       {"Registry::ReadValue: could not query value Text (return code 1117)"}},
      {"FailRegSetValueExA=1016",
       write,
       {"Registry::WriteValue: RegSetValueEx returned with code 1016"}},
      {"FailRegConnectRegistryA=1722", readText, {connect}},
      {"FailRegConnectRegistryA=1722", classExists, {connect}},
      {"FailRegOpenKeyA=5", classExists, {}},
      {"FailRegEnumKeyExA=1", deleteTree, {enumerate + " (error 1)"}},
      {"FailRegQueryInfoKeyA=6", deleteTree, {enumerate + " (error 6)"}},
      // Deepest first, and the sub-keys of each key from the last one down.
      {"FailRegDeleteKeyA=5",
       deleteTree,
       {tree + "\\E failed (error 5)", tree + "\\A\\D failed (error 5)",
        tree + "\\A\\B\\C failed (error 5)", tree + "\\A\\B failed (error 5)",
        tree + "\\A failed (error 5)", tree + " failed (error 5)"}},
      {"FailRegDeleteKeyA=5",
       [](Registry& r) { return r.DeleteEmptyKey("HKLM", Below("Empty\\Outer\\Inner"), true); },
       {"Registry::DeleteEmptyKey: RegDeleteKey returned 5"}},
  };
  for (const FaultCase& row : cases) {
    machine.SetFacts(row.facts);
    log.Clear();
    Registry registry;
    EXPECT_FALSE(row.operation(registry)) << row.facts;
    EXPECT_EQ(log.Lines(), row.log) << row.facts;
  }
  machine.SetFacts("");
  EXPECT_TRUE(Registry().KeyExists("HKLM", Below("Tree\\A\\B\\C")));
}

}  // namespace
}  // namespace nodexa
