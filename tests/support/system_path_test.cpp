#include "support/system_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/setup_medium.h"
#include "harness/test_machine.h"
#include "log_capture.h"

namespace nodexa {
namespace {

using Lines = std::vector<std::string>;

// The version part of a machine, one per family the paths depend on.
constexpr char kWindows98[] =
    "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
    "\"VersionNumber\"=\"4.10.2222\"\n";
constexpr char kWindowsNT4[] =
    "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
    "\"CurrentVersion\"=\"4.0\"\n";
constexpr char kWindowsXP[] =
    "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
    "\"CurrentVersion\"=\"5.1\"\n";
constexpr char kWindowsXP64[] =
    "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
    "\"CurrentVersion\"=\"5.2\"\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node]\n";

// Backslashes and no trailing separator, as PathObject holds directories.
std::string Held(const std::string& path) {
  PathObject object;
  object.SetDirectory(path);
  return object.GetDirectory();
}

class SystemPathTest : public ::testing::Test {
 protected:
  ~SystemPathTest() override { SetExecutableDirectoryOverride(""); }
};

struct PathCase {
  const char* os;
  int32_t code;
  bool allUsers;
  const char* expected;
};

TEST_F(SystemPathTest, EveryCodeOnAStandInMachine) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the machine is described on POSIX only";
  const char* const drivers = "D:\\Win\\system32\\spool\\drivers\\x64";
  const PathCase cases[] = {
      {kWindowsXP, 0, false, "D:"},
      {kWindowsXP, 1, false, "D:\\Program Files\\Common Files"},
      {kWindowsXP, 3, false, "D:\\Users\\Pat\\Desktop"},
      {kWindowsXP, 3, true, "D:\\Users\\Public\\Desktop"},
      {kWindows98, 3, false, "D:\\Users\\Pat\\Desktop"},
      {kWindows98, 3, true, "D:\\Windows\\Default\\Desktop"},
      {kWindowsXP64, 5, false, "D:\\Win\\Driver Cache\\x64"},
      {kWindowsXP, 5, false, "D:\\Win\\Driver Cache\\i386"},
      {kWindowsXP, 6, false, "D:\\Win\\Driver Cache\\i386"},
      {kWindowsXP, 7, false, "D:\\Win\\Driver Cache\\amd64"},
      {kWindowsXP, 8, false, "D:\\Win\\Driver Cache\\x64"},
      {kWindowsXP, 9, false, "D:\\Win\\Fonts"},
      {kWindowsXP, 10, false, "D:\\Setup\\Bin"},
      {kWindowsXP, 11, false, drivers},
      {kWindowsXP, 12, false, "D:\\Win\\system32\\spool\\drivers\\x64\\3"},
      {kWindowsNT4, 12, false, "D:\\Win\\system32\\spool\\drivers\\x64\\2"},
      {kWindows98, 12, false, drivers},
      {kWindowsXP, 13, false, "D:\\Win\\system32\\spool\\prtprocs\\x64"},
      {kWindowsXP, 14, false, "D:\\Program Files"},
      {kWindowsXP, 15, false, "D:\\Users\\Pat\\SendTo"},
      {kWindowsXP, 16, false, "D:\\Win\\system32\\spool"},
      {kWindows98, 16, false, drivers},
      {kWindowsXP, 17, false, "D:\\Win\\system32\\spool\\drivers"},
      {kWindows98, 17, false, drivers},
      {kWindowsXP, 18, false, "D:\\Users\\Pat\\Start Menu\\Programs"},
      {kWindowsXP, 18, true, "D:\\ProgramData\\Start Menu\\Programs"},
      {kWindows98, 18, true, "D:\\Windows\\Default\\Programs"},
      {kWindowsXP, 19, false, "D:\\Win\\system32"},
      {kWindowsXP, 20, false, "D:\\Win\\Inf"},
      {kWindowsXP, 21, false, "D:"},
      {kWindowsXP, 23, false, "D:\\Win"},
      {kWindowsXP, 24, false, "D:\\Win\\system32\\spool\\drivers\\Win40\\0"},
      {kWindowsXP, 25, false, "D:\\Win\\system32\\spool\\drivers\\x64\\3"},
      {kWindowsXP, 26, false, "D:\\Win\\system32\\spool\\drivers\\x64\\2"},
      {kWindowsXP, 27, false, "D:\\ProgramData"},
      {kWindowsXP, 28, false, "D:"},
  };
  SetExecutableDirectoryOverride("D:\\Setup\\Bin");
  for (const PathCase& row : cases) {
    test::TestMachine machine(test::TestMachine::Fixture("system_paths.reg"),
                              "WindowsDirectory=D:\\Win\n");
    machine.Import(row.os);
    const SystemPath path(row.code, row.allUsers);
    EXPECT_EQ(path.GetDirectory(), row.expected) << row.code << " " << row.os;
    EXPECT_EQ(path.GetFileName(), "") << row.code;
  }
}

TEST_F(SystemPathTest, MissingValuesGiveEmptyDirectoriesSilently) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the machine is described on POSIX only";
  test::TestMachine machine(kWindowsXP);
  test::LogCapture log;
  for (int32_t code : {1, 3, 14, 15, 18, 27}) {
    EXPECT_EQ(SystemPath(code).FullPath(), "") << code;
    EXPECT_EQ(SystemPath(code, true).FullPath(), "") << code;
  }
  EXPECT_EQ(log.Lines(), Lines{});
}

