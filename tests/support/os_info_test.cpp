#include "support/os_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/test_machine.h"
#include "log_capture.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

// The version values of one machine; null leaves a value out.
struct VersionCase {
  const char* versionNumber;
  const char* subVersionNumber;
  const char* currentVersion;
  const char* csdVersion;
  bool wow64Key;
  int32_t os;
  int32_t major;
  int32_t minor;
  int32_t servicePack;
  bool is64Bit;
  const char* message;
};

std::string Quoted(const std::string& name, const char* value) {
  return value == nullptr ? std::string() : "\"" + name + "\"=\"" + value + "\"\n";
}

std::string RegistryOf(const VersionCase& row) {
  std::string text =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n";
  text += Quoted("VersionNumber", row.versionNumber);
  text += Quoted("SubVersionNumber", row.subVersionNumber);
  text += "\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion]\n";
  text += Quoted("CurrentVersion", row.currentVersion);
  text += Quoted("CSDVersion", row.csdVersion);
  if (row.wow64Key) text += "\n[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node]\n";
  return text;
}

// The family answers each code gives.
struct Family {
  int32_t os;
  bool is9x, isNT, isWin2000OrLater, isXPOrLater;
};
constexpr Family kFamilies[] = {
    {-1, false, false, false, false}, {0, true, false, false, false},
    {1, true, false, false, false},   {2, true, false, false, false},
    {3, true, false, false, false},   {4, false, true, false, false},
    {5, false, true, true, false},    {6, false, true, true, true},
    {7, false, true, true, true},     {9, false, true, true, true},
};

void ExpectFamily(const OSInfo& info, const std::string& label) {
  for (const Family& family : kFamilies) {
    if (family.os != info.getOS()) continue;
    EXPECT_EQ(info.is9x(), family.is9x) << label;
    EXPECT_EQ(info.isNT(), family.isNT) << label;
    EXPECT_EQ(info.isWin2000OrLater(), family.isWin2000OrLater) << label;
    EXPECT_EQ(info.isXPOrLater(), family.isXPOrLater) << label;
    return;
  }
  ADD_FAILURE() << label << ": unexpected code " << info.getOS();
}

TEST(OSInfoTest, VersionsReadFromTheRegistry) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the real registry's version stays as is";
  const VersionCase cases[] = {
      {"4.00.950", nullptr, nullptr, nullptr, false, 0, 4, 0, 0, false, nullptr},
      {"4.10.2222", nullptr, nullptr, nullptr, false, 1, 4, 10, 0, false, nullptr},
      {"4.10.2222", " a ", nullptr, nullptr, false, 2, 4, 10, 0, false, nullptr},
      {"4.10.2222", "B", nullptr, nullptr, false, 1, 4, 10, 0, false, nullptr},
      // A 9x version wins; the NT key is not read.
      {"4.90.3000", "A", "5.1", "Service Pack 2", true, 3, 4, 90, 0, false, nullptr},
      {"5", nullptr, "5.1", nullptr, false, -1, 5, 0, 0, false,
       "OSInfo::initialize: invalid 9X version (major: 5, minor: 0)"},
      {nullptr, nullptr, "4.0", "Service Pack 6", false, 4, 4, 0, 6, false, nullptr},
      {nullptr, nullptr, "5.0", "Service Pack 4", false, 5, 5, 0, 4, false, nullptr},
      {"", nullptr, "5.1", "Service Pack 2", true, 7, 5, 1, 2, true, nullptr},
      {nullptr, nullptr, "5.2", "Service Pack 1, v.1000", true, 6, 5, 2, 1, true, nullptr},
      // Unknown 5.x minors keep -1 without a message, yet read the rest.
      {nullptr, nullptr, "5.3", "Service Pack 3", true, -1, 5, 3, 3, true, nullptr},
      // NT 6 does not look at the 64-bit key.
      {nullptr, nullptr, "6.0", "", true, 9, 6, 0, 0, false, nullptr},
      {nullptr, nullptr, "6.1", "Service Pack ", false, 9, 6, 1, 0, false, nullptr},
      {nullptr, nullptr, "10.0", "Service Pack 3", true, -1, 10, 0, 0, false,
       "OSInfo::initialize: invalid NT version (major: 10, minor 0)"},
      {nullptr, nullptr, nullptr, "Service Pack 2", true, -1, 0, 0, 0, false,
       "OSInfo::initialize: could not locate version info in the registry!"},
  };
  for (const VersionCase& row : cases) {
    const std::string label = std::string(row.versionNumber ? row.versionNumber : "-") + " / " +
                              (row.currentVersion ? row.currentVersion : "-");
    test::TestMachine machine(RegistryOf(row));
    test::LogCapture log;
    const OSInfo info;
    EXPECT_EQ(info.getOS(), row.os) << label;
    EXPECT_EQ(info.getMajor(), row.major) << label;
    EXPECT_EQ(info.getMinor(), row.minor) << label;
    EXPECT_EQ(info.getServicePack(), row.servicePack) << label;
    EXPECT_EQ(info.is64Bit(), row.is64Bit) << label;
    ExpectFamily(info, label);
    EXPECT_EQ(log.Lines(), row.message ? Lines{row.message} : Lines{}) << label;
  }
}

TEST(OSInfoTest, EachObjectReadsTheRegistryAgain) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the real registry's version stays as is";
  test::TestMachine machine(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\"CurrentVersion\"=\"5.0\"\n");
  EXPECT_EQ(OSInfo().getOS(), 5);
  machine.Import(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\"CurrentVersion\"=\"5.1\"\n");
  EXPECT_EQ(OSInfo().getOS(), 7);
}

// Wine 8 keeps the version of Windows 7 SP1 in a new 64-bit prefix.
TEST(OSInfoTest, TheRealRegistryOfWine) {
  if (test::TestMachine::IsStandIn()) GTEST_SKIP() << "runs against Wine's registry";
  test::LogCapture log;
  const OSInfo info;
  EXPECT_EQ(info.getOS(), 9);
  EXPECT_EQ(info.getMajor(), 6);
  EXPECT_EQ(info.getMinor(), 1);
  EXPECT_EQ(info.getServicePack(), 1);
  EXPECT_FALSE(info.is64Bit());
  ExpectFamily(info, "wine");
  EXPECT_EQ(log.Lines(), Lines{});
}

}  // namespace
}  // namespace nodexa
