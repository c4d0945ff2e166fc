#include "frame/module_location.h"

#include <gtest/gtest.h>

#include "frame/debug_log.h"
#include "frame/path_object.h"
#include "frame/setup_medium.h"
#include "nodexa/nodexa.h"
#include "harness/test_medium.h"

namespace nodexa {
namespace {

class ModuleLocationTest : public ::testing::Test {
 protected:
  ModuleLocationTest() { SetupDebugLog(medium.LogPath().c_str()); }
  ~ModuleLocationTest() override {
    SetupDebugLog("");
    SetExecutableDirectoryOverride("");
  }

  std::string Expected(const std::string& name) const {
    return PathObject((medium.ModuleFolder() / name).string()).FullPath();
  }

  test::TestMedium medium;
};

TEST_F(ModuleLocationTest, FindsTheInstallSupportModuleAndItsPrefix) {
  medium.InstallModule("QVXAinst.dll", "ABCDinst.dll");
  std::string path, prefix;
  ASSERT_TRUE(GetInstallDLLFilePath(path, prefix));
  EXPECT_EQ(path, Expected("ABCDinst.dll"));
  EXPECT_EQ(prefix, "ABCD");
  EXPECT_TRUE(medium.LogLines().empty());
}

TEST_F(ModuleLocationTest, PatternIsMatchedWithoutCase) {
  medium.InstallModule("QVXAhcp.dll", "qvxaHCP.DLL");
  std::string path = "unchanged";
  ASSERT_TRUE(GetHCPDLLFilePath(path));
  EXPECT_EQ(path, Expected("qvxaHCP.DLL"));
}

TEST_F(ModuleLocationTest, MissingModulesAreLoggedAndLeaveTheOutputs) {
  medium.InstallModule("QVXAhcp.dll", "QVXAhcp.dll.bak");  // no match
  std::string path = "unchanged", prefix = "unchanged";
  EXPECT_FALSE(GetHCPDLLFilePath(path));
  EXPECT_FALSE(GetInstallDLLFilePath(path, prefix));
  EXPECT_EQ(path, "unchanged");
  EXPECT_EQ(prefix, "unchanged");
  EXPECT_EQ(medium.LogLines(),
            (std::vector<std::string>{
                "Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll",
                "Nodexa::GetInstallDLLFilePath:Cannot find the file xxxxinst.dll"}));
}

TEST_F(ModuleLocationTest, SearchPathOfMaxPathCountsAsNotFound) {
  // Root + "\Common\x64\*hcp.dll" (20 characters) reaches 260 exactly.
  const std::string root = "C:\\" + std::string(237, 'r');
  SetExecutableDirectoryOverride(root + "\\Setup\\Bin");
  std::string path;
  EXPECT_FALSE(GetHCPDLLFilePath(path));
  EXPECT_EQ(medium.LogLines(),
            std::vector<std::string>{"Nodexa::GetHCPDLLFilePath:Cannot find the file xxxxhcp.dll"});
}

TEST(ModulePrefix, FirstFourCharactersOrTheWholeName) {
  EXPECT_EQ(ModulePrefix("QVXAinst.dll"), "QVXA");
  EXPECT_EQ(ModulePrefix("inst.dll"), "inst");
  EXPECT_EQ(ModulePrefix("abc"), "abc");
  EXPECT_EQ(ModulePrefix(""), "");
}

}  // namespace
}  // namespace nodexa