TEST_F(SystemPathTest, TheCurrentAndTemporaryFolders) {
  test::TestMachine machine;
  EXPECT_EQ(SystemPath(2).GetDirectory(), Held(std::filesystem::current_path().string()));
  EXPECT_EQ(SystemPath(22).GetDirectory(), Held(std::filesystem::temp_directory_path().string()));
  EXPECT_EQ(SystemPath(22).GetFileName(), "");
}

struct CabinetCase {
  const char* os;
  std::vector<const char*> withCabinet;  // driver caches holding driver.CAB
  const char* expected;
};

TEST_F(SystemPathTest, TheDriverCabinetFallsBackThroughTheDriverCaches) {
  if (!test::TestMachine::IsStandIn()) GTEST_SKIP() << "the machine is described on POSIX only";
  const CabinetCase cases[] = {
      {kWindowsXP64, {"x64", "amd64"}, "x64\\driver.CAB"},
      {kWindowsXP64, {"amd64"}, "amd64\\driver.CAB"},
      {kWindowsXP64, {"i386"}, "i386\\driver32.CAB"},
      // Not 64-bit: the i386 cache, whether the file is there or not.
      {kWindowsXP, {"x64"}, "i386\\driver.CAB"},
  };
  for (const CabinetCase& row : cases) {
    test::TestMachine machine(row.os);
    const std::string windows = Held(machine.Folder()) + "\\Win";
    machine.SetFacts("WindowsDirectory=" + windows + "\n");
    for (const char* cache : row.withCabinet) {
      const auto folder = std::filesystem::path(machine.Folder()) / "Win" / "Driver Cache" / cache;
      std::filesystem::create_directories(folder);
      std::ofstream(folder / "driver.CAB") << "cabinet";
    }
    EXPECT_EQ(SystemPath(4).FullPath(), windows + "\\Driver Cache\\" + row.expected);
  }
}

TEST_F(SystemPathTest, InvalidCodesAreLoggedAndLeaveThePathEmpty) {
  test::LogCapture log;
  for (int32_t code : {-1, 29}) {
    const SystemPath path(code, true);
    EXPECT_EQ(path.GetDirectory(), "") << code;
    EXPECT_EQ(path.GetFileName(), "") << code;
  }
  EXPECT_EQ(log.Lines(), (Lines{"SystemPath::ctor: invalid path code -1",
                                "SystemPath::ctor: invalid path code 29"}));
}

// Wine 8's folders in a new 64-bit prefix, which reports NT 6.1.
TEST_F(SystemPathTest, TheFoldersOfWine) {
  if (test::TestMachine::IsStandIn()) GTEST_SKIP() << "runs against Wine";
  const PathCase cases[] = {
      {"", 1, false, "C:\\Program Files\\Common Files"},
      {"", 5, false, "C:\\windows\\Driver Cache\\i386"},
      {"", 11, false, "C:\\windows\\system32\\spool\\drivers\\x64"},
      {"", 12, false, "C:\\windows\\system32\\spool\\drivers\\x64\\3"},
      {"", 13, false, "C:\\windows\\system32\\spool\\prtprocs\\x64"},
      {"", 16, false, "C:\\windows\\system32\\spool"},
      {"", 17, false, "C:\\windows\\system32\\spool\\drivers"},
      {"", 19, false, "C:\\windows\\system32"},
      {"", 21, false, "C:"},
      {"", 24, false, "C:\\windows\\system32\\spool\\drivers\\Win40\\0"},
  };
  test::LogCapture log;
  for (const PathCase& row : cases) {
    EXPECT_EQ(SystemPath(row.code).GetDirectory(), row.expected) << row.code;
  }
  EXPECT_EQ(SystemPath(4).FullPath(), "C:\\windows\\Driver Cache\\i386\\driver.CAB");
  EXPECT_EQ(log.Lines(), Lines{});
}

}  // namespace
}  // namespace nodexa
