#include "frame/setup_medium.h"

#include <gtest/gtest.h>

#include "frame/module_location.h"
#include "harness/test_medium.h"

namespace nodexa {
namespace {

class SetupMediumTest : public ::testing::Test {
 protected:
  ~SetupMediumTest() override { SetExecutableDirectoryOverride(""); }
};

TEST_F(SetupMediumTest, RootIsTwoLevelsAboveTheProgram) {
  SetExecutableDirectoryOverride("D:\\Setup\\Bin\\");
  EXPECT_EQ(GetExecutableDirectory().FullPath(), "D:\\Setup\\Bin");
  EXPECT_EQ(GetSetupRoot().FullPath(), "D:");

  SetExecutableDirectoryOverride("D:\\Setup");
  EXPECT_EQ(GetSetupRoot().FullPath(), "D:");

  SetExecutableDirectoryOverride("E:/Media/Product/Setup/Bin");
  EXPECT_EQ(GetSetupRoot().FullPath(), "E:\\Media\\Product");
}

TEST_F(SetupMediumTest, WithoutOverrideTheProgramFolderCounts) {
  SetExecutableDirectoryOverride("");
  const PathObject directory = GetExecutableDirectory();
  EXPECT_EQ(directory.GetDirectory(), test::WindowsForm(test::ProgramDirectory()));
  EXPECT_FALSE(directory.HasFileName());
}

TEST_F(SetupMediumTest, EnvironmentPointsAtAMediumAndTheOverrideWins) {
  test::TestMedium medium;
  EXPECT_EQ(PathObject(medium.Root().string()).FullPath(), GetSetupRoot().FullPath());
  SetExecutableDirectoryOverride("D:\\Setup\\Bin");
  EXPECT_EQ(GetSetupRoot().FullPath(), "D:");
}

}  // namespace
}  // namespace nodexa
