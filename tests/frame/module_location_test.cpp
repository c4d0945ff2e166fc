#include "frame/module_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/path_object.h"
#include "frame/setup_medium.h"
#include "harness/log_capture.h"
#include "harness/temp_dir.h"
#include "harness/test_medium.h"

namespace nodexa {
namespace {

// The companion modules are found by pattern in any letter case; the first
// four characters of the install module's name are the product prefix.
TEST(ModuleLocation, FindsModulesInAnyCaseAndThePrefix) {
  test::TestMedium medium;
  medium.InstallModule("QVXAhcp.dll", "qvxaHCP.DLL");
  medium.InstallModule("QVXAinst.dll", "ABCDinst.dll");
  std::string hcp, inst, prefix;
  ASSERT_TRUE(GetHCPDLLFilePath(hcp));
  ASSERT_TRUE(GetInstallDLLFilePath(inst, prefix));
  EXPECT_EQ(hcp, PathObject((medium.ModuleFolder() / "qvxaHCP.DLL").string()).FullPath());
  EXPECT_EQ(inst, PathObject((medium.ModuleFolder() / "ABCDinst.dll").string()).FullPath());
  EXPECT_EQ(prefix, "ABCD");
}

TEST(ModuleLocation, MissingModulesAreLoggedAndLeaveTheOutputs) {
  test::TestMedium medium;
  medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll.bak");
  const test::LogCapture log;
  std::string path = "unchanged", prefix = "unchanged";
  EXPECT_FALSE(GetHCPDLLFilePath(path));
  EXPECT_FALSE(GetInstallDLLFilePath(path, prefix));
  EXPECT_EQ(path, "unchanged");
  EXPECT_EQ(prefix, "unchanged");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll",
                             "Nodexa::GetInstallDLLFilePath:Cannot find the file xxxxinst.dll"}));
}

// A folder that does not say where it is would let the current folder (or
// drive) decide which modules load: nothing is searched then.
TEST(ModuleLocation, FailsClosedWhereTheMediumIsNotAbsolute) {
  test::TempDir current;
  std::filesystem::create_directories(current.Path() / "medium" / "Common" / "x64");
  std::ofstream(current.Path() / "medium" / "Common" / "x64" / "QVXAhcp.dll") << "module";
  const test::CurrentFolder inside(current.Path());
  const struct {
    std::string directory;
    bool found;
  } cases[] = {
      {"medium\\Setup\\Bin", false},
      {"medium/Setup/Bin", false},
      {(current.Path() / "medium" / "Setup" / "Bin").string(), true},
  };
  for (const auto& c : cases) {
    const test::LogCapture log;
    SetExecutableDirectoryOverride(c.directory);
    std::string path;
    EXPECT_EQ(GetHCPDLLFilePath(path), c.found) << c.directory;
    EXPECT_EQ(log.Lines().empty(), c.found) << c.directory;
  }
  SetExecutableDirectoryOverride("");
}

// Without a medium named by the environment, the running program's folder
// is the setup program's.
TEST(SetupMedium, WithoutOverrideTheProgramFolderCounts) {
  const PathObject directory = GetExecutableDirectory();
  EXPECT_EQ(directory.GetDirectory(), test::WindowsForm(test::ProgramDirectory()));
  EXPECT_FALSE(directory.HasFileName());
}

}  // namespace
}  // namespace nodexa
